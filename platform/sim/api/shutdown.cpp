// The token calls and ExitWindowsEx on the simulated machine.
#include "platform/sim/api/shutdown.h"

#include <cstdio>
#include <string>

#include "common/text.h"
#include "platform/sim/api/call_faults.h"
#include "platform/sim/state/restart_requests.h"
#include "platform/sim/state/transcript.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

// The privileges a privilege lookup knows, with Windows' numbers.
struct KnownPrivilege {
    const char* name;
    std::uint32_t luid;
};
constexpr KnownPrivilege kPrivileges[] = {
    {"SeSystemtimePrivilege", 12},
    {"SeShutdownPrivilege", SimShutdown::kShutdownPrivilege},
    {"SeDebugPrivilege", 20},
    {"SeRemoteShutdownPrivilege", 24},
    {"SeLoadDriverPrivilege", 10},
};

}  // namespace

SimShutdown::SimShutdown(const Machine& machine, const ProcessContext& process,
                         plat::LastError& error)
    : machine_(machine), process_(process), error_(error) {}

bool SimShutdown::Fail(std::uint32_t code) {
    error_.SetLastError(code);
    return false;
}

bool SimShutdown::Faulted(const char* call, const char* target) {
    const std::uint32_t code = InjectedFault(machine_, call, target ? target : "");
    if (code == ERROR_SUCCESS) return false;
    error_.SetLastError(code);
    return true;
}

bool SimShutdown::NoTokens() const { return machine_.settings().platformId != 2; }

bool SimShutdown::OpenProcessToken(std::uint32_t desiredAccess, plat::TokenHandle& out) {
    out = 0;
    if (NoTokens()) return Fail(ERROR_CALL_NOT_IMPLEMENTED);
    if (Faulted("OpenProcessToken")) return false;
    out = nextToken_;
    nextToken_ += 4;
    tokens_[out] = desiredAccess;
    return true;
}

bool SimShutdown::LookupPrivilegeValueA(const char* systemName, const char* name,
                                        plat::Luid& out) {
    out = {};
    if (NoTokens()) return Fail(ERROR_CALL_NOT_IMPLEMENTED);
    if (Faulted("LookupPrivilegeValueA", name)) return false;
    if (systemName && *systemName) {
        std::fprintf(stderr, "simulator: LookupPrivilegeValueA on another system (%s) is not "
                             "simulated\n", systemName);
        return Fail(ERROR_NOT_SUPPORTED);
    }
    if (!name) return Fail(ERROR_INVALID_PARAMETER);
    for (const KnownPrivilege& privilege : kPrivileges)
        if (common::EqualsNoCase(privilege.name, name)) {
            out.LowPart = privilege.luid;
            return true;
        }
    return Fail(ERROR_NO_SUCH_PRIVILEGE);
}

bool SimShutdown::AdjustTokenPrivileges(plat::TokenHandle token, bool disableAll,
                                        const plat::Luid& privilege, std::uint32_t attributes) {
    if (NoTokens()) return Fail(ERROR_CALL_NOT_IMPLEMENTED);
    if (Faulted("AdjustTokenPrivileges")) return false;
    const auto it = tokens_.find(token);
    if (it == tokens_.end()) return Fail(ERROR_INVALID_HANDLE);
    if (!(it->second & TOKEN_ADJUST_PRIVILEGES)) return Fail(ERROR_ACCESS_DENIED);
    if (disableAll) {
        shutdownEnabled_ = false;
        error_.SetLastError(ERROR_SUCCESS);
        return true;
    }
    // Only the shutdown privilege is held (and so can change); asking for another succeeds
    // with nothing done, as Windows reports it.
    if (privilege.HighPart != 0 || privilege.LowPart != kShutdownPrivilege) {
        error_.SetLastError(ERROR_NOT_ALL_ASSIGNED);
        return true;
    }
    shutdownEnabled_ = (attributes & SE_PRIVILEGE_ENABLED) != 0;
    error_.SetLastError(ERROR_SUCCESS);
    return true;
}

bool SimShutdown::CloseToken(plat::TokenHandle token) {
    if (NoTokens()) return Fail(ERROR_CALL_NOT_IMPLEMENTED);
    // Closing the handle leaves the process's token, and its enabled privileges, as they are.
    if (tokens_.erase(token) == 0) return Fail(ERROR_INVALID_HANDLE);
    return true;
}

bool SimShutdown::ExitWindowsEx(std::uint32_t flags, std::uint32_t) {
    const std::string what = DescribeExitFlags(flags);
    if (Faulted("ExitWindowsEx")) return false;
    const bool endsSystem = (flags & (EWX_SHUTDOWN | EWX_REBOOT | EWX_POWEROFF)) != 0;
    if (!NoTokens() && endsSystem && !shutdownEnabled_) return Fail(ERROR_PRIVILEGE_NOT_HELD);
    if (!RecordRestartRequest(machine_, {process_.programName(), flags})) return Fail(ERROR_WRITE_FAULT);
    AppendTranscript(machine_.dir(), process_.programName(), "asks Windows to " + what);
    return true;
}

}  // namespace sim
