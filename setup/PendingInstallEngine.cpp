// The placeholder installation engine.
#include "setup/PendingInstallEngine.h"

#include <string>

namespace setup {

void PendingInstallEngine::InstallVietnameseFonts() {
    platform_.desktop().Transcript(
        "Vietnamese fonts requested: the font installation is not built yet");
}

void PendingInstallEngine::FillPortList(PortPage&, plat::DialogWindow&, const WizardChoices&) {
    // The port list stays empty until the port logic exists.
}

InstallEngine::Outcome PendingInstallEngine::InstallAction(plat::DialogWindow&,
                                                            const WizardChoices& choices) {
    std::string line = "Install pressed (model \"" + choices.modelName + "\", " +
                       (choices.typical ? "Typical" : "Advanced") + " mode, OS index " +
                       std::to_string(choices.osIndex) +
                       "): the installation engine is not built yet";
    platform_.desktop().Transcript(line.c_str());
    return Outcome::Finished;
}

}  // namespace setup
