// The stand-ins' calls that injected faults can fail, and the check each of them makes first.
#include "platform/sim/api/call_faults.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/text.h"

namespace sim {

const std::vector<FaultableCall>& FaultableCalls() {
    static const std::vector<FaultableCall> calls = {
        // Files: the path the call acts on; CopyFileA's is the file it writes. CreateFileA
        // stands for every open: whole-file reads and writes and handles alike.
        {"CreateFileA", FaultTarget::FilePath},
        {"DeleteFileA", FaultTarget::FilePath},
        {"CopyFileA", FaultTarget::FilePath},
        {"CreateDirectoryA", FaultTarget::FilePath},
        {"RemoveDirectoryA", FaultTarget::FilePath},
        {"GetFileAttributesA", FaultTarget::FilePath},
        {"SetFileAttributesA", FaultTarget::FilePath},
        {"FindFirstFileA", FaultTarget::FilePath},
        // Redirection of a 32-bit program's System32: no target.
        {"Wow64DisableWow64FsRedirection", FaultTarget::None},
        {"Wow64RevertWow64FsRedirection", FaultTarget::None},
        // Run-time lookups: the library by the name asked for, the function by its name.
        {"LoadLibraryA", FaultTarget::Name},
        {"GetProcAddress", FaultTarget::Name},
        // Registry: the key the call really reaches.
        {"RegCreateKeyExA", FaultTarget::KeyPath},
        {"RegOpenKeyExA", FaultTarget::KeyPath},
        {"RegDeleteKeyA", FaultTarget::KeyPath},
        {"RegSetValueExA", FaultTarget::KeyPath},
        {"RegQueryValueExA", FaultTarget::KeyPath},
        {"RegDeleteValueA", FaultTarget::KeyPath},
        {"RegEnumKeyExA", FaultTarget::KeyPath},
        {"RegEnumValueA", FaultTarget::KeyPath},
        // Spooler: the printer, by the name it was opened with.
        {"OpenPrinterW", FaultTarget::Name},
        {"ClosePrinter", FaultTarget::Name},
        {"StartDocPrinterW", FaultTarget::Name},
        {"StartPagePrinter", FaultTarget::Name},
        {"WritePrinter", FaultTarget::Name},
        {"EndPagePrinter", FaultTarget::Name},
        {"EndDocPrinter", FaultTarget::Name},
        // Printer setup: the printer, driver, monitor or print processor the call names; the
        // directory calls the environment as given (empty for the caller's own).
        {"GetPrinterDriverDirectoryA", FaultTarget::Name},
        {"GetPrintProcessorDirectoryA", FaultTarget::Name},
        {"AddPrinterDriverA", FaultTarget::Name},
        {"AddMonitorA", FaultTarget::Name},
        {"AddPrintProcessorA", FaultTarget::Name},
        {"AddPrinterA", FaultTarget::Name},
        {"OpenPrinterA", FaultTarget::Name},
        {"GetPrinterA", FaultTarget::Name},
        {"SetPrinterA", FaultTarget::Name},
        {"SetDefaultPrinterA", FaultTarget::Name},
        {"EnumPortsA", FaultTarget::None},
        // Removal: the printer a handle was opened on, the monitor, print processor or driver
        // named; the enumerations have no target.
        {"EnumPrintersA", FaultTarget::None},
        {"EnumMonitorsA", FaultTarget::None},
        {"EnumPrintProcessorsA", FaultTarget::None},
        {"DeletePrinter", FaultTarget::Name},
        {"DeleteMonitorA", FaultTarget::Name},
        {"DeletePrintProcessorA", FaultTarget::Name},
        {"DeletePrinterDriverA", FaultTarget::Name},
        {"DeletePrinterDriverExA", FaultTarget::Name},
        // Forms: the form the call names; the enumeration has no target.
        {"EnumFormsW", FaultTarget::None},
        {"AddFormW", FaultTarget::Name},
        {"SetFormW", FaultTarget::Name},
        {"DeleteFormW", FaultTarget::Name},
        // A monitor's configuration commands: the monitor the handle was opened on.
        {"XcvDataW", FaultTarget::Name},
        // Ending the session: the token calls (the privilege lookup by the privilege's name)
        // and the request itself.
        {"OpenProcessToken", FaultTarget::None},
        {"LookupPrivilegeValueA", FaultTarget::Name},
        {"AdjustTokenPrivileges", FaultTarget::None},
        {"ExitWindowsEx", FaultTarget::None},
        // Broadcasts of a win.ini change: the section named (empty for none).
        {"SendMessageTimeoutA", FaultTarget::Name},
        {"SendNotifyMessageA", FaultTarget::Name},
        // Services: the service by name; the manager and closing have no target.
        {"OpenSCManagerA", FaultTarget::None},
        {"OpenServiceA", FaultTarget::Name},
        {"StartServiceA", FaultTarget::Name},
        {"ControlService", FaultTarget::Name},
        {"QueryServiceStatus", FaultTarget::Name},
        {"CloseServiceHandle", FaultTarget::None},
        // Cabinets: the cabinet's path.
        {"SetupIterateCabinetA", FaultTarget::FilePath},
        {"SetupOpenInfFileA", FaultTarget::FilePath},
        {"SetupFindFirstLineA", FaultTarget::None},
        {"SetupGetStringFieldA", FaultTarget::None},
        {"SetupDiGetINFClassA", FaultTarget::FilePath},
        {"SetupDiClassGuidsFromNameA", FaultTarget::Name},
        // Devices and drivers: the INF's path, the new device's name; sets have no target.
        {"UpdateDriverForPlugAndPlayDevicesA", FaultTarget::FilePath},
        {"SetupCopyOEMInfA", FaultTarget::FilePath},
        {"SetupDiCreateDeviceInfoList", FaultTarget::None},
        {"SetupDiCreateDeviceInfoA", FaultTarget::Name},
        {"SetupDiSetDeviceRegistryPropertyA", FaultTarget::None},
        {"SetupDiCallClassInstaller", FaultTarget::None},
        {"SetupDiGetClassDevsA", FaultTarget::None},
        {"SetupDiEnumDeviceInfo", FaultTarget::None},
        {"SetupDiGetDeviceRegistryPropertyA", FaultTarget::None},
        {"SetupDiDestroyDeviceInfoList", FaultTarget::None},
        // Version resources: the file's path; a query the sub-block it asks for.
        {"GetFileVersionInfoSizeA", FaultTarget::FilePath},
        {"GetFileVersionInfoA", FaultTarget::FilePath},
        {"VerQueryValueA", FaultTarget::Name},
    };
    return calls;
}

const FaultableCall* FindFaultableCall(std::string_view name) {
    for (const FaultableCall& call : FaultableCalls())
        if (common::EqualsNoCase(call.name, name)) return &call;
    return nullptr;
}

std::vector<const FaultableCall*> CallsNamedBy(std::string_view nameOrPattern) {
    const CallFault probe{std::string(nameOrPattern), 0, 0, {}};
    std::vector<const FaultableCall*> out;
    for (const FaultableCall& call : FaultableCalls())
        if (FaultNamesCall(probe, call.name)) out.push_back(&call);
    return out;
}

std::uint32_t InjectedFault(const Machine& machine, std::string_view call, std::string_view target) {
    const FaultableCall* known = FindFaultableCall(call);
    if (!known) {
        std::fprintf(stderr, "simulator error: %.*s asks for faults but is not a faultable call\n",
                     static_cast<int>(call.size()), call.data());
        std::abort();
    }
    return TakeFault(machine, known->name, known->target, target);
}

}  // namespace sim
