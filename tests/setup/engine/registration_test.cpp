// Spooler registration, service control and the monitor and processor checks, called one at a
// time in a setup process on a simulated machine whose spooler calls fail where a test asks.
#include <gtest/gtest.h>

#include "platform/sim/state/file_holds.h"
#include "platform/sim/state/service_state.h"
#include "setup/engine/ComponentInstall.h"
#include "setup/engine/ComponentVersions.h"
#include "setup/engine/SpoolerRegistration.h"
#include "setup/engine/SpoolerService.h"
#include "tests/setup/engine/engine_fixture.h"

namespace {

using namespace enginetest;

std::unique_ptr<Engine> Xp() { return MakeEngine(3, false); }

bool HasMonitor(const Engine& e, const std::string& name) {
    for (const auto& m : e.provider().Monitors())
        if (m.name == name) return true;
    return false;
}

TEST(RegisterMonitor, AlreadyInstalledCountsAsSuccessOtherErrorsAddTheSystemMessage) {
    struct Case {
        std::uint32_t error;
        bool ok;
    };
    for (const Case& c : {Case{ERROR_PRINT_MONITOR_ALREADY_INSTALLED, true},
                          Case{ERROR_ALREADY_EXISTS, true}, Case{ERROR_MOD_NOT_FOUND, false}}) {
        auto e = Xp();
        ASSERT_TRUE(e);
        e->Fail("AddMonitorA", c.error);
        EXPECT_EQ(setup::RegisterMonitor(*e->ctx, "VTX USB Port Monitor", "VTXUSBM.DLL"), c.ok);
        EXPECT_EQ(e->ctx->result.str(),
                  c.ok ? "" : e->Text("IDS_ERR_ADDMONITOR") + "\nThe specified module could not be found.");
    }
}

TEST(RegisterPrintProcessor, EveryFailureIsTheProcessorTextAlone) {
    for (std::uint32_t error : {ERROR_INVALID_PARAMETER, ERROR_ALREADY_EXISTS,
                                ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED}) {
        auto e = Xp();
        ASSERT_TRUE(e);
        e->Fail("AddPrintProcessorA", error);
        EXPECT_FALSE(setup::RegisterPrintProcessor(*e->ctx, "VTXPROC.DLL", "VTXPrint"));
        EXPECT_EQ(e->ctx->result.str(), e->Text("IDS_ERR_ADDPROCESSOR"));
    }
}

TEST(SpoolerService, StartAcceptsAlreadyRunningAndReportsOtherCodes) {
    auto e = Xp();
    ASSERT_TRUE(e);
    // The machine's spooler runs: StartServiceA answers ERROR_SERVICE_ALREADY_RUNNING.
    EXPECT_TRUE(setup::StartSpooler(*e->ctx));
    EXPECT_TRUE(e->ctx->result.empty());
    e->Fail("StartServiceA", ERROR_SERVICE_DISABLED);
    EXPECT_FALSE(setup::StartSpooler(*e->ctx));
    EXPECT_EQ(e->ctx->result.str(), "Start spool service error, error code = 1058");
}

// Ten status queries: a spooler that settles on the tenth is waited for, one that needs an
// eleventh is not.
TEST(SpoolerService, WaitPollsTenTimes) {
    struct Case {
        int pendingPolls;
        bool runs;
    };
    for (const Case& c : {Case{0, true}, Case{9, true}, Case{10, false}}) {
        SCOPED_TRACE(c.pendingPolls);
        auto e = Xp();
        ASSERT_TRUE(e);
        ASSERT_EQ(sim::SetServicePolls(e->machine->machine(), "Spooler", c.pendingPolls, 0), 0u);
        setup::StopSpooler(*e->ctx);
        ASSERT_TRUE(setup::StartSpooler(*e->ctx));
        const std::uint32_t state = setup::WaitSpoolerRunning(*e->ctx);
        EXPECT_EQ(state, static_cast<std::uint32_t>(c.runs ? SERVICE_RUNNING : SERVICE_START_PENDING));
        EXPECT_EQ(e->ctx->result.str(), c.runs ? "" : "StartSpoolService error");
    }

    auto unopened = Xp();
    ASSERT_TRUE(unopened);
    unopened->Fail("OpenServiceA", ERROR_ACCESS_DENIED);
    EXPECT_EQ(setup::WaitSpoolerRunning(*unopened->ctx),
              static_cast<std::uint32_t>(SERVICE_STOPPED));
}

TEST(EnsurePortMonitor, InstalledMonitorsAreFlaggedOnlyWhenOlder) {
    pkg::PortMonitorRecords monitors;
    monitors.serial = {"VTX Serial Port Monitor", "", "VTXCOMM.DLL", "VTXCOMUI.DLL", 2};
    struct Case {
        int installed;  // -1: key without DriverVersion
        std::uint32_t flags;
    };
    for (const Case& c : {Case{1, 1u}, Case{2, 0u}, Case{3, 0u}, Case{-1, 1u}}) {
        auto e = Xp();
        ASSERT_TRUE(e);
        const std::string key = setup::MonitorKey("VTX Serial Port Monitor");
        if (c.installed >= 0)
            setup::WriteDriverVersion(*e->ctx, key, static_cast<std::uint32_t>(c.installed));
        else
            e->platform->registry().CreateKey(plat::RegRoot::LocalMachine, key.c_str(),
                                              plat::RegView::Default);
        std::uint32_t flags = 0;
        EXPECT_TRUE(setup::EnsurePortMonitor(*e->ctx, "COM1:", monitors, flags));
        EXPECT_EQ(flags, c.flags) << c.installed;
        // Found in the registry: nothing is copied.
        EXPECT_FALSE(e->Exists("C:\\Windows\\System32\\VTXCOMM.DLL")) << c.installed;
    }
}

TEST(EnsurePortMonitor, AbsentMonitorIsCopiedRegisteredAndVersioned) {
    pkg::PortMonitorRecords monitors;
    monitors.usb = {"VTX USB Port Monitor", "", "VTXUSBM.DLL", "VTXUSBUI.DLL", 3};
    auto e = Xp();
    ASSERT_TRUE(e);
    // Another program holds an old copy: the new one goes in as "n" + name.
    ASSERT_TRUE(e->Put("C:\\Windows\\System32\\VTXUSBM.DLL", "old"));
    ASSERT_EQ(sim::HoldFileOpen(e->machine->machine(), "C:\\Windows\\System32\\VTXUSBM.DLL",
                                GENERIC_READ, 0),
              0u);
    e->Fail("AddMonitorA", ERROR_PRINT_MONITOR_ALREADY_INSTALLED);
    std::uint32_t flags = 0;
    EXPECT_TRUE(setup::EnsurePortMonitor(*e->ctx, "USB_VTX-58R_1", monitors, flags));
    EXPECT_EQ(flags, 0u);
    EXPECT_EQ(e->FileOn("C:\\Windows\\System32\\VTXUSBM.DLL"), "old");
    EXPECT_FALSE(e->FileOn("C:\\Windows\\System32\\nVTXUSBM.DLL").empty());
    EXPECT_TRUE(e->Exists("C:\\Windows\\System32\\VTXUSBUI.DLL"));
    // The key was missing and the spooler claimed the monitor: the version is written anyway.
    EXPECT_EQ(setup::ReadComponentState(*e->ctx, setup::MonitorKey("VTX USB Port Monitor"), 3),
              setup::ComponentState::Current);
}

TEST(EnsurePortMonitor, ParallelNetworkAnd64BitSerialDoNothing) {
    pkg::PortMonitorRecords monitors;
    monitors.serial = {"S", "", "VTXCOMM.DLL", "", 2};
    monitors.usb = {"U", "", "VTXUSBM.DLL", "", 3};
    for (const char* port : {"LPT1:", "NET:"}) {
        auto e = Xp();
        ASSERT_TRUE(e);
        std::uint32_t flags = 0;
        EXPECT_TRUE(setup::EnsurePortMonitor(*e->ctx, port, monitors, flags));
        EXPECT_FALSE(HasMonitor(*e, "S")) << port;
        EXPECT_FALSE(HasMonitor(*e, "U")) << port;
    }
    auto x64 = MakeEngine(7, true);
    ASSERT_TRUE(x64);
    std::uint32_t flags = 0;
    EXPECT_TRUE(setup::EnsurePortMonitor(*x64->ctx, "COM1:", monitors, flags));
    EXPECT_FALSE(HasMonitor(*x64, "S"));
    // USB on 64-bit Windows registers the monitor, its DLL in the native system directory.
    EXPECT_TRUE(setup::EnsurePortMonitor(*x64->ctx, "USB_X_1", monitors, flags));
    EXPECT_TRUE(HasMonitor(*x64, "U"));
    EXPECT_TRUE(x64->Exists("C:\\Windows\\System32\\VTXUSBM.DLL"));
}

TEST(EnsurePrintProcessor, WinPrintIsLeftAloneOthersRegisterAndFail) {
    auto e = Xp();
    ASSERT_TRUE(e);
    std::uint32_t flags = 0;
    EXPECT_TRUE(setup::EnsurePrintProcessor(*e->ctx, "WinPrint", "VTXPROC.DLL", 3, flags));
    EXPECT_FALSE(e->Exists(std::string(kProcessorDir) + "\\VTXPROC.DLL"));
    // The system's own processor keeps its key as it was: no version is written into it.
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    EXPECT_EQ(e->platform->registry().QueryValue(
                  plat::RegRoot::LocalMachine, setup::ProcessorKey(*e->ctx, "WinPrint").c_str(),
                  "DriverVersion", type, data, plat::RegView::Default),
              ERROR_FILE_NOT_FOUND);

    EXPECT_TRUE(setup::EnsurePrintProcessor(*e->ctx, "VTXPrint", "vtxproc.dll", 3, flags));
    bool registered = false;
    for (const auto& p : e->provider().Processors())
        registered |= p.name == "VTXPrint" && p.dll == "VTXPROC.DLL";
    EXPECT_TRUE(registered);
    EXPECT_TRUE(e->Exists(std::string(kProcessorDir) + "\\VTXPROC.DLL"));
    EXPECT_EQ(setup::ReadComponentState(*e->ctx, setup::ProcessorKey(*e->ctx, "VTXPrint"), 3),
              setup::ComponentState::Current);
    EXPECT_EQ(setup::ProcessorKey(*e->ctx, "VTXPrint"),
              "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Print "
              "Processors\\VTXPrint");

    auto older = Xp();
    ASSERT_TRUE(older);
    setup::WriteDriverVersion(*older->ctx, setup::ProcessorKey(*older->ctx, "VTXPrint"), 2);
    std::uint32_t olderFlags = 0;
    EXPECT_TRUE(setup::EnsurePrintProcessor(*older->ctx, "VTXPrint", "VTXPROC.DLL", 3, olderFlags));
    EXPECT_EQ(olderFlags, 8u);

    auto refused = Xp();
    ASSERT_TRUE(refused);
    refused->Fail("AddPrintProcessorA", ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED);
    std::uint32_t none = 0;
    EXPECT_FALSE(setup::EnsurePrintProcessor(*refused->ctx, "VTXPrint", "VTXPROC.DLL", 3, none));
    EXPECT_EQ(refused->ctx->result.str(), refused->Text("IDS_ERR_ADDPROCESSOR"));
}

}  // namespace
