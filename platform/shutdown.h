// Restarting Windows: the process token's privileges and ExitWindowsEx.
#pragma once
#include <cstdint>

namespace plat {

// An access token handle as OpenProcessToken gives it (a HANDLE on Windows); 0 is none.
using TokenHandle = std::uintptr_t;

// LUID: a privilege's number on this system.
struct Luid {
    std::uint32_t LowPart = 0;
    std::int32_t HighPart = 0;
};

// Shaped after advapi32's and user32's calls: a BOOL becomes bool and sets the thread's last
// error. Windows 95/98/Me have no tokens: there the token calls fail with
// ERROR_CALL_NOT_IMPLEMENTED and ExitWindowsEx needs no privilege.
class Shutdown {
public:
    virtual ~Shutdown() = default;

    // OpenProcessToken(GetCurrentProcess(), desiredAccess, &token): TOKEN_ADJUST_PRIVILEGES,
    // TOKEN_QUERY, ...
    virtual bool OpenProcessToken(std::uint32_t desiredAccess, TokenHandle& out) = 0;
    // LookupPrivilegeValueA(systemName, name, &luid): "SeShutdownPrivilege" on the local
    // system (null). ERROR_NO_SUCH_PRIVILEGE for a name the system does not know.
    virtual bool LookupPrivilegeValueA(const char* systemName, const char* name, Luid& out) = 0;
    // AdjustTokenPrivileges(token, disableAll, one privilege with its SE_PRIVILEGE_* attributes,
    // 0, null, null). As on Windows the call succeeds also when the token does not hold the
    // privilege; the last error then is ERROR_NOT_ALL_ASSIGNED instead of ERROR_SUCCESS, so a
    // caller checks both. The token must have been opened with TOKEN_ADJUST_PRIVILEGES.
    virtual bool AdjustTokenPrivileges(TokenHandle token, bool disableAll, const Luid& privilege,
                                       std::uint32_t attributes) = 0;
    // CloseHandle of a token.
    virtual bool CloseToken(TokenHandle token) = 0;
    // ExitWindowsEx(flags, reason) with EWX_* flags. On the NT family a restart, shut-down or
    // power-off needs the process's SeShutdownPrivilege enabled (ERROR_PRIVILEGE_NOT_HELD).
    // Windows acts after the call returns.
    virtual bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) = 0;
};

}  // namespace plat
