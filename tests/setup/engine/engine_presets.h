// The Windows presets the example package installs on, with the OS index and 64-bit flag the
// wizard picks on each and the native print environment the driver must land in.
#pragma once
#include <vector>

#include "tests/setup/engine/sim_engine_fixture.h"

namespace enginetest {

inline const std::vector<PresetCase>& SupportedPresets() {
    static const std::vector<PresetCase> presets = {
        {"windows-2000-x86", 2, false, "Windows NT x86", "w32x86"},
        {"xp-x86", 3, false, "Windows NT x86", "w32x86"},
        {"server-2003-x86", 4, false, "Windows NT x86", "w32x86"},
        {"server-2003-x64", 4, true, "Windows x64", "x64"},
        {"vista-x86", 5, false, "Windows NT x86", "w32x86"},
        {"vista-x64", 5, true, "Windows x64", "x64"},
        {"server-2008-x86", 6, false, "Windows NT x86", "w32x86"},
        {"server-2008-x64", 6, true, "Windows x64", "x64"},
        {"windows-7-x86", 7, false, "Windows NT x86", "w32x86"},
        {"windows-7-x64", 7, true, "Windows x64", "x64"},
    };
    return presets;
}

inline const PresetCase& Preset(const char* name) {
    for (const PresetCase& p : SupportedPresets())
        if (std::string(p.preset) == name) return p;
    return SupportedPresets().front();
}

// The language file's texts (language\setup.ini, section Message), line-break markers
// turned into CR LF.
inline constexpr const char* kInstalledText = "The printer driver has been installed.";
inline constexpr const char* kInstalledUsbText =
    "The printer driver has been installed.\r\nIf the printer does not print, unplug its USB "
    "cable and plug it in again.";
inline constexpr const char* kTooManyText = "Too many printers already use this port.";
inline constexpr const char* kAddPrinterText = "The printer could not be added.";
inline constexpr const char* kAddDriverText = "The printer driver could not be added.";
inline constexpr const char* kAddMonitorText = "The port monitor could not be added.";
inline constexpr const char* kAllocMemoryText = "There is not enough memory.";
// The start of a failed copy's text; the file's name and Windows' message follow.
inline constexpr const char* kCopyFailedText = "A driver file could not be copied:";

}  // namespace enginetest
