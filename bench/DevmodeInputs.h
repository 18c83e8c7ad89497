// Device modes as the universal driver hands them to the plug-in's DevMode method: the public
// DEVMODEW with the plug-in's private block in its driver-extra part, in one buffer.
#pragma once
#include <cstdint>

#include "tools/driverui/DeviceMode.h"

namespace bench {

// The block an earlier version stored: everything before the watermark fields.
inline constexpr std::uint16_t kOlderBlockSize = 1000;

// A new device mode as the driver allocates it after OEMDM_SIZE: the public defaults for A4 and
// a zeroed 1464-byte private block.
driverui::DeviceMode NewDevmode();
// A stored device mode of the current version with settings a user changed on the pages.
driverui::DeviceMode StoredCurrentDevmode();
// The same settings as an earlier version stored them: a 1000-byte block, version 0.
driverui::DeviceMode StoredOlderDevmode();

}  // namespace bench
