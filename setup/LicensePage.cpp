// The agreement page.
#include "setup/LicensePage.h"

#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "setup/resource.h"

namespace setup {

std::size_t LicenseBufferSize(std::size_t length) { return (length + 3) / 4 * 4 + 4; }

LicensePage::LicensePage(const WizardContext& context, WizardHost& host)
    : context_(context), host_(host), text_(IDC_LICENSE_TEXT) {}

bool LicensePage::OnInitDialog(plat::DialogWindow& window) {
    window.CheckButton(IDC_REJECT, true);
    text_.Attach(window);
    if (context_.agreementOn && !LoadLicense(window)) {
        ShowMessageKey(context_, window, "IDS_ERR_NOLICENSE");
        host_.CancelWizard();
        return true;
    }
    ApplyFontMode(context_, window);
    return true;
}

bool LicensePage::LoadLicense(plat::DialogWindow& window) {
    std::vector<std::uint8_t> bytes;
    if (!context_.platform.files().ReadWholeFile("License.txt", bytes)) return false;
    // The text ends at its first zero byte, as the text box would read the buffer; a buffer
    // that cannot be had leaves the box empty.
    std::vector<char> buffer;
    try {
        buffer.assign(LicenseBufferSize(bytes.size()), '\0');
    } catch (const std::bad_alloc&) {
        return true;
    }
    std::copy(bytes.begin(), bytes.end(), buffer.begin());
    window.SetItemText(IDC_LICENSE_TEXT, std::string(buffer.data()));
    return true;
}

void LicensePage::OnShowWindow(plat::DialogWindow& window, bool shown) {
    if (!shown) return;
    pkg::LanguageText legal(context_.platform, "Legal");
    window.SetItemText(IDC_AGREEMENT_GROUP, legal.Get("Agreement"));
    window.SetItemText(IDC_ACCEPT, legal.Get("Accept"));
    window.SetItemText(IDC_REJECT, legal.Get("Reject"));
}

bool LicensePage::OnCommand(plat::DialogWindow&, int id, int code) {
    if (code != plat::kButtonClicked) return false;
    if (id == IDC_ACCEPT) {
        host_.EnableNext(true);
        return true;
    }
    if (id == IDC_REJECT) {
        host_.EnableNext(false);
        return true;
    }
    return false;
}

}  // namespace setup
