// The token calls and ExitWindowsEx on the simulated machine.
#pragma once
#include <cstdint>
#include <map>

#include "platform/last_error.h"
#include "platform/shutdown.h"
#include "platform/sim/state/machine.h"
#include "platform/sim/state/process_context.h"

namespace sim {

// The process's token lives in this object: its enabled privileges last as long as the
// process. Every user holds SeShutdownPrivilege (disabled until a program enables it), as on
// a Windows workstation. An injected fault for a call is tried before anything else.
//
// ExitWindowsEx does not end anything: it records the request in the machine's state
// (restart_requests.h) and writes it to the transcript.
class SimShutdown : public plat::Shutdown {
public:
    SimShutdown(const Machine& machine, const ProcessContext& process, plat::LastError& error);

    bool OpenProcessToken(std::uint32_t desiredAccess, plat::TokenHandle& out) override;
    // Knows the privileges programs of this kind look up; others give ERROR_NO_SUCH_PRIVILEGE.
    // A remote system name is not simulated (ERROR_NOT_SUPPORTED and a message).
    bool LookupPrivilegeValueA(const char* systemName, const char* name, plat::Luid& out) override;
    bool AdjustTokenPrivileges(plat::TokenHandle token, bool disableAll,
                               const plat::Luid& privilege, std::uint32_t attributes) override;
    bool CloseToken(plat::TokenHandle token) override;
    bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) override;

    // SeShutdownPrivilege's number, as Windows numbers it.
    static constexpr std::uint32_t kShutdownPrivilege = 19;

private:
    bool Fail(std::uint32_t code);
    bool Faulted(const char* call, const char* target = "");
    // Windows 95/98/Me: no tokens.
    bool NoTokens() const;

    const Machine& machine_;
    const ProcessContext& process_;
    plat::LastError& error_;
    // Open token handles and the access each was opened with.
    std::map<plat::TokenHandle, std::uint32_t> tokens_;
    plat::TokenHandle nextToken_ = 0x2000;
    bool shutdownEnabled_ = false;
};

}  // namespace sim
