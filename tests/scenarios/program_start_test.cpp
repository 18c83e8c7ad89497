// setup's start-up checks on simulated machines: each refusal with its message, the single
// instance, the 32/64-bit gate and the port check, on the example package and altered copies.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/sim/api/top_level_window.h"
#include "platform/sim/state/transcript.h"
#include "platform/win_constants.h"
#include "setup/ProgramStart.h"
#include "tests/support/package_machine.h"
#include "tests/support/transcript_checks.h"

namespace {

using setup::StartOutcome;
using testsupport::PackageMachine;
using testsupport::PackageMachineOptions;
using namespace testsupport;

constexpr const char* kSetupIni = "C:\\Pkg\\DRVCONFIG\\setup.ini";

std::unique_ptr<PackageMachine> ExampleOn(const std::string& preset,
                                          const std::string& currentDir = "") {
    PackageMachineOptions options;
    options.preset = preset;
    options.currentDir = currentDir;
    std::string error;
    auto machine = PackageMachine::Create(testsupport::ExamplePackage(), options, error);
    EXPECT_NE(machine, nullptr) << error;
    return machine;
}

std::string Transcript(PackageMachine& m) {
    std::string all;
    for (const std::string& line : sim::ReadTranscript(m.machine().dir())) all += line + "\n";
    return all;
}

// A second program on the same machine, as another process would be.
std::unique_ptr<sim::SimPlatform> OtherProgram(PackageMachine& m, const std::string& module) {
    return m.Process(32, module, "C:\\Pkg");
}

void SetSwitch(PackageMachine& m, const char* key, const char* value) {
    ASSERT_TRUE(m.platform().profile().WritePrivateProfileStringA("DEVICENAME", key, value,
                                                                 kSetupIni));
}

TEST(ProgramStart, ExamplePackagePassesOnWindows7x64AsA64BitRun) {
    auto m = ExampleOn("windows-7-x64");
    setup::StartResult r = setup::RunProgramStart(m->platform());
    EXPECT_EQ(r.outcome, StartOutcome::Proceed);
    EXPECT_TRUE(r.is64Bit);
    EXPECT_NE(r.instanceMutex, nullptr);
    EXPECT_TRUE(MessageBoxes(Transcript(*m)).empty()) << Transcript(*m);
}

TEST(ProgramStart, PassesOn32BitSystemsAndOnWindows95AndNewerVersions) {
    for (const char* preset : {"xp-x86", "windows-2000-x86", "vista-x86", "server-2003-x86",
                               "windows-95", "windows-10-x64"}) {
        SCOPED_TRACE(preset);
        auto m = ExampleOn(preset);
        setup::StartResult r = setup::RunProgramStart(m->platform());
        EXPECT_EQ(r.outcome, StartOutcome::Proceed) << Transcript(*m);
        EXPECT_EQ(r.is64Bit, std::string(preset) == "windows-10-x64");
    }
}

TEST(ProgramStart, SecondStartBringsTheRunningWizardForwardAndRestoresIt) {
    for (const char* title : {"Printer Driver Setup",
                              "\xB4\xF2\xD3\xA1\xBB\xFA\xC7\xFD\xB6\xAF\xB0\xB2\xD7\xB0\xB3\xCC\xD0\xF2"}) {
        auto m = ExampleOn("windows-7-x64");
        auto first = OtherProgram(*m, "C:\\Pkg\\setup.exe");
        auto firstMutex = first->desktop().CreateMutexA(true, "setup");
        ASSERT_NE(firstMutex, nullptr);
        auto window = sim::OpenTopLevelWindow(first->machine(), first->process(), title, "",
                                              /*minimized=*/true);
        ASSERT_NE(window, nullptr);

        setup::StartResult r = setup::RunProgramStart(m->platform());
        EXPECT_EQ(r.outcome, StartOutcome::AlreadyRunning);
        EXPECT_FALSE(window->IsMinimized());
        std::string transcript = Transcript(*m);
        EXPECT_TRUE(BroughtToForeground(transcript)) << transcript;
        EXPECT_TRUE(MessageBoxes(transcript).empty()) << transcript;
    }
}

TEST(ProgramStart, TheMutexIsNamedAfterTheProgramFile) {
    // A program of another name holding "setup" does not stop this start when this program is
    // called otherwise; one holding this program's name does.
    auto m = ExampleOn("windows-7-x64");
    auto other = OtherProgram(*m, "C:\\Pkg\\other.exe");
    auto otherMutex = other->desktop().CreateMutexA(true, "other");
    EXPECT_EQ(setup::RunProgramStart(m->platform()).outcome, StartOutcome::Proceed);
}

TEST(ProgramStart, RefusesWhileTheUninstallerWindowIsOpen) {
    for (const char* title : {"Uninstall", "\xB4\xF2\xD3\xA1\xBB\xFA\xD0\xB6\xD4\xD8\xB3\xCC\xD0\xF2"}) {
        auto m = ExampleOn("windows-7-x64");
        auto uninstaller = OtherProgram(*m, "C:\\Pkg\\uninstall.exe");
        auto window = sim::OpenTopLevelWindow(uninstaller->machine(), uninstaller->process(), title);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(setup::RunProgramStart(m->platform()).outcome, StartOutcome::UninstallerRunning);
        EXPECT_TRUE(ShowedMessage(Transcript(*m), "The printer uninstaller is running."))
            << Transcript(*m);
    }
}

TEST(ProgramStart, RefusesWindows98MeAndNt4) {
    for (const char* preset : {"windows-98", "windows-me", "nt4-x86"}) {
        SCOPED_TRACE(preset);
        auto m = ExampleOn(preset);
        EXPECT_EQ(setup::RunProgramStart(m->platform()).outcome, StartOutcome::UnsupportedWindows);
        EXPECT_EQ(CountMessages(Transcript(*m), "does not support Windows 98"), 1)
            << Transcript(*m);
    }
}

TEST(ProgramStart, PackageWordSizeGate) {
    struct Case {
        const char* preset;
        const char* value;
        StartOutcome expected;
        const char* message;
    } cases[] = {
        {"windows-7-x64", "1", StartOutcome::PackageIs32BitOnly, "for 32-bit Windows only"},
        {"windows-7-x86", "2", StartOutcome::PackageIs64BitOnly, "for 64-bit Windows only"},
        {"windows-7-x86", "1", StartOutcome::Proceed, nullptr},
        {"windows-7-x64", "2", StartOutcome::Proceed, nullptr},
        {"windows-7-x64", "0", StartOutcome::Proceed, nullptr},
        {"windows-7-x64", "3", StartOutcome::Proceed, nullptr},  // other values serve both
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.preset) + " Supported32OR64=" + c.value);
        auto m = ExampleOn(c.preset);
        SetSwitch(*m, "Supported32OR64", c.value);
        EXPECT_EQ(setup::RunProgramStart(m->platform()).outcome, c.expected);
        if (c.message) {
            EXPECT_TRUE(ShowedMessage(Transcript(*m), c.message)) << Transcript(*m);
        }
    }
}

TEST(ProgramStart, XpWithoutIsWow64ProcessCountsAs32Bit) {
    auto m = ExampleOn("xp-x64");
    sim::MachineSettings s = m->machine().settings();
    s.hasIsWow64Process = false;
    std::string error;
    ASSERT_TRUE(m->machine().SaveSettings(s, error)) << error;
    auto setupProgram = OtherProgram(*m, "C:\\Pkg\\setup.exe");
    setup::StartResult r = setup::RunProgramStart(*setupProgram);
    EXPECT_EQ(r.outcome, StartOutcome::Proceed);
    EXPECT_FALSE(r.is64Bit);
}

// The port check looks at the last model entry that has a series suffix, in every series file
// of the running word size, for USB, parallel or serial support.
class PortCheck : public ::testing::Test {
protected:
    void SetUp() override {
        PackageMachineOptions options;
        options.preset = "windows-7-x86";
        std::string error;
        m_ = PackageMachine::Create(testsupport::ExamplePackage(), options, error);
        ASSERT_NE(m_, nullptr) << error;
        // One model, listed last, whose ports are set per test; an entry without a suffix after
        // it must not count as the last model.
        ASSERT_TRUE(m_->WriteFile(kSetupIni,
                                  "[DEVICENAME]\r\nDEVICENUMBER=3\r\n"
                                  "DEVICENAME1=AB-100-ReceiptPrinter\r\n"
                                  "DEVICENAME2=ZZ-9-LabelPrinter\r\n"
                                  "DEVICENAME3=NOSUFFIX\r\n"));
        for (const char* file : {"setup_receipt.ini", "setup_ticket.ini", "setup_lable.ini",
                                 "setup_embedded.ini", "setup_receipt_64.ini",
                                 "setup_ticket_64.ini", "setup_lable_64.ini",
                                 "setup_embedded_64.ini"})
            ASSERT_TRUE(m_->WriteFile(std::string("C:\\Pkg\\DRVCONFIG\\") + file, ""));
    }
    StartOutcome Run() { return setup::RunProgramStart(m_->platform()).outcome; }
    std::unique_ptr<PackageMachine> m_;
};

TEST_F(PortCheck, NoPortSectionForTheLastModelRefusesWithPortNull) {
    ASSERT_TRUE(m_->WriteFile("C:\\Pkg\\DRVCONFIG\\setup_receipt.ini",
                              "[AB-100.PORT]\r\nUSBSUPPORTED=1\r\n"));
    EXPECT_EQ(Run(), StartOutcome::NoPort);
    EXPECT_TRUE(ShowedMessage(Transcript(*m_), "offer no USB, parallel or serial port"))
        << Transcript(*m_);
}

TEST_F(PortCheck, AnyOfUsbParallelSerialInAnySeriesFilePasses) {
    for (const char* key : {"USBSUPPORTED", "LPTSUPPORTED", "COMSUPPORTED"}) {
        SCOPED_TRACE(key);
        // The model is in the Label series, but the check reads every series file: a section in
        // the Embedded file counts.
        ASSERT_TRUE(m_->WriteFile("C:\\Pkg\\DRVCONFIG\\setup_embedded.ini",
                                  std::string("[zz-9.port]\r\n") + key + "=1\r\n"));
        EXPECT_EQ(Run(), StartOutcome::Proceed);
    }
}

TEST_F(PortCheck, NetworkOnlyOrSwitchedOffPortsDoNotCount) {
    ASSERT_TRUE(m_->WriteFile("C:\\Pkg\\DRVCONFIG\\setup_lable.ini",
                              "[ZZ-9.PORT]\r\nNETSUPPORTED=1\r\nUSBSUPPORTED=0\r\n"
                              "LPTSUPPORTED=no\r\nCOMSUPPORTED=\r\n"));
    EXPECT_EQ(Run(), StartOutcome::NoPort);
}

TEST_F(PortCheck, NoEntryWithASeriesSuffixMeansNoModelAndNoPort) {
    ASSERT_TRUE(m_->WriteFile(kSetupIni,
                              "[DEVICENAME]\r\nDEVICENUMBER=1\r\nDEVICENAME1=NOSUFFIX\r\n"));
    // Even a section named after the empty model must not count.
    ASSERT_TRUE(m_->WriteFile("C:\\Pkg\\DRVCONFIG\\setup_receipt.ini",
                              "[.PORT]\r\nUSBSUPPORTED=1\r\n[NOSUFFIX.PORT]\r\nUSBSUPPORTED=1\r\n"));
    EXPECT_EQ(Run(), StartOutcome::NoPort);
}

TEST_F(PortCheck, AHugeModelCountFindsTheLastListedModelAtOnce) {
    // The count at the 32-bit limit once walked two billion missing entries before the wizard
    // appeared; the last listed model is the last existing entry with a suffix.
    ASSERT_TRUE(m_->WriteFile(kSetupIni,
                              "[DEVICENAME]\r\nDEVICENUMBER=2147483647\r\n"
                              "DEVICENAME1=AB-100-ReceiptPrinter\r\n"
                              "DEVICENAME2=ZZ-9-LabelPrinter\r\n"
                              "DEVICENAME3=NOSUFFIX\r\n"));
    ASSERT_TRUE(m_->WriteFile("C:\\Pkg\\DRVCONFIG\\setup_lable.ini",
                              "[ZZ-9.PORT]\r\nUSBSUPPORTED=1\r\n"));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run(), StartOutcome::Proceed);
    // Going through 2^31 entries would take hours; a loaded sanitizer build takes seconds.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    // Only AB-100 offers a port: the last model is still ZZ-9, so the start is refused.
    ASSERT_TRUE(m_->WriteFile("C:\\Pkg\\DRVCONFIG\\setup_lable.ini", ""));
    ASSERT_TRUE(m_->WriteFile("C:\\Pkg\\DRVCONFIG\\setup_receipt.ini",
                              "[AB-100.PORT]\r\nUSBSUPPORTED=1\r\n"));
    EXPECT_EQ(Run(), StartOutcome::NoPort);
}

TEST_F(PortCheck, A64BitRunReadsOnlyThe64BitSeriesFiles) {
    PackageMachineOptions options;
    options.preset = "windows-7-x64";
    std::string error;
    auto m = PackageMachine::Create(testsupport::ExamplePackage(), options, error);
    ASSERT_NE(m, nullptr) << error;
    for (const char* file : {"setup_receipt_64.ini", "setup_ticket_64.ini", "setup_lable_64.ini",
                             "setup_embedded_64.ini"})
        ASSERT_TRUE(m->RemoveFile(std::string("C:\\Pkg\\DRVCONFIG\\") + file));
    EXPECT_EQ(setup::RunProgramStart(m->platform()).outcome, StartOutcome::NoPort);
}

TEST(ProgramStart, FromAnotherCurrentDirectoryTheMessagesAreEmptyButStillShown) {
    // Windows 98 is refused before any package file is needed; without the language file the
    // box still appears, with an empty text.
    auto m = ExampleOn("windows-98", "C:\\Elsewhere");
    EXPECT_EQ(setup::RunProgramStart(m->platform()).outcome, StartOutcome::UnsupportedWindows);
    std::string transcript = Transcript(*m);
    EXPECT_EQ(MessageBoxes(transcript).size(), 1u) << transcript;
    EXPECT_FALSE(ShowedMessage(transcript, "does not support")) << transcript;
}

TEST(ProgramStart, FromAnotherCurrentDirectoryThePackageHasNoPort) {
    // The port check reads the series files relative to the current directory.
    auto m = ExampleOn("windows-7-x86", "C:\\Elsewhere");
    EXPECT_EQ(setup::RunProgramStart(m->platform()).outcome, StartOutcome::NoPort);
}

}  // namespace
