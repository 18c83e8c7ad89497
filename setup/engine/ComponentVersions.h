// The registry records of installed monitors and print processors: whether one is installed,
// whether it is older than the package's, and its version and DLL values.
#pragma once
#include <cstdint>
#include <string>

#include "setup/engine/EngineContext.h"

namespace setup {

enum class ComponentState { Absent, Current, Older };

// "SYSTEM\CurrentControlSet\Control\Print\Monitors\<name>".
std::string MonitorKey(const std::string& monitorName);
// "SYSTEM\CurrentControlSet\Control\Print\Environments\<env>\Print Processors\<name>" for the
// environment of the target system ("Windows 4.0", "Windows NT x86" or "Windows x64").
std::string ProcessorKey(const EngineContext& ctx, const std::string& processorName);

// Installed when the key exists; older when its DriverVersion is missing or smaller.
ComponentState ReadComponentState(EngineContext& ctx, const std::string& key,
                                  std::uint32_t packageVersion);
// Creates the key when missing and writes DriverVersion (REG_DWORD) / Driver (REG_SZ).
// Failures are not fatal: the next run finds the component older and replaces it again.
void WriteDriverVersion(EngineContext& ctx, const std::string& key, std::uint32_t version);
void WriteDriverValue(EngineContext& ctx, const std::string& key, const std::string& fileName);

}  // namespace setup
