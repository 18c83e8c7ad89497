// Restarting Windows: the process token's privileges and ExitWindowsEx.
#pragma once
#include <windows.h>

#include "platform/shutdown.h"

namespace win32 {

class Win32Shutdown : public plat::Shutdown {
public:
    bool OpenProcessToken(std::uint32_t desiredAccess, plat::TokenHandle& out) override;
    bool LookupPrivilegeValueA(const char* systemName, const char* name, plat::Luid& out) override;
    bool AdjustTokenPrivileges(plat::TokenHandle token, bool disableAll,
                               const plat::Luid& privilege, std::uint32_t attributes) override;
    bool CloseToken(plat::TokenHandle token) override;
    bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) override;
};

}  // namespace win32
