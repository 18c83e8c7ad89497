// The "2D Code" page: shows and edits the two-dimensional code font slots in place.
#include "plugin/pages/Barcode2DPage.h"

#include <algorithm>
#include <span>
#include <string>

#include "platform/win_constants.h"
#include "plugin/commands/Barcode2DTestPrint.h"
#include "plugin/pages/Barcode2DPageIds.h"
#include "plugin/pages/BarcodeTestPrint.h"
#include "plugin/pages/SheetResult.h"
#include "plugin/pages/EditNumber.h"
#include "plugin/pages/FlagScope.h"

namespace plugin {

namespace {

constexpr const char* kTypes[] = {"PDF417", "QR Code"};
constexpr const char* kPdfErrorLevels[] = {
    "Error Correction Level 0", "Error Correction Level 1", "Error Correction Level 2",
    "Error Correction Level 3", "Error Correction Level 4", "Error Correction Level 5",
    "Error Correction Level 6", "Error Correction Level 7", "Error Correction Level 8"};
constexpr const char* kQrLanguages[] = {"Chinese", "Japanese"};
constexpr const char* kQrModels[] = {"1", "2"};  // stored as index + 1
constexpr const char* kQrErrorLevels[] = {"L", "M", "H", "Q"};

template <std::size_t N>
constexpr int Count(const char* const (&)[N]) {
    return static_cast<int>(N);
}

// Every control of a group, so the slot's symbology can enable its own and disable the other.
constexpr int kPdf417Controls[] = {
    IDC_2D_PDF_GROUP,        IDC_2D_PDF_COLUMNS_LABEL, IDC_2D_PDF_COLUMNS,
    IDC_2D_PDF_COLUMNS_SPIN, IDC_2D_PDF_COLUMNS_RANGE, IDC_2D_PDF_WIDTH_LABEL,
    IDC_2D_PDF_WIDTH,        IDC_2D_PDF_WIDTH_SPIN,    IDC_2D_PDF_WIDTH_RANGE,
    IDC_2D_PDF_ROWS_LABEL,   IDC_2D_PDF_ROWS,          IDC_2D_PDF_ROWS_SPIN,
    IDC_2D_PDF_ROWS_RANGE,   IDC_2D_PDF_HEIGHT_LABEL,  IDC_2D_PDF_HEIGHT,
    IDC_2D_PDF_HEIGHT_SPIN,  IDC_2D_PDF_HEIGHT_RANGE,  IDC_2D_PDF_ERROR_LABEL,
    IDC_2D_PDF_ERROR};
constexpr int kQrControls[] = {
    IDC_2D_QR_GROUP,          IDC_2D_QR_SIZE_LABEL, IDC_2D_QR_SIZE,        IDC_2D_QR_SIZE_SPIN,
    IDC_2D_QR_LANGUAGE_LABEL, IDC_2D_QR_LANGUAGE,   IDC_2D_QR_MODEL_LABEL, IDC_2D_QR_MODEL,
    IDC_2D_QR_ERROR_LABEL,    IDC_2D_QR_ERROR};

constexpr int kMaxPdfWidth = 4, kMaxPdfColumns = 30, kMaxQrSize = 24;
constexpr int kMinPdfHeight = 2, kMaxPdfHeight = 25;
constexpr int kMinPdfRows = 3, kMaxPdfRows = 90;

void FillList(plat::DialogWindow& window, int id, std::span<const char* const> texts) {
    window.ResetList(id);
    for (const char* text : texts) window.AddListItem(id, text);
}

// A list's selection for a stored value; none for a value outside the list.
int ListIndex(int value, int count) { return value >= 0 && value < count ? value : -1; }

}  // namespace

bool Barcode2DPage::OnInitDialog(plat::DialogWindow& window) {
    FlagScope writing(writingControls_);
    window.ResetList(IDC_2D_FONT_NAME);
    for (std::size_t i = 1; i <= kBarcode2DSlots; ++i)
        window.AddListItem(IDC_2D_FONT_NAME, "2D Code" + std::to_string(i));
    window.SetListSelection(IDC_2D_FONT_NAME, 0);
    FillList(window, IDC_2D_TYPE, kTypes);
    window.SetItemText(IDC_2D_POINT, "9.5");
    window.EnableItem(IDC_2D_POINT, false);

    window.SetEditLimit(IDC_2D_PDF_WIDTH, 1);
    for (int id : {IDC_2D_PDF_HEIGHT, IDC_2D_PDF_COLUMNS, IDC_2D_PDF_ROWS, IDC_2D_QR_SIZE})
        window.SetEditLimit(id, 2);
    window.SetRange(IDC_2D_PDF_WIDTH_SPIN, 1, kMaxPdfWidth);
    window.SetRange(IDC_2D_PDF_HEIGHT_SPIN, kMinPdfHeight, kMaxPdfHeight);
    window.SetRange(IDC_2D_PDF_COLUMNS_SPIN, 1, kMaxPdfColumns);
    window.SetRange(IDC_2D_PDF_ROWS_SPIN, kMinPdfRows, kMaxPdfRows);
    window.SetRange(IDC_2D_QR_SIZE_SPIN, 1, kMaxQrSize);
    window.SetItemText(IDC_2D_PDF_WIDTH_RANGE, "[ 1. . 4 ]");
    window.SetItemText(IDC_2D_PDF_HEIGHT_RANGE, "[ 2 . . 25 ]");
    window.SetItemText(IDC_2D_PDF_COLUMNS_RANGE, "[ 1. . 30 ]");
    window.SetItemText(IDC_2D_PDF_ROWS_RANGE, "[ 3 . . 90 ]");

    FillList(window, IDC_2D_PDF_ERROR, kPdfErrorLevels);
    FillList(window, IDC_2D_QR_LANGUAGE, kQrLanguages);
    FillList(window, IDC_2D_QR_MODEL, kQrModels);
    FillList(window, IDC_2D_QR_ERROR, kQrErrorLevels);
    ShowSampleData(window);
    ShowSlot(window);
    return true;
}

BarcodeSlot2D* Barcode2DPage::SelectedSlot(plat::DialogWindow& window) const {
    OemDevmode* devmode = sheet_.devmode();
    return devmode ? Barcode2DSlot(*devmode, window.GetListSelection(IDC_2D_FONT_NAME)) : nullptr;
}

void Barcode2DPage::ShowSlot(plat::DialogWindow& window) {
    BarcodeSlot2D* slot = SelectedSlot(window);
    if (!slot) return;
    FlagScope writing(writingControls_);
    window.SetListSelection(IDC_2D_TYPE, ListIndex(slot->symbology, Count(kTypes)));
    ShowNumber(window, IDC_2D_PDF_COLUMNS, IDC_2D_PDF_COLUMNS_SPIN, slot->pdfColumns);
    ShowNumber(window, IDC_2D_PDF_WIDTH, IDC_2D_PDF_WIDTH_SPIN, slot->pdfModuleWidth);
    ShowNumber(window, IDC_2D_PDF_ROWS, IDC_2D_PDF_ROWS_SPIN, slot->pdfRows);
    ShowNumber(window, IDC_2D_PDF_HEIGHT, IDC_2D_PDF_HEIGHT_SPIN, slot->pdfModuleHeight);
    window.SetListSelection(IDC_2D_PDF_ERROR,
                            ListIndex(slot->pdfErrorLevel, Count(kPdfErrorLevels)));
    ShowNumber(window, IDC_2D_QR_SIZE, IDC_2D_QR_SIZE_SPIN, slot->qrModuleSize);
    window.SetListSelection(IDC_2D_QR_LANGUAGE, ListIndex(slot->qrLanguage, Count(kQrLanguages)));
    window.SetListSelection(IDC_2D_QR_MODEL, ListIndex(slot->qrModel - 1, Count(kQrModels)));
    window.SetListSelection(IDC_2D_QR_ERROR,
                            ListIndex(slot->qrErrorCorrection, Count(kQrErrorLevels)));
    EnableGroups(window, *slot);
    ShowSampleData(window);
}

void Barcode2DPage::ShowNumber(plat::DialogWindow& window, int editId, int spinId, int value) {
    // The edit shows the stored value even where the up-down control's range cannot hold it.
    window.SetPosition(spinId, value);
    window.SetItemText(editId, std::to_string(value));
}

void Barcode2DPage::EnableGroups(plat::DialogWindow& window, const BarcodeSlot2D& slot) {
    for (int id : kPdf417Controls) window.EnableItem(id, slot.symbology == kSymbologyPdf417);
    for (int id : kQrControls) window.EnableItem(id, slot.symbology == kSymbologyQrCode);
}

void Barcode2DPage::ShowSampleData(plat::DialogWindow& window) {
    window.SetItemText(IDC_2D_DATA, kSample2DData);
    UpdatePrintButton(window);  // the page's own write is no EN_CHANGE on every host
}

void Barcode2DPage::UpdatePrintButton(plat::DialogWindow& window) {
    window.EnableItem(IDC_2D_PRINT, !window.GetItemTextW(IDC_2D_DATA).empty());
}

bool Barcode2DPage::OnCommand(plat::DialogWindow& window, int id, int code) {
    if (id == IDC_2D_DATA) {
        if (code == plat::kEditChange) UpdatePrintButton(window);
        return true;
    }
    if (id == IDC_2D_FONT_NAME) {
        if (code == plat::kComboSelChange) ShowSlot(window);
        return true;
    }
    BarcodeSlot2D* slot = SelectedSlot(window);
    return slot && EditSlot(window, *slot, id, code);
}

bool Barcode2DPage::EditSlot(plat::DialogWindow& window, BarcodeSlot2D& slot, int id, int code) {
    const bool changed = code == plat::kEditChange && !writingControls_;
    const bool left = code == plat::kEditKillFocus && !writingControls_;
    const bool chosen = code == plat::kComboSelChange;
    switch (id) {
        case IDC_2D_TYPE:
            if (chosen) ChooseType(window, slot);
            return true;
        case IDC_2D_PDF_WIDTH:
            if (changed)
                StoreTypedNumber(window, id, IDC_2D_PDF_WIDTH_SPIN, kMaxPdfWidth, slot.pdfModuleWidth);
            return true;
        case IDC_2D_PDF_COLUMNS:
            if (changed)
                StoreTypedNumber(window, id, IDC_2D_PDF_COLUMNS_SPIN, kMaxPdfColumns, slot.pdfColumns);
            return true;
        case IDC_2D_QR_SIZE:
            if (changed) StoreTypedNumber(window, id, IDC_2D_QR_SIZE_SPIN, kMaxQrSize, slot.qrModuleSize);
            return true;
        case IDC_2D_PDF_HEIGHT:
            if (left)
                StoreLeftNumber(window, id, IDC_2D_PDF_HEIGHT_SPIN, kMinPdfHeight, kMaxPdfHeight,
                                "The Number(Element Height) Should >=2 !", slot.pdfModuleHeight);
            return true;
        case IDC_2D_PDF_ROWS:
            if (left)
                StoreLeftNumber(window, id, IDC_2D_PDF_ROWS_SPIN, kMinPdfRows, kMaxPdfRows,
                                "The Number(Row) Should >=3 !", slot.pdfRows);
            return true;
        case IDC_2D_PDF_ERROR:
            if (chosen) StoreListIndex(window, id, Count(kPdfErrorLevels), 0, slot.pdfErrorLevel);
            return true;
        case IDC_2D_QR_LANGUAGE:
            if (chosen) StoreListIndex(window, id, Count(kQrLanguages), 0, slot.qrLanguage);
            return true;
        case IDC_2D_QR_MODEL:
            if (chosen) StoreListIndex(window, id, Count(kQrModels), 1, slot.qrModel);
            return true;
        case IDC_2D_QR_ERROR:
            if (chosen) StoreListIndex(window, id, Count(kQrErrorLevels), 0, slot.qrErrorCorrection);
            return true;
        case IDC_2D_PRINT:
            if (code == plat::kButtonClicked) Print(window, slot);
            return true;
        default:
            return false;
    }
}

void Barcode2DPage::StoreTypedNumber(plat::DialogWindow& window, int editId, int spinId, int max,
                                     std::uint8_t& field) {
    const int value =
        std::clamp(static_cast<int>(ReadEditNumber(window.GetItemText(editId))), 1, max);
    field = static_cast<std::uint8_t>(value);
    {
        FlagScope writing(writingControls_);
        window.SetPosition(spinId, value);
    }
    MarkChanged(window);
}

void Barcode2DPage::StoreLeftNumber(plat::DialogWindow& window, int editId, int spinId, int min,
                                    int max, const char* message, std::uint8_t& field) {
    int value = std::min(static_cast<int>(ReadEditNumber(window.GetItemText(editId))), max);
    if (value < min) {
        window.MessageBox(message, "PDF417", MB_OK | MB_ICONINFORMATION);
        value = min;
    }
    const bool differs = field != value;
    field = static_cast<std::uint8_t>(value);
    {
        FlagScope writing(writingControls_);
        window.SetPosition(spinId, value);
    }
    // Leaving the field without changing the setting leaves Apply as it was.
    if (differs) MarkChanged(window);
}

void Barcode2DPage::StoreListIndex(plat::DialogWindow& window, int listId, int count, int offset,
                                   std::uint8_t& field) {
    const int index = window.GetListSelection(listId);
    if (index < 0 || index >= count) return;
    field = static_cast<std::uint8_t>(index + offset);
    MarkChanged(window);
}

void Barcode2DPage::ChooseType(plat::DialogWindow& window, BarcodeSlot2D& slot) {
    const int index = window.GetListSelection(IDC_2D_TYPE);
    if (index < 0 || index >= Count(kTypes)) return;
    slot.symbology = static_cast<std::uint8_t>(index);
    EnableGroups(window, slot);
    ShowSampleData(window);
    MarkChanged(window);
}

void Barcode2DPage::Print(plat::DialogWindow& window, const BarcodeSlot2D& slot) {
    RunBarcodeTestPrint(window, sheet_, IDC_2D_DATA, [&slot](std::span<const std::uint8_t> data) {
        return Barcode2DTestJob(slot, data);
    });
}

plat::ApplyResult Barcode2DPage::OnApply(plat::DialogWindow& window) {
    ReportDocumentPageApplied(sheet_);
    MarkUnchanged(window);
    return plat::ApplyResult::kAccepted;
}

}  // namespace plugin
