// Install, the USB device-driver installer: one operation per run, in its window.
#include "install/DeviceOperations.h"
#include "install/InstallerCommandLine.h"
#include "install/InstallerWindow.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    auto platform = plat::MakeProcessPlatform();
    if (!platform) return 2;
    const install::InstallerCommand command = install::ParseInstallerCommandLine(argc, argv);
    install::RunInstallerWindow(*platform, [&command](install::OperationContext& context) {
        install::RunDeviceOperation(context, command);
    });
    return 0;
}
