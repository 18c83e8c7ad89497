// Adding the plug-in's pages to the document and device property sheets.
#include "plugin/com/SheetPages.h"

namespace plugin {

com::ULONG_PTR BuildDocumentSheetPages(DocSheetContext& context, com::PROPSHEETUI_INFO& info,
                                       SheetPageHost* host) {
    context.sheet = info.hComPropSheet;
    context.pfnComPropSheet = info.pfnComPropSheet;
    context.sheetParam = reinterpret_cast<com::OEMUIPSPARAM*>(info.lParamInit);
    if (!host) return 0;  // no page added, no addition result to report
    com::LONG_PTR last = 0;
    for (const PageRow& row : PropertyPages())
        if (row.sheet == PropertySheetKind::Document) last = host->AddPage(info, row, &context);
    // The document pages report their results for the last page added, as the device pages do.
    context.addedSheet = reinterpret_cast<com::HANDLE>(last);
    return static_cast<com::ULONG_PTR>(last);
}

void BuildDeviceSheetPages(DeviceSheetContext& context, com::PROPSHEETUI_INFO& info,
                           SheetPageHost* host) {
    context.sheet = info.hComPropSheet;
    context.pfnComPropSheet = info.pfnComPropSheet;
    if (!host) return;
    for (const PageRow& row : PropertyPages())
        if (row.sheet == PropertySheetKind::Device)
            context.lastPage = reinterpret_cast<com::HANDLE>(host->AddPage(info, row, &context));
}

}  // namespace plugin
