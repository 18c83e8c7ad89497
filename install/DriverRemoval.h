// Operations 11, 22 and 88: remove the devices of the package's drivers, the driver files and
// the installed copies of the package's INF files.
#pragma once
#include <cstdint>
#include <string>

#include "install/OperationContext.h"

namespace install {

// 'u' the USB virtual serial port (11), 'p' the printer's USB driver (22), 'v' the virtual
// serial ports of operation 8 (88).
void RemoveDrivers(OperationContext& context, char kind);

// The product id after "USB\Vid_0aa7&Pid_" or "USB\VID_0AA7&PID_" in a hardware id: up to four
// hexadecimal digits. False when the id has neither prefix or no digit follows.
bool ProductIdOf(const std::string& hardwareId, std::uint32_t& productId);

// The package's own devices have product ids 0x1000 to 0x15FF.
bool IsPackageProductId(std::uint32_t productId);

// Whether operation 22 removes the device of this hardware id: vendor 0AA7 with a package
// product id, or one of the ids operation 2 binds to the printer's USB driver whose vendor is
// not 0AA7 (without them the printer operation 2 set up would stay bound to a driver whose files
// are gone while the removal reads as done). Ids compare without regard to letter case, as
// Windows compares them.
bool IsRemovedPrinterDevice(const std::string& hardwareId);

// The compiled form of an INF: its name with the last three characters replaced by "PNF".
std::string CompiledInfName(const std::string& infPath);

}  // namespace install
