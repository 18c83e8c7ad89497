// Operations 1 and 2 against a stand-in for the device calls: the five hardware ids in order,
// the present/absent decision, the pre-install and its retry on newer systems.
#include <gtest/gtest.h>

#include "install/DeviceOperations.h"
#include "install/UsbDriverInstall.h"
#include "tests/install/fake_devices.h"
#include "tests/install/install_machine.h"

namespace {

using installtest::FakeDevicePlatform;
using installtest::InstallMachine;
using installtest::RecordingLog;

struct OperationRun {
    std::vector<std::string> calls;
    std::vector<std::string> log;
};

OperationRun RunOperation(InstallMachine& machine, int operation,
                 const std::function<void(installtest::FakeDevices&)>& prepare) {
    auto base = machine.Process();
    FakeDevicePlatform platform(*base);
    prepare(platform.devices);
    RecordingLog log;
    install::OperationContext context{platform, 7, "C:\\pkg", log};
    install::RunDeviceOperation(context, {operation, 1});
    EXPECT_TRUE(log.reports.empty());
    return {platform.devices.calls, log.lines};
}

TEST(UsbDriverInstall, StopsAtTheFirstIdThatBindsAndSaysTheDeviceExists) {
    InstallMachine machine;
    OperationRun run = RunOperation(machine, 2, [](auto& d) { d.boundIds = {"USB\\VID_5a5a&PID_1000"}; });
    const std::vector<std::string> calls = {
        "UpdateDriver USB\\VID_5A5A&PID_5A5A C:\\pkg\\WNZK450USB.INF 1",
        "UpdateDriver USB\\VID_04ce&PID_04ce C:\\pkg\\WNZK450USB.INF 1",
        "UpdateDriver USB\\VID_5a5a&PID_1000 C:\\pkg\\WNZK450USB.INF 1"};
    EXPECT_EQ(run.calls, calls);
    const std::vector<std::string> log = {"start install the device drivers.\r\n",
                                          "usb device already exist, start to install drivers.\r\n"};
    EXPECT_EQ(run.log, log);
}

TEST(UsbDriverInstall, WithoutADevicePreinstallsWithTheOperationsOwnInfAndText) {
    InstallMachine machine;
    struct Case {
        int operation;
        const char* inf;
        const char* text;
    } cases[] = {
        {1, "C:\\pkg\\USBVCOM.INF", "usb device no exist, start to preinstall.\r\n"},
        {2, "C:\\pkg\\WNZK450USB.INF", "USB device no exist, start to preinstall.\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operation);
        OperationRun run = RunOperation(machine, c.operation, [](auto&) {});
        ASSERT_EQ(run.calls.size(), 6u);
        EXPECT_EQ(run.calls[4], std::string("UpdateDriver USB\\VID_0AA7&PID_030A ") + c.inf + " 1");
        // SPOST_PATH, SP_COPY_NOOVERWRITE, a name buffer of size 0.
        EXPECT_EQ(run.calls[5], std::string("CopyOEMInf ") + c.inf + " C:\\pkg 1 8 0");
        ASSERT_EQ(run.log.size(), 2u);
        EXPECT_EQ(run.log[1], c.text);
    }
}

TEST(UsbDriverInstall, FiveFailuresWithoutAnErrorCountAsADevice) {
    InstallMachine machine;
    OperationRun run = RunOperation(machine, 2, [](auto& d) { d.updateError = 0; });
    EXPECT_EQ(run.calls.size(), 5u);
    ASSERT_EQ(run.log.size(), 2u);
    EXPECT_EQ(run.log[1], "usb device already exist, start to install drivers.\r\n");
}

TEST(UsbDriverInstall, ReplaceOnlyRetryOnlyForOperation2FromOsIndex4WhenTheFirstCopyFails) {
    struct Case {
        const char* preset;
        std::uint32_t platformId;
        int operation;
        bool firstFails;
        int copies;
    } cases[] = {
        {"windows-7-x64", 2, 2, true, 2},
        {"windows-7-x64", 2, 2, false, 1},
        {"windows-7-x64", 2, 1, true, 1},    // operation 1 never retries
        {"server-2003-x86", 2, 2, true, 2},  // index 4, the first that retries
        {"xp-x86", 2, 2, true, 1},           // index 3
        {"xp-x86", 0, 2, true, 1},           // unknown platform: index 3
        {"windows-10-x64", 2, 2, true, 1},   // newer than the table: index 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.preset) + " operation " + std::to_string(c.operation));
        InstallMachine machine(c.preset, c.platformId);
        OperationRun run = RunOperation(machine, c.operation, [&](auto& d) {
            if (c.firstFails) d.failures["CopyOEMInf NOOVERWRITE"] = 80;  // ERROR_FILE_EXISTS
        });
        std::vector<std::string> copies;
        for (const std::string& call : run.calls)
            if (call.rfind("CopyOEMInf", 0) == 0) copies.push_back(call);
        ASSERT_EQ(static_cast<int>(copies.size()), c.copies);
        if (c.copies == 2) {
            EXPECT_EQ(copies[1], "CopyOEMInf C:\\pkg\\WNZK450USB.INF C:\\pkg 1 2 0");
        }
    }
}

TEST(UsbDriverInstall, OsIndexOfTheInstaller) {
    struct Case {
        const char* preset;
        std::uint32_t platformId;
        int index;
    } cases[] = {{"windows-7-x86", 2, 7}, {"server-2003-x64", 2, 4}, {"xp-x86", 2, 3},
                 {"xp-x86", 0, 3}, {"windows-95", 1, 0}, {"vista-x86", 2, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preset);
        InstallMachine machine(c.preset, c.platformId);
        auto platform = machine.Process();
        EXPECT_EQ(install::InstallerOsIndex(platform->system()), c.index);
    }
}

}  // namespace
