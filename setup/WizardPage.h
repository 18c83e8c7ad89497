// A page of the wizard: a child dialog of the frame whose data the frame saves when it leaves it.
#pragma once
#include "platform/dialog.h"
#include "setup/WizardChoices.h"

namespace setup {

class WizardPage : public plat::DialogLogic {
public:
    // Dialog data exchange, direction "save": the page's controls into its data. False when the
    // input is invalid and the page must stay.
    virtual bool SaveData(plat::DialogWindow& /*window*/) { return true; }
    // Whether the page has something to choose from; only the model page can have nothing.
    virtual bool HasModels() const { return true; }
    // Adds what the user chose on this page to the choices the installation is handed.
    virtual void Collect(WizardChoices& /*choices*/) const {}
};

// What a page may ask of the frame that holds it.
class WizardHost {
public:
    virtual ~WizardHost() = default;
    virtual void EnableNext(bool enabled) = 0;
    // Ends the wizard at once, as Cancel does (the program then ends).
    virtual void CancelWizard() = 0;
};

}  // namespace setup
