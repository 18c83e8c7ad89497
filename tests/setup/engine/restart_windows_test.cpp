// Restarting Windows on simulated machines: the privilege sequence on the NT family, the
// direct request on Windows 98, and failures on the way.
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/state/faults.h"
#include "platform/sim/state/restart_requests.h"
#include "platform/win_constants.h"
#include "setup/engine/RestartWindows.h"
#include "tests/support/temp_machine.h"

namespace {

using testsupport::TempMachine;

TEST(RestartWindows, AsksForARestartOnEverySystemFamily) {
    for (const char* preset : {"windows-98", "windows-2000-x86", "windows-7-x64", "windows-10-x64"}) {
        SCOPED_TRACE(preset);
        TempMachine m(preset);
        auto p = m.Process(32);
        EXPECT_TRUE(setup::RestartWindows(*p));
        const auto requests = sim::RestartRequests(m.machine());
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].flags, static_cast<std::uint32_t>(EWX_REBOOT));
    }
}

TEST(RestartWindows, AFailedStepBeforeTheRequestLeavesTheMachineRunning) {
    struct Case {
        const char* call;
        std::uint32_t error;
    } cases[] = {
        {"OpenProcessToken", ERROR_ACCESS_DENIED},
        {"LookupPrivilegeValueA", ERROR_NO_SUCH_PRIVILEGE},
        {"AdjustTokenPrivileges", ERROR_INVALID_HANDLE},
        {"ExitWindowsEx", ERROR_NOT_SUPPORTED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        TempMachine m;
        std::string error;
        ASSERT_TRUE(sim::AddFault(m.machine(), {c.call, c.error, 1, {}}, error)) << error;
        auto p = m.Process(32);
        EXPECT_FALSE(setup::RestartWindows(*p));
        // The caller sees the failed step's error, not the token's close.
        EXPECT_EQ(p->lastError().GetLastError(), c.error);
        EXPECT_TRUE(sim::RestartRequests(m.machine()).empty());
    }
}

TEST(RestartWindows, OnWindows98TheTokenCallsAreNotNeeded) {
    TempMachine m("windows-98");
    std::string error;
    // A fault on the token calls would fail the NT sequence; Windows 98 never makes them.
    ASSERT_TRUE(sim::AddFault(m.machine(), {"OpenProcessToken", ERROR_ACCESS_DENIED, 0, {}}, error));
    auto p = m.Process(32);
    EXPECT_TRUE(setup::RestartWindows(*p));
    EXPECT_EQ(sim::RestartRequests(m.machine()).size(), 1u);
}

}  // namespace
