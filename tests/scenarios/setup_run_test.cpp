// The real setup program started through winsim on fresh machines with the example package: what
// a person running it sees, and its exit status.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <iterator>
#include <filesystem>
#include <string>

#include "tests/support/shell.h"
#include "tests/support/transcript_checks.h"

namespace {

namespace fs = std::filesystem;
using namespace testsupport;

using CommandResult = testsupport::ShellRun;

// Runs a command with its error output joined to its standard output.
CommandResult Shell(const std::string& command) {
    return testsupport::RunShell(command + " 2>&1");
}

class SetupRun : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("setup-run-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    CommandResult Winsim(const std::string& args) {
        return Shell(std::string("'") + WINSIM_BINARY + "' " + args);
    }
    void MakeMachine(const std::string& preset) {
        CommandResult created = Winsim("create '" + dir_.string() + "' --preset " + preset);
        ASSERT_EQ(created.status, 0) << created.output;
        CommandResult mounted = Winsim("mount '" + dir_.string() + "' '" PKG_SOURCE_DIR "/examples/package' 'C:\\Package'");
        ASSERT_EQ(mounted.status, 0) << mounted.output;
    }
    CommandResult RunSetup() { return Winsim("run '" + dir_.string() + "' 'C:\\Package\\setup.exe'"); }
    // Runs setup with an automation script, one action a line.
    CommandResult RunSetup(const std::string& script) {
        fs::path file = dir_.string() + ".script";
        FILE* out = std::fopen(file.c_str(), "w");
        if (out) {
            std::fputs(script.c_str(), out);
            std::fclose(out);
        }
        CommandResult run = Winsim("run '" + dir_.string() + "' 'C:\\Package\\setup.exe' --script '" +
                                   file.string() + "'");
        fs::remove(file);
        return run;
    }

    fs::path dir_;
};

// The defaults all the way on a fresh Windows 7 x64 machine: the receipt model in Typical mode
// with no USB printer, so the preselected serial port.
TEST_F(SetupRun, DefaultsOnWindows7x64InstallTheReceiptPrinterOnCom1) {
    MakeMachine("windows-7-x64");
    CommandResult run = RunSetup("click IDC_ACCEPT\nclick 1\nclick 1\nclick 1\nclick 1\nclick 1\n");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(OpenedWindow(run.output, "Printer Driver Setup")) << run.output;
    EXPECT_TRUE(SaidInstalled(run.output)) << run.output;

    const std::string spooler = Winsim("spooler '" + dir_.string() + "'").output;
    EXPECT_NE(spooler.find("VTX-80R(S)  VTX-80R  COM1:"), std::string::npos) << spooler;
    EXPECT_NE(spooler.find("Windows x64 "), std::string::npos) << spooler;
    const std::string files = Winsim("files '" + dir_.string() +
                                     "' 'C:\\Windows\\System32\\spool\\drivers\\x64\\3'").output;
    EXPECT_NE(files.find("VTX80RS.GPD"), std::string::npos) << files;
    const std::string ports =
        Winsim("reg '" + dir_.string() +
               "' 'HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports'").output;
    EXPECT_NE(ports.find("\"COM1:\"=\"19200,n,8,1,p\""), std::string::npos) << ports;
}

// A USB printer numbered for port 4 (internal ID 3) and the USB access library beside setup: in
// Typical mode the port is USB port 1, so setup runs the device-driver installer (no driver is
// installed yet), asks to renumber the printer and, on Yes, sends it ID 0.
TEST_F(SetupRun, UsbPortInTypicalModeRenumbersTheAttachedPrinter) {
    MakeMachine("windows-7-x86");
    ASSERT_EQ(Winsim("set '" + dir_.string() + "' timescale=0").status, 0);
    CommandResult attached = Winsim("usb attach '" + dir_.string() + "' --id 3");
    ASSERT_EQ(attached.status, 0) << attached.output;
    FILE* library = std::fopen((dir_ / "drive_c" / "Package" / "KxUsbInt.dll").c_str(), "w");
    ASSERT_NE(library, nullptr);
    std::fclose(library);

    const std::string toPortPage = "click IDC_ACCEPT\nclick IDOK\nclick IDOK\nclick IDOK\nclick IDOK\n";
    CommandResult refused = RunSetup(toPortPage +
                                     "choose IDC_PORTS USB_VTX-80R_1\nclick IDOK\n"
                                     "expect Change the printer's number\nanswer No\n"
                                     "expect-text IDOK &Install\nclick IDCANCEL\n");
    EXPECT_EQ(refused.status, 0) << refused.output;
    EXPECT_NE(refused.output.find("shell: open C:\\Package\\USBDRV\\USBDriver\\Install.exe 2"),
              std::string::npos)
        << refused.output;
    EXPECT_FALSE(SaidInstalled(refused.output)) << "No keeps the wizard on its last page";
    EXPECT_NE(Winsim("usb list '" + dir_.string() + "'").output.find("id 3 "), std::string::npos);

    CommandResult run = RunSetup(toPortPage +
                                 "choose IDC_PORTS USB_VTX-80R_1\nclick IDOK\n"
                                 "expect Change the printer's number\nanswer Yes\n"
                                 "expect The printer driver has been installed.\nanswer OK\n");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(ShowedMessage(run.output, "Change the printer's number")) << run.output;
    EXPECT_TRUE(SaidInstalled(run.output)) << run.output;
    const std::string spooler = Winsim("spooler '" + dir_.string() + "'").output;
    EXPECT_NE(spooler.find("VTX-80R(U) 1"), std::string::npos) << spooler;
    EXPECT_NE(spooler.find("USB_VTX-80R_1"), std::string::npos) << spooler;
    CommandResult listed = Winsim("usb list '" + dir_.string() + "'");
    EXPECT_EQ(listed.status, 0) << listed.output;
    // The ID command is ten bytes; the printer now answers for port 1.
    EXPECT_NE(listed.output.find("id 0 "), std::string::npos) << listed.output;
    EXPECT_NE(listed.output.find("received 10 bytes"), std::string::npos) << listed.output;
}

TEST_F(SetupRun, EveryPresetStartsOrIsRefusedAsItsWindowsVersionRequires) {
    // The wizard opens on its first page, where the script cancels it; the others refuse with
    // a message.
    constexpr const char* kWizardOpens = "";
    struct Case {
        const char* preset;
        const char* refusal;  // the refusal's message; empty: the wizard opens
    } cases[] = {
        {"windows-95", kWizardOpens},
        {"windows-98", "does not support Windows 98"},
        {"windows-me", "does not support Windows 98"},
        {"nt4-x86", "does not support Windows 98"},
        {"windows-2000-x86", kWizardOpens},
        {"xp-x86", kWizardOpens},
        {"xp-x64", kWizardOpens},
        {"server-2003-x86", kWizardOpens},
        {"server-2003-x64", kWizardOpens},
        {"vista-x86", kWizardOpens},
        {"vista-x64", kWizardOpens},
        {"server-2008-x86", kWizardOpens},
        {"server-2008-x64", kWizardOpens},
        {"server-2008-r2-x64", kWizardOpens},
        {"windows-7-x86", kWizardOpens},
        {"windows-7-x64", kWizardOpens},
        {"windows-8.1-x64", kWizardOpens},
        {"windows-10-x64", kWizardOpens},
    };
    CommandResult presets = Winsim("presets");
    ASSERT_EQ(presets.status, 0) << presets.output;
    // The table covers every preset winsim offers: one line each.
    EXPECT_EQ(std::count(presets.output.begin(), presets.output.end(), '\n'),
              static_cast<std::ptrdiff_t>(std::size(cases)))
        << presets.output;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preset);
        EXPECT_NE(presets.output.find(c.preset), std::string::npos);
        fs::remove_all(dir_);
        MakeMachine(c.preset);
        bool opens = std::string(c.refusal).empty();
        CommandResult run = opens ? RunSetup("key Escape\n") : RunSetup();
        EXPECT_EQ(run.status, 0) << run.output;
        if (opens)
            EXPECT_TRUE(ShowedPage(run.output, "IDD_LICENSE_PAGE")) << run.output;
        else
            EXPECT_TRUE(ShowedMessage(run.output, c.refusal)) << run.output;
    }
}

TEST_F(SetupRun, WindowsMeShowsTheRefusalAndEnds) {
    MakeMachine("windows-me");
    CommandResult run = RunSetup();
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(ShowedMessage(run.output, "\"Printer Driver Setup\"")) << run.output;
    EXPECT_TRUE(ShowedMessage(run.output, "does not support Windows 98, Windows Me or Windows NT 4.0"))
        << run.output;
}

TEST_F(SetupRun, SecondStartActivatesTheFirstWithoutAMessage) {
    MakeMachine("xp-x86");
    ASSERT_EQ(Winsim("desktop '" + dir_.string() + "' hold-mutex setup").status, 0);
    ASSERT_EQ(Winsim("desktop '" + dir_.string() + "' open-window 'Printer Driver Setup' --minimized").status, 0);
    CommandResult run = RunSetup();
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(BroughtToForeground(run.output, "Printer Driver Setup")) << run.output;
    EXPECT_TRUE(RestoredWindow(run.output, "Printer Driver Setup")) << run.output;
    EXPECT_TRUE(MessageBoxes(run.output).empty()) << run.output;
}

}  // namespace
