// The operation codes.
#include "install/DeviceOperations.h"

#include "install/DriverRemoval.h"
#include "install/UsbDriverInstall.h"
#include "install/VirtualPortInstall.h"

namespace install {

void RunDeviceOperation(OperationContext& context, const InstallerCommand& command) {
    switch (command.operation) {
    case 1:
    case 2: InstallUsbDriver(context, command.operation); break;
    case 8: InstallVirtualPorts(context, command.deviceCount); break;
    case 11: RemoveDrivers(context, 'u'); break;
    case 22: RemoveDrivers(context, 'p'); break;
    case 88: RemoveDrivers(context, 'v'); break;
    default: break;
    }
}

}  // namespace install
