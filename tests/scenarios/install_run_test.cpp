// The real Install program on fresh simulated machines with the example package: binding an
// attached printer, pre-installing without one, creating virtual ports, removing the printer's
// driver, codes that do nothing, and a failure report. The machine's devices are read back
// through the device calls a program makes.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/win_constants.h"
#include "platform/sim/process/platform.h"
#include "tests/support/transcript_checks.h"

#ifndef DIGCF_ALLCLASSES
#define DIGCF_ALLCLASSES 0x00000004
#endif
#ifndef SPDRP_DRIVER
#define SPDRP_DRIVER 0x00000009
#endif

namespace {

namespace fs = std::filesystem;
using testsupport::MessageBoxes;
using testsupport::ShowedMessage;

struct ProgramRun {
    int status = -1;
    std::string output;
};

ProgramRun Shell(const std::string& command) {
    ProgramRun run;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
    int raw = ::pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

struct Device {
    std::string hardwareId;  // the first of its list
    bool bound = false;      // it has a driver
};

const char* const kInstall64 = "C:\\Package\\USBDrv\\USBDriver_x64\\Install.exe";
const std::string kLog = "Install: adds to edit 1007 of \"Device driver setup\": ";

class InstallRun : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / ("install-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        Create("windows-7-x64");
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Machine() const { return "'" + (dir_ / "machine").string() + "'"; }
    ProgramRun Winsim(const std::string& arguments) {
        return Shell(std::string("'") + WINSIM_BINARY + "' " + arguments);
    }
    void Create(const std::string& preset) {
        fs::remove_all(dir_ / "machine");
        ProgramRun created = Winsim("create " + Machine() + " --preset " + preset);
        ASSERT_EQ(created.status, 0) << created.output;
        ProgramRun mounted = Winsim("mount " + Machine() + " '" PKG_SOURCE_DIR "/examples/package' 'C:\\Package'");
        ASSERT_EQ(mounted.status, 0) << mounted.output;
    }
    void Attach(const std::string& vid, const std::string& pid) {
        ProgramRun attached = Winsim("usb attach " + Machine() + " --id 1 --vid " + vid + " --pid " + pid);
        ASSERT_EQ(attached.status, 0) << attached.output;
    }
    // Runs Install with the argument (none when empty); the output holds its transcript and
    // what it wrote to standard output.
    ProgramRun Install(const std::string& argument, const std::string& program = kInstall64) {
        ProgramRun run = Winsim("run " + Machine() + " '" + program + "'" +
                         (argument.empty() ? "" : " '" + argument + "'"));
        EXPECT_EQ(run.status, 0) << run.output;
        EXPECT_NE(run.output.find("Install: opens window \"Device driver setup\""), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("Install: closes window \"Device driver setup\""), std::string::npos) << run.output;
        return run;
    }
    // The log lines of a run, in order.
    static std::vector<std::string> Log(const ProgramRun& run) {
        std::vector<std::string> lines;
        std::size_t at = 0;
        while ((at = run.output.find(kLog, at)) != std::string::npos) {
            at += kLog.size();
            std::size_t end = run.output.find('\n', at);
            lines.push_back(run.output.substr(at, end - at));
        }
        return lines;
    }
    // The machine's present devices as a 64-bit program sees them.
    std::vector<Device> Devices() {
        std::string error;
        auto machine = sim::Machine::Open(dir_ / "machine", error);
        EXPECT_TRUE(machine) << error;
        if (!machine) return {};
        sim::ProcessContext context;
        context.machineDir = dir_ / "machine";
        context.modulePath = "C:\\scratch\\reader.exe";
        context.currentDir = "C:\\";
        context.bits = 64;
        sim::SimPlatform platform(*machine, context);
        plat::DeviceInstallation& calls = platform.deviceInstallation();
        plat::DeviceInfoSet set = calls.SetupDiGetClassDevsA(nullptr, nullptr, 0, DIGCF_ALLCLASSES | DIGCF_PRESENT);
        std::vector<Device> devices;
        if (set == plat::kInvalidDeviceInfoSet) return devices;
        plat::SP_DEVINFO_DATA data{};
        data.cbSize = sizeof data;
        for (std::uint32_t i = 0; calls.SetupDiEnumDeviceInfo(set, i, data); ++i) {
            std::uint8_t buffer[1024] = {};
            Device device;
            if (calls.SetupDiGetDeviceRegistryPropertyA(set, data, SPDRP_HARDWAREID, nullptr, buffer, sizeof buffer - 2, nullptr))
                device.hardwareId = reinterpret_cast<const char*>(buffer);
            std::uint8_t driver[256] = {};
            device.bound = calls.SetupDiGetDeviceRegistryPropertyA(set, data, SPDRP_DRIVER, nullptr, driver, sizeof driver, nullptr);
            devices.push_back(device);
        }
        calls.SetupDiDestroyDeviceInfoList(set);
        return devices;
    }
    // Devices whose first hardware id begins with the given one (the tree adds a revision).
    int CountDevices(const std::string& hardwareId) {
        int n = 0;
        for (const Device& d : Devices()) n += d.hardwareId.rfind(hardwareId, 0) == 0;
        return n;
    }
    std::vector<std::string> OemInfs() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_ / "machine" / "drive_c" / "Windows" / "inf")) {
            std::string name = entry.path().filename().string();
            if (name.rfind("oem", 0) == 0) names.push_back(name);
        }
        return names;
    }

    fs::path dir_;
};

TEST_F(InstallRun, Operation2BindsTheAttachedPrinter) {
    Attach("5A5A", "5A5A");
    ProgramRun run = Install("2");
    EXPECT_EQ(Log(run), (std::vector<std::string>{"\"start install the device drivers.\\n\"",
                                                  "\"usb device already exist, start to install drivers.\\n\""}));
    bool bound = false;
    for (const Device& d : Devices())
        if (d.hardwareId.rfind("USB\\VID_5A5A&PID_5A5A", 0) == 0) bound = d.bound;
    EXPECT_TRUE(bound) << run.output;
    EXPECT_TRUE(MessageBoxes(run.output).empty()) << run.output;
}

TEST_F(InstallRun, Operation2WithoutAPrinterPreinstallsThePackage) {
    ProgramRun run = Install("2");
    EXPECT_EQ(Log(run), (std::vector<std::string>{"\"start install the device drivers.\\n\"",
                                                  "\"USB device no exist, start to preinstall.\\n\""}));
    std::vector<std::string> oem = OemInfs();
    EXPECT_FALSE(oem.empty()) << run.output;
    // A second run finds the package installed: NOOVERWRITE fails, REPLACEONLY refreshes it.
    Install("2");
    EXPECT_EQ(OemInfs().size(), oem.size());
}

TEST_F(InstallRun, Operation8CreatesTheCountOfPortsAndLogsEach) {
    ProgramRun run = Install("8-3");
    const std::string dots = "\".............................................\\n\"";
    const std::string finish = "\"Driver install finish, please plug in TCP printer.\\n\"";
    EXPECT_EQ(Log(run), (std::vector<std::string>{dots, finish, finish, dots, finish})) << run.output;
    int ports = 0, bound = 0;
    for (const Device& d : Devices()) {
        if (d.hardwareId != "root\\nkxvcom") continue;
        ++ports;
        bound += d.bound;
    }
    EXPECT_EQ(ports, 3);
    EXPECT_EQ(bound, 3);
}

TEST_F(InstallRun, Operation8WithoutAUsableCountMakesOnePort) {
    int expected = 0;
    for (const char* argument : {"8-0", "8-300", "8", "8-"}) {
        SCOPED_TRACE(argument);
        Install(argument);
        ++expected;
        EXPECT_EQ(CountDevices("root\\nkxvcom"), expected);
    }
}

TEST_F(InstallRun, Operation22RemovesThePackagesFilesAndKeepsDevicesOutsideItsRange) {
    Attach("0AA7", "1234");
    ProgramRun attached = Winsim("usb attach " + Machine() + " --id 2 --vid 0AA7 --pid 030A");
    ASSERT_EQ(attached.status, 0) << attached.output;
    Install("2");  // the package's INF lands in Windows\inf as oemN.inf
    ASSERT_FALSE(OemInfs().empty());
    ASSERT_EQ(CountDevices("USB\\VID_0AA7&PID_1234"), 1);
    ProgramRun run = Install("22");
    EXPECT_EQ(Log(run), (std::vector<std::string>{
                            "\"uninstall the device drivers and delete application.\\n\"",
                            "\"uninstall finish.....\\n\""}));
    // PID_030A was bound by operation 2 and lies below the package's range: it stays. PID_1234
    // has no driver, so it belongs to no setup class and the USB-class walk does not meet it.
    EXPECT_EQ(CountDevices("USB\\VID_0AA7&PID_030A"), 1);
    EXPECT_EQ(CountDevices("USB\\VID_0AA7&PID_1234"), 1) << run.output;
    EXPECT_TRUE(OemInfs().empty()) << run.output;
}

TEST_F(InstallRun, OtherCodesAndNoArgumentDoNothing) {
    for (const char* argument : {"5", ""}) {
        SCOPED_TRACE(argument);
        std::size_t before = Devices().size();
        ProgramRun run = Install(argument);
        EXPECT_TRUE(Log(run).empty()) << run.output;
        EXPECT_EQ(Devices().size(), before);
    }
}

TEST_F(InstallRun, Operation8FailureIsReportedAndLogged) {
    ProgramRun fault = Winsim("fault " + Machine() + " call UpdateDriverForPlugAndPlayDevicesA 5");
    ASSERT_EQ(fault.status, 0) << fault.output;
    ProgramRun run = Install("8-2");
    EXPECT_TRUE(ShowedMessage(run.output,
                              "Error 5 in UpdateDriverForPlugAndPlayDevices: Access is denied."))
        << run.output;
    std::vector<std::string> log = Log(run);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "\"install failed , please uninstall and restart to install.\\n\"");
    // The first port stays registered; the second, without its driver, is removed again.
    EXPECT_EQ(CountDevices("root\\nkxvcom"), 1);
}

}  // namespace
