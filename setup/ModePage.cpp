// The mode page.
#include "setup/ModePage.h"

#include "setup/resource.h"

namespace setup {

bool ModePage::OnInitDialog(plat::DialogWindow& window) {
    typical_ = true;
    window.CheckButton(IDC_TYPICAL, true);
    window.SetItemText(IDC_MODE_NOTE, pkg::LanguageText(context_.platform, "Mode").Get("Note1"));
    ApplyFontMode(context_, window);
    return true;
}

void ModePage::OnShowWindow(plat::DialogWindow& window, bool shown) {
    if (!shown) return;
    pkg::LanguageText texts(context_.platform, "Mode");
    window.SetItemText(IDC_MODE_GROUP, texts.Get("Type"));
    window.SetItemText(IDC_TYPICAL, texts.Get("Typical"));
    window.SetItemText(IDC_ADVANCED, texts.Get("Advanced"));
    window.SetItemText(IDC_MODE_REMARKS, texts.Get("Remarks"));
}

bool ModePage::OnCommand(plat::DialogWindow& window, int id, int code) {
    if (code != plat::kButtonClicked) return false;
    if (id == IDC_TYPICAL) {
        ChooseTypical(window);
        return true;
    }
    if (id == IDC_ADVANCED) {
        ChooseAdvanced(window);
        return true;
    }
    return false;
}

void ModePage::ChooseTypical(plat::DialogWindow& window) {
    window.SetItemText(IDC_MODE_NOTE, pkg::LanguageText(context_.platform, "Mode").Get("Note1"));
    window.ShowItem(IDC_ADVANCED_NOTE, false);
    window.ShowItem(IDC_UNUSED_MODE_NOTE, false);
    typical_ = true;
}

void ModePage::ChooseAdvanced(plat::DialogWindow& window) {
    pkg::LanguageText texts(context_.platform, "Mode");
    window.SetItemText(IDC_MODE_NOTE, texts.Get("Note2"));
    window.SetItemText(IDC_ADVANCED_NOTE, texts.Get("Note3"));
    window.ShowItem(IDC_ADVANCED_NOTE, true);
    window.ShowItem(IDC_UNUSED_MODE_NOTE, false);
    typical_ = false;
}

void ModePage::ApplyAdvancedSetup(plat::DialogWindow& window, bool advancedAllowed) {
    if (advancedAllowed) {
        window.EnableItem(IDC_ADVANCED, true);
        return;
    }
    window.EnableItem(IDC_ADVANCED, false);
    // Advanced may have been chosen for the previous model: the two buttons must not both
    // read as chosen.
    window.CheckButton(IDC_ADVANCED, false);
    window.CheckButton(IDC_TYPICAL, true);
    window.SetItemText(IDC_MODE_NOTE, context_.messages.Get("IDS_TYPICAL_NOTES"));
    window.ShowItem(IDC_ADVANCED_NOTE, false);
    window.ShowItem(IDC_UNUSED_MODE_NOTE, false);
    typical_ = true;
}

}  // namespace setup
