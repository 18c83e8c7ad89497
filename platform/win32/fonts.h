// Fonts on Windows: the system's own font calls.
#pragma once
#include <windows.h>

#include "platform/fonts.h"

namespace win32 {

class Win32Fonts : public plat::Fonts {};

}  // namespace win32
