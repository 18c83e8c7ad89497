// The calling thread's last-error code, as GetLastError/SetLastError keep it.
#pragma once
#include <cstdint>

namespace plat {

class LastError {
public:
    virtual ~LastError() = default;
    virtual std::uint32_t GetLastError() = 0;
    virtual void SetLastError(std::uint32_t code) = 0;
};

}  // namespace plat
