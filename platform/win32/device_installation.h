// Device installation on Windows: SetupAPI and newdev's own calls.
#pragma once
#include <windows.h>

#include "platform/device_installation.h"

namespace win32 {

class Win32DeviceInstallation : public plat::DeviceInstallation {
public:
    bool SetupIterateCabinetA(const char* cabinetFile,
                              const plat::CabinetCallback& callback) override;
};

}  // namespace win32
