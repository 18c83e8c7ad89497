// The fixture's own promises, on whichever platform the suite runs: an empty scratch directory
// that is the current directory, and a truthful answer to "is this Wine?".
#include "common/text.h"
#include "platform/win_constants.h"
#include "tests/conformance/fixture.h"

namespace conformance {
namespace {

using FixtureTest = ConformanceTest;

TEST_F(FixtureTest, ScratchDirectoryIsTheCurrentDirectory) {
    char current[260] = {};
    std::uint32_t length = P().files().GetCurrentDirectoryA(sizeof current, current);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, sizeof current);
    // Path() joins the scratch directory and a name; so must the current directory.
    // Windows paths compare without regard to letter case.
    EXPECT_TRUE(common::EqualsNoCase(std::string(current) + "\\x", Path("x"))) << current << " vs " << Path("x");
}

TEST_F(FixtureTest, ScratchDirectoryStartsEmpty) {
    std::vector<plat::FindData> entries;
    EXPECT_FALSE(P().files().FindFiles(Path("*").c_str(), entries));
    EXPECT_EQ(P().lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(entries.empty());
}

TEST_F(FixtureTest, RelativePathsLandInTheScratchDirectory) {
    std::vector<std::uint8_t> bytes{'o', 'k'};
    ASSERT_TRUE(P().files().WriteWholeFile("relative.txt", bytes));
    EXPECT_EQ(ReadText("relative.txt"), "ok");
}

// Wine keeps its own settings under HKCU\Software\Wine; Windows and the simulated machine have
// no such key.
TEST_F(FixtureTest, WineIsDetectedExactlyWhereWineKeepsItsSettings) {
    bool wineKey = P().registry().OpenKey(plat::RegRoot::CurrentUser, "Software\\Wine",
                                          plat::RegView::Default) == ERROR_SUCCESS;
    EXPECT_EQ(RunningUnderWine(), wineKey);
}

}  // namespace
}  // namespace conformance
