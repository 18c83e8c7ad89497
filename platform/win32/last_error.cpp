// The thread's last-error code on Windows: GetLastError and SetLastError themselves.
#include <windows.h>

#include "platform/win32/last_error.h"

namespace win32 {

std::uint32_t Win32LastError::GetLastError() { return ::GetLastError(); }
void Win32LastError::SetLastError(std::uint32_t code) { ::SetLastError(code); }

}  // namespace win32
