// The system libraries of the simulated Windows and the functions each exports, per version.
#pragma once
#include <string>

#include "platform/sim/state/machine.h"
#include "platform/system_info.h"

namespace sim {

// What LoadLibraryA and GetProcAddress would find on a machine with these settings.
// `library` is compared without regard to letter case; a name without an extension gets
// ".dll", as LoadLibraryA adds it; a full path counts when its directory is the system
// directory a process of `bits` bits reaches (SysWOW64 for a 32-bit one on a 64-bit machine).
// `function` is compared exactly. A library the machine lacks is NoLibrary.
plat::FunctionLookup FindSystemFunction(const MachineSettings& settings, int bits,
                                        const std::string& library, const std::string& function);

}  // namespace sim
