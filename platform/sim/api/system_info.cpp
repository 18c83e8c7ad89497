// System information of the simulated machine: version, processor, WOW64, administrator,
// error texts, code page and the process's clock.
#include "platform/sim/api/system_info.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "platform/sim/api/call_faults.h"
#include "platform/sim/api/error_texts.h"
#include "platform/sim/api/system_libraries.h"
#include "platform/sim/state/code_page.h"
#include "platform/sim/state/timing_journal.h"
#include "platform/win_constants.h"

namespace sim {

SimSystemInfo::SimSystemInfo(const Machine& machine, const ProcessContext& process,
                             plat::LastError& error)
    : machine_(machine), process_(process), error_(error) {}

bool SimSystemInfo::GetVersionExA(plat::OsVersion& out) {
    const MachineSettings& s = machine_.settings();
    out = plat::OsVersion{};
    out.major = s.major;
    out.minor = s.minor;
    out.platformId = s.platformId;
    if (s.platformId == VER_PLATFORM_WIN32_WINDOWS) {
        // The 9x systems put major and minor version into the high word of the build number
        // and report no product type.
        out.build = (s.major << 24) | ((s.minor & 0xFF) << 16) | (s.build & 0xFFFF);
        out.productType = 0;
    } else {
        out.build = s.build;
        out.productType = s.productType;
    }
    size_t n = std::min(s.csdVersion.size(), sizeof(out.csdVersion) - 1);
    std::memcpy(out.csdVersion, s.csdVersion.data(), n);
    out.csdVersion[n] = 0;
    return true;
}

bool SimSystemInfo::GetNativeProcessorArchitecture(std::uint16_t& out) {
    if (LookUpFunction("kernel32.dll", "GetNativeSystemInfo") != plat::FunctionLookup::Found)
        return false;
    out = machine_.settings().architecture;
    return true;
}

std::uint16_t SimSystemInfo::GetProcessorArchitecture() {
    // A 32-bit program on 64-bit Windows runs in the emulated 32-bit system and sees Intel.
    if (machine_.settings().is64Bit() && process_.bits == 32) return PROCESSOR_ARCHITECTURE_INTEL;
    return machine_.settings().architecture;
}

bool SimSystemInfo::IsWow64Process(bool& wow64) {
    const std::string inSystemDir = machine_.settings().systemDir() + "\\kernel32.dll";
    if (LookUpFunction(inSystemDir.c_str(), "IsWow64Process") != plat::FunctionLookup::Found &&
        LookUpFunction("kernel32.dll", "IsWow64Process") != plat::FunctionLookup::Found)
        return false;
    wow64 = machine_.settings().is64Bit() && process_.bits == 32;
    return true;
}

bool SimSystemInfo::IsUserAdministrator() {
    // The 9x systems have no access tokens: opening one fails, and a token that cannot be
    // opened counts as not administrator.
    if (machine_.settings().platformId != VER_PLATFORM_WIN32_NT) {
        error_.SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return false;
    }
    return machine_.settings().administrator;
}

std::uint32_t SimSystemInfo::FormatMessageA(std::uint32_t code, char* out, std::uint32_t size) {
    const char* text = ErrorText(code);
    if (!text) {
        error_.SetLastError(ERROR_MR_MID_NOT_FOUND);
        return 0;
    }
    if (!out || size == 0) {
        error_.SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    size_t n = std::min<size_t>(std::strlen(text), size - 1);
    std::memcpy(out, text, n);
    out[n] = 0;
    return static_cast<std::uint32_t>(n);
}

plat::FunctionLookup SimSystemInfo::LookUpFunction(const char* library, const char* function) {
    if (!library || !*library) {
        error_.SetLastError(ERROR_MOD_NOT_FOUND);
        return plat::FunctionLookup::NoLibrary;
    }
    if (std::uint32_t fault = InjectedFault(machine_, "LoadLibraryA", library)) {
        error_.SetLastError(fault);
        return plat::FunctionLookup::NoLibrary;
    }
    const std::string name = function ? function : "";
    const plat::FunctionLookup found =
        FindSystemFunction(machine_.settings(), process_.bits, library, name);
    if (found == plat::FunctionLookup::NoLibrary) {
        error_.SetLastError(ERROR_MOD_NOT_FOUND);
        return found;
    }
    if (std::uint32_t fault = InjectedFault(machine_, "GetProcAddress", name)) {
        error_.SetLastError(fault);
        return plat::FunctionLookup::NoFunction;
    }
    if (found == plat::FunctionLookup::NoFunction) error_.SetLastError(ERROR_PROC_NOT_FOUND);
    return found;
}

std::uint32_t SimSystemInfo::GetACP() { return machine_.settings().codePage; }

std::string SimSystemInfo::WideCharToAnsi(std::u16string_view text) {
    return Utf16ToCodePage(text, machine_.settings().codePage);
}

void SimSystemInfo::Sleep(std::uint32_t milliseconds) {
    // The setting is checked when it is made; a scale outside it (NaN, infinite, huge) is still
    // never converted to an integer: it counts as the largest one allowed.
    double scale = machine_.settings().timeScale;
    if (!(scale >= 0.0)) scale = 0.0;
    if (!(scale <= kMaxTimeScale)) scale = kMaxTimeScale;
    const auto real = static_cast<std::uint64_t>(static_cast<double>(milliseconds) * scale);
    // A scale above 1 slows the program down for people watching; nothing is skipped then.
    if (real < milliseconds) skippedMs_ += milliseconds - real;
    const auto started = timing::Clock::now();
    if (real > 0) std::this_thread::sleep_for(std::chrono::milliseconds(real));
    if (timing::Enabled())
        timing::RecordSleep(process_.programName(), milliseconds, started, timing::Clock::now());
}

std::uint32_t SimSystemInfo::GetTickCount() {
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    auto ms = static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    // The tick count wraps around after 49.7 days, as Windows' does.
    return static_cast<std::uint32_t>(ms + skippedMs_.load());
}

}  // namespace sim
