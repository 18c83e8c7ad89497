// The process platform of the Windows build: the real system.
#include <windows.h>

#include "platform/win32/platform.h"

namespace plat {

std::unique_ptr<Platform> MakeProcessPlatform() { return std::make_unique<win32::Win32Platform>(); }

}  // namespace plat
