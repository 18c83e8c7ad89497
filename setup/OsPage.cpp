// The OS page.
#include "setup/OsPage.h"

#include "package/OsDetection.h"
#include "package/PackageTypes.h"
#include "setup/resource.h"

namespace setup {

int OsRadioId(int osIndex) {
    static constexpr int kRadio[pkg::kOsCount] = {IDC_OS_98ME, IDC_OS_NT,   IDC_OS_2000,
                                                  IDC_OS_XP,   IDC_OS_2003, IDC_OS_VISTA,
                                                  IDC_OS_2008, IDC_OS_WIN7};
    return osIndex >= 0 && osIndex < pkg::kOsCount ? kRadio[osIndex] : 0;
}

bool OsPage::OnInitDialog(plat::DialogWindow& window) {
    ApplyFontMode(context_, window);

    pkg::DetectedOs os = pkg::DetectOs(context_.platform.system());
    if (os.unknownPlatform) ShowMessageKey(context_, window, "IDS_ERR_SYSTEM");
    osIndex_ = os.index;
    if (os.listed) window.CheckButton(OsRadioId(os.index), true);

    // The system is detected, not chosen: only its own button stays usable.
    for (int i = 0; i < pkg::kOsCount; ++i)
        if (i != osIndex_) window.EnableItem(OsRadioId(i), false);
    if (context_.is64Bit) window.ShowItem(IDC_OS_2000, false);
    return true;
}

void OsPage::OnShowWindow(plat::DialogWindow& window, bool shown) {
    if (!shown) return;
    window.SetItemText(IDC_OS_GROUP, pkg::LanguageText(context_.platform, "System").Get("Select"));
}

bool OsPage::SaveData(plat::DialogWindow& window) {
    vietnameseFonts_ = window.IsButtonChecked(IDC_VIETNAMESE_FONTS);
    return true;
}

}  // namespace setup
