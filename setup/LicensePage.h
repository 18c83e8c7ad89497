// The agreement page: License.txt in a read-only text box, Accept and Reject.
#pragma once
#include "setup/CEditEx.h"
#include "setup/WizardContext.h"
#include "setup/WizardPage.h"

namespace setup {

class LicensePage : public WizardPage {
public:
    LicensePage(const WizardContext& context, WizardHost& host);

    bool OnInitDialog(plat::DialogWindow& window) override;
    void OnShowWindow(plat::DialogWindow& window, bool shown) override;
    bool OnCommand(plat::DialogWindow& window, int id, int code) override;

private:
    // Shows License.txt in the text box; false when the file cannot be opened.
    bool LoadLicense(plat::DialogWindow& window);

    const WizardContext& context_;
    WizardHost& host_;
    CEditEx text_;
};

// The text box's buffer for a file of `length` bytes: the length rounded up to a multiple of 4,
// plus 4 zero bytes, so the text always ends in a terminator.
std::size_t LicenseBufferSize(std::size_t length);

}  // namespace setup
