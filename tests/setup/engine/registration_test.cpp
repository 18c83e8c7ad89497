// Spooler registration, service control and the monitor and processor checks, against fakes
// that fail with each error of the failure tables.
#include <gtest/gtest.h>

#include "platform/sim/state/file_holds.h"
#include "setup/engine/ComponentInstall.h"
#include "setup/engine/ComponentVersions.h"
#include "setup/engine/SpoolerRegistration.h"
#include "setup/engine/SpoolerService.h"
#include "tests/setup/engine/engine_fixture.h"

namespace {

using namespace enginetest;

std::unique_ptr<Engine> Xp() { return MakeEngine(3, false); }

TEST(RegisterMonitor, AlreadyInstalledCountsAsSuccessOtherErrorsAddTheSystemMessage) {
    struct Case {
        std::uint32_t error;
        bool ok;
    };
    for (const Case& c : {Case{ERROR_PRINT_MONITOR_ALREADY_INSTALLED, true},
                          Case{ERROR_ALREADY_EXISTS, true}, Case{ERROR_MOD_NOT_FOUND, false}}) {
        auto e = Xp();
        ASSERT_TRUE(e);
        e->platform->spooler.addMonitorError = c.error;
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
        e->platform->spooler.addProcessorError = error;
        EXPECT_FALSE(setup::RegisterPrintProcessor(*e->ctx, "VTXPROC.DLL", "VTXPrint"));
        EXPECT_EQ(e->ctx->result.str(), e->Text("IDS_ERR_ADDPROCESSOR"));
    }
}

TEST(RegisterDriver, FailureAddsTheSystemMessageAndX64NamesItsEnvironment) {
    auto e = Xp();
    ASSERT_TRUE(e);
    pkg::DriverRecord record;
    record.name = "VTX-58R";
    e->platform->spooler.addDriverError = ERROR_FILE_NOT_FOUND;
    EXPECT_FALSE(setup::RegisterDriver(*e->ctx, record));
    EXPECT_EQ(e->ctx->result.str(), e->Text("IDS_ERR_ADDPRNDRV3") + "\nThe system cannot find the file specified.");
    EXPECT_EQ(e->platform->spooler.drivers.back(), "VTX-58R|");

    auto x64 = MakeEngine(7, true);
    ASSERT_TRUE(x64);
    EXPECT_TRUE(setup::RegisterDriver(*x64->ctx, record));
    EXPECT_EQ(x64->platform->spooler.drivers.back(), "VTX-58R|Windows x64");
}

TEST(RegisterPrinter, SerialNameConflictTriesNumberedNames) {
    auto e = Xp();
    ASSERT_TRUE(e);
    e->platform->spooler.printers = {"VTX-58R(S)", "VTX-58R(S)(1)"};
    pkg::PrinterRecord record;
    record.printerName = "VTX-58R(S)";
    EXPECT_TRUE(setup::RegisterPrinter(*e->ctx, record, false));
    EXPECT_EQ(record.printerName, "VTX-58R(S)(2)");
    EXPECT_TRUE(e->ctx->result.empty());
}

TEST(RegisterPrinter, UsbNameConflictFailsWithoutTrying) {
    auto e = Xp();
    ASSERT_TRUE(e);
    e->platform->spooler.printers = {"VTX-58R(U) 1"};
    pkg::PrinterRecord record;
    record.printerName = "VTX-58R(U) 1";
    EXPECT_FALSE(setup::RegisterPrinter(*e->ctx, record, true));
    EXPECT_EQ(e->ctx->result.str(), e->Text("IDS_ERR_TOOMANY"));
    EXPECT_EQ(e->platform->spooler.addPrinterNames.size(), 1u);
    EXPECT_TRUE(record.printerName.empty());
}

TEST(RegisterPrinter, NinetyEightTakenNamesAreTooMany) {
    for (int taken : {97, 98}) {
        auto e = Xp();
        ASSERT_TRUE(e);
        e->platform->spooler.printers = {"P"};
        for (int n = 1; n <= taken; ++n)
            e->platform->spooler.printers.insert("P(" + std::to_string(n) + ")");
        pkg::PrinterRecord record;
        record.printerName = "P";
        const bool ok = setup::RegisterPrinter(*e->ctx, record, false);
        // With 97 taken, "P(98)" is the last free one; with 98 taken there is none.
        EXPECT_EQ(ok, taken == 97);
        EXPECT_EQ(record.printerName, taken == 97 ? "P(98)" : "");
        EXPECT_EQ(e->ctx->result.str(), ok ? "" : e->Text("IDS_ERR_TOOMANY"));
    }
}

TEST(RegisterPrinter, OtherErrorsAreAddPrinterWithTheSystemMessage) {
    auto e = Xp();
    ASSERT_TRUE(e);
    e->platform->spooler.printers = {"P"};
    e->platform->spooler.addPrinterError = ERROR_INVALID_PARAMETER;
    pkg::PrinterRecord record;
    record.printerName = "P";
    EXPECT_FALSE(setup::RegisterPrinter(*e->ctx, record, false));
    EXPECT_EQ(e->ctx->result.str(), e->Text("IDS_ERR_ADDPRINTER") + "\nThe parameter is incorrect.");
    EXPECT_EQ(e->platform->spooler.addPrinterNames.back(), "P(1)");
    EXPECT_TRUE(record.printerName.empty());
}

TEST(CheckSpoolerPorts, RetriesOnceWithTheNeededSizeThenReportsMemory) {
    auto e = Xp();
    ASSERT_TRUE(e);
    e->platform->spooler.enumPortsErrors = {ERROR_INSUFFICIENT_BUFFER};
    e->platform->spooler.enumPortsNeeded = 1500;
    EXPECT_TRUE(setup::CheckSpoolerPorts(*e->ctx));
    EXPECT_EQ(e->platform->spooler.enumPortsSizes, (std::vector<std::uint32_t>{1000, 1500}));

    auto down = Xp();
    ASSERT_TRUE(down);
    down->platform->spooler.enumPortsErrors = {RPC_S_SERVER_UNAVAILABLE, RPC_S_SERVER_UNAVAILABLE};
    EXPECT_FALSE(setup::CheckSpoolerPorts(*down->ctx));
    EXPECT_EQ(down->ctx->result.str().rfind(down->Text("IDS_ERR_ALLOCMEMORY"), 0), 0u);
    EXPECT_EQ(down->platform->spooler.enumPortsSizes.size(), 2u);
}

TEST(SpoolerService, StartAcceptsAlreadyRunningAndReportsOtherCodes) {
    auto e = Xp();
    ASSERT_TRUE(e);
    e->platform->services_.startError = ERROR_SERVICE_ALREADY_RUNNING;
    EXPECT_TRUE(setup::StartSpooler(*e->ctx));
    EXPECT_TRUE(e->ctx->result.empty());
    e->platform->services_.startError = ERROR_SERVICE_DISABLED;
    EXPECT_FALSE(setup::StartSpooler(*e->ctx));
    EXPECT_EQ(e->ctx->result.str(), "Start spool service error, error code = 1058");
    EXPECT_EQ(e->platform->services_.openHandles, 0);
}

TEST(SpoolerService, WaitPollsTenTimesThreeHundredMsApart) {
    auto e = Xp();
    ASSERT_TRUE(e);
    e->platform->services_.states = {SERVICE_START_PENDING, SERVICE_START_PENDING, SERVICE_RUNNING};
    EXPECT_EQ(setup::WaitSpoolerRunning(*e->ctx), static_cast<std::uint32_t>(SERVICE_RUNNING));
    EXPECT_TRUE(e->ctx->result.empty());
    EXPECT_EQ(e->platform->sleeps, (std::vector<std::uint32_t>{300, 300}));

    auto never = Xp();
    ASSERT_TRUE(never);
    never->platform->services_.states = {SERVICE_STOP_PENDING};
    EXPECT_EQ(setup::WaitSpoolerRunning(*never->ctx),
              static_cast<std::uint32_t>(SERVICE_STOP_PENDING));
    EXPECT_EQ(never->ctx->result.str(), "StartSpoolService error");
    int queries = 0;
    for (const auto& call : never->platform->services_.calls)
        queries += call == "QueryServiceStatus";
    EXPECT_EQ(queries, 10);

    auto unopened = Xp();
    ASSERT_TRUE(unopened);
    unopened->platform->services_.openServiceError = ERROR_ACCESS_DENIED;
    EXPECT_EQ(setup::WaitSpoolerRunning(*unopened->ctx),
              static_cast<std::uint32_t>(SERVICE_STOPPED));
}

TEST(MakeDefaultPrinter, WindowsSevenCallsSetDefaultPrinter) {
    auto e = MakeEngine(7, false);
    ASSERT_TRUE(e);
    setup::MakeDefaultPrinter(*e->ctx, "VTX-58R(S)");
    EXPECT_EQ(e->platform->spooler.defaultPrinter, "VTX-58R(S)");
}

// Registry helpers for the monitor and processor checks.
void SetVersion(Engine& e, const std::string& key, std::uint32_t version) {
    setup::WriteDriverVersion(*e.ctx, key, version);
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
            SetVersion(*e, key, static_cast<std::uint32_t>(c.installed));
        else
            e->platform->registry().CreateKey(plat::RegRoot::LocalMachine, key.c_str(),
                                              plat::RegView::Default);
        std::uint32_t flags = 0;
        EXPECT_TRUE(setup::EnsurePortMonitor(*e->ctx, "COM1:", monitors, flags));
        EXPECT_EQ(flags, c.flags) << c.installed;
        EXPECT_TRUE(e->platform->spooler.monitors.empty());
    }
}

TEST(EnsurePortMonitor, AbsentMonitorIsCopiedRegisteredAndVersioned) {
    pkg::PortMonitorRecords monitors;
    monitors.usb = {"VTX USB Port Monitor", "", "VTXUSBM.DLL", "VTXUSBUI.DLL", 3};
    auto e = Xp();
    ASSERT_TRUE(e);
    // The spooler holds an old copy: the new one goes in as "n" + name.
    ASSERT_TRUE(e->Put("C:\\Windows\\System32\\VTXUSBM.DLL", "old"));
    ASSERT_EQ(sim::HoldFileOpen(e->machine->machine(), "C:\\Windows\\System32\\VTXUSBM.DLL",
                                GENERIC_READ, 0),
              0u);
    e->platform->spooler.addMonitorError = ERROR_PRINT_MONITOR_ALREADY_INSTALLED;
    std::uint32_t flags = 0;
    EXPECT_TRUE(setup::EnsurePortMonitor(*e->ctx, "USB_VTX-58R_1", monitors, flags));
    EXPECT_EQ(flags, 0u);
    EXPECT_EQ(e->platform->spooler.monitors,
              (std::vector<std::string>{"VTX USB Port Monitor||nVTXUSBM.DLL"}));
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
        std::uint32_t flags = 0;
        EXPECT_TRUE(setup::EnsurePortMonitor(*e->ctx, port, monitors, flags));
        EXPECT_TRUE(e->platform->spooler.monitors.empty()) << port;
    }
    auto x64 = MakeEngine(7, true);
    std::uint32_t flags = 0;
    EXPECT_TRUE(setup::EnsurePortMonitor(*x64->ctx, "COM1:", monitors, flags));
    EXPECT_TRUE(x64->platform->spooler.monitors.empty());
    // USB on 64-bit Windows registers in the native environment.
    EXPECT_TRUE(setup::EnsurePortMonitor(*x64->ctx, "USB_X_1", monitors, flags));
    EXPECT_EQ(x64->platform->spooler.monitors,
              (std::vector<std::string>{"U|Windows x64|VTXUSBM.DLL"}));
}

TEST(EnsurePrintProcessor, WinPrintIsLeftAloneOthersRegisterAndFail) {
    auto e = Xp();
    ASSERT_TRUE(e);
    std::uint32_t flags = 0;
    EXPECT_TRUE(setup::EnsurePrintProcessor(*e->ctx, "WinPrint", "VTXPROC.DLL", 3, flags));
    EXPECT_TRUE(e->platform->spooler.processors.empty());
    // The system's own processor keeps its key as it was: no version is written into it.
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    EXPECT_EQ(e->machine->platform().registry().QueryValue(
                  plat::RegRoot::LocalMachine, setup::ProcessorKey(*e->ctx, "WinPrint").c_str(),
                  "DriverVersion", type, data, plat::RegView::Default),
              ERROR_FILE_NOT_FOUND);

    EXPECT_TRUE(setup::EnsurePrintProcessor(*e->ctx, "VTXPrint", "vtxproc.dll", 3, flags));
    EXPECT_EQ(e->platform->spooler.processors, (std::vector<std::string>{"|VTXPROC.DLL|VTXPrint"}));
    EXPECT_TRUE(e->Exists(std::string(kProcessorDir) + "\\VTXPROC.DLL"));
    EXPECT_EQ(setup::ReadComponentState(*e->ctx, setup::ProcessorKey(*e->ctx, "VTXPrint"), 3),
              setup::ComponentState::Current);
    EXPECT_EQ(setup::ProcessorKey(*e->ctx, "VTXPrint"),
              "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Print "
              "Processors\\VTXPrint");

    auto older = Xp();
    SetVersion(*older, setup::ProcessorKey(*older->ctx, "VTXPrint"), 2);
    std::uint32_t olderFlags = 0;
    EXPECT_TRUE(setup::EnsurePrintProcessor(*older->ctx, "VTXPrint", "VTXPROC.DLL", 3, olderFlags));
    EXPECT_EQ(olderFlags, 8u);

    auto refused = Xp();
    refused->platform->spooler.addProcessorError = ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED;
    std::uint32_t none = 0;
    EXPECT_FALSE(setup::EnsurePrintProcessor(*refused->ctx, "VTXPrint", "VTXPROC.DLL", 3, none));
    EXPECT_EQ(refused->ctx->result.str(), refused->Text("IDS_ERR_ADDPROCESSOR"));
}

}  // namespace
