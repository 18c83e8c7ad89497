// The page host of the plug-in's sheets: makes each page's logic, keeps it while the sheet is
// open, and hands the driver's sheet a PROPSHEETPAGEW for it.
#pragma once
#include <memory>
#include <vector>

#include "platform/module.h"
#include "platform/property_page.h"
#include "plugin/com/SheetPages.h"

namespace plugin {

// The resource id of the library's isolation manifest (RT_MANIFEST), from which its pages'
// activation context is made.
inline constexpr int kManifestResourceId = 2;

class PluginPageHost final : public SheetPageHost {
public:
    // Pages are made from `module`'s templates: the plug-in library's own.
    explicit PluginPageHost(plat::ModuleRef module) : module_(module) {}

    // Fills the page's record (template, page procedure, the logic; the library's activation
    // context where one exists) and adds it with CPSFUNC_ADD_PROPSHEETPAGEW. A page the sheet
    // did not take (result 0) is not kept; a row whose factory makes nothing adds nothing.
    com::LONG_PTR AddPage(const com::PROPSHEETUI_INFO& info, const PageRow& row,
                          SheetContextRef context) override;

    // The sheet is gone (PROPSHEETUI_REASON_DESTROY): its pages' logic goes with it.
    void ReleasePages() { pages_.clear(); }
    std::size_t pageCount() const { return pages_.size(); }

private:
    plat::ModuleRef module_;
    std::vector<std::unique_ptr<plat::PropertyPageLogic>> pages_;
};

}  // namespace plugin
