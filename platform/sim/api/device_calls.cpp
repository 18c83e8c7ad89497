// Devices and drivers on the simulated machine. Until the device tree exists every call fails
// loudly with ERROR_CALL_NOT_IMPLEMENTED, as the strict fake does for what it does not support.
#include "platform/sim/api/device_installation.h"
#include "platform/win_constants.h"

namespace sim {

bool SimDeviceInstallation::UpdateDriverForPlugAndPlayDevicesA(plat::WindowRef, const char*,
                                                               const char*, std::uint32_t,
                                                               bool*) {
    return Fail(ERROR_CALL_NOT_IMPLEMENTED);
}
bool SimDeviceInstallation::SetupCopyOEMInfA(const char*, const char*, std::uint32_t,
                                             std::uint32_t, char*, std::uint32_t,
                                             std::uint32_t*) {
    return Fail(ERROR_CALL_NOT_IMPLEMENTED);
}
plat::DeviceInfoSet SimDeviceInstallation::SetupDiCreateDeviceInfoList(const plat::GUID*,
                                                                       plat::WindowRef) {
    Fail(ERROR_CALL_NOT_IMPLEMENTED);
    return plat::kInvalidDeviceInfoSet;
}
bool SimDeviceInstallation::SetupDiCreateDeviceInfoA(plat::DeviceInfoSet, const char*,
                                                     const plat::GUID&, const char*,
                                                     plat::WindowRef, std::uint32_t,
                                                     plat::SP_DEVINFO_DATA*) {
    return Fail(ERROR_CALL_NOT_IMPLEMENTED);
}
bool SimDeviceInstallation::SetupDiSetDeviceRegistryPropertyA(plat::DeviceInfoSet,
                                                              plat::SP_DEVINFO_DATA&,
                                                              std::uint32_t, const std::uint8_t*,
                                                              std::uint32_t) {
    return Fail(ERROR_CALL_NOT_IMPLEMENTED);
}
bool SimDeviceInstallation::SetupDiCallClassInstaller(std::uint32_t, plat::DeviceInfoSet,
                                                      plat::SP_DEVINFO_DATA*) {
    return Fail(ERROR_CALL_NOT_IMPLEMENTED);
}
plat::DeviceInfoSet SimDeviceInstallation::SetupDiGetClassDevsA(const plat::GUID*, const char*,
                                                                plat::WindowRef, std::uint32_t) {
    Fail(ERROR_CALL_NOT_IMPLEMENTED);
    return plat::kInvalidDeviceInfoSet;
}
bool SimDeviceInstallation::SetupDiEnumDeviceInfo(plat::DeviceInfoSet, std::uint32_t,
                                                  plat::SP_DEVINFO_DATA&) {
    return Fail(ERROR_CALL_NOT_IMPLEMENTED);
}
bool SimDeviceInstallation::SetupDiGetDeviceRegistryPropertyA(plat::DeviceInfoSet,
                                                              plat::SP_DEVINFO_DATA&,
                                                              std::uint32_t, std::uint32_t*,
                                                              std::uint8_t*, std::uint32_t,
                                                              std::uint32_t*) {
    return Fail(ERROR_CALL_NOT_IMPLEMENTED);
}
bool SimDeviceInstallation::SetupDiDestroyDeviceInfoList(plat::DeviceInfoSet) {
    return Fail(ERROR_CALL_NOT_IMPLEMENTED);
}

}  // namespace sim
