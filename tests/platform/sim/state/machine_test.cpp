// The simulated machine's settings, presets, lock and drive C mapping, and the Windows path
// arithmetic it rests on.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <set>
#include <thread>

#include "platform/sim/state/machine.h"
#include "platform/sim/state/win_path.h"
#include "tests/support/temp_machine.h"

extern char** environ;

namespace {

using testsupport::TempMachine;

// ---- Windows paths ----

TEST(WinPath, AbsolutePathResolvesAgainstTheCurrentDirectory) {
    struct Case {
        const char* current;
        const char* path;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\pkg", "DRVCONFIG\\setup.ini", "C:\\pkg\\DRVCONFIG\\setup.ini"},
        {"C:\\pkg", ".\\a\\.\\b", "C:\\pkg\\a\\b"},
        {"C:\\pkg\\sub", "..\\x", "C:\\pkg\\x"},
        {"C:\\", "..\\..\\x", "C:\\x"},
        {"C:\\pkg", "\\Windows", "C:\\Windows"},
        {"C:\\pkg", "c:/Windows//System32/", "C:\\Windows\\System32"},
        {"C:\\pkg", "C:", "C:\\pkg"},
        {"C:\\pkg", "c:sub", "C:\\pkg\\sub"},
        {"C:\\pkg", "C:\\", "C:\\"},
        {"C:\\pkg", "D:\\x", "D:\\x"},
        {"C:\\pkg", "D:x", ""},
        {"C:\\pkg", "\\\\server\\share", ""},
        {"C:\\pkg", "", ""},
        // Trailing periods and blanks of the last name go; a name of three periods stays.
        {"C:\\pkg", "setup.ini.", "C:\\pkg\\setup.ini"},
        {"C:\\pkg", "setup.ini . .", "C:\\pkg\\setup.ini"},
        {"C:\\pkg", "dir.\\file", "C:\\pkg\\dir\\file"},
        {"C:\\pkg", "...\\file", "C:\\pkg\\...\\file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.current) + " + " + c.path);
        EXPECT_EQ(sim::AbsoluteWindowsPath(c.current, c.path), c.expected);
    }
}

TEST(WinPath, PathsSplitIntoComponentsDirectoryAndName) {
    EXPECT_EQ(sim::PathComponents("C:\\a\\\\b\\"), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(sim::PathComponents("C:\\").empty());
    EXPECT_EQ(sim::DirectoryOf("C:\\a\\b.exe"), "C:\\a\\");
    EXPECT_EQ(sim::DirectoryOf("b.exe"), "");
    EXPECT_EQ(sim::FileNameOf("C:\\a\\b.exe"), "b.exe");
    EXPECT_EQ(sim::FileNameOf("C:/a/b.exe"), "b.exe");
    EXPECT_EQ(sim::FileNameOf("b.exe"), "b.exe");
}

// ---- settings and presets ----

TEST(MachinePresets, CoverEveryWindowsGenerationInBothWordSizes) {
    const char* expected[] = {
        "windows-95", "windows-98", "windows-me", "nt4-x86", "windows-2000-x86", "xp-x86",
        "xp-x64", "server-2003-x86", "server-2003-x64", "vista-x86", "vista-x64",
        "server-2008-x86", "server-2008-x64", "server-2008-r2-x64", "windows-7-x86",
        "windows-7-x64", "windows-8.1-x64", "windows-10-x64",
    };
    for (const char* name : expected) EXPECT_NE(sim::FindPreset(name), nullptr) << name;
    EXPECT_NE(sim::FindPreset("Windows-7-X64"), nullptr);
    EXPECT_EQ(sim::FindPreset("windows-7"), nullptr);
    std::set<std::string> names;
    for (const sim::Preset& p : sim::Presets()) {
        EXPECT_TRUE(names.insert(p.name).second) << "twice: " << p.name;
        EXPECT_EQ(p.settings.preset, p.name);
        EXPECT_FALSE(p.description.empty());
        EXPECT_EQ(p.settings.is64Bit(), p.name.find("x64") != std::string::npos) << p.name;
    }
}

TEST(MachinePresets, OldSystemsLackTheLaterSystemCalls) {
    for (const sim::Preset& p : sim::Presets()) {
        SCOPED_TRACE(p.name);
        const sim::MachineSettings& s = p.settings;
        bool xpOrLater = s.platformId == 2 && (s.major > 5 || (s.major == 5 && s.minor >= 1));
        EXPECT_EQ(s.hasNativeSystemInfo, xpOrLater);
        EXPECT_EQ(s.hasIsWow64Process, xpOrLater);
        if (s.platformId == 1) {
            EXPECT_EQ(s.productType, 0);
        }
    }
}

TEST(MachineSettings, EveryPresetRoundTripsThroughMachineIni) {
    for (const sim::Preset& p : sim::Presets()) {
        SCOPED_TRACE(p.name);
        TempMachine m(p.name);
        std::string error;
        auto opened = sim::Machine::Open(m.machine().dir(), error);
        ASSERT_TRUE(opened) << error;
        const sim::MachineSettings& a = p.settings;
        const sim::MachineSettings& b = opened->settings();
        EXPECT_EQ(sim::FormatSettings(b), sim::FormatSettings(a));
        EXPECT_EQ(b.major, a.major);
        EXPECT_EQ(b.minor, a.minor);
        EXPECT_EQ(b.build, a.build);
        EXPECT_EQ(b.platformId, a.platformId);
        EXPECT_EQ(b.productType, a.productType);
        EXPECT_EQ(b.architecture, a.architecture);
        EXPECT_EQ(b.csdVersion, a.csdVersion);
        EXPECT_EQ(b.hasNativeSystemInfo, a.hasNativeSystemInfo);
        EXPECT_EQ(b.hasIsWow64Process, a.hasIsWow64Process);
        EXPECT_EQ(b.windowsDir, a.windowsDir);
        EXPECT_EQ(b.tempDir, a.tempDir);
    }
}

TEST(MachineSettings, ChangedSettingsSurviveSaveAndOpen) {
    TempMachine m;
    sim::MachineSettings s = m.machine().settings();
    std::string error;
    ASSERT_TRUE(sim::SetSetting(s, "admin", "0", error));
    ASSERT_TRUE(sim::SetSetting(s, "timescale", "0.25", error));
    ASSERT_TRUE(sim::SetSetting(s, "codepage", "936", error));
    ASSERT_TRUE(sim::SetSetting(s, "product", "A product name with = and blanks", error));
    ASSERT_TRUE(m.machine().SaveSettings(s, error)) << error;
    auto opened = sim::Machine::Open(m.machine().dir(), error);
    ASSERT_TRUE(opened) << error;
    EXPECT_FALSE(opened->settings().administrator);
    EXPECT_DOUBLE_EQ(opened->settings().timeScale, 0.25);
    EXPECT_EQ(opened->settings().codePage, 936u);
    EXPECT_EQ(opened->settings().productName, "A product name with = and blanks");
}

TEST(MachineSettings, MistakesInMachineIniAreErrors) {
    struct Case {
        const char* text;
        const char* mentions;
    };
    const Case cases[] = {
        {"majr=6\n", "majr"},
        {"major=six\n", "major"},
        {"major=-1\n", "major"},
        {"major=99999999999\n", "major"},
        {"admin=maybe\n", "admin"},
        {"timescale=-1\n", "timescale"},
        {"timescale=1x\n", "timescale"},
        {"windowsdir=D:\\Windows\n", "windowsdir"},
        {"minor=1\nno equals sign\n", "line 2"},
        {"major=5\ntimescale=nan\n", "line 2: setting timescale"},
        {"timescale=inf\n", "timescale"},
        {"timescale=1e300\n", "timescale"},
        {"producttype=256\n", "producttype"},
        {"architecture=65536\n", "architecture"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        sim::MachineSettings s;
        std::string error;
        EXPECT_FALSE(sim::ParseSettings(c.text, s, error));
        EXPECT_NE(error.find(c.mentions), std::string::npos) << error;
    }
}

// What a setting is given and what machine.ini then holds for it, worked out by hand from
// Windows' naming rules: every value reads back as stored, and storing it again changes nothing.
TEST(MachineSettings, EverySettingIsStoredCleanedAndReadsBackTheSame) {
    struct Case {
        const char* key;
        const char* given;
        const char* stored;
    };
    const Case cases[] = {
        {"preset", "  my preset  ", "my preset"},
        {"product", "Windows = X", "Windows = X"},
        {"csd", "Service Pack 3 ", "Service Pack 3"},
        {"user", "bob", "bob"},
        {"user", "", ""},
        {"platform", "1", "1"},
        {"major", "10", "10"},
        {"minor", "0003", "3"},
        {"build", "4294967295", "4294967295"},
        {"producttype", "255", "255"},
        {"architecture", "65535", "65535"},
        {"nativesysteminfo", "yes", "1"},
        {"iswow64process", "false", "0"},
        {"admin", "0", "0"},
        {"codepage", "936", "936"},
        {"timescale", "0.1234567", "0.1234567"},
        {"timescale", "1e-3", "0.001"},
        {"timescale", "100", "100"},
        {"timescale", "-0", "0"},
        {"timescale", "0", "0"},
        {"windowsdir", "C:\\Win..\\.", "C:\\Win"},
        {"windowsdir", "c:/WINNT/", "C:\\WINNT"},
        {"tempdir", "C:\\Temp\\.", "C:\\Temp"},
        {"tempdir", "c:/tmp/./x. ", "C:\\tmp\\x"},
        {"tempdir", "\\Temp\\", "C:\\Temp"},
        {"tempdir", "C:\\a \\b", "C:\\a \\b"},
        {"tempdir", "C:\\a\\..\\b...", "C:\\b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.given);
        sim::MachineSettings s;
        std::string error;
        ASSERT_TRUE(sim::SetSetting(s, c.key, c.given, error)) << error;
        const std::string text = sim::FormatSettings(s);
        EXPECT_NE(("\n" + text).find("\n" + std::string(c.key) + "=" + c.stored + "\n"),
                  std::string::npos)
            << text;
        sim::MachineSettings back;
        ASSERT_TRUE(sim::ParseSettings(text, back, error)) << error;
        EXPECT_EQ(sim::FormatSettings(back), text);
        // Giving the stored value again stores the same.
        ASSERT_TRUE(sim::SetSetting(back, c.key, c.stored, error)) << error;
        EXPECT_EQ(sim::FormatSettings(back), text);
    }
}

TEST(MachineSettings, ValuesThatWouldNotReadBackAreRefusedAndChangeNothing) {
    struct Case {
        const char* key;
        const char* given;
        const char* mentions;
    };
    const Case cases[] = {
        {"user", "bob\nbogus", "line break"},
        {"csd", "SP1\nmajor=5", "line break"},
        {"product", "a\rb", "line break"},
        {"preset", "x\r", "line break"},
        {"tempdir", "C:\\x\r", "line break"},
        {"user", "a\tb", "control character"},
        {"user", "a\x01", "control character"},
        {"timescale", "nan", "from 0 to 100"},
        {"timescale", "NaN", "from 0 to 100"},
        {"timescale", "inf", "from 0 to 100"},
        {"timescale", "-inf", "from 0 to 100"},
        {"timescale", "1e300", "from 0 to 100"},
        {"timescale", "100.001", "from 0 to 100"},
        {"timescale", "-0.5", "from 0 to 100"},
        {"timescale", "0x10", "from 0 to 100"},
        {"timescale", "", "from 0 to 100"},
        {"timescale", "1,5", "from 0 to 100"},
        {"producttype", "256", "from 0 to 255"},
        {"architecture", "65536", "from 0 to 65535"},
        {"windowsdir", "D:\\Windows", "drive C"},
        {"windowsdir", "C:\\", "drive C"},
        {"windowsdir", "C:\\.", "drive C"},
        {"windowsdir", "C:\\a..\\..", "drive C"},
        {"tempdir", "\\\\server\\share", "drive C"},
        {"tempdir", "C:\\a|b", "cannot hold"},
        {"tempdir", "C:\\a:b", "cannot hold"},
        {"tempdir", "2:\\Windows\\Temp", "cannot hold"},  // relative: becomes C:\2:\...
        {"tempdir", "C:\\what?", "cannot hold"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.given);
        sim::MachineSettings s;
        const std::string before = sim::FormatSettings(s);
        std::string error;
        EXPECT_FALSE(sim::SetSetting(s, c.key, c.given, error));
        EXPECT_NE(error.find(c.mentions), std::string::npos) << error;
        EXPECT_EQ(sim::FormatSettings(s), before);
    }
}

TEST(MachineSettings, CommentsBlanksAndMissingKeysAreAccepted) {
    sim::MachineSettings s;
    std::string error;
    ASSERT_TRUE(sim::ParseSettings("# a comment\n; another\n\n  major = 5 \r\nminor=1\n", s, error))
        << error;
    EXPECT_EQ(s.major, 5u);
    EXPECT_EQ(s.minor, 1u);
    EXPECT_EQ(s.codePage, sim::MachineSettings{}.codePage);
}

TEST(MachineSettings, TypoInMachineIniStopsTheMachineFromOpening) {
    TempMachine m;
    std::ofstream(m.machine().dir() / "machine.ini", std::ios::app) << "admn=0\n";
    std::string error;
    EXPECT_FALSE(sim::Machine::Open(m.machine().dir(), error));
    EXPECT_NE(error.find("admn"), std::string::npos) << error;
}

// ---- the machine directory ----

TEST(Machine, CreationLaysOutTheWindowsDirectories) {
    TempMachine m("windows-7-x64");
    const auto c = m.machine().driveC();
    for (const char* dir : {"Windows/System32/spool/drivers", "Windows/SysWOW64", "Windows/Temp",
                            "Windows/inf", "Program Files (x86)"})
        EXPECT_TRUE(std::filesystem::is_directory(c / dir)) << dir;
    EXPECT_TRUE(std::filesystem::is_regular_file(c / "Windows" / "win.ini"));
    std::string error;
    EXPECT_FALSE(sim::Machine::Create(m.machine().dir(), *sim::FindPreset("xp-x86"), error));
    EXPECT_NE(error.find("not empty"), std::string::npos) << error;
}

TEST(Machine, CreationInAFileSaysItIsAFile) {
    TempMachine m;
    for (const char* content : {"", "some bytes"}) {
        SCOPED_TRACE(std::string("file of ") + std::to_string(std::string(content).size()) + " bytes");
        const auto file = m.machine().dir() / "a-file";
        std::ofstream(file) << content;
        std::string error;
        EXPECT_FALSE(sim::Machine::Create(file, *sim::FindPreset("xp-x86"), error));
        EXPECT_NE(error.find("is a file, not a directory"), std::string::npos) << error;
        EXPECT_TRUE(std::filesystem::is_regular_file(file));
    }
}

// A process id that no process has now: a child that has ended and been reaped.
long EndedProcessId() {
    pid_t pid = 0;
    char arg0[] = "true";
    char* argv[] = {arg0, nullptr};
    EXPECT_EQ(posix_spawnp(&pid, "true", nullptr, nullptr, argv, environ), 0);
    int status = 0;
    waitpid(pid, &status, 0);
    return static_cast<long>(pid);
}

TEST(Machine, OpeningRemovesTheTempFilesOfWritersThatEndedAndKeepsTheRest) {
    TempMachine m;
    namespace fs = std::filesystem;
    const fs::path dir = m.machine().dir();
    const std::string dead = std::to_string(EndedProcessId());
    const std::string alive = std::to_string(::getpid());
    fs::create_directories(dir / "state" / "tmp");
    fs::create_directories(dir / "spool" / "jobs");
    const fs::path stray[] = {
        dir / ("registry.reg." + dead + ".tmp"),
        dir / ("machine.ini." + dead + ".tmp"),
        dir / "state" / ("faults.txt." + dead + ".tmp"),
        dir / "state" / "tmp" / ("t" + dead + "-3"),
        dir / "spool" / "jobs" / ("0001.info." + dead + ".tmp"),
    };
    const fs::path kept[] = {
        dir / ("registry.reg." + alive + ".tmp"),      // a writer still at work
        dir / "state" / "tmp" / ("t" + alive + "-0"),
        dir / "notes.tmp",                             // not a temporary file of ours
        dir / "state" / "desktop.txt.x.tmp",
        dir / "spool" / "jobs" / "0002.job",
    };
    for (const fs::path& f : stray) std::ofstream(f) << "half";
    for (const fs::path& f : kept) std::ofstream(f) << "keep";

    std::string error;
    ASSERT_TRUE(sim::Machine::Open(dir, error)) << error;
    for (const fs::path& f : stray) EXPECT_FALSE(fs::exists(f)) << f;
    for (const fs::path& f : kept) EXPECT_TRUE(fs::exists(f)) << f;
}

TEST(Machine, HostPathMatchesExistingNamesInAnyLetterCase) {
    TempMachine m;
    const auto c = m.machine().driveC();
    EXPECT_EQ(m.machine().HostPath("c:\\WINDOWS\\system32"), c / "Windows" / "System32");
    EXPECT_EQ(m.machine().HostPath("C:\\windows\\New\\Deeper"), c / "Windows" / "New" / "Deeper");
    EXPECT_EQ(m.machine().HostPath("C:\\"), c);
    EXPECT_TRUE(m.machine().HostPath("D:\\Windows").empty());
    EXPECT_TRUE(m.machine().HostPath("Windows").empty());
}

TEST(Machine, LockIsReentrantInOneThreadAndExcludesOthers) {
    TempMachine m;
    std::atomic<bool> otherHasLock{false};
    std::thread other;
    {
        sim::MachineLock outer(m.machine().dir());
        {
            sim::MachineLock inner(m.machine().dir());  // must not deadlock
        }
        other = std::thread([&] {
            sim::MachineLock lock(m.machine().dir());
            otherHasLock = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        EXPECT_FALSE(otherHasLock) << "another thread took the lock while it was held";
    }
    other.join();
    EXPECT_TRUE(otherHasLock);
}

}  // namespace
