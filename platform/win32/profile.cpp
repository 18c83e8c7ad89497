// The profile (INI) functions on Windows: each method is the kernel32 function it names.
#include <windows.h>

#include "platform/win32/profile.h"

namespace win32 {

std::uint32_t Win32Profile::GetPrivateProfileStringA(const char* section, const char* key,
                                                     const char* defaultValue, char* out,
                                                     std::uint32_t size, const char* file) {
    return ::GetPrivateProfileStringA(section, key, defaultValue, out, size, file);
}

std::uint32_t Win32Profile::GetPrivateProfileIntA(const char* section, const char* key,
                                                  int defaultValue, const char* file) {
    return ::GetPrivateProfileIntA(section, key, defaultValue, file);
}

bool Win32Profile::WritePrivateProfileStringA(const char* section, const char* key,
                                              const char* value, const char* file) {
    return ::WritePrivateProfileStringA(section, key, value, file) != FALSE;
}

std::uint32_t Win32Profile::GetPrivateProfileSectionNamesA(char* out, std::uint32_t size,
                                                           const char* file) {
    return ::GetPrivateProfileSectionNamesA(out, size, file);
}

std::uint32_t Win32Profile::GetProfileStringA(const char* section, const char* key,
                                              const char* defaultValue, char* out,
                                              std::uint32_t size) {
    return ::GetProfileStringA(section, key, defaultValue, out, size);
}

bool Win32Profile::WriteProfileStringA(const char* section, const char* key, const char* value) {
    return ::WriteProfileStringA(section, key, value) != FALSE;
}

}  // namespace win32
