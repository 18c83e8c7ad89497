// Suspending and restoring file-system redirection around one piece of work.
#include "setup/engine/Redirection.h"

#include "platform/win_constants.h"

namespace setup {

namespace {
constexpr const char* kKernel32 = "Kernel32.dll";
}

RedirectionSuspension::RedirectionSuspension(plat::Platform& platform, bool is64Bit)
    : platform_(platform) {
    if (!is64Bit) return;
    auto& system = platform_.system();
    const plat::FunctionLookup disable =
        system.LookUpFunction(kKernel32, "Wow64DisableWow64FsRedirection");
    const plat::FunctionLookup revert =
        disable == plat::FunctionLookup::NoLibrary
            ? plat::FunctionLookup::NoLibrary
            : system.LookUpFunction(kKernel32, "Wow64RevertWow64FsRedirection");
    if (disable != plat::FunctionLookup::Found || revert != plat::FunctionLookup::Found) {
        state_ = State::Unavailable;
        if (disable == plat::FunctionLookup::NoLibrary || revert == plat::FunctionLookup::NoLibrary)
            missing_ = Missing::Kernel32;
        else if (disable != plat::FunctionLookup::Found && revert != plat::FunctionLookup::Found)
            missing_ = Missing::BothFunctions;
        else
            missing_ = disable != plat::FunctionLookup::Found ? Missing::DisableFunction
                                                               : Missing::RevertFunction;
        return;
    }
    if (!platform_.files().Wow64DisableWow64FsRedirection(oldValue_)) {
        state_ = State::Failed;
        return;
    }
    state_ = State::Suspended;
    canRevert_ = true;
}

RedirectionSuspension::~RedirectionSuspension() {
    if (canRevert_) platform_.files().Wow64RevertWow64FsRedirection(oldValue_);
}

void ShowRedirectionProblems(plat::Desktop& desktop, plat::WindowRef owner, const char* caption,
                             const RedirectionSuspension& suspension) {
    using Missing = RedirectionSuspension::Missing;
    const Missing missing = suspension.missing();
    if (missing == Missing::Kernel32) {
        desktop.MessageBoxA(owner, kKernel32Missing, caption, MB_OK);
        return;
    }
    if (missing == Missing::DisableFunction || missing == Missing::BothFunctions)
        desktop.MessageBoxA(owner, "Can't Get Function Wow64DisableWow64FsRedirection Address",
                            caption, MB_OK);
    if (missing == Missing::RevertFunction || missing == Missing::BothFunctions)
        desktop.MessageBoxA(owner, "Can't Get Function Wow64RevertWow64FsRedirection Address",
                            caption, MB_OK);
}

}  // namespace setup
