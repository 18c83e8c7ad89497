// The token calls a restart makes before ExitWindowsEx (which is never called here: it would
// end the session of whoever runs the suite).
#include "platform/win_constants.h"
#include "tests/conformance/fixture.h"

namespace conformance {
namespace {

class ShutdownTest : public ConformanceTest {
protected:
    plat::Shutdown& S() { return P().shutdown(); }
    std::uint32_t Last() { return P().lastError().GetLastError(); }
};

TEST_F(ShutdownTest, TheShutdownPrivilegeHasItsWellKnownNumber) {
    plat::Luid luid;
    ASSERT_TRUE(S().LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", luid));
    EXPECT_EQ(luid.LowPart, 19u);
    EXPECT_EQ(luid.HighPart, 0);
    EXPECT_FALSE(S().LookupPrivilegeValueA(nullptr, "SeNoSuchPrivilege", luid));
    EXPECT_EQ(Last(), static_cast<std::uint32_t>(ERROR_NO_SUCH_PRIVILEGE));
}

TEST_F(ShutdownTest, TheProcessCanEnableTheShutdownPrivilege) {
    plat::TokenHandle token = 0;
    ASSERT_TRUE(S().OpenProcessToken(TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token));
    plat::Luid luid;
    ASSERT_TRUE(S().LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", luid));
    P().lastError().SetLastError(12345);  // the adjustment sets its own outcome
    EXPECT_TRUE(S().AdjustTokenPrivileges(token, false, luid, SE_PRIVILEGE_ENABLED));
    EXPECT_EQ(Last(), 0u);
    // Leaves the process as it was.
    EXPECT_TRUE(S().AdjustTokenPrivileges(token, false, luid, 0));
    EXPECT_TRUE(S().CloseToken(token));
}

TEST_F(ShutdownTest, ATokenOpenedToQueryCannotBeAdjusted) {
    plat::TokenHandle token = 0;
    ASSERT_TRUE(S().OpenProcessToken(TOKEN_QUERY, token));
    plat::Luid luid;
    ASSERT_TRUE(S().LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", luid));
    EXPECT_FALSE(S().AdjustTokenPrivileges(token, false, luid, SE_PRIVILEGE_ENABLED));
    EXPECT_EQ(Last(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(S().CloseToken(token));
}

}  // namespace
}  // namespace conformance
