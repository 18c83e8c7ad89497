// The "1D Code" page: shows and edits the linear barcode font slots in place.
#include "plugin/pages/Barcode1DPage.h"

#include <algorithm>
#include <string>

#include "plugin/commands/Barcode1DTestPrint.h"
#include "plugin/commands/BarcodeHeight.h"
#include "plugin/pages/Barcode1DPageIds.h"
#include "plugin/pages/BarcodeTestPrint.h"
#include "plugin/pages/SheetResult.h"
#include "plugin/pages/EditNumber.h"
#include "plugin/pages/FlagScope.h"

namespace plugin {

namespace {

constexpr int kMinModuleWidth = 2, kMaxModuleWidth = 6;
constexpr int kMinBarHeight = 1, kMaxBarHeight = 255;
constexpr std::uint8_t kHriNotPrinted = 0;

constexpr const char* kHriPositions[] = {"Not printed", "Above the barcode", "Below the barcode",
                                         "Both above and below the barcode"};
constexpr int kHriPositionCount = static_cast<int>(std::size(kHriPositions));

}  // namespace

bool Barcode1DPage::OnInitDialog(plat::DialogWindow& window) {
    FlagScope writing(writingControls_);
    window.ResetList(IDC_1D_FONT_NAME);
    for (std::size_t i = 1; i <= kBarcode1DSlots; ++i)
        window.AddListItem(IDC_1D_FONT_NAME, "1D Code" + std::to_string(i));
    window.SetListSelection(IDC_1D_FONT_NAME, 0);
    window.ResetList(IDC_1D_TYPE);
    for (const Symbology1D& symbology : kSymbologies1D)
        window.AddListItem(IDC_1D_TYPE, symbology.listText);
    window.ResetList(IDC_1D_HRI_POSITION);
    for (const char* position : kHriPositions) window.AddListItem(IDC_1D_HRI_POSITION, position);

    window.SetEditLimit(IDC_1D_WIDTH, 1);
    window.SetRange(IDC_1D_WIDTH_SPIN, kMinModuleWidth, kMaxModuleWidth);
    window.SetEditLimit(IDC_1D_HEIGHT, 3);
    window.SetRange(IDC_1D_HEIGHT_SPIN, kMinBarHeight, kMaxBarHeight);
    window.SetItemText(IDC_1D_WIDTH_RANGE, "[ 2. . 6 ]");
    window.SetItemText(IDC_1D_HEIGHT_RANGE, "[ 1 . . 255 ]");
    window.EnableItem(IDC_1D_MM, false);
    window.EnableItem(IDC_1D_POINT, false);
    ShowSlot(window);
    return true;
}

BarcodeSlot1D* Barcode1DPage::SelectedSlot(plat::DialogWindow& window) const {
    OemDevmode* devmode = sheet_.devmode();
    return devmode ? Barcode1DSlot(*devmode, window.GetListSelection(IDC_1D_FONT_NAME)) : nullptr;
}

void Barcode1DPage::ShowSlot(plat::DialogWindow& window) {
    BarcodeSlot1D* slot = SelectedSlot(window);
    if (!slot) return;
    FlagScope writing(writingControls_);
    // A value outside a list (a block from elsewhere) shows as no selection.
    window.SetListSelection(IDC_1D_TYPE,
                            slot->symbology < kSymbology1DCount ? slot->symbology : -1);
    window.SetPosition(IDC_1D_WIDTH_SPIN, slot->moduleWidth);
    window.SetItemText(IDC_1D_WIDTH, std::to_string(slot->moduleWidth));
    window.SetPosition(IDC_1D_HEIGHT_SPIN, slot->barHeight);
    window.SetItemText(IDC_1D_HEIGHT, std::to_string(static_cast<std::int32_t>(slot->barHeight)));
    window.SetListSelection(IDC_1D_HRI_POSITION,
                            slot->hriPosition < kHriPositionCount ? slot->hriPosition : -1);
    EnableHriFont(window, *slot);
    window.CheckButton(IDC_1D_FONT_A, slot->hriFont == 0);
    window.CheckButton(IDC_1D_FONT_B, slot->hriFont == 1);
    ShowSampleData(window, *slot);
    ShowHeightFields(window, *slot);
}

void Barcode1DPage::ShowHeightFields(plat::DialogWindow& window, const BarcodeSlot1D& slot) {
    // Bar height plus allowance, not the stored total: the stored total is truncated from the
    // rounded size (73.5 points store 183 dots, which would read back as 73.0), so the fields
    // show the size the last edit rounded to.
    const std::int32_t total = BarAndHriHeight(slot.barHeight, slot.hriPosition, slot.hriFont);
    window.SetItemText(IDC_1D_MM, FormatHeightMillimetres(total));
    window.SetItemText(IDC_1D_POINT, FormatFontPoints(total));
}

void Barcode1DPage::ShowSampleData(plat::DialogWindow& window, const BarcodeSlot1D& slot) {
    const std::string_view sample =
        slot.symbology < kSymbology1DCount ? kSymbologies1D[slot.symbology].sampleData : "";
    window.SetItemText(IDC_1D_DATA, sample);
    UpdatePrintButton(window);  // the page's own write is no EN_CHANGE on every host
}

void Barcode1DPage::EnableHriFont(plat::DialogWindow& window, const BarcodeSlot1D& slot) {
    const bool printed = slot.hriPosition != kHriNotPrinted;
    window.EnableItem(IDC_1D_FONT_A, printed);
    window.EnableItem(IDC_1D_FONT_B, printed);
}

void Barcode1DPage::UpdatePrintButton(plat::DialogWindow& window) {
    window.EnableItem(IDC_1D_PRINT, !window.GetItemTextW(IDC_1D_DATA).empty());
}

bool Barcode1DPage::OnCommand(plat::DialogWindow& window, int id, int code) {
    if (id == IDC_1D_DATA) {
        if (code == plat::kEditChange) UpdatePrintButton(window);
        return true;
    }
    if (id == IDC_1D_FONT_NAME) {
        if (code == plat::kComboSelChange) ShowSlot(window);
        return true;
    }
    BarcodeSlot1D* slot = SelectedSlot(window);
    if (!slot) return false;
    switch (id) {
        case IDC_1D_TYPE:
            if (code == plat::kComboSelChange) ChooseType(window, *slot);
            return true;
        case IDC_1D_WIDTH:
            if (code == plat::kEditChange && !writingControls_) EditModuleWidth(window, *slot);
            return true;
        case IDC_1D_HEIGHT:
            if (code == plat::kEditChange && !writingControls_) EditBarHeight(window, *slot);
            return true;
        case IDC_1D_HRI_POSITION:
            if (code == plat::kComboSelChange) ChooseHriPosition(window, *slot);
            return true;
        case IDC_1D_FONT_A:
        case IDC_1D_FONT_B:
            if (code == plat::kButtonClicked)
                ChooseHriFont(window, *slot, id == IDC_1D_FONT_A ? 0 : 1);
            return true;
        case IDC_1D_PRINT:
            if (code == plat::kButtonClicked) Print(window, *slot);
            return true;
        default:
            return false;
    }
}

void Barcode1DPage::ChooseType(plat::DialogWindow& window, BarcodeSlot1D& slot) {
    const int index = window.GetListSelection(IDC_1D_TYPE);
    if (index < 0 || index >= static_cast<int>(kSymbology1DCount)) return;
    slot.symbology = static_cast<std::uint8_t>(index);
    ShowSampleData(window, slot);
    MarkChanged(window);
}

void Barcode1DPage::EditModuleWidth(plat::DialogWindow& window, BarcodeSlot1D& slot) {
    const int width = std::clamp<int>(static_cast<int>(ReadEditNumber(window.GetItemText(IDC_1D_WIDTH))),
                                      kMinModuleWidth, kMaxModuleWidth);
    slot.moduleWidth = static_cast<std::uint8_t>(width);
    {
        FlagScope writing(writingControls_);
        window.SetPosition(IDC_1D_WIDTH_SPIN, width);
    }
    slot.cellWidth = width * 8;
    MarkChanged(window);
}

void Barcode1DPage::EditBarHeight(plat::DialogWindow& window, BarcodeSlot1D& slot) {
    const int height = std::clamp<int>(static_cast<int>(ReadEditNumber(window.GetItemText(IDC_1D_HEIGHT))),
                                       kMinBarHeight, kMaxBarHeight);
    slot.barHeight = height;
    {
        FlagScope writing(writingControls_);
        window.SetPosition(IDC_1D_HEIGHT_SPIN, height);
    }
    slot.totalHeight = QuantisedTotalHeight(height, slot.hriPosition, slot.hriFont);
    MarkChanged(window);
}

void Barcode1DPage::ChooseHriPosition(plat::DialogWindow& window, BarcodeSlot1D& slot) {
    const int position = window.GetListSelection(IDC_1D_HRI_POSITION);
    if (position < 0 || position >= kHriPositionCount) return;
    slot.hriPosition = static_cast<std::uint8_t>(position);
    EnableHriFont(window, slot);
    slot.totalHeight = QuantisedTotalHeight(slot.barHeight, slot.hriPosition, slot.hriFont);
    MarkChanged(window);
}

void Barcode1DPage::ChooseHriFont(plat::DialogWindow& window, BarcodeSlot1D& slot,
                                  std::uint8_t font) {
    slot.hriFont = font;
    slot.totalHeight = QuantisedTotalHeight(slot.barHeight, slot.hriPosition, slot.hriFont);
    MarkChanged(window);
}

void Barcode1DPage::Print(plat::DialogWindow& window, const BarcodeSlot1D& slot) {
    RunBarcodeTestPrint(window, sheet_, IDC_1D_DATA, [&slot](std::span<const std::uint8_t> data) {
        return Barcode1DTestJob(slot, data);
    });
}

plat::ApplyResult Barcode1DPage::OnApply(plat::DialogWindow& window) {
    if (const BarcodeSlot1D* slot = SelectedSlot(window)) ShowHeightFields(window, *slot);
    ReportDocumentPageApplied(sheet_);
    MarkUnchanged(window);
    return plat::ApplyResult::kAccepted;
}

}  // namespace plugin
