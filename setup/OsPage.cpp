// The OS page.
#include "setup/OsPage.h"

#include "setup/OsDetection.h"
#include "setup/PackageTypes.h"
#include "setup/resource.h"

namespace setup {

bool OsPage::OnInitDialog(plat::DialogWindow& window) {
    ApplyFontMode(context_, window);

    DetectedOs os = DetectOs(context_.platform.system());
    if (os.unknownPlatform) ShowMessageKey(context_, window, "IDS_ERR_SYSTEM");
    osIndex_ = os.index;
    if (os.listed) window.CheckButton(OsRadioId(os.index), true);

    // The system is detected, not chosen: only its own button stays usable.
    for (int i = 0; i < kOsCount; ++i)
        if (i != osIndex_) window.EnableItem(OsRadioId(i), false);
    if (context_.is64Bit) window.ShowItem(IDC_OS_2000, false);
    return true;
}

void OsPage::OnShowWindow(plat::DialogWindow& window, bool shown) {
    if (!shown) return;
    window.SetItemText(IDC_OS_GROUP, LanguageText(context_.platform, "System").Get("Select"));
}

bool OsPage::SaveData(plat::DialogWindow& window) {
    vietnameseFonts_ = window.IsButtonChecked(IDC_VIETNAMESE_FONTS);
    return true;
}

}  // namespace setup
