// The device set of the virtual-port operation.
#include "install/DeviceSet.h"

#include <vector>

#include "platform/win_constants.h"

namespace install {

std::uint32_t DeviceSet::Create(const plat::GUID& classGuid, const std::string& className,
                                plat::WindowRef parent) {
    // The previous device stays on the machine, registered: only the set goes.
    Destroy();
    registered_ = false;
    classGuid_ = classGuid;
    className_ = className;
    parent_ = parent;
    set_ = devices_.SetupDiCreateDeviceInfoList(&classGuid_, parent);
    return set_ == plat::kInvalidDeviceInfoSet ? lastError_.GetLastError() : 0;
}

std::uint32_t DeviceSet::AddDevice(const std::string& hardwareId) {
    hardwareId_ = hardwareId;
    device_ = {};
    device_.cbSize = sizeof device_;
    if (!devices_.SetupDiCreateDeviceInfoA(set_, className_.c_str(), classGuid_, nullptr,
                                           parent_, DICD_GENERATE_ID, &device_))
        return lastError_.GetLastError();
    // SPDRP_HARDWAREID is a list: the id, its zero and the list's closing zero.
    std::vector<std::uint8_t> list(hardwareId.begin(), hardwareId.end());
    list.push_back(0);
    list.push_back(0);
    if (!devices_.SetupDiSetDeviceRegistryPropertyA(set_, device_, SPDRP_HARDWAREID, list.data(),
                                                    static_cast<std::uint32_t>(list.size())))
        return lastError_.GetLastError();
    return 0;
}

std::uint32_t DeviceSet::Register() {
    if (!devices_.SetupDiCallClassInstaller(DIF_REGISTERDEVICE, set_, &device_))
        return lastError_.GetLastError();
    registered_ = true;
    return 0;
}

void DeviceSet::Release() {
    if (registered_ && set_ != plat::kInvalidDeviceInfoSet)
        devices_.SetupDiCallClassInstaller(DIF_REMOVE, set_, &device_);
    registered_ = false;
    Destroy();
}

void DeviceSet::Destroy() {
    if (set_ != plat::kInvalidDeviceInfoSet) devices_.SetupDiDestroyDeviceInfoList(set_);
    set_ = plat::kInvalidDeviceInfoSet;
}

}  // namespace install
