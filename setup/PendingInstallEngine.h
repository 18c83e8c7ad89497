// The installation engine while it is being built: the Vietnamese fonts are copied, the port
// page fills its port list, and Install runs the USB preparation (driver installer
// and printer identity check) and then tells the person in a message box that the rest is not
// built yet; the wizard then ends with a failure, so nothing can mistake a run for an
// installation.
#pragma once
#include <string>
#include <vector>

#include "platform/platform.h"
#include "setup/InstallEngine.h"

namespace setup {

class PendingInstallEngine : public InstallEngine {
public:
    PendingInstallEngine(plat::Platform& platform, bool is64Bit)
        : platform_(platform), is64Bit_(is64Bit) {}

    void InstallVietnameseFonts() override;
    void FillPortList(PortPage& page, plat::DialogWindow& pageWindow,
                      const WizardChoices& choices) override;
    Outcome InstallAction(plat::DialogWindow& frame, const WizardChoices& choices) override;
    int ExitCode() const override { return 1; }

private:
    // The USB driver preparation and the printer identity check; false when the check
    // refused and the wizard stays on the last page.
    bool PrepareUsbPort(plat::DialogWindow& frame, const WizardChoices& choices);

    plat::Platform& platform_;
    bool is64Bit_;
};

}  // namespace setup
