// The "Operation" page of the document sheet: one button per moment of a print job (document
// start, page start, page end, document end), each opening the operation dialog on that
// moment's block of the private device mode.
#pragma once
#include "platform/property_page.h"
#include "plugin/com/SheetContexts.h"
#include "plugin/pages/PageTemplates.h"

namespace plugin {

class OperationPage final : public plat::PropertyPageLogic {
public:
    static constexpr int kTemplateId = IDD_OPERATION_PAGE;

    explicit OperationPage(DocSheetContext& sheet) : sheet_(sheet) {}
    DocSheetContext& sheet() const { return sheet_; }

    bool OnCommand(plat::DialogWindow& window, int id, int code) override;
    plat::ApplyResult OnApply(plat::DialogWindow& window) override;

private:
    // Runs the dialog on a copy of the moment's block and writes it back on OK.
    void EditMoment(plat::DialogWindow& window, OperationMoment moment);

    DocSheetContext& sheet_;
};

}  // namespace plugin
