// The About box.
#include "setup/AboutDialog.h"

#include "platform/win_constants.h"
#include "package/Gb2312Font.h"
#include "package/LanguageText.h"
#include "setup/WizardContext.h"
#include "setup/resource.h"

namespace setup {

bool AboutDialog::OnInitDialog(plat::DialogWindow& window) {
    pkg::LanguageText texts(platform_, "About");
    window.SetItemText(IDC_ABOUT_VERSION, texts.Get("Version"));
    window.SetItemText(IDC_ABOUT_COPYRIGHT, texts.Get("Copyright"));
    window.SetItemText(IDOK, texts.Get("OK"));
    window.SetTitle(texts.Get("Caption"));
    // The box reads the font switch itself and makes its own copy of the font.
    if (pkg::Gb2312FontMode(platform_)) window.SetFontAll(pkg::Gb2312FontSpec());
    return true;
}

}  // namespace setup
