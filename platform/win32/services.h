// Services on Windows: the service control manager's own calls.
#pragma once
#include <windows.h>

#include "platform/services.h"

namespace win32 {

class Win32Services : public plat::Services {};

}  // namespace win32
