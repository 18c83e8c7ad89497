// The "Utility" page of the device sheet: the printer's self-test page, and the custom paper
// sizes kept as spooler forms whose names hold "Custom Paper-".
#pragma once
#include <string>

#include "platform/property_page.h"
#include "plugin/com/SheetContexts.h"
#include "plugin/pages/CustomPaperForms.h"
#include "plugin/pages/PageTemplates.h"

namespace plugin {

// Forms change at once, by the page's buttons, not by Apply: the page never reports changes
// to the sheet. Every form call and the self-test go to the printer handle of the device
// sheet's latest CommonUIProp call.
class UtilityPage final : public plat::PropertyPageLogic {
public:
    static constexpr int kTemplateId = IDD_UTILITY_PAGE;

    explicit UtilityPage(DeviceSheetContext& sheet) : sheet_(sheet) {}
    DeviceSheetContext& sheet() const { return sheet_; }

    bool OnInitDialog(plat::DialogWindow& window) override;
    bool OnCommand(plat::DialogWindow& window, int id, int code) override;
    plat::ApplyResult OnApply(plat::DialogWindow& window) override;

private:
    // Creates the model's form when it is missing; false when the forms cannot be read or it
    // cannot be made, and the page then stays unfilled.
    bool EnsureModelForm();
    void FillList(plat::DialogWindow& window);
    void Save(plat::DialogWindow& window);
    void Delete(plat::DialogWindow& window);
    // Name edit, Delete button and size edits for the selected entry.
    void ShowSelection(plat::DialogWindow& window);
    void UpdateDeleteButton(plat::DialogWindow& window);
    // A width or height edit's value within its limit; a corrected value is written back.
    std::uint32_t ReadSize(plat::DialogWindow& window, int id, PaperLimit limit);
    void ShowSize(plat::DialogWindow& window, std::int32_t cx, std::int32_t cy);
    void PrintSelfTest();
    // The control font's translation table, modal over the page (its button is not shown).
    void EditControlTable(plat::DialogWindow& window);

    plat::PrinterHandle printer() const;
    std::optional<std::vector<PaperForm>> Forms(std::uint32_t firstSize) const;

    DeviceSheetContext& sheet_;
};

}  // namespace plugin
