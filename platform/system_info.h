// System information: version, processor, WOW64, administrator, error texts, time.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace plat {

// The fields of OSVERSIONINFOEXA that the programs read.
struct OsVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::uint32_t platformId = 0;   // VER_PLATFORM_*
    std::uint8_t productType = 0;   // VER_NT_*; 0 where the system does not report it
    char csdVersion[128] = {};
};

// What looking a function up by name at run time found (LoadLibraryA, then GetProcAddress).
enum class FunctionLookup { Found, NoLibrary, NoFunction };

class SystemInfo {
public:
    virtual ~SystemInfo() = default;

    // GetVersionExA with the extended structure. False where it fails.
    virtual bool GetVersionExA(OsVersion& out) = 0;
    // Processor architecture (PROCESSOR_ARCHITECTURE_*) from GetNativeSystemInfo, looked up by
    // name at run time. False where the system does not offer that function.
    virtual bool GetNativeProcessorArchitecture(std::uint16_t& out) = 0;
    // Processor architecture as GetSystemInfo reports it to this process.
    virtual std::uint16_t GetProcessorArchitecture() = 0;
    // IsWow64Process on the current process, looked up by name in the system directory's
    // kernel32.dll (then kernel32.dll). False when the function is missing or fails.
    virtual bool IsWow64Process(bool& wow64) = 0;
    // True when the thread's (else the process's) access token holds the built-in
    // Administrators group. A token that cannot be opened or read counts as not administrator.
    virtual bool IsUserAdministrator() = 0;
    // The system's text for an error code, as FormatMessageA(FROM_SYSTEM) gives it, cut to
    // size - 1 characters. Returns the length, 0 when the code has no text.
    virtual std::uint32_t FormatMessageA(std::uint32_t code, char* out, std::uint32_t size) = 0;
    // Loads the library by name and looks the function up in it, as a program does for a
    // function that older systems lack ("Kernel32.dll", "Wow64DisableWow64FsRedirection").
    virtual FunctionLookup LookUpFunction(const char* library, const char* function) = 0;
    // The system's 8-bit code page (1252, 936, ...).
    virtual std::uint32_t GetACP() = 0;
    // WideCharToMultiByte(CP_ACP, 0, ...): the text in the system's 8-bit code page. A
    // character the code page lacks becomes '?', its default character.
    virtual std::string WideCharToAnsi(std::u16string_view text) = 0;

    virtual void Sleep(std::uint32_t milliseconds) = 0;
    virtual std::uint32_t GetTickCount() = 0;
};

}  // namespace plat
