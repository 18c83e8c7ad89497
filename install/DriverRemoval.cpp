// Removing the package's devices and driver files.
#include "install/DriverRemoval.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/text.h"
#include "install/UsbDriverInstall.h"
#include "platform/win_constants.h"

namespace install {

namespace {

// {36FC9E60-C465-11CF-8056-444553540000}
constexpr plat::GUID kUsbClass = {0x36FC9E60, 0xC465, 0x11CF,
                                  {0x80, 0x56, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
// {4D36E978-E325-11CE-BFC1-08002BE10318}
constexpr plat::GUID kPortsClass = {0x4D36E978, 0xE325, 0x11CE,
                                    {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

constexpr std::uint32_t kHardwareIdBufferSize = 1024;
constexpr std::uint32_t kProfileValueSize = 200;

struct RemovalFiles {
    std::vector<const char*> infs;     // in the Windows INF directory
    std::vector<const char*> drivers;  // in the drivers directory
};

RemovalFiles FilesOf(char kind) {
    switch (kind) {
    case 'p': return {{"WNZK450USB.INF", "bulkusb.INF"}, {"ZADO450DEZ.URE", "bulkusb.SYS"}};
    case 'u': return {{"USBVCOM.INF"}, {"USBVCOM.SYS"}};
    default: return {{"NKXVCOM.INF"}, {"NKXVCOM.SYS"}};
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string WithBackslash(std::string directory) {
    if (directory.empty() || directory.back() != '\\') directory += '\\';
    return directory;
}

std::string InfDirectory(plat::FileSystem& files) {
    char windows[260] = {};
    files.GetWindowsDirectoryA(windows, sizeof windows);
    return WithBackslash(windows) + "inf\\";
}

std::string DriversDirectory(plat::FileSystem& files) {
    char system[260] = {};
    files.GetSystemDirectoryA(system, sizeof system);
    return WithBackslash(system) + "Drivers\\";
}

// Deleting is best effort: a read-only file is made deletable first, failures are ignored.
void DeleteQuietly(plat::FileSystem& files, const std::string& path) {
    files.SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    files.DeleteFileA(path.c_str());
}

void DeleteInf(plat::FileSystem& files, const std::string& path) {
    DeleteQuietly(files, path);
    DeleteQuietly(files, CompiledInfName(path));
}

bool IsVendorPackageDevice(const std::string& hardwareId) {
    std::uint32_t productId = 0;
    return ProductIdOf(hardwareId, productId) && IsPackageProductId(productId);
}

void RemoveDevices(OperationContext& context, char kind) {
    plat::DeviceInstallation& devices = context.platform.deviceInstallation();
    const plat::GUID& deviceClass = kind == 'p' ? kUsbClass : kPortsClass;
    plat::DeviceInfoSet set =
        devices.SetupDiGetClassDevsA(&deviceClass, nullptr, context.parent, DIGCF_PRESENT);
    if (set == plat::kInvalidDeviceInfoSet) return;
    plat::SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (std::uint32_t index = 0; devices.SetupDiEnumDeviceInfo(set, index, device); ++index) {
        std::uint8_t buffer[kHardwareIdBufferSize + 1] = {};
        if (!devices.SetupDiGetDeviceRegistryPropertyA(set, device, SPDRP_HARDWAREID, nullptr,
                                                       buffer, kHardwareIdBufferSize, nullptr))
            continue;
        // The list's first id is the one compared; the extra zero ends it in any case.
        std::string hardwareId(reinterpret_cast<const char*>(buffer));
        if (kind == 'p' ? !IsRemovedPrinterDevice(hardwareId) : !IsVendorPackageDevice(hardwareId))
            continue;
        if (!devices.SetupDiCallClassInstaller(DIF_REMOVE, set, &device))
            std::fputs(" CallClassInstaller(REMOVE) failed! ", stdout);
    }
    devices.SetupDiDestroyDeviceInfoList(set);
}

void DeleteDriverFiles(plat::FileSystem& files, char kind) {
    RemovalFiles list = FilesOf(kind);
    const std::string infDirectory = InfDirectory(files);
    const std::string driversDirectory = DriversDirectory(files);
    for (const char* inf : list.infs) DeleteInf(files, infDirectory + inf);
    for (const char* driver : list.drivers) DeleteQuietly(files, driversDirectory + driver);
}

std::string ReadValue(plat::Profile& profile, const char* section, const char* key,
                      const std::string& file) {
    char value[kProfileValueSize] = {};
    profile.GetPrivateProfileStringA(section, key, "", value, kProfileValueSize, file.c_str());
    return value;
}

bool IsPackageInf(plat::Profile& profile, const std::string& file, char kind) {
    std::string deviceClass = ReadValue(profile, "Version", "Class", file);
    if (kind == 'p') {
        if (deviceClass != "USB") return false;
        std::string provider = ReadValue(profile, "Strings", "Provider", file);
        if (provider.empty()) provider = ReadValue(profile, "Strings", "WN", file);
        if (provider.empty()) provider = ReadValue(profile, "Strings", "KX", file);
        if (provider.empty()) return false;
        return ReadValue(profile, "Strings", "Disk", file).find("QELM Printer Driver") !=
               std::string::npos;
    }
    return deviceClass == "Ports" &&
           ReadValue(profile, "Strings", "Mfg", file).find("QELM") != std::string::npos;
}

void DeleteInstalledInfs(OperationContext& context, char kind) {
    plat::FileSystem& files = context.platform.files();
    const std::string infDirectory = InfDirectory(files);
    std::vector<plat::FindData> found;
    if (!files.FindFiles((infDirectory + "*.inf").c_str(), found)) {
        std::printf("Invalid File Handle. Get Last Error reports %d\n",
                    static_cast<int>(context.platform.lastError().GetLastError()));
        return;
    }
    for (const plat::FindData& entry : found) {
        const std::string path = infDirectory + entry.name;
        if (IsPackageInf(context.platform.profile(), path, kind)) DeleteInf(files, path);
    }
}

}  // namespace

bool ProductIdOf(const std::string& hardwareId, std::uint32_t& productId) {
    std::size_t at = std::string::npos;
    for (const char* prefix : {"USB\\Vid_0aa7&Pid_", "USB\\VID_0AA7&PID_"}) {
        at = hardwareId.find(prefix);
        if (at != std::string::npos) {
            at += std::strlen(prefix);
            break;
        }
    }
    if (at == std::string::npos) return false;
    productId = 0;
    int digits = 0;
    for (; digits < 4 && at + digits < hardwareId.size(); ++digits) {
        int value = HexDigit(hardwareId[at + digits]);
        if (value < 0) break;
        productId = productId * 16 + static_cast<std::uint32_t>(value);
    }
    return digits > 0;
}

bool IsPackageProductId(std::uint32_t productId) {
    return productId >= 0x1000 && productId <= 0x15FF;
}

bool IsRemovedPrinterDevice(const std::string& hardwareId) {
    if (IsVendorPackageDevice(hardwareId)) return true;
    for (const char* bound : kUsbHardwareIds) {
        if (common::StartsWithNoCase(bound, "USB\\VID_0AA7&")) continue;  // the product-id rule decides
        if (common::StartsWithNoCase(hardwareId, bound)) return true;
    }
    return false;
}

std::string CompiledInfName(const std::string& infPath) {
    if (infPath.size() < 3) return "PNF";
    return infPath.substr(0, infPath.size() - 3) + "PNF";
}

void RemoveDrivers(OperationContext& context, char kind) {
    context.log.Append("uninstall the device drivers and delete application.\r\n");
    RemoveDevices(context, kind);
    DeleteDriverFiles(context.platform.files(), kind);
    DeleteInstalledInfs(context, kind);
    context.log.Append("uninstall finish.....\r\n");
}

}  // namespace install
