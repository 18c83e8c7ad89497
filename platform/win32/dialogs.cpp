// Dialogs on Windows: a top-level modal dialog from a module's templates.
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/dialogs.h"

#include <string>

#include "platform/property_sheet.h"
#include "platform/win32/dialog_window.h"

namespace win32 {

Win32Dialogs::Win32Dialogs() {
    // The templates use progress bars, trackbars, up-down, IP address, list and tree views.
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_PROGRESS_CLASS | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS |
                                      ICC_INTERNET_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
}

int Win32Dialogs::RunModal(plat::ModuleRef module, int templateId, plat::DialogLogic& logic) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(module.handle);
    Win32DialogWindow window(instance, logic, true);
    INT_PTR result = ::DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), nullptr,
                                       &Win32DialogWindow::DialogProc,
                                       reinterpret_cast<LPARAM>(&window));
    return static_cast<int>(result);
}

int Win32Dialogs::RunPropertySheet(std::u16string_view caption,
                                   std::span<const plat::PROPSHEETPAGEW> pages, int startPage) {
    const std::wstring title(caption.begin(), caption.end());
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.pszCaption = title.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = static_cast<UINT>(startPage > 0 ? startPage : 0);
    // The records have the real layout (property_sheet.cpp checks it).
    header.ppsp = reinterpret_cast<LPCPROPSHEETPAGEW>(pages.data());
    const INT_PTR result = ::PropertySheetW(&header);
    // A modal sheet answers -1 (not shown), 0 (closed without saving) or a positive value.
    if (result < 0) return -1;
    return result > 0 ? IDOK : IDCANCEL;
}

}  // namespace win32
