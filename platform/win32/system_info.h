// System information on Windows: version, processor, WOW64, administrator, error texts, time.
#pragma once
#include <windows.h>

#include "platform/system_info.h"

namespace win32 {

class Win32SystemInfo : public plat::SystemInfo {
public:
    bool GetVersionExA(plat::OsVersion& out) override;
    bool GetNativeProcessorArchitecture(std::uint16_t& out) override;
    std::uint16_t GetProcessorArchitecture() override;
    bool IsWow64Process(bool& wow64) override;
    bool IsUserAdministrator() override;
    std::uint32_t FormatMessageA(std::uint32_t code, char* out, std::uint32_t size) override;
    std::uint32_t GetACP() override;
    std::string WideCharToAnsi(std::u16string_view text) override;
    plat::FunctionLookup LookUpFunction(const char* library, const char* function) override;
    void Sleep(std::uint32_t milliseconds) override;
    std::uint32_t GetTickCount() override;
};

}  // namespace win32
