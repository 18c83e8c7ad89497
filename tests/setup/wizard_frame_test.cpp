// The wizard frame on simulated machines: the refusals of its start, the agreement page's rules
// for Next and Back, the button texts, Cancel, F1 help, the About box, the GB2312 font mode and
// missing language texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/setup/wizard_run.h"
#include "tests/support/transcript_checks.h"

namespace {

using wizardtest::RunResult;
using namespace testsupport;

class WizardFrameTest : public wizardtest::WizardMachine {};

// The state words of the dumped line of control `id` in each `show`, in order.
std::vector<std::string> DumpLines(const RunResult& run, const std::string& idAndName) {
    return ControlStates(run.output, idAndName);
}

bool Disabled(const std::string& line) { return line.find(" disabled") != std::string::npos; }

TEST_F(WizardFrameTest, NonAdministratorIsRefusedFromWindows2000OnAfterTheFirstPageIsShown) {
    // Windows 10 is newer than the OS table and maps to index 0, but it is an NT system from
    // 2000 on and needs administrator rights all the same.
    for (const char* preset :
         {"windows-2000-x86", "xp-x86", "server-2003-x64", "windows-7-x64", "windows-10-x64"}) {
        SCOPED_TRACE(preset);
        Create(preset, {"admin=0"});
        RunResult run = Run("");
        EXPECT_EQ(run.status, 0) << run.output;
        ASSERT_EQ(MessageBoxes(run.output).size(), 1u) << run.output;
        EXPECT_TRUE(ShowedMessage(run.output, "You need administrator rights")) << run.output;
        EXPECT_TRUE(ShowedPage(run.output, "IDD_LICENSE_PAGE")) << run.output;
        EXPECT_TRUE(ClosedWindow(run.output, "Printer Driver Setup")) << run.output;
    }
}

TEST_F(WizardFrameTest, Windows95NeedsNoAdministrator) {
    Create("windows-95", {"admin=0"});
    RunResult run = Run("key Escape\n");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(MessageBoxes(run.output).empty()) << run.output;
}

TEST_F(WizardFrameTest, UnknownPlatformIsReportedAndTheWizardGoesOnAsTheFirstOsRow) {
    // A platform that is neither 9x nor NT: the OS page (when it is created) and the frame (when
    // it determines the OS index) each report it, and the wizard carries on with OS index 0,
    // which needs no administrator.
    Create("xp-x86", {"platform=0", "admin=0"});
    RunResult run = Run("answer OK\nanswer OK\nkey Escape\n");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(CountMessages(run.output, "This version of Windows is not recognised."), 2) << run.output;
    EXPECT_EQ(MessageBoxes(run.output).size(), 2u) << run.output;
    EXPECT_TRUE(ShowedPage(run.output, "IDD_LICENSE_PAGE")) << run.output;
}

TEST_F(WizardFrameTest, MissingSidePictureEndsTheWizardBeforeTheAdministratorCheck) {
    Create("xp-x86", {"admin=0"});
    RemovePackageFile("DRVCONFIG\\Left.bmp");
    RunResult run = Run("");
    EXPECT_EQ(run.status, 0) << run.output;
    ASSERT_EQ(MessageBoxes(run.output).size(), 1u) << run.output;
    EXPECT_TRUE(ShowedMessage(run.output, "The picture DRVCONFIG\\Left.bmp of this package cannot be loaded"))
        << run.output;
}

TEST_F(WizardFrameTest, MissingLicenseEndsTheWizardOnlyWhenTheAgreementIsOn) {
    Create("xp-x86");
    RemovePackageFile("License.txt");
    // The agreement page cancels the wizard while it is being made: nothing else is shown.
    RemovePackageFile("DRVCONFIG\\Left.bmp");
    RunResult on = Run("");
    EXPECT_EQ(on.status, 0) << on.output;
    ASSERT_EQ(MessageBoxes(on.output).size(), 1u) << on.output;
    EXPECT_TRUE(ShowedMessage(on.output, "License.txt of this package cannot be opened")) << on.output;
    EXPECT_FALSE(ShowedPage(on.output, "")) << on.output;

    Create("xp-x86");
    RemovePackageFile("License.txt");
    SetIni("DRVCONFIG\\setup.ini", "DEVICENAME", "LOADLICENSE", "0");
    RunResult off = Run("key Escape\n");
    EXPECT_EQ(off.status, 0) << off.output;
    EXPECT_TRUE(MessageBoxes(off.output).empty()) << off.output;
    EXPECT_TRUE(ShowedPage(off.output, "IDD_MODEL_PAGE")) << off.output;
}

TEST_F(WizardFrameTest, AgreementNextFollowsAcceptAndRejectAndStaysEnabledComingBack) {
    Create("xp-x86");
    RunResult run = Run(
        "show\n"
        "click IDC_ACCEPT\nshow\n"
        "click IDC_REJECT\nshow\n"
        "click IDC_ACCEPT\nclick 1\nshow\n"
        "click IDC_BACK\nshow\n"
        "key Escape\n");
    EXPECT_EQ(run.status, 0) << run.output;
    std::vector<std::string> next = DumpLines(run, "1 IDOK");
    std::vector<std::string> back = DumpLines(run, "1002 IDC_BACK");
    ASSERT_EQ(next.size(), 5u) << run.output;
    ASSERT_EQ(back.size(), 5u) << run.output;
    EXPECT_TRUE(Disabled(next[0]));   // Reject is checked at first
    EXPECT_FALSE(Disabled(next[1]));  // Accept
    EXPECT_TRUE(Disabled(next[2]));   // Reject again
    EXPECT_FALSE(Disabled(next[3]));  // on the model page
    EXPECT_FALSE(Disabled(back[3]));
    EXPECT_FALSE(Disabled(next[4]));  // back on the agreement page: Next stays enabled
    EXPECT_TRUE(Disabled(back[4]));
}

TEST_F(WizardFrameTest, AgreementOffOpensOnTheModelPageWhereBackIsImpossible) {
    Create("xp-x86");
    SetIni("DRVCONFIG\\setup.ini", "DEVICENAME", "LOADLICENSE", "0");
    RunResult run = Run(
        "show\n"
        "click 1\nshow\n"
        "click IDC_BACK\nshow\n"
        "key Escape\n");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_FALSE(ShowedPage(run.output, "IDD_LICENSE_PAGE")) << run.output;
    std::vector<std::string> next = DumpLines(run, "1 IDOK");
    std::vector<std::string> back = DumpLines(run, "1002 IDC_BACK");
    ASSERT_EQ(next.size(), 3u) << run.output;
    EXPECT_FALSE(Disabled(next[0]));
    EXPECT_TRUE(Disabled(back[0]));
    EXPECT_FALSE(Disabled(back[1]));  // on the mode page
    EXPECT_TRUE(Disabled(back[2]));   // back on the model page, the first page
    EXPECT_FALSE(Disabled(next[2]));
}

TEST_F(WizardFrameTest, NextReadsInstallOnlyOnTheLastPageAndInstallInstallsTheDefaults) {
    Create("windows-7-x64");
    RunResult run = Run(
        "expect-title Printer Driver Setup\n"
        "expect-text IDC_BACK < &Back\n"
        "expect-text 2 Cancel\n"
        "click IDC_ACCEPT\n"
        "expect-text 1 &Next >\nclick 1\n"
        "expect-text 1 &Next >\nclick 1\n"
        "expect-text 1 &Next >\nclick 1\n"
        "expect-text 1 &Next >\nclick 1\n"
        "expect-text 1 &Install\nclick IDC_BACK\n"
        "expect-text 1 &Next >\nclick 1\n"
        "expect-text 1 &Install\nclick 1\n");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(SaidInstalled(run.output)) << run.output;
    EXPECT_EQ(Printers(), std::vector<std::string>{"VTX-80R(S)  port COM1:"}) << run.output;
    EXPECT_TRUE(ClosedWindow(run.output, "Printer Driver Setup")) << run.output;
}

TEST_F(WizardFrameTest, CancelEscapeAndTheCloseBoxEndTheWizardWithoutAQuestion) {
    Create("xp-x86");
    for (const char* action : {"click 2", "key Escape", "close"}) {
        SCOPED_TRACE(action);
        RunResult run = Run("click IDC_ACCEPT\nclick 1\n" + std::string(action) + "\n");
        EXPECT_EQ(run.status, 0) << run.output;
        EXPECT_TRUE(MessageBoxes(run.output).empty()) << run.output;
        EXPECT_TRUE(Printers().empty()) << run.output;
        EXPECT_TRUE(ClosedWindow(run.output, "Printer Driver Setup")) << run.output;
    }
}

TEST_F(WizardFrameTest, F1OpensTheHelpDocumentOnceAndThenBringsItsWindowForward) {
    Create("xp-x86");
    RunResult run = Run("key F1\nkey F1\nkey Escape\n");
    EXPECT_EQ(run.status, 0) << run.output;
    std::vector<std::string> shell = ShellOpens(run.output);
    ASSERT_EQ(shell.size(), 1u) << run.output;
    EXPECT_NE(shell[0].find("C:\\Package\\SetupHelp.txt"), std::string::npos) << shell[0];
    EXPECT_TRUE(BroughtToTop(run.output, "SetupHelp.txt - Notepad")) << run.output;
}

TEST_F(WizardFrameTest, F1FindsAHelpWindowOpenedBeforeTheWizard) {
    Create("xp-x86");
    ASSERT_EQ(Winsim("desktop '" + (dir_ / "machine").string() +
                     "' open-window 'SetupHelp.txt - Notepad' --minimized")
                  .status,
              0);
    RunResult run = Run("key F1\nkey Escape\n");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_FALSE(!ShellOpens(run.output).empty()) << run.output;
    EXPECT_TRUE(RestoredWindow(run.output, "SetupHelp.txt - Notepad")) << run.output;
}

TEST_F(WizardFrameTest, HelpDocumentNameIsCutTo97Characters) {
    Create("xp-x86");
    std::string name = std::string(90, 'h') + "ABCDEFGHIJKLMNOP.txt";
    SetIni("language\\setup.ini", "Help Guide", "Name", name.c_str());
    RunResult run = Run("key F1\nkey Escape\n");
    EXPECT_EQ(run.status, 0) << run.output;
    std::vector<std::string> shell = ShellOpens(run.output);
    ASSERT_EQ(shell.size(), 1u) << run.output;
    // 90 letters h and the first seven of the rest: 97 characters.
    std::string cut = name.substr(0, 97);
    EXPECT_NE(shell[0].find(cut), std::string::npos) << shell[0];
    EXPECT_EQ(shell[0].find(name.substr(0, 98)), std::string::npos) << shell[0];
}

TEST_F(WizardFrameTest, AboutBoxAnswersEverySystemMenuCommandFrom16To31) {
    Create("xp-x86");
    const std::string about =
        "expect-title About Printer Driver Setup\n"
        "expect-text IDC_ABOUT_VERSION Printer Driver Setup, version 1.0\n"
        "expect-text IDC_ABOUT_COPYRIGHT Copyright (C) the authors of this driver package\n"
        "expect-text 1 OK\n"
        "click 1\n";
    RunResult run = Run("sys 16\n" + about + "sys 31\n" + about + "key Escape\n");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(CountWindowsClosed(run.output, "About Printer Driver Setup"), 2) << run.output;
}

TEST_F(WizardFrameTest, EveryTextOfTheExamplePackageFitsItsControlAndALongOneIsReported) {
    Create("xp-x86");
    const std::string walk =
        "sys 16\nshow\nclick 1\n"
        "show\nclick IDC_ACCEPT\nclick 1\nshow\nclick 1\nshow\nclick IDC_ADVANCED\nshow\n"
        "click 1\nshow\nclick 1\nshow\nkey Escape\n";
    RunResult fitting = Run(walk);
    EXPECT_EQ(fitting.status, 0) << fitting.output;
    EXPECT_TRUE(TextFitWarnings(fitting.output).empty()) << fitting.output;

    // 60 characters need about 270 pixels; the About box's copyright line shows 282, its
    // version line 178.
    SetIni("language\\setup.ini", "About", "Version", std::string(60, 'v').c_str());
    SetIni("language\\setup.ini", "About", "Copyright", std::string(60, 'c').c_str());
    RunResult cut = Run("sys 16\nshow\nclick 1\nkey Escape\n");
    EXPECT_EQ(cut.status, 0) << cut.output;
    std::vector<std::string> warnings = TextFitWarnings(cut.output);
    ASSERT_EQ(warnings.size(), 1u) << cut.output;
    EXPECT_NE(warnings[0].find("the text of 1091 needs about 270 pixels, the control shows 178"), std::string::npos)
        << warnings[0];
}

// Every control line of every `show` in the run, and how many carry the GB2312 font.
struct FontCount {
    int controls = 0;
    int gb2312 = 0;
};
FontCount CountFonts(const RunResult& run) {
    FontCount count;
    for (const std::string& line : AllControlStates(run.output)) {
        ++count.controls;
        if (line.find("font ") != std::string::npos && line.find(" 13 charset 134") != std::string::npos)
            ++count.gb2312;
    }
    return count;
}

TEST_F(WizardFrameTest, LanguageZeroGivesEveryWindowAndPageTheGb2312Font) {
    const std::string walk =
        "show\nclick IDC_ACCEPT\nclick 1\nshow\nclick 1\nshow\nclick 1\nshow\nclick 1\nshow\n"
        "sys 16\nshow\nclick 1\nkey Escape\n";
    Create("xp-x86");
    SetIni("DRVCONFIG\\setup.ini", "DEVICENAME", "LANGUAGE", "0");
    RunResult chinese = Run(walk);
    EXPECT_EQ(chinese.status, 0) << chinese.output;
    FontCount zero = CountFonts(chinese);
    EXPECT_GT(zero.controls, 40) << chinese.output;
    EXPECT_EQ(zero.gb2312, zero.controls) << chinese.output;

    SetIni("DRVCONFIG\\setup.ini", "DEVICENAME", "LANGUAGE", "1");
    RunResult english = Run(walk);
    EXPECT_EQ(english.status, 0) << english.output;
    FontCount one = CountFonts(english);
    EXPECT_EQ(one.controls, zero.controls);
    EXPECT_EQ(one.gb2312, 0) << english.output;
}

TEST_F(WizardFrameTest, WithoutTheLanguageFileEveryTextIsEmptyAndTheWizardStillWorks) {
    Create("xp-x86");
    RemovePackageFile("language\\setup.ini");
    RunResult run = Run(
        "click IDC_ACCEPT\nclick 1\nclick 1\nclick 1\nclick 1\n"
        "show\n"
        "choose IDC_PORTS ZKCOM1:\nexpect-text 1 \nclick 1\n");
    // The installation needs no texts: it succeeds, and says so with an empty box.
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(Printers().size(), 1u) << run.output;
    EXPECT_TRUE(RetitledTo(run.output, "")) << run.output;
    for (const char* control : {"1 IDOK", "1002 IDC_BACK", "2 IDCANCEL", "1093 IDC_HELP_HINT",
                                "1095 IDC_PORT_GROUP", "1052 IDC_RASTER"}) {
        std::vector<std::string> lines = DumpLines(run, control);
        ASSERT_EQ(lines.size(), 1u) << control;
        EXPECT_NE(lines[0].find(" \"\""), std::string::npos) << lines[0];
    }
}

TEST_F(WizardFrameTest, StartedFromAnotherDirectoryFindsNoPortAndEndsWithAnEmptyMessage) {
    // The package files are read relative to the current directory: from elsewhere there is
    // no configuration, so no model offers a port, and no language file for the message.
    Create("xp-x86");
    WriteMachineFile("C:\\Other\\readme.txt", "elsewhere");
    RunResult run = Run("", "C:\\Other");
    EXPECT_EQ(run.status, 0) << run.output;
    std::vector<std::string> boxes = MessageBoxes(run.output);
    ASSERT_EQ(boxes.size(), 1u) << run.output;
    EXPECT_NE(boxes[0].find("] \"\" ->"), std::string::npos) << boxes[0];
    EXPECT_FALSE(OpenedWindow(run.output, "Printer Driver Setup")) << run.output;
}

}  // namespace
