// Device installation on Windows: SetupAPI and newdev's own calls.
#pragma once
#include <windows.h>

#include "platform/device_installation.h"

namespace win32 {

class Win32DeviceInstallation : public plat::DeviceInstallation {
public:
    bool SetupIterateCabinetA(const char* cabinetFile,
                              const plat::CabinetCallback& callback) override;
    plat::InfHandle SetupOpenInfFileA(const char* fileName, std::uint32_t style,
                                      std::uint32_t* errorLine) override;
    void SetupCloseInfFile(plat::InfHandle inf) override;
    bool SetupFindFirstLineA(plat::InfHandle inf, const char* section, const char* key,
                             plat::INFCONTEXT& context) override;
    bool SetupFindNextLine(const plat::INFCONTEXT& in, plat::INFCONTEXT& out) override;
    bool SetupFindNextMatchLineA(const plat::INFCONTEXT& in, const char* key,
                                 plat::INFCONTEXT& out) override;
    std::uint32_t SetupGetFieldCount(const plat::INFCONTEXT& context) override;
    bool SetupGetStringFieldA(const plat::INFCONTEXT& context, std::uint32_t index, char* buffer,
                              std::uint32_t size, std::uint32_t* requiredSize) override;
    bool SetupDiGetINFClassA(const char* infName, plat::GUID& classGuid, char* className,
                             std::uint32_t size, std::uint32_t* requiredSize) override;
    bool SetupDiClassGuidsFromNameA(const char* className, plat::GUID* list, std::uint32_t size,
                                    std::uint32_t& requiredSize) override;

    bool UpdateDriverForPlugAndPlayDevicesA(plat::WindowRef parent, const char* hardwareId,
                                            const char* fullInfPath, std::uint32_t installFlags,
                                            bool* rebootRequired) override;
    bool SetupCopyOEMInfA(const char* sourceInf, const char* mediaLocation,
                          std::uint32_t mediaType, std::uint32_t copyStyle, char* destName,
                          std::uint32_t destSize, std::uint32_t* requiredSize) override;
    plat::DeviceInfoSet SetupDiCreateDeviceInfoList(const plat::GUID* classGuid,
                                                    plat::WindowRef parent) override;
    bool SetupDiCreateDeviceInfoA(plat::DeviceInfoSet set, const char* deviceName,
                                  const plat::GUID& classGuid, const char* description,
                                  plat::WindowRef parent, std::uint32_t flags,
                                  plat::SP_DEVINFO_DATA* data) override;
    bool SetupDiSetDeviceRegistryPropertyA(plat::DeviceInfoSet set, plat::SP_DEVINFO_DATA& data,
                                           std::uint32_t property, const std::uint8_t* buffer,
                                           std::uint32_t size) override;
    bool SetupDiCallClassInstaller(std::uint32_t installFunction, plat::DeviceInfoSet set,
                                   plat::SP_DEVINFO_DATA* data) override;
    plat::DeviceInfoSet SetupDiGetClassDevsA(const plat::GUID* classGuid, const char* enumerator,
                                             plat::WindowRef parent,
                                             std::uint32_t flags) override;
    bool SetupDiEnumDeviceInfo(plat::DeviceInfoSet set, std::uint32_t index,
                               plat::SP_DEVINFO_DATA& data) override;
    bool SetupDiGetDeviceRegistryPropertyA(plat::DeviceInfoSet set, plat::SP_DEVINFO_DATA& data,
                                           std::uint32_t property, std::uint32_t* regType,
                                           std::uint8_t* buffer, std::uint32_t size,
                                           std::uint32_t* requiredSize) override;
    bool SetupDiDestroyDeviceInfoList(plat::DeviceInfoSet set) override;
};

}  // namespace win32
