// The desktop calls that the single-instance check relies on: named mutexes and window lookup.
#include <string>

#include "platform/win_constants.h"
#include "tests/conformance/fixture.h"

namespace conformance {
namespace {

class DesktopTest : public ConformanceTest {
protected:
    // A mutex name that no other test run uses: the scratch directory's own name.
    std::string UniqueName(const char* purpose) {
        std::string scratch = Path("");
        scratch.pop_back();
        return std::string("conformance-") + purpose + "-" +
               scratch.substr(scratch.find_last_of('\\') + 1);
    }
};

TEST_F(DesktopTest, SecondCreateOfANamedMutexReportsThatItExists) {
    std::string name = UniqueName("mutex");
    P().lastError().SetLastError(12345);  // must be cleared by a first creation
    auto first = P().desktop().CreateMutexA(false, name.c_str());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(P().lastError().GetLastError(), 0u);

    auto second = P().desktop().CreateMutexA(false, name.c_str());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(P().lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_ALREADY_EXISTS));
}

TEST_F(DesktopTest, NamedMutexIsGoneOnceEveryHandleIsClosed) {
    std::string name = UniqueName("closed");
    auto first = P().desktop().CreateMutexA(true, name.c_str());
    ASSERT_NE(first, nullptr);
    auto second = P().desktop().CreateMutexA(false, name.c_str());
    ASSERT_NE(second, nullptr);
    first.reset();
    second.reset();

    auto again = P().desktop().CreateMutexA(false, name.c_str());
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(P().lastError().GetLastError(), 0u);
}

TEST_F(DesktopTest, DifferentNamesAreDifferentMutexes) {
    auto a = P().desktop().CreateMutexA(false, UniqueName("a").c_str());
    ASSERT_NE(a, nullptr);
    auto b = P().desktop().CreateMutexA(false, UniqueName("b").c_str());
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(P().lastError().GetLastError(), 0u);
}

TEST_F(DesktopTest, FindWindowOfATitleNobodyShowsIsZero) {
    EXPECT_EQ(P().desktop().FindWindowA(nullptr, UniqueName("no such window").c_str()), 0u);
}

}  // namespace
}  // namespace conformance
