// Installing the USB driver for an attached printer, or pre-installing it for a later one.
#include "install/UsbDriverInstall.h"

#include "platform/win_constants.h"
#include "package/OsDetection.h"

namespace install {

namespace {

// From Windows Server 2003 on a package already installed is refreshed in place.
constexpr int kFirstOsIndexToReplace = 4;

bool BindAttachedPrinter(OperationContext& context, const std::string& infPath) {
    plat::DeviceInstallation& devices = context.platform.deviceInstallation();
    for (const char* hardwareId : kUsbHardwareIds) {
        bool reboot = false;
        if (devices.UpdateDriverForPlugAndPlayDevicesA(context.parent, hardwareId,
                                                       infPath.c_str(), INSTALLFLAG_FORCE,
                                                       &reboot))
            return true;
    }
    // Every id failed; no error at all still means the device was found.
    return context.platform.lastError().GetLastError() == 0;
}

void PreinstallPackage(OperationContext& context, const std::string& infPath, bool replaceToo) {
    plat::DeviceInstallation& devices = context.platform.deviceInstallation();
    std::uint32_t required = 0;
    bool copied = devices.SetupCopyOEMInfA(infPath.c_str(), context.sourceDirectory.c_str(),
                                           SPOST_PATH, SP_COPY_NOOVERWRITE, nullptr, 0,
                                           &required);
    if (!copied && replaceToo)
        devices.SetupCopyOEMInfA(infPath.c_str(), context.sourceDirectory.c_str(), SPOST_PATH,
                                 SP_COPY_REPLACEONLY, nullptr, 0, &required);
}

}  // namespace

int InstallerOsIndex(plat::SystemInfo& system) {
    pkg::DetectedOs os = pkg::DetectOs(system);
    return os.unknownPlatform ? 3 : os.index;
}

void InstallUsbDriver(OperationContext& context, int operation) {
    const std::string infPath =
        context.sourceDirectory + "\\" + (operation == 1 ? "USBVCOM.INF" : "WNZK450USB.INF");
    context.log.Append("start install the device drivers.\r\n");
    if (BindAttachedPrinter(context, infPath)) {
        context.log.Append("usb device already exist, start to install drivers.\r\n");
        return;
    }
    context.log.Append(operation == 1 ? "usb device no exist, start to preinstall.\r\n"
                                      : "USB device no exist, start to preinstall.\r\n");
    bool replaceToo =
        operation == 2 && InstallerOsIndex(context.platform.system()) >= kFirstOsIndexToReplace;
    PreinstallPackage(context, infPath, replaceToo);
}

}  // namespace install
