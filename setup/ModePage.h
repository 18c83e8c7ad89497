// The mode page: Typical or Advanced installation, with a note explaining the choice.
#pragma once
#include "setup/WizardContext.h"
#include "setup/WizardPage.h"

namespace setup {

class ModePage : public WizardPage {
public:
    explicit ModePage(const WizardContext& context) : context_(context) {}

    bool OnInitDialog(plat::DialogWindow& window) override;
    void OnShowWindow(plat::DialogWindow& window, bool shown) override;
    bool OnCommand(plat::DialogWindow& window, int id, int code) override;

    // The chosen model's AdvancedSetup rule, applied when the model page is left forward: a
    // model without it is installed in Typical mode only.
    void ApplyAdvancedSetup(plat::DialogWindow& window, bool advancedAllowed);

    bool typical() const { return typical_; }
    void Collect(WizardChoices& choices) const override { choices.typical = typical_; }

private:
    void ChooseTypical(plat::DialogWindow& window);
    void ChooseAdvanced(plat::DialogWindow& window);

    const WizardContext& context_;
    bool typical_ = true;
};

}  // namespace setup
