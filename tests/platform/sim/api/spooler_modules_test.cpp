// The DLLs the running spooler has loaded: its monitors' and native print processors' files
// cannot be replaced or deleted until it stops, but can be read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/state/service_state.h"
#include "platform/win_constants.h"
#include "tests/support/temp_machine.h"

namespace {

using plat::RegRoot;
using plat::RegView;
using testsupport::TempMachine;

const char* const kMonitors = "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors";
const char* const kEnvironments = "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments";

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

// Registers a component key with its "Driver" value, as the spooler keeps it.
void Register(plat::Platform& p, const std::string& key, const std::string& driver) {
    auto& reg = p.registry();
    ASSERT_EQ(reg.CreateKey(RegRoot::LocalMachine, key.c_str(), RegView::View64), ERROR_SUCCESS);
    std::vector<std::uint8_t> text(driver.begin(), driver.end());
    text.push_back(0);
    ASSERT_EQ(reg.SetValue(RegRoot::LocalMachine, key.c_str(), "Driver", REG_SZ, text,
                           RegView::View64),
              ERROR_SUCCESS);
}

// The calls that would replace or remove a file, each giving the error it ended with.
std::vector<std::uint32_t> ReplaceAndDelete(plat::Platform& p, const std::string& path) {
    auto& f = p.files();
    auto last = [&] { return p.lastError().GetLastError(); };
    return {
        f.CopyFileA("C:\\scratch\\new.dll", path.c_str(), false) ? 0 : last(),
        f.WriteWholeFile(path.c_str(), Bytes("new")) ? 0 : last(),
        f.DeleteFileA(path.c_str()) ? 0 : last(),
    };
}

const std::vector<std::uint32_t> kInUse(3, ERROR_SHARING_VIOLATION);
const std::vector<std::uint32_t> kAllowed(3, ERROR_SUCCESS);

TEST(SpoolerModules, AMonitorsDllIsInUseWhileTheSpoolerRunsAndFreeOnceItStops) {
    TempMachine m("windows-7-x64");
    auto p = m.Process(64);
    Register(*p, std::string(kMonitors) + "\\Receipt Port", "rcptmon.dll");
    const std::string dll = "C:\\Windows\\System32\\rcptmon.dll";
    ASSERT_TRUE(p->files().WriteWholeFile(dll.c_str(), Bytes("old")));
    ASSERT_TRUE(p->files().WriteWholeFile("C:\\scratch\\new.dll", Bytes("new")));

    EXPECT_EQ(ReplaceAndDelete(*p, dll), kInUse);
    std::vector<std::uint8_t> read;
    EXPECT_TRUE(p->files().ReadWholeFile(dll.c_str(), read));
    EXPECT_EQ(read, Bytes("old"));
    // The replacement under another name is not the loaded one.
    EXPECT_TRUE(p->files().CopyFileA("C:\\scratch\\new.dll",
                                     "C:\\Windows\\System32\\nrcptmon.dll", false));

    ASSERT_EQ(sim::SetServiceState(m.machine(), "Spooler", SERVICE_STOPPED), ERROR_SUCCESS);
    ASSERT_TRUE(p->files().WriteWholeFile(dll.c_str(), Bytes("old")));
    EXPECT_EQ(ReplaceAndDelete(*p, dll), kAllowed);
}

TEST(SpoolerModules, APrintProcessorOfTheNativeEnvironmentIsHeldInItsOwnDirectory) {
    TempMachine m("windows-7-x64");
    auto p = m.Process(64);
    Register(*p, std::string(kEnvironments) + "\\Windows x64\\Print Processors\\RcptProc",
             "rcptproc.dll");
    Register(*p, std::string(kEnvironments) + "\\Windows NT x86\\Print Processors\\RcptProc",
             "rcptproc.dll");
    ASSERT_TRUE(p->files().WriteWholeFile("C:\\scratch\\new.dll", Bytes("new")));
    // A new machine has both environments' print-processor directories.
    const std::string native = "C:\\Windows\\System32\\spool\\prtprocs\\x64\\RCPTPROC.DLL";
    const std::string other = "C:\\Windows\\System32\\spool\\prtprocs\\w32x86\\rcptproc.dll";
    // A DLL that is not there yet is not loaded: it can be put in place.
    ASSERT_TRUE(p->files().WriteWholeFile(native.c_str(), Bytes("old")));
    ASSERT_TRUE(p->files().WriteWholeFile(other.c_str(), Bytes("old")));
    EXPECT_EQ(ReplaceAndDelete(*p, native), kInUse);
    // The 32-bit environment's processor is not loaded by a 64-bit spooler.
    EXPECT_EQ(ReplaceAndDelete(*p, other), kAllowed);
    // Nor is a file of the same name in System32.
    ASSERT_TRUE(p->files().WriteWholeFile("C:\\Windows\\System32\\rcptproc.dll", Bytes("x")));
    EXPECT_EQ(ReplaceAndDelete(*p, "C:\\Windows\\System32\\rcptproc.dll"), kAllowed);
}

TEST(SpoolerModules, A32BitProgramReachesTheLoadedDllOnlyWithRedirectionSuspended) {
    TempMachine m("windows-7-x64");
    auto p64 = m.Process(64);
    auto p32 = m.Process(32);
    Register(*p64, std::string(kMonitors) + "\\Receipt Port", "rcptmon.dll");
    ASSERT_TRUE(p32->files().WriteWholeFile("C:\\scratch\\new.dll", Bytes("new")));
    const std::string dll = "C:\\Windows\\System32\\rcptmon.dll";
    ASSERT_TRUE(p64->files().WriteWholeFile(dll.c_str(), Bytes("old")));
    ASSERT_TRUE(p32->files().WriteWholeFile(dll.c_str(), Bytes("old32")));
    // Redirected, the 32-bit program writes SysWOW64's copy, which the spooler does not use.
    EXPECT_EQ(ReplaceAndDelete(*p32, dll), kAllowed);
    void* token = nullptr;
    ASSERT_TRUE(p32->files().Wow64DisableWow64FsRedirection(token));
    EXPECT_EQ(ReplaceAndDelete(*p32, dll), kInUse);
    ASSERT_TRUE(p32->files().Wow64RevertWow64FsRedirection(token));
}

TEST(SpoolerModules, AStoppingSpoolerHoldsItsDllsUntilItHasStopped) {
    TempMachine m("windows-7-x86");
    ASSERT_EQ(sim::SetServicePolls(m.machine(), "Spooler", std::nullopt, 1), ERROR_SUCCESS);
    auto p = m.Process(32);
    Register(*p, std::string(kMonitors) + "\\Receipt Port", "rcptmon.dll");
    const std::string dll = "C:\\Windows\\System32\\rcptmon.dll";
    ASSERT_TRUE(p->files().WriteWholeFile("C:\\scratch\\new.dll", Bytes("new")));
    ASSERT_TRUE(p->files().WriteWholeFile(dll.c_str(), Bytes("old")));
    auto& s = p->services();
    const plat::ServiceHandle manager = s.OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    const plat::ServiceHandle spooler =
        s.OpenServiceA(manager, "Spooler", SERVICE_STOP | SERVICE_QUERY_STATUS);
    ASSERT_NE(spooler, 0u);
    plat::SERVICE_STATUS status{};
    ASSERT_TRUE(s.ControlService(spooler, SERVICE_CONTROL_STOP, status));
    EXPECT_EQ(status.dwCurrentState, SERVICE_STOP_PENDING);
    EXPECT_FALSE(p->files().CopyFileA("C:\\scratch\\new.dll", dll.c_str(), false));
    EXPECT_EQ(p->lastError().GetLastError(), ERROR_SHARING_VIOLATION);
    ASSERT_TRUE(s.QueryServiceStatus(spooler, status));
    ASSERT_TRUE(s.QueryServiceStatus(spooler, status));
    EXPECT_EQ(status.dwCurrentState, SERVICE_STOPPED);
    EXPECT_TRUE(p->files().CopyFileA("C:\\scratch\\new.dll", dll.c_str(), false));
}

}  // namespace
