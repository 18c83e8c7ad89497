// Uninstall runs of the real program after the real setup installed a printer: what is listed,
// what a run removes (printer, driver, monitors, processor, their keys and DLLs, the USB device
// driver through Install "22") and what it logs, and the refusals (queued jobs, a printer on a
// ZKCOM port). Expected lines are the example package's language texts filled by hand.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/inventory_sections.h"
#include "tests/support/transcript_checks.h"
#include "tests/uninstall/uninstall_run.h"

namespace uninstalltest {
namespace {

using namespace testsupport;

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The last `show` line of a control.
std::string LastState(const std::string& transcript, const std::string& control) {
    const std::vector<std::string> states = ControlStates(transcript, control);
    return states.empty() ? std::string() : states.back();
}

// Whether the quoted entries appear in this order (others may stand between them).
::testing::AssertionResult InOrder(const std::string& line,
                                   const std::vector<std::string>& entries) {
    std::size_t at = 0;
    for (const std::string& entry : entries) {
        const std::size_t found = line.find("\"" + entry + "\"", at);
        if (found == std::string::npos)
            return ::testing::AssertionFailure() << "missing or out of order: " << entry
                                                 << "\nin: " << line;
        at = found + entry.size();
    }
    return ::testing::AssertionSuccess();
}

constexpr const char* kSelectPrompt = "Tick the items to remove, then press Uninstall.";
constexpr const char* kUsbPrinter = "VTX-80R(U) 1";

using UninstallRun = UninstallMachine;

TEST_F(UninstallRun, ListsThePackagesPrintersMonitorsAndProcessorOnly) {
    Prepare("windows-7-x64");
    InstallWithSetup(true);
    RunResult run = RunUninstall("show\nclick IDC_EXIT\n");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string rows = LastState(run.output, "1001 IDC_CANDIDATES");
    // Printers first, then monitors, then processors; Windows' own monitors are not offered.
    EXPECT_TRUE(InOrder(rows, {kUsbPrinter, "VTX Language Monitor", "VTX USB Port Monitor",
                               "VTXPrint"}));
    EXPECT_FALSE(Has(rows, "Local Port")) << rows;
    EXPECT_FALSE(Has(rows, "winprint")) << rows;
    EXPECT_TRUE(Has(rows, "[ ] \"VTXPrint\"")) << rows;  // nothing is ticked at first
    EXPECT_FALSE(Has(LastState(run.output, "1005 IDC_SELECT"), "disabled"));
}

TEST_F(UninstallRun, EverythingTickedWithTheUsbDriverLeavesNothingOfThePackage) {
    Prepare("windows-7-x64");
    InstallWithSetup(true);
    ASSERT_TRUE(std::filesystem::exists(HostPath("C:\\Windows\\System32\\drivers\\ZADO450DEZ.ure")));
    // No to the restart question, then the window with its empty list.
    RunResult run = RunUninstall(
        "click IDC_SELECT\ntick IDC_USB_DRIVER\nclick IDC_UNINSTALL\nwait-enabled IDC_EXIT\n"
        "expect-title Restart Windows\nclick IDCANCEL\nshow\nclick IDC_EXIT\n");
    ASSERT_EQ(run.status, 0) << run.output;

    EXPECT_TRUE(InOrder(LastState(run.output, "1003 IDC_LOG"),
                        {kSelectPrompt, "Removing printer VTX-80R(U) 1...",
                         "VTX-80R(U) 1 has been removed.", "Removing the driver of VTX-80R(U) 1...",
                         "The printer driver has been removed.", "Removing VTX Language Monitor...",
                         "VTX Language Monitor has been removed.",
                         "Removing VTX USB Port Monitor...", "VTX USB Port Monitor has been removed.",
                         "Removing VTXPrint...", "VTXPrint has been removed.",
                         "Removing the USB device driver...",
                         "The USB device driver has been removed."}));
    // The list is empty: only Exit is enabled, and the prompt is not repeated.
    EXPECT_EQ(CountInTranscript(LastState(run.output, "1003 IDC_LOG"), kSelectPrompt), 1);
    for (const char* control : {"1004 IDC_UNINSTALL", "1005 IDC_SELECT", "1002 IDC_USB_DRIVER"})
        EXPECT_TRUE(Has(LastState(run.output, control), "disabled")) << control;
    EXPECT_FALSE(Has(LastState(run.output, "1006 IDC_EXIT"), "disabled"));
    EXPECT_TRUE(Has(run.output, "USBDriver_x64\\Install.exe")) << run.output;

    const std::string inventory = Inventory();
    // Printers, drivers, monitors, processors and ports come before the serial settings.
    const std::string printSystem = inventory.substr(0, inventory.find("Serial settings"));
    EXPECT_FALSE(Has(printSystem, "VTX")) << inventory;
    // Install "22" removed the device driver's file from the native System32.
    EXPECT_FALSE(std::filesystem::exists(HostPath("C:\\Windows\\System32\\drivers\\ZADO450DEZ.ure")));
    EXPECT_FALSE(Has(inventory, "PORTNAME")) << inventory;
    // The printer stays attached, but no device is bound to the package's driver any more.
    EXPECT_TRUE(Has(inventory, "vid 5a5a  pid 5a5a")) << inventory;
    const std::string devices = inventory.substr(inventory.find("Devices with a driver"));
    EXPECT_FALSE(Has(devices, "USB\\VID_5A5A&PID_5A5A")) << inventory;
    // setup's PRINTERPORT record stays: it is not the uninstaller's.
    EXPECT_TRUE(Has(inventory, "PRINTERPORT")) << inventory;
    const std::string monitors =
        Machine("reg", "'HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors'");
    EXPECT_FALSE(Has(monitors, "VTX")) << monitors;
    const std::string processors = Machine(
        "reg",
        "'HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows x64\\Print Processors'");
    EXPECT_FALSE(Has(processors, "VTXPrint")) << processors;
    for (const char* file : {"C:\\Windows\\System32\\VTXUSBM.DLL",
                             "C:\\Windows\\System32\\VTXLANGM.DLL",
                             "C:\\Windows\\System32\\spool\\prtprocs\\x64\\VTXPROC.DLL"})
        EXPECT_FALSE(std::filesystem::exists(HostPath(file))) << file;
    // No was answered: Windows is not restarted.
    EXPECT_TRUE(Has(inventory, "Restart requests:\n  (none)")) << inventory;
}

TEST_F(UninstallRun, QueuedJobsOnAnyPrinterDeleteNothing) {
    Prepare("windows-7-x86");
    InstallWithSetup(false);
    Machine("printer add", "Office --port LPT1:");
    QueueJob("Office");  // not one of the package's printers
    RunResult run = RunUninstall(
        "click IDC_SELECT\nclick IDC_UNINSTALL\nshow\nclick IDC_EXIT\n");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string log = LastState(run.output, "1003 IDC_LOG");
    EXPECT_TRUE(InOrder(log, {kSelectPrompt, "Printer Office still has documents to print.\\nWait "
                                             "until the..."}))
        << log;
    EXPECT_FALSE(Has(log, "Removing")) << log;
    // No run started: the buttons stay enabled.
    EXPECT_FALSE(Has(LastState(run.output, "1004 IDC_UNINSTALL"), "disabled"));
    EXPECT_TRUE(Has(Inventory(), "VTX Serial Port Monitor")) << Inventory();
    EXPECT_EQ(Printers().size(), 2u);
}

TEST_F(UninstallRun, YesToTheRestartQuestionRestartsWindows) {
    Prepare("windows-7-x86");
    InstallWithSetup(false);
    RunResult run = RunUninstall(
        std::string("tick-row IDC_CANDIDATES VTX-80R(S)\nclick IDC_UNINSTALL\nwait-enabled IDC_EXIT\n") +
        "click IDOK\nshow\nclick IDC_EXIT\n");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_FALSE(Has(Inventory(), "Restart requests:\n  (none)")) << Inventory();
    // Items remain: the prompt again and the buttons back.
    EXPECT_EQ(CountInTranscript(LastState(run.output, "1003 IDC_LOG"), kSelectPrompt), 2);
    EXPECT_FALSE(Has(LastState(run.output, "1004 IDC_UNINSTALL"), "disabled"));
}

TEST_F(UninstallRun, APrinterOnAZkcomPortKeepsTheMonitor) {
    Prepare("windows-7-x86");
    InstallWithSetup(false);  // VTX-80R(S) on ZKCOM2:
    RunResult run = RunUninstall(
        "tick-row IDC_CANDIDATES VTX Serial Port Monitor\nclick IDC_UNINSTALL\n"
        "wait-enabled IDC_EXIT\nshow\nclick IDC_EXIT\n");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(InOrder(LastState(run.output, "1003 IDC_LOG"),
                        {"Removing VTX Serial Port Monitor...",
                         "Printer VTX-80R(S) still has documents to print.",
                         "VTX Serial Port Monitor is in use and cannot be removed now.",
                         kSelectPrompt}));
    EXPECT_TRUE(Has(LastState(run.output, "1001 IDC_CANDIDATES"), "\"VTX Serial Port Monitor\""));
    EXPECT_FALSE(OpenedWindow(run.output, "Restart"));  // nothing was deleted
    EXPECT_TRUE(Has(Inventory(), "VTX Serial Port Monitor")) << Inventory();

    // With the printer gone first, the same run removes the monitor.
    RunResult second = RunUninstall(
        "tick-row IDC_CANDIDATES VTX-80R(S)\ntick-row IDC_CANDIDATES VTX Serial Port Monitor\n"
        "click IDC_UNINSTALL\nwait-enabled IDC_EXIT\nclick IDCANCEL\nshow\nclick IDC_EXIT\n");
    ASSERT_EQ(second.status, 0) << second.output;
    EXPECT_TRUE(InOrder(LastState(second.output, "1003 IDC_LOG"),
                        {"VTX-80R(S) has been removed.", "Removing VTX Serial Port Monitor...",
                         "VTX Serial Port Monitor has been removed."}));
    EXPECT_FALSE(Has(Inventory(), "VTX Serial Port Monitor")) << Inventory();
}

// A monitor the spooler refuses twice (after a spooler restart in between) stays with its key
// and DLLs; the printer before it in the list goes.
TEST_F(UninstallRun, AMonitorTheSpoolerRefusesKeepsItsKeyAndFiles) {
    Prepare("xp-x86");
    InstallWithSetup(false);  // VTX-80R(S) on ZKCOM2:
    Machine("fault", "call DeleteMonitorA 5");
    RunResult run = RunUninstall(
        "tick-row IDC_CANDIDATES VTX-80R(S)\ntick-row IDC_CANDIDATES VTX Serial Port Monitor\n"
        "click IDC_UNINSTALL\nwait-enabled IDC_EXIT\nclick IDCANCEL\nshow\nclick IDC_EXIT\n");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(InOrder(LastState(run.output, "1003 IDC_LOG"),
                        {"VTX-80R(S) has been removed.", "Removing VTX Serial Port Monitor...",
                         "VTX Serial Port Monitor could not be removed.", kSelectPrompt}));
    EXPECT_TRUE(Has(LastState(run.output, "1001 IDC_CANDIDATES"), "\"VTX Serial Port Monitor\""));
    EXPECT_TRUE(Has(Inventory(), "VTX Serial Port Monitor")) << Inventory();
    EXPECT_TRUE(Has(Machine("files", "'C:\\WINDOWS\\system32'"), "VTXCOMM.DLL"));
}

// The inventory decides what is offered: with no monitor entries the installed monitor is not
// listed, and a printer entry must be part of the driver's name, letter case included.
TEST_F(UninstallRun, TheInventorysEntriesDecideWhatIsListed) {
    Prepare("xp-x86");
    InstallWithSetup(false);
    SetIni("DRVCONFIG\\Uninstall.ini", "KXMONITOR", "MonitorNUM", "0");
    SetIni("DRVCONFIG\\Uninstall.ini", "KXPRINTER", "PRINTERNAME1", "vtx-");
    RunResult run = RunUninstall("show\nclick IDC_EXIT\n");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string rows = LastState(run.output, "1001 IDC_CANDIDATES");
    // The standard flavour prints through WinPrint: no processor of the package either.
    EXPECT_TRUE(Has(rows, "rows []")) << rows;

    SetIni("DRVCONFIG\\Uninstall.ini", "KXPRINTER", "PRINTERNAME1", "80R");
    RunResult second = RunUninstall("show\nclick IDC_EXIT\n");
    EXPECT_TRUE(Has(LastState(second.output, "1001 IDC_CANDIDATES"), "\"VTX-80R(S)\""));
}

// A driver another printer still uses stays: the printer goes, its driver is reported in use.
TEST_F(UninstallRun, ADriverAnotherPrinterUsesStays) {
    Prepare("xp-x86");
    InstallWithSetup(false);  // VTX-80R(S)
    InstallWithSetup(false);  // VTX-80R(S)(1), the same driver
    RunResult run = RunUninstall(
        "tick-row IDC_CANDIDATES VTX-80R(S)\nclick IDC_UNINSTALL\nwait-enabled IDC_EXIT\n"
        "click IDCANCEL\nshow\nclick IDC_EXIT\n");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(InOrder(LastState(run.output, "1003 IDC_LOG"),
                        {"VTX-80R(S) has been removed.", "Removing the driver of VTX-80R(S)...",
                         "The printer driver is still used by another printer.", kSelectPrompt}));
    const std::string inventory = Inventory();
    EXPECT_TRUE(Has(inventory, "VTX-80R(S)(1)  VTX-80R")) << inventory;
    EXPECT_FALSE(Has(inventory, "VTX-80R(S)  ")) << inventory;
}

// The round trip on XP: setup installs a serial printer, the uninstaller removes everything it
// lists, and the print system reads as on the fresh machine. What stays by design: the serial
// settings and the driver directory's files no driver names. The monitor's DLLs go by XP's ".2K"
// sections.
TEST_F(UninstallRun, InstallThenUninstallLeavesThePrintSystemAsFresh) {
    Prepare("xp-x86");
    const std::string fresh = Inventory();
    InstallWithSetup(false);  // VTX-80R(S) on ZKCOM2:
    const std::string installed = Inventory();
    ASSERT_TRUE(Has(installed, "VTX Serial Port Monitor")) << installed;
    // The machine's own letter case of its folders is not the one written here: winsim lists.
    const auto systemFiles = [&] { return Machine("files", "'C:\\WINDOWS\\system32'"); };
    ASSERT_TRUE(Has(systemFiles(), "VTXCOMM.DLL")) << systemFiles();

    RunResult run = RunUninstall(
        "click IDC_SELECT\nclick IDC_UNINSTALL\nwait-enabled IDC_EXIT\nclick IDCANCEL\n"
        "show\nclick IDC_EXIT\n");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string after = Inventory();
    // Printers, drivers, monitors, print processors and ports come before the serial settings.
    const auto printSystem = [](const std::string& inventory) {
        return inventory.substr(0, inventory.find("Serial settings"));
    };
    EXPECT_EQ(printSystem(after), printSystem(fresh));
    const std::string system = systemFiles();
    for (const char* dll : {"VTXCOMM.DLL", "VTXCOMUI.DLL"}) EXPECT_FALSE(Has(system, dll)) << dll;
    // VTX-80R's configured 19200 baud with the page's defaults.
    EXPECT_TRUE(Has(after, "COM2:  19200,n,8,1,p")) << after;
    // The driver's own files went with it; the control-font table, no file of the driver's, stays.
    const std::string driverFiles =
        Machine("files", "'C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\3'");
    EXPECT_TRUE(Has(driverFiles, "VTXCTRL.TBL")) << driverFiles;
    EXPECT_FALSE(Has(driverFiles, "VTX80RS.GPD")) << driverFiles;
}

// Windows 95 offers no print processor, not even the package's own that setup put there: it
// stays when everything listed goes, and so does the driver (only the NT family deletes one).
TEST_F(UninstallRun, Windows95OffersNoProcessor) {
    Prepare("windows-95");
    InstallOnPort("LPT1:");  // VTX-80R(P), printing through VTXPrint
    ASSERT_TRUE(Has(Section(Inventory(), "Print processors"), "VTXPrint")) << Inventory();
    RunResult run = RunUninstall(
        "show\nclick IDC_SELECT\nclick IDC_UNINSTALL\nwait-enabled IDC_EXIT\nclick IDCANCEL\n"
        "show\nclick IDC_EXIT\n");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::vector<std::string> rows = ControlStates(run.output, "1001 IDC_CANDIDATES");
    ASSERT_FALSE(rows.empty()) << run.output;
    EXPECT_TRUE(Has(rows.front(), "rows [[ ] \"VTX-80R(P)\"]")) << rows.front();
    const std::string log = LastState(run.output, "1003 IDC_LOG");
    EXPECT_TRUE(InOrder(log, {"Removing printer VTX-80R(P)...", "VTX-80R(P) has been removed."}));
    EXPECT_FALSE(Has(log, "driver")) << log;
    const std::string inventory = Inventory();
    EXPECT_TRUE(Has(Section(inventory, "Printers"), "(none)")) << inventory;
    EXPECT_TRUE(Has(Section(inventory, "Drivers"), "VTX-80R")) << inventory;
    EXPECT_TRUE(Has(Section(inventory, "Print processors"), "VTXPrint")) << inventory;
}

// On 64-bit Windows the monitors' DLLs are in the native System32, reached only with file-system
// redirection suspended. When it cannot be suspended the spooler has let the monitors go but
// their DLLs stay, and the log names each one instead of saying the monitor was removed.
TEST_F(UninstallRun, MonitorDllsStayWhenRedirectionCannotBeSuspended) {
    Prepare("windows-7-x64");
    InstallWithSetup(true);
    Machine("fault", "call Wow64DisableWow64FsRedirection 5");
    RunResult run = RunUninstall(
        "tick-row IDC_CANDIDATES VTX-80R(U) 1\ntick-row IDC_CANDIDATES VTX USB Port Monitor\n"
        "click IDC_UNINSTALL\nwait-enabled IDC_EXIT\nclick IDCANCEL\nshow\nclick IDC_EXIT\n");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string log = LastState(run.output, "1003 IDC_LOG");
    // The list box shows as much of a line as fits.
    EXPECT_TRUE(InOrder(log, {"Removing VTX USB Port Monitor...",
                              "The file C:\\Windows\\System32\\VTXUSBM.DLL was not deleted: Sy...",
                              "The file C:\\Windows\\System32\\VTXUSBUI.DLL was not deleted: S...",
                              kSelectPrompt}));
    EXPECT_FALSE(Has(log, "VTX USB Port Monitor has been removed.")) << log;
    EXPECT_FALSE(Has(Inventory(), "VTX USB Port Monitor")) << Inventory();
    for (const char* file : {"C:\\Windows\\System32\\VTXUSBM.DLL",
                             "C:\\Windows\\System32\\VTXUSBUI.DLL"})
        EXPECT_TRUE(std::filesystem::exists(HostPath(file))) << file;
}

}  // namespace
}  // namespace uninstalltest
