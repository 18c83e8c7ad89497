// Adding the plug-in's pages to the document and device property sheets.
#pragma once
#include "plugin/com/OemUiTypes.h"
#include "plugin/com/SheetContexts.h"

namespace plugin {

// Reason PROPSHEETUI_REASON_INIT of the document sheet: records the sheet in the context, adds
// the document pages and returns the value of the last page addition (0 when no page is added).
com::ULONG_PTR BuildDocumentSheetPages(DocSheetContext& context, com::PROPSHEETUI_INFO& info);

// Reason PROPSHEETUI_REASON_INIT of the device sheet: records the sheet in the context and adds
// the device pages, remembering the handle of the last page added.
void BuildDeviceSheetPages(DeviceSheetContext& context, com::PROPSHEETUI_INFO& info);

}  // namespace plugin
