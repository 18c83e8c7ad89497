// The Install button on the wizard's last page: the checks that keep the wizard open when they
// fail, the USB preparation, the network port, and the installation worker on its own thread
// while the progress dialog runs; then the outcome, the restart question on Windows 98/Me, and
// the wizard closes.
#pragma once
#include <string>

#include "setup/InstallEngine.h"
#include "setup/WizardContext.h"
#include "setup/engine/InstallPlan.h"

namespace setup {

class InstallSequence : public InstallEngine {
public:
    explicit InstallSequence(const WizardContext& context) : context_(context) {}

    void InstallVietnameseFonts() override;
    void FillPortList(PortPage& page, plat::DialogWindow& pageWindow,
                      const WizardChoices& choices) override;
    Outcome InstallAction(plat::DialogWindow& frame, const WizardChoices& choices) override;
    // 0 when the installation succeeded, 1 when it failed.
    int ExitCode() const override { return succeeded_ ? 0 : 1; }

private:
    // The checks and preparations before the worker starts; false when the wizard stays.
    bool PrepareInstallation(plat::DialogWindow& frame, const WizardChoices& choices,
                             InstallPlan& plan);
    void PrepareUsbDriverForPort(plat::DialogWindow& frame, const WizardChoices& choices);
    bool CreateNetworkPort(plat::DialogWindow& frame, const WizardChoices& choices,
                           InstallPlan& plan);
    // Runs the worker on its own thread while the progress dialog is shown; the result text.
    std::string RunWorker(plat::DialogWindow& frame, InstallPlan& plan);
    void AskForRestart(plat::DialogWindow& frame);
    void Show(plat::DialogWindow& frame, const char* key);

    const WizardContext& context_;
    bool succeeded_ = false;
};

// The Message key that refuses the Install button for the model on an OS index: only NT 4.0,
// Server 2003, Server 2008 and Windows 7 are checked there; null when the model may go on.
const char* InstallRefusalKey(int osIndex, const OsSupport& support);

}  // namespace setup
