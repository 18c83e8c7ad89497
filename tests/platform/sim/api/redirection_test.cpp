// 64-bit file-system redirection on the simulated machine: a 32-bit program's System32 is
// SysWOW64 until it suspends that, and the 64-bit registry view stays reachable.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/win_constants.h"
#include "tests/support/temp_machine.h"

namespace {

namespace fs = std::filesystem;
using testsupport::TempMachine;

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

bool OnDisk(TempMachine& m, const std::string& relative) {
    return fs::exists(m.machine().driveC() / relative);
}

TEST(SimRedirection, A32BitProgramWritesSystem32FilesIntoSysWow64) {
    TempMachine m("windows-7-x64");
    auto p32 = m.Process(32);
    auto p64 = m.Process(64);
    ASSERT_TRUE(p32->files().WriteWholeFile("C:\\Windows\\System32\\from32.dll", Bytes("32")));
    EXPECT_TRUE(OnDisk(m, "Windows/SysWOW64/from32.dll"));
    EXPECT_FALSE(OnDisk(m, "Windows/System32/from32.dll"));
    ASSERT_TRUE(p64->files().WriteWholeFile("C:\\Windows\\System32\\from64.dll", Bytes("64")));
    EXPECT_TRUE(OnDisk(m, "Windows/System32/from64.dll"));
    EXPECT_FALSE(OnDisk(m, "Windows/SysWOW64/from64.dll"));
    // Each sees its own System32.
    EXPECT_EQ(p32->files().GetFileAttributesA("C:\\Windows\\System32\\from64.dll"),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(p32->lastError().GetLastError(), ERROR_FILE_NOT_FOUND);
    std::vector<plat::FindData> listing;
    ASSERT_TRUE(p32->files().FindFiles("C:\\Windows\\System32\\from*", listing));
    ASSERT_EQ(listing.size(), 1u);
    EXPECT_EQ(listing[0].name, "from32.dll");
    // It is still told the directory is System32.
    char dir[260];
    ASSERT_GT(p32->files().GetSystemDirectoryA(dir, sizeof dir), 0u);
    EXPECT_STREQ(dir, "C:\\Windows\\System32");
}

TEST(SimRedirection, TheSpoolDirectoryIsSharedByBothWordSizes) {
    TempMachine m("windows-7-x64");
    auto p32 = m.Process(32);
    ASSERT_TRUE(p32->files().WriteWholeFile(
        "C:\\Windows\\System32\\spool\\drivers\\driver.dll", Bytes("d")));
    EXPECT_TRUE(OnDisk(m, "Windows/System32/spool/drivers/driver.dll"));
}

TEST(SimRedirection, SuspendingReachesTheRealSystem32UntilReverted) {
    TempMachine m("windows-7-x64");
    auto p32 = m.Process(32);
    auto& files = p32->files();
    void* outer = reinterpret_cast<void*>(0x5);
    ASSERT_TRUE(files.Wow64DisableWow64FsRedirection(outer));
    ASSERT_TRUE(files.WriteWholeFile("C:\\Windows\\System32\\native.dll", Bytes("n")));
    EXPECT_TRUE(OnDisk(m, "Windows/System32/native.dll"));

    // A second suspension inside the first: reverting it keeps the outer one.
    void* inner = nullptr;
    ASSERT_TRUE(files.Wow64DisableWow64FsRedirection(inner));
    ASSERT_TRUE(files.Wow64RevertWow64FsRedirection(inner));
    ASSERT_TRUE(files.WriteWholeFile("C:\\Windows\\System32\\still.dll", Bytes("s")));
    EXPECT_TRUE(OnDisk(m, "Windows/System32/still.dll"));

    ASSERT_TRUE(files.Wow64RevertWow64FsRedirection(outer));
    ASSERT_TRUE(files.WriteWholeFile("C:\\Windows\\System32\\again.dll", Bytes("a")));
    EXPECT_TRUE(OnDisk(m, "Windows/SysWOW64/again.dll"));
    EXPECT_FALSE(OnDisk(m, "Windows/System32/again.dll"));
}

TEST(SimRedirection, SuspendingFailsOutsideWow64AndIsMissingBeforeXp) {
    struct Case {
        const char* preset;
        int bits;
        bool succeeds;
        std::uint32_t error;
    };
    const Case cases[] = {
        {"windows-7-x64", 64, false, ERROR_INVALID_FUNCTION},  // nothing to redirect
        {"xp-x64", 32, true, 0},
        {"windows-7-x86", 32, false, ERROR_INVALID_FUNCTION},
        {"xp-x86", 32, false, ERROR_INVALID_FUNCTION},
        {"windows-2000-x86", 32, false, ERROR_PROC_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preset);
        TempMachine m(c.preset);
        auto p = m.Process(c.bits);
        void* token = nullptr;
        EXPECT_EQ(p->files().Wow64DisableWow64FsRedirection(token), c.succeeds);
        if (!c.succeeds) {
            EXPECT_EQ(p->lastError().GetLastError(), c.error);
        }
        EXPECT_EQ(p->files().Wow64RevertWow64FsRedirection(token), c.succeeds);
    }
}

TEST(SimRedirection, SysnativeReachesSystem32FromVistaOn) {
    for (const char* preset : {"vista-x64", "xp-x64"}) {
        SCOPED_TRACE(preset);
        TempMachine m(preset);
        auto p64 = m.Process(64);
        auto p32 = m.Process(32);
        char system[260];
        ASSERT_GT(p64->files().GetSystemDirectoryA(system, sizeof system), 0u);
        const std::string inSystem = std::string(system) + "\\native.dll";
        ASSERT_TRUE(p64->files().WriteWholeFile(inSystem.c_str(), Bytes("n")));
        char windows[260];
        ASSERT_GT(p32->files().GetWindowsDirectoryA(windows, sizeof windows), 0u);
        const std::string viaSysnative = std::string(windows) + "\\Sysnative\\native.dll";
        std::vector<std::uint8_t> read;
        const bool vista = std::string(preset) == "vista-x64";
        EXPECT_EQ(p32->files().ReadWholeFile(viaSysnative.c_str(), read), vista);
        if (vista) {
            EXPECT_EQ(read, Bytes("n"));
        } else {
            EXPECT_EQ(p32->lastError().GetLastError(), ERROR_PATH_NOT_FOUND);
        }
        // A 64-bit program has no Sysnative.
        EXPECT_FALSE(p64->files().ReadWholeFile(viaSysnative.c_str(), read));
    }
}

TEST(SimRedirection, The64BitRegistryViewIsReachableFromA32BitProgram) {
    TempMachine m("windows-7-x64");
    auto p32 = m.Process(32);
    auto p64 = m.Process(64);
    const char* key = "SOFTWARE\\Vortane\\PRINTERPORT";
    ASSERT_EQ(p32->registry().CreateKey(plat::RegRoot::LocalMachine, key, plat::RegView::View64),
              ERROR_SUCCESS);
    ASSERT_EQ(p32->registry().SetValue(plat::RegRoot::LocalMachine, key, "USB001", REG_DWORD,
                                       {0, 0, 0, 0}, plat::RegView::View64),
              ERROR_SUCCESS);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    EXPECT_EQ(p64->registry().QueryValue(plat::RegRoot::LocalMachine, key, "USB001", type, data,
                                         plat::RegView::Default),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<std::uint32_t>(REG_DWORD));
    // The 32-bit program's own view is Wow6432Node, where the value is not.
    EXPECT_EQ(p32->registry().QueryValue(plat::RegRoot::LocalMachine, key, "USB001", type, data,
                                         plat::RegView::Default),
              ERROR_FILE_NOT_FOUND);
}

}  // namespace
