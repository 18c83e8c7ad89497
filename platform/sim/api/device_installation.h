// Device installation on the simulated machine: no call simulated yet.
#pragma once
#include "platform/device_installation.h"

namespace sim {

// Present devices, their hardware ids and installed INF copies become machine state when the
// USB device-driver installer's calls are simulated.
// Not built yet: cabinets fail loudly.
class SimDeviceInstallation : public plat::DeviceInstallation {
public:
    bool SetupIterateCabinetA(const char*, const plat::CabinetCallback&) override { return false; }
};

}  // namespace sim
