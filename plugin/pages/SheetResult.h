// How a document or device page tells the driver that the sheet's settings were applied.
#pragma once
#include "plugin/com/SheetContexts.h"

namespace plugin {

// CPSFUNC_SET_RESULT with CPSUI_OK through the sheet's callback, for the page the plug-in last
// added to the document sheet (the context's added-sheet handle). Nothing without a callback.
void ReportDocumentPageApplied(const DocSheetContext& sheet);

// The same for a device page: for the page the plug-in last added to the device sheet.
void ReportDevicePageApplied(const DeviceSheetContext& sheet);

}  // namespace plugin
