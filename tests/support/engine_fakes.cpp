// The installation engine's fakes: spooler setup, services, cabinets and WOW64 switches.
#include "tests/support/engine_fakes.h"

#include <cstring>

namespace testsupport {

namespace {

std::string Str(const char* text) { return text ? text : ""; }

bool CopyOut(const std::string& text, char* out, std::uint32_t size, std::uint32_t& needed,
             plat::LastError& error) {
    needed = static_cast<std::uint32_t>(text.size() + 1);
    if (size < needed) {
        error.SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return false;
    }
    std::memcpy(out, text.c_str(), needed);
    return true;
}

}  // namespace

bool FakePrinterSetup::GetPrinterDriverDirectoryA(const char* environment, std::uint32_t,
                                                  char* out, std::uint32_t size,
                                                  std::uint32_t& needed) {
    calls.push_back("GetPrinterDriverDirectoryA");
    environments.push_back(Str(environment));
    if (directoryError) return Fail(directoryError);
    auto it = driverDirectories.find(Str(environment));
    if (it == driverDirectories.end()) return Fail(ERROR_INVALID_ENVIRONMENT);
    return CopyOut(it->second, out, size, needed, error_);
}

bool FakePrinterSetup::GetPrintProcessorDirectoryA(const char* environment, std::uint32_t,
                                                   char* out, std::uint32_t size,
                                                   std::uint32_t& needed) {
    calls.push_back("GetPrintProcessorDirectoryA");
    environments.push_back(Str(environment));
    if (directoryError) return Fail(directoryError);
    auto it = processorDirectories.find(Str(environment));
    if (it == processorDirectories.end()) return Fail(ERROR_INVALID_ENVIRONMENT);
    return CopyOut(it->second, out, size, needed, error_);
}

bool FakePrinterSetup::AddPrinterDriverA(std::uint32_t, const plat::DRIVER_INFO_3A& info) {
    calls.push_back("AddPrinterDriverA");
    drivers.push_back(Str(info.pName) + "|" + Str(info.pEnvironment));
    return addDriverError ? Fail(addDriverError) : true;
}

bool FakePrinterSetup::AddMonitorA(std::uint32_t, const plat::MONITOR_INFO_2A& info) {
    calls.push_back("AddMonitorA");
    monitors.push_back(Str(info.pName) + "|" + Str(info.pEnvironment) + "|" + Str(info.pDLLName));
    return addMonitorError ? Fail(addMonitorError) : true;
}

bool FakePrinterSetup::AddPrintProcessorA(const char* environment, const char* pathName,
                                          const char* name) {
    calls.push_back("AddPrintProcessorA");
    processors.push_back(Str(environment) + "|" + Str(pathName) + "|" + Str(name));
    return addProcessorError ? Fail(addProcessorError) : true;
}

bool FakePrinterSetup::AddPrinterA(std::uint32_t, const plat::PRINTER_INFO_2A& info,
                                   plat::PrinterHandle& out) {
    calls.push_back("AddPrinterA");
    const std::string name = Str(info.pPrinterName);
    addPrinterNames.push_back(name);
    const int tryNumber = addPrinterTries_++;
    if (printers.count(name)) return Fail(ERROR_PRINTER_ALREADY_EXISTS);
    if (addPrinterError && tryNumber >= addPrinterErrorAfterTries) return Fail(addPrinterError);
    printers.insert(name);
    out = plat::PrinterHandle{};
    return true;
}

bool FakePrinterSetup::OpenPrinterA(const char* name, plat::PrinterHandle&) {
    calls.push_back("OpenPrinterA");
    return printers.count(Str(name)) ? true : Fail(ERROR_INVALID_PRINTER_NAME);
}

bool FakePrinterSetup::ClosePrinter(plat::PrinterHandle) {
    calls.push_back("ClosePrinter");
    return true;
}

bool FakePrinterSetup::GetPrinterA(plat::PrinterHandle, std::uint32_t, std::uint8_t*,
                                   std::uint32_t, std::uint32_t& needed) {
    calls.push_back("GetPrinterA");
    needed = 0;
    return Fail(ERROR_NOT_SUPPORTED);
}

bool FakePrinterSetup::SetPrinterA(plat::PrinterHandle, std::uint32_t, const void*,
                                   std::uint32_t) {
    calls.push_back("SetPrinterA");
    return Fail(ERROR_NOT_SUPPORTED);
}

bool FakePrinterSetup::SetDefaultPrinterA(const char* name) {
    calls.push_back("SetDefaultPrinterA");
    defaultPrinter = Str(name);
    return true;
}

bool FakePrinterSetup::EnumPortsA(std::uint32_t, std::uint8_t*, std::uint32_t size,
                                  std::uint32_t& needed, std::uint32_t& returned) {
    calls.push_back("EnumPortsA");
    enumPortsSizes.push_back(size);
    returned = 0;
    const std::size_t call = enumPortsSizes.size() - 1;
    if (call < enumPortsErrors.size() && enumPortsErrors[call] != 0) {
        needed = enumPortsNeeded;
        return Fail(enumPortsErrors[call]);
    }
    return true;
}

plat::ServiceHandle FakeServices::OpenSCManagerA(const char*, const char*, std::uint32_t) {
    calls.push_back("OpenSCManagerA");
    ++openHandles;
    return 1;
}

plat::ServiceHandle FakeServices::OpenServiceA(plat::ServiceHandle, const char* name,
                                               std::uint32_t access) {
    calls.push_back("OpenServiceA " + Str(name) + " " + std::to_string(access));
    if (openServiceError) {
        error_.SetLastError(openServiceError);
        return 0;
    }
    ++openHandles;
    return 2;
}

bool FakeServices::ControlService(plat::ServiceHandle, std::uint32_t control,
                                  plat::SERVICE_STATUS& status) {
    calls.push_back("ControlService " + std::to_string(control));
    status = {};
    status.dwCurrentState = SERVICE_STOP_PENDING;
    return true;
}

bool FakeServices::StartServiceA(plat::ServiceHandle, std::uint32_t, const char**) {
    calls.push_back("StartServiceA");
    if (startError) {
        error_.SetLastError(startError);
        return false;
    }
    return true;
}

bool FakeServices::QueryServiceStatus(plat::ServiceHandle, plat::SERVICE_STATUS& status) {
    calls.push_back("QueryServiceStatus");
    status = {};
    status.dwCurrentState = states[queries_ < states.size() ? queries_ : states.size() - 1];
    ++queries_;
    return true;
}

bool FakeServices::CloseServiceHandle(plat::ServiceHandle) {
    --openHandles;
    return true;
}

bool FakeCabinets::SetupIterateCabinetA(const char* cabinetFile,
                                        const plat::CabinetCallback& callback) {
    walked.push_back(Str(cabinetFile));
    auto it = cabinets.find(Str(cabinetFile));
    if (it == cabinets.end()) return false;
    for (const auto& [name, content] : it->second) {
        plat::FILE_IN_CABINET_INFO_A info{};
        info.NameInCabinet = name.c_str();
        if (callback(SPFILENOTIFY_FILEINCABINET, reinterpret_cast<std::uintptr_t>(&info), 0) ==
            FILEOP_DOIT)
            files_.WriteWholeFile(info.FullTargetName,
                                  std::vector<std::uint8_t>(content.begin(), content.end()));
    }
    return true;
}

class RedirectionCountingFiles : public plat::FileSystem {
public:
    RedirectionCountingFiles(plat::FileSystem& inner, EngineTestPlatform& owner)
        : inner_(inner), owner_(owner) {}

    std::uint32_t GetModuleFileNameA(char* out, std::uint32_t size) override {
        return inner_.GetModuleFileNameA(out, size);
    }
    std::uint32_t GetCurrentDirectoryA(std::uint32_t size, char* out) override {
        return inner_.GetCurrentDirectoryA(size, out);
    }
    bool SetCurrentDirectoryA(const char* path) override {
        return inner_.SetCurrentDirectoryA(path);
    }
    std::uint32_t GetWindowsDirectoryA(char* out, std::uint32_t size) override {
        return inner_.GetWindowsDirectoryA(out, size);
    }
    std::uint32_t GetSystemDirectoryA(char* out, std::uint32_t size) override {
        return inner_.GetSystemDirectoryA(out, size);
    }
    std::uint32_t GetTempPathA(std::uint32_t size, char* out) override {
        return inner_.GetTempPathA(size, out);
    }
    std::uint32_t GetFileAttributesA(const char* path) override {
        return inner_.GetFileAttributesA(path);
    }
    bool SetFileAttributesA(const char* path, std::uint32_t attributes) override {
        return inner_.SetFileAttributesA(path, attributes);
    }
    bool ReadWholeFile(const char* path, std::vector<std::uint8_t>& out) override {
        return inner_.ReadWholeFile(path, out);
    }
    bool WriteWholeFile(const char* path, const std::vector<std::uint8_t>& data) override {
        return inner_.WriteWholeFile(path, data);
    }
    bool DeleteFileA(const char* path) override { return inner_.DeleteFileA(path); }
    bool CreateDirectoryA(const char* path) override { return inner_.CreateDirectoryA(path); }
    bool RemoveDirectoryA(const char* path) override { return inner_.RemoveDirectoryA(path); }
    bool CopyFileA(const char* from, const char* to, bool failIfExists) override {
        if (owner_.suspended) owner_.copiedWhileSuspended.push_back(to);
        return inner_.CopyFileA(from, to, failIfExists);
    }
    std::unique_ptr<plat::OpenFile> OpenExisting(const char* path, std::uint32_t access,
                                                 std::uint32_t shareMode) override {
        return inner_.OpenExisting(path, access, shareMode);
    }
    bool FindFiles(const char* pattern, std::vector<plat::FindData>& out) override {
        return inner_.FindFiles(pattern, out);
    }
    bool Wow64DisableWow64FsRedirection(void*& oldValue) override {
        if (owner_.disableFails) {
            owner_.lastError().SetLastError(ERROR_INVALID_FUNCTION);
            return false;
        }
        ++owner_.suspensions;
        owner_.suspended = true;
        oldValue = &owner_;
        return true;
    }
    bool Wow64RevertWow64FsRedirection(void*) override {
        ++owner_.reverts;
        owner_.suspended = false;
        return true;
    }

private:
    plat::FileSystem& inner_;
    EngineTestPlatform& owner_;
};

class LookupSystemInfo : public plat::SystemInfo {
public:
    LookupSystemInfo(plat::SystemInfo& inner, EngineTestPlatform& owner)
        : inner_(inner), owner_(owner) {}
    bool GetVersionExA(plat::OsVersion& out) override { return inner_.GetVersionExA(out); }
    bool GetNativeProcessorArchitecture(std::uint16_t& out) override {
        return inner_.GetNativeProcessorArchitecture(out);
    }
    std::uint16_t GetProcessorArchitecture() override { return inner_.GetProcessorArchitecture(); }
    bool IsWow64Process(bool& wow64) override { return inner_.IsWow64Process(wow64); }
    bool IsUserAdministrator() override { return inner_.IsUserAdministrator(); }
    std::uint32_t FormatMessageA(std::uint32_t code, char* out, std::uint32_t size) override {
        return inner_.FormatMessageA(code, out, size);
    }
    plat::FunctionLookup LookUpFunction(const char*, const char*) override {
        return owner_.lookup;
    }
    std::uint32_t GetACP() override { return inner_.GetACP(); }
    // Waits are recorded, not slept.
    void Sleep(std::uint32_t milliseconds) override { owner_.sleeps.push_back(milliseconds); }
    std::uint32_t GetTickCount() override { return inner_.GetTickCount(); }

private:
    plat::SystemInfo& inner_;
    EngineTestPlatform& owner_;
};

EngineTestPlatform::EngineTestPlatform(plat::Platform& inner)
    : spooler(inner.lastError()),
      services_(inner.lastError()),
      cabinets(inner.files(), inner.deviceInstallation()),
      inner_(inner),
      files_(std::make_unique<RedirectionCountingFiles>(inner.files(), *this)),
      system_(std::make_unique<LookupSystemInfo>(inner.system(), *this)) {}

EngineTestPlatform::~EngineTestPlatform() = default;

plat::FileSystem& EngineTestPlatform::files() { return *files_; }
plat::SystemInfo& EngineTestPlatform::system() { return *system_; }

}  // namespace testsupport
