// System information of the simulated machine, from its settings.
//
// The machine's settings decide what the calls report; the word size of the process decides
// what WOW64 and GetSystemInfo show. Sleep and GetTickCount run on this process's clock, which
// runs with the host's monotonic clock and jumps ahead by the part of each sleep that the
// machine's time scale skips.
//
// On the 9x platform nobody is administrator: those systems have no access tokens, so the
// token check fails (ERROR_CALL_NOT_IMPLEMENTED) and counts as "not administrator". On 9x,
// GetVersionExA succeeds with product type 0 and the version in the build number's high word.
//
// Functions looked up at run time are found as system_libraries.h lists them; the injected
// faults "LoadLibraryA" (on the library name as asked for) and "GetProcAddress" (on the
// function name) make a lookup fail. GetNativeSystemInfo and IsWow64Process are looked up so
// too, IsWow64Process first in the system directory's kernel32.dll, then by name.
#pragma once
#include <atomic>

#include "platform/last_error.h"
#include "platform/sim/state/machine.h"
#include "platform/sim/state/process_context.h"
#include "platform/system_info.h"

namespace sim {

class SimSystemInfo : public plat::SystemInfo {
public:
    SimSystemInfo(const Machine& machine, const ProcessContext& process, plat::LastError& error);

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

private:
    const Machine& machine_;
    ProcessContext process_;
    plat::LastError& error_;
    std::atomic<std::uint64_t> skippedMs_{0};  // sleep time not really slept
};

}  // namespace sim
