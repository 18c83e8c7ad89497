// The "1D Code" page of the document sheet: the eight linear barcode fonts of the private
// devmode, the height and font size a font stands for, and a test print of one barcode.
#pragma once
#include "platform/property_page.h"
#include "plugin/com/SheetContexts.h"
#include "plugin/pages/PageTemplates.h"

namespace plugin {

class Barcode1DPage final : public plat::PropertyPageLogic {
public:
    static constexpr int kTemplateId = IDD_BARCODE_1D_PAGE;

    explicit Barcode1DPage(DocSheetContext& sheet) : sheet_(sheet) {}
    DocSheetContext& sheet() const { return sheet_; }

    bool OnInitDialog(plat::DialogWindow& window) override;
    bool OnCommand(plat::DialogWindow& window, int id, int code) override;
    // Refreshes the "mm" and "point" fields, reports the result to the driver's sheet.
    plat::ApplyResult OnApply(plat::DialogWindow& window) override;

private:
    // The slot of the chosen font name; null without a devmode or a choice.
    BarcodeSlot1D* SelectedSlot(plat::DialogWindow& window) const;
    void ShowSlot(plat::DialogWindow& window);
    void ShowHeightFields(plat::DialogWindow& window, const BarcodeSlot1D& slot);
    void ShowSampleData(plat::DialogWindow& window, const BarcodeSlot1D& slot);
    void EnableHriFont(plat::DialogWindow& window, const BarcodeSlot1D& slot);
    void UpdatePrintButton(plat::DialogWindow& window);
    // Each edit: writes the selected slot and marks the page changed.
    void ChooseType(plat::DialogWindow& window, BarcodeSlot1D& slot);
    void EditModuleWidth(plat::DialogWindow& window, BarcodeSlot1D& slot);
    void EditBarHeight(plat::DialogWindow& window, BarcodeSlot1D& slot);
    void ChooseHriPosition(plat::DialogWindow& window, BarcodeSlot1D& slot);
    void ChooseHriFont(plat::DialogWindow& window, BarcodeSlot1D& slot, std::uint8_t font);
    void Print(plat::DialogWindow& window, const BarcodeSlot1D& slot);

    DocSheetContext& sheet_;
    // Set while the page writes its own edits: Windows reports those writes as EN_CHANGE too
    // (an up-down control rewrites its buddy edit), and they are no user edits.
    bool writingControls_ = false;
};

}  // namespace plugin
