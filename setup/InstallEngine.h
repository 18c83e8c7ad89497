// The installation engine as the wizard calls it: the Vietnamese fonts and the port list when
// the last page is entered, and the Install button.
#pragma once
#include "platform/dialog.h"
#include "setup/WizardChoices.h"

namespace setup {

class PortPage;

class InstallEngine {
public:
    virtual ~InstallEngine() = default;

    // Copies the Vietnamese fonts; called on every entry of the last page while the OS page's
    // box is ticked.
    virtual void InstallVietnameseFonts() = 0;

    // Fills the port page for the chosen model, mode, OS index and series.
    virtual void FillPortList(PortPage& page, plat::DialogWindow& pageWindow,
                              const WizardChoices& choices) = 0;

    enum class Outcome {
        StayOnLastPage,  // a check failed and was reported; the wizard stays open
        Finished,        // the installation ran and its outcome was shown; the wizard closes
    };
    // The Install button: validates the choices, installs and shows the outcome.
    virtual Outcome InstallAction(plat::DialogWindow& frame, const WizardChoices& choices) = 0;

    // The program's exit code once the wizard has closed after InstallAction.
    virtual int ExitCode() const = 0;
};

}  // namespace setup
