// The "Font" page of the device sheet: a reference card of the printer's resident fonts and the
// point size an application selects to get each. It changes no setting.
#pragma once
#include "platform/property_page.h"
#include "plugin/com/SheetContexts.h"
#include "plugin/pages/PageTemplates.h"

namespace plugin {

class FontPage final : public plat::PropertyPageLogic {
public:
    static constexpr int kTemplateId = IDD_FONT_PAGE;

    explicit FontPage(DeviceSheetContext& sheet) : sheet_(sheet) {}
    DeviceSheetContext& sheet() const { return sheet_; }

    bool OnInitDialog(plat::DialogWindow& window) override;
    // Nothing on the page acts: every command is taken and ignored.
    bool OnCommand(plat::DialogWindow&, int, int) override { return true; }
    plat::ApplyResult OnApply(plat::DialogWindow& window) override;

private:
    void FillTree(plat::DialogWindow& window);
    void FillList(plat::DialogWindow& window);

    DeviceSheetContext& sheet_;
};

}  // namespace plugin
