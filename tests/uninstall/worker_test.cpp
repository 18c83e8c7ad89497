// The check before a run and the worker, against a stand-in spooler on a simulated Windows 7
// machine: the order of a run, what each kind of item deletes, each refusal and failure, and
// the mended faults (no keys or DLLs of a monitor that stays registered, a failed DLL deletion
// or a failed start of Install never reported as success). Expected lines are the example
// package's language texts filled by hand.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/win_constants.h"
#include "tests/support/temp_machine.h"
#include "tests/uninstall/fake_spooler.h"
#include "uninstall/Candidates.h"
#include "uninstall/UninstallWorker.h"

namespace uninstalltest {
namespace {

using uninstall::Candidate;
using uninstall::WorkerEvent;

constexpr const char* kInventory =
    "[KXPRINTER]\nPRINTERNUM=1\nPRINTERNAME1=VTX-\n"
    "[KXMONITOR]\nMonitorNUM=2\nMONITORNAME1=VTX USB Port Monitor\n"
    "MONITORNAME2=VTX Serial Port Monitor\n"
    "[KXPROC]\nPROCNUM=1\nPROCNAME1=VTXPrint\n"
    "[VTXUSBPortMonitor.Win7]\nMonitorPDLLName=VTXUSBM.DLL\nMONitorPUIDLLName=VTXUSBUI.DLL\n"
    "USBMONitorDLLName=VTXUSBX.DLL\nUSBMONitorName=VTX USB Port Monitor\n"
    "[VTXSerialPortMonitor.Win7]\nMonitorPDLLName=VTXCOMM.DLL\nUSBMONitorName=VTX Serial Port Monitor\n"
    "[VTXPrint.Win7]\nProcessorDllName=VTXPROC.DLL\n";

constexpr const char* kSystem = "C:\\Windows\\System32\\";
constexpr const char* kMonitorKey =
    "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\VTX USB Port Monitor";
constexpr const char* kProcessorKey =
    "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Print "
    "Processors\\VTXPrint";
constexpr const char* kProcessorDll = "C:\\Windows\\System32\\spool\\prtprocs\\w32x86\\VTXPROC.DLL";

struct RunOutcome {
    std::vector<std::string> log;
    std::vector<std::string> removed;
    bool ended = false, restartFlag = false, completed = false;
};

class WorkerTest : public ::testing::Test {
protected:
    WorkerTest() : machine_("windows-7-x86") {
        // The run's pauses take no real time.
        sim::MachineSettings settings = machine_.machine().settings();
        std::string error;
        EXPECT_TRUE(sim::SetSetting(settings, "timescale", "0", error)) << error;
        EXPECT_TRUE(machine_.machine().SaveSettings(settings, error)) << error;
        process_ = machine_.Process();
        platform_ = std::make_unique<FakeSpoolerPlatform>(*process_);
        std::filesystem::create_directories(machine_.machine().driveC() / "scratch" / "language");
        std::filesystem::copy_file(PKG_SOURCE_DIR "/examples/package/language/uninstall.ini",
                                   machine_.machine().driveC() / "scratch" / "language" /
                                       "uninstall.ini");
        Write("C:\\scratch\\Uninstall.ini", kInventory);
        Reinstall();
    }

    // The package's files, keys and spooler entries, as setup leaves them.
    void Reinstall() {
        for (const char* dll : {"VTXUSBM.DLL", "VTXUSBUI.DLL", "VTXUSBX.DLL", "VTXCOMM.DLL"})
            Write(std::string(kSystem) + dll, "dll");
        Write(kProcessorDll, "dll");
        auto& registry = process_->registry();
        for (const char* key : {kMonitorKey, kProcessorKey, "SOFTWARE\\VORTANE\\PORTNAME",
                                "SOFTWARE\\VORTANE\\INSTALLPRINTER", "SOFTWARE\\VORTANE\\PRINTERPORT"})
            registry.CreateKey(plat::RegRoot::LocalMachine, key, plat::RegView::Default);
        spooler().printers = {{"VTX-80R(U) 1", "VTX-80R USB", "USB_VTX-80R_1"},
                              {"Office", "Generic / Text Only", "LPT1:"}};
        spooler().monitors = {"Local Port", "VTX Serial Port Monitor", "VTX USB Port Monitor"};
        spooler().processors = {"winprint", "VTXPrint"};
    }

    void Write(const std::string& path, const std::string& bytes) {
        ASSERT_TRUE(process_->files().WriteWholeFile(
            path.c_str(), std::vector<std::uint8_t>(bytes.begin(), bytes.end())))
            << path;
    }
    bool Exists(const std::string& path) {
        return process_->files().GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    bool KeyExists(const char* key) {
        return process_->registry().OpenKey(plat::RegRoot::LocalMachine, key,
                                            plat::RegView::Default) == ERROR_SUCCESS;
    }
    FakeSpooler& spooler() { return platform_->spooler; }

    RunOutcome Run(const std::vector<Candidate>& candidates, int osIndex = 7,
                   bool hasDriverEx = true, bool usb = false) {
        uninstall::UninstallTexts texts(*platform_);
        uninstall::Inventory inventory(*platform_, "C:\\scratch\\Uninstall.ini", osIndex);
        uninstall::WorkerSettings settings;
        settings.osIndex = osIndex;
        settings.hasDriverEx = hasDriverEx;
        settings.removeUsbDriver = usb;
        settings.currentDir = "C:\\scratch";
        uninstall::WorkerEvents events;
        uninstall::UninstallWorker(*platform_, inventory, texts, settings, events).Run(candidates);
        RunOutcome outcome;
        for (const WorkerEvent& e : events.TakeAll()) {
            EXPECT_FALSE(outcome.ended) << "an event after the end";
            if (e.kind == WorkerEvent::Kind::Log) outcome.log.push_back(e.text);
            if (e.kind == WorkerEvent::Kind::Removed) outcome.removed.push_back(e.text);
            if (e.kind == WorkerEvent::Kind::Ended) {
                outcome.ended = true;
                outcome.restartFlag = e.restartFlag;
                outcome.completed = e.completed;
            }
        }
        EXPECT_TRUE(outcome.ended);
        return outcome;
    }

    testsupport::TempMachine machine_;
    std::unique_ptr<sim::SimPlatform> process_;
    std::unique_ptr<FakeSpoolerPlatform> platform_;
};

using Lines = std::vector<std::string>;

TEST_F(WorkerTest, CandidatesArePrintersByDriverThenMonitorsThenProcessors) {
    spooler().printers.push_back({"VTX-80R copy", "Generic / Text Only", "LPT2:"});
    spooler().printers.push_back({"Shop", "VTX-58 Label", "LPT3:"});
    uninstall::Inventory inventory(*platform_, "C:\\scratch\\Uninstall.ini", 7);
    // A printer named after the model but on an unrelated driver is not the package's.
    EXPECT_EQ(uninstall::FillCandidates(*platform_, inventory, 7, false),
              (Lines{"VTX-80R(U) 1", "Shop", "VTX Serial Port Monitor", "VTX USB Port Monitor",
                     "VTXPrint"}));
    // Windows 98/Me: no print processor is offered (and none is asked for).
    spooler().calls.clear();
    EXPECT_EQ(uninstall::FillCandidates(*platform_, inventory, 0, false).back(),
              "VTX USB Port Monitor");
    EXPECT_TRUE(spooler().calls.empty());
    spooler().calls.clear();
    uninstall::FillCandidates(*platform_, inventory, 7, true);
    EXPECT_EQ(spooler().calls, Lines{"EnumPrintProcessorsA Windows x64"});
}

TEST_F(WorkerTest, EverythingTickedIsRemovedInListOrder) {
    RunOutcome run = Run({{"VTX-80R(U) 1", true}, {"VTX USB Port Monitor", true},
                          {"VTX Serial Port Monitor", false}, {"VTXPrint", true}});
    EXPECT_EQ(run.log, (Lines{"Removing printer VTX-80R(U) 1...", "VTX-80R(U) 1 has been removed.",
                              "Removing the driver of VTX-80R(U) 1...",
                              "The printer driver has been removed.",
                              "Removing VTX USB Port Monitor...",
                              "VTX USB Port Monitor has been removed.", "Removing VTXPrint...",
                              "VTXPrint has been removed."}));
    EXPECT_EQ(run.removed, (Lines{"VTX-80R(U) 1", "VTX USB Port Monitor", "VTXPrint"}));
    EXPECT_TRUE(run.completed);
    EXPECT_TRUE(run.restartFlag);
    EXPECT_EQ(spooler().calls,
              (Lines{"DeletePrinter VTX-80R(U) 1", "DeletePrinterDriverExA VTX-80R USB 1 0",
                     "DeleteMonitorA VTX USB Port Monitor", "DeletePrintProcessorA VTXPrint",
                     "GetPrintProcessorDirectoryA -"}));
    for (const char* dll : {"VTXUSBM.DLL", "VTXUSBUI.DLL", "VTXUSBX.DLL"})
        EXPECT_FALSE(Exists(std::string(kSystem) + dll)) << dll;
    EXPECT_TRUE(Exists(std::string(kSystem) + "VTXCOMM.DLL"));  // unticked
    EXPECT_FALSE(Exists(kProcessorDll));
    for (const char* key : {kMonitorKey, kProcessorKey, "SOFTWARE\\VORTANE\\PORTNAME",
                            "SOFTWARE\\VORTANE\\INSTALLPRINTER"})
        EXPECT_FALSE(KeyExists(key)) << key;
    EXPECT_TRUE(KeyExists("SOFTWARE\\VORTANE\\PRINTERPORT"));
}

TEST_F(WorkerTest, NothingTickedDeletesNothingAndAsksNoRestart) {
    RunOutcome run = Run({{"VTX-80R(U) 1", false}, {"VTXPrint", false}});
    EXPECT_TRUE(run.log.empty());
    EXPECT_TRUE(run.completed);
    EXPECT_FALSE(run.restartFlag);
    EXPECT_TRUE(spooler().calls.empty());
}

TEST_F(WorkerTest, AMonitorRefusedTwiceKeepsItsKeysAndFiles) {
    struct Case {
        std::deque<std::uint32_t> errors;
        bool removed;
        const char* lastLine;
    } cases[] = {
        {{ERROR_PRINT_MONITOR_IN_USE}, true, "VTX USB Port Monitor has been removed."},
        {{ERROR_PRINT_MONITOR_IN_USE, ERROR_PRINT_MONITOR_IN_USE}, false,
         "VTX USB Port Monitor is in use and cannot be removed now."},
        {{ERROR_PRINT_MONITOR_IN_USE, ERROR_ACCESS_DENIED}, false,
         "VTX USB Port Monitor could not be removed."},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.lastLine);
        Reinstall();
        spooler().calls.clear();
        spooler().deleteMonitorErrors = c.errors;
        RunOutcome run = Run({{"VTX USB Port Monitor", true}});
        EXPECT_EQ(run.log, (Lines{"Removing VTX USB Port Monitor...", c.lastLine}));
        // The second try follows a spooler restart.
        EXPECT_EQ(spooler().calls, (Lines{"DeleteMonitorA VTX USB Port Monitor",
                                          "DeleteMonitorA VTX USB Port Monitor"}));
        EXPECT_EQ(run.removed.size(), c.removed ? 1u : 0u);
        EXPECT_EQ(run.restartFlag, c.removed);
        EXPECT_EQ(Exists(std::string(kSystem) + "VTXUSBM.DLL"), !c.removed);
        EXPECT_EQ(KeyExists(kMonitorKey), !c.removed);
        EXPECT_EQ(KeyExists("SOFTWARE\\VORTANE\\PORTNAME"), !c.removed);
    }
}

TEST_F(WorkerTest, APrinterOnAZkcomPortKeepsEveryMonitorExceptOnWindows98) {
    spooler().printers.push_back({"VTX-80R", "VTX-80R", "ZKCOM2:"});
    RunOutcome run = Run({{"VTX Serial Port Monitor", true}});
    EXPECT_EQ(run.log, (Lines{"Removing VTX Serial Port Monitor...",
                              "Printer VTX-80R still has documents to print.",
                              "VTX Serial Port Monitor is in use and cannot be removed now."}));
    EXPECT_TRUE(spooler().calls.empty());
    EXPECT_TRUE(run.removed.empty());
    EXPECT_TRUE(Exists(std::string(kSystem) + "VTXCOMM.DLL"));

    // OS index 0 makes no such check (its sections end in ".98": no DLL names here).
    RunOutcome old = Run({{"VTX Serial Port Monitor", true}}, 0);
    EXPECT_EQ(old.removed, Lines{"VTX Serial Port Monitor"});
}

TEST_F(WorkerTest, ADllThatCannotBeDeletedIsLoggedAndNotCalledASuccess) {
    // The file is held open by another program without sharing.
    auto holder = process_->files().OpenExisting("C:\\Windows\\System32\\VTXUSBUI.DLL",
                                                 GENERIC_READ, 0);
    ASSERT_TRUE(holder);
    RunOutcome run = Run({{"VTX USB Port Monitor", true}});
    ASSERT_EQ(run.log.size(), 2u);
    EXPECT_EQ(run.log[0], "Removing VTX USB Port Monitor...");
    EXPECT_EQ(run.log[1].rfind("The file C:\\Windows\\System32\\VTXUSBUI.DLL could not be deleted.", 0),
              0u)
        << run.log[1];
    // The monitor is unregistered all the same: it leaves the list, the other files go.
    EXPECT_EQ(run.removed, Lines{"VTX USB Port Monitor"});
    EXPECT_FALSE(Exists(std::string(kSystem) + "VTXUSBM.DLL"));
    EXPECT_FALSE(Exists(std::string(kSystem) + "VTXUSBX.DLL"));
}

TEST_F(WorkerTest, ProcessorRefusals) {
    struct Case {
        std::uint32_t error;
        const char* line;
    } const cases[] = {
        {ERROR_CAN_NOT_COMPLETE, "VTXPrint is in use and cannot be removed now."},
        {ERROR_ACCESS_DENIED, "VTXPrint could not be removed."},
    };
    for (const Case& c : cases) {
        Reinstall();
        spooler().deleteProcessorErrors = {c.error};
        RunOutcome run = Run({{"VTXPrint", true}});
        EXPECT_EQ(run.log, (Lines{"Removing VTXPrint...", c.line}));
        EXPECT_TRUE(run.removed.empty());
        EXPECT_TRUE(Exists(kProcessorDll));
        EXPECT_TRUE(KeyExists(kProcessorKey));
    }
}

TEST_F(WorkerTest, PrinterProblemsEndTheRunOrGoOn) {
    struct Case {
        const char* name;
        FakePrinter printer;
        std::uint32_t deleteError;
        Lines log;
        bool completed;
    } const cases[] = {
        {"cannot be opened", {"P", "VTX-80R", "LPT1:", 0, false}, 0,
         {"Printer P cannot be opened."}, false},
        {"jobs queued", {"P", "VTX-80R", "LPT1:", 2, true}, 0,
         {"Removing printer P...", "Printer P still has documents to print."}, false},
        // A refused deletion goes on with the next position: the processor is removed.
        {"deletion refused", {"P", "VTX-80R", "LPT1:", 0, true}, ERROR_ACCESS_DENIED,
         {"Removing printer P...", "The printer could not be removed.", "Removing VTXPrint...",
          "VTXPrint has been removed."},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        spooler().printers = {c.printer};
        spooler().processors = {"VTXPrint"};
        if (c.deleteError) spooler().deletePrinterErrors = {c.deleteError};
        RunOutcome run = Run({{"P", true}, {"VTXPrint", true}});
        EXPECT_EQ(run.log, c.log);
        EXPECT_EQ(run.completed, c.completed);
        EXPECT_EQ(spooler().printers.size(), 1u);
    }
}

TEST_F(WorkerTest, DriverDeletionByOsAndResult) {
    struct Case {
        const char* name;
        int osIndex;
        bool hasDriverEx;
        std::uint32_t error;
        Lines tail;        // the lines after "... has been removed."
        const char* call;  // the driver call; empty: none
    } const cases[] = {
        {"NT 4.0 deletes no driver", 1, true, 0, {}, ""},
        {"2000", 2, true, 0,
         {"Removing the driver of VTX-80R(U) 1...", "The printer driver has been removed."},
         "DeletePrinterDriverExA VTX-80R USB 1 0"},
        {"without the Ex function", 7, false, 0,
         {"Removing the driver of VTX-80R(U) 1...", "The printer driver has been removed."},
         "DeletePrinterDriverA VTX-80R USB"},
        {"in use", 7, true, ERROR_PRINTER_DRIVER_IN_USE,
         {"Removing the driver of VTX-80R(U) 1...",
          "The printer driver is still used by another printer."},
         "DeletePrinterDriverExA VTX-80R USB 1 0"},
        {"other error", 7, true, ERROR_ACCESS_DENIED,
         {"Removing the driver of VTX-80R(U) 1...",
          "The printer driver could not be removed.    er=5"},
         "DeletePrinterDriverExA VTX-80R USB 1 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        spooler().printers = {{"VTX-80R(U) 1", "VTX-80R USB", "USB_VTX-80R_1"}};
        spooler().calls.clear();
        if (c.error) spooler().deleteDriverErrors = {c.error};
        RunOutcome run = Run({{"VTX-80R(U) 1", true}}, c.osIndex, c.hasDriverEx);
        Lines expected = {"Removing printer VTX-80R(U) 1...", "VTX-80R(U) 1 has been removed."};
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(run.log, expected);
        Lines calls = {"DeletePrinter VTX-80R(U) 1"};
        if (*c.call) calls.push_back(c.call);
        EXPECT_EQ(spooler().calls, calls);
        EXPECT_TRUE(run.restartFlag);
    }
}

TEST_F(WorkerTest, AnInstallThatCannotStartIsNotReportedAsARemovedDriver) {
    // C:\scratch has no USBDrv folder.
    RunOutcome run = Run({}, 7, true, true);
    ASSERT_EQ(run.log.size(), 2u);
    EXPECT_EQ(run.log[0], "Removing the USB device driver...");
    EXPECT_EQ(run.log[1].rfind("C:\\scratch\\USBDrv\\USBDriver\\Install.exe could not be started.", 0),
              0u)
        << run.log[1];
    EXPECT_TRUE(run.completed);
}

TEST_F(WorkerTest, QueuedJobsOnAnyPrinterRefuseTheRun) {
    uninstall::UninstallTexts texts(*platform_);
    EXPECT_EQ(uninstall::CheckNoPendingJobs(*platform_, texts), "");
    spooler().printers[1].jobs = 1;  // "Office", not one of the package's
    EXPECT_EQ(uninstall::CheckNoPendingJobs(*platform_, texts),
              "Printer Office still has documents to print.\r\nWait until they are printed or "
              "delete them, then try again.");
    spooler().printers[1].jobs = 0;
    spooler().printers[0].opens = false;
    EXPECT_EQ(uninstall::CheckNoPendingJobs(*platform_, texts),
              "Printer VTX-80R(U) 1 cannot be opened.");
}

}  // namespace
}  // namespace uninstalltest
