// How a document or device page tells the driver that the sheet's settings were applied.
#include "plugin/pages/SheetResult.h"

namespace plugin {

void ReportDocumentPageApplied(const DocSheetContext& sheet) {
    if (!sheet.pfnComPropSheet) return;
    sheet.pfnComPropSheet(sheet.sheet, CPSFUNC_SET_RESULT,
                          reinterpret_cast<com::LPARAM>(sheet.addedSheet), CPSUI_OK);
}

void ReportDevicePageApplied(const DeviceSheetContext& sheet) {
    if (!sheet.pfnComPropSheet) return;
    sheet.pfnComPropSheet(sheet.sheet, CPSFUNC_SET_RESULT,
                          reinterpret_cast<com::LPARAM>(sheet.lastPage), CPSUI_OK);
}

}  // namespace plugin
