// The installation plan as plain values for models of the example package: its steps in order,
// their sources and destinations, and the printer names of each port kind.
#include <gtest/gtest.h>

#include "package/PackageConfig.h"
#include "setup/engine/InstallPlan.h"
#include "tests/setup/engine/engine_fixture.h"

namespace {

using namespace enginetest;
using setup::StepKind;

struct Expected {
    StepKind kind;
    int workerStep;
    std::string target;
    setup::DestinationKind destination = setup::DEST_DRIVER;
};

setup::InstallPlan Plan(Engine& e, int os, const std::string& port, bool x64 = false,
                        pkg::Flavour flavour = pkg::Flavour::Standard) {
    pkg::PackageConfig config(*e.platform, x64);
    setup::InstallRequest request;
    request.model = "VTX-58R";
    request.series = pkg::kReceipt;
    request.os = os;
    request.flavour = flavour;
    request.portName = port;
    request.is64Bit = x64;
    setup::InstallPlan plan;
    std::string error;
    EXPECT_TRUE(setup::BuildInstallPlan(config, request, plan, error)) << error;
    return plan;
}

void ExpectSteps(const setup::InstallPlan& plan, const std::vector<Expected>& expected) {
    ASSERT_EQ(plan.steps.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& s = plan.steps[i];
        EXPECT_EQ(s.kind, expected[i].kind) << i << " " << setup::StepKindName(s.kind);
        EXPECT_EQ(s.workerStep, expected[i].workerStep) << i;
        EXPECT_EQ(s.target, expected[i].target) << i;
        if (s.kind == StepKind::CopyFile) {
            EXPECT_EQ(s.destination, expected[i].destination) << i;
        }
    }
}

TEST(InstallPlan, SerialOnXpStandardFlavour) {
    auto e = MakeEngine(3, false);
    ASSERT_TRUE(e);
    const auto plan = Plan(*e, 3, "COM1:");
    EXPECT_EQ(plan.records.printer.printerName, "VTX-58R(S)");
    EXPECT_EQ(plan.records.printer.portName, "COM1:");
    EXPECT_EQ(plan.records.driver.monitorName, "");
    using setup::DEST_DRIVER;
    using setup::DEST_DRIVER_3;
    // WinPrint is the standard flavour's processor: no processor step.
    ExpectSteps(plan, {
        {StepKind::EnsurePortMonitor, 1, "VTX Serial Port Monitor"},
        {StepKind::ReplaceOlderComponent, 4, "the first older monitor or processor"},
        {StepKind::CheckDriverFilesNamed, 6, "driver, data, configuration and help files"},
        {StepKind::CopyFile, 6, "UNIDRVUI.DLL", DEST_DRIVER},
        {StepKind::CopyFile, 6, "VTX58RS.GPD", DEST_DRIVER},
        {StepKind::CopyFile, 6, "UNIDRV.DLL", DEST_DRIVER},
        {StepKind::CopyFile, 6, "UNIDRV.HLP", DEST_DRIVER},
        {StepKind::CopyFile, 6, "VTXRES.DLL", DEST_DRIVER},
        {StepKind::CopyFile, 6, "ZK450IUI.DLL", DEST_DRIVER},
        {StepKind::CopyFile, 6, "VTXOEM.INI", DEST_DRIVER},
        {StepKind::CopyFile, 6, "VTXCTRL.TBL", DEST_DRIVER_3},
        {StepKind::CopyFile, 6, "VTXUSBID.DAT", DEST_DRIVER_3},
        {StepKind::CopyFile, 7, "SRCLIENT.DLL", setup::DEST_SYSTEM_IF_ABSENT},
        {StepKind::CopyFile, 7, "FRAMEDYN.DLL", setup::DEST_WBEM_IF_ABSENT},
        {StepKind::CopyFile, 7, "NEWDEV.DLL", setup::DEST_SYSTEM_IF_ABSENT},
        {StepKind::CopySystemExtras, 8, "TTFSUB.GPD, STDNAMES.GPD, UNIRES.DLL"},
        {StepKind::CheckMinidriverDataFile, 10, "VTXRES.DLL"},
        {StepKind::RegisterDriver, 12, "VTX-58R"},
        {StepKind::RegisterPrinter, 14, "VTX-58R(S)"},
        {StepKind::WriteSerialSettings, 16, "COM1:"},
        {StepKind::ReportSuccess, 17, "IDS_INF_NTRESTART"},
        {StepKind::Succeed, 18, "InstallStatus"},
    });
}

TEST(InstallPlan, ParallelOnWindows98) {
    auto e = MakeEngine(0, false);
    ASSERT_TRUE(e);
    const auto plan = Plan(*e, 0, "LPT1:");
    EXPECT_EQ(plan.records.driver.environment, "Windows 4.0");
    EXPECT_EQ(plan.records.driver.version, 0u);
    ExpectSteps(plan, {
        {StepKind::ReplaceOlderComponent, 4, "the first older monitor or processor"},
        {StepKind::CheckDriverFilesNamed, 6, "driver, data, configuration and help files"},
        {StepKind::CopyFile, 6, "VTX58R.DRV"},
        {StepKind::CopyFile, 6, "VTX58R.DRV"},
        {StepKind::CopyFile, 6, "VTX58R.DRV"},
        {StepKind::CopyFile, 6, "UNIDRV.HLP"},
        {StepKind::CopyFile, 6, "VTXCTRL.TBL", setup::DEST_DRIVER_3},
        {StepKind::CopyFile, 6, "VTXUSBID.DAT", setup::DEST_DRIVER_3},
        {StepKind::CopySystemExtras, 8, "ICONLIB.DLL, UNIDRV.DLL"},
        {StepKind::RegisterDriver, 12, "VTX-58R"},
        {StepKind::RegisterPrinter, 14, "VTX-58R(P)"},
        {StepKind::ReportSuccess, 17, ""},
        {StepKind::Succeed, 18, "InstallStatus"},
    });
}

TEST(InstallPlan, UsbOnWindows7X64RasterTakesTheStoreAndTheLanguageMonitor) {
    auto e = MakeEngine(7, true);
    ASSERT_TRUE(e);
    const auto plan = Plan(*e, 7, "USB_VTX-58R_2", true, pkg::Flavour::Raster);
    EXPECT_EQ(plan.records.printer.printerName, "VTX-58R(U) 2");
    EXPECT_EQ(plan.records.driver.name, "VTX-58R USB");
    EXPECT_EQ(plan.records.driver.monitorName, "VTX Language Monitor");
    ASSERT_GE(plan.steps.size(), 5u);
    EXPECT_EQ(plan.steps[0].target, "VTX USB Port Monitor");
    EXPECT_EQ(plan.steps[1].kind, StepKind::EnsurePrintProcessor);
    EXPECT_EQ(plan.steps[1].target, "VTXPrint");
    EXPECT_EQ(plan.steps[3].kind, StepKind::CheckSpoolerPorts);
    EXPECT_EQ(plan.steps[5].target, "UNIDRVUI.DLL");
    EXPECT_EQ(plan.steps[5].source, "DriverStore\\FileRepository\\ntprint*\\AMD64\\UNIDRVUI.DLL");
    EXPECT_EQ(plan.steps[6].source, "W64\\VTX58R.GPD");
    bool languageMonitor = false;
    for (const auto& s : plan.steps)
        if (s.kind == StepKind::EnsureLanguageMonitor) languageMonitor = s.target == "VTX Language Monitor";
    EXPECT_TRUE(languageMonitor);
    EXPECT_EQ(plan.steps.back().kind, StepKind::Succeed);
    EXPECT_EQ(plan.steps[plan.steps.size() - 2].target, "IDS_INF_USBRESTART");
    // The port monitor's record of the chosen port comes between the driver and the printer.
    const auto& record = plan.steps[plan.steps.size() - 4];
    EXPECT_EQ(record.kind, StepKind::RecordChosenUsbPort);
    EXPECT_EQ(record.workerStep, 13);
    EXPECT_EQ(record.target, "USB_VTX-58R_2");
}

TEST(InstallPlan, PortNamesOfNoKnownKindAreRefused) {
    auto e = MakeEngine(3, false);
    ASSERT_TRUE(e);
    pkg::PackageConfig config(*e->platform, false);
    setup::InstallRequest request;
    request.model = "VTX-58R";
    request.os = 3;
    request.portName = "FILE:";
    setup::InstallPlan plan;
    std::string error;
    EXPECT_FALSE(setup::BuildInstallPlan(config, request, plan, error));
    EXPECT_EQ(error, "IDS_ERR_NOSUPPORTINTERFACE");
}

TEST(PrinterNames, PortSuffixesAndThePx63Port) {
    struct Case {
        const char* model;
        const char* port;
        const char* name;
        const char* printerPort;
    };
    const Case cases[] = {
        {"VTX-58R", "COM1:", "VTX-58R(S)", "COM1:"},
        {"VTX-58R", "ZKCOM2:", "VTX-58R(S)", "ZKCOM2:"},
        {"VTX-58R", "LPT1:", "VTX-58R(P)", "LPT1:"},
        {"VTX-58R", "NET:", "VTX-58R(E)", "NET:"},
        {"VTX-58R", "USB_VTX-58R_3", "VTX-58R(U) 3", "USB_VTX-58R_3"},
        {"PX-63B", "USB_PX-63B_4", "PX-63B(U) 4", "USB_PX-63_4"},
    };
    for (const auto& c : cases) {
        pkg::PortKind kind{};
        ASSERT_TRUE(setup::PortKindOfName(c.port, kind)) << c.port;
        EXPECT_EQ(setup::PrinterNameWithPortSuffix(c.model, c.port, kind), c.name) << c.port;
        EXPECT_EQ(setup::PrinterPort(c.model, c.port, kind), c.printerPort) << c.port;
    }
}

}  // namespace
