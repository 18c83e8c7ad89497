// The uninstaller's start-up on simulated machines: one running copy, no setup beside it, an
// administrator from Windows 2000 on, the inventory in the package root or DRVCONFIG, the
// window's captions and the USB box, the About box and F1 help.
#include <gtest/gtest.h>

#include "tests/support/transcript_checks.h"
#include "tests/uninstall/uninstall_run.h"

namespace uninstalltest {
namespace {

using namespace testsupport;

constexpr const char* kTitle = "Uninstall";
constexpr const char* kChineseTitle = "打印机卸载程序";
constexpr const char* kShowAndExit = "show\nclick IDC_EXIT\n";

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

using UninstallStart = UninstallMachine;

TEST_F(UninstallStart, OpensTheWindowWithTheLanguageTexts) {
    Prepare("windows-7-x86");
    RunResult run = RunUninstall(kShowAndExit);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(OpenedWindow(run.output, kTitle)) << run.output;
    EXPECT_TRUE(ClosedWindow(run.output, kTitle));
    EXPECT_EQ(ControlStates(run.output, "1004 IDC_UNINSTALL"),
              std::vector<std::string>{"uninstall:   1004 IDC_UNINSTALL button \"&Uninstall\""});
    EXPECT_EQ(ControlStates(run.output, "1006 IDC_EXIT"),
              std::vector<std::string>{"uninstall:   1006 IDC_EXIT button \"E&xit\""});
    // Nothing installed: nothing to tick, so Select is disabled; the log invites a choice.
    EXPECT_EQ(ControlStates(run.output, "1005 IDC_SELECT"),
              std::vector<std::string>{"uninstall:   1005 IDC_SELECT button \"Select &all\" disabled"});
    EXPECT_EQ(ControlStates(run.output, "1003 IDC_LOG"),
              std::vector<std::string>{"uninstall:   1003 IDC_LOG list box \"\" [\"Tick the items to remove, "
                                       "then press Uninstall.\"] selected #0"});
    EXPECT_TRUE(MessageBoxes(run.output).empty()) << run.output;
}

TEST_F(UninstallStart, ASecondStartBringsTheFirstForwardWhateverItsLanguage) {
    for (const char* title : {kTitle, kChineseTitle}) {
        SCOPED_TRACE(title);
        // Chinese titles are GB2312 bytes: a Chinese system's code page.
        Prepare("windows-7-x86", {title == kTitle ? "codepage=1252" : "codepage=936"});
        Machine("desktop hold-mutex", "uninstall");
        Machine("desktop open-window", std::string("'") + title + "' --minimized");
        RunResult run = RunUninstall("");
        EXPECT_EQ(run.status, 0) << run.output;
        EXPECT_TRUE(BroughtToForeground(run.output, title)) << run.output;
        EXPECT_TRUE(RestoredWindow(run.output, title)) << run.output;
        EXPECT_FALSE(Has(run.output, "opens window")) << run.output;
    }
    // The window alone, without the mutex, is no running uninstaller.
    Prepare("windows-7-x86");
    Machine("desktop open-window", "'Some Uninstall Tool'");
    EXPECT_TRUE(OpenedWindow(RunUninstall("click IDC_EXIT\n").output, kTitle));
}

TEST_F(UninstallStart, RefusesWhileSetupIsOpen) {
    const char* refusal =
        "The printer driver setup is running. Close it first, then start the uninstaller again.";
    for (const char* title : {"Printer Driver Setup", "打印机驱动安装程序"}) {
        SCOPED_TRACE(title);
        Prepare("windows-7-x86", {*title == 'P' ? "codepage=1252" : "codepage=936"});
        Machine("desktop open-window", std::string("'") + title + "'");
        RunResult run = RunUninstall("expect " + std::string(refusal) + "\nanswer OK\n");
        EXPECT_EQ(run.status, 0) << run.output;
        EXPECT_FALSE(Has(run.output, "opens window")) << run.output;
    }
}

TEST_F(UninstallStart, AdministratorIsNeededFromWindows2000On) {
    struct Case {
        const char* preset;
        bool refused;
    } const cases[] = {
        {"nt4-x86", false},  // OS index 1: no check
        {"windows-2000-x86", true},
        {"windows-7-x64", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preset);
        Prepare(c.preset, {"admin=0"});
        const std::string script =
            c.refused ? "expect You need administrator rights to remove printer drivers.\n"
                        "answer OK\n"
                      : "click IDC_EXIT\n";
        RunResult run = RunUninstall(script);
        EXPECT_EQ(run.status, 0) << run.output;
        EXPECT_EQ(ShowedMessage(run.output, "administrator rights"), c.refused) << run.output;
        // A refusal closes the window before the person can press Exit.
        EXPECT_EQ(Has(run.output, "clicks IDC_EXIT"), !c.refused) << run.output;
    }
    // The same machine with an administrator opens the window.
    Prepare("windows-2000-x86");
    RunResult run = RunUninstall(kShowAndExit);
    EXPECT_FALSE(ShowedMessage(run.output, "administrator rights")) << run.output;
    EXPECT_EQ(ControlStates(run.output, "1004 IDC_UNINSTALL").size(), 1u) << run.output;
}

TEST_F(UninstallStart, TheInventoryIsFoundInTheRootOrInDrvconfigElseTheWindowCloses) {
    // The example package keeps it in DRVCONFIG only: found there (the window opens, above).
    // In the root it is found too, also when DRVCONFIG has none.
    Prepare("windows-7-x86");
    WriteMachineFile("C:\\Package\\Uninstall.ini", "[KXPRINTER]\nPRINTERNUM=0\n");
    RemovePackageFile("DRVCONFIG\\Uninstall.ini");
    RunResult root = RunUninstall(kShowAndExit);
    EXPECT_TRUE(MessageBoxes(root.output).empty()) << root.output;
    EXPECT_EQ(ControlStates(root.output, "1004 IDC_UNINSTALL").size(), 1u) << root.output;

    // Nowhere: the box says so and the window closes.
    Prepare("windows-7-x86");
    RemovePackageFile("DRVCONFIG\\Uninstall.ini");
    RunResult missing = RunUninstall(
        "expect The inventory Uninstall.ini was not found in this package.\nanswer OK\n");
    EXPECT_EQ(missing.status, 0) << missing.output;
    EXPECT_TRUE(ClosedWindow(missing.output, kTitle)) << missing.output;
}

TEST_F(UninstallStart, TheUsbBoxIsOfferedOnlyWithTheDeviceDriverInstalled) {
    struct Case {
        const char* preset;
        const char* file;  // empty: none
        bool enabled;
    } const cases[] = {
        {"windows-7-x86", "", false},
        {"windows-7-x86", "C:\\Windows\\System32\\drivers\\ZADO450DEZ.ure", true},
        {"windows-7-x86", "C:\\Windows\\System32\\drivers\\BULKUSB.sys", true},
        {"windows-7-x86", "C:\\Windows\\System32\\drivers\\OTHER.sys", false},
        // The 32-bit program reaches the native System32 with redirection suspended; a copy
        // in SysWOW64 is not the device driver.
        {"windows-7-x64", "C:\\Windows\\System32\\drivers\\BULKUSB.sys", true},
        {"windows-7-x64", "C:\\Windows\\SysWOW64\\drivers\\BULKUSB.sys", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.preset) + " " + c.file);
        Prepare(c.preset);
        if (*c.file) WriteMachineFile(c.file, "driver");
        RunResult run = RunUninstall(kShowAndExit);
        const std::vector<std::string> box = ControlStates(run.output, "1002 IDC_USB_DRIVER");
        ASSERT_EQ(box.size(), 1u) << run.output;
        EXPECT_EQ(Has(box[0], "disabled"), !c.enabled) << box[0];
        EXPECT_TRUE(Has(box[0], "\"Also remove the USB device driver\"")) << box[0];
    }
}

TEST_F(UninstallStart, AboutBoxAndHelp) {
    Prepare("windows-7-x86");
    RunResult run = RunUninstall("sys 16\nshow\nclick IDOK\nkey F1\nclick IDC_EXIT\n");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(OpenedWindow(run.output, "About")) << run.output;
    EXPECT_TRUE(RetitledTo(run.output, "About Uninstall")) << run.output;
    EXPECT_TRUE(Has(run.output, "\"Printer Driver Uninstall, version 1.0\"")) << run.output;
    // The main window is titled "Uninstall" itself: that is no open help, so the help opens.
    const std::vector<std::string> opens = ShellOpens(run.output);
    ASSERT_FALSE(opens.empty()) << run.output;
    EXPECT_TRUE(Has(opens[0], "Uninstall_EN.CHM")) << opens[0];
}

TEST_F(UninstallStart, TheChineseFontSwitchGivesEveryControlTheGb2312Font) {
    for (const char* language : {"0", "1"}) {
        Prepare("windows-7-x86", {"codepage=936"});  // the face name shows in GB2312
        SetIni("DRVCONFIG\\setup.ini", "DEVICENAME", "LANGUAGE", language);
        RunResult run = RunUninstall(kShowAndExit);
        const bool chinese = *language == '0';
        for (const char* control : {"1004 IDC_UNINSTALL", "1003 IDC_LOG"}) {
            const std::vector<std::string> states = ControlStates(run.output, control);
            ASSERT_EQ(states.size(), 1u) << run.output;
            EXPECT_EQ(Has(states[0], "font \"宋体\" 13 charset 134"), chinese) << states[0];
        }
    }
}

}  // namespace
}  // namespace uninstalltest
