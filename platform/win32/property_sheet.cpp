// Property sheet page records on Windows: the page procedure that hands a page's messages to
// its logic, and the plug-in's activation context for its pages.
#include <windows.h>
#include <commctrl.h>

#include "platform/property_sheet.h"

#include <cstddef>
#include <map>

#include "platform/win32/dialog_window.h"

// The record is handed to comctl32 as it is: its layout is the real one.
static_assert(sizeof(plat::PROPSHEETPAGEW) == sizeof(::PROPSHEETPAGEW));
static_assert(offsetof(plat::PROPSHEETPAGEW, hInstance) == offsetof(::PROPSHEETPAGEW, hInstance));
static_assert(offsetof(plat::PROPSHEETPAGEW, pszTemplate) == offsetof(::PROPSHEETPAGEW, pszTemplate));
static_assert(offsetof(plat::PROPSHEETPAGEW, pszTitle) == offsetof(::PROPSHEETPAGEW, pszTitle));
static_assert(offsetof(plat::PROPSHEETPAGEW, pfnDlgProc) == offsetof(::PROPSHEETPAGEW, pfnDlgProc));
static_assert(offsetof(plat::PROPSHEETPAGEW, lParam) == offsetof(::PROPSHEETPAGEW, lParam));
static_assert(offsetof(plat::PROPSHEETPAGEW, hActCtx) == offsetof(::PROPSHEETPAGEW, hActCtx));
static_assert(plat::kPspUseTitle == PSP_USETITLE && plat::kPspUseFusionContext == PSP_USEFUSIONCONTEXT);
#if !defined(_WIN64)
static_assert(sizeof(plat::PROPSHEETPAGEW) == 52);
#endif

namespace plat {

namespace {

// Every page's dialog procedure. WM_INITDIALOG brings the record comctl32 keeps; its lParam is
// the logic, which gets a window object of its own for the page's lifetime (in DWLP_USER).
std::intptr_t PLAT_CALLBACK PageProcedure(void* handle, unsigned message, std::uintptr_t wParam,
                                          std::intptr_t lParam) {
    HWND hwnd = static_cast<HWND>(handle);
    if (message == WM_INITDIALOG) {
        const auto* record = reinterpret_cast<const ::PROPSHEETPAGEW*>(lParam);
        auto* logic = record ? reinterpret_cast<PropertyPageLogic*>(record->lParam) : nullptr;
        if (!logic) return FALSE;
        auto* window = new win32::Win32DialogWindow(record->hInstance, *logic, false);
        return win32::Win32DialogWindow::DialogProc(hwnd, message, wParam,
                                                    reinterpret_cast<LPARAM>(window));
    }
    // Messages before WM_INITDIALOG, and after WM_NCDESTROY, find no window object.
    auto* window = reinterpret_cast<win32::Win32DialogWindow*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!window) return FALSE;
    const INT_PTR result = win32::Win32DialogWindow::DialogProc(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) delete window;
    return result;
}

// One activation context per module, made on first request.
std::map<std::uintptr_t, HANDLE>& ActivationContexts() {
    static std::map<std::uintptr_t, HANDLE> contexts;
    return contexts;
}

}  // namespace

PROPSHEETPAGEW FillPropertySheetPage(ModuleRef module, int templateId, PropertyPageLogic& logic) {
    PROPSHEETPAGEW record{};
    record.dwSize = sizeof record;
    record.dwFlags = kPspDefault;
    record.hInstance = reinterpret_cast<void*>(module.handle);
    record.pszTemplate = reinterpret_cast<const char16_t*>(MAKEINTRESOURCEW(templateId));
    record.pfnDlgProc = &PageProcedure;
    record.lParam = reinterpret_cast<std::intptr_t>(&logic);
    return record;
}

SheetPage PageOfRecord(const PROPSHEETPAGEW& record) {
    SheetPage page;
    page.module = ModuleRef{reinterpret_cast<std::uintptr_t>(record.hInstance)};
    if (IS_INTRESOURCE(record.pszTemplate))
        page.templateId = static_cast<int>(reinterpret_cast<std::uintptr_t>(record.pszTemplate));
    if (record.pfnDlgProc == &PageProcedure)
        page.logic = reinterpret_cast<PropertyPageLogic*>(record.lParam);
    return page;
}

void* ModuleActivationContext(ModuleRef module, int manifestId) {
    auto& contexts = ActivationContexts();
    auto it = contexts.find(module.handle);
    if (it != contexts.end()) return it->second;
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.hModule = reinterpret_cast<HMODULE>(module.handle);
    request.lpResourceName = MAKEINTRESOURCEW(manifestId);
    HANDLE context = ::CreateActCtxW(&request);
    if (context == INVALID_HANDLE_VALUE) return nullptr;  // asked again next time
    contexts[module.handle] = context;
    return context;
}

void ReleaseModuleActivationContext(ModuleRef module) {
    auto& contexts = ActivationContexts();
    auto it = contexts.find(module.handle);
    if (it == contexts.end()) return;
    ::ReleaseActCtx(it->second);
    contexts.erase(it);
}

}  // namespace plat
