// The simulated thread's last-error code.
#pragma once
#include "platform/last_error.h"

namespace sim {

// Kept per thread, as Windows keeps it.
class SimLastError : public plat::LastError {
public:
    std::uint32_t GetLastError() override;
    void SetLastError(std::uint32_t code) override;
};

}  // namespace sim
