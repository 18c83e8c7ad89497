// Operations 1 and 2: bind the attached USB printer to the virtual-serial-port driver (1) or
// the printer's USB driver (2), or pre-install the driver package when no printer is there.
#pragma once
#include "install/OperationContext.h"

namespace install {

// The hardware ids tried, in order.
inline constexpr const char* kUsbHardwareIds[] = {
    "USB\\VID_5A5A&PID_5A5A", "USB\\VID_04ce&PID_04ce", "USB\\VID_5a5a&PID_1000",
    "USB\\VID_5a5a&PID_1001", "USB\\VID_0AA7&PID_030A"};

// operation is 1 or 2.
void InstallUsbDriver(OperationContext& context, int operation);

// The OS index operation 2 decides on: the wizard's, but 3 for a platform that is neither 9x
// nor NT.
int InstallerOsIndex(plat::SystemInfo& system);

}  // namespace install
