// The DLLs the running spooler has loaded, which no other program may replace or delete.
#pragma once
#include <string>
#include <vector>

#include "platform/sim/state/machine.h"

namespace sim {

// The native print environment of the machine: "Windows x64" on AMD64, "Windows IA64" on
// Itanium, "Windows NT x86" otherwise, with its directory name below spool\drivers and
// spool\prtprocs ("x64", "ia64", "w32x86").
struct NativeEnvironment {
    const char* name;
    const char* directory;
};
NativeEnvironment NativeEnvironmentOf(const MachineSettings& settings);

// Absolute Windows paths of the DLLs the spooler holds while SpoolerHoldsModules: for each
// monitor under print_keys::kMonitors its "Driver" file in the native system directory, and for
// each print processor of the native environment its "Driver" file in that environment's
// print-processor directory. A "Driver" value that is a full path ("C:\...") is taken as it
// is. Empty while the spooler does not hold them or on the 9x platform.
std::vector<std::string> SpoolerHeldModules(const Machine& machine);

}  // namespace sim
