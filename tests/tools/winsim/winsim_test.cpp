// winsim as people and scripts use it: machines from every preset, settings, mounting a
// package, running a program with and without a script, the desktop, inspection and faults
// (files and registry).
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/sim/api/default_printer.h"
#include "platform/sim/api/ini_text.h"
#include "platform/sim/process/stand_in.h"
#include "platform/sim/state/device_tree.h"
#include "platform/sim/state/machine.h"
#include "platform/sim/state/registry_store.h"
#include "platform/sim/state/restart_requests.h"
#include "platform/sim/state/print_provider.h"
#include "platform/win_constants.h"
#include "tests/support/host_files.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

using testsupport::ReadHostFile;
using testsupport::WriteHostFile;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

class WinsimTest : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        dir_ = fs::temp_directory_path() /
               ("winsim-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::create_directories(dir_);
        machine_ = (dir_ / "machine").string();
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    // Runs winsim with the arguments, capturing its output streams and exit status.
    Result Winsim(const std::vector<std::string>& args) {
        fs::path out = dir_ / "stdout.txt", err = dir_ / "stderr.txt";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::vector<std::string> words = {WINSIM_BINARY};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& w : words) argv.push_back(w.data());
        argv.push_back(nullptr);
        Result r;
        pid_t pid = 0;
        if (posix_spawn(&pid, WINSIM_BINARY, &actions, nullptr, argv.data(), environ) == 0) {
            int status = 0;
            waitpid(pid, &status, 0);
            r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        posix_spawn_file_actions_destroy(&actions);
        r.out = ReadHostFile(out);
        r.err = ReadHostFile(err);
        return r;
    }

    void Create(const std::string& preset = "windows-7-x64",
                std::vector<std::string> settings = {}) {
        std::vector<std::string> args = {"create", machine_, "--preset", preset};
        for (const std::string& s : settings) args.insert(args.end(), {"--set", s});
        Result r = Winsim(args);
        ASSERT_EQ(r.status, 0) << r.err;
    }

    void CreateAndMount(const std::string& preset = "windows-7-x64",
                        std::vector<std::string> settings = {}) {
        Create(preset, settings);
        Result r = Winsim({"mount", machine_, FIXTURE_PACKAGE});
        ASSERT_EQ(r.status, 0) << r.err;
    }

    // Runs the test program as C:\Package\setup.exe with the given steps.
    Result RunProgram(std::vector<std::string> steps, std::vector<std::string> options = {}) {
        std::vector<std::string> args = {"run", machine_, "C:\\Package\\setup.exe"};
        args.insert(args.end(), options.begin(), options.end());
        args.insert(args.end(), {"--bin-dir", TEST_PROGRAM_DIR, "--"});
        args.insert(args.end(), steps.begin(), steps.end());
        return Winsim(args);
    }

    std::string Script(const std::string& text) {
        fs::path path = dir_ / ("script" + std::to_string(scripts_++) + ".txt");
        WriteHostFile(path, text);
        return path.string();
    }

    fs::path Drive() const { return fs::path(machine_) / "drive_c"; }

    fs::path dir_;
    std::string machine_;
    int scripts_ = 0;
};

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(WinsimTest, CreatesAWorkingMachineFromEveryPreset) {
    Result list = Winsim({"presets"});
    ASSERT_EQ(list.status, 0);
    ASSERT_FALSE(sim::Presets().empty());
    for (const sim::Preset& preset : sim::Presets()) {
        SCOPED_TRACE(preset.name);
        EXPECT_TRUE(Contains(list.out, preset.name + " "));
        std::string dir = (dir_ / preset.name).string();
        Result created = Winsim({"create", dir, "--preset", preset.name});
        ASSERT_EQ(created.status, 0) << created.err;
        Result shown = Winsim({"show", dir});
        ASSERT_EQ(shown.status, 0) << shown.err;
        EXPECT_TRUE(Contains(shown.out, "preset=" + preset.name + "\n"));
        EXPECT_TRUE(Contains(shown.out, "major=" + std::to_string(preset.settings.major) + "\n"));
        EXPECT_TRUE(Contains(shown.out, "minor=" + std::to_string(preset.settings.minor) + "\n"));
        EXPECT_TRUE(Contains(shown.out, "architecture=" +
                                            std::to_string(preset.settings.architecture) + "\n"));
        Result files = Winsim({"files", dir, preset.settings.systemDir()});
        EXPECT_EQ(files.status, 0) << files.err;
        Result transcript = Winsim({"transcript", dir});
        EXPECT_EQ(transcript.status, 0);
        EXPECT_EQ(transcript.out, "");
    }
}

TEST_F(WinsimTest, CreateAppliesSettingsBeforeMakingTheMachine) {
    Create("xp-x86", {"windowsdir=C:\\WINNT", "admin=0", "codepage=936"});
    Result shown = Winsim({"show", machine_});
    EXPECT_TRUE(Contains(shown.out, "admin=0\n"));
    EXPECT_TRUE(Contains(shown.out, "codepage=936\n"));
    EXPECT_TRUE(Contains(shown.out, "windowsdir=C:\\WINNT\n"));
    EXPECT_TRUE(fs::is_directory(Drive() / "WINNT" / "System32"));
}

TEST_F(WinsimTest, ShowListsTheRestartRequestsProgramsMade) {
    Create("windows-98", {});
    EXPECT_FALSE(Contains(Winsim({"show", machine_}).out, "requested:"));
    std::string error;
    auto machine = sim::Machine::Open(machine_, error);
    ASSERT_TRUE(machine) << error;
    ASSERT_TRUE(sim::RecordRestartRequest(*machine, {"setup", 2}));
    ASSERT_TRUE(sim::RecordRestartRequest(*machine, {"uninstall", 1 | 4}));
    const std::string shown = Winsim({"show", machine_}).out;
    EXPECT_TRUE(Contains(shown, "requested: setup asked Windows to restart\n"));
    EXPECT_TRUE(Contains(shown, "requested: uninstall asked Windows to shut down, forced\n"));
}

TEST_F(WinsimTest, CreateRefusesWhatItCannotMake) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
    };
    std::string dir = (dir_ / "refused").string();
    const Case cases[] = {
        {"unknown preset", {"create", dir, "--preset", "windows-3.1"}, 1},
        {"unknown setting", {"create", dir, "--preset", "xp-x86", "--set", "colour=blue"}, 1},
        {"setting without value", {"create", dir, "--preset", "xp-x86", "--set", "admin"}, 1},
        {"bad number", {"create", dir, "--preset", "xp-x86", "--set", "major=five"}, 1},
        {"no preset", {"create", dir}, 2},
        {"no directory", {"create", "--preset", "xp-x86"}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Result r = Winsim(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_FALSE(r.err.empty());
        EXPECT_FALSE(fs::exists(fs::path(dir) / "machine.ini"));
    }
}

TEST_F(WinsimTest, CreateRefusesAnExistingMachine) {
    Create();
    Result again = Winsim({"create", machine_, "--preset", "xp-x86"});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(Contains(Winsim({"show", machine_}).out, "preset=windows-7-x64\n"));
}

TEST_F(WinsimTest, CreateInAFileSaysItIsAFile) {
    const fs::path file = dir_ / "a-file";
    WriteHostFile(file, "");
    Result r = Winsim({"create", file.string(), "--preset", "xp-x86"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "is a file, not a directory")) << r.err;
    EXPECT_FALSE(Contains(r.err, "not empty")) << r.err;
}

TEST_F(WinsimTest, SetRefusesValuesThatWouldNotReadBackAndTheMachineKeepsWorking) {
    Create();
    const std::string before = Winsim({"show", machine_}).out;
    struct Case {
        const char* setting;
        const char* mentions;
    };
    const Case cases[] = {
        {"user=bob\nbogus", "line break"},
        {"csd=SP1\nmajor=5", "line break"},
        {"timescale=nan", "from 0 to 100"},
        {"timescale=inf", "from 0 to 100"},
        {"timescale=1e300", "from 0 to 100"},
        {"windowsdir=C:\\", "drive C"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting);
        Result r = Winsim({"set", machine_, "admin=0", c.setting});
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(Contains(r.err, c.mentions)) << r.err;
        Result shown = Winsim({"show", machine_});
        EXPECT_EQ(shown.status, 0) << shown.err;
        EXPECT_EQ(shown.out, before);
    }
    // Directories are stored as they read back, so showing twice shows the same.
    Result set = Winsim({"set", machine_, "tempdir=C:\\Temp\\.", "windowsdir=C:\\Win..\\."});
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_TRUE(Contains(set.out, "tempdir=C:\\Temp\n")) << set.out;
    EXPECT_TRUE(Contains(set.out, "windowsdir=C:\\Win\n")) << set.out;
    EXPECT_EQ(Winsim({"show", machine_}).out, set.out);
    EXPECT_TRUE(Contains(Winsim({"help", "set"}).out, "timescale is a number from 0 to 100"));
}

TEST_F(WinsimTest, SetChangesEverySettingGivenOrNone) {
    Create();
    Result set = Winsim({"set", machine_, "major=5", "minor=1", "admin=no"});
    ASSERT_EQ(set.status, 0) << set.err;
    Result wrong = Winsim({"set", machine_, "major=10", "bogus=1"});
    EXPECT_EQ(wrong.status, 1);
    Result shown = Winsim({"show", machine_});
    EXPECT_TRUE(Contains(shown.out, "major=5\n"));
    EXPECT_TRUE(Contains(shown.out, "minor=1\n"));
    EXPECT_TRUE(Contains(shown.out, "admin=0\n"));
}

TEST_F(WinsimTest, MountCopiesThePackageAndPlacesStandInsWhereTheProgramsBelong) {
    CreateAndMount();
    fs::path package = Drive() / "Package";
    EXPECT_EQ(ReadHostFile(package / "DRVCONFIG" / "setup.ini"),
              ReadHostFile(fs::path(FIXTURE_PACKAGE) / "DRVCONFIG" / "setup.ini"));
    struct Expected {
        fs::path file;
        const char* program;
        int bits;
    };
    for (const Expected& e : {Expected{package / "setup.exe", "setup", 32},
                              Expected{package / "uninstall.exe", "uninstall", 32},
                              Expected{package / "USBDrv" / "USBDriver" / "Install.exe", "Install", 32}}) {
        SCOPED_TRACE(e.file.string());
        auto standIn = sim::ParseStandIn(ReadHostFile(e.file));
        ASSERT_TRUE(standIn.has_value());
        EXPECT_EQ(standIn->program, e.program);
        EXPECT_EQ(standIn->bits, e.bits);
    }
    // The fixture has no 64-bit driver folder, so there is no 64-bit Install.exe either.
    EXPECT_FALSE(fs::exists(package / "USBDrv" / "USBDriver_x64"));
}

TEST_F(WinsimTest, MountIntoAnotherFolderOverwritesNamesInAnyLetterCase) {
    Create();
    ASSERT_EQ(Winsim({"mount", machine_, FIXTURE_PACKAGE, "c:/Tools/pkg"}).status, 0);
    fs::path update = dir_ / "update";
    WriteHostFile(update / "drvconfig" / "SETUP.INI", "[DEVICENAME]\r\nDEFAULTNAME=Other\r\n");
    ASSERT_EQ(Winsim({"mount", machine_, update.string(), "C:\\TOOLS\\PKG"}).status, 0);
    Result cat = Winsim({"cat", machine_, "C:\\Tools\\pkg\\DRVCONFIG\\setup.ini"});
    EXPECT_EQ(cat.out, "[DEVICENAME]\r\nDEFAULTNAME=Other\r\n");
    int entries = 0;
    for (const auto& e : fs::directory_iterator(Drive() / "Tools" / "pkg")) {
        entries += e.path().filename() == "DRVCONFIG" || e.path().filename() == "drvconfig";
    }
    EXPECT_EQ(entries, 1);
    EXPECT_EQ(Winsim({"mount", machine_, (dir_ / "missing").string()}).status, 1);
}

TEST_F(WinsimTest, MountRefusesDriveCItselfAsThePackageFolder) {
    Create();
    Result r = Winsim({"mount", machine_, FIXTURE_PACKAGE, "C:\\"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "the package goes into a folder below C:\\")) << r.err;
    EXPECT_FALSE(Contains(r.err, "Windows directory")) << r.err;
    EXPECT_FALSE(fs::exists(Drive() / "setup.exe"));
}

TEST_F(WinsimTest, RunWithoutScriptTakesEveryDefaultButton) {
    CreateAndMount();
    // MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2, then MB_YESNO | MB_ICONERROR.
    Result r = RunProgram({"box", "289:Continue?", "box", "20:Really?"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "setup: message box \"Probe\" [question icon, OK/Cancel] \"Continue?\" -> Cancel "
              "(default button; no script)\n"
              "setup: answer 2\n"
              "setup: message box \"Probe\" [error icon, Yes/No] \"Really?\" -> Yes (default "
              "button; no script)\n"
              "setup: answer 6\n");
}

TEST_F(WinsimTest, RunAnswersMessageBoxesFromTheScript) {
    CreateAndMount();
    std::string script = Script(
        "# answers for two boxes\n"
        "expect Continue\n"
        "  answer ok  \n"
        "\n"
        "answer No\n");
    Result r = RunProgram({"box", "289:Continue?", "box", "4:Really?"}, {"--script", script});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "\"Continue?\" -> OK (script line 3)\nsetup: answer 1\n"));
    EXPECT_TRUE(Contains(r.out, "\"Really?\" -> No (script line 5)\nsetup: answer 7\n"));
    EXPECT_FALSE(Contains(r.out, "script not finished"));
}

TEST_F(WinsimTest, RunReportsScriptActionsNobodyTook) {
    CreateAndMount();
    std::string script = Script("answer OK\nexpect second box\nanswer Cancel\n");
    Result r = RunProgram({"box", "0:Only one box"}, {"--script", script});
    EXPECT_EQ(r.status, 4);
    EXPECT_TRUE(Contains(r.out, "script not finished: line 2: expect second box\n"
                                "script not finished: line 3: answer Cancel\n"));
    // The program's own failure status is kept over the unfinished script's.
    Result failed = RunProgram({"box", "0:Only one box", "exit", "5"}, {"--script", script});
    EXPECT_EQ(failed.status, 5);
    EXPECT_TRUE(Contains(failed.out, "script not finished: line 2"));
}

TEST_F(WinsimTest, RunEndsTheProgramWithStatus3OnAScriptError) {
    CreateAndMount();
    struct Case {
        const char* name;
        const char* script;
        const char* transcript;
    };
    const Case cases[] = {
        {"answer the box does not offer", "answer Retry\n",
         "setup: script error: line 1: answer Retry: the message box offers only OK\n"},
        {"expectation not met", "expect Printer\nanswer OK\n",
         "setup: script error: line 1: expect Printer: the message box says \"Hello\"\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Result r = RunProgram({"box", "0:Hello", "say", "after the box"}, {"--script", Script(c.script)});
        EXPECT_EQ(r.status, 3);
        EXPECT_TRUE(Contains(r.out, "\"Hello\" -> script error\n" + std::string(c.transcript)))
            << r.out;
        EXPECT_FALSE(Contains(r.out, "after the box"));
        // Said once: run prints the transcript line, and the program adds nothing on stderr.
        EXPECT_EQ(r.out.find("script error: "), r.out.rfind("script error: ")) << r.out;
        EXPECT_FALSE(Contains(r.err, "script error")) << r.err;
    }
}

TEST_F(WinsimTest, RunRefusesAScriptItCannotParseBeforeStarting) {
    CreateAndMount();
    Result r = RunProgram({"say", "started"}, {"--script", Script("answer OK\nclik 1001\n")});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(Contains(r.err, "line 2: unknown action 'clik'"));
    EXPECT_EQ(Winsim({"transcript", machine_}).out, "");
}

TEST_F(WinsimTest, RunGivesTheProgramItsPathDirectoryAndWordSize) {
    CreateAndMount();
    Result plain = RunProgram({"where"});
    EXPECT_EQ(plain.out,
              "setup: module C:\\Package\\setup.exe, current directory C:\\Package, 32-bit\n");
    Result moved = RunProgram({"where"}, {"--cwd", "DRVCONFIG", "--bits", "64"});
    EXPECT_EQ(moved.out,
              "setup: module C:\\Package\\setup.exe, current directory C:\\Package\\DRVCONFIG, "
              "64-bit\n");
}

TEST_F(WinsimTest, RunRefusesWhatCannotRunThere) {
    CreateAndMount("xp-x86");
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
    };
    const Case cases[] = {
        {"64-bit on a 32-bit machine", {"--bits", "64"}, 125},
        {"current directory missing", {"--cwd", "C:\\Nowhere"}, 125},
        {"bad word size", {"--bits", "16"}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Result r = RunProgram({"say", "started"}, c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_FALSE(Contains(r.out, "started"));
    }
    Result notStandIn = Winsim({"run", machine_, "C:\\Package\\License.txt"});
    EXPECT_EQ(notStandIn.status, 125);
    EXPECT_TRUE(Contains(notStandIn.err, "not a stand-in"));
    EXPECT_EQ(Winsim({"run", machine_, "C:\\Package\\nothing.exe"}).status, 125);
    Result notBuilt = Winsim({"run", machine_, "C:\\Package\\uninstall.exe", "--bin-dir",
                              (dir_ / "empty").string()});
    EXPECT_EQ(notBuilt.status, 125);
    EXPECT_TRUE(Contains(notBuilt.err, "not built"));
}

TEST_F(WinsimTest, RunExitsWithTheProgramsStatus) {
    CreateAndMount();
    EXPECT_EQ(RunProgram({"exit", "7"}).status, 7);
    EXPECT_EQ(RunProgram({"exit", "0"}).status, 0);
}

TEST_F(WinsimTest, TranscriptIsUtf8FromTheMachinesCodePage) {
    CreateAndMount("windows-7-x86", {"codepage=936"});
    // "打印机" in GB2312 bytes, as a Chinese language file holds it.
    Result r = RunProgram({"say", "\xB4\xF2\xD3\xA1\xBB\xFA"});
    EXPECT_EQ(r.out, "setup: 打印机\n");
    EXPECT_EQ(Winsim({"set", machine_, "codepage=1252"}).status, 0);
    Result latin = RunProgram({"say", "caf\xE9 \x80"});
    EXPECT_EQ(latin.out, "setup: café €\n");
}

TEST_F(WinsimTest, MutexHeldByWinsimIsSeenByProgramsUntilReleased) {
    CreateAndMount();
    ASSERT_EQ(Winsim({"desktop", machine_, "hold-mutex", "setup"}).status, 0);
    EXPECT_TRUE(Contains(Winsim({"desktop", machine_, "mutexes"}).out,
                         "mutex \"setup\" (held by winsim)"));
    EXPECT_EQ(RunProgram({"mutex", "setup", "mutex", "Setup"}).out,
              "setup: mutex setup already existed\nsetup: mutex Setup is new\n");
    ASSERT_EQ(Winsim({"desktop", machine_, "release-mutex", "setup"}).status, 0);
    EXPECT_EQ(RunProgram({"mutex", "setup"}).out, "setup: mutex setup is new\n");
    // The program's own handles closed when it ended.
    EXPECT_EQ(Winsim({"desktop", machine_, "mutexes"}).out, "no mutexes\n");
    EXPECT_EQ(Winsim({"desktop", machine_, "release-mutex", "setup"}).status, 1);
}

TEST_F(WinsimTest, WindowOpenedByWinsimIsFoundRestoredAndClosed) {
    CreateAndMount();
    ASSERT_EQ(Winsim({"desktop", machine_, "open-window", "Printer Driver Setup", "--minimized"})
                  .status,
              0);
    Result windows = Winsim({"desktop", machine_, "windows"});
    EXPECT_EQ(windows.out, "window 1 \"Printer Driver Setup\" minimised (held by winsim)\n");
    Result found = RunProgram({"find", "printer driver setup"});
    EXPECT_EQ(found.out,
              "setup: brings window \"Printer Driver Setup\" to the foreground\n"
              "setup: restores window \"Printer Driver Setup\"\n");
    EXPECT_EQ(Winsim({"desktop", machine_, "windows"}).out,
              "window 1 \"Printer Driver Setup\" foreground (held by winsim)\n");
    ASSERT_EQ(Winsim({"desktop", machine_, "close-window", "Printer Driver Setup"}).status, 0);
    EXPECT_EQ(RunProgram({"find", "Printer Driver Setup"}).out,
              "setup: no window Printer Driver Setup\n");
    EXPECT_EQ(Winsim({"desktop", machine_, "close-window", "Printer Driver Setup"}).status, 1);
    EXPECT_EQ(Winsim({"desktop", machine_, "blink"}).status, 2);
}

TEST_F(WinsimTest, DesktopRefusesEmptyTitlesAndMutexNames) {
    Create();
    Result window = Winsim({"desktop", machine_, "open-window", ""});
    EXPECT_EQ(window.status, 2);
    EXPECT_TRUE(Contains(window.err, "not empty")) << window.err;
    EXPECT_EQ(Winsim({"desktop", machine_, "windows"}).out, "no windows\n");
    EXPECT_EQ(Winsim({"desktop", machine_, "hold-mutex", ""}).status, 2);
    EXPECT_EQ(Winsim({"desktop", machine_, "mutexes"}).out, "no mutexes\n");
    // One character is enough, and a line break in a title stays on the window's line.
    EXPECT_EQ(Winsim({"desktop", machine_, "open-window", "x\ny"}).status, 0);
    EXPECT_EQ(Winsim({"desktop", machine_, "windows"}).out,
              "window 1 \"x\\ny\" foreground (held by winsim)\n");
}

TEST_F(WinsimTest, TranscriptPrintsEveryRunAndClears) {
    CreateAndMount();
    RunProgram({"say", "first"});
    RunProgram({"say", "second"});
    EXPECT_EQ(Winsim({"transcript", machine_}).out, "setup: first\nsetup: second\n");
    ASSERT_EQ(Winsim({"transcript", machine_, "--clear"}).status, 0);
    EXPECT_EQ(Winsim({"transcript", machine_}).out, "");
    RunProgram({"say", "third"});
    EXPECT_EQ(Winsim({"transcript", machine_}).out, "setup: third\n");
}

TEST_F(WinsimTest, RegPrintsTheKeysAtOrBelowAKey) {
    Create();
    WriteHostFile(fs::path(machine_) / "registry.reg",
                  "Windows Registry Editor Version 5.00\r\n\r\n"
                  "[HKEY_LOCAL_MACHINE\\SOFTWARE\\VORTANE]\r\n\r\n"
                  "[HKEY_LOCAL_MACHINE\\SOFTWARE\\VORTANE\\PORTNAME]\r\n"
                  "\"USB_A_1\"=\"3\"\r\n\r\n"
                  "[HKEY_LOCAL_MACHINE\\SOFTWARE\\VORTANEX]\r\n"
                  "\"Other\"=dword:00000001\r\n\r\n"
                  "[HKEY_CURRENT_USER\\Printers]\r\n");
    Result r = Winsim({"reg", machine_, "hklm\\software\\vortane"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\VORTANE]\n\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\VORTANE\\PORTNAME]\n"
              "\"USB_A_1\"=\"3\"\n");
    EXPECT_TRUE(Contains(Winsim({"reg", machine_}).out, "[HKEY_CURRENT_USER\\Printers]"));
    EXPECT_EQ(Winsim({"reg", machine_, "HKLM\\SOFTWARE\\Missing"}).status, 1);
    // A file regedit wrote (UTF-16LE with a byte-order mark) reads the same.
    std::string ascii = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_USERS\\.DEFAULT]\r\n\"A\"=\"1\"\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char c : ascii) utf16 += std::string{c, '\0'};
    WriteHostFile(fs::path(machine_) / "registry.reg", utf16);
    EXPECT_EQ(Winsim({"reg", machine_, "HKU"}).out, "[HKEY_USERS\\.DEFAULT]\n\"A\"=\"1\"\n");
}

TEST_F(WinsimTest, FilesListsTheTreeAndCatPrintsBytes) {
    CreateAndMount();
    Result tree = Winsim({"files", machine_, "c:/package/usbdrv"});
    EXPECT_EQ(tree.status, 0) << tree.err;
    auto size = [](std::uintmax_t n) { return std::to_string(n) + " bytes\n"; };
    EXPECT_EQ(tree.out,
              "C:\\package\\usbdrv\\\n"
              "  USBDriver\\\n"
              "    Install.exe  " + size(sim::FormatStandIn({"Install", 32}).size()) +
              "    WNZK450USB.INF  " +
                  size(fs::file_size(fs::path(FIXTURE_PACKAGE) / "USBDrv" / "USBDriver" / "WNZK450USB.INF")));
    Result cat = Winsim({"cat", machine_, "C:\\PACKAGE\\license.TXT"});
    EXPECT_EQ(cat.out, ReadHostFile(fs::path(FIXTURE_PACKAGE) / "License.txt"));
    EXPECT_EQ(Winsim({"cat", machine_, "C:\\Package"}).status, 1);
    EXPECT_EQ(Winsim({"files", machine_, "C:\\Nowhere"}).status, 1);
}

TEST_F(WinsimTest, FileFaultsReachThePrograms) {
    CreateAndMount();
    const std::string license = "C:\\Package\\License.txt";
    const std::string readAll =
        "read " + std::to_string(fs::file_size(fs::path(FIXTURE_PACKAGE) / "License.txt")) + " bytes";
    struct Case {
        const char* name;
        std::vector<std::string> fault;
        const char* note;
        std::string programSees;
    };
    const Case cases[] = {
        {"held without sharing", {"hold-file", license, "--share", "none"},
         "[open by winsim, shares nothing]", "read failed with error 32"},
        {"held for readers", {"hold-file", license, "--share", "read"},
         "[open by winsim, shares read]", readAll},
        {"access denied", {"deny-file", license}, "[access denied]", "read failed with error 5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = {"fault", machine_};
        args.insert(args.end(), c.fault.begin(), c.fault.end());
        Result held = Winsim(args);
        ASSERT_EQ(held.status, 0) << held.err;
        EXPECT_TRUE(Contains(Winsim({"files", machine_, license}).out, c.note));
        EXPECT_EQ(RunProgram({"read", license}).out, "setup: " + c.programSees + "\n");
        ASSERT_EQ(Winsim({"fault", machine_, "release-file", license}).status, 0);
        EXPECT_EQ(RunProgram({"read", license}).out, "setup: " + readAll + "\n");
    }
    EXPECT_EQ(Winsim({"fault", machine_, "list"}).out, "no faults\n");
    EXPECT_EQ(Winsim({"fault", machine_, "release-file", license}).status, 1);
    EXPECT_EQ(Winsim({"fault", machine_, "hold-file", "C:\\Package\\none.txt", "--share", "read"})
                  .status,
              1);
    EXPECT_EQ(Winsim({"fault", machine_, "hold-file", license}).status, 2);
}

TEST_F(WinsimTest, RegistryFaultsReachTheProgramsUntilUsedUpOrCleared) {
    CreateAndMount();
    const std::string key = "HKLM\\SOFTWARE\\Vortane\\Setup";
    const std::string wow = "HKLM\\SOFTWARE\\Wow6432Node\\Vortane";
    // The operation's letter case does not matter; list shows the fault as the call it fails.
    Result added = Winsim({"fault", machine_, "reg-fail", "setvalue", "5", "--times", "1", wow});
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(Winsim({"fault", machine_, "list"}).out,
              "call RegSetValueExA 5 --times 1 --target " + wow + "\n");
    // A 64-bit program's HKLM\SOFTWARE is not the 32-bit view the fault names.
    EXPECT_EQ(RunProgram({"regset", key}, {"--bits", "64"}).out, "setup: regset " + key + " ok\n");
    // The 32-bit program's key lands below Wow6432Node: its first SetValue fails, the next not.
    EXPECT_EQ(RunProgram({"regset", key, "regset", key}).out,
              "setup: regset " + key + " failed with error 5\n"
              "setup: regset " + key + " ok\n");
    EXPECT_EQ(Winsim({"fault", machine_, "list"}).out, "no faults\n");
    EXPECT_TRUE(Contains(Winsim({"reg", machine_, wow}).out, "\"probe\"=\"1\""));

    // Without --times every call of any operation on the key or below fails until cleared.
    ASSERT_EQ(Winsim({"fault", machine_, "reg-fail", "*", "1018", "hkcu\\Software"}).status, 0);
    ASSERT_EQ(Winsim({"fault", machine_, "hold-file", "C:\\Package\\License.txt", "--share",
                      "read"}).status,
              0);
    Result listed = Winsim({"fault", machine_, "list"});
    EXPECT_TRUE(Contains(listed.out, "held ")) << listed.out;
    EXPECT_TRUE(Contains(listed.out, "\ncall Reg* 1018 --target hkcu\\Software\n")) << listed.out;
    EXPECT_EQ(RunProgram({"regset", "HKCU\\Software\\A", "regset", "HKCU\\Software\\A\\B",
                          "regset", "HKCU\\Other"})
                  .out,
              "setup: regset HKCU\\Software\\A failed with error 1018\n"
              "setup: regset HKCU\\Software\\A\\B failed with error 1018\n"
              "setup: regset HKCU\\Other ok\n");
    ASSERT_EQ(Winsim({"fault", machine_, "reg-clear"}).status, 0);
    // Clearing the registry faults leaves the file faults.
    listed = Winsim({"fault", machine_, "list"});
    EXPECT_TRUE(Contains(listed.out, "held ")) << listed.out;
    EXPECT_FALSE(Contains(listed.out, "call Reg")) << listed.out;
    EXPECT_EQ(RunProgram({"regset", "HKCU\\Software\\A"}).out,
              "setup: regset HKCU\\Software\\A ok\n");
}

TEST_F(WinsimTest, RegistryFaultCommandLinesThatAreWrongChangeNothing) {
    Create();
    const std::vector<std::vector<std::string>> wrong = {
        {"reg-fail", "SetValues", "5", "HKLM\\SOFTWARE"},      // no such operation
        {"reg-fail", "SetValue", "five", "HKLM\\SOFTWARE"},    // not a number
        {"reg-fail", "SetValue", "0", "HKLM\\SOFTWARE"},       // success is no fault
        {"reg-fail", "SetValue", "5", "HKXX\\SOFTWARE"},       // no such root
        {"reg-fail", "SetValue", "5"},                          // no key path
        {"reg-fail", "SetValue", "5", "--times", "0", "HKLM"},  // no calls to fail
        {"reg-fail", "SetValue", "5", "HKLM", "extra"},
        {"reg-clear", "now"},
    };
    for (const auto& words : wrong) {
        std::vector<std::string> args = {"fault", machine_};
        args.insert(args.end(), words.begin(), words.end());
        Result r = Winsim(args);
        EXPECT_EQ(r.status, 2) << words[1];
        EXPECT_TRUE(Contains(r.err, "usage: winsim fault")) << r.err;
    }
    EXPECT_EQ(Winsim({"fault", machine_, "list"}).out, "no faults\n");
    EXPECT_FALSE(fs::exists(fs::path(machine_) / "state" / "faults.txt"));
    // The help names both actions as they are typed.
    Result help = Winsim({"help", "fault"});
    EXPECT_TRUE(Contains(help.out, "reg-fail OPERATION|* ERROR [--times N] KEYPATH|reg-clear|"));
    EXPECT_TRUE(Contains(help.out, "  reg-clear "));
}

TEST_F(WinsimTest, CallFaultsNameTheApiAndMayAimAtOneTarget) {
    CreateAndMount();
    const std::string license = "C:\\Package\\License.txt";
    const std::string readAll =
        "read " + std::to_string(fs::file_size(fs::path(FIXTURE_PACKAGE) / "License.txt")) + " bytes";
    // Opening the licence fails twice; other files open; a path is kept in its absolute form.
    Result added = Winsim({"fault", machine_, "call", "createfilea", "32", "--times", "2", "--target",
                           "c:/package/license.txt"});
    ASSERT_EQ(added.status, 0) << added.err;
    ASSERT_EQ(Winsim({"fault", machine_, "spooler-fail", "WritePrinter", "1167"}).status, 0);
    ASSERT_EQ(Winsim({"fault", machine_, "reg-fail", "*", "5", "HKCU"}).status, 0);
    EXPECT_EQ(Winsim({"fault", machine_, "list"}).out,
              "call CreateFileA 32 --times 2 --target C:\\package\\license.txt\n"
              "call WritePrinter 1167\n"
              "call Reg* 5 --target HKCU\n");
    const std::string readIni =
        "read " + std::to_string(fs::file_size(fs::path(FIXTURE_PACKAGE) / "DRVCONFIG" / "setup.ini")) +
        " bytes";
    EXPECT_EQ(RunProgram({"read", license, "read", "C:\\Package\\DRVCONFIG\\setup.ini", "read",
                          license, "read", license})
                  .out,
              "setup: read failed with error 32\n"
              "setup: " + readIni + "\n"
              "setup: read failed with error 32\n"
              "setup: " + readAll + "\n");
    // Clearing one family leaves the others.
    ASSERT_EQ(Winsim({"fault", machine_, "spooler-clear"}).status, 0);
    EXPECT_EQ(Winsim({"fault", machine_, "list"}).out, "call Reg* 5 --target HKCU\n");
    ASSERT_EQ(Winsim({"fault", machine_, "call-clear"}).status, 0);
    EXPECT_EQ(Winsim({"fault", machine_, "list"}).out, "no faults\n");
    EXPECT_EQ(RunProgram({"read", license}).out, "setup: " + readAll + "\n");
}

TEST_F(WinsimTest, CallFaultCommandLinesThatAreWrongChangeNothing) {
    Create();
    const std::vector<std::vector<std::string>> wrong = {
        {"call", "CopyFile", "5"},                                // not an API the simulator fails
        {"call", "CopyFileA"},                                    // no error code
        {"call", "CopyFileA", "0"},                               // success is no fault
        {"call", "CopyFileA", "5", "--target", "D:\\x"},          // not on drive C
        {"call", "RegSetValueExA", "5", "--target", "SOFTWARE"},  // no registry root
        {"call", "*", "5", "--target", "C:\\x"},                  // files, keys and printers alike
        {"call", "CopyFileA", "5", "--times", "0"},               // no calls to fail
        {"spooler-fail", "CopyFileA", "5"},                       // not a spooler call
        {"spooler-fail", "WritePrinter", "5", "extra"},
        {"call-clear", "now"},
    };
    for (const auto& words : wrong) {
        std::vector<std::string> args = {"fault", machine_};
        args.insert(args.end(), words.begin(), words.end());
        Result r = Winsim(args);
        EXPECT_EQ(r.status, 2) << words[0] << " " << words[1];
        EXPECT_TRUE(Contains(r.err, "usage: winsim fault")) << r.err;
    }
    EXPECT_EQ(Winsim({"fault", machine_, "list"}).out, "no faults\n");
}

// Windows refuses neither a key name nor a value name with a line break; once such a printer
// made the registry file unreadable for every later command.
TEST_F(WinsimTest, APrinterNameWithALineBreakIsStoredAndTheRegistryKeepsWorking) {
    CreateAndMount();
    Result add = Winsim({"printer", machine_, "add", "Bad\nName", "--port", "USB\n1"});
    ASSERT_EQ(add.status, 0) << add.err;
    ASSERT_EQ(Winsim({"printer", machine_, "add", "Good"}).status, 0);
    Result list = Winsim({"printer", machine_, "list"});
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out, "Bad\\nName  port USB\\n1\nGood  port (none)\n");
    Result again = Winsim({"printer", machine_, "add", "bad\nname"});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(Contains(again.err, "exists")) << again.err;
    Result reg = Winsim({"reg", machine_, "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Printers"});
    EXPECT_EQ(reg.status, 0) << reg.err;
    EXPECT_TRUE(Contains(reg.out, "\\Printers\\\"Bad\\nName\"]\n\"Name\"=hex(1):")) << reg.out;
    EXPECT_EQ(RunProgram({"regset", "HKLM\\SOFTWARE\\After"}).out,
              "setup: regset HKLM\\SOFTWARE\\After ok\n");
}

TEST_F(WinsimTest, ADeniedPathWithALineBreakIsListedOnOneLine) {
    Create();
    ASSERT_EQ(Winsim({"fault", machine_, "deny-file", "C:\\a\nb"}).status, 0);
    EXPECT_EQ(Winsim({"fault", machine_, "list"}).out, "denied C:\\A\\nB\n");
    ASSERT_EQ(Winsim({"fault", machine_, "release-file", "C:\\a\nb"}).status, 0);
    EXPECT_EQ(Winsim({"fault", machine_, "list"}).out, "no faults\n");
}

TEST_F(WinsimTest, ADamagedJobRecordIsNamedWithItsLineInsteadOfStoppingTheCommand) {
    Create();
    const fs::path jobs = fs::path(machine_) / "spool" / "jobs";
    WriteHostFile(jobs / "0001.info", "id=1\nprinter=OK\ndatatype=RAW\npages=1\ncompleted=yes\n");
    WriteHostFile(jobs / "0001.job", "abc");
    WriteHostFile(jobs / "0002.info", "id=2\nprinter=PX \\x<A\n");
    WriteHostFile(jobs / "0002.job", "");
    Result list = Winsim({"jobs", machine_});
    EXPECT_EQ(list.status, 1);
    EXPECT_EQ(list.out, "1  OK  port (none)  \"\"  RAW  1 page(s)  3 byte(s)  completed\n");
    EXPECT_TRUE(Contains(list.err, "0002.info line 2")) << list.err;
    Result one = Winsim({"job", machine_, "2"});
    EXPECT_EQ(one.status, 1);
    EXPECT_TRUE(Contains(one.err, "0002.info line 2")) << one.err;
    EXPECT_EQ(Winsim({"job", machine_, "1"}).out, "abc");
}

// A queued job is one nobody ended: listed as not completed, for the printer as it is spelt.
TEST_F(WinsimTest, JobAddQueuesAnUncompletedJobOnAnExistingPrinterOnly) {
    Create();
    ASSERT_EQ(Winsim({"printer", machine_, "add", "Receipt", "--port", "LPT1:"}).status, 0);
    Result added = Winsim({"job", machine_, "add", "receipt", "--document", "Order 7"});
    EXPECT_EQ(added.status, 0) << added.err;
    const std::string line =
        "1  Receipt  port LPT1:  \"Order 7\"  RAW  0 page(s)  0 byte(s)  not completed\n";
    EXPECT_EQ(added.out, line);
    EXPECT_EQ(Winsim({"jobs", machine_}).out, line);
    Result missing = Winsim({"job", machine_, "add", "Label"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(Contains(missing.err, "no printer named 'Label'")) << missing.err;
    EXPECT_EQ(Winsim({"job", machine_, "add"}).status, 2);
}

// A whole job given as bytes is completed and goes to the printer's device; the virtual printer
// draws it after the earlier jobs of the same port set its stored logos.
TEST_F(WinsimTest, JobsGivenAsBytesAreDrawnByTheVirtualPrinter) {
    Create();
    ASSERT_EQ(Winsim({"printer", machine_, "add", "Receipt", "--port", "LPT1:"}).status, 0);
    // A 16 x 8 logo stored, then printed and cut.
    std::string logo = "1C 71 01 02 00 01 00";
    for (int c = 0; c < 16; ++c) logo += " FF";
    Result stored = Winsim({"job", machine_, "add", "Receipt", "--data", logo});
    ASSERT_EQ(stored.status, 0) << stored.err;
    EXPECT_EQ(stored.out, "1  Receipt  port LPT1:  \"Document\"  RAW  1 page(s)  23 byte(s)  completed\n");
    ASSERT_EQ(Winsim({"job", machine_, "add", "Receipt", "--data", "1C700100 1D 56 42 00"}).status, 0);
    const std::string picture = machine_ + "/job2.png";
    Result drawn = Winsim({"job", machine_, "2", "--render", picture});
    ASSERT_EQ(drawn.status, 0) << drawn.err;
    // 8 rows of logo, then the feed to the cutter (80 dots): 88 dots are 11.0 mm.
    EXPECT_TRUE(Contains(drawn.out, "VTX-80R on LPT1: (80 mm, parallel): 8 bytes printed on 11.0 mm of paper"))
        << drawn.out;
    EXPECT_TRUE(Contains(drawn.out, "at  11.0 mm  cut     partial cut")) << drawn.out;
    EXPECT_TRUE(std::filesystem::is_regular_file(picture));
    Result paper = Winsim({"printer", machine_, "paper", "receipt", "--render", machine_ + "/all.png"});
    EXPECT_TRUE(Contains(paper.out, "31 bytes printed")) << paper.out;
    EXPECT_TRUE(Contains(paper.out, "remark  1 one-bit logo stored")) << paper.out;

    EXPECT_EQ(Winsim({"job", machine_, "add", "Receipt", "--data", "1C7"}).status, 2);  // odd digits
    EXPECT_EQ(Winsim({"job", machine_, "add", "Receipt", "--data", "GG"}).status, 2);
    EXPECT_EQ(Winsim({"jobs", machine_}).out.find("3  "), std::string::npos);  // nothing written
    EXPECT_EQ(Winsim({"job", machine_, "9", "--render", picture}).status, 1);
    EXPECT_EQ(Winsim({"printer", machine_, "paper", "Label", "--render", picture}).status, 1);
}

// Numbers on the command line are taken up to the top of their range and refused past it;
// a number too large never wraps into the range (4294967301 would otherwise be error 5).
TEST_F(WinsimTest, NumberArgumentsAreTakenUpToTheirLimitAndNeverWrap) {
    Create();
    struct Case {
        std::vector<std::string> args;  // after "winsim"; MACHINE stands for the machine
        int status;
        const char* text;  // in stdout for status 0, in stderr otherwise
    };
    const Case cases[] = {
        {{"fault", "MACHINE", "call", "CopyFileA", "2147483647"}, 0, ""},
        {{"fault", "MACHINE", "call", "CopyFileA", "2147483648"}, 2, "a Win32 error code in decimal from 1"},
        {{"fault", "MACHINE", "call", "CopyFileA", "4294967301"}, 2, "a Win32 error code in decimal from 1"},
        {{"fault", "MACHINE", "call", "CopyFileA", "5", "--times", "4294967295"}, 0, ""},
        {{"fault", "MACHINE", "call", "CopyFileA", "5", "--times", "4294967296"}, 2, "--times takes a count of calls from 1"},
        {{"fault", "MACHINE", "call", "CopyFileA", "5", "--times", "18446744073709551617"}, 2, "--times takes a count"},
        {{"job", "MACHINE", "4294967295"}, 1, "no job 4294967295 on the machine"},
        {{"job", "MACHINE", "4294967296"}, 2, "'4294967296' is not a job number"},
        {{"job", "MACHINE", "4294967297"}, 2, "'4294967297' is not a job number"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        for (std::string& a : args)
            if (a == "MACHINE") a = machine_;
        SCOPED_TRACE(c.args[args.size() - 1]);
        Result r = Winsim(args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_TRUE(Contains(c.status == 0 ? r.out : r.err, c.text)) << r.err;
    }
    EXPECT_EQ(Winsim({"fault", machine_, "list"}).out,
              "call CopyFileA 2147483647\ncall CopyFileA 5 --times 4294967295\n");
}

TEST_F(WinsimTest, HelpDescribesEveryCommand) {
    Result overview = Winsim({"--help"});
    ASSERT_EQ(overview.status, 0);
    for (const char* command : {"presets", "create", "show", "set", "mount", "run", "transcript",
                                "reg", "files", "cat", "desktop", "fault", "inventory"}) {
        SCOPED_TRACE(command);
        EXPECT_TRUE(Contains(overview.out, std::string("\n  ") + command));
        Result help = Winsim({"help", command});
        EXPECT_EQ(help.status, 0);
        EXPECT_TRUE(Contains(help.out, std::string("usage: winsim ") + command));
    }
    EXPECT_EQ(Winsim({"help", "frobnicate"}).status, 2);
    EXPECT_EQ(Winsim({"frobnicate"}).status, 2);
}

}  // namespace

namespace {

TEST_F(WinsimTest, ServiceListsStartsStopsAndSetsThePollCounts) {
    Create();
    Result list = Winsim({"service", machine_, "list"});
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out, "Spooler  running  start-polls 2  stop-polls 0\n");
    ASSERT_EQ(Winsim({"service", machine_, "stop", "spooler"}).status, 0);
    ASSERT_EQ(Winsim({"service", machine_, "set", "Spooler", "--start-polls", "never",
                      "--stop-polls", "5"}).status, 0);
    EXPECT_EQ(Winsim({"service", machine_, "list"}).out,
              "Spooler  stopped  start-polls never  stop-polls 5\n");
    ASSERT_EQ(Winsim({"service", machine_, "start", "Spooler"}).status, 0);
    EXPECT_EQ(Winsim({"service", machine_, "list"}).out,
              "Spooler  running  start-polls never  stop-polls 5\n");
}

TEST_F(WinsimTest, ServiceRefusesUnknownServicesAndBadCounts) {
    Create();
    Result unknown = Winsim({"service", machine_, "stop", "Fax"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_TRUE(Contains(unknown.err, "no service 'Fax'")) << unknown.err;
    for (const char* count : {"1001", "-1", "soon"}) {
        SCOPED_TRACE(count);
        EXPECT_EQ(Winsim({"service", machine_, "set", "Spooler", "--start-polls", count}).status, 2);
    }
    EXPECT_EQ(Winsim({"service", machine_, "set", "Spooler", "--start-polls", "1000"}).status, 0);
    EXPECT_EQ(Winsim({"service", machine_, "set", "Spooler"}).status, 2);
    EXPECT_EQ(Winsim({"service", machine_, "restart", "Spooler"}).status, 2);
    Result help = Winsim({"service", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(Contains(help.out, "--start-polls")) << help.out;
}

TEST_F(WinsimTest, The9xPlatformHasNoServicesToList) {
    Create("windows-98");
    Result list = Winsim({"service", machine_, "list"});
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_TRUE(Contains(list.out, "no services")) << list.out;
    EXPECT_EQ(Winsim({"service", machine_, "start", "Spooler"}).status, 1);
}

}  // namespace

namespace {

TEST_F(WinsimTest, UsbPrintersAttachListFaultAndDetach) {
    Create();
    ASSERT_EQ(Winsim({"usb", "list", machine_}).out, "no USB printer attached\n");
    ASSERT_EQ(Winsim({"usb", "attach", machine_, "--id", "9"}).status, 0);
    ASSERT_EQ(Winsim({"usb", "attach", machine_, "--id", "2", "--vid", "1a2b", "--pid", "7"}).status, 0);
    ASSERT_EQ(Winsim({"usb", "fault", machine_, "2", "--silent", "--write-fails"}).status, 0);
    EXPECT_EQ(Winsim({"usb", "list", machine_}).out,
              "index 0  id 9  vid 5a5a  pid 5a5a  answering  write-ok  received 0 bytes\n"
              "index 1  id 2  vid 1a2b  pid 0007  silent  write-fails  received 0 bytes\n");
    EXPECT_EQ(Winsim({"usb", "attach", machine_}).status, 2);
    EXPECT_EQ(Winsim({"usb", "attach", machine_, "--id", "x"}).status, 2);
    ASSERT_EQ(Winsim({"usb", "detach", machine_, "9"}).status, 0);
    EXPECT_NE(Winsim({"usb", "detach", machine_, "9"}).status, 0);
    ASSERT_EQ(Winsim({"usb", "detach", machine_}).status, 0);
    EXPECT_EQ(Winsim({"usb", "list", machine_}).out, "no USB printer attached\n");
}

}  // namespace

namespace {

// The lines from a heading to the blank line that ends its section, each with its line end.
std::string Section(const std::string& text, const std::string& heading) {
    const std::size_t begin = text.find(heading + "\n");
    if (begin == std::string::npos) return "(no section " + heading + ")";
    const std::size_t end = text.find("\n\n", begin);
    return text.substr(begin, end == std::string::npos ? std::string::npos : end + 1 - begin);
}

std::vector<std::uint8_t> Dword(std::uint32_t n) {
    return {std::uint8_t(n), std::uint8_t(n >> 8), std::uint8_t(n >> 16), std::uint8_t(n >> 24)};
}

std::vector<std::uint8_t> Sz(const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

// Sets HKLM values below `key`, as an installation would have left them.
void SetHklmValues(const sim::Machine& machine, const std::string& key,
                   const std::vector<sim::reg::Value>& values) {
    const std::int32_t rc = sim::UpdateRegistry(machine, [&](sim::reg::Tree& tree, bool& changed) {
        std::vector<std::string> path = {"HKEY_LOCAL_MACHINE"};
        sim::reg::SplitKeyPath(key, path);
        bool created = false;
        sim::reg::Key& k = tree.Create(path, created);
        for (const sim::reg::Value& v : values) k.SetValue(v.name, v.type, v.data);
        changed = true;
        return ERROR_SUCCESS;
    });
    ASSERT_EQ(rc, ERROR_SUCCESS);
}

// The spooler's listing ends with the forms added on the machine, not the built-in ones.
TEST_F(WinsimTest, SpoolerListsTheFormsAddedInTheOrderTheyWereAdded) {
    Create("windows-7-x64");
    Result fresh = Winsim({"spooler", machine_});
    ASSERT_EQ(fresh.status, 0) << fresh.err;
    EXPECT_EQ(Section(fresh.out, "User forms (sizes in 0.001 mm; the built-in forms are not listed):"),
              "User forms (sizes in 0.001 mm; the built-in forms are not listed):\n  (none)\n");
    std::string error;
    auto machine = sim::Machine::Open(machine_, error);
    ASSERT_TRUE(machine) << error;
    const sim::PrintProvider provider(*machine);
    ASSERT_EQ(provider.AddForm({"Custom Paper-ZK450i", FORM_USER, 72000, 297000, 0, 0, 72000, 297000}), 0u);
    ASSERT_EQ(provider.AddForm({"Roll", FORM_PRINTER, 80000, 100000, 3000, 0, 77000, 100000}), 0u);
    Result r = Winsim({"spooler", machine_});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Section(r.out, "User forms (sizes in 0.001 mm; the built-in forms are not listed):"),
              "User forms (sizes in 0.001 mm; the built-in forms are not listed):\n"
              "  NAME                 WIDTH  HEIGHT  IMAGEABLE AREA       KIND\n"
              "  Custom Paper-ZK450i  72000  297000  0,0,72000,297000     user\n"
              "  Roll                 80000  100000  3000,0,77000,100000  printer\n");
}

constexpr const char* kNtPorts = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

// A new machine holds the seeded monitors, processors and local ports and nothing else.
TEST_F(WinsimTest, InventoryOfANewMachineListsTheSeededPrintSystemAndNothingElse) {
    Create("windows-7-x64");
    Result r = Winsim({"inventory", machine_});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Machine: windows-7-x64, Windows 7 Professional (native environment Windows x64)\n"
              "\n"
              "Printers (* the default):\n  (none)\n\n"
              "Drivers:\n  (none)\n\n"
              "Monitors:\n"
              "  NAME                  DLL\n"
              "  Local Port            localspl.dll\n"
              "  Standard TCP/IP Port  tcpmon.dll\n"
              "  USB Monitor           usbmon.dll\n\n"
              "Print processors:\n"
              "  ENVIRONMENT     NAME      DLL\n"
              "  Windows x64     winprint  winprint.dll\n"  // the native environment first
              "  Windows NT x86  winprint  winprint.dll\n\n"
              "Ports:\n"
              "  NAME   MONITOR\n"
              "  COM1:  Local Port\n"
              "  COM2:  Local Port\n"
              "  COM3:  Local Port\n"
              "  COM4:  Local Port\n"
              "  FILE:  Local Port\n"
              "  LPT1:  Local Port\n"
              "  LPT2:  Local Port\n"
              "  LPT3:  Local Port\n\n"
              "Serial settings (HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports, "
              "COM values unlike a new machine's):\n  (none)\n\n"
              "USB port records (HKLM\\SOFTWARE\\VORTANE, 64-bit and 32-bit views alike):\n"
              "  (none)\n\n"
              "USB printers attached:\n  (none)\n\n"
              "Devices with a driver from an oemN.inf:\n  (none)\n\n"
              "Restart requests:\n  (none)\n");
    EXPECT_EQ(Winsim({"inventory"}).status, 2);
    EXPECT_EQ(Winsim({"inventory", machine_, "extra"}).status, 2);
    EXPECT_EQ(Winsim({"inventory", (dir_ / "missing").string()}).status, 1);
}

// What an installation leaves: printers, USB port records in one view or both, serial settings
// (changed, new and removed ports; one rewritten unchanged stays out), a USB printer with the
// driver of an oemN.inf bound (the seeded COM1 device's msports.inf stays out), a restart request.
TEST_F(WinsimTest, InventoryShowsWhatAnInstallationLeft) {
    Create("windows-7-x64");
    ASSERT_EQ(Winsim({"printer", machine_, "add", "Receipt", "--port", "COM2:"}).status, 0);
    ASSERT_EQ(Winsim({"printer", machine_, "add", "Label", "--port", "USB001"}).status, 0);
    ASSERT_EQ(Winsim({"usb", "attach", machine_, "--id", "9"}).status, 0);
    std::string error;
    auto machine = sim::Machine::Open(machine_, error);
    ASSERT_TRUE(machine) << error;
    ASSERT_TRUE(sim::WriteDefaultPrinter(*machine, "receipt", "COM2:"));
    SetHklmValues(*machine, "SOFTWARE\\VORTANE\\PORTNAME", {{"USB001", REG_DWORD, Dword(3)}});
    SetHklmValues(*machine, "SOFTWARE\\VORTANE\\PRINTERPORT",
                  {{"USB001", REG_DWORD, Dword(0)}, {"D1", REG_DWORD, Dword(0)}});
    SetHklmValues(*machine, kNtPorts,
                  {{"COM2:", REG_SZ, Sz("19200,e,7,1,x")},
                   {"COM3:", REG_SZ, Sz("9600,n,8,1")},
                   {"COM5:", REG_SZ, Sz("9600,n,8,1")}});
    ASSERT_EQ(sim::UpdateRegistry(*machine, [](sim::reg::Tree& tree, bool& changed) {
                  std::vector<std::string> path = {"HKEY_LOCAL_MACHINE"};
                  sim::reg::SplitKeyPath(kNtPorts, path);
                  changed = tree.Find(path)->values.erase("COM4:") == 1;
                  return changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
              }),
              ERROR_SUCCESS);
    ASSERT_FALSE(sim::ReadDevices(*machine).empty());  // the attached printer gets its device key
    sim::DriverBinding binding;
    binding.className = "Printer";
    binding.classGuid = "{4D36E979-E325-11CE-BFC1-08002BE10318}";
    binding.description = "Receipt printer";
    binding.infPath = "oem3.inf";
    ASSERT_EQ(sim::BindDriver(*machine, {"USB\\VID_5A5A&PID_5A5A\\SN000000"}, binding),
              ERROR_SUCCESS);
    ASSERT_TRUE(sim::RecordRestartRequest(*machine, {"setup", 2}));

    Result r = Winsim({"inventory", machine_});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Section(r.out, "Printers (* the default):"),
              "Printers (* the default):\n"
              "     NAME     DRIVER  PORT    PROCESSOR\n"
              "     Label    -       USB001  -\n"
              "  *  Receipt  -       COM2:   -\n");
    EXPECT_EQ(Section(r.out, "Serial settings (HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"
                             "\\Ports, COM values unlike a new machine's):"),
              "Serial settings (HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports, "
              "COM values unlike a new machine's):\n"
              "  PORT   SETTINGS\n"
              "  COM2:  19200,e,7,1,x\n"
              "  COM5:  9600,n,8,1\n"
              "  COM4:  (removed)\n");
    const std::string usbRecords =
        "  KEY          NAME    VALUE\n"
        "  PORTNAME     USB001  3\n"
        "  PRINTERPORT  D1      0\n"
        "  PRINTERPORT  USB001  0\n";
    EXPECT_EQ(Section(r.out, "USB port records (HKLM\\SOFTWARE\\VORTANE, 64-bit view):"),
              "USB port records (HKLM\\SOFTWARE\\VORTANE, 64-bit view):\n" + usbRecords);
    EXPECT_EQ(Section(r.out, "USB port records (HKLM\\SOFTWARE\\Wow6432Node\\VORTANE, 32-bit view, "
                             "unlike the 64-bit one):"),
              "USB port records (HKLM\\SOFTWARE\\Wow6432Node\\VORTANE, 32-bit view, unlike the "
              "64-bit one):\n  (none)\n");
    EXPECT_EQ(Section(r.out, "USB printers attached:"),
              "USB printers attached:\n"
              "  index 0  id 9  vid 5a5a  pid 5a5a  answering  write-ok  received 0 bytes\n");
    EXPECT_EQ(Section(r.out, "Devices with a driver from an oemN.inf:"),
              "Devices with a driver from an oemN.inf:\n"
              "  DEVICE" + std::string(26, ' ') + "STATE    CLASS    INF       DESCRIPTION\n"
              "  USB\\VID_5A5A&PID_5A5A\\SN000000  present  Printer  oem3.inf  Receipt printer\n");
    EXPECT_TRUE(r.out.ends_with("Restart requests:\n  setup asked Windows to restart\n")) << r.out;
    EXPECT_TRUE(Contains(Section(r.out, "Ports:"), "  COM5:  Local Port\n")) << r.out;

    // The same records in the 32-bit view: one section for both.
    SetHklmValues(*machine, "SOFTWARE\\Wow6432Node\\VORTANE\\PORTNAME", {{"USB001", REG_DWORD, Dword(3)}});
    SetHklmValues(*machine, "SOFTWARE\\Wow6432Node\\VORTANE\\PRINTERPORT",
                  {{"D1", REG_DWORD, Dword(0)}, {"USB001", REG_DWORD, Dword(0)}});
    r = Winsim({"inventory", machine_});
    EXPECT_EQ(Section(r.out, "USB port records (HKLM\\SOFTWARE\\VORTANE, 64-bit and 32-bit views alike):"),
              "USB port records (HKLM\\SOFTWARE\\VORTANE, 64-bit and 32-bit views alike):\n" + usbRecords);
    EXPECT_FALSE(Contains(r.out, "Wow6432Node")) << r.out;
}

// Windows 98: serial settings are win.ini's [Ports] lines and the DCB values of the port class
// keys; the registry has one view.
TEST_F(WinsimTest, InventoryOfWindows98ShowsWinIniPortsAndDcbRecords) {
    Create("windows-98");
    Result fresh = Winsim({"inventory", machine_});
    ASSERT_EQ(fresh.status, 0) << fresh.err;
    EXPECT_TRUE(Contains(fresh.out,
                         "Serial settings (win.ini [Ports], COM lines unlike a new machine's):\n"
                         "  (none)\n\n"
                         "Serial port class keys (HKLM\\System\\CurrentControlSet\\Services\\Class"
                         "\\Ports):\n  (none)\n\n"
                         "USB port records (HKLM\\SOFTWARE\\VORTANE):\n  (none)\n\n"))
        << fresh.out;

    const fs::path winIni = Drive() / "WINDOWS" / "win.ini";
    WriteHostFile(winIni, sim::ini::SetValue(ReadHostFile(winIni), "Ports", "COM1:", "9600,n,8,1,x"));
    std::string error;
    auto machine = sim::Machine::Open(machine_, error);
    ASSERT_TRUE(machine) << error;
    const std::string classKey = "System\\CurrentControlSet\\Services\\Class\\Ports\\";
    SetHklmValues(*machine, classKey + "0000", {{"PortSubClass", REG_BINARY, {1}},
                                                {"DCB", REG_BINARY, std::vector<std::uint8_t>(28, 0)}});
    SetHklmValues(*machine, classKey + "0001", {{"PortSubClass", REG_BINARY, {1}}});
    SetHklmValues(*machine, "SOFTWARE\\VORTANE\\PORTNAME", {{"USB001", REG_DWORD, Dword(3)}});
    Result r = Winsim({"inventory", machine_});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out,
                         "Serial settings (win.ini [Ports], COM lines unlike a new machine's):\n"
                         "  PORT   SETTINGS\n"
                         "  COM1:  9600,n,8,1,x\n\n"
                         "Serial port class keys (HKLM\\System\\CurrentControlSet\\Services\\Class"
                         "\\Ports):\n"
                         "  KEY   DCB\n"
                         "  0000  yes, 28 bytes\n"
                         "  0001  no\n\n"
                         "USB port records (HKLM\\SOFTWARE\\VORTANE):\n"
                         "  KEY       NAME    VALUE\n"
                         "  PORTNAME  USB001  3\n\n"))
        << r.out;
}

// A registry that cannot be read gives an error, not an inventory that looks empty.
TEST_F(WinsimTest, InventoryOfAMachineWithADamagedRegistryFails) {
    Create("windows-7-x64");
    WriteHostFile(fs::path(machine_) / "registry.reg", "not a registry file\r\n");
    Result r = Winsim({"inventory", machine_});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(Contains(r.err, "cannot read the registry")) << r.err;
}

}  // namespace
