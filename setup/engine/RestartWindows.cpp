// Restarting Windows: the shutdown privilege on the NT family, then the request.
#include "setup/engine/RestartWindows.h"

#include "platform/win_constants.h"

namespace setup {

namespace {

// Enables SeShutdownPrivilege in the process token. AdjustTokenPrivileges succeeds also when
// the privilege is not held, so its last error decides.
bool EnableShutdownPrivilege(plat::Platform& platform) {
    plat::Shutdown& shutdown = platform.shutdown();
    plat::LastError& lastError = platform.lastError();
    plat::TokenHandle token = 0;
    if (!shutdown.OpenProcessToken(TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token)) return false;
    plat::Luid luid;
    bool enabled = false;
    if (shutdown.LookupPrivilegeValueA(nullptr, kShutdownPrivilegeName, luid))
        enabled = shutdown.AdjustTokenPrivileges(token, false, luid, SE_PRIVILEGE_ENABLED) &&
                  lastError.GetLastError() == ERROR_SUCCESS;
    // The error of the failed step is what the caller sees, not the close's.
    const std::uint32_t error = lastError.GetLastError();
    shutdown.CloseToken(token);
    lastError.SetLastError(error);
    return enabled;
}

}  // namespace

bool RestartWindows(plat::Platform& platform) {
    plat::OsVersion version;
    const bool nt = platform.system().GetVersionExA(version) &&
                    version.platformId == VER_PLATFORM_WIN32_NT;
    if (nt && !EnableShutdownPrivilege(platform)) return false;
    return platform.shutdown().ExitWindowsEx(EWX_REBOOT, 0);
}

}  // namespace setup
