// Restarting the print spooler between deletions, so that it lets go of the files and keys of
// what was removed.
#pragma once
#include <cstdint>

#include "platform/platform.h"

namespace uninstall {

// Stops "Spooler", waits 2000 ms and starts it again; every error is ignored.
void RestartSpooler(plat::Platform& platform);

inline constexpr std::uint32_t kSpoolerRestartPause = 2000;

}  // namespace uninstall
