// Devices and drivers on Windows: SetupAPI's device calls and newdev's driver update.
// plat::SP_DEVINFO_DATA has Windows' layout, checked here, so it passes straight through.
#include <windows.h>
#include <setupapi.h>
#include <newdev.h>

#include <cstddef>

#include "platform/win32/device_installation.h"

namespace win32 {

namespace {

static_assert(sizeof(plat::SP_DEVINFO_DATA) == sizeof(::SP_DEVINFO_DATA));
static_assert(offsetof(plat::SP_DEVINFO_DATA, ClassGuid) == offsetof(::SP_DEVINFO_DATA, ClassGuid));
static_assert(offsetof(plat::SP_DEVINFO_DATA, DevInst) == offsetof(::SP_DEVINFO_DATA, DevInst));
static_assert(offsetof(plat::SP_DEVINFO_DATA, Reserved) == offsetof(::SP_DEVINFO_DATA, Reserved));

::SP_DEVINFO_DATA* Theirs(plat::SP_DEVINFO_DATA* d) {
    return reinterpret_cast<::SP_DEVINFO_DATA*>(d);
}
const ::GUID* Theirs(const plat::GUID* g) { return reinterpret_cast<const ::GUID*>(g); }
HWND Window(plat::WindowRef w) { return reinterpret_cast<HWND>(w); }
plat::DeviceInfoSet Ours(HDEVINFO set) {
    return set == INVALID_HANDLE_VALUE ? plat::kInvalidDeviceInfoSet : set;
}

}  // namespace

bool Win32DeviceInstallation::UpdateDriverForPlugAndPlayDevicesA(
    plat::WindowRef parent, const char* hardwareId, const char* fullInfPath,
    std::uint32_t installFlags, bool* rebootRequired) {
    BOOL reboot = FALSE;
    BOOL ok = ::UpdateDriverForPlugAndPlayDevicesA(Window(parent), hardwareId, fullInfPath,
                                                   installFlags, &reboot);
    if (rebootRequired) *rebootRequired = reboot != FALSE;
    return ok != FALSE;
}

bool Win32DeviceInstallation::SetupCopyOEMInfA(const char* sourceInf, const char* mediaLocation,
                                               std::uint32_t mediaType, std::uint32_t copyStyle,
                                               char* destName, std::uint32_t destSize,
                                               std::uint32_t* requiredSize) {
    DWORD required = 0;
    BOOL ok = ::SetupCopyOEMInfA(sourceInf, mediaLocation, mediaType, copyStyle, destName,
                                 destSize, &required, nullptr);
    if (requiredSize) *requiredSize = required;
    return ok != FALSE;
}

plat::DeviceInfoSet Win32DeviceInstallation::SetupDiCreateDeviceInfoList(
    const plat::GUID* classGuid, plat::WindowRef parent) {
    return Ours(::SetupDiCreateDeviceInfoList(Theirs(classGuid), Window(parent)));
}

bool Win32DeviceInstallation::SetupDiCreateDeviceInfoA(plat::DeviceInfoSet set,
                                                       const char* deviceName,
                                                       const plat::GUID& classGuid,
                                                       const char* description,
                                                       plat::WindowRef parent,
                                                       std::uint32_t flags,
                                                       plat::SP_DEVINFO_DATA* data) {
    return ::SetupDiCreateDeviceInfoA(set, deviceName, Theirs(&classGuid), description,
                                      Window(parent), flags, Theirs(data)) != FALSE;
}

bool Win32DeviceInstallation::SetupDiSetDeviceRegistryPropertyA(plat::DeviceInfoSet set,
                                                                plat::SP_DEVINFO_DATA& data,
                                                                std::uint32_t property,
                                                                const std::uint8_t* buffer,
                                                                std::uint32_t size) {
    return ::SetupDiSetDeviceRegistryPropertyA(set, Theirs(&data), property, buffer, size) !=
           FALSE;
}

bool Win32DeviceInstallation::SetupDiCallClassInstaller(std::uint32_t installFunction,
                                                        plat::DeviceInfoSet set,
                                                        plat::SP_DEVINFO_DATA* data) {
    return ::SetupDiCallClassInstaller(installFunction, set, Theirs(data)) != FALSE;
}

plat::DeviceInfoSet Win32DeviceInstallation::SetupDiGetClassDevsA(const plat::GUID* classGuid,
                                                                  const char* enumerator,
                                                                  plat::WindowRef parent,
                                                                  std::uint32_t flags) {
    return Ours(::SetupDiGetClassDevsA(Theirs(classGuid), enumerator, Window(parent), flags));
}

bool Win32DeviceInstallation::SetupDiEnumDeviceInfo(plat::DeviceInfoSet set, std::uint32_t index,
                                                    plat::SP_DEVINFO_DATA& data) {
    return ::SetupDiEnumDeviceInfo(set, index, Theirs(&data)) != FALSE;
}

bool Win32DeviceInstallation::SetupDiGetDeviceRegistryPropertyA(
    plat::DeviceInfoSet set, plat::SP_DEVINFO_DATA& data, std::uint32_t property,
    std::uint32_t* regType, std::uint8_t* buffer, std::uint32_t size,
    std::uint32_t* requiredSize) {
    DWORD type = 0;
    DWORD required = 0;
    BOOL ok = ::SetupDiGetDeviceRegistryPropertyA(set, Theirs(&data), property, &type, buffer,
                                                  size, &required);
    if (regType) *regType = type;
    if (requiredSize) *requiredSize = required;
    return ok != FALSE;
}

bool Win32DeviceInstallation::SetupDiDestroyDeviceInfoList(plat::DeviceInfoSet set) {
    return ::SetupDiDestroyDeviceInfoList(set) != FALSE;
}

}  // namespace win32
