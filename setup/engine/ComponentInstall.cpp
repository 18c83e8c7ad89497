// Installing absent monitors and processors, and flagging older ones.
#include "setup/engine/ComponentInstall.h"

#include "setup/engine/ComponentVersions.h"
#include "setup/engine/SpoolerRegistration.h"

namespace setup {

namespace {

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// A copy that failed without a text of its own (refused) still tells the user why.
bool FailCopy(EngineContext& ctx, const std::string& name) {
    if (ctx.result.empty()) ctx.result.Set(ctx.Text("IDS_ERR_COPYFIEL") + name);
    return false;
}

bool InstallMonitor(EngineContext& ctx, const std::string& name, const std::string& dll,
                    const std::string& uiDll, std::uint32_t version) {
    std::string usedName;
    const Placement placed = PlaceComponentDll(ctx, dll, DEST_SYSTEM, usedName);
    if (placed == Placement::Refused || placed == Placement::Failed) return FailCopy(ctx, dll);
    if (pkg::NamesFile(uiDll)) {
        std::string ui = uiDll;
        if (CopyPackageFile(ctx, ui, DEST_SYSTEM, false) != kCopied) return FailCopy(ctx, ui);
    }
    if (!RegisterMonitor(ctx, name, usedName)) return false;
    WriteDriverVersion(ctx, MonitorKey(name), version);
    return true;
}

bool EnsureMonitor(EngineContext& ctx, const pkg::PortMonitorRecord& monitor,
                   std::uint32_t olderFlag, std::uint32_t& upgradeFlags) {
    switch (ReadComponentState(ctx, MonitorKey(monitor.name), monitor.version)) {
    case ComponentState::Current: return true;
    case ComponentState::Older: upgradeFlags |= olderFlag; return true;
    case ComponentState::Absent: break;
    }
    return InstallMonitor(ctx, monitor.name, monitor.dllName, monitor.uiDllName,
                          monitor.version);
}

}  // namespace

Placement PlaceComponentDll(EngineContext& ctx, const std::string& dllName, DestinationKind kind,
                            std::string& usedName) {
    std::string name = dllName;
    const int first = CopyPackageFile(ctx, name, kind, false);
    usedName = name;
    if (first == kCopied) return Placement::AsName;
    if (first != kCopyInUse && first != kCopyDenied) return Placement::Failed;
    const int second = CopyPackageFile(ctx, name, kind, true);
    usedName = "n" + name;
    if (second == kCopied) return Placement::AsAlternateName;
    if (second != kCopyInUse && second != kCopyDenied) return Placement::Failed;
    ctx.result.Set(ctx.Text("IDS_ERR_NEEDRESTART"));
    return Placement::Refused;
}

bool EnsurePortMonitor(EngineContext& ctx, const std::string& portName,
                       const pkg::PortMonitorRecords& monitors, std::uint32_t& upgradeFlags) {
    if (Contains(portName, "LPT") || Contains(portName, "NET")) return true;
    if (Contains(portName, "COM") && !ctx.is64Bit && !monitors.serial.dllName.empty() &&
        ctx.os != 0)
        return EnsureMonitor(ctx, monitors.serial, kSerialMonitorOlder, upgradeFlags);
    if (Contains(portName, "USB_") && !monitors.usb.dllName.empty() && ctx.os != 1)
        return EnsureMonitor(ctx, monitors.usb, kUsbMonitorOlder, upgradeFlags);
    return true;
}

bool EnsureLanguageMonitor(EngineContext& ctx, const std::string& portName,
                           const pkg::LanguageMonitorRecord& monitor,
                           std::uint32_t& upgradeFlags) {
    if (!Contains(portName, "USB_") || !monitor.present || ctx.os == 1) return true;
    switch (ReadComponentState(ctx, MonitorKey(monitor.name), monitor.version)) {
    case ComponentState::Current: return true;
    case ComponentState::Older: upgradeFlags |= kLanguageMonitorOlder; return true;
    case ComponentState::Absent: break;
    }
    return InstallMonitor(ctx, monitor.name, monitor.dllName, "", monitor.version);
}

bool EnsurePrintProcessor(EngineContext& ctx, const std::string& processorName,
                          const std::string& processorDll, std::uint32_t version,
                          std::uint32_t& upgradeFlags) {
    if (processorName == "WinPrint") return true;
    switch (ReadComponentState(ctx, ProcessorKey(ctx, processorName), version)) {
    case ComponentState::Current: return true;
    case ComponentState::Older: upgradeFlags |= kProcessorOlder; return true;
    case ComponentState::Absent: break;
    }
    std::string dll = processorDll;
    if (pkg::NamesFile(dll) && CopyPackageFile(ctx, dll, DEST_PROCESSOR, false) != kCopied)
        return FailCopy(ctx, dll);
    if (!RegisterPrintProcessor(ctx, dll, processorName)) return false;
    WriteDriverVersion(ctx, ProcessorKey(ctx, processorName), version);
    ctx.platform.system().Sleep(200);
    return true;
}

}  // namespace setup
