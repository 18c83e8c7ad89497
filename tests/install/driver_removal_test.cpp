// Operations 11, 22 and 88: which devices go (the product-id rule), which files go (the
// fixed names with their compiled INFs, and installed INFs by their sections), and the
// diagnostics on standard output.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/DeviceOperations.h"
#include "install/DriverRemoval.h"
#include "platform/win_constants.h"
#include "tests/install/fake_devices.h"
#include "tests/install/install_machine.h"

namespace {

using installtest::FakeDevicePlatform;
using installtest::InstallMachine;
using installtest::RecordingLog;

TEST(DriverRemoval, ProductIdsAfterEitherPrefixAndThePackagesRange) {
    struct Case {
        const char* id;
        bool found;
        std::uint32_t productId;
        bool package;
    } cases[] = {
        {"USB\\VID_0AA7&PID_1234", true, 0x1234, true},
        {"USB\\Vid_0aa7&Pid_15ff&Rev_0100", true, 0x15FF, true},
        {"USB\\VID_0AA7&PID_1000", true, 0x1000, true},   // lowest
        {"USB\\VID_0AA7&PID_0FFF", true, 0x0FFF, false},  // just below
        {"USB\\VID_0AA7&PID_1600", true, 0x1600, false},  // just above
        {"USB\\VID_0AA7&PID_030A", true, 0x030A, false},
        {"USB\\VID_0aa7&PID_1234", false, 0, false},      // mixed case matches neither prefix
        {"USB\\VID_5A5A&PID_1234", false, 0, false},
        {"USB\\VID_0AA7&PID_", false, 0, false},          // no digits
        {"USB\\VID_0AA7&PID_12", true, 0x12, false},      // fewer than four
        {"USB\\VID_0AA7&PID_12345", true, 0x1234, true},  // four at most
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        std::uint32_t productId = 0;
        bool found = install::ProductIdOf(c.id, productId);
        EXPECT_EQ(found, c.found);
        if (found) {
            EXPECT_EQ(productId, c.productId);
        }
        EXPECT_EQ(found && install::IsPackageProductId(productId), c.package);
    }
    EXPECT_EQ(install::CompiledInfName("C:\\WINDOWS\\inf\\oem3.inf"), "C:\\WINDOWS\\inf\\oem3.PNF");
    EXPECT_EQ(install::CompiledInfName("C:\\WINDOWS\\inf\\bulkusb.INF"), "C:\\WINDOWS\\inf\\bulkusb.PNF");
}

class DriverRemovalOnMachine : public ::testing::Test {
protected:
    DriverRemovalOnMachine() : base_(machine_.Process()), platform_(*base_) {
        char windows[260] = {};
        files().GetWindowsDirectoryA(windows, sizeof windows);
        inf_ = std::string(windows) + "\\inf\\";
        char system[260] = {};
        files().GetSystemDirectoryA(system, sizeof system);
        drivers_ = std::string(system) + "\\Drivers\\";
        files().CreateDirectoryA(inf_.c_str());
        files().CreateDirectoryA(drivers_.c_str());
    }
    plat::FileSystem& files() { return base_->files(); }
    void Write(const std::string& path, const std::string& text) {
        ASSERT_TRUE(files().WriteWholeFile(path.c_str(), std::vector<std::uint8_t>(text.begin(), text.end())))
            << path;
    }
    bool Exists(const std::string& path) { return files().GetFileAttributesA(path.c_str()) != 0xFFFFFFFF; }
    std::string RunRemoval(int operation) {
        install::OperationContext context{platform_, 7, "C:\\pkg", log_};
        testing::internal::CaptureStdout();
        install::RunDeviceOperation(context, {operation, 1});
        return testing::internal::GetCapturedStdout();
    }

    InstallMachine machine_;
    std::unique_ptr<sim::SimPlatform> base_;
    FakeDevicePlatform platform_;
    RecordingLog log_;
    std::string inf_, drivers_;
};

// Operation 22 also removes the devices operation 2 binds: without that the printer stays bound
// to a driver whose files are gone. Vendor 0AA7 keeps the product-id rule (030A stays).
TEST(DriverRemoval, PrinterRemovalTakesTheIdsTheInstallationBinds) {
    const struct {
        const char* id;
        bool removed;
    } cases[] = {
        {"USB\\VID_5A5A&PID_5A5A", true},
        {"USB\\Vid_5a5a&Pid_5a5a&Rev_0100", true},  // letter case and a revision do not matter
        {"USB\\VID_04CE&PID_04CE", true},
        {"USB\\VID_5A5A&PID_1000", true},
        {"USB\\VID_5A5A&PID_1001", true},
        {"USB\\VID_5A5A&PID_1002", false},  // not an id the installation binds
        {"USB\\VID_0AA7&PID_030A", false},
        {"USB\\VID_0AA7&PID_1234", true},
        {"USB\\VID_1234&PID_5A5A", false},
    };
    for (const auto& c : cases) EXPECT_EQ(install::IsRemovedPrinterDevice(c.id), c.removed) << c.id;
}

TEST_F(DriverRemovalOnMachine, PrinterDriverRemovalTakesThePackagesDevicesAndFiles) {
    auto& devices = platform_.devices.devices;
    devices = {{"USB\\VID_0AA7&PID_1234"}, {"USB\\VID_0AA7&PID_030A"}, {"USB\\Vid_0aa7&Pid_1001"},
               {"USB\\VID_5A5A&PID_5A5A"}};
    Write(inf_ + "WNZK450USB.INF", "[Version]\r\nClass=USB\r\n");
    Write(inf_ + "WNZK450USB.PNF", "compiled");
    ASSERT_TRUE(files().SetFileAttributesA((inf_ + "WNZK450USB.INF").c_str(), FILE_ATTRIBUTE_READONLY));
    Write(inf_ + "bulkusb.INF", "x");
    Write(drivers_ + "ZADO450DEZ.URE", "x");
    Write(drivers_ + "bulkusb.SYS", "x");
    Write(drivers_ + "USBVCOM.SYS", "x");  // another operation's file
    const char* strings = "\r\n[Strings]\r\nDisk=\"QELM Printer Driver Disk\"\r\n";
    Write(inf_ + "oem3.inf", std::string("[Version]\r\nClass=USB\r\n") + strings + "Provider=\"X\"\r\n");
    Write(inf_ + "oem3.PNF", "compiled");
    Write(inf_ + "oem4.inf", std::string("[Version]\r\nClass=USB\r\n") + strings + "WN=\"X\"\r\n");
    Write(inf_ + "oem5.inf", std::string("[Version]\r\nClass=usb\r\n") + strings + "Provider=\"X\"\r\n");
    Write(inf_ + "oem6.inf", std::string("[Version]\r\nClass=USB\r\n") + strings);  // no provider
    Write(inf_ + "oem7.inf", "[Version]\r\nClass=USB\r\n[Strings]\r\nKX=x\r\nDisk=\"qelm printer driver\"\r\n");
    Write(inf_ + "oem8.inf", std::string("[Version]\r\nClass=USB\r\n") + strings + "KX=\"X\"\r\n");

    std::string out = RunRemoval(22);
    EXPECT_EQ(out, "");
    const std::vector<std::string> lines = {"uninstall the device drivers and delete application.\r\n",
                                            "uninstall finish.....\r\n"};
    EXPECT_EQ(log_.lines, lines);
    EXPECT_EQ(platform_.devices.Count("GetClassDevs " + std::to_string(0x36FC9E60u) + " 2"), 1);
    EXPECT_TRUE(devices[0].removed);
    EXPECT_FALSE(devices[1].removed);
    EXPECT_TRUE(devices[2].removed);
    EXPECT_TRUE(devices[3].removed);  // the id operation 2 binds
    EXPECT_EQ(platform_.devices.setsAlive, 0);

    for (const char* gone : {"WNZK450USB.INF", "WNZK450USB.PNF", "bulkusb.INF", "oem3.inf",
                             "oem3.PNF", "oem4.inf", "oem8.inf"})
        EXPECT_FALSE(Exists(inf_ + gone)) << gone;
    for (const char* kept : {"oem5.inf", "oem6.inf", "oem7.inf"}) EXPECT_TRUE(Exists(inf_ + kept)) << kept;
    EXPECT_FALSE(Exists(drivers_ + "ZADO450DEZ.URE"));
    EXPECT_FALSE(Exists(drivers_ + "bulkusb.SYS"));
    EXPECT_TRUE(Exists(drivers_ + "USBVCOM.SYS"));
}

TEST_F(DriverRemovalOnMachine, PortDriverRemovalsReadClassAndManufacturer) {
    struct Case {
        int operation;
        const char* ownInf;
        const char* ownDriver;
        const char* otherDriver;
    } cases[] = {{11, "USBVCOM.INF", "USBVCOM.SYS", "NKXVCOM.SYS"},
                 {88, "NKXVCOM.INF", "NKXVCOM.SYS", "USBVCOM.SYS"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operation);
        platform_.devices.devices = {{"USB\\VID_0AA7&PID_1100"}, {"ROOT\\nkxvcom"}};
        Write(inf_ + c.ownInf, "x");
        Write(drivers_ + c.ownDriver, "x");
        Write(drivers_ + c.otherDriver, "x");
        Write(inf_ + "oem1.inf", "[Version]\r\nClass=Ports\r\n[Strings]\r\nMfg=\"The QELM works\"\r\n");
        Write(inf_ + "oem2.inf", "[Version]\r\nClass=ports\r\n[Strings]\r\nMfg=\"QELM\"\r\n");
        Write(inf_ + "oem9.inf", "[Version]\r\nClass=Ports\r\n[Strings]\r\nMfg=\"Qelm\"\r\n");
        RunRemoval(c.operation);
        EXPECT_EQ(platform_.devices.Count("GetClassDevs " + std::to_string(0x4D36E978u) + " 2"), 1);
        platform_.devices.calls.clear();
        EXPECT_TRUE(platform_.devices.devices[0].removed);
        EXPECT_FALSE(platform_.devices.devices[1].removed);
        EXPECT_FALSE(Exists(inf_ + c.ownInf));
        EXPECT_FALSE(Exists(drivers_ + c.ownDriver));
        EXPECT_TRUE(Exists(drivers_ + c.otherDriver));
        EXPECT_FALSE(Exists(inf_ + "oem1.inf"));
        EXPECT_TRUE(Exists(inf_ + "oem2.inf"));
        EXPECT_TRUE(Exists(inf_ + "oem9.inf"));
    }
}

TEST_F(DriverRemovalOnMachine, DiagnosticsGoToStandardOutputAndTheWalkGoesOn) {
    platform_.devices.devices = {{"USB\\VID_0AA7&PID_1234"}, {"USB\\VID_0AA7&PID_1235"}};
    platform_.devices.failures["DIF_REMOVE"] = 5;
    ASSERT_TRUE(files().RemoveDirectoryA(inf_.substr(0, inf_.size() - 1).c_str()));
    std::string out = RunRemoval(22);
    EXPECT_EQ(platform_.devices.Count("ClassInstaller 5 "), 2);
    EXPECT_EQ(out,
              " CallClassInstaller(REMOVE) failed!  CallClassInstaller(REMOVE) failed! "
              "Invalid File Handle. Get Last Error reports 3\n");
    ASSERT_EQ(log_.lines.size(), 2u);
    EXPECT_EQ(log_.lines[1], "uninstall finish.....\r\n");
}

}  // namespace
