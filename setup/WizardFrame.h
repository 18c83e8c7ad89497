// The wizard frame "Printer Driver Setup": side picture, the page area with the pages of the
// page table, Back, Next/Install and Cancel, the About box and F1 help.
#pragma once
#include <memory>
#include <vector>

#include "setup/InstallEngine.h"
#include "setup/WizardChoices.h"
#include "setup/WizardContext.h"
#include "setup/WizardPageTable.h"

namespace setup {

class WizardFrame : public plat::DialogLogic, private WizardHost {
public:
    WizardFrame(const WizardContext& context, InstallEngine& engine);

    bool OnInitDialog(plat::DialogWindow& window) override;
    void OnShowWindow(plat::DialogWindow& window, bool shown) override;
    bool OnCommand(plat::DialogWindow& window, int id, int code) override;
    bool OnSysCommand(plat::DialogWindow& window, int command) override;
    void OnHelp(plat::DialogWindow& window) override;
    bool OnPaint(plat::DialogWindow& window, plat::Canvas& canvas) override;
    void OnDestroy(plat::DialogWindow& window) override;

    // The one page-changing operation: saves and hides the current page, applies the table's
    // rule of leaving it, and shows page `index`. False when the page stays (invalid input, no
    // such page, or the leaving rule refused).
    bool SetActivePage(int index);

    int currentPage() const { return current_; }
    // The Install button ran the installation and the wizard closed after it.
    bool installationRan() const { return installationRan_; }
    const WizardChoices& choices() const { return choices_; }

private:
    // WizardHost, for the pages and the leaving rules.
    void EnableNext(bool enabled) override;
    void CancelWizard() override;

    void Back();
    void Next();
    void CollectChoices();
    // Detects the system (reporting a platform that is neither 9x nor NT) and, where the
    // system asks for it, checks that the user is an administrator.
    bool CheckSystemAndAdministrator();
    // The page the wizard opens on: the first one the agreement switch does not leave out.
    int FirstPage() const;
    int LastPage() const { return pages_.count() - 1; }

    const WizardContext& context_;
    InstallEngine& engine_;
    WizardPages pages_;

    plat::DialogWindow* window_ = nullptr;  // the frame's window while it exists
    bool cancelled_ = false;
    int current_ = -1;
    int sidePicture_ = 0;  // bitmap id, 0 when not loaded
    WizardFlowState flow_;
    WizardChoices choices_;
    bool installationRan_ = false;
};

}  // namespace setup
