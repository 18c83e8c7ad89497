// The service control manager as the installer meets it: connecting, opening the spooler to
// query it, an unknown service, and a handle used without the right it needs.
#include "platform/win_constants.h"
#include "tests/conformance/fixture.h"

namespace conformance {
namespace {

using ServicesTest = ConformanceTest;

TEST_F(ServicesTest, TheSpoolerCanBeOpenedAndQueried) {
    auto& s = P().services();
    const plat::ServiceHandle manager = s.OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    ASSERT_NE(manager, 0u) << P().lastError().GetLastError();
    const plat::ServiceHandle spooler = s.OpenServiceA(manager, "Spooler", SERVICE_QUERY_STATUS);
    ASSERT_NE(spooler, 0u) << P().lastError().GetLastError();
    plat::SERVICE_STATUS status{};
    ASSERT_TRUE(s.QueryServiceStatus(spooler, status));
    EXPECT_GE(status.dwCurrentState, static_cast<std::uint32_t>(SERVICE_STOPPED));
    EXPECT_LE(status.dwCurrentState, 7u);  // SERVICE_PAUSED, the last state
    EXPECT_TRUE(s.CloseServiceHandle(spooler));
    EXPECT_TRUE(s.CloseServiceHandle(manager));
}

TEST_F(ServicesTest, AnUnknownServiceDoesNotExist) {
    auto& s = P().services();
    const plat::ServiceHandle manager = s.OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    ASSERT_NE(manager, 0u);
    EXPECT_EQ(s.OpenServiceA(manager, "NoSuchServiceHere", SERVICE_QUERY_STATUS), 0u);
    EXPECT_EQ(P().lastError().GetLastError(), ERROR_SERVICE_DOES_NOT_EXIST);
    EXPECT_TRUE(s.CloseServiceHandle(manager));
}

TEST_F(ServicesTest, AHandleWithoutTheQueryRightCannotQuery) {
    auto& s = P().services();
    const plat::ServiceHandle manager = s.OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    ASSERT_NE(manager, 0u);
    const plat::ServiceHandle spooler = s.OpenServiceA(manager, "Spooler", SERVICE_START);
    ASSERT_NE(spooler, 0u) << P().lastError().GetLastError();
    plat::SERVICE_STATUS status{};
    EXPECT_FALSE(s.QueryServiceStatus(spooler, status));
    EXPECT_EQ(P().lastError().GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(s.CloseServiceHandle(spooler));
    EXPECT_TRUE(s.CloseServiceHandle(manager));
}

}  // namespace
}  // namespace conformance
