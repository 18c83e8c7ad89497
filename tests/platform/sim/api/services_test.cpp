// The service control manager's calls on the simulated machine: rights, handles, the spooler's
// states as every process sees them, the knobs and the faults.
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/state/faults.h"
#include "platform/sim/state/service_state.h"
#include "platform/win_constants.h"
#include "tests/support/temp_machine.h"

namespace {

using testsupport::TempMachine;

void Configure(TempMachine& m, const std::string& key, const std::string& value) {
    sim::MachineSettings s = m.machine().settings();
    std::string error;
    ASSERT_TRUE(sim::SetSetting(s, key, value, error)) << error;
    ASSERT_TRUE(m.machine().SaveSettings(s, error)) << error;
}

// The spooler opened as the installer opens it: the manager with every right.
struct Spooler {
    plat::Services& s;
    plat::ServiceHandle manager = 0;
    plat::ServiceHandle service = 0;
    Spooler(plat::Platform& p, std::uint32_t access) : s(p.services()) {
        manager = s.OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        EXPECT_NE(manager, 0u);
        service = s.OpenServiceA(manager, "Spooler", access);
        EXPECT_NE(service, 0u);
    }
    std::uint32_t Query() {
        plat::SERVICE_STATUS status{};
        EXPECT_TRUE(s.QueryServiceStatus(service, status));
        return status.dwCurrentState;
    }
};

TEST(SimServices, StoppingAndStartingTheSpoolerAsTheInstallerDoes) {
    TempMachine m;
    auto p = m.Process();
    Spooler spooler(*p, SERVICE_ALL_ACCESS);
    plat::SERVICE_STATUS status{};
    ASSERT_TRUE(p->services().ControlService(spooler.service, SERVICE_CONTROL_STOP, status));
    EXPECT_EQ(status.dwCurrentState, SERVICE_STOPPED);
    EXPECT_FALSE(sim::SpoolerRunning(m.machine()));

    ASSERT_TRUE(p->services().StartServiceA(spooler.service, 0, nullptr));
    // Two queries still see it starting, with a check point that grows and a wait hint.
    ASSERT_TRUE(p->services().QueryServiceStatus(spooler.service, status));
    EXPECT_EQ(status.dwCurrentState, SERVICE_START_PENDING);
    const std::uint32_t firstCheckPoint = status.dwCheckPoint;
    EXPECT_GT(status.dwWaitHint, 0u);
    ASSERT_TRUE(p->services().QueryServiceStatus(spooler.service, status));
    EXPECT_EQ(status.dwCurrentState, SERVICE_START_PENDING);
    EXPECT_GT(status.dwCheckPoint, firstCheckPoint);
    ASSERT_TRUE(p->services().QueryServiceStatus(spooler.service, status));
    EXPECT_EQ(status.dwCurrentState, SERVICE_RUNNING);
    EXPECT_EQ(status.dwControlsAccepted & SERVICE_ACCEPT_STOP, SERVICE_ACCEPT_STOP);
    EXPECT_TRUE(sim::SpoolerRunning(m.machine()));

    EXPECT_FALSE(p->services().StartServiceA(spooler.service, 0, nullptr));
    EXPECT_EQ(p->lastError().GetLastError(), ERROR_SERVICE_ALREADY_RUNNING);
    EXPECT_TRUE(p->services().CloseServiceHandle(spooler.service));
    EXPECT_TRUE(p->services().CloseServiceHandle(spooler.manager));
}

TEST(SimServices, StoppingAStoppedServiceSaysNotActiveAndStillReportsItsStatus) {
    TempMachine m;
    ASSERT_EQ(sim::SetServiceState(m.machine(), "Spooler", SERVICE_STOPPED), ERROR_SUCCESS);
    auto p = m.Process();
    Spooler spooler(*p, SERVICE_STOP | SERVICE_QUERY_STATUS);
    plat::SERVICE_STATUS status{};
    status.dwCurrentState = 0x77;
    EXPECT_FALSE(p->services().ControlService(spooler.service, SERVICE_CONTROL_STOP, status));
    EXPECT_EQ(p->lastError().GetLastError(), ERROR_SERVICE_NOT_ACTIVE);
    EXPECT_EQ(status.dwCurrentState, SERVICE_STOPPED);
}

TEST(SimServices, EveryProcessSeesOneServiceState) {
    TempMachine m;
    auto installer = m.Process(32);
    auto other = m.Process(64);
    Spooler a(*installer, SERVICE_STOP);
    Spooler b(*other, SERVICE_QUERY_STATUS);
    EXPECT_EQ(b.Query(), SERVICE_RUNNING);
    plat::SERVICE_STATUS status{};
    ASSERT_TRUE(installer->services().ControlService(a.service, SERVICE_CONTROL_STOP, status));
    EXPECT_EQ(b.Query(), SERVICE_STOPPED);
}

TEST(SimServices, AHandleAllowsOnlyTheRightsItWasOpenedWith) {
    TempMachine m;
    auto p = m.Process();
    auto& s = p->services();
    Spooler query(*p, SERVICE_QUERY_STATUS);
    plat::SERVICE_STATUS status{};
    EXPECT_FALSE(s.ControlService(query.service, SERVICE_CONTROL_STOP, status));
    EXPECT_EQ(p->lastError().GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(sim::SpoolerRunning(m.machine()));
    ASSERT_EQ(sim::SetServiceState(m.machine(), "Spooler", SERVICE_STOPPED), ERROR_SUCCESS);
    EXPECT_FALSE(s.StartServiceA(query.service, 0, nullptr));
    EXPECT_EQ(p->lastError().GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(query.Query(), SERVICE_STOPPED);

    Spooler start(*p, SERVICE_START);
    EXPECT_FALSE(s.QueryServiceStatus(start.service, status));
    EXPECT_EQ(p->lastError().GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(s.StartServiceA(start.service, 0, nullptr));

    // A manager opened only to connect can open services; GENERIC_READ on a service queries.
    const plat::ServiceHandle connect = s.OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    ASSERT_NE(connect, 0u);
    const plat::ServiceHandle read = s.OpenServiceA(connect, "spooler", GENERIC_READ);
    ASSERT_NE(read, 0u);
    EXPECT_TRUE(s.QueryServiceStatus(read, status));
}

TEST(SimServices, AUserWhoIsNotAdministratorMayQueryButNotControl) {
    TempMachine m;
    Configure(m, "admin", "0");
    auto p = m.Process();
    auto& s = p->services();
    EXPECT_EQ(s.OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS), 0u);
    EXPECT_EQ(p->lastError().GetLastError(), ERROR_ACCESS_DENIED);
    const plat::ServiceHandle manager = s.OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    ASSERT_NE(manager, 0u);
    EXPECT_EQ(s.OpenServiceA(manager, "Spooler", SERVICE_STOP), 0u);
    EXPECT_EQ(p->lastError().GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(s.OpenServiceA(manager, "Spooler", SERVICE_START), 0u);
    EXPECT_EQ(p->lastError().GetLastError(), ERROR_ACCESS_DENIED);
    const plat::ServiceHandle query = s.OpenServiceA(manager, "Spooler", SERVICE_QUERY_STATUS);
    ASSERT_NE(query, 0u);
    plat::SERVICE_STATUS status{};
    EXPECT_TRUE(s.QueryServiceStatus(query, status));
    EXPECT_EQ(status.dwCurrentState, SERVICE_RUNNING);
}

TEST(SimServices, UnknownServicesRemoteMachinesAndBadHandlesFail) {
    TempMachine m;
    auto p = m.Process();
    auto& s = p->services();
    auto last = [&] { return p->lastError().GetLastError(); };
    EXPECT_EQ(s.OpenSCManagerA("\\\\OTHERPC", nullptr, SC_MANAGER_CONNECT), 0u);
    EXPECT_EQ(last(), static_cast<std::uint32_t>(RPC_S_SERVER_UNAVAILABLE));
    EXPECT_NE(s.OpenSCManagerA("", "ServicesActive", SC_MANAGER_CONNECT), 0u);

    const plat::ServiceHandle manager = s.OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    ASSERT_NE(manager, 0u);
    EXPECT_EQ(s.OpenServiceA(manager, "NoSuchService", SERVICE_QUERY_STATUS), 0u);
    EXPECT_EQ(last(), ERROR_SERVICE_DOES_NOT_EXIST);
    EXPECT_EQ(s.OpenServiceA(0, "Spooler", SERVICE_QUERY_STATUS), 0u);
    EXPECT_EQ(last(), ERROR_INVALID_HANDLE);

    plat::SERVICE_STATUS status{};
    // A manager handle is no service handle; neither is a closed one or one never given out.
    EXPECT_FALSE(s.QueryServiceStatus(manager, status));
    EXPECT_EQ(last(), ERROR_INVALID_HANDLE);
    const plat::ServiceHandle service = s.OpenServiceA(manager, "Spooler", SERVICE_QUERY_STATUS);
    ASSERT_NE(service, 0u);
    ASSERT_TRUE(s.CloseServiceHandle(service));
    EXPECT_FALSE(s.QueryServiceStatus(service, status));
    EXPECT_EQ(last(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(s.CloseServiceHandle(service));
    EXPECT_EQ(last(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(s.StartServiceA(0x1234, 0, nullptr));
    EXPECT_EQ(last(), ERROR_INVALID_HANDLE);
}

TEST(SimServices, HandlesBelongToTheProcessThatOpenedThem) {
    TempMachine m;
    auto a = m.Process();
    auto b = m.Process();
    Spooler spooler(*a, SERVICE_QUERY_STATUS);
    plat::SERVICE_STATUS status{};
    EXPECT_FALSE(b->services().QueryServiceStatus(spooler.service, status));
    EXPECT_EQ(b->lastError().GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(a->services().QueryServiceStatus(spooler.service, status));
}

TEST(SimServices, The9xPlatformHasNoServiceControlManager) {
    TempMachine m("windows-me");
    auto p = m.Process();
    EXPECT_EQ(p->services().OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT), 0u);
    EXPECT_EQ(p->lastError().GetLastError(), ERROR_CALL_NOT_IMPLEMENTED);
    plat::SERVICE_STATUS status{};
    EXPECT_FALSE(p->services().QueryServiceStatus(8, status));
    EXPECT_EQ(p->lastError().GetLastError(), ERROR_CALL_NOT_IMPLEMENTED);
}

TEST(SimServices, ASpoolerThatNeverStartsStaysPendingThroughTenPolls) {
    TempMachine m;
    ASSERT_EQ(sim::SetServicePolls(m.machine(), "Spooler", sim::kNeverLeaves, std::nullopt),
              ERROR_SUCCESS);
    ASSERT_EQ(sim::SetServiceState(m.machine(), "Spooler", SERVICE_STOPPED), ERROR_SUCCESS);
    auto p = m.Process();
    Spooler spooler(*p, SERVICE_START | SERVICE_QUERY_STATUS);
    ASSERT_TRUE(p->services().StartServiceA(spooler.service, 0, nullptr));
    for (int poll = 0; poll < 10; ++poll) EXPECT_EQ(spooler.Query(), SERVICE_START_PENDING);
    EXPECT_FALSE(sim::SpoolerRunning(m.machine()));
}

TEST(SimServices, AnInjectedStartFailureLeavesTheSpoolerStopped) {
    TempMachine m;
    ASSERT_EQ(sim::SetServiceState(m.machine(), "Spooler", SERVICE_STOPPED), ERROR_SUCCESS);
    std::string error;
    // A fault on another service's name does not touch the spooler.
    ASSERT_TRUE(sim::AddFault(m.machine(), {"StartServiceA", 1053, 0, "Fax"}, error)) << error;
    ASSERT_TRUE(sim::AddFault(m.machine(), {"StartServiceA", 1053, 1, "SPOOLER"}, error)) << error;
    auto p = m.Process();
    Spooler spooler(*p, SERVICE_START | SERVICE_QUERY_STATUS);
    EXPECT_FALSE(p->services().StartServiceA(spooler.service, 0, nullptr));
    EXPECT_EQ(p->lastError().GetLastError(), ERROR_SERVICE_REQUEST_TIMEOUT);
    EXPECT_EQ(spooler.Query(), SERVICE_STOPPED);
    // The counted fault is used up: the next start goes through.
    EXPECT_TRUE(p->services().StartServiceA(spooler.service, 0, nullptr));
}

}  // namespace
