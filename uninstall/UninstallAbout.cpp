// The About box.
#include "uninstall/UninstallAbout.h"

#include "package/Gb2312Font.h"
#include "platform/win_constants.h"
#include "uninstall/UninstallTexts.h"
#include "uninstall/resource.h"

namespace uninstall {

bool UninstallAbout::OnInitDialog(plat::DialogWindow& window) {
    if (gb2312Font_) window.SetFontAll(pkg::Gb2312FontSpec());
    UninstallTexts texts(platform_);
    window.SetItemText(IDC_ABOUT_VERSION, texts.Get("About", "Version"));
    window.SetItemText(IDC_ABOUT_COPYRIGHT, texts.Get("About", "Copyright"));
    window.SetItemText(IDOK, texts.Get("About", "OK"));
    window.SetTitle(texts.Get("About", "Title"));
    return true;
}

}  // namespace uninstall
