// Device installation: device information sets, driver binding and INF files (SetupAPI, newdev).
#pragma once

namespace plat {

// The calls join this interface with the USB device-driver installer that makes them
// (SetupDiGetClassDevsA, UpdateDriverForPlugAndPlayDevicesA, SetupCopyOEMInfA, ...).
class DeviceInstallation {
public:
    virtual ~DeviceInstallation() = default;
};

}  // namespace plat
