// Device installation on Windows: SetupAPI and newdev's own calls.
#pragma once
#include <windows.h>

#include "platform/device_installation.h"

namespace win32 {

// Not built yet: cabinets fail loudly.
class Win32DeviceInstallation : public plat::DeviceInstallation {
public:
    bool SetupIterateCabinetA(const char*, const plat::CabinetCallback&) override { return false; }
};

}  // namespace win32
