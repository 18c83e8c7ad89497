// The simulated file system on one machine shared by several processes: letter case on drive C,
// handles and attributes seen machine-wide, handles of ended processes, injected faults and
// atomic writes.
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/sim/state/file_holds.h"
#include "platform/win_constants.h"
#include "tests/support/temp_machine.h"

namespace {

using testsupport::TempMachine;

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }
std::uint32_t Attr(std::uint32_t a) { return a; }

std::string Read(plat::Platform& p, const char* path) {
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(p.files().ReadWholeFile(path, bytes)) << path << ": error "
                                                      << p.lastError().GetLastError();
    return {bytes.begin(), bytes.end()};
}

std::vector<std::string> HostNames(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SimFiles, DriveCIgnoresLetterCaseAndKeepsTheFirstSpelling) {
    TempMachine m;
    auto p = m.Process();
    // The machine's own win.ini, under another spelling.
    EXPECT_NE(Read(*p, "c:\\WINDOWS\\WIN.INI").find("[Ports]"), std::string::npos);

    ASSERT_TRUE(p->files().WriteWholeFile("C:\\Scratch\\MixedCase.Txt", Bytes("one")));
    ASSERT_TRUE(p->files().WriteWholeFile("C:\\SCRATCH\\mixedcase.txt", Bytes("two")));
    EXPECT_EQ(HostNames(m.machine().driveC() / "scratch"),
              std::vector<std::string>{"MixedCase.Txt"});
    EXPECT_EQ(Read(*p, "c:\\scratch\\MIXEDCASE.TXT"), "two");
    ASSERT_TRUE(p->files().CreateDirectoryA("C:\\scratch\\NewDir"));
    ASSERT_TRUE(p->files().WriteWholeFile("C:\\SCRATCH\\NEWDIR\\f", Bytes("x")));
    EXPECT_TRUE(std::filesystem::exists(m.machine().driveC() / "scratch" / "NewDir" / "f"));
}

TEST(SimFiles, OtherDrivesAndNetworkPathsDoNotExist) {
    TempMachine m;
    auto p = m.Process();
    for (const char* path : {"D:\\file.txt", "\\\\server\\share\\file.txt", "D:file.txt"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(p->files().GetFileAttributesA(path), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(p->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
        EXPECT_FALSE(p->files().WriteWholeFile(path, Bytes("x")));
    }
}

TEST(SimFiles, DirectoriesAndModuleComeFromMachineAndProcess) {
    TempMachine m("windows-2000-x86");
    auto p = m.Process();
    char buffer[260] = {};
    ASSERT_GT(p->files().GetWindowsDirectoryA(buffer, sizeof buffer), 0u);
    EXPECT_EQ(std::string(buffer), "C:\\WINNT");
    ASSERT_GT(p->files().GetSystemDirectoryA(buffer, sizeof buffer), 0u);
    EXPECT_EQ(std::string(buffer), "C:\\WINNT\\System32");
    ASSERT_GT(p->files().GetTempPathA(sizeof buffer, buffer), 0u);
    EXPECT_EQ(std::string(buffer), "C:\\WINNT\\Temp\\");
    ASSERT_GT(p->files().GetModuleFileNameA(buffer, sizeof buffer), 0u);
    EXPECT_EQ(std::string(buffer), "C:\\scratch\\program.exe");
}

TEST(SimFiles, ProcessesShareFilesButNotTheCurrentDirectory) {
    TempMachine m;
    auto a = m.Process();
    auto b = m.Process();
    ASSERT_TRUE(a->files().CreateDirectoryA("sub"));
    ASSERT_TRUE(a->files().WriteWholeFile("sub\\note.txt", Bytes("from a")));
    ASSERT_TRUE(a->files().SetCurrentDirectoryA("sub"));
    EXPECT_EQ(Read(*b, "sub\\note.txt"), "from a");
    EXPECT_EQ(Read(*a, "note.txt"), "from a");
    char dir[260] = {};
    b->files().GetCurrentDirectoryA(sizeof dir, dir);
    EXPECT_EQ(std::string(dir), "C:\\scratch");
}

TEST(SimFiles, HandlesAndAttributesOfOneProcessBindTheOthers) {
    TempMachine m;
    auto a = m.Process();
    auto b = m.Process();
    ASSERT_TRUE(a->files().WriteWholeFile("shared.txt", Bytes("x")));
    auto handle = a->files().OpenExisting("shared.txt", GENERIC_READ, FILE_SHARE_READ);
    ASSERT_NE(handle, nullptr);
    EXPECT_FALSE(b->files().WriteWholeFile("shared.txt", Bytes("y")));
    EXPECT_EQ(b->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    handle.reset();
    EXPECT_TRUE(b->files().WriteWholeFile("shared.txt", Bytes("y")));

    ASSERT_TRUE(a->files().SetFileAttributesA("shared.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(b->files().DeleteFileA("SHARED.TXT"));
    EXPECT_EQ(b->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
}

TEST(SimFiles, HandlesOfAnEndedProcessNoLongerCount) {
    TempMachine m;
    auto p = m.Process();
    ASSERT_TRUE(p->files().WriteWholeFile("left.txt", Bytes("x")));
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Open without sharing and end without closing, as a crashed program would.
        auto handle = p->files().OpenExisting("left.txt", GENERIC_READ, 0);
        ::_exit(handle.release() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    // The record is still in the table...
    std::ifstream table(m.machine().stateDir() / "open_files.txt");
    std::stringstream text;
    text << table.rdbuf();
    EXPECT_NE(text.str().find(std::to_string(child)), std::string::npos);
    // ...but its owner is gone.
    EXPECT_TRUE(p->files().WriteWholeFile("left.txt", Bytes("y")));
}

TEST(SimFiles, InjectedHoldBindsEveryProcessUntilReleased) {
    TempMachine m;
    auto p = m.Process();
    ASSERT_TRUE(p->files().WriteWholeFile("C:\\scratch\\driver.dll", Bytes("old")));
    EXPECT_EQ(sim::HoldFileOpen(m.machine(), "c:\\SCRATCH\\DRIVER.DLL", GENERIC_READ,
                                FILE_SHARE_READ),
              0u);
    EXPECT_EQ(Read(*p, "driver.dll"), "old");
    EXPECT_FALSE(p->files().WriteWholeFile("driver.dll", Bytes("new")));
    EXPECT_EQ(p->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(p->files().DeleteFileA("driver.dll"));
    EXPECT_EQ(p->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    // A process that ends does not take winsim's hold with it.
    auto other = m.Process();
    other.reset();
    EXPECT_FALSE(p->files().WriteWholeFile("driver.dll", Bytes("new")));

    auto faults = sim::ListFileHolds(m.machine());
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0], "held 80000000 1 C:\\SCRATCH\\DRIVER.DLL");

    EXPECT_EQ(sim::ReleaseFile(m.machine(), "C:\\scratch\\driver.dll"), 0u);
    EXPECT_TRUE(p->files().WriteWholeFile("driver.dll", Bytes("new")));
    EXPECT_EQ(sim::ReleaseFile(m.machine(), "C:\\scratch\\driver.dll"),
              static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(sim::ListFileHolds(m.machine()).empty());
}

TEST(SimFiles, InjectedHoldNeedsAnExistingFileThatAllowsIt) {
    TempMachine m;
    auto p = m.Process();
    EXPECT_EQ(sim::HoldFileOpen(m.machine(), "C:\\scratch\\none.dll", GENERIC_READ, 0),
              static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(sim::HoldFileOpen(m.machine(), "C:\\nodir\\none.dll", GENERIC_READ, 0),
              static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
    ASSERT_TRUE(p->files().WriteWholeFile("busy.dll", Bytes("x")));
    auto handle = p->files().OpenExisting("busy.dll", GENERIC_WRITE, FILE_SHARE_READ);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(sim::HoldFileOpen(m.machine(), "C:\\scratch\\busy.dll", GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE),
              static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
}

TEST(SimFiles, AccessDeniedMarkRefusesEveryChangeButNotAttributes) {
    TempMachine m;
    auto p = m.Process();
    ASSERT_TRUE(p->files().WriteWholeFile("secret.txt", Bytes("x")));
    ASSERT_EQ(sim::DenyFileAccess(m.machine(), "C:\\scratch\\secret.txt"), 0u);
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(p->files().ReadWholeFile("secret.txt", bytes));
    EXPECT_EQ(p->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(p->files().WriteWholeFile("secret.txt", Bytes("y")));
    EXPECT_FALSE(p->files().DeleteFileA("secret.txt"));
    EXPECT_FALSE(p->files().CopyFileA("secret.txt", "copy.txt", false));
    EXPECT_FALSE(p->files().SetFileAttributesA("secret.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(p->files().OpenExisting("secret.txt", GENERIC_READ, FILE_SHARE_READ), nullptr);
    EXPECT_EQ(p->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_NE(p->files().GetFileAttributesA("secret.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(sim::ListFileHolds(m.machine()),
              std::vector<std::string>{"denied C:\\SCRATCH\\SECRET.TXT"});

    // A path that does not exist yet can be denied too: it cannot be created.
    ASSERT_EQ(sim::DenyFileAccess(m.machine(), "C:\\scratch\\later.txt"), 0u);
    EXPECT_FALSE(p->files().WriteWholeFile("later.txt", Bytes("x")));
    EXPECT_EQ(p->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));

    ASSERT_EQ(sim::ReleaseFile(m.machine(), "C:\\scratch\\secret.txt"), 0u);
    EXPECT_TRUE(p->files().DeleteFileA("secret.txt"));
}

// The open-files table keeps one record a line; a path with a line break once left a record
// for its first half, so another path was denied.
TEST(SimFiles, ADeniedPathWithALineBreakDeniesThatPathOnly) {
    TempMachine m;
    auto p = m.Process();
    ASSERT_TRUE(p->files().WriteWholeFile("C:\\a", Bytes("x")));
    ASSERT_EQ(sim::DenyFileAccess(m.machine(), "C:\\a\nb"), 0u);
    EXPECT_EQ(sim::ListFileHolds(m.machine()), std::vector<std::string>{"denied C:\\A\nB"});
    // C:\a is not the denied path: it is read and written as before.
    EXPECT_EQ(Read(*p, "C:\\a"), "x");
    EXPECT_TRUE(p->files().WriteWholeFile("C:\\a", Bytes("y")))
        << "error " << p->lastError().GetLastError();
    ASSERT_EQ(sim::ReleaseFile(m.machine(), "C:\\a\nb"), 0u);
    EXPECT_TRUE(sim::ListFileHolds(m.machine()).empty());
}

TEST(SimFiles, ReadersNeverSeeAHalfWrittenFile) {
    TempMachine m;
    auto writer = m.Process();
    const std::string a(256 * 1024, 'a'), b(256 * 1024, 'b');
    ASSERT_TRUE(writer->files().WriteWholeFile("big.bin", Bytes(a)));
    std::atomic<bool> done{false};
    std::atomic<int> torn{0};
    // The reader looks at the host file directly, outside the machine lock.
    std::thread reader([&] {
        const auto host = m.machine().driveC() / "scratch" / "big.bin";
        while (!done) {
            std::ifstream in(host, std::ios::binary);
            std::string text((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
            if (text != a && text != b) ++torn;
        }
    });
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(writer->files().WriteWholeFile("big.bin", Bytes(i % 2 ? a : b)));
    done = true;
    reader.join();
    EXPECT_EQ(torn, 0);
    // Nothing but the file itself is left in its directory.
    EXPECT_EQ(HostNames(m.machine().driveC() / "scratch"), std::vector<std::string>{"big.bin"});
}

TEST(SimFiles, CurrentDirectoryCannotBeRemoved) {
    TempMachine m;
    auto p = m.Process();
    ASSERT_TRUE(p->files().CreateDirectoryA("here"));
    ASSERT_TRUE(p->files().SetCurrentDirectoryA("here"));
    EXPECT_FALSE(p->files().RemoveDirectoryA("C:\\scratch\\here"));
    EXPECT_EQ(p->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    ASSERT_TRUE(p->files().SetCurrentDirectoryA(".."));
    EXPECT_TRUE(p->files().RemoveDirectoryA("here"));
}

TEST(SimFiles, AttributesDoNotOutliveTheirFile) {
    TempMachine m;
    auto p = m.Process();
    ASSERT_TRUE(p->files().WriteWholeFile("f.txt", Bytes("x")));
    // The kind of a file is not an attribute to set.
    ASSERT_TRUE(p->files().SetFileAttributesA("f.txt",
                                              FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(p->files().GetFileAttributesA("f.txt"), Attr(FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(p->files().SetFileAttributesA("f.txt", FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(p->files().SetFileAttributesA("f.txt", FILE_ATTRIBUTE_NORMAL));
    ASSERT_TRUE(p->files().DeleteFileA("f.txt"));
    ASSERT_TRUE(p->files().WriteWholeFile("F.TXT", Bytes("z")));
    EXPECT_EQ(p->files().GetFileAttributesA("f.txt"), Attr(FILE_ATTRIBUTE_ARCHIVE));
    // A directory removed and made again starts afresh too.
    ASSERT_TRUE(p->files().CreateDirectoryA("d"));
    ASSERT_TRUE(p->files().SetFileAttributesA("d", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(p->files().RemoveDirectoryA("d"));
    ASSERT_TRUE(p->files().CreateDirectoryA("d"));
    EXPECT_EQ(p->files().GetFileAttributesA("d"), Attr(FILE_ATTRIBUTE_DIRECTORY));
}

}  // namespace

namespace {

std::string ProfileValue(sim::SimPlatform& p, const char* file) {
    char out[64] = {};
    p.profile().GetPrivateProfileStringA("Main", "Colour", "none", out, sizeof out, file);
    return out;
}

// A process reads one INI file many times; whatever another process or the host wrote in
// between (even text of the same length) is what it reads next.
TEST(SimFiles, ProfileReadsSeeEveryChangeOfTheFile) {
    TempMachine m;
    auto reader = m.Process();
    auto writer = m.Process();
    const char* file = "C:\\scratch\\colours.ini";
    ASSERT_TRUE(writer->files().WriteWholeFile(file, Bytes("[Main]\r\nColour=red\r\n")));
    EXPECT_EQ(ProfileValue(*reader, file), "red");
    EXPECT_EQ(ProfileValue(*reader, file), "red");
    ASSERT_TRUE(writer->files().WriteWholeFile(file, Bytes("[Main]\r\nColour=tan\r\n")));
    EXPECT_EQ(ProfileValue(*reader, file), "tan");
    ASSERT_TRUE(writer->profile().WritePrivateProfileStringA("Main", "Colour", "blue", file));
    EXPECT_EQ(ProfileValue(*reader, file), "blue");
    ASSERT_TRUE(writer->files().DeleteFileA(file));
    EXPECT_EQ(ProfileValue(*reader, file), "none");
}

// Files are read whole, whatever bytes they hold; an empty file is no bytes.
TEST(SimFiles, WholeFilesReadBackByteForByte) {
    TempMachine m;
    auto p = m.Process();
    std::vector<std::uint8_t> all(300);
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<std::uint8_t>(i);
    ASSERT_TRUE(p->files().WriteWholeFile("C:\\scratch\\all.bin", all));
    ASSERT_TRUE(p->files().WriteWholeFile("C:\\scratch\\empty.bin", {}));
    std::vector<std::uint8_t> back{1, 2, 3};
    ASSERT_TRUE(p->files().ReadWholeFile("C:\\scratch\\all.bin", back));
    EXPECT_EQ(back, all);
    ASSERT_TRUE(p->files().ReadWholeFile("C:\\scratch\\empty.bin", back));
    EXPECT_TRUE(back.empty());
}

}  // namespace
