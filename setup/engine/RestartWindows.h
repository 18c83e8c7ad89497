// Restarting Windows after an installation or removal that needs it.
#pragma once
#include "platform/platform.h"

namespace setup {

// Asks Windows to restart (ExitWindowsEx with EWX_REBOOT). On the NT family the process token
// is opened for privilege adjustment and SeShutdownPrivilege enabled first; the restart is
// asked for only when that adjustment succeeded. Windows 95/98/Me have no tokens: there the
// request is made directly. False, with the thread's last error set, when any step fails.
bool RestartWindows(plat::Platform& platform);

inline constexpr const char* kShutdownPrivilegeName = "SeShutdownPrivilege";

}  // namespace setup
