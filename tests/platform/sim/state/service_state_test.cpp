// The machine's service states: the start and stop requests, the poll knobs, and the file that
// keeps them for every process.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/sim/state/service_state.h"
#include "platform/win_constants.h"
#include "tests/support/temp_machine.h"

namespace {

using testsupport::TempMachine;

std::uint32_t Poll(const sim::Machine& m) {
    sim::ServiceRecord after;
    EXPECT_EQ(sim::PollServiceStatus(m, "Spooler", after), ERROR_SUCCESS);
    return after.state;
}

TEST(ServiceState, TheSpoolerRunsOnNtAndThe9xPlatformHasNoServices) {
    TempMachine nt("windows-7-x64");
    EXPECT_EQ(sim::ServiceState(nt.machine(), "spooler"), SERVICE_RUNNING);
    EXPECT_TRUE(sim::SpoolerRunning(nt.machine()));
    EXPECT_EQ(sim::ServiceState(nt.machine(), "Spooler2"), 0u);
    TempMachine old("windows-98");
    EXPECT_TRUE(sim::ReadServices(old.machine()).empty());
    EXPECT_FALSE(sim::SpoolerRunning(old.machine()));
    sim::ServiceRecord after;
    EXPECT_EQ(sim::RequestServiceStart(old.machine(), "Spooler", after),
              ERROR_SERVICE_DOES_NOT_EXIST);
}

TEST(ServiceState, AStartSeesStartPendingForTheChosenPollsThenRunning) {
    TempMachine m;
    const sim::Machine& machine = m.machine();
    sim::ServiceRecord after;
    // The default: stopping is immediate, starting takes two status queries.
    ASSERT_EQ(sim::RequestServiceStop(machine, "Spooler", after), ERROR_SUCCESS);
    EXPECT_EQ(after.state, SERVICE_STOPPED);
    EXPECT_FALSE(sim::SpoolerRunning(machine));
    ASSERT_EQ(sim::RequestServiceStart(machine, "Spooler", after), ERROR_SUCCESS);
    EXPECT_EQ(after.state, SERVICE_START_PENDING);
    EXPECT_EQ(Poll(machine), SERVICE_START_PENDING);
    EXPECT_EQ(Poll(machine), SERVICE_START_PENDING);
    EXPECT_FALSE(sim::SpoolerRunning(machine));
    EXPECT_EQ(Poll(machine), SERVICE_RUNNING);
    EXPECT_TRUE(sim::SpoolerRunning(machine));

    // No polls: running at once.
    ASSERT_EQ(sim::SetServicePolls(machine, "Spooler", 0, std::nullopt), ERROR_SUCCESS);
    ASSERT_EQ(sim::RequestServiceStop(machine, "Spooler", after), ERROR_SUCCESS);
    ASSERT_EQ(sim::RequestServiceStart(machine, "Spooler", after), ERROR_SUCCESS);
    EXPECT_EQ(after.state, SERVICE_RUNNING);
}

TEST(ServiceState, NeverKeepsTheServicePendingAndPendingRefusesRequests) {
    TempMachine m;
    const sim::Machine& machine = m.machine();
    ASSERT_EQ(sim::SetServicePolls(machine, "Spooler", sim::kNeverLeaves, std::nullopt),
              ERROR_SUCCESS);
    sim::ServiceRecord after;
    ASSERT_EQ(sim::RequestServiceStop(machine, "Spooler", after), ERROR_SUCCESS);
    ASSERT_EQ(sim::RequestServiceStart(machine, "Spooler", after), ERROR_SUCCESS);
    for (int i = 0; i < 30; ++i) ASSERT_EQ(Poll(machine), SERVICE_START_PENDING) << i;
    EXPECT_EQ(sim::RequestServiceStart(machine, "Spooler", after), ERROR_SERVICE_ALREADY_RUNNING);
    EXPECT_EQ(sim::RequestServiceStop(machine, "Spooler", after),
              ERROR_SERVICE_CANNOT_ACCEPT_CTRL);
    // winsim can still put it right.
    ASSERT_EQ(sim::SetServiceState(machine, "Spooler", SERVICE_RUNNING), ERROR_SUCCESS);
    EXPECT_TRUE(sim::SpoolerRunning(machine));
}

TEST(ServiceState, AStoppingSpoolerStillHoldsItsModulesUntilStopped) {
    TempMachine m;
    const sim::Machine& machine = m.machine();
    ASSERT_EQ(sim::SetServicePolls(machine, "Spooler", std::nullopt, 1), ERROR_SUCCESS);
    sim::ServiceRecord after;
    ASSERT_EQ(sim::RequestServiceStop(machine, "Spooler", after), ERROR_SUCCESS);
    EXPECT_EQ(after.state, SERVICE_STOP_PENDING);
    EXPECT_FALSE(sim::SpoolerRunning(machine));
    EXPECT_TRUE(sim::SpoolerHoldsModules(machine));
    EXPECT_EQ(Poll(machine), SERVICE_STOP_PENDING);
    EXPECT_EQ(Poll(machine), SERVICE_STOPPED);
    EXPECT_FALSE(sim::SpoolerHoldsModules(machine));
}

TEST(ServiceState, RequestsThatDoNotFitTheStateAreRefused) {
    TempMachine m;
    const sim::Machine& machine = m.machine();
    sim::ServiceRecord after;
    EXPECT_EQ(sim::RequestServiceStart(machine, "Spooler", after), ERROR_SERVICE_ALREADY_RUNNING);
    ASSERT_EQ(sim::RequestServiceStop(machine, "Spooler", after), ERROR_SUCCESS);
    EXPECT_EQ(sim::RequestServiceStop(machine, "Spooler", after), ERROR_SERVICE_NOT_ACTIVE);
    EXPECT_EQ(after.state, SERVICE_STOPPED);
    EXPECT_EQ(sim::RequestServiceStop(machine, "Fax", after), ERROR_SERVICE_DOES_NOT_EXIST);
    EXPECT_EQ(sim::SetServiceState(machine, "Spooler", SERVICE_START_PENDING),
              ERROR_INVALID_PARAMETER);
}

TEST(ServiceState, PollKnobsTakeZeroToAThousandOrNever) {
    TempMachine m;
    const sim::Machine& machine = m.machine();
    EXPECT_EQ(sim::SetServicePolls(machine, "Spooler", 1000, 0), ERROR_SUCCESS);
    EXPECT_EQ(sim::SetServicePolls(machine, "Spooler", 1001, std::nullopt),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(sim::SetServicePolls(machine, "Spooler", std::nullopt, -2), ERROR_INVALID_PARAMETER);
    auto spooler = sim::FindService(machine, "SPOOLER");
    ASSERT_TRUE(spooler);
    EXPECT_EQ(spooler->name, "Spooler");
    EXPECT_EQ(spooler->startPolls, 1000);
    EXPECT_EQ(spooler->stopPolls, 0);
}

TEST(ServiceState, TheFileIsSharedAndOlderOrDamagedLinesAreRead) {
    TempMachine m;
    const auto file = m.machine().stateDir() / "services.txt";
    {
        std::ofstream(file) << "Spooler stopped\n";  // the two-field form of older machines
    }
    auto spooler = sim::FindService(m.machine(), "Spooler");
    ASSERT_TRUE(spooler);
    EXPECT_EQ(spooler->state, SERVICE_STOPPED);
    EXPECT_EQ(spooler->startPolls, sim::kDefaultStartPolls);
    {
        std::ofstream(file) << "Spooler start-pending 3 never 2\n";
    }
    spooler = sim::FindService(m.machine(), "Spooler");
    ASSERT_TRUE(spooler);
    EXPECT_EQ(spooler->state, SERVICE_START_PENDING);
    EXPECT_EQ(spooler->startPolls, 3);
    EXPECT_EQ(spooler->stopPolls, sim::kNeverLeaves);
    EXPECT_EQ(spooler->pollsLeft, 2);
    {
        std::ofstream(file) << "Spooler sleeping\n";
    }
    // A line that is not understood leaves the service in its starting state.
    EXPECT_EQ(sim::ServiceState(m.machine(), "Spooler"), SERVICE_RUNNING);
}

TEST(ServiceState, APendingStartSettlesOnceTheProgramThatAskedHasEnded) {
    TempMachine m;
    const auto file = m.machine().stateDir() / "services.txt";
    const sim::ProcessOwner me = sim::CurrentProcess();
    // This process asked: it lives, so the start is still pending.
    {
        std::ofstream(file) << "Spooler start-pending 2 0 2 " << me.pid << " " << me.startTime
                            << "\n";
    }
    EXPECT_EQ(sim::ServiceState(m.machine(), "Spooler"), SERVICE_START_PENDING);
    // The same id with another start time is a program that has ended.
    {
        std::ofstream(file) << "Spooler start-pending 2 0 2 " << me.pid << " "
                            << me.startTime + 1 << "\n";
    }
    EXPECT_EQ(sim::ServiceState(m.machine(), "Spooler"), SERVICE_RUNNING);
    {
        std::ofstream(file) << "Spooler stop-pending 2 3 1 " << me.pid << " " << me.startTime + 1
                            << "\n";
    }
    EXPECT_EQ(sim::ServiceState(m.machine(), "Spooler"), SERVICE_STOPPED);
    // "never" stays pending whoever asked.
    {
        std::ofstream(file) << "Spooler start-pending never 0 never " << me.pid << " "
                            << me.startTime + 1 << "\n";
    }
    EXPECT_EQ(sim::ServiceState(m.machine(), "Spooler"), SERVICE_START_PENDING);
    // A request records its requester in the file.
    ASSERT_EQ(sim::SetServiceState(m.machine(), "Spooler", SERVICE_STOPPED), ERROR_SUCCESS);
    ASSERT_EQ(sim::SetServicePolls(m.machine(), "Spooler", 2, std::nullopt), ERROR_SUCCESS);
    sim::ServiceRecord after;
    ASSERT_EQ(sim::RequestServiceStart(m.machine(), "Spooler", after), ERROR_SUCCESS);
    EXPECT_EQ(after.requester.pid, me.pid);
    EXPECT_EQ(sim::ServiceState(m.machine(), "Spooler"), SERVICE_START_PENDING);
}

}  // namespace
