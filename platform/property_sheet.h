// Property sheet pages as a program hands them to a sheet: the PROPSHEETPAGEW record, with its
// published layout, and how a page's logic travels in one.
//
// A DLL that adds pages to someone else's sheet (the printer driver's) cannot give the sheet a
// DialogLogic: it gives a PROPSHEETPAGEW naming its module, the page's template and a dialog
// procedure. FillPropertySheetPage makes that record for a page logic: on Windows the procedure
// is the platform's adapter, which forwards the real messages to the logic (WM_INITDIALOG
// brings the record, whose lParam is the logic); on the simulated machine the sheet reads the
// logic back with PageOfRecord and drives it as it drives every dialog.
#pragma once
#include <cstdint>

#include "platform/module.h"
#include "platform/property_page.h"

#if defined(_WIN32) && !defined(_WIN64)
#define PLAT_CALLBACK __stdcall
#else
#define PLAT_CALLBACK
#endif

namespace plat {

// DLGPROC: (HWND, message, WPARAM, LPARAM) -> INT_PTR.
using DialogProcedure = std::intptr_t(PLAT_CALLBACK*)(void* window, unsigned message,
                                                        std::uintptr_t wParam,
                                                        std::intptr_t lParam);

// PSP_* flags of PROPSHEETPAGEW.dwFlags the plug-in uses.
inline constexpr std::uint32_t kPspDefault = 0x00000000;       // PSP_DEFAULT
inline constexpr std::uint32_t kPspUseTitle = 0x00000008;      // PSP_USETITLE
inline constexpr std::uint32_t kPspUseFusionContext = 0x4000;  // PSP_USEFUSIONCONTEXT

// PROPSHEETPAGEW as comctl32 6 reads it (the version with hActCtx: 52 bytes on 32-bit Windows).
struct PROPSHEETPAGEW {
    std::uint32_t dwSize;
    std::uint32_t dwFlags;
    void* hInstance;                  // the module of the template
    const char16_t* pszTemplate;      // MAKEINTRESOURCEW(template id), or pResource
    const void* hIcon;                // or pszIcon
    const char16_t* pszTitle;         // with PSP_USETITLE
    DialogProcedure pfnDlgProc;
    std::intptr_t lParam;             // handed back in WM_INITDIALOG's record
    void* pfnCallback;
    std::uint32_t* pcRefParent;
    const char16_t* pszHeaderTitle;
    const char16_t* pszHeaderSubTitle;
    void* hActCtx;                    // with PSP_USEFUSIONCONTEXT
};

// A zeroed record for the page: dwSize, hInstance = module, pszTemplate = the template id,
// pfnDlgProc = the platform's page procedure and lParam = the logic, which must outlive the
// sheet. The caller adds flags, a title or an activation context.
PROPSHEETPAGEW FillPropertySheetPage(ModuleRef module, int templateId, PropertyPageLogic& logic);

// A page of a sheet as the simulated machine shows it: its template and its logic.
struct SheetPage {
    ModuleRef module;
    int templateId = 0;
    PropertyPageLogic* logic = nullptr;
};

// The page a record made by FillPropertySheetPage stands for; a page with no logic for a record
// made otherwise (its template id is still read when pszTemplate is an id).
SheetPage PageOfRecord(const PROPSHEETPAGEW& record);

// The activation context of the module's own manifest (RT_MANIFEST resource `manifestId`), so
// its pages get the common controls the manifest names (PSP_USEFUSIONCONTEXT): made on first
// request and kept until released. Null where there is none: on the simulated machine, or when
// Windows cannot make it.
void* ModuleActivationContext(ModuleRef module, int manifestId);
// Releases the module's activation context, if one was made (the module's process detach).
void ReleaseModuleActivationContext(ModuleRef module);

}  // namespace plat
