// Requests to end the Windows session (ExitWindowsEx) that programs made on the machine.
//
// Stored in "state/restart.txt", one request a line: "PROGRAM FLAGS" with the EWX_* flags in
// hexadecimal. The simulated machine does not go down; the record says that it was asked to,
// so tests and people (winsim show) see it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sim/state/machine.h"

namespace sim {

struct RestartRequest {
    std::string program;    // "setup", as the transcript names programs
    std::uint32_t flags = 0;  // EWX_REBOOT, EWX_SHUTDOWN | EWX_FORCE, ...
};

// Appends the request under the machine lock; false when the state cannot be written.
bool RecordRestartRequest(const Machine& machine, const RestartRequest& request);
// Every request in the order made; lines that cannot be read are left out.
std::vector<RestartRequest> RestartRequests(const Machine& machine);
// What the flags ask for, for people: "restart", "shut down", "power off" or "log off", with
// ", forced" when EWX_FORCE or EWX_FORCEIFHUNG is set.
std::string DescribeExitFlags(std::uint32_t flags);

}  // namespace sim
