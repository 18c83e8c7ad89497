// Restarting the print spooler between deletions, so that it lets go of the files and keys of
// what was removed.
#pragma once
#include <cstdint>

#include "platform/platform.h"

namespace uninstall {

// Stops "Spooler", waits 2000 ms and starts it again, then waits while it is starting (up to ten
// status queries 300 ms apart); every error is ignored.
void RestartSpooler(plat::Platform& platform);

inline constexpr std::uint32_t kSpoolerRestartPause = 2000;
inline constexpr int kSpoolerStartPolls = 10;
inline constexpr std::uint32_t kSpoolerStartPollMs = 300;

}  // namespace uninstall
