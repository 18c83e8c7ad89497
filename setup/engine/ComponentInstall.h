// Installing and replacing port monitors, the language monitor and the print processor: the
// checks that decide between installing and upgrading, and the in-place replacements.
#pragma once
#include <cstdint>
#include <string>

#include "package/PackageRecords.h"
#include "setup/engine/CopyPackageFile.h"
#include "setup/engine/EngineContext.h"

namespace setup {

// Bits of components that are installed but older than the package's.
enum UpgradeFlag : std::uint32_t {
    kSerialMonitorOlder = 1,
    kUsbMonitorOlder = 2,
    kLanguageMonitorOlder = 4,
    kProcessorOlder = 8,
};

// Installs the port's monitor when absent, or flags it when older. Ports of other kinds do
// nothing. False when the installation must end (the result text says why).
bool EnsurePortMonitor(EngineContext& ctx, const std::string& portName,
                       const pkg::PortMonitorRecords& monitors, std::uint32_t& upgradeFlags);
bool EnsureLanguageMonitor(EngineContext& ctx, const std::string& portName,
                           const pkg::LanguageMonitorRecord& monitor,
                           std::uint32_t& upgradeFlags);
// "WinPrint" is the system's own and is left alone.
bool EnsurePrintProcessor(EngineContext& ctx, const std::string& processorName,
                          const std::string& processorDll, std::uint32_t version,
                          std::uint32_t& upgradeFlags);

// How a component's DLL was placed: under its name, or (the file being in use or denied) under
// "n" + name, or not at all.
enum class Placement { AsName, AsAlternateName, Refused, Failed };
// Copies the DLL, and again as "n" + name when the first copy is refused. `usedName` is the file
// name the copy has. A refused second copy writes IDS_ERR_NEEDRESTART.
Placement PlaceComponentDll(EngineContext& ctx, const std::string& dllName, DestinationKind kind,
                            std::string& usedName);

// What the upgrade needs to know about the package's components.
struct UpgradeComponents {
    pkg::PortMonitorRecords monitors;
    std::string processorName;
    std::string processorDll;
    std::uint32_t processorVersion = 0;
};

// Replaces the first older component of serial monitor, USB monitor and print processor; on
// the NT family with the spooler stopped and started again. False when the run must end now;
// true also when the spooler did not come back but was asked to start once more (the result
// text then holds the failure and the next copy ends the run).
bool ReplaceOlderComponent(EngineContext& ctx, std::uint32_t upgradeFlags,
                           const UpgradeComponents& components);
// Replaces an older language monitor at once, without stopping the spooler.
bool ReplaceLanguageMonitor(EngineContext& ctx, const pkg::LanguageMonitorRecord& monitor);

}  // namespace setup
