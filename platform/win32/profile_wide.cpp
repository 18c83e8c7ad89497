// The UTF-16 profile functions on Windows: each method is the kernel32 function it names.
#include <windows.h>

#include "platform/win32/profile.h"

namespace win32 {

namespace {
LPCWSTR W(const char16_t* text) { return reinterpret_cast<LPCWSTR>(text); }
}  // namespace

std::uint32_t Win32Profile::GetPrivateProfileStringW(const char16_t* section, const char16_t* key,
                                                     const char16_t* defaultValue, char16_t* out,
                                                     std::uint32_t size, const char16_t* file) {
    return ::GetPrivateProfileStringW(W(section), W(key), W(defaultValue),
                                      reinterpret_cast<LPWSTR>(out), size, W(file));
}

bool Win32Profile::WritePrivateProfileStringW(const char16_t* section, const char16_t* key,
                                              const char16_t* value, const char16_t* file) {
    return ::WritePrivateProfileStringW(W(section), W(key), W(value), W(file)) != FALSE;
}

}  // namespace win32
