// Fakes of the spooler, service, cabinet and WOW64 calls for the installation engine's tests,
// with switches for each error, around a real simulated process for everything else.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win_constants.h"

namespace testsupport {

// Every call sets the last error through the wrapped process's LastError.
class FakePrinterSetup : public plat::PrinterSetup {
public:
    explicit FakePrinterSetup(plat::LastError& error) : error_(error) {}

    // Directories handed out (per environment; "" is the null environment).
    std::map<std::string, std::string> driverDirectories = {
        {"", "C:\\Windows\\System32\\spool\\drivers\\w32x86"},
        {"Windows x64", "C:\\Windows\\System32\\spool\\drivers\\x64"}};
    std::map<std::string, std::string> processorDirectories = {
        {"", "C:\\Windows\\System32\\spool\\prtprocs\\w32x86"},
        {"Windows x64", "C:\\Windows\\System32\\spool\\prtprocs\\x64"}};
    std::uint32_t directoryError = 0;  // non-zero: both directory calls fail with it

    std::uint32_t addMonitorError = 0;
    std::uint32_t addProcessorError = 0;
    std::uint32_t addDriverError = 0;
    // Printer names that exist; AddPrinterA fails for them with ERROR_PRINTER_ALREADY_EXISTS.
    std::set<std::string> printers;
    std::uint32_t addPrinterError = 0;       // for names that do not exist
    int addPrinterErrorAfterTries = 0;       // the error starts with this try (0: the first)
    std::vector<std::uint32_t> enumPortsErrors;  // one per call, then success
    std::uint32_t enumPortsNeeded = 64;

    // What was asked for.
    std::vector<std::string> calls;
    std::vector<std::string> environments;   // environment of each call that takes one
    std::vector<std::string> monitors;       // "name|environment|dll"
    std::vector<std::string> processors;     // "environment|dll|name"
    std::vector<std::string> drivers;        // "name|environment"
    std::vector<std::string> addPrinterNames;
    std::vector<std::uint32_t> enumPortsSizes;
    std::string defaultPrinter;

    bool GetPrinterDriverDirectoryA(const char* environment, std::uint32_t level, char* out,
                                    std::uint32_t size, std::uint32_t& needed) override;
    bool GetPrintProcessorDirectoryA(const char* environment, std::uint32_t level, char* out,
                                     std::uint32_t size, std::uint32_t& needed) override;
    bool AddPrinterDriverA(std::uint32_t level, const plat::DRIVER_INFO_3A& info) override;
    bool AddMonitorA(std::uint32_t level, const plat::MONITOR_INFO_2A& info) override;
    bool AddPrintProcessorA(const char* environment, const char* pathName,
                            const char* name) override;
    bool AddPrinterA(std::uint32_t level, const plat::PRINTER_INFO_2A& info,
                     plat::PrinterHandle& out) override;
    bool OpenPrinterA(const char* name, plat::PrinterHandle& out) override;
    bool ClosePrinter(plat::PrinterHandle printer) override;
    bool GetPrinterA(plat::PrinterHandle, std::uint32_t, std::uint8_t*, std::uint32_t,
                     std::uint32_t& needed) override;
    bool SetPrinterA(plat::PrinterHandle, std::uint32_t, const void*, std::uint32_t) override;
    bool SetDefaultPrinterA(const char* name) override;
    bool EnumPortsA(std::uint32_t level, std::uint8_t* buffer, std::uint32_t size,
                    std::uint32_t& needed, std::uint32_t& returned) override;

private:
    bool Fail(std::uint32_t code) {
        error_.SetLastError(code);
        return false;
    }
    plat::LastError& error_;
    int addPrinterTries_ = 0;
};

// The spooler service: its state after each query, start and stop errors.
class FakeServices : public plat::Services {
public:
    explicit FakeServices(plat::LastError& error) : error_(error) {}

    std::uint32_t openServiceError = 0;
    std::uint32_t startError = 0;  // StartServiceA fails with it
    // States QueryServiceStatus reports in turn; the last one repeats.
    std::vector<std::uint32_t> states = {SERVICE_RUNNING};
    std::vector<std::string> calls;
    int openHandles = 0;

    plat::ServiceHandle OpenSCManagerA(const char*, const char*, std::uint32_t) override;
    plat::ServiceHandle OpenServiceA(plat::ServiceHandle, const char* name,
                                     std::uint32_t access) override;
    bool ControlService(plat::ServiceHandle, std::uint32_t control,
                        plat::SERVICE_STATUS& status) override;
    bool StartServiceA(plat::ServiceHandle, std::uint32_t, const char**) override;
    bool QueryServiceStatus(plat::ServiceHandle, plat::SERVICE_STATUS& status) override;
    bool CloseServiceHandle(plat::ServiceHandle) override;

private:
    plat::LastError& error_;
    std::size_t queries_ = 0;
};

// Cabinets by path, each a list of (name, content); files the callback asks for are written
// through the wrapped file system. INF calls go to the wrapped process's own.
class FakeCabinets : public plat::DeviceInstallation {
public:
    FakeCabinets(plat::FileSystem& files, plat::DeviceInstallation& infs)
        : files_(files), infs_(infs) {}
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> cabinets;
    std::vector<std::string> walked;

    bool SetupIterateCabinetA(const char* cabinetFile,
                              const plat::CabinetCallback& callback) override;

    plat::InfHandle SetupOpenInfFileA(const char* fileName, std::uint32_t style,
                                      std::uint32_t* errorLine) override {
        return infs_.SetupOpenInfFileA(fileName, style, errorLine);
    }
    void SetupCloseInfFile(plat::InfHandle inf) override { infs_.SetupCloseInfFile(inf); }
    bool SetupFindFirstLineA(plat::InfHandle inf, const char* section, const char* key,
                             plat::INFCONTEXT& context) override {
        return infs_.SetupFindFirstLineA(inf, section, key, context);
    }
    bool SetupFindNextLine(const plat::INFCONTEXT& in, plat::INFCONTEXT& out) override {
        return infs_.SetupFindNextLine(in, out);
    }
    bool SetupFindNextMatchLineA(const plat::INFCONTEXT& in, const char* key,
                                 plat::INFCONTEXT& out) override {
        return infs_.SetupFindNextMatchLineA(in, key, out);
    }
    std::uint32_t SetupGetFieldCount(const plat::INFCONTEXT& context) override {
        return infs_.SetupGetFieldCount(context);
    }
    bool SetupGetStringFieldA(const plat::INFCONTEXT& context, std::uint32_t index, char* buffer,
                              std::uint32_t size, std::uint32_t* requiredSize) override {
        return infs_.SetupGetStringFieldA(context, index, buffer, size, requiredSize);
    }
    bool SetupDiGetINFClassA(const char* infName, plat::GUID& classGuid, char* className,
                             std::uint32_t size, std::uint32_t* requiredSize) override {
        return infs_.SetupDiGetINFClassA(infName, classGuid, className, size, requiredSize);
    }
    bool SetupDiClassGuidsFromNameA(const char* className, plat::GUID* list, std::uint32_t size,
                                    std::uint32_t& requiredSize) override {
        return infs_.SetupDiClassGuidsFromNameA(className, list, size, requiredSize);
    }
    bool UpdateDriverForPlugAndPlayDevicesA(plat::WindowRef parent, const char* hardwareId,
                                            const char* fullInfPath, std::uint32_t installFlags,
                                            bool* rebootRequired) override {
        return infs_.UpdateDriverForPlugAndPlayDevicesA(parent, hardwareId, fullInfPath,
                                                        installFlags, rebootRequired);
    }
    bool SetupCopyOEMInfA(const char* sourceInf, const char* mediaLocation,
                          std::uint32_t mediaType, std::uint32_t copyStyle, char* destName,
                          std::uint32_t destSize, std::uint32_t* requiredSize) override {
        return infs_.SetupCopyOEMInfA(sourceInf, mediaLocation, mediaType, copyStyle, destName,
                                      destSize, requiredSize);
    }
    plat::DeviceInfoSet SetupDiCreateDeviceInfoList(const plat::GUID* classGuid,
                                                    plat::WindowRef parent) override {
        return infs_.SetupDiCreateDeviceInfoList(classGuid, parent);
    }
    bool SetupDiCreateDeviceInfoA(plat::DeviceInfoSet set, const char* deviceName,
                                  const plat::GUID& classGuid, const char* description,
                                  plat::WindowRef parent, std::uint32_t flags,
                                  plat::SP_DEVINFO_DATA* data) override {
        return infs_.SetupDiCreateDeviceInfoA(set, deviceName, classGuid, description, parent,
                                              flags, data);
    }
    bool SetupDiSetDeviceRegistryPropertyA(plat::DeviceInfoSet set, plat::SP_DEVINFO_DATA& data,
                                           std::uint32_t property, const std::uint8_t* buffer,
                                           std::uint32_t size) override {
        return infs_.SetupDiSetDeviceRegistryPropertyA(set, data, property, buffer, size);
    }
    bool SetupDiCallClassInstaller(std::uint32_t installFunction, plat::DeviceInfoSet set,
                                   plat::SP_DEVINFO_DATA* data) override {
        return infs_.SetupDiCallClassInstaller(installFunction, set, data);
    }
    plat::DeviceInfoSet SetupDiGetClassDevsA(const plat::GUID* classGuid, const char* enumerator,
                                             plat::WindowRef parent,
                                             std::uint32_t flags) override {
        return infs_.SetupDiGetClassDevsA(classGuid, enumerator, parent, flags);
    }
    bool SetupDiEnumDeviceInfo(plat::DeviceInfoSet set, std::uint32_t index,
                               plat::SP_DEVINFO_DATA& data) override {
        return infs_.SetupDiEnumDeviceInfo(set, index, data);
    }
    bool SetupDiGetDeviceRegistryPropertyA(plat::DeviceInfoSet set, plat::SP_DEVINFO_DATA& data,
                                           std::uint32_t property, std::uint32_t* regType,
                                           std::uint8_t* buffer, std::uint32_t size,
                                           std::uint32_t* requiredSize) override {
        return infs_.SetupDiGetDeviceRegistryPropertyA(set, data, property, regType, buffer, size,
                                                       requiredSize);
    }
    bool SetupDiDestroyDeviceInfoList(plat::DeviceInfoSet set) override {
        return infs_.SetupDiDestroyDeviceInfoList(set);
    }

private:
    plat::FileSystem& files_;
    plat::DeviceInstallation& infs_;
};

// The simulated process's file system, with WOW64 redirection calls that count and can fail.
class RedirectionCountingFiles;
// The simulated process's system information, with a chosen answer for function lookups.
class LookupSystemInfo;

// A simulated process whose spooler setup, services and cabinets are the fakes above, and
// whose WOW64 functions can be switched.
class EngineTestPlatform : public plat::Platform {
public:
    explicit EngineTestPlatform(plat::Platform& inner);
    ~EngineTestPlatform() override;

    FakePrinterSetup spooler;
    FakeServices services_;
    FakeCabinets cabinets;

    // What looking up the WOW64 functions finds.
    plat::FunctionLookup lookup = plat::FunctionLookup::Found;
    bool disableFails = false;
    int suspensions = 0;  // successful Wow64DisableWow64FsRedirection calls
    int reverts = 0;
    bool suspended = false;
    // Paths copied while redirection was suspended.
    std::vector<std::string> copiedWhileSuspended;
    std::vector<std::uint32_t> sleeps;

    plat::Profile& profile() override { return inner_.profile(); }
    plat::FileSystem& files() override;
    plat::SystemInfo& system() override;
    plat::Desktop& desktop() override { return inner_.desktop(); }
    plat::Registry& registry() override { return inner_.registry(); }
    plat::LastError& lastError() override { return inner_.lastError(); }
    plat::Dialogs& dialogs() override { return inner_.dialogs(); }
    plat::RawPrinting& rawPrinting() override { return inner_.rawPrinting(); }
    plat::PrinterSetup& printerSetup() override { return spooler; }
    plat::DeviceInstallation& deviceInstallation() override { return cabinets; }
    plat::Services& services() override { return services_; }
    plat::Fonts& fonts() override { return inner_.fonts(); }
    plat::UsbAccess& usbAccess() override { return inner_.usbAccess(); }
    plat::FileVersions& fileVersions() override { return inner_.fileVersions(); }

private:
    plat::Platform& inner_;
    std::unique_ptr<RedirectionCountingFiles> files_;
    std::unique_ptr<LookupSystemInfo> system_;
};

}  // namespace testsupport
