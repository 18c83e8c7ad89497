// winsim props with the real plug-in on fresh simulated machines: the order of the driver's
// calls, device modes that outlive a run, the spooler's forms in the paper-size item, and the
// refusals.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/setup/wizard_run.h"
#include "tests/support/transcript_checks.h"

namespace {

using wizardtest::RunResult;

std::vector<std::string> Lines(const std::string& output) {
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class PropsRun : public wizardtest::WizardMachine {
protected:
    void SetUp() override {
        WizardMachine::SetUp();
        Create("windows-7-x64");
    }
    std::string MachineDir() const { return "'" + (dir_ / "machine").string() + "'"; }
    RunResult AddPrinter(const std::string& name) {
        return Winsim("printer " + MachineDir() + " add '" + name + "'");
    }
    RunResult ShowSheet(const std::string& printer, const std::string& sheet,
                    const std::string& script) {
        const auto file = dir_ / "props-script.txt";
        std::ofstream(file) << script;
        return Winsim("props " + MachineDir() + " '" + printer + "' " + sheet + " --script '" +
                      file.string() + "'");
    }
    RunResult Devmode(const std::string& printer, const std::string& options = "") {
        return Winsim("devmode " + MachineDir() + " '" + printer + "' " + options);
    }
};

TEST_F(PropsRun, TheDocumentSheetCallsThePluginInTheDriversOrder) {
    ASSERT_EQ(AddPrinter("Receipt").status, 0);
    RunResult run = ShowSheet("Receipt", "--document", "click IDCANCEL\n");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::vector<std::string> expected = {
        "driverui: OpenPrinterW(\"Receipt\") -> a printer handle",
        "driverui: EnumFormsW -> 41 forms",
        "driverui: loads C:\\Windows\\System32\\spool\\drivers\\x64\\3\\ZK450iUI.DLL (the printer has no driver)",
        "driverui: DllGetClassObject(CLSID_OEMUI, IID_IClassFactory) -> S_OK",
        "driverui: CreateInstance(IID_IPrintOemUI) -> S_OK",
        "driverui: IClassFactory::Release() -> 0",
        "driverui: PublishDriverInterface(IPrintOemDriverUI) -> S_OK",
        "driverui: GetInfo(OEMGI_GETSIGNATURE) -> S_OK, 0x51454C4D",
        "driverui: GetInfo(OEMGI_GETVERSION) -> S_OK, 0x00000001",
        "driverui: DevMode(OEMDM_SIZE) -> S_OK, 1464 bytes",
        "driverui: DevMode(OEMDM_DEFAULT) -> S_OK",
        "driverui: no stored device mode: the defaults",
        "driverui: CommonUIProp(OEMCUIP_DOCPROP) -> S_OK, 1 driver option item",
        "driverui: pfnComPropSheet(CPSFUNC_ADD_PROPSHEETPAGEW, template 128) -> 1",
        "driverui: pfnComPropSheet(CPSFUNC_ADD_PROPSHEETPAGEW, template 131) -> 2",
        "driverui: pfnComPropSheet(CPSFUNC_ADD_PROPSHEETPAGEW, template 103) -> 3",
        "driverui: pfnComPropSheet(CPSFUNC_ADD_PROPSHEETPAGEW, template 117) -> 4",
        "driverui: pfnComPropSheet(CPSFUNC_ADD_PROPSHEETPAGEW, template 118) -> 5",
        "driverui: pfnComPropSheet(CPSFUNC_ADD_PROPSHEETPAGEW, template 105) -> 6",
        "driverui: DocumentPropertySheets(PROPSHEETUI_REASON_INIT) -> S_OK, Result 6, 6 pages",
        "driverui: opens window \"Receipt Printing Preferences\""};
    std::vector<std::string> lines = Lines(run.output);
    ASSERT_GE(lines.size(), expected.size()) << run.output;
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + expected.size()), expected);
    const std::vector<std::string> end = {
        "driverui: the sheet closed with Cancel: nothing stored",
        "driverui: DocumentPropertySheets(PROPSHEETUI_REASON_DESTROY) -> S_OK, Result 1",
        "driverui: IPrintOemUI::Release() -> 0",
        "driverui: DllCanUnloadNow() -> S_OK",
        "driverui: unloads C:\\Windows\\System32\\spool\\drivers\\x64\\3\\ZK450iUI.DLL"};
    EXPECT_EQ(std::vector<std::string>(lines.end() - end.size(), lines.end()), end);
}

TEST_F(PropsRun, OkStoresTheDeviceModeTheNextRunStartsFromCancelStoresNothing) {
    ASSERT_EQ(AddPrinter("Receipt").status, 0);
    ASSERT_EQ(ShowSheet("Receipt", "--device", "click IDCANCEL\n").status, 0);
    EXPECT_NE(Devmode("Receipt").output.find("no printer's device mode stored"), std::string::npos);

    RunResult first = ShowSheet("Receipt", "--device", "click IDOK\n");
    ASSERT_EQ(first.status, 0) << first.output;
    EXPECT_EQ(testsupport::CountInTranscript(
                  first.output,
                  "driverui: stores the printer's device mode (HKLM\\SYSTEM\\CurrentControlSet\\"
                  "Control\\Print\\Printers\\Receipt, value \"Default DevMode\"): 1684 bytes"),
              1);
    RunResult stored = Devmode("Receipt");
    ASSERT_EQ(stored.status, 0) << stored.output;
    EXPECT_NE(stored.output.find("dmDriverExtra  1464"), std::string::npos) << stored.output;
    // The private block starts with its size 1464 (0x5B8) and the signature 'QELM'.
    EXPECT_NE(stored.output.find("00000000  B8 05 00 00 4D 4C 45 51 01 00 00 00"), std::string::npos)
        << stored.output;

    // The device sheet stored the printer's; the document sheet starts from it, the user
    // having none, and merges the plug-in's block of its own size.
    RunResult next = ShowSheet("Receipt", "--document", "click IDCANCEL\n");
    ASSERT_EQ(next.status, 0) << next.output;
    EXPECT_EQ(testsupport::CountInTranscript(next.output, "driverui: reads the printer's device mode"), 1);
    EXPECT_EQ(testsupport::CountInTranscript(next.output, "driverui: DevMode(OEMDM_MERGE) -> S_OK"), 1);
    EXPECT_EQ(testsupport::CountInTranscript(next.output, "OEMDM_CONVERT"), 0);
    EXPECT_NE(Devmode("Receipt", "--user").output.find("no user's device mode stored"), std::string::npos);
}

TEST_F(PropsRun, TheFormItemListsTheSpoolersFormsAndTheDefaultIsA4) {
    ASSERT_EQ(AddPrinter("Receipt").status, 0);
    RunResult run = ShowSheet("Receipt", "--document", "click IDOK\n");
    ASSERT_EQ(run.status, 0) << run.output;
    RunResult user = Devmode("Receipt", "--user");
    EXPECT_NE(user.output.find("dmFormName     \"A4\""), std::string::npos) << user.output;
    EXPECT_NE(user.output.find("dmPaperSize    9"), std::string::npos) << user.output;
}

TEST_F(PropsRun, APrinterSetupInstalledLoadsThePluginItsDriverNames) {
    ASSERT_EQ(Winsim("set " + MachineDir() + " timescale=0").status, 0);
    // Licence, model, mode and OS pages, then the port page's COM1:.
    RunResult setup = Run(
        "click IDC_ACCEPT\nclick 1\nclick 1\nclick 1\nclick 1\nchoose IDC_PORTS COM1:\nclick 1\n"
        "answer OK\n");
    ASSERT_EQ(setup.status, 0) << setup.output;
    const std::vector<std::string> printers = Printers();
    ASSERT_EQ(printers.size(), 1u);
    const std::string name = printers[0].substr(0, printers[0].find("  "));
    RunResult run = ShowSheet(name, "--device", "click IDCANCEL\n");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(testsupport::CountInTranscript(
                  run.output, "driverui: loads C:\\Windows\\System32\\spool\\drivers\\x64\\3\\ZK450iUI.DLL\n"),
              1)
        << run.output;
    EXPECT_EQ(testsupport::CountInTranscript(run.output, "DevicePropertySheets(PROPSHEETUI_REASON_INIT) -> S_OK, Result 0, 4 pages"), 1);

    // With the plug-in's file gone the driver's UI cannot be shown.
    const std::string driverFile = "C:\\Windows\\System32\\spool\\drivers\\x64\\3\\ZK450iUI.DLL";
    ASSERT_TRUE(std::filesystem::remove(HostPath(driverFile)));
    RunResult missing = ShowSheet(name, "--device", "");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(testsupport::CountInTranscript(missing.output, "cannot load " + driverFile + ": the file is missing"), 1)
        << missing.output;
}

TEST_F(PropsRun, APaperSizeChosenOnTheMainPageIsStoredAndShownNextTime) {
    ASSERT_EQ(AddPrinter("Receipt").status, 0);
    RunResult first = ShowSheet("Receipt", "--document",
                                "choose IDC_MAIN_PAPER_SIZE Letter\n"
                                "click IDC_MAIN_TEXT_AS_GRAPHICS_YES\nclick IDOK\n");
    ASSERT_EQ(first.status, 0) << first.output;
    EXPECT_GE(testsupport::CountInTranscript(
                  first.output, "driverui: DrvUpdateUISetting(item \"Paper Size\" Sel 0, previous 0, "
                                "OEMCUIP_DOCPROP) -> S_OK, form \"Letter\" (1)"),
              1)
        << first.output;
    RunResult user = Devmode("Receipt", "--user");
    EXPECT_NE(user.output.find("dmFormName     \"Letter\""), std::string::npos) << user.output;
    EXPECT_NE(user.output.find("dmPaperSize    1\n"), std::string::npos) << user.output;
    // Text as graphics: the byte at 998 (0x3E6) of the private block.
    EXPECT_NE(user.output.find("000003E0  00 00 00 00 00 00 01"), std::string::npos) << user.output;

    // The next run starts from it: the page shows what was applied.
    RunResult next = ShowSheet("Receipt", "--document",
                               "expect-text IDC_MAIN_PAPER_SIZE Letter\nshow\nclick IDCANCEL\n");
    ASSERT_EQ(next.status, 0) << next.output;
    EXPECT_EQ(testsupport::CountInTranscript(next.output, "driverui: reads the user's device mode"), 1);
    const auto yes = testsupport::ControlStates(next.output, "1061 IDC_MAIN_TEXT_AS_GRAPHICS_YES");
    ASSERT_FALSE(yes.empty()) << next.output;
    EXPECT_NE(yes.back().find(" checked"), std::string::npos) << yes.back();
}

TEST_F(PropsRun, APrinterTheSpoolerLacksIsRefused) {
    ASSERT_EQ(AddPrinter("Receipt").status, 0);
    RunResult run = ShowSheet("Ticket", "--document", "click IDOK\n");
    EXPECT_EQ(run.status, 125);
    EXPECT_NE(run.output.find("winsim props: no printer \"Ticket\" on the machine"), std::string::npos)
        << run.output;
    EXPECT_EQ(run.output.find("driverui:"), std::string::npos);
}

TEST_F(PropsRun, WindowsBefore2000HasNoDriverPlugins) {
    Create("xp-x86");
    ASSERT_EQ(Winsim("set " + MachineDir() + " major=4 minor=0").status, 0);
    ASSERT_EQ(AddPrinter("Receipt").status, 0);
    RunResult run = ShowSheet("Receipt", "--document", "click IDOK\n");
    EXPECT_EQ(run.status, 125);
    EXPECT_NE(run.output.find("need Windows 2000 or later"), std::string::npos) << run.output;
}

}  // namespace
