// The restart question.
#include "uninstall/RestartDialog.h"

#include "package/Gb2312Font.h"
#include "platform/win_constants.h"
#include "uninstall/UninstallTexts.h"
#include "uninstall/resource.h"

namespace uninstall {

bool RestartDialog::OnInitDialog(plat::DialogWindow& window) {
    if (gb2312Font_) window.SetFontAll(pkg::Gb2312FontSpec());
    UninstallTexts texts(platform_);
    window.SetItemText(IDC_REBOOT_NOTE1, texts.Get("Reboot", "Note1"));
    window.SetItemText(IDC_REBOOT_NOTE2, texts.Get("Reboot", "Note2"));
    window.SetItemText(IDC_REBOOT_NOTE3, texts.Get("Reboot", "Note3"));
    window.SetItemText(IDOK, texts.Get("Reboot", "Yes"));
    window.SetItemText(IDCANCEL, texts.Get("Reboot", "No"));
    window.SetTitle(texts.Get("Reboot", "Title"));
    return true;
}

}  // namespace uninstall
