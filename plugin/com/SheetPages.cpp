// Adding the plug-in's pages to the document and device property sheets.
//
// The pages themselves are not part of the plug-in yet: both sheets record the driver's sheet
// handle and callback and add no page, so the driver shows only its own pages.
#include "plugin/com/SheetPages.h"

namespace plugin {

com::ULONG_PTR BuildDocumentSheetPages(DocSheetContext& context, com::PROPSHEETUI_INFO& info) {
    context.sheet = info.hComPropSheet;
    context.pfnComPropSheet = info.pfnComPropSheet;
    context.sheetParam = reinterpret_cast<com::OEMUIPSPARAM*>(info.lParamInit);
    return 0;  // no page added, so no addition result to report
}

void BuildDeviceSheetPages(DeviceSheetContext& context, com::PROPSHEETUI_INFO& info) {
    context.sheet = info.hComPropSheet;
    context.pfnComPropSheet = info.pfnComPropSheet;
}

}  // namespace plugin
