// Creating root-enumerated virtual serial ports and binding them to the package's driver.
#include "install/VirtualPortInstall.h"

#include "platform/win_constants.h"
#include "install/DeviceSet.h"
#include "install/InfFile.h"

namespace install {

namespace {

constexpr const char* kDotLine = ".............................................\r\n";

// The steps up to the first failure; the name of the failing step and its error come back.
struct StepFailure {
    const char* operation = nullptr;
    std::uint32_t code = 0;
};

StepFailure CreatePorts(OperationContext& context, int deviceCount) {
    plat::Platform& platform = context.platform;
    const std::string infPath = context.sourceDirectory + "\\NKXVCOM.INF";
    InfFile inf(platform.deviceInstallation(), platform.lastError());
    if (std::uint32_t error = inf.Open(infPath)) return {"SetupOpenInfFile", error};
    context.log.Append(kDotLine);

    std::string hardwareId;
    if (std::uint32_t error = inf.FindFirstHardwareId(hardwareId))
        return {"search for specified device", error};

    // One set at a time; the set alive when this ends is released by its destructor.
    DeviceSet set(platform.deviceInstallation(), platform.lastError());
    for (int i = 0; i < deviceCount; ++i) {
        if (std::uint32_t error = set.Create(inf.classGuid(), inf.className(), context.parent))
            return {"SetupDiCreateDeviceInfoList", error};
        if (std::uint32_t error = set.AddDevice(hardwareId))
            return {"SetupDiCreateDeviceInfo or SetupDiSetDeviceRegistryProperty", error};
        if (std::uint32_t error = set.Register())
            return {"SetupDiCallClassInstaller(DIF_REGISTERDEVICE)", error};
        if (i == deviceCount - 1) {
            // One driver installation binds every device of that id, so it runs once, last.
            bool reboot = false;
            if (!platform.deviceInstallation().UpdateDriverForPlugAndPlayDevicesA(
                    context.parent, hardwareId.c_str(), infPath.c_str(), INSTALLFLAG_FORCE,
                    &reboot))
                return {"UpdateDriverForPlugAndPlayDevices", platform.lastError().GetLastError()};
            set.KeepDevice();
            context.log.Append(kDotLine);
        }
        context.log.Append("Driver install finish, please plug in TCP printer.\r\n");
    }
    return {};
}

}  // namespace

void InstallVirtualPorts(OperationContext& context, int deviceCount) {
    StepFailure failure = CreatePorts(context, deviceCount);
    if (!failure.operation) return;
    context.log.ReportError(failure.operation, failure.code);
    context.log.Append("install failed , please uninstall and restart to install.\r\n");
}

}  // namespace install
