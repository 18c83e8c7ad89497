// Dialogs on Windows: a top-level modal dialog from a module's templates.
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/dialogs.h"

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

}  // namespace win32
