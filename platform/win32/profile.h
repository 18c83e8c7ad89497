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
};

}  // namespace win32
