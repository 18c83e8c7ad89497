// The "Operation" page: its four moment buttons and its apply.
#include "plugin/pages/OperationPage.h"

#include <algorithm>

#include "platform/module.h"
#include "platform/win_constants.h"
#include "plugin/pages/OperationDialog.h"
#include "plugin/pages/OperationPageIds.h"
#include "plugin/pages/SheetResult.h"

namespace plugin {

namespace {

struct MomentButton {
    int id;
    OperationMoment moment;
};
constexpr MomentButton kMomentButtons[] = {
    {IDC_OPERATION_START_DOCUMENT, OperationMoment::StartDocument},
    {IDC_OPERATION_START_PAGE, OperationMoment::StartPage},
    {IDC_OPERATION_END_PAGE, OperationMoment::EndPage},
    {IDC_OPERATION_END_DOCUMENT, OperationMoment::EndDocument},
};

}  // namespace

bool OperationPage::OnCommand(plat::DialogWindow& window, int id, int code) {
    if (code != plat::kButtonClicked) return false;
    for (const MomentButton& button : kMomentButtons) {
        if (button.id != id) continue;
        EditMoment(window, button.moment);
        return true;
    }
    return false;
}

void OperationPage::EditMoment(plat::DialogWindow& window, OperationMoment moment) {
    OemDevmode* devmode = sheet_.devmode();
    if (!devmode) return;  // a sheet without the plug-in's device mode has nothing to edit
    OperationDialog dialog(moment, ReadOperationBlock(*devmode, moment));
    if (window.RunModalChild(plat::ThisModule(), OperationDialog::kTemplateId, dialog) != IDOK) return;
    OperationBlock edited = dialog.block();
    // The stored command is zero after its length, whatever the copy held there.
    std::fill(edited.command.begin() + std::min<std::size_t>(edited.commandLength, kCommandCapacity),
              edited.command.end(), std::uint8_t{0});
    WriteOperationBlock(*devmode, moment, edited);
    MarkChanged(window);
}

plat::ApplyResult OperationPage::OnApply(plat::DialogWindow& window) {
    // The blocks were written when each dialog ended with OK; nothing is pending here.
    ReportDocumentPageApplied(sheet_);
    MarkUnchanged(window);
    return plat::ApplyResult::kAccepted;
}

}  // namespace plugin
