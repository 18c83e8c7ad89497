// Property sheet page records on the simulated machine: the record carries the page's logic in
// lParam beside a page procedure that marks it as made here, so the simulated sheet can drive
// the logic directly.
#include "platform/property_sheet.h"

namespace plat {

namespace {

// Marks a record as FillPropertySheetPage's; the simulated sheet never calls it, as it sends
// the logic its events itself.
std::intptr_t PLAT_CALLBACK SimulatedPageProcedure(void*, unsigned, std::uintptr_t, std::intptr_t) {
    return 0;
}

}  // namespace

PROPSHEETPAGEW FillPropertySheetPage(ModuleRef module, int templateId, PropertyPageLogic& logic) {
    PROPSHEETPAGEW record{};
    record.dwSize = sizeof record;
    record.dwFlags = kPspDefault;
    record.hInstance = reinterpret_cast<void*>(module.handle);
    // MAKEINTRESOURCEW: the id in the pointer's low word.
    record.pszTemplate = reinterpret_cast<const char16_t*>(static_cast<std::uintptr_t>(static_cast<std::uint16_t>(templateId)));
    record.pfnDlgProc = &SimulatedPageProcedure;
    record.lParam = reinterpret_cast<std::intptr_t>(&logic);
    return record;
}

SheetPage PageOfRecord(const PROPSHEETPAGEW& record) {
    SheetPage page;
    page.module = ModuleRef{reinterpret_cast<std::uintptr_t>(record.hInstance)};
    const auto templateName = reinterpret_cast<std::uintptr_t>(record.pszTemplate);
    // IS_INTRESOURCE: an id fits the low word; a name is a real pointer.
    if (templateName > 0 && templateName < 0x10000) page.templateId = static_cast<int>(templateName);
    if (record.pfnDlgProc == &SimulatedPageProcedure)
        page.logic = reinterpret_cast<PropertyPageLogic*>(record.lParam);
    return page;
}

// Simulated machines have no side-by-side assemblies: every module gets the same controls.
void* ModuleActivationContext(ModuleRef, int) { return nullptr; }
void ReleaseModuleActivationContext(ModuleRef) {}

}  // namespace plat
