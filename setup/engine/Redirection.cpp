// Suspending and restoring file-system redirection around one piece of work.
#include "setup/engine/Redirection.h"

namespace setup {

namespace {
constexpr const char* kKernel32 = "Kernel32.dll";
}

RedirectionSuspension::RedirectionSuspension(plat::Platform& platform, bool is64Bit)
    : platform_(platform) {
    if (!is64Bit) return;
    auto& system = platform_.system();
    if (system.LookUpFunction(kKernel32, "Wow64DisableWow64FsRedirection") !=
            plat::FunctionLookup::Found ||
        system.LookUpFunction(kKernel32, "Wow64RevertWow64FsRedirection") !=
            plat::FunctionLookup::Found) {
        state_ = State::Unavailable;
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

}  // namespace setup
