// A device information set holding one new root-enumerated device, which is removed again when
// the set is released while the device is registered but has no driver yet.
#pragma once
#include <cstdint>
#include <string>

#include "platform/device_installation.h"
#include "platform/last_error.h"

namespace install {

class DeviceSet {
public:
    DeviceSet(plat::DeviceInstallation& devices, plat::LastError& lastError)
        : devices_(devices), lastError_(lastError) {}
    ~DeviceSet() { Release(); }
    DeviceSet(const DeviceSet&) = delete;
    DeviceSet& operator=(const DeviceSet&) = delete;

    // Each returns 0 or the error of the failing call.
    // An empty set of the class. Replaces the previous set without removing its device.
    std::uint32_t Create(const plat::GUID& classGuid, const std::string& className,
                         plat::WindowRef parent);
    // A new device named by the class with a generated instance id, with the hardware id.
    std::uint32_t AddDevice(const std::string& hardwareId);
    // Makes the device part of the machine (DIF_REGISTERDEVICE).
    std::uint32_t Register();
    // The device received its driver: it is kept when the set is released.
    void KeepDevice() { registered_ = false; }
    // Removes a registered device that has no driver (DIF_REMOVE), then destroys the set.
    void Release();

private:
    void Destroy();

    plat::DeviceInstallation& devices_;
    plat::LastError& lastError_;
    plat::DeviceInfoSet set_ = plat::kInvalidDeviceInfoSet;
    plat::WindowRef parent_{};
    plat::GUID classGuid_{};
    std::string className_;
    plat::SP_DEVINFO_DATA device_{};
    std::string hardwareId_;
    bool registered_ = false;
};

}  // namespace install
