// The USB driver check and the installer run on simulated machines: version texts read from real
// PE files, the comparison of the package's driver with the installed one (also through WOW64
// redirection), and the installer's start and waits on the machine's clock.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "package/LanguageText.h"
#include "platform/forwarding_platform.h"
#include "platform/sim/process/platform.h"
#include "platform/sim/state/faults.h"
#include "platform/sim/state/usb_printers.h"
#include "platform/win_constants.h"
#include "setup/engine/UsbDriverDeployment.h"
#include "tests/support/package_machine.h"

namespace {

namespace fs = std::filesystem;

std::string HostBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
std::string VersionFile(const char* name) {
    return HostBytes(fs::path(VERSION_FILES_DIR) / name);
}

const char* const kInstalled = "C:\\Windows\\System32\\drivers\\ZADO450DEZ.ure";
const char* const kInstallerTitle = "USB Driver Installer";

// A desktop that forwards to the machine's and records what the installer run does with it;
// `windowPolls` FindWindowA calls find the installer's window before it is gone.
class WatchingDesktop : public plat::Desktop {
public:
    explicit WatchingDesktop(plat::Desktop& inner) : inner_(inner) {}

    int windowPolls = 0;
    std::vector<std::string> titlesLookedFor;
    std::vector<std::string> started;  // "verb|file|parameters|directory|show"
    std::vector<std::string> shown;

    std::unique_ptr<plat::Handle> CreateMutexA(bool owner, const char* name) override {
        return inner_.CreateMutexA(owner, name);
    }
    plat::WindowRef FindWindowA(const char* cls, const char* title) override {
        titlesLookedFor.emplace_back(title ? title : "(null)");
        if (windowPolls > 0) {
            --windowPolls;
            return 77;
        }
        return inner_.FindWindowA(cls, title);
    }
    bool SetForegroundWindow(plat::WindowRef w) override { return inner_.SetForegroundWindow(w); }
    bool IsIconic(plat::WindowRef w) override { return inner_.IsIconic(w); }
    bool OpenIcon(plat::WindowRef w) override { return inner_.OpenIcon(w); }
    bool BringWindowToTop(plat::WindowRef w) override { return inner_.BringWindowToTop(w); }
    std::intptr_t ShellExecuteA(plat::WindowRef owner, const char* verb, const char* file,
                                const char* parameters, const char* directory,
                                int show) override {
        started.push_back(std::string(verb) + "|" + file + "|" + (parameters ? parameters : "") +
                          "|" + (directory ? directory : "(null)") + "|" + std::to_string(show));
        return inner_.ShellExecuteA(owner, verb, file, parameters, directory, show);
    }
    bool BroadcastWinIniChange(const char* section, std::uint32_t timeout) override {
        return inner_.BroadcastWinIniChange(section, timeout);
    }
    bool NotifyWinIniChange(const char* section) override {
        return inner_.NotifyWinIniChange(section);
    }
    int MessageBoxA(plat::WindowRef, const char* text, const char*, std::uint32_t) override {
        shown.emplace_back(text);
        return IDOK;
    }
    void Transcript(const char* line) override { inner_.Transcript(line); }

private:
    plat::Desktop& inner_;
};

// The setup process's platform with the watching desktop.
class WatchedPlatform : public plat::ForwardingPlatform {
public:
    explicit WatchedPlatform(plat::Platform& inner)
        : ForwardingPlatform(inner), desktop_(inner.desktop()) {}
    WatchingDesktop& watching() { return desktop_; }

    plat::Desktop& desktop() override { return desktop_; }

private:
    WatchingDesktop desktop_;
};

// The example package at C:\Pkg on a machine whose sleeps take no real time, and a 32-bit
// setup process running from there.
class UsbDriverOnSim {
public:
    explicit UsbDriverOnSim(const char* preset) : x64_(std::string(preset).find("x64") != std::string::npos) {
        testsupport::PackageMachineOptions options;
        options.preset = preset;
        std::string error;
        machine_ = testsupport::PackageMachine::Create(testsupport::ExamplePackage(), options, error);
        if (!machine_) {
            ADD_FAILURE() << error;
            return;
        }
        sim::MachineSettings s = machine_->machine().settings();
        s.timeScale = 0;
        if (!machine_->machine().SaveSettings(s, error)) ADD_FAILURE() << error;
        process_ = machine_->Process(32, "C:\\Pkg\\setup.exe", "C:\\Pkg");
        platform_ = std::make_unique<WatchedPlatform>(*process_);
        texts_ = std::make_unique<pkg::LanguageText>(*platform_, "Message");
    }
    bool ok() const { return platform_ != nullptr; }

    testsupport::PackageMachine& machine() { return *machine_; }
    WatchingDesktop& desktop() { return platform_->watching(); }
    std::string packageDriver() const {
        return x64_ ? "C:\\Pkg\\USBDrv\\USBDriver_x64\\ZADO450DEZ.ure"
                    : "C:\\Pkg\\USBDrv\\USBDriver\\ZADO450DEZ.ure";
    }

    setup::UsbDriverContext Context() { return {*platform_, x64_, 0, "Setup"}; }
    setup::UsbIdContext UsbContext() {
        return {platform_->usbAccess(), platform_->desktop(), platform_->system(), *texts_, 0,
                "Setup"};
    }
    int Compare() {
        auto c = Context();
        return setup::CompareUsbDriver(c);
    }
    std::string ReadVersion(const std::string& path) {
        return setup::ReadFileVersionText(platform_->fileVersions(), path);
    }
    std::uint32_t Now() { return platform_->system().GetTickCount(); }
    // Runs the installer and gives the time it took on the machine's clock.
    std::uint32_t RunInstaller(bool typical) {
        auto c = Context();
        auto usb = UsbContext();
        const std::uint32_t start = Now();
        setup::RunUsbDriverInstaller(c, usb, typical, kInstallerTitle);
        return Now() - start;
    }
    void Attach(int id) {
        sim::UsbPrinter p;
        p.internalId = id;
        std::string error;
        ASSERT_TRUE(sim::AttachUsbPrinter(machine_->machine(), p, error)) << error;
    }

private:
    bool x64_;
    std::unique_ptr<testsupport::PackageMachine> machine_;
    std::unique_ptr<sim::SimPlatform> process_;
    std::unique_ptr<WatchedPlatform> platform_;
    std::unique_ptr<pkg::LanguageText> texts_;
};

TEST(UsbDriverVersionNumber, JoinsTheEvenPositions) {
    const struct { const char* text; std::uint64_t number; } cases[] = {
        {"1.0.0.1", 1001}, {"1.0.0.2", 1002}, {"0.0.0.0", 0}, {"2.1.0.9", 2109},
        {"0.0.0.5", 5},    {"", 0},           {"abc", 0},     {"3", 3},
        // Only the leading digits count.
        {"1.x.0.1", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(setup::UsbDriverVersionNumber(c.text), c.number) << c.text;
    // A long text of digits stops before the number overflows.
    EXPECT_GT(setup::UsbDriverVersionNumber(std::string(200, '9')), 0u);
}

TEST(ReadFileVersionText, ReadsTheFirstTranslationsFileVersion) {
    UsbDriverOnSim sim("windows-7-x86");
    ASSERT_TRUE(sim.ok());
    auto& m = sim.machine();
    ASSERT_TRUE(m.WriteFile("C:\\v\\two.dll", VersionFile("two_translations.dll")));
    ASSERT_TRUE(m.WriteFile("C:\\v\\nofv.dll", VersionFile("no_file_version.dll")));
    ASSERT_TRUE(m.WriteFile("C:\\v\\text.ure", "not a PE file"));
    const struct { const char* path; const char* text; } cases[] = {
        {"C:\\Pkg\\USBDrv\\USBDriver\\ZADO450DEZ.ure", "1.0.0.1"},
        {"C:\\Pkg\\USBDrv\\USBDriver_x64\\ZADO450DEZ.ure", "1.0.0.1"},
        // The translation array lists German (0407, code page 04e4) first.
        {"C:\\v\\two.dll", "2.0.0.0"},
        {"C:\\v\\nofv.dll", "0.0.0.0"},
        {"C:\\v\\text.ure", "0.0.0.0"},
        {"C:\\v\\missing.ure", "0.0.0.0"},
    };
    for (const auto& c : cases) EXPECT_EQ(sim.ReadVersion(c.path), c.text) << c.path;
}

TEST(PackageUsbDriver, IsTheFileItsScriptMakes) {
    const std::string built = VersionFile("ZADO450DEZ.ure");
    ASSERT_FALSE(built.empty());
    for (const char* folder : {"USBDriver", "USBDriver_x64"}) {
        const fs::path file = testsupport::ExamplePackage() / "USBDrv" / folder / "ZADO450DEZ.ure";
        EXPECT_EQ(HostBytes(file), built) << file << " differs from tools/usbdriver/ZADO450DEZ.rc";
    }
}

TEST(CompareUsbDriver, InstalledAgainstPackageOn32BitWindows) {
    const struct {
        const char* installed;  // version file to install, "" none, "text" a file without version
        const char* package;    // "" the example's 1.0.0.1, "text" a file without version
        int expected;
    } cases[] = {
        {"driver_1002.dll", "", 0},   // newer installed: kept
        {"", "", -1},                 // not installed
        {"driver_1000.dll", "", 1},   // older installed
        {"ZADO450DEZ.ure", "", 0},    // the same
        {"text", "", -1},             // installed without a version reads 0.0.0.0
        {"", "text", 0},              // both read 0.0.0.0
        {"driver_1000.dll", "text", 0},  // the package's reads 0: nothing is older
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.installed) + " / " + c.package);
        UsbDriverOnSim sim("windows-7-x86");
        ASSERT_TRUE(sim.ok());
        auto& m = sim.machine();
        const std::string installed = c.installed;
        if (installed == "text") {
            ASSERT_TRUE(m.WriteFile(kInstalled, "placeholder"));
        } else if (!installed.empty()) {
            ASSERT_TRUE(m.WriteFile(kInstalled, VersionFile(c.installed)));
        }
        if (std::string(c.package) == "text") {
            ASSERT_TRUE(m.WriteFile(sim.packageDriver(), "x"));
        }
        EXPECT_EQ(sim.Compare(), c.expected);
        EXPECT_TRUE(sim.desktop().shown.empty());
    }
}

TEST(CompareUsbDriver, On64BitWindowsTheNativeSystemDirectoryCounts) {
    UsbDriverOnSim sim("windows-7-x64");
    ASSERT_TRUE(sim.ok());
    auto& m = sim.machine();
    // The 64-bit folder's driver is the one compared: make it newer than the installed one.
    ASSERT_TRUE(m.WriteFile(sim.packageDriver(), VersionFile("driver_1002.dll")));
    EXPECT_EQ(sim.Compare(), -1);
    // Only in the native System32: a redirected reading would not see it.
    ASSERT_TRUE(m.WriteFile(kInstalled, VersionFile("ZADO450DEZ.ure")));
    EXPECT_EQ(sim.Compare(), 1);
    // Something else in SysWOW64 does not count either.
    ASSERT_TRUE(m.WriteFile("C:\\Windows\\SysWOW64\\drivers\\ZADO450DEZ.ure",
                            VersionFile("driver_1002.dll")));
    EXPECT_EQ(sim.Compare(), 1);
    EXPECT_TRUE(sim.desktop().shown.empty());
}

TEST(CompareUsbDriver, MissingRedirectionFunctionsAreReportedAndTheReadingStaysRedirected) {
    UsbDriverOnSim sim("windows-7-x64");
    ASSERT_TRUE(sim.ok());
    ASSERT_TRUE(sim.machine().WriteFile(kInstalled, VersionFile("ZADO450DEZ.ure")));
    std::string error;
    ASSERT_TRUE(sim::AddFault(sim.machine().machine(),
                              {"GetProcAddress", ERROR_PROC_NOT_FOUND, 0,
                               "Wow64RevertWow64FsRedirection"},
                              error))
        << error;
    EXPECT_EQ(sim.Compare(), -1);
    EXPECT_EQ(sim.desktop().shown,
              std::vector<std::string>{"Can't Get Function Wow64RevertWow64FsRedirection Address"});
}

TEST(UsbDriverNotice, ShowsFromWindows2000WhileNoDriverIsInstalled) {
    UsbDriverOnSim sim("windows-7-x86");
    ASSERT_TRUE(sim.ok());
    auto c = sim.Context();
    EXPECT_FALSE(setup::ShowsUsbDriverNotice(c, 1));
    EXPECT_TRUE(setup::ShowsUsbDriverNotice(c, 2));
    EXPECT_TRUE(setup::ShowsUsbDriverNotice(c, 7));
    ASSERT_TRUE(sim.machine().WriteFile(kInstalled, VersionFile("driver_1000.dll")));
    EXPECT_FALSE(setup::ShowsUsbDriverNotice(c, 7));
}

TEST(RunUsbDriverInstaller, MissingInstallerIsReportedAndTheWaitsStillRun) {
    UsbDriverOnSim sim("windows-7-x86");
    ASSERT_TRUE(sim.ok());
    auto& m = sim.machine();
    ASSERT_TRUE(m.RemoveFile("C:\\Pkg\\USBDrv\\USBDriver\\Install.exe"));
    const std::string inf = "C:\\Pkg\\USBDrv\\USBDriver\\WNZK450USB.INF";
    auto& files = m.platform().files();
    ASSERT_TRUE(files.SetFileAttributesA(sim.packageDriver().c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(files.SetFileAttributesA(inf.c_str(), FILE_ATTRIBUTE_READONLY));

    const std::uint32_t took = sim.RunInstaller(true);

    EXPECT_EQ(sim.desktop().started,
              std::vector<std::string>{"open|C:\\Pkg\\USBDRV\\USBDriver\\Install.exe|2|(null)|1"});
    // The box shows GetLastError's number: the file was not found.
    EXPECT_EQ(sim.desktop().shown, std::vector<std::string>{"2"});
    // 500 ms, no window, 3000 ms; Typical mode does not wait for a printer.
    EXPECT_GE(took, 3500u);
    EXPECT_LT(took, 4500u);
    EXPECT_EQ(sim.desktop().titlesLookedFor, std::vector<std::string>{kInstallerTitle});
    EXPECT_EQ(files.GetFileAttributesA(sim.packageDriver().c_str()), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(files.GetFileAttributesA(inf.c_str()), FILE_ATTRIBUTE_ARCHIVE);
}

TEST(RunUsbDriverInstaller, WaitsWhileTheInstallersWindowIsOpen) {
    UsbDriverOnSim sim("windows-7-x86");
    ASSERT_TRUE(sim.ok());
    sim.desktop().windowPolls = 3;
    const std::uint32_t took = sim.RunInstaller(true);
    // 500, three polls that find the window (3 x 1000), one that does not, then 3000.
    EXPECT_GE(took, 6500u);
    EXPECT_LT(took, 7500u);
    EXPECT_EQ(sim.desktop().titlesLookedFor.size(), 4u);
}

TEST(RunUsbDriverInstaller, AdvancedModeWaitsUpToThirtySecondsForAPrinter) {
    {
        UsbDriverOnSim sim("windows-7-x86");
        ASSERT_TRUE(sim.ok());
        ASSERT_TRUE(sim.machine().WriteFile("C:\\Pkg\\KxUsbInt.dll", ""));
        const std::uint32_t took = sim.RunInstaller(false);
        EXPECT_GE(took, 3500u + 30000u);
        EXPECT_LT(took, 3500u + 32000u);
        EXPECT_TRUE(sim.desktop().shown.empty()) << "no printer is not a message";
    }
    {
        UsbDriverOnSim sim("windows-7-x86");
        ASSERT_TRUE(sim.ok());
        ASSERT_TRUE(sim.machine().WriteFile("C:\\Pkg\\KxUsbInt.dll", ""));
        sim.Attach(4);
        const std::uint32_t took = sim.RunInstaller(false);
        EXPECT_GE(took, 3500u);
        EXPECT_LT(took, 4500u) << "the printer answers at once";
    }
}

TEST(PrepareUsbDriver, RunsTheInstallerWhenTheDriverOrThePrinterIsMissing) {
    const struct {
        const char* preset;
        int os;
        bool driverInstalled;
        bool printer;
        bool runs;
    } cases[] = {
        {"windows-7-x86", 7, false, true, true},    // no driver
        {"windows-7-x86", 7, true, false, true},    // no printer
        {"windows-7-x86", 7, true, true, false},    // both there
        {"windows-7-x86", 2, true, true, false},
        {"windows-7-x86", 2, false, true, true},    // from Windows 2000 on
        {"windows-7-x86", 1, false, false, false},  // NT 4.0 and 9x never
        {"windows-7-x86", 0, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.os) + (c.driverInstalled ? " driver" : "") +
                     (c.printer ? " printer" : ""));
        UsbDriverOnSim sim(c.preset);
        ASSERT_TRUE(sim.ok());
        ASSERT_TRUE(sim.machine().WriteFile("C:\\Pkg\\KxUsbInt.dll", ""));
        if (c.driverInstalled) {
            ASSERT_TRUE(sim.machine().WriteFile(kInstalled, VersionFile("ZADO450DEZ.ure")));
        }
        if (c.printer) sim.Attach(0);
        auto context = sim.Context();
        auto usb = sim.UsbContext();
        EXPECT_EQ(setup::PrepareUsbDriver(context, usb, c.os, true, kInstallerTitle), c.runs);
        EXPECT_EQ(sim.desktop().started.size(), c.runs ? 1u : 0u);
    }
}

}  // namespace
