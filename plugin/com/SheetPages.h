// Adding the plug-in's pages to the document and device property sheets.
#pragma once
#include "plugin/com/OemUiTypes.h"
#include "plugin/com/SheetContexts.h"
#include "plugin/pages/PageTable.h"

namespace plugin {

// Puts one page into the driver's property sheet: makes the page's logic with the row's factory
// and the sheet's context, keeps it while the sheet is open, and adds the page with
// info.pfnComPropSheet(info.hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW, ...). Returns what that
// call returned: the added page's handle, 0 when nothing was added.
class SheetPageHost {
public:
    virtual com::LONG_PTR AddPage(const com::PROPSHEETUI_INFO& info, const PageRow& row,
                                  SheetContextRef context) = 0;

protected:
    ~SheetPageHost() = default;
};

// Reason PROPSHEETUI_REASON_INIT of the document sheet: records the sheet in the context, adds
// the document pages in table order through `host`, keeps the value of the last page addition
// as the context's added-sheet handle (the handle the document pages report results for) and
// returns it. Without a host no page is added, the handle stays as it was and the result is 0.
com::ULONG_PTR BuildDocumentSheetPages(DocSheetContext& context, com::PROPSHEETUI_INFO& info,
                                       SheetPageHost* host);

// Reason PROPSHEETUI_REASON_INIT of the device sheet: records the sheet in the context and adds
// the device pages in table order through `host`, remembering the handle of each page added.
// Without a host no page is added and the last-page handle stays as it was.
void BuildDeviceSheetPages(DeviceSheetContext& context, com::PROPSHEETUI_INFO& info,
                           SheetPageHost* host);

}  // namespace plugin
