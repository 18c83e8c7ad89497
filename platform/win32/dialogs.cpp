// PLACEHOLDER until the Win32 dialog adapter is written: no dialog can be run yet.
#include <windows.h>

#include "platform/win32/dialogs.h"

namespace win32 {

int Win32Dialogs::RunModal(int, plat::DialogLogic&) {
    ::SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return -1;
}

}  // namespace win32
