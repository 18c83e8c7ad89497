// The UTF-16 file-system calls on Windows: each method is the kernel32 function it names.
#include <windows.h>

#include "platform/win32/files.h"

namespace win32 {

std::uint32_t Win32FileSystem::GetWindowsDirectoryW(char16_t* out, std::uint32_t size) {
    return ::GetWindowsDirectoryW(reinterpret_cast<LPWSTR>(out), size);
}

}  // namespace win32
