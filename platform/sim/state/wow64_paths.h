// 64-bit Windows' file-system redirection: where a 32-bit program's path really leads.
#pragma once
#include <string>

#include "platform/sim/state/machine.h"

namespace sim {

// The path a 32-bit process reaches on a 64-bit machine while its redirection is on, for an
// absolute normalised Windows path (win_path.h). "<windir>\System32" and everything below it
// lead to "<windir>\SysWOW64", except the subdirectories every program shares: catroot,
// catroot2, drivers\etc, logfiles and spool, and from 6.1 on driverstore. From 6.0 on
// "<windir>\Sysnative" leads to the real System32. Any other path, and every path on a 32-bit
// machine, stays as it is. Letter case is ignored; the result keeps the caller's spelling of
// the part below the redirected directory.
std::string RedirectedPath(const MachineSettings& settings, const std::string& absolutePath);

}  // namespace sim
