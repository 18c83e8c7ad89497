// The machine's services and their run states, as the service control manager keeps them.
//
// Stored in "state/services.txt", one service a line:
//   "NAME STATE START_POLLS STOP_POLLS POLLS_LEFT"
// with STATE one of stopped, start-pending, running, stop-pending, the poll counts a number or
// "never". A line of only "NAME STATE" (older machines) keeps the default counts. A service the
// file does not name is in its starting state: the machine's one service, "Spooler", exists on
// the NT platform only and runs.
//
// A start or stop request may leave the service pending for some status queries first: after a
// start, the first START_POLLS QueryServiceStatus calls (any process's) see start pending and the
// next one sees it running; "never" keeps it start pending for good. A pending state that is not
// "never" also settles once the program that asked for it has ended, as by then the real service
// would long be done: a program that starts the spooler and exits without waiting does not leave
// it half started for the next one. Such a line carries the requester as "PID STARTTIME" after
// POLLS_LEFT.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/state/desktop_state.h"
#include "platform/sim/state/machine.h"

namespace sim {

// A poll count meaning the pending state is never left.
inline constexpr int kNeverLeaves = -1;
// Starting the spooler takes about half a second; programs poll every 300 ms or so.
inline constexpr int kDefaultStartPolls = 2;
// Stopping takes effect at once.
inline constexpr int kDefaultStopPolls = 0;
// The largest poll count a knob takes.
inline constexpr int kMaxPolls = 1000;

struct ServiceRecord {
    std::string name;                      // as the machine spells it: "Spooler"
    std::uint32_t state = 0;               // SERVICE_STOPPED, ..._START_PENDING, ...
    int startPolls = kDefaultStartPolls;   // status queries spent start pending, or kNeverLeaves
    int stopPolls = kDefaultStopPolls;     // status queries spent stop pending, or kNeverLeaves
    int pollsLeft = 0;                     // while pending: the queries before it settles
    ProcessOwner requester;                // while pending: who asked; pid 0 for nobody
};

// The machine's services with their states, in name order. Empty on the 9x platform.
std::vector<ServiceRecord> ReadServices(const Machine& machine);
// The service of that name (letter case aside), or none.
std::optional<ServiceRecord> FindService(const Machine& machine, const std::string& name);

// SERVICE_STOPPED, SERVICE_START_PENDING, SERVICE_STOP_PENDING, SERVICE_RUNNING; 0 when the
// machine has no service of that name.
std::uint32_t ServiceState(const Machine& machine, const std::string& name);
// True while the spooler service runs: the spooler's calls are answered.
bool SpoolerRunning(const Machine& machine);
// True while the spooler's process has its monitors and print processors loaded: it runs, or it
// is stopping and has not yet unloaded them.
bool SpoolerHoldsModules(const Machine& machine);

// The requests of the service control manager, each one step under the machine lock. They
// return 0 or a Win32 error and leave the service's record after the request in `after`.
//
// StartServiceA: a stopped service goes start pending (running at once when its start takes no
// polls). ERROR_SERVICE_DOES_NOT_EXIST, or ERROR_SERVICE_ALREADY_RUNNING when it is not stopped.
std::uint32_t RequestServiceStart(const Machine& machine, const std::string& name,
                                  ServiceRecord& after);
// ControlService(SERVICE_CONTROL_STOP): a running service goes stop pending (stopped at once
// when its stop takes no polls). ERROR_SERVICE_NOT_ACTIVE when it is stopped,
// ERROR_SERVICE_CANNOT_ACCEPT_CTRL while it is pending either way.
std::uint32_t RequestServiceStop(const Machine& machine, const std::string& name,
                                 ServiceRecord& after);
// QueryServiceStatus: one status query, which moves a pending service one poll on.
std::uint32_t PollServiceStatus(const Machine& machine, const std::string& name,
                                ServiceRecord& after);

// For winsim: puts the service in SERVICE_RUNNING or SERVICE_STOPPED at once.
std::uint32_t SetServiceState(const Machine& machine, const std::string& name,
                              std::uint32_t state);
// For winsim: the poll counts of later starts and stops (unchanged where not given). A count
// from 0 to kMaxPolls, or kNeverLeaves. ERROR_INVALID_PARAMETER for another number.
std::uint32_t SetServicePolls(const Machine& machine, const std::string& name,
                              std::optional<int> startPolls, std::optional<int> stopPolls);

// "stopped", "start-pending", "running", "stop-pending"; "unknown" for another value.
const char* ServiceStateName(std::uint32_t state);

}  // namespace sim
