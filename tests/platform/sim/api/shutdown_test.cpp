// Ending the session on the simulated machine: the token calls, ExitWindowsEx with and without
// the shutdown privilege, Windows 98 without tokens, and the win.ini broadcasts.
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/state/faults.h"
#include "platform/sim/state/restart_requests.h"
#include "platform/sim/state/transcript.h"
#include "platform/win_constants.h"
#include "tests/support/temp_machine.h"

namespace {

using testsupport::TempMachine;

bool TranscriptHas(const TempMachine& m, const std::string& text) {
    for (const std::string& line : sim::ReadTranscript(m.machine().dir()))
        if (line.find(text) != std::string::npos) return true;
    return false;
}

// Enables SeShutdownPrivilege the way programs do; the error of the step that failed, or 0.
std::uint32_t EnableShutdown(sim::SimPlatform& p) {
    plat::Shutdown& s = p.shutdown();
    plat::TokenHandle token = 0;
    if (!s.OpenProcessToken(TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token))
        return p.lastError().GetLastError();
    plat::Luid luid;
    if (!s.LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", luid))
        return p.lastError().GetLastError();
    EXPECT_EQ(luid.LowPart, 19u);
    if (!s.AdjustTokenPrivileges(token, false, luid, SE_PRIVILEGE_ENABLED))
        return p.lastError().GetLastError();
    const std::uint32_t adjusted = p.lastError().GetLastError();
    EXPECT_TRUE(s.CloseToken(token));
    return adjusted;
}

TEST(Shutdown, RestartIsRecordedOnceThePrivilegeIsEnabled) {
    TempMachine m;
    auto p = m.Process(32);
    EXPECT_EQ(EnableShutdown(*p), 0u);
    EXPECT_TRUE(p->shutdown().ExitWindowsEx(EWX_REBOOT, 0));
    const auto requests = sim::RestartRequests(m.machine());
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].program, "program");
    EXPECT_EQ(requests[0].flags, static_cast<std::uint32_t>(EWX_REBOOT));
    EXPECT_TRUE(TranscriptHas(m, "program: asks Windows to restart"));
}

TEST(Shutdown, WithoutThePrivilegeNtRefusesToRestartButLetsTheUserLogOff) {
    TempMachine m;
    auto p = m.Process(32);
    EXPECT_FALSE(p->shutdown().ExitWindowsEx(EWX_REBOOT, 0));
    EXPECT_EQ(p->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_PRIVILEGE_NOT_HELD));
    EXPECT_FALSE(p->shutdown().ExitWindowsEx(EWX_SHUTDOWN | EWX_FORCE, 0));
    EXPECT_TRUE(sim::RestartRequests(m.machine()).empty());
    EXPECT_FALSE(TranscriptHas(m, "asks Windows to restart"));
    // Logging off needs no privilege.
    EXPECT_TRUE(p->shutdown().ExitWindowsEx(EWX_LOGOFF, 0));
    EXPECT_TRUE(TranscriptHas(m, "asks Windows to log off"));
    // The privilege is the process's: another process has not enabled it.
    EXPECT_EQ(EnableShutdown(*p), 0u);
    auto other = m.Process(32);
    EXPECT_FALSE(other->shutdown().ExitWindowsEx(EWX_REBOOT, 0));
    // Disabling it again takes the right away.
    plat::TokenHandle token = 0;
    ASSERT_TRUE(p->shutdown().OpenProcessToken(TOKEN_ADJUST_PRIVILEGES, token));
    EXPECT_TRUE(p->shutdown().AdjustTokenPrivileges(token, true, plat::Luid{}, 0));
    EXPECT_FALSE(p->shutdown().ExitWindowsEx(EWX_REBOOT, 0));
}

TEST(Shutdown, TokenCallsCheckTheirArguments) {
    TempMachine m;
    auto p = m.Process(32);
    plat::Shutdown& s = p->shutdown();
    auto last = [&] { return p->lastError().GetLastError(); };
    plat::Luid luid;
    EXPECT_FALSE(s.LookupPrivilegeValueA(nullptr, "SeNoSuchPrivilege", luid));
    EXPECT_EQ(last(), static_cast<std::uint32_t>(ERROR_NO_SUCH_PRIVILEGE));
    // A token opened only to query cannot be adjusted.
    plat::TokenHandle query = 0;
    ASSERT_TRUE(s.OpenProcessToken(TOKEN_QUERY, query));
    EXPECT_FALSE(s.AdjustTokenPrivileges(query, false, plat::Luid{19, 0}, SE_PRIVILEGE_ENABLED));
    EXPECT_EQ(last(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    // A privilege the user does not hold: success with ERROR_NOT_ALL_ASSIGNED, nothing enabled.
    plat::TokenHandle adjust = 0;
    ASSERT_TRUE(s.OpenProcessToken(TOKEN_ADJUST_PRIVILEGES, adjust));
    ASSERT_TRUE(s.LookupPrivilegeValueA(nullptr, "SeDebugPrivilege", luid));
    EXPECT_TRUE(s.AdjustTokenPrivileges(adjust, false, luid, SE_PRIVILEGE_ENABLED));
    EXPECT_EQ(last(), static_cast<std::uint32_t>(ERROR_NOT_ALL_ASSIGNED));
    EXPECT_TRUE(s.CloseToken(adjust));
    EXPECT_FALSE(s.CloseToken(adjust));
    EXPECT_EQ(last(), static_cast<std::uint32_t>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(s.AdjustTokenPrivileges(adjust, false, plat::Luid{19, 0}, SE_PRIVILEGE_ENABLED));
    EXPECT_EQ(last(), static_cast<std::uint32_t>(ERROR_INVALID_HANDLE));
}

TEST(Shutdown, Windows98HasNoTokensAndRestartsWithoutThem) {
    TempMachine m("windows-98");
    auto p = m.Process(32);
    plat::TokenHandle token = 0;
    EXPECT_FALSE(p->shutdown().OpenProcessToken(TOKEN_ADJUST_PRIVILEGES, token));
    EXPECT_EQ(p->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_CALL_NOT_IMPLEMENTED));
    plat::Luid luid;
    EXPECT_FALSE(p->shutdown().LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", luid));
    EXPECT_EQ(p->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_CALL_NOT_IMPLEMENTED));
    EXPECT_TRUE(p->shutdown().ExitWindowsEx(EWX_REBOOT, 0));
    ASSERT_EQ(sim::RestartRequests(m.machine()).size(), 1u);
    EXPECT_TRUE(TranscriptHas(m, "asks Windows to restart"));
}

TEST(Shutdown, AFaultFailsTheRequestAndNothingIsRecorded) {
    TempMachine m;
    std::string error;
    ASSERT_TRUE(sim::AddFault(m.machine(), {"ExitWindowsEx", ERROR_ACCESS_DENIED, 1, {}}, error));
    auto p = m.Process(32);
    EXPECT_EQ(EnableShutdown(*p), 0u);
    EXPECT_FALSE(p->shutdown().ExitWindowsEx(EWX_REBOOT, 0));
    EXPECT_EQ(p->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(sim::RestartRequests(m.machine()).empty());
    EXPECT_TRUE(p->shutdown().ExitWindowsEx(EWX_REBOOT, 0));
    EXPECT_EQ(sim::RestartRequests(m.machine()).size(), 1u);
}

TEST(Shutdown, FlagsAreDescribedForPeople) {
    struct Case {
        std::uint32_t flags;
        const char* text;
    } cases[] = {
        {EWX_LOGOFF, "log off"},
        {EWX_SHUTDOWN, "shut down"},
        {EWX_REBOOT, "restart"},
        {EWX_REBOOT | EWX_FORCE, "restart, forced"},
        {EWX_SHUTDOWN | EWX_POWEROFF, "power off"},
        {EWX_LOGOFF | EWX_FORCEIFHUNG, "log off, forced"},
    };
    for (const Case& c : cases) EXPECT_EQ(sim::DescribeExitFlags(c.flags), c.text) << c.flags;
}

TEST(Broadcasts, BothKindsAreTranscribedAndFaultsFailThem) {
    TempMachine m;
    std::string error;
    ASSERT_TRUE(sim::AddFault(m.machine(), {"SendNotifyMessageA", 1400, 1, "Ports"}, error));
    ASSERT_TRUE(sim::AddFault(m.machine(), {"SendMessageTimeoutA", 1460, 1, {}}, error));
    auto p = m.Process(32);
    EXPECT_FALSE(p->desktop().NotifyWinIniChange("Ports"));
    EXPECT_EQ(p->lastError().GetLastError(), 1400u);
    EXPECT_FALSE(TranscriptHas(m, "notifies"));
    EXPECT_FALSE(p->desktop().BroadcastWinIniChange(nullptr, 1000));
    EXPECT_EQ(p->lastError().GetLastError(), 1460u);
    EXPECT_TRUE(p->desktop().NotifyWinIniChange("Ports"));
    EXPECT_TRUE(TranscriptHas(m, "program: notifies every window that the win.ini section [Ports] changed"));
    EXPECT_TRUE(p->desktop().BroadcastWinIniChange("windows", 1000));
    EXPECT_TRUE(TranscriptHas(m, "program: tells every window that the win.ini section [windows] changed"));
}

}  // namespace
