// Replacing an older monitor or print processor: on the NT family with the spooler stopped,
// on Windows 9x in place under the "n" name.
#include <algorithm>
#include <cctype>
#include <string>

#include "platform/win_constants.h"
#include "setup/engine/ComponentInstall.h"
#include "setup/engine/ComponentVersions.h"
#include "setup/engine/SpoolerService.h"

namespace setup {

namespace {

// The first flagged of serial monitor, USB monitor, print processor; one per run.
std::uint32_t ComponentToReplace(std::uint32_t flags) {
    for (std::uint32_t bit : {kSerialMonitorOlder, kUsbMonitorOlder, kProcessorOlder})
        if (flags & bit) return bit;
    return 0;
}

std::uint32_t PauseAfterStart(int os) {
    if (os == 1 || os == 2) return 1000;
    if (os == 3 || os == 4) return 2500;
    return 0;
}

// Copies a monitor's DLL into the system directory, under its "n" name when the old one is in
// use (the monitor's Driver value then points there), and records its version.
bool ReplaceMonitorDll(EngineContext& ctx, const std::string& name, const std::string& dllName,
                       std::uint32_t version) {
    std::string usedName;
    const Placement placed = PlaceComponentDll(ctx, dllName, DEST_SYSTEM, usedName);
    if (placed == Placement::Refused || placed == Placement::Failed) {
        if (ctx.result.empty()) ctx.result.Set(ctx.Text("IDS_ERR_COPYFIEL") + usedName);
        return false;
    }
    const std::string key = MonitorKey(name);
    if (placed == Placement::AsAlternateName) WriteDriverValue(ctx, key, usedName);
    WriteDriverVersion(ctx, key, version);
    return true;
}

// A port monitor's DLL, then its UI DLL.
bool ReplaceMonitorFiles(EngineContext& ctx, const pkg::PortMonitorRecord& monitor) {
    if (!ReplaceMonitorDll(ctx, monitor.name, monitor.dllName, monitor.version)) return false;
    if (pkg::NamesFile(monitor.uiDllName)) {
        std::string ui = monitor.uiDllName;
        if (CopyPackageFile(ctx, ui, DEST_SYSTEM, false) != kCopied) {
            if (ctx.result.empty()) ctx.result.Set(ctx.Text("IDS_ERR_COPYFIEL") + ui);
            return false;
        }
    }
    return true;
}

// The spooler is stopped by now and cannot name its print-processor directory, so the DLL is
// copied straight into the directory looked up before the stop.
bool ReplaceProcessorFile(EngineContext& ctx, const std::string& directory,
                          const UpgradeComponents& components) {
    std::string dll = components.processorDll;
    std::transform(dll.begin(), dll.end(), dll.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    char current[260] = {};
    const std::uint32_t n = ctx.platform.files().GetCurrentDirectoryA(sizeof current, current);
    const std::string source = std::string(current, n < sizeof current ? n : 0) +
                               (ctx.is64Bit ? "\\W64\\" : "\\W32\\") + dll;
    const std::string destination = directory + "\\" + dll;
    auto& files = ctx.platform.files();
    files.SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    if (n == 0 || n >= sizeof current ||
        !files.CopyFileA(source.c_str(), destination.c_str(), false)) {
        ctx.result.Set(ctx.Text("IDS_ERR_COPYFIEL") + source);
        return false;
    }
    WriteDriverVersion(ctx, ProcessorKey(ctx, components.processorName),
                       components.processorVersion);
    return true;
}

// A failed replacement must not leave the spooler stopped: nothing could print afterwards.
bool FailWithSpoolerRestarted(EngineContext& ctx) {
    const std::string failure = ctx.result.str();
    StartSpooler(ctx);
    ctx.result.Set(failure);
    return false;
}

bool ReplaceWithSpoolerStopped(EngineContext& ctx, std::uint32_t component,
                               std::uint32_t upgradeFlags, const UpgradeComponents& components) {
    std::string processorDirectory;
    if ((upgradeFlags & kProcessorOlder) && !PrintProcessorDirectory(ctx, processorDirectory))
        return false;
    StopSpooler(ctx);
    ctx.platform.system().Sleep(500);
    bool replaced = true;
    if (component == kSerialMonitorOlder) replaced = ReplaceMonitorFiles(ctx, components.monitors.serial);
    if (component == kUsbMonitorOlder) replaced = ReplaceMonitorFiles(ctx, components.monitors.usb);
    if (component == kProcessorOlder) replaced = ReplaceProcessorFile(ctx, processorDirectory, components);
    if (!replaced) return FailWithSpoolerRestarted(ctx);

    StartSpooler(ctx);
    ctx.platform.system().Sleep(PauseAfterStart(ctx.os));
    const std::uint32_t state = WaitSpoolerRunning(ctx);
    if (state == SERVICE_RUNNING) return true;
    if (state == SERVICE_STOPPED || state == SERVICE_STOP_PENDING) {
        // One more start; the result text already holds the failure, so the run ends at the
        // next copy.
        StartSpooler(ctx);
        ctx.platform.system().Sleep(2500);
        return true;
    }
    return false;
}

// Windows 9x: the new DLL goes in under the "n" name when the old one is loaded.
bool ReplaceInPlace(EngineContext& ctx, const std::string& key, const std::string& dll,
                    DestinationKind kind, std::uint32_t version) {
    ctx.platform.registry().CreateKey(plat::RegRoot::LocalMachine, key.c_str(),
                                      ctx.SpoolerView());
    std::string usedName;
    const Placement placed = PlaceComponentDll(ctx, dll, kind, usedName);
    if (placed == Placement::Refused || placed == Placement::Failed) {
        if (ctx.result.empty()) ctx.result.Set(ctx.Text("IDS_ERR_COPYFIEL") + usedName);
        return false;
    }
    WriteDriverValue(ctx, key, usedName);
    WriteDriverVersion(ctx, key, version);
    return true;
}

}  // namespace

bool ReplaceOlderComponent(EngineContext& ctx, std::uint32_t upgradeFlags,
                           const UpgradeComponents& components) {
    const std::uint32_t component = ComponentToReplace(upgradeFlags);
    if (component == 0) return true;
    if (ctx.os != 0) return ReplaceWithSpoolerStopped(ctx, component, upgradeFlags, components);
    if (component == kUsbMonitorOlder) {
        const auto& usb = components.monitors.usb;
        return ReplaceInPlace(ctx, MonitorKey(usb.name), usb.dllName, DEST_SYSTEM, usb.version);
    }
    if (component == kProcessorOlder)
        return ReplaceInPlace(ctx, ProcessorKey(ctx, components.processorName),
                              components.processorDll, DEST_PROCESSOR,
                              components.processorVersion);
    return true;
}

bool ReplaceLanguageMonitor(EngineContext& ctx, const pkg::LanguageMonitorRecord& monitor) {
    return ReplaceMonitorDll(ctx, monitor.name, monitor.dllName, monitor.version);
}

}  // namespace setup
