// The page host of the plug-in's sheets.
#include "plugin/com/PluginPageHost.h"

#include "platform/property_sheet.h"

namespace plugin {

com::LONG_PTR PluginPageHost::AddPage(const com::PROPSHEETUI_INFO& info, const PageRow& row,
                                      SheetContextRef context) {
    if (!info.pfnComPropSheet) return 0;
    std::unique_ptr<plat::PropertyPageLogic> page = row.factory(context);
    if (!page) return 0;
    plat::PROPSHEETPAGEW record = plat::FillPropertySheetPage(module_, row.templateId, *page);
    // The pages get the common controls of the library's manifest, where the system has
    // activation contexts.
    if (void* activation = plat::ModuleActivationContext(module_, kManifestResourceId)) {
        record.dwFlags |= plat::kPspUseFusionContext;
        record.hActCtx = activation;
    }
    // The sheet copies the record; the logic it points to must live as long as the page.
    const com::LONG_PTR added = info.pfnComPropSheet(info.hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                                                     reinterpret_cast<com::LPARAM>(&record), 0);
    if (added != 0) pages_.push_back(std::move(page));
    return added;
}

}  // namespace plugin
