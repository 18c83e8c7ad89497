// The machine's services and their run states, as the service control manager keeps them.
//
// Stored in "state/services.txt", one service a line: "NAME STATE". A machine whose file does
// not name a service has it in its starting state: the "Spooler" runs on the NT platform.
#pragma once
#include <cstdint>
#include <string>

#include "platform/sim/state/machine.h"

namespace sim {

// SERVICE_STOPPED, SERVICE_START_PENDING, SERVICE_STOP_PENDING, SERVICE_RUNNING; 0 when the
// machine has no service of that name.
std::uint32_t ServiceState(const Machine& machine, const std::string& name);
// True while the spooler service runs: the spooler's calls are answered and it holds the DLLs
// of its monitors and print processors.
bool SpoolerRunning(const Machine& machine);

}  // namespace sim
