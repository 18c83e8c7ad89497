// The placeholder installation engine. Its notes are message boxes, not debugger output: on
// Windows a person would otherwise see the wizard close without a word.
#include "setup/PendingInstallEngine.h"

#include <string>

#include "common/window_titles.h"
#include "platform/win_constants.h"

namespace setup {

void PendingInstallEngine::InstallVietnameseFonts() {
    platform_.desktop().MessageBoxA(
        0, "Vietnamese fonts requested: the font installation is not built yet.",
        common::kSetupTitle, MB_OK | MB_ICONWARNING);
}

void PendingInstallEngine::FillPortList(PortPage&, plat::DialogWindow&, const WizardChoices&) {
    // The port list stays empty until the port logic exists; the person sees it empty.
}

InstallEngine::Outcome PendingInstallEngine::InstallAction(plat::DialogWindow& frame,
                                                            const WizardChoices& choices) {
    std::string text = "Install pressed (model \"" + choices.modelName + "\", " +
                       (choices.typical ? "Typical" : "Advanced") + " mode, OS index " +
                       std::to_string(choices.osIndex) +
                       "): the installation engine is not built yet, so nothing was installed.";
    frame.MessageBox(text, frame.GetTitle(), MB_OK | MB_ICONWARNING);
    return Outcome::Finished;
}

}  // namespace setup
