// The "Download" page: its two groups, and what the sheet's Apply and Cancel mean for it.
#include "plugin/pages/DownloadPage.h"

#include "platform/win_constants.h"

namespace plugin {

bool DownloadPage::OnInitDialog(plat::DialogWindow& window) {
    logos_.Open(window);
    file_.Open(window);
    return true;
}

bool DownloadPage::OnCommand(plat::DialogWindow& window, int id, int code) {
    return logos_.OnCommand(window, id, code) || file_.OnCommand(window, id, code);
}

void DownloadPage::OnScroll(plat::DialogWindow& window, int id, int code) { logos_.OnScroll(window, id, code); }

void DownloadPage::OnControlNotify(plat::DialogWindow& window, int id, int code) {
    if (logos_.OnNotify(window, id, code)) MarkChanged(window);
}

bool DownloadPage::OnPaint(plat::DialogWindow& window, plat::Canvas& canvas) {
    logos_.Paint(window, canvas);
    return true;
}

plat::ApplyResult DownloadPage::OnApply(plat::DialogWindow&) {
    if (sheet_.pfnComPropSheet)
        sheet_.pfnComPropSheet(sheet_.sheet, CPSFUNC_SET_RESULT, reinterpret_cast<com::LPARAM>(sheet_.lastPage),
                               CPSUI_OK);
    logos_.DeleteWorkFiles();
    return plat::ApplyResult::kAccepted;
}

bool DownloadPage::OnQueryCancel(plat::DialogWindow&) {
    logos_.DeleteWorkFiles();
    return true;
}

// Cancel asks only the current page; every page made hears the reset, so the work files go
// also when the sheet is cancelled from another tab.
void DownloadPage::OnReset(plat::DialogWindow&) { logos_.DeleteWorkFiles(); }

}  // namespace plugin
