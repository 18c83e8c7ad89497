// Operation 8 against a stand-in for the device calls: the devices made, the one driver
// installation, the log, the hardware-id walk and the failures with the device-set release.
#include <gtest/gtest.h>

#include "install/DeviceOperations.h"
#include "tests/install/fake_devices.h"
#include "tests/install/install_machine.h"

namespace {

using installtest::FakeDevicePlatform;
using installtest::FakeDevices;
using installtest::InstallMachine;
using installtest::RecordingLog;

const std::string kDots = ".............................................\r\n";
const std::string kFinish = "Driver install finish, please plug in TCP printer.\r\n";
const std::string kFailed = "install failed , please uninstall and restart to install.\r\n";


class VirtualPortInstall : public ::testing::Test {
protected:
    // Runs operation 8 with the count; returns the stand-in's state and the log.
    void RunPorts(int count, const std::function<void(FakeDevices&)>& prepare = {}) {
        auto base = machine.Process();
        platform = std::make_unique<FakeDevicePlatform>(*base);
        if (prepare) prepare(platform->devices);
        install::OperationContext context{*platform, 7, "C:\\pkg", log};
        install::RunDeviceOperation(context, {8, count});
        base_ = std::move(base);
    }
    FakeDevices& devices() { return platform->devices; }

    InstallMachine machine;
    std::unique_ptr<sim::SimPlatform> base_;
    std::unique_ptr<FakeDevicePlatform> platform;
    RecordingLog log;
};

TEST_F(VirtualPortInstall, ThreePortsThenOneDriverInstallation) {
    RunPorts(3, [](FakeDevices& d) { d.boundIds = {"root\\nkxvcom"}; });
    const std::vector<std::string> lines = {kDots, kFinish, kFinish, kDots, kFinish};
    EXPECT_EQ(log.lines, lines);
    EXPECT_TRUE(log.reports.empty());
    ASSERT_EQ(devices().devices.size(), 3u);
    for (const auto& d : devices().devices) {
        EXPECT_EQ(d.hardwareId, "root\\nkxvcom");
        EXPECT_TRUE(d.registered);
        EXPECT_TRUE(d.hasDriver);
        EXPECT_FALSE(d.removed);
    }
    EXPECT_EQ(devices().Count("CreateList"), 3);
    EXPECT_EQ(devices().Count("CreateDevice Ports 1"), 3);  // the class name, DICD_GENERATE_ID
    EXPECT_EQ(devices().Count("ClassInstaller 25 "), 3);     // DIF_REGISTERDEVICE
    EXPECT_EQ(devices().Count("ClassInstaller 5 "), 0);      // nothing removed
    EXPECT_EQ(devices().Count("UpdateDriver root\\nkxvcom C:\\pkg\\NKXVCOM.INF 1"), 1);
    // The id as a list: its zero and the list's closing zero.
    EXPECT_EQ(devices().lastList, std::string("root\\nkxvcom\0\0", 14));
    EXPECT_EQ(devices().setsAlive, 0);
    EXPECT_EQ(devices().Count("CloseInf"), 1);
}

TEST_F(VirtualPortInstall, ADriverFailureRemovesTheLastDeviceOnlyAndReportsIt) {
    RunPorts(2, [](FakeDevices& d) { d.updateError = 0xE0000203; });
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].first, "UpdateDriverForPlugAndPlayDevices");
    EXPECT_EQ(log.reports[0].second, 0xE0000203u);
    const std::vector<std::string> lines = {kDots, kFinish, kFailed};
    EXPECT_EQ(log.lines, lines);
    ASSERT_EQ(devices().devices.size(), 2u);
    EXPECT_FALSE(devices().devices[0].removed);  // the earlier device stays registered
    EXPECT_TRUE(devices().devices[1].removed);
    EXPECT_EQ(devices().setsAlive, 0);
}

TEST_F(VirtualPortInstall, EachFailingStepIsReportedUnderItsOwnName) {
    struct Case {
        const char* failure;
        const char* operation;
        bool dotLine;  // the failure comes after the INF was read
    } cases[] = {
        {"SetupOpenInfFileA", "SetupOpenInfFile", false},
        {"SetupDiGetINFClassA", "SetupOpenInfFile", false},
        {"SetupGetStringFieldA", "search for specified device", true},
        {"SetupDiCreateDeviceInfoList", "SetupDiCreateDeviceInfoList", true},
        {"SetupDiCreateDeviceInfoA", "SetupDiCreateDeviceInfo or SetupDiSetDeviceRegistryProperty", true},
        {"DIF_REGISTERDEVICE", "SetupDiCallClassInstaller(DIF_REGISTERDEVICE)", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failure);
        log = {};
        RunPorts(2, [&](FakeDevices& d) { d.failures[c.failure] = 0xE0000100; });
        ASSERT_EQ(log.reports.size(), 1u);
        EXPECT_EQ(log.reports[0].first, c.operation);
        EXPECT_EQ(log.reports[0].second, 0xE0000100u);
        std::vector<std::string> lines;
        if (c.dotLine) lines.push_back(kDots);
        lines.push_back(kFailed);
        EXPECT_EQ(log.lines, lines);
        // A device that was not registered is not removed; nothing stays open.
        EXPECT_EQ(devices().Count("ClassInstaller 5 "), 0);
        EXPECT_EQ(devices().setsAlive, 0);
    }
}

TEST_F(VirtualPortInstall, HardwareIdIsTheFirstOfTheFirstModelReached) {
    struct Case {
        const char* name;
        std::vector<std::vector<std::string>> makers;
        std::map<std::string, std::vector<std::vector<std::string>>> sections;
        std::uint32_t error;  // 0: found
        std::string id;
    } cases[] = {
        {"first id of several", {{"M", "A"}}, {{"A", {{"d", "inst", "id1", "id2"}}}}, 0, "id1"},
        {"first line of the section",
         {{"M", "A"}},
         {{"A", {{"d", "inst", "first"}, {"e", "inst", "second"}}}},
         0,
         "first"},
        {"a missing models section is passed over",
         {{"M", "Missing"}, {"N", "B"}},
         {{"B", {{"d", "inst", "fromB"}}}},
         0,
         "fromB"},
        {"a model without ids gives an empty one", {{"M", "A"}}, {{"A", {{"d", "inst"}}}}, 0, ""},
        {"no model at all", {{"M", "Missing"}}, {}, 259, ""},
        {"no manufacturer", {}, {}, 259, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        log = {};
        RunPorts(1, [&](FakeDevices& d) {
            d.manufacturerLines = c.makers;
            d.sections = c.sections;
            d.boundIds = {c.id};
        });
        if (c.error) {
            ASSERT_EQ(log.reports.size(), 1u);
            EXPECT_EQ(log.reports[0].first, "search for specified device");
            EXPECT_EQ(log.reports[0].second, c.error);
            EXPECT_EQ(devices().Count("CreateList"), 0);
        } else {
            EXPECT_TRUE(log.reports.empty());
            EXPECT_EQ(devices().Count("UpdateDriver " + c.id + " "), 1);
        }
    }
}

TEST_F(VirtualPortInstall, AnInfWithoutClassGuidGetsItFromTheClassName) {
    RunPorts(1, [](FakeDevices& d) {
        d.infGuid = {};
        d.boundIds = {"root\\nkxvcom"};
    });
    EXPECT_EQ(devices().Count("ClassGuidsFromName Ports"), 1);
    EXPECT_TRUE(log.reports.empty());
}

}  // namespace
