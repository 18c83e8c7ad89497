// Tests of the device calls on the simulated machine: binding an attached printer with the
// package's INF, the driver errors, copies in the INF directory, root devices with generated
// ids, presence, removal, the WOW64 refusal and a fault.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/sim/state/device_tree.h"
#include "platform/sim/state/faults.h"
#include "platform/sim/state/usb_printers.h"
#include "platform/win_constants.h"
#include "tests/support/temp_machine.h"

namespace {

using testsupport::TempMachine;

const plat::GUID kPorts{0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
const plat::GUID kUsb{0x36FC9E60, 0xC465, 0x11CF, {0x80, 0x56, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const char kPrinterId[] = "USB\\VID_5A5A&PID_5A5A";
const char kDir[] = "C:\\pkg";
const char kUsbInf[] = "C:\\pkg\\WNZK450USB.INF";
const char kPortsInf[] = "C:\\pkg\\NKXVCOM.INF";

std::vector<std::uint8_t> HostBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class DeviceCalls : public ::testing::Test {
protected:
    explicit DeviceCalls(const char* preset = "windows-7-x64", int bits = 64,
                         const char* packageFolder = "USBDriver_x64")
        : m_(preset), p_(m_.Process(bits)), dev_(p_->deviceInstallation()) {
        const std::filesystem::path from =
            std::filesystem::path(PKG_SOURCE_DIR) / "examples/package/USBDrv" / packageFolder;
        p_->files().CreateDirectoryA(kDir);
        for (const char* name :
             {"WNZK450USB.INF", "ZADO450DEZ.ure", "NKXVCOM.INF", "NKXVCOM.SYS"})
            EXPECT_TRUE(p_->files().WriteWholeFile((std::string(kDir) + "\\" + name).c_str(),
                                                   HostBytes(from / name)));
    }

    void Attach(std::uint16_t vid = 0x5A5A, std::uint16_t pid = 0x5A5A, int id = 1) {
        sim::UsbPrinter printer;
        printer.internalId = id;
        printer.vendorId = vid;
        printer.productId = pid;
        std::string error;
        ASSERT_TRUE(sim::AttachUsbPrinter(m_.machine(), printer, error)) << error;
    }
    std::uint32_t Last() { return p_->lastError().GetLastError(); }
    bool Update(const char* id, const char* inf = kUsbInf, std::uint32_t flags = INSTALLFLAG_FORCE) {
        return dev_.UpdateDriverForPlugAndPlayDevicesA(0, id, inf, flags, nullptr);
    }
    bool Exists(const std::string& path) {
        return p_->files().GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    std::optional<sim::DeviceRecord> Printer(int slot = 0) {
        return sim::FindDevice(m_.machine(), sim::UsbPrinterInstanceId(0x5A5A, 0x5A5A, slot));
    }
    // The instance ids a class query lists, through the calls a program makes.
    std::vector<std::string> ClassDevices(const plat::GUID& guid, std::uint32_t flags) {
        std::vector<std::string> ids;
        plat::DeviceInfoSet set = dev_.SetupDiGetClassDevsA(&guid, nullptr, 0, flags);
        EXPECT_NE(set, plat::kInvalidDeviceInfoSet);
        plat::SP_DEVINFO_DATA data{sizeof(plat::SP_DEVINFO_DATA), {}, 0, 0};
        for (std::uint32_t i = 0; dev_.SetupDiEnumDeviceInfo(set, i, data); ++i) {
            char hardware[256] = "";
            dev_.SetupDiGetDeviceRegistryPropertyA(set, data, SPDRP_HARDWAREID, nullptr,
                                                   reinterpret_cast<std::uint8_t*>(hardware),
                                                   sizeof hardware, nullptr);
            ids.push_back(hardware);
        }
        EXPECT_EQ(Last(), ERROR_NO_MORE_ITEMS);
        dev_.SetupDiDestroyDeviceInfoList(set);
        return ids;
    }
    // Creates a root device of the Ports class with that hardware id; registered when asked.
    void CreatePort(plat::DeviceInfoSet set, bool registered,
                           const char* hardwareId = "root\\nkxvcom") {
        plat::SP_DEVINFO_DATA data{sizeof(plat::SP_DEVINFO_DATA), {}, 0, 0};
        EXPECT_TRUE(dev_.SetupDiCreateDeviceInfoA(set, "Ports", kPorts, nullptr, 0,
                                                  DICD_GENERATE_ID, &data));
        std::vector<std::uint8_t> ids(hardwareId, hardwareId + std::strlen(hardwareId) + 1);
        ids.push_back(0);
        EXPECT_TRUE(dev_.SetupDiSetDeviceRegistryPropertyA(set, data, SPDRP_HARDWAREID,
                                                           ids.data(), ids.size()));
        if (registered) {
            EXPECT_TRUE(dev_.SetupDiCallClassInstaller(DIF_REGISTERDEVICE, set, &data));
        }
    }

    TempMachine m_;
    std::unique_ptr<sim::SimPlatform> p_;
    plat::DeviceInstallation& dev_;
};

TEST_F(DeviceCalls, BindsTheAttachedPrinterWithThe64BitInf) {
    Attach();
    ASSERT_TRUE(Update(kPrinterId)) << std::hex << Last();

    // The driver file in the native drivers directory, the INF as oem0.inf with its PNF.
    EXPECT_EQ(HostBytes(m_.machine().HostPath("C:\\Windows\\System32\\drivers\\ZADO450DEZ.ure")),
              HostBytes(m_.machine().HostPath("C:\\pkg\\ZADO450DEZ.ure")));
    EXPECT_EQ(HostBytes(m_.machine().HostPath("C:\\Windows\\inf\\oem0.inf")),
              HostBytes(m_.machine().HostPath(kUsbInf)));
    EXPECT_TRUE(Exists("C:\\Windows\\inf\\oem0.PNF"));

    // The seeded root hub holds the USB class's driver key 0000.
    const auto device = Printer();
    ASSERT_TRUE(device);
    EXPECT_EQ(device->className, "USB");
    EXPECT_EQ(device->classGuid, "{36FC9E60-C465-11CF-8056-444553540000}");
    EXPECT_EQ(device->driver, "{36FC9E60-C465-11CF-8056-444553540000}\\0001");
    EXPECT_EQ(device->infPath, "oem0.inf");
    EXPECT_EQ(device->service, "ZADO450DEZ");
    EXPECT_EQ(device->description, "USB thermal printer");

    // Installing again keeps the one copy and the one driver key.
    ASSERT_TRUE(Update(kPrinterId));
    EXPECT_FALSE(Exists("C:\\Windows\\inf\\oem1.inf"));
    EXPECT_EQ(Printer()->driver, "{36FC9E60-C465-11CF-8056-444553540000}\\0001");

    // The service key the INF's AddService names.
    std::vector<std::uint8_t> image;
    std::uint32_t type = 0;
    EXPECT_EQ(p_->registry().QueryValue(plat::RegRoot::LocalMachine,
                                        "SYSTEM\\CurrentControlSet\\Services\\ZADO450DEZ",
                                        "ImagePath", type, image, plat::RegView::Default),
              ERROR_SUCCESS);
    EXPECT_STREQ(reinterpret_cast<const char*>(image.data()),
                 "\\SystemRoot\\System32\\drivers\\ZADO450DEZ.ure");
}

TEST_F(DeviceCalls, UpdateDriverFailsWithSetupApisCodes) {
    Attach(0x1234, 0x0001);
    struct Case {
        const char* what;
        const char* id;
        const char* inf;
        std::uint32_t flags;
        std::uint32_t error;
    };
    const Case cases[] = {
        {"no present device has the id", kPrinterId, kUsbInf, INSTALLFLAG_FORCE,
         ERROR_NO_SUCH_DEVINST},
        {"the INF's models do not list it", "USB\\VID_1234&PID_0001", kUsbInf,
         INSTALLFLAG_FORCE, ERROR_NO_DRIVER_SELECTED},
        {"no such INF", "USB\\VID_1234&PID_0001", "C:\\pkg\\none.inf", INSTALLFLAG_FORCE,
         ERROR_FILE_NOT_FOUND},
        {"a flag newdev does not know", "USB\\VID_1234&PID_0001", kUsbInf, 0x8,
         ERROR_INVALID_FLAGS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(Update(c.id, c.inf, c.flags));
        EXPECT_EQ(Last(), c.error);
    }
    // All three known flags together pass the flag check.
    EXPECT_FALSE(Update("USB\\VID_1234&PID_0001", kUsbInf,
                        INSTALLFLAG_FORCE | INSTALLFLAG_READONLY | INSTALLFLAG_NONINTERACTIVE));
    EXPECT_EQ(Last(), ERROR_NO_DRIVER_SELECTED);
    EXPECT_FALSE(Exists("C:\\Windows\\inf\\oem0.inf"));
}

TEST_F(DeviceCalls, ADetachedPrinterIsNotPresent) {
    Attach();
    ASSERT_TRUE(Update(kPrinterId));
    ASSERT_EQ(sim::DetachUsbPrinters(m_.machine(), std::nullopt), 1);

    EXPECT_FALSE(Update(kPrinterId));
    EXPECT_EQ(Last(), ERROR_NO_SUCH_DEVINST);
    // The root hub stays; the printer is listed only without DIGCF_PRESENT.
    EXPECT_EQ(ClassDevices(kUsb, DIGCF_PRESENT), std::vector<std::string>{"USB\\ROOT_HUB20"});
    EXPECT_EQ(ClassDevices(kUsb, 0),
              (std::vector<std::string>{"USB\\ROOT_HUB20", "USB\\VID_5A5A&PID_5A5A&REV_0100"}));
}

TEST_F(DeviceCalls, RemoveTakesTheDeviceAndItsDriverKey) {
    Attach();
    ASSERT_TRUE(Update(kPrinterId));
    plat::DeviceInfoSet set = dev_.SetupDiGetClassDevsA(&kUsb, nullptr, 0, DIGCF_PRESENT);
    plat::SP_DEVINFO_DATA data{sizeof(plat::SP_DEVINFO_DATA), {}, 0, 0};
    ASSERT_TRUE(dev_.SetupDiEnumDeviceInfo(set, 1, data));  // after USB\ROOT_HUB20
    ASSERT_TRUE(dev_.SetupDiCallClassInstaller(DIF_REMOVE, set, &data));
    EXPECT_FALSE(dev_.SetupDiCallClassInstaller(DIF_REMOVE, set, &data));
    EXPECT_EQ(Last(), ERROR_NO_SUCH_DEVINST);
    EXPECT_FALSE(dev_.SetupDiCallClassInstaller(0x99, set, &data));
    EXPECT_EQ(Last(), ERROR_DI_DO_DEFAULT);
    ASSERT_TRUE(dev_.SetupDiDestroyDeviceInfoList(set));

    EXPECT_EQ(ClassDevices(kUsb, 0), std::vector<std::string>{"USB\\ROOT_HUB20"});
    std::uint32_t type = 0;
    std::vector<std::uint8_t> value;
    EXPECT_EQ(p_->registry().QueryValue(
                  plat::RegRoot::LocalMachine,
                  "SYSTEM\\CurrentControlSet\\Control\\Class\\{36FC9E60-C465-11CF-8056-444553540000}\\0001",
                  "InfPath", type, value, plat::RegView::Default),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(DeviceCalls, GeneratedIdsCountUpAndTheDriverBindsEveryNewPort) {
    // Operation 8-3's sequence: one set per device, each registered, then one driver update.
    for (int i = 0; i < 3; ++i) {
        plat::DeviceInfoSet set = dev_.SetupDiCreateDeviceInfoList(&kPorts, 0);
        ASSERT_NE(set, plat::kInvalidDeviceInfoSet);
        CreatePort(set, true);
        ASSERT_TRUE(dev_.SetupDiDestroyDeviceInfoList(set));
    }
    ASSERT_TRUE(Update("root\\nkxvcom", kPortsInf)) << std::hex << Last();
    for (int n = 0; n < 3; ++n) {
        SCOPED_TRACE(n);
        const auto port = sim::FindDevice(m_.machine(), "ROOT\\PORTS\\000" + std::to_string(n));
        ASSERT_TRUE(port);
        EXPECT_EQ(port->className, "Ports");
        // COM1 holds the Ports class's driver key 0000.
        EXPECT_EQ(port->driver,
                  "{4D36E978-E325-11CE-BFC1-08002BE10318}\\000" + std::to_string(n + 1));
        EXPECT_EQ(port->service, "NKXVCOM");
    }
    EXPECT_TRUE(Exists("C:\\Windows\\System32\\drivers\\NKXVCOM.SYS"));
    EXPECT_FALSE(sim::FindDevice(m_.machine(), "ROOT\\PORTS\\0003"));
}

TEST_F(DeviceCalls, UnregisteredDevicesStayInTheirSet) {
    plat::DeviceInfoSet set = dev_.SetupDiCreateDeviceInfoList(&kPorts, 0);
    plat::SP_DEVINFO_DATA data{sizeof(plat::SP_DEVINFO_DATA), {}, 0, 0};
    ASSERT_TRUE(dev_.SetupDiCreateDeviceInfoA(set, "Ports", kPorts, nullptr, 0,
                                              DICD_GENERATE_ID, &data));
    const std::uint8_t ids[] = "root\\nkxvcom\0";  // 12 characters, two zeros
    ASSERT_TRUE(dev_.SetupDiSetDeviceRegistryPropertyA(set, data, SPDRP_HARDWAREID, ids,
                                                       sizeof ids));
    std::uint8_t out[14] = {};
    std::uint32_t type = 0, required = 0;
    EXPECT_FALSE(dev_.SetupDiGetDeviceRegistryPropertyA(set, data, SPDRP_HARDWAREID, &type, out,
                                                        13, &required));
    EXPECT_EQ(Last(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(required, 14u);
    ASSERT_TRUE(dev_.SetupDiGetDeviceRegistryPropertyA(set, data, SPDRP_HARDWAREID, &type, out,
                                                       14, &required));
    EXPECT_EQ(type, static_cast<std::uint32_t>(REG_MULTI_SZ));
    EXPECT_EQ(0, std::memcmp(out, ids, 14));
    EXPECT_FALSE(dev_.SetupDiGetDeviceRegistryPropertyA(set, data, SPDRP_DRIVER, &type, out,
                                                        14, &required));
    EXPECT_EQ(Last(), ERROR_INVALID_DATA);

    // A second set of another class refuses a Ports device; the first's id is taken.
    plat::DeviceInfoSet usb = dev_.SetupDiCreateDeviceInfoList(&kUsb, 0);
    EXPECT_FALSE(dev_.SetupDiCreateDeviceInfoA(usb, "Ports", kPorts, nullptr, 0,
                                               DICD_GENERATE_ID, nullptr));
    EXPECT_EQ(Last(), ERROR_CLASS_MISMATCH);
    plat::DeviceInfoSet other = dev_.SetupDiCreateDeviceInfoList(nullptr, 0);
    plat::SP_DEVINFO_DATA second{sizeof(plat::SP_DEVINFO_DATA), {}, 0, 0};
    ASSERT_TRUE(dev_.SetupDiCreateDeviceInfoA(other, "ports", kPorts, nullptr, 0,
                                              DICD_GENERATE_ID, &second));
    ASSERT_TRUE(dev_.SetupDiCallClassInstaller(DIF_REGISTERDEVICE, other, &second));
    EXPECT_TRUE(sim::FindDevice(m_.machine(), "ROOT\\PORTS\\0001"));

    // Destroyed unregistered, the first device never reaches the machine.
    ASSERT_TRUE(dev_.SetupDiDestroyDeviceInfoList(set));
    EXPECT_FALSE(sim::FindDevice(m_.machine(), "ROOT\\PORTS\\0000"));
    EXPECT_FALSE(dev_.SetupDiDestroyDeviceInfoList(set));
    EXPECT_EQ(Last(), ERROR_INVALID_HANDLE);
    // Without DICD_GENERATE_ID the name is the whole id, and a taken one is refused.
    EXPECT_FALSE(dev_.SetupDiCreateDeviceInfoA(other, "ROOT\\PORTS\\0001", kPorts, nullptr,
                                                0, 0, nullptr));
    EXPECT_EQ(Last(), ERROR_DEVINST_ALREADY_EXISTS);
    EXPECT_TRUE(dev_.SetupDiCreateDeviceInfoA(other, "ROOT\\PORTS\\0000", kPorts, nullptr,
                                               0, 0, nullptr));
}

TEST_F(DeviceCalls, EnumeratingChecksTheRecordSizeAndTheEnd) {
    plat::DeviceInfoSet set = dev_.SetupDiGetClassDevsA(&kPorts, nullptr, 0, DIGCF_PRESENT);
    plat::SP_DEVINFO_DATA data{sizeof(plat::SP_DEVINFO_DATA) - 4, {}, 0, 0};
    EXPECT_FALSE(dev_.SetupDiEnumDeviceInfo(set, 0, data));
    EXPECT_EQ(Last(), ERROR_INVALID_USER_BUFFER);
    data.cbSize = sizeof data;
    ASSERT_TRUE(dev_.SetupDiEnumDeviceInfo(set, 0, data));  // COM1
    EXPECT_EQ(0, std::memcmp(&data.ClassGuid, &kPorts, sizeof kPorts));
    EXPECT_FALSE(dev_.SetupDiEnumDeviceInfo(set, 1, data));
    EXPECT_EQ(Last(), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(dev_.SetupDiGetClassDevsA(nullptr, nullptr, 0, DIGCF_PRESENT),
              plat::kInvalidDeviceInfoSet);
    EXPECT_EQ(Last(), ERROR_INVALID_PARAMETER);
}

TEST_F(DeviceCalls, CopyOemInfStyles) {
    char name[64] = "";
    std::uint32_t required = 0;
    // Size 0 only asks the size: "C:\Windows\inf\oem0.inf" is 23 characters.
    ASSERT_TRUE(dev_.SetupCopyOEMInfA(kUsbInf, kDir, SPOST_PATH, SP_COPY_NOOVERWRITE, name, 0,
                                      &required));
    EXPECT_EQ(required, 24u);
    EXPECT_TRUE(Exists("C:\\Windows\\inf\\oem0.inf"));
    EXPECT_TRUE(Exists("C:\\Windows\\inf\\oem0.PNF"));

    // The same INF again: refused without overwriting, found with replace-only.
    EXPECT_FALSE(dev_.SetupCopyOEMInfA(kUsbInf, kDir, SPOST_PATH, SP_COPY_NOOVERWRITE, name,
                                       sizeof name, &required));
    EXPECT_EQ(Last(), ERROR_FILE_EXISTS);
    EXPECT_STREQ(name, "C:\\Windows\\inf\\oem0.inf");
    ASSERT_TRUE(dev_.SetupCopyOEMInfA(kUsbInf, kDir, SPOST_PATH, SP_COPY_REPLACEONLY, name,
                                      sizeof name, &required));
    EXPECT_STREQ(name, "C:\\Windows\\inf\\oem0.inf");

    // Another INF: replace-only finds nothing to replace; a plain copy takes the next number,
    // and a buffer one short is too small though the copy is made.
    EXPECT_FALSE(dev_.SetupCopyOEMInfA(kPortsInf, kDir, SPOST_PATH, SP_COPY_REPLACEONLY, name,
                                       sizeof name, &required));
    EXPECT_EQ(Last(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(Exists("C:\\Windows\\inf\\oem1.inf"));
    EXPECT_FALSE(dev_.SetupCopyOEMInfA(kPortsInf, kDir, SPOST_PATH, 0, name, 23, &required));
    EXPECT_EQ(Last(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(required, 24u);
    EXPECT_TRUE(Exists("C:\\Windows\\inf\\oem1.inf"));
    ASSERT_TRUE(dev_.SetupCopyOEMInfA(kPortsInf, kDir, SPOST_PATH, 0, name, 24, &required));
    EXPECT_STREQ(name, "C:\\Windows\\inf\\oem1.inf");
}

TEST_F(DeviceCalls, AFaultFailsTheUpdateForItsInfOnly) {
    Attach();
    std::string error;
    ASSERT_TRUE(sim::AddFault(m_.machine(),
                              {"UpdateDriverForPlugAndPlayDevicesA", ERROR_ACCESS_DENIED, 0,
                               "C:\\pkg\\NKXVCOM.INF"},
                              error))
        << error;
    EXPECT_FALSE(Update("root\\nkxvcom", kPortsInf));
    EXPECT_EQ(Last(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(Update(kPrinterId));
}

// A 32-bit Install on 64-bit Windows is refused by newdev; on 32-bit Windows the 32-bit INF's
// NTx86 models bind the printer.
TEST(DeviceCallsWordSize, ThirtyTwoBitCallers) {
    struct Case {
        const char* preset;
        const char* folder;
        bool bound;
        std::uint32_t error;
    };
    const Case cases[] = {
        {"windows-7-x64", "USBDriver_x64", false, ERROR_IN_WOW64},
        {"windows-7-x86", "USBDriver", true, ERROR_SUCCESS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preset);
        TempMachine m(c.preset);
        auto p = m.Process(32);
        const std::filesystem::path from =
            std::filesystem::path(PKG_SOURCE_DIR) / "examples/package/USBDrv" / c.folder;
        p->files().CreateDirectoryA(kDir);
        for (const char* name : {"WNZK450USB.INF", "ZADO450DEZ.ure"})
            ASSERT_TRUE(p->files().WriteWholeFile((std::string(kDir) + "\\" + name).c_str(),
                                                  HostBytes(from / name)));
        sim::UsbPrinter printer;
        printer.internalId = 1;
        std::string error;
        ASSERT_TRUE(sim::AttachUsbPrinter(m.machine(), printer, error));
        EXPECT_EQ(p->deviceInstallation().UpdateDriverForPlugAndPlayDevicesA(
                      0, kPrinterId, kUsbInf, INSTALLFLAG_FORCE, nullptr),
                  c.bound);
        EXPECT_EQ(p->lastError().GetLastError(), c.error);
        const auto device =
            sim::FindDevice(m.machine(), sim::UsbPrinterInstanceId(0x5A5A, 0x5A5A, 0));
        ASSERT_TRUE(device);
        EXPECT_EQ(device->infPath, c.bound ? "oem0.inf" : "");
    }
}

// Which models section a caller reads: its platform's decorated one when the Manufacturer line
// names it, else the plain one.
TEST(DeviceCallsModels, DecoratedSectionsFollowTheCallersWordSize) {
    const std::string inf =
        "[Version]\nSignature=\"$Windows NT$\"\nClass=Ports\n"
        "ClassGuid={4D36E978-E325-11CE-BFC1-08002BE10318}\n"
        "[Manufacturer]\nQ=Models,NTamd64\n"
        "[Models.NTamd64]\nWide=Go,root\\wide\n"
        "[Models]\nPlain=Go,root\\plain\n"
        "[Go]\n";
    struct Case {
        const char* preset;
        int bits;
        const char* id;
        std::uint32_t error;
    };
    const Case cases[] = {
        {"windows-7-x64", 64, "root\\wide", ERROR_SUCCESS},
        {"windows-7-x64", 64, "root\\plain", ERROR_NO_DRIVER_SELECTED},
        {"windows-7-x86", 32, "root\\plain", ERROR_SUCCESS},
        {"windows-7-x86", 32, "root\\wide", ERROR_NO_DRIVER_SELECTED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.preset) + " " + c.id);
        TempMachine m(c.preset);
        auto p = m.Process(c.bits);
        auto& dev = p->deviceInstallation();
        ASSERT_TRUE(p->files().WriteWholeFile("C:\\scratch\\m.inf", {inf.begin(), inf.end()}));
        plat::DeviceInfoSet set = dev.SetupDiCreateDeviceInfoList(&kPorts, 0);
        plat::SP_DEVINFO_DATA data{sizeof(plat::SP_DEVINFO_DATA), {}, 0, 0};
        ASSERT_TRUE(dev.SetupDiCreateDeviceInfoA(set, "Ports", kPorts, nullptr, 0,
                                                 DICD_GENERATE_ID, &data));
        std::vector<std::uint8_t> ids(c.id, c.id + std::strlen(c.id) + 1);
        ids.push_back(0);
        ASSERT_TRUE(dev.SetupDiSetDeviceRegistryPropertyA(set, data, SPDRP_HARDWAREID,
                                                          ids.data(), ids.size()));
        ASSERT_TRUE(dev.SetupDiCallClassInstaller(DIF_REGISTERDEVICE, set, &data));
        EXPECT_EQ(dev.UpdateDriverForPlugAndPlayDevicesA(0, c.id, "C:\\scratch\\m.inf",
                                                         INSTALLFLAG_FORCE, nullptr),
                  c.error == ERROR_SUCCESS);
        EXPECT_EQ(p->lastError().GetLastError(), c.error);
    }
}

}  // namespace
