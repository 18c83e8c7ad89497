// Stopping, starting and waiting for the "Spooler" service while a component in use is replaced.
#pragma once
#include <cstdint>

#include "setup/engine/EngineContext.h"

namespace setup {

// Asks the spooler to stop; errors are ignored.
void StopSpooler(EngineContext& ctx);
// Starts the spooler; a spooler already running is success. A failure sets the result text to
// "Start spool service error, error code = N" and returns false.
bool StartSpooler(EngineContext& ctx);
// Polls the spooler's state up to ten times, 300 ms apart, until it runs. When it does not, the
// result text becomes "StartSpoolService error". Returns the last state seen (SERVICE_STOPPED
// when none could be read).
std::uint32_t WaitSpoolerRunning(EngineContext& ctx);

inline constexpr int kSpoolerPolls = 10;
inline constexpr std::uint32_t kSpoolerPollMs = 300;

}  // namespace setup
