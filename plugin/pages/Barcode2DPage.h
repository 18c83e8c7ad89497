// The "2D Code" page of the document sheet: the two two-dimensional code fonts (PDF417 or QR
// Code) of the private devmode, and a test print of one code.
#pragma once
#include "platform/property_page.h"
#include "plugin/com/SheetContexts.h"
#include "plugin/pages/PageTemplates.h"

namespace plugin {

class Barcode2DPage final : public plat::PropertyPageLogic {
public:
    static constexpr int kTemplateId = IDD_BARCODE_2D_PAGE;

    explicit Barcode2DPage(DocSheetContext& sheet) : sheet_(sheet) {}
    DocSheetContext& sheet() const { return sheet_; }

    bool OnInitDialog(plat::DialogWindow& window) override;
    bool OnCommand(plat::DialogWindow& window, int id, int code) override;
    // Reports the result to the driver's sheet; the slots are written as they are edited.
    plat::ApplyResult OnApply(plat::DialogWindow& window) override;

private:
    // The slot of the chosen font name; null without a devmode or a choice.
    BarcodeSlot2D* SelectedSlot(plat::DialogWindow& window) const;
    void ShowSlot(plat::DialogWindow& window);
    void ShowNumber(plat::DialogWindow& window, int editId, int spinId, int value);
    void EnableGroups(plat::DialogWindow& window, const BarcodeSlot2D& slot);
    void ShowSampleData(plat::DialogWindow& window);
    void UpdatePrintButton(plat::DialogWindow& window);
    bool EditSlot(plat::DialogWindow& window, BarcodeSlot2D& slot, int id, int code);
    // An edit whose text is read as it changes: stores the number kept inside 1..`max`.
    void StoreTypedNumber(plat::DialogWindow& window, int editId, int spinId, int max,
                          std::uint8_t& field);
    // An edit whose text is checked when the focus leaves it: above `max` becomes `max`, below
    // `min` is said in `message` and becomes `min`.
    void StoreLeftNumber(plat::DialogWindow& window, int editId, int spinId, int min, int max,
                         const char* message, std::uint8_t& field);
    // A list whose index (plus `offset`) is the stored value.
    void StoreListIndex(plat::DialogWindow& window, int listId, int count, int offset,
                        std::uint8_t& field);
    void ChooseType(plat::DialogWindow& window, BarcodeSlot2D& slot);
    void Print(plat::DialogWindow& window, const BarcodeSlot2D& slot);

    DocSheetContext& sheet_;
    // Set while the page writes its own edits, which Windows reports as EN_CHANGE too.
    bool writingControls_ = false;
};

}  // namespace plugin
