// Creating a Standard TCP/IP port for a network printer, through the monitor's configuration
// handle.
#pragma once
#include <string>

#include "platform/platform.h"
#include "platform/spooler_records.h"

namespace setup {

// The monitor's configuration handle and the sizes the call uses.
inline constexpr const char* kTcpIpMonitorXcv = ",XcvMonitor Standard TCP/IP Port";
inline constexpr std::uint32_t kTcpIpPortNumber = 9100;
inline constexpr std::uint32_t kXcvOutputSize = 260;

// The port name of a network printer: "IP_" followed by the dotted address text.
std::string TcpIpPortName(const std::string& addressText);

// The record "AddPort" takes: the port name and address (each cut to its array, always
// terminated), raw protocol on port 9100, community "public", double spooling on, SNMP off
// with device index 1, everything else 0.
plat::PORT_DATA_1 MakeTcpIpPortData(const std::string& portName, const std::string& addressText);

// Opens the Standard TCP/IP monitor for administration and asks it to add the port. A failed
// open or a refused command shows the system's message for the error (for the command: the
// status the monitor returned) in a box titled "ERROR" with the information icon and gives
// false. The monitor's handle is closed again either way.
bool AddTcpIpPort(plat::Platform& platform, plat::WindowRef owner, const std::string& portName,
                  const std::string& addressText);

}  // namespace setup
