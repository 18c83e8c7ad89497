// Device installation on the simulated machine: cabinets, read and extracted through the
// process's file system.
#pragma once
#include "platform/device_installation.h"
#include "platform/last_error.h"
#include "platform/sim/api/files.h"
#include "platform/sim/state/machine.h"

namespace sim {

// The cabinet and the files extracted from it go through the process's file system, so its
// holds, denials, faults and paths apply to them as to any other file. Present devices, their
// hardware ids and installed INF copies become machine state when the USB device-driver
// installer's calls are simulated.
class SimDeviceInstallation : public plat::DeviceInstallation {
public:
    SimDeviceInstallation(const Machine& machine, SimFileSystem& files, plat::LastError& error)
        : machine_(machine), files_(files), error_(error) {}

    bool SetupIterateCabinetA(const char* cabinetFile,
                              const plat::CabinetCallback& callback) override;

private:
    bool Fail(std::uint32_t code);

    const Machine& machine_;
    SimFileSystem& files_;
    plat::LastError& error_;
};

}  // namespace sim
