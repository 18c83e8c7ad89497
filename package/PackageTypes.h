// The small vocabularies of the package configuration: OS index, port kind, driver flavour.
#pragma once
#include <cstdint>

namespace pkg {

// OS index 0..7: ".98", ".NT", ".2K", ".XP", ".2003", ".Vista", ".2008", ".Win7".
inline constexpr int kOsCount = 8;

// The section-name suffix of an OS index; empty outside 0..7, which names no section.
const char* OsSuffix(int os);

// cVersion of the driver record: 0 for the 9x row, 2 for NT 4.0, 3 from Windows 2000 on.
std::uint32_t DriverRecordVersion(int os);

// Only the 9x row passes an environment with driver and monitor records; the others pass none
// and get the running system's own.
bool UsesWindows40Environment(int os);
inline constexpr const char* kWindows40Environment = "Windows 4.0";

// The kind of the chosen port; selects the driver-name key and whether a language monitor
// applies. The fixed underlying type keeps a value outside 0..3 well-defined: it names no key.
enum PortKind : int { kSerialPort = 0, kParallelPort = 1, kUsbPort = 2, kNetworkPort = 3 };
inline constexpr int kPortKindCount = 4;

// Which of the two parallel sets of driver-file keys a record reads: raster ("GDI" keys,
// "Raster Graphic Printing" on) or standard ("STD" keys).
enum class Flavour { Raster, Standard };
const char* FlavourPrefix(Flavour flavour);

}  // namespace pkg
