// Device installation on the simulated machine: cabinets, read and extracted through the
// process's file system.
#pragma once
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/device_installation.h"
#include "platform/last_error.h"
#include "platform/sim/api/files.h"
#include "platform/sim/api/inf_text.h"
#include "platform/sim/state/device_tree.h"
#include "platform/sim/state/machine.h"
#include "platform/sim/state/process_context.h"

namespace sim {

// The name of an installed setup class, or "" for a GUID no class of the machine has.
std::string SetupClassName(const plat::GUID& guid);
// "{4D36E978-E325-11CE-BFC1-08002BE10318}": a GUID as the registry writes it.
std::string GuidText(const plat::GUID& guid);

// The cabinet and the files extracted from it go through the process's file system, so its
// holds, denials, faults and paths apply to them as to any other file. Devices are machine
// state (state/device_tree.h); device information sets belong to the process.
class SimDeviceInstallation : public plat::DeviceInstallation {
public:
    SimDeviceInstallation(const Machine& machine, const ProcessContext& process,
                          SimFileSystem& files, plat::LastError& error)
        : machine_(machine), process_(process), files_(files), error_(error) {}

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

    // One device of a set: a device of the machine, or one created and not yet registered,
    // whose properties the set keeps until DIF_REGISTERDEVICE.
    struct SetDevice {
        std::uint32_t devInst = 0;
        bool registered = false;
        DeviceRecord pending;
    };
    struct DeviceSetState {
        bool hasClass = false;
        plat::GUID classGuid{};
        std::vector<SetDevice> devices;
    };
    DeviceSetState* SetOf(plat::DeviceInfoSet set);
    // The set's device `data` names, or null (ERROR_INVALID_PARAMETER set).
    SetDevice* DeviceOf(DeviceSetState& set, const plat::SP_DEVINFO_DATA& data);
    // The devnode number of an instance id: the same id gets the same number in this process.
    std::uint32_t DevInstOf(const std::string& instanceId);
    void Describe(const SetDevice& device, plat::SP_DEVINFO_DATA& data) const;
    // The record of a set's device: its pending one, or the machine's.
    std::optional<DeviceRecord> RecordOf(const SetDevice& device) const;
    // Copies an INF into the Windows INF directory (SetupCopyOEMInfA without its checks of the
    // caller's buffer): ERROR_SUCCESS with the oemN.inf's full path, or the error.
    std::uint32_t CopyOemInf(const std::string& source, const std::vector<std::uint8_t>& bytes,
                             const std::string& mediaLocation, std::uint32_t copyStyle,
                             std::string& destination);
    // Installs the driver files, services and driver values the install section names.
    std::uint32_t RunInstallSection(const InfText& inf, const std::string& infDirectory,
                                    const std::string& section, DriverBinding& binding);

    const Machine& machine_;
    const ProcessContext& process_;
    SimFileSystem& files_;
    plat::LastError& error_;
    std::map<std::uintptr_t, std::unique_ptr<InfText>> infs_;
    std::uintptr_t nextInf_ = 0x1000;
    std::map<std::uintptr_t, DeviceSetState> sets_;
    std::uintptr_t nextSet_ = 0x2000;
    std::vector<std::string> devInsts_;  // index + 1 is the DevInst
};

}  // namespace sim
