// The installation engine until it is built: each of its steps tells the person in a message
// box that it is not built yet, and Install ends the wizard with a failure, so nothing can
// mistake a run for an installation.
#pragma once
#include "platform/platform.h"
#include "setup/InstallEngine.h"

namespace setup {

class PendingInstallEngine : public InstallEngine {
public:
    explicit PendingInstallEngine(plat::Platform& platform) : platform_(platform) {}

    void InstallVietnameseFonts() override;
    void FillPortList(PortPage& page, plat::DialogWindow& pageWindow,
                      const WizardChoices& choices) override;
    Outcome InstallAction(plat::DialogWindow& frame, const WizardChoices& choices) override;
    int ExitCode() const override { return 1; }

private:
    plat::Platform& platform_;
};

}  // namespace setup
