// The exports of the simulated system libraries that programs look up at run time.
#include "platform/sim/api/system_libraries.h"

#include <cstring>

#include "common/text.h"
#include "platform/sim/state/win_path.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

// Since which systems a function is exported.
enum class Since {
    Always,         // every Windows the machine can be
    NtOnly,         // the NT platform, any version
    Nt5,            // Windows 2000 (5.0) and later
    NativeInfo,     // where GetNativeSystemInfo exists (machine setting)
    Wow64Calls,     // where IsWow64Process and the redirection calls exist (machine setting)
};

struct Export {
    const char* library;  // lower case, with extension
    const char* function;
    Since since;
};

// The functions the programs look up by name, and a few every program imports, so that a
// lookup of an ordinary function finds it.
constexpr Export kExports[] = {
    {"kernel32.dll", "IsWow64Process", Since::Wow64Calls},
    {"kernel32.dll", "Wow64DisableWow64FsRedirection", Since::Wow64Calls},
    {"kernel32.dll", "Wow64RevertWow64FsRedirection", Since::Wow64Calls},
    {"kernel32.dll", "GetNativeSystemInfo", Since::NativeInfo},
    {"kernel32.dll", "GetSystemInfo", Since::Always},
    {"kernel32.dll", "GetVersionExA", Since::Always},
    {"kernel32.dll", "LoadLibraryA", Since::Always},
    {"kernel32.dll", "GetProcAddress", Since::Always},
    {"kernel32.dll", "FreeLibrary", Since::Always},
    {"kernel32.dll", "CopyFileA", Since::Always},
    {"winspool.drv", "SetDefaultPrinterA", Since::Nt5},
    {"winspool.drv", "GetDefaultPrinterA", Since::Nt5},
    {"winspool.drv", "AddPrinterDriverA", Since::Always},
    {"winspool.drv", "AddMonitorA", Since::Always},
    {"winspool.drv", "AddPrinterA", Since::Always},
    {"winspool.drv", "OpenPrinterA", Since::Always},
    {"winspool.drv", "DeletePrinterDriverA", Since::Always},
    {"winspool.drv", "DeletePrinterDriverExA", Since::Nt5},
    {"advapi32.dll", "OpenSCManagerA", Since::NtOnly},
    {"advapi32.dll", "OpenServiceA", Since::NtOnly},
    {"advapi32.dll", "StartServiceA", Since::NtOnly},
    {"advapi32.dll", "ControlService", Since::NtOnly},
    {"advapi32.dll", "QueryServiceStatus", Since::NtOnly},
    {"advapi32.dll", "CloseServiceHandle", Since::NtOnly},
    {"advapi32.dll", "RegOpenKeyExA", Since::Always},
    {"setupapi.dll", "SetupIterateCabinetA", Since::Always},
    {"user32.dll", "SendMessageTimeoutA", Since::Always},
    {"user32.dll", "MessageBoxA", Since::Always},
    {"shell32.dll", "ShellExecuteA", Since::Always},
};

bool Exported(const MachineSettings& s, Since since) {
    const bool nt = s.platformId == VER_PLATFORM_WIN32_NT;
    switch (since) {
        case Since::Always: return true;
        case Since::NtOnly: return nt;
        case Since::Nt5: return nt && s.major >= 5;
        case Since::NativeInfo: return s.hasNativeSystemInfo;
        case Since::Wow64Calls: return s.hasIsWow64Process;
    }
    return false;
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// The library's file name in lower case, or empty when the name cannot be a system library:
// a path whose directory is not the system directory this process reaches.
std::string LibraryFileName(const MachineSettings& s, int bits, const std::string& library) {
    std::string name = library;
    if (name.find_first_of("\\/") != std::string::npos) {
        const std::string full = AbsoluteWindowsPath("C:\\", name);
        if (full.empty()) return {};
        const std::string dir = DirectoryOf(full);
        const std::string system =
            (s.is64Bit() && bits == 32 ? s.systemWow64Dir() : s.systemDir()) + "\\";
        // A 32-bit program naming System32 is redirected to SysWOW64, which holds the same
        // libraries.
        if (!common::EqualsNoCase(dir, system) &&
            !common::EqualsNoCase(dir, s.systemDir() + "\\"))
            return {};
        name = FileNameOf(full);
    }
    // LoadLibraryA adds ".dll" to a name without an extension; a trailing dot means none.
    if (name.find('.') == std::string::npos) name += ".dll";
    if (!name.empty() && name.back() == '.') name.pop_back();
    return Lower(name);
}

}  // namespace

plat::FunctionLookup FindSystemFunction(const MachineSettings& settings, int bits,
                                        const std::string& library, const std::string& function) {
    const std::string file = LibraryFileName(settings, bits, library);
    bool libraryFound = false;
    for (const Export& e : kExports) {
        if (file != e.library) continue;
        libraryFound = true;
        if (function == e.function && Exported(settings, e.since))
            return plat::FunctionLookup::Found;
    }
    return libraryFound ? plat::FunctionLookup::NoFunction : plat::FunctionLookup::NoLibrary;
}

}  // namespace sim
