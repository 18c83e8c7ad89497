// Device installation on the simulated machine: cabinets, read and extracted through the
// process's file system.
#pragma once
#include <map>
#include <memory>

#include "platform/device_installation.h"
#include "platform/last_error.h"
#include "platform/sim/api/files.h"
#include "platform/sim/api/inf_text.h"
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

    // INF files are read whole when opened; a handle holds the parsed text until it is closed.
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

private:
    bool Fail(std::uint32_t code);
    // Reads and parses an INF file, checking its style; ERROR_SUCCESS or the error.
    std::uint32_t ReadInf(const char* fileName, std::uint32_t style, InfText& out,
                          std::uint32_t& errorLine);
    const InfText* Open(plat::InfHandle inf) const;
    // The line a context names, or null (last error set).
    const InfLine* LineOf(const plat::INFCONTEXT& context);
    // The next line after `in` whose key matches (any line when key is null).
    bool FindFrom(const InfText& text, plat::InfHandle inf, std::uint32_t section,
                  std::uint32_t line, const char* key, plat::INFCONTEXT& out);

    const Machine& machine_;
    SimFileSystem& files_;
    plat::LastError& error_;
    std::map<std::uintptr_t, std::unique_ptr<InfText>> infs_;
    std::uintptr_t nextInf_ = 0x1000;
};

}  // namespace sim
