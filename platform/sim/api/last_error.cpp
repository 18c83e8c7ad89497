// The simulated thread's last-error code.
#include "platform/sim/api/last_error.h"

namespace sim {

namespace {
thread_local std::uint32_t lastError = 0;
}

std::uint32_t SimLastError::GetLastError() { return lastError; }
void SimLastError::SetLastError(std::uint32_t code) { lastError = code; }

}  // namespace sim
