// The thread's last-error code on Windows: GetLastError and SetLastError themselves.
#pragma once
#include <windows.h>

#include "platform/last_error.h"

namespace win32 {

class Win32LastError : public plat::LastError {
public:
    std::uint32_t GetLastError() override;
    void SetLastError(std::uint32_t code) override;
};

}  // namespace win32
