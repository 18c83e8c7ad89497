// System information of the simulated machine: version, processor and WOW64 by preset and
// word size, administrator, error texts, code page and the scaled clock.
#include <chrono>
#include <cstring>
#include <set>
#include <string>

#include "platform/win_constants.h"
#include "tests/support/temp_machine.h"

namespace {

using testsupport::TempMachine;

// Sets machine.ini values before the processes that should see them are made.
void Configure(TempMachine& m, const std::string& key, const std::string& value) {
    sim::MachineSettings s = m.machine().settings();
    std::string error;
    ASSERT_TRUE(sim::SetSetting(s, key, value, error)) << error;
    ASSERT_TRUE(m.machine().SaveSettings(s, error)) << error;
}

TEST(SimSystemInfo, VersionComesFromThePreset) {
    struct Case {
        const char* preset;
        std::uint32_t platformId, major, minor;
        std::uint8_t productType;
    };
    const Case cases[] = {
        {"windows-98", VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0},
        {"windows-me", VER_PLATFORM_WIN32_WINDOWS, 4, 90, 0},
        {"nt4-x86", VER_PLATFORM_WIN32_NT, 4, 0, VER_NT_WORKSTATION},
        {"windows-2000-x86", VER_PLATFORM_WIN32_NT, 5, 0, VER_NT_WORKSTATION},
        {"xp-x64", VER_PLATFORM_WIN32_NT, 5, 2, VER_NT_WORKSTATION},
        {"server-2003-x86", VER_PLATFORM_WIN32_NT, 5, 2, VER_NT_SERVER},
        {"server-2008-r2-x64", VER_PLATFORM_WIN32_NT, 6, 1, VER_NT_SERVER},
        {"windows-7-x86", VER_PLATFORM_WIN32_NT, 6, 1, VER_NT_WORKSTATION},
        {"windows-10-x64", VER_PLATFORM_WIN32_NT, 10, 0, VER_NT_WORKSTATION},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preset);
        TempMachine m(c.preset);
        auto p = m.Process();
        plat::OsVersion v;
        std::memset(v.csdVersion, 'x', sizeof v.csdVersion);
        ASSERT_TRUE(p->system().GetVersionExA(v));
        EXPECT_EQ(v.platformId, c.platformId);
        EXPECT_EQ(v.major, c.major);
        EXPECT_EQ(v.minor, c.minor);
        EXPECT_EQ(v.productType, c.productType);
        EXPECT_EQ(std::string(v.csdVersion), m.machine().settings().csdVersion);
    }
}

TEST(SimSystemInfo, NinetyEightCarriesItsVersionInTheBuildNumbersHighWord) {
    TempMachine m("windows-98");
    plat::OsVersion v;
    ASSERT_TRUE(m.Process()->system().GetVersionExA(v));
    EXPECT_EQ(v.build >> 16, 0x040Au);
    EXPECT_EQ(v.build & 0xFFFF, m.machine().settings().build);
}

TEST(SimSystemInfo, LongServicePackTextIsCut) {
    TempMachine m;
    Configure(m, "csd", std::string(300, 'S'));
    plat::OsVersion v;
    ASSERT_TRUE(m.Process()->system().GetVersionExA(v));
    EXPECT_EQ(std::strlen(v.csdVersion), sizeof v.csdVersion - 1);
}

TEST(SimSystemInfo, ProcessorAndWow64FollowMachineAndWordSize) {
    struct Case {
        const char* preset;
        int bits;
        bool hasWow64Call;
        bool wow64;
        std::uint16_t seen;    // GetSystemInfo
        bool hasNative;
        std::uint16_t native;  // GetNativeSystemInfo
    };
    const std::uint16_t x86 = PROCESSOR_ARCHITECTURE_INTEL, x64 = PROCESSOR_ARCHITECTURE_AMD64;
    const Case cases[] = {
        {"windows-7-x64", 32, true, true, x86, true, x64},
        {"windows-7-x64", 64, true, false, x64, true, x64},
        {"windows-7-x86", 32, true, false, x86, true, x86},
        {"xp-x64", 32, true, true, x86, true, x64},
        {"server-2003-x64", 32, true, true, x86, true, x64},
        {"xp-x86", 32, true, false, x86, true, x86},
        {"windows-2000-x86", 32, false, false, x86, false, 0},
        {"nt4-x86", 32, false, false, x86, false, 0},
        {"windows-98", 32, false, false, x86, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.preset) + " " + std::to_string(c.bits) + "-bit");
        TempMachine m(c.preset);
        auto p = m.Process(c.bits);
        bool wow64 = !c.wow64;
        p->lastError().SetLastError(0);
        EXPECT_EQ(p->system().IsWow64Process(wow64), c.hasWow64Call);
        if (c.hasWow64Call) {
            EXPECT_EQ(wow64, c.wow64);
        } else {
            EXPECT_EQ(p->lastError().GetLastError(),
                      static_cast<std::uint32_t>(ERROR_PROC_NOT_FOUND));
        }
        EXPECT_EQ(p->system().GetProcessorArchitecture(), c.seen);
        std::uint16_t native = 0xABCD;
        EXPECT_EQ(p->system().GetNativeProcessorArchitecture(native), c.hasNative);
        if (c.hasNative) {
            EXPECT_EQ(native, c.native);
        }
    }
}

TEST(SimSystemInfo, MissingWow64CallIsASettingOfItsOwn) {
    TempMachine m("windows-7-x64");
    Configure(m, "iswow64process", "0");
    Configure(m, "nativesysteminfo", "0");
    auto p = m.Process(32);
    bool wow64 = true;
    std::uint16_t native = 0;
    EXPECT_FALSE(p->system().IsWow64Process(wow64));
    EXPECT_FALSE(p->system().GetNativeProcessorArchitecture(native));
    EXPECT_EQ(p->system().GetProcessorArchitecture(), PROCESSOR_ARCHITECTURE_INTEL);
}

TEST(SimSystemInfo, AdministratorFollowsTheSettingOnNtOnly) {
    struct Case {
        const char* preset;
        const char* admin;
        bool expected;
    };
    const Case cases[] = {
        {"windows-7-x64", "1", true},
        {"windows-7-x64", "0", false},
        {"nt4-x86", "1", true},
        // The 9x systems have no access token, so nobody counts as administrator there.
        {"windows-98", "1", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.preset) + " admin=" + c.admin);
        TempMachine m(c.preset);
        Configure(m, "admin", c.admin);
        EXPECT_EQ(m.Process()->system().IsUserAdministrator(), c.expected);
    }
}

TEST(SimSystemInfo, EveryErrorCodeTheProgramsUseHasItsOwnText) {
    const std::uint32_t codes[] = {
        ERROR_SUCCESS, ERROR_INVALID_FUNCTION, ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND,
        ERROR_ACCESS_DENIED, ERROR_INVALID_HANDLE, ERROR_NOT_ENOUGH_MEMORY, ERROR_OUTOFMEMORY,
        ERROR_NO_MORE_FILES, ERROR_WRITE_PROTECT, ERROR_WRITE_FAULT, ERROR_READ_FAULT,
        ERROR_SHARING_VIOLATION, ERROR_NOT_SUPPORTED, ERROR_FILE_EXISTS, ERROR_INVALID_PARAMETER,
        ERROR_CALL_NOT_IMPLEMENTED, ERROR_INSUFFICIENT_BUFFER, ERROR_INVALID_NAME,
        ERROR_MOD_NOT_FOUND, ERROR_PROC_NOT_FOUND, ERROR_DIR_NOT_EMPTY, ERROR_BAD_PATHNAME,
        ERROR_ALREADY_EXISTS, ERROR_MORE_DATA, ERROR_NO_MORE_ITEMS, ERROR_DIRECTORY,
        ERROR_INVALID_FLAGS, ERROR_NO_TOKEN, ERROR_BADKEY, ERROR_CANTOPEN, ERROR_CANTREAD,
        ERROR_CANTWRITE, ERROR_KEY_DELETED, ERROR_SERVICE_DOES_NOT_EXIST,
        ERROR_SERVICE_NOT_ACTIVE, ERROR_INVALID_WINDOW_HANDLE, ERROR_INVALID_PRINTER_NAME,
        ERROR_UNKNOWN_PRINTER_DRIVER, ERROR_UNKNOWN_PORT, ERROR_PRINTER_ALREADY_EXISTS,
        ERROR_PRINTER_DRIVER_ALREADY_INSTALLED, ERROR_UNKNOWN_PRINT_MONITOR,
        ERROR_PRINTER_DRIVER_IN_USE, ERROR_PRINT_MONITOR_ALREADY_INSTALLED,
        ERROR_PRINT_MONITOR_IN_USE, ERROR_PRINTER_NOT_FOUND,
    };
    TempMachine m;
    auto p = m.Process();
    std::set<std::string> seen;
    for (std::uint32_t code : codes) {
        SCOPED_TRACE(code);
        char text[256] = {};
        std::uint32_t n = p->system().FormatMessageA(code, text, sizeof text);
        ASSERT_GT(n, 2u);
        EXPECT_EQ(n, std::strlen(text));
        EXPECT_EQ(std::string(text + n - 2), "\r\n");
        EXPECT_TRUE(seen.insert(text).second) << "the same text twice: " << text;
    }
}

TEST(SimSystemInfo, ErrorTextsAreWindowsEnglishMessages) {
    // As an English Windows shows them in its error dialogs, line end included.
    const std::pair<std::uint32_t, const char*> cases[] = {
        {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified.\r\n"},
        {ERROR_ACCESS_DENIED, "Access is denied.\r\n"},
        {ERROR_SHARING_VIOLATION,
         "The process cannot access the file because it is being used by another process.\r\n"},
        {ERROR_INVALID_PARAMETER, "The parameter is incorrect.\r\n"},
        {ERROR_MOD_NOT_FOUND, "The specified module could not be found.\r\n"},
        {ERROR_ALREADY_EXISTS, "Cannot create a file when that file already exists.\r\n"},
        {ERROR_SERVICE_REQUEST_TIMEOUT,
         "The service did not respond to the start or control request in a timely fashion.\r\n"},
        {ERROR_SERVICE_ALREADY_RUNNING, "An instance of the service is already running.\r\n"},
        {ERROR_SERVICE_DOES_NOT_EXIST,
         "The specified service does not exist as an installed service.\r\n"},
        {ERROR_SERVICE_NOT_ACTIVE, "The service has not been started.\r\n"},
        {RPC_S_SERVER_UNAVAILABLE, "The RPC server is unavailable.\r\n"},
        {ERROR_UNKNOWN_PRINTER_DRIVER, "The printer driver is unknown.\r\n"},
        {ERROR_INVALID_ENVIRONMENT, "The environment specified is invalid.\r\n"},
        {ERROR_UNKNOWN_PRINT_MONITOR, "The specified print monitor is unknown.\r\n"},
        {ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED,
         "The specified print processor has already been installed.\r\n"},
    };
    TempMachine m;
    auto p = m.Process();
    for (const auto& [code, expected] : cases) {
        SCOPED_TRACE(code);
        char text[256] = {};
        EXPECT_EQ(p->system().FormatMessageA(code, text, sizeof text), std::strlen(expected));
        EXPECT_STREQ(text, expected);
    }
}

TEST(SimSystemInfo, ErrorTextIsCutToTheBufferAndUnknownCodesHaveNone) {
    TempMachine m;
    auto p = m.Process();
    char full[256] = {};
    std::uint32_t n = p->system().FormatMessageA(ERROR_ACCESS_DENIED, full, sizeof full);
    ASSERT_GT(n, 5u);
    char cut[8];
    std::memset(cut, 'x', sizeof cut);
    EXPECT_EQ(p->system().FormatMessageA(ERROR_ACCESS_DENIED, cut, 5), 4u);
    EXPECT_EQ(std::string(cut), std::string(full, 4));
    EXPECT_EQ(cut[5], 'x');

    char none[32] = "untouched";
    EXPECT_EQ(p->system().FormatMessageA(4242, none, sizeof none), 0u);
    EXPECT_NE(p->lastError().GetLastError(), 0u);
    EXPECT_EQ(p->system().FormatMessageA(ERROR_ACCESS_DENIED, nullptr, 0), 0u);
}

TEST(SimSystemInfo, CodePageComesFromTheSettings) {
    TempMachine m;
    EXPECT_EQ(m.Process()->system().GetACP(), 1252u);
    Configure(m, "codepage", "936");
    EXPECT_EQ(m.Process()->system().GetACP(), 936u);
}

// WideCharToMultiByte(CP_ACP): bytes of the machine's code page, '?' for what it lacks.
TEST(SimSystemInfo, WideTextBecomesTheCodePagesBytes) {
    struct Case {
        const char* codePage;
        std::u16string text;
        std::string bytes;
    };
    const Case cases[] = {
        {"1252", u"AZ09{", "AZ09{"},
        {"1252", u"\u00E9\u00FF\u20AC\u2122", "\xE9\xFF\x80\x99"},  // é ÿ € ™
        {"1252", u"\u0081\u009D", "\x81\x9D"},  // the bytes 1252 leaves undefined map to themselves
        {"1252", u"\u4E2D", "?"},                  // 中 is not in 1252
        {"1252", std::u16string(1, u'\xD800') + u"A", "?A"},  // a lone surrogate
        {"936", u"A\u4E2D\u6587", "A\xD6\xD0\xCE\xC4"},      // 中文, two bytes each
        {"936", u"\U0001F600", "?"},                // outside the code page
        {"1252", u"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        TempMachine m;
        Configure(m, "codepage", c.codePage);
        EXPECT_EQ(m.Process()->system().WideCharToAnsi(c.text), c.bytes);
    }
}

TEST(SimSystemInfo, ScaledSleepIsShortButTheClockSeesItWhole) {
    TempMachine m;
    Configure(m, "timescale", "0.01");
    auto p = m.Process();
    auto start = std::chrono::steady_clock::now();
    std::uint32_t before = p->system().GetTickCount();
    p->system().Sleep(2000);
    std::uint32_t after = p->system().GetTickCount();
    auto real = std::chrono::steady_clock::now() - start;
    EXPECT_GE(real, std::chrono::milliseconds(20));
    EXPECT_LT(real, std::chrono::milliseconds(1000));
    EXPECT_GE(static_cast<std::uint32_t>(after - before), 2000u);
    EXPECT_LT(static_cast<std::uint32_t>(after - before), 3000u);
}

TEST(SimSystemInfo, EachProcessKeepsItsOwnSkippedTime) {
    TempMachine m;
    Configure(m, "timescale", "0");
    auto sleeper = m.Process();
    auto other = m.Process();
    std::uint32_t otherBefore = other->system().GetTickCount();
    std::uint32_t before = sleeper->system().GetTickCount();
    sleeper->system().Sleep(60000);
    EXPECT_GE(static_cast<std::uint32_t>(sleeper->system().GetTickCount() - before), 60000u);
    EXPECT_LT(static_cast<std::uint32_t>(other->system().GetTickCount() - otherBefore), 60000u);
}

TEST(SimSystemInfo, TickCountNeverRunsBackwards) {
    TempMachine m;
    auto p = m.Process();
    std::uint32_t last = p->system().GetTickCount();
    for (int i = 0; i < 1000; ++i) {
        std::uint32_t now = p->system().GetTickCount();
        EXPECT_LT(static_cast<std::uint32_t>(now - last), 1000u);
        last = now;
    }
}

}  // namespace
