// Restarting the print spooler between deletions, so that it lets go of the files and keys of
// what was removed.
#pragma once
#include <cstdint>

#include "platform/platform.h"

namespace uninstall {

// Stops "Spooler", waits 2000 ms and starts it again, then waits while it is starting (up to 60
// status queries 50 ms apart, at most 3 s as before, but the person waits at most 50 ms past
// the moment it runs: a removal restarts the spooler up to twice per printer); every error is
// ignored.
void RestartSpooler(plat::Platform& platform);

inline constexpr std::uint32_t kSpoolerRestartPause = 2000;
inline constexpr int kSpoolerStartPolls = 60;
inline constexpr std::uint32_t kSpoolerStartPollMs = 50;

}  // namespace uninstall
