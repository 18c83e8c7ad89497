// System information as the programs read it: error texts cut to the caller's buffer, the
// Windows version, the processor seen natively and by the process, and the clock.
#include <cstring>
#include <string>

#include "platform/win_constants.h"
#include "tests/conformance/fixture.h"

namespace conformance {
namespace {

using SystemInfoTest = ConformanceTest;

constexpr std::uint32_t kNoMessageForCode = 317;  // ERROR_MR_MID_NOT_FOUND

TEST_F(SystemInfoTest, ErrorTextIsCutToTheBufferAndStaysTerminated) {
    char whole[512] = {};
    std::uint32_t wholeLength =
        P().system().FormatMessageA(ERROR_FILE_NOT_FOUND, whole, sizeof whole);
    ASSERT_GT(wholeLength, 5u);
    EXPECT_EQ(wholeLength, std::strlen(whole));

    struct Case {
        std::uint32_t size;
        std::uint32_t expectedLength;
    } cases[] = {{6, 5}, {2, 1}, {1, 0}, {wholeLength + 1, wholeLength}};
    for (const Case& c : cases) {
        char cut[512];
        std::memset(cut, 'X', sizeof cut);
        std::uint32_t length = P().system().FormatMessageA(ERROR_FILE_NOT_FOUND, cut, c.size);
        EXPECT_EQ(length, c.expectedLength) << "size " << c.size;
        EXPECT_EQ(std::string(cut), std::string(whole, c.expectedLength)) << "size " << c.size;
        EXPECT_EQ(cut[c.size], 'X') << "wrote past a buffer of " << c.size;
    }
}

TEST_F(SystemInfoTest, ErrorTextOfACodeWithoutMessageIsEmpty) {
    char text[64] = "untouched";
    EXPECT_EQ(P().system().FormatMessageA(0xFFFFu, text, sizeof text), 0u);
    EXPECT_EQ(P().lastError().GetLastError(), kNoMessageForCode);
}

TEST_F(SystemInfoTest, ErrorTextIntoNoBufferFailsWithInsufficientBuffer) {
    char text[4] = "abc";
    EXPECT_EQ(P().system().FormatMessageA(ERROR_FILE_NOT_FOUND, text, 0), 0u);
    EXPECT_EQ(P().lastError().GetLastError(),
              static_cast<std::uint32_t>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_STREQ(text, "abc");
}

TEST_F(SystemInfoTest, VersionIsAnNtWorkstation) {
    plat::OsVersion version;
    ASSERT_TRUE(P().system().GetVersionExA(version));
    EXPECT_EQ(version.platformId, static_cast<std::uint32_t>(VER_PLATFORM_WIN32_NT));
    EXPECT_GE(version.major, 6u);
    EXPECT_EQ(version.productType, VER_NT_WORKSTATION);
}

// A process runs under WOW64 exactly when the processor it is shown differs from the machine's
// own: an x86 view of an x64 machine.
TEST_F(SystemInfoTest, Wow64MatchesTheProcessorsSeenNativelyAndByTheProcess) {
    std::uint16_t native = 0;
    ASSERT_TRUE(P().system().GetNativeProcessorArchitecture(native));
    EXPECT_EQ(native, PROCESSOR_ARCHITECTURE_AMD64);
    bool wow64 = true;
    ASSERT_TRUE(P().system().IsWow64Process(wow64));
    std::uint16_t seen = P().system().GetProcessorArchitecture();
    EXPECT_EQ(wow64, seen == PROCESSOR_ARCHITECTURE_INTEL) << "process sees " << seen;
    EXPECT_EQ(wow64, seen != native);
}

TEST_F(SystemInfoTest, SleepLetsTheTickCountAdvance) {
    std::uint32_t before = P().system().GetTickCount();
    P().system().Sleep(100);
    std::uint32_t elapsed = P().system().GetTickCount() - before;
    // The tick count moves in steps of 10 to 16 ms on Windows.
    EXPECT_GE(elapsed, 80u);
    EXPECT_LT(elapsed, 5000u);
}

}  // namespace
}  // namespace conformance
