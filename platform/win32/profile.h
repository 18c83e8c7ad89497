// The profile (INI) functions on Windows: each method is the kernel32 function it names.
#pragma once
#include <windows.h>

#include "platform/profile.h"

namespace win32 {

class Win32Profile : public plat::Profile {
public:
    std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                           const char* defaultValue, char* out,
                                           std::uint32_t size, const char* file) override;
    std::uint32_t GetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                                        const char* file) override;
    bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                    const char* file) override;
    std::uint32_t GetPrivateProfileSectionNamesA(char* out, std::uint32_t size,
                                                 const char* file) override;
    std::uint32_t GetProfileStringA(const char* section, const char* key,
                                    const char* defaultValue, char* out,
                                    std::uint32_t size) override;
    bool WriteProfileStringA(const char* section, const char* key, const char* value) override;
    std::uint32_t GetPrivateProfileStringW(const char16_t* section, const char16_t* key,
                                           const char16_t* defaultValue, char16_t* out,
                                           std::uint32_t size, const char16_t* file) override;
    bool WritePrivateProfileStringW(const char16_t* section, const char16_t* key,
                                    const char16_t* value, const char16_t* file) override;
};

}  // namespace win32
