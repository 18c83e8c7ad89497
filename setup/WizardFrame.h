// The wizard frame "Printer Driver Setup": side picture, the page area with its five pages,
// Back, Next/Install and Cancel, the About box and F1 help.
#pragma once
#include <memory>
#include <vector>

#include "setup/InstallEngine.h"
#include "setup/LicensePage.h"
#include "setup/ModePage.h"
#include "setup/ModelPage.h"
#include "setup/OsPage.h"
#include "setup/PortPage.h"
#include "setup/PortRules.h"
#include "setup/WizardChoices.h"
#include "setup/WizardContext.h"

namespace setup {

class WizardFrame : public plat::DialogLogic, private WizardHost {
public:
    // Page indexes, in the order the wizard walks them.
    enum PageIndex { kLicense = 0, kModel = 1, kMode = 2, kOs = 3, kPort = 4 };

    WizardFrame(const WizardContext& context, InstallEngine& engine);

    bool OnInitDialog(plat::DialogWindow& window) override;
    void OnShowWindow(plat::DialogWindow& window, bool shown) override;
    bool OnCommand(plat::DialogWindow& window, int id, int code) override;
    bool OnSysCommand(plat::DialogWindow& window, int command) override;
    void OnHelp(plat::DialogWindow& window) override;
    bool OnPaint(plat::DialogWindow& window, plat::Canvas& canvas) override;
    void OnDestroy(plat::DialogWindow& window) override;

    // The one page-changing operation: saves and hides the current page, applies the rules of
    // leaving it, and shows page `index`. False when the page stays (invalid input, no such
    // page, or the OS gate refused the model).
    bool SetActivePage(int index);

    int currentPage() const { return current_; }
    // The Install button ran the installation and the wizard closed after it.
    bool installationRan() const { return installationRan_; }
    const WizardChoices& choices() const { return choices_; }

private:
    struct Page {
        WizardPage* logic;
        int templateId;
        std::unique_ptr<plat::DialogWindow> window;
    };

    // WizardHost, for the agreement page.
    void EnableNext(bool enabled) override;
    void CancelWizard() override;

    void Back();
    void Next();
    // Leaving the model page forward: the chosen model's AdvancedSetup rule on the mode page.
    void ApplyModelRules();
    // Leaving the OS page forward: the baud preselection, then the OS gate. False when the
    // model does not support the detected system (the refusal has been shown).
    bool PassOsGate();
    void CollectChoices();
    bool CheckAdministrator();
    int LastPage() const { return static_cast<int>(pages_.size()) - 1; }
    plat::DialogWindow& PageWindow(int index) { return *pages_[index].window; }

    const WizardContext& context_;
    InstallEngine& engine_;
    LicensePage licensePage_;
    ModelPage modelPage_;
    ModePage modePage_;
    OsPage osPage_;
    PortPage portPage_;
    std::vector<Page> pages_;

    plat::DialogWindow* window_ = nullptr;  // the frame's window while it exists
    bool cancelled_ = false;
    int current_ = -1;
    int sidePicture_ = 0;  // bitmap id, 0 when not loaded
    // On until the OS gate has preselected the baud rate; on again after going back from the
    // mode page to the model page.
    bool baudPreselection_ = true;
    PortSection portSection_;
    WizardChoices choices_;
    bool installationRan_ = false;
};

}  // namespace setup
