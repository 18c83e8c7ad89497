// Replacing an older monitor or print processor on a simulated machine whose spooler service
// really stops, starts and holds its DLLs while it runs.
#include <gtest/gtest.h>

#include "common/text.h"
#include "platform/sim/state/service_state.h"
#include "platform/sim/state/spooler_modules.h"
#include "platform/win_constants.h"
#include "tests/setup/engine/engine_presets.h"

namespace {

using namespace enginetest;

const std::string kSerialMonitorKey = std::string(kMonitorsKey) + "\\VTX Serial Port Monitor";
const std::string kLanguageMonitorKey = std::string(kMonitorsKey) + "\\VTX Language Monitor";
constexpr const char* kNewMarker = "\r\nbuilt for this test: the newer version\r\n";

std::string ProcessorKey(const PresetCase& p) {
    return std::string(kEnvironmentsKey) + "\\" + p.environment + "\\Print Processors\\VTXPrint";
}

bool Holds(const SimEngine& e, const std::string& path) {
    for (const std::string& module : sim::SpoolerHeldModules(e.machine()))
        if (common::EqualsNoCase(module, path)) return true;
    return false;
}

// A machine with the package's serial printer installed, then its serial monitor (and, when
// asked, its print processor) marked older than the package's, and the package's files of
// those made newer.
std::unique_ptr<SimEngine> InstalledWithOlderComponents(const char* preset, bool olderProcessor) {
    auto e = SimEngine::Make(Preset(preset));
    if (!e) return nullptr;
    Choice first;
    first.port = "ZKCOM1:";
    const Outcome out = e->Install(first);
    EXPECT_EQ(out.status, setup::kInstallSucceeded) << out.text;
    EXPECT_TRUE(e->SetDword(kSerialMonitorKey, "DriverVersion", 1));
    EXPECT_TRUE(e->Put("C:\\Pkg\\W32\\VTXCOMM.DLL", e->FileOn("C:\\Pkg\\W32\\VTXCOMM.DLL") + kNewMarker));
    if (olderProcessor) {
        EXPECT_TRUE(e->SetDword(ProcessorKey(e->preset()), "DriverVersion", 2));
        EXPECT_TRUE(e->Put("C:\\Pkg\\W32\\VTXPROC.DLL", e->FileOn("C:\\Pkg\\W32\\VTXPROC.DLL") + kNewMarker));
    }
    return e;
}

Choice SerialAgain() {
    Choice again;
    again.port = "ZKCOM1:";
    return again;
}

class UpgradeOnPreset : public ::testing::TestWithParam<const char*> {};

// The running spooler holds the old monitor, so it is stopped for the copy and started again.
TEST_P(UpgradeOnPreset, OlderSerialMonitorIsReplacedWithTheSpoolerStopped) {
    auto e = InstalledWithOlderComponents(GetParam(), false);
    ASSERT_TRUE(e);
    const std::string dll = e->systemDir() + "\\VTXCOMM.DLL";
    ASSERT_TRUE(Holds(*e, dll)) << "the running spooler should hold " << dll;

    const Outcome out = e->Install(SerialAgain());
    ASSERT_EQ(out.status, setup::kInstallSucceeded) << out.text;
    EXPECT_EQ(out.text, kInstalledText);
    EXPECT_EQ(out.upgradeFlags, 1u);
    EXPECT_NE(e->FileOn(dll).find(kNewMarker), std::string::npos);
    EXPECT_EQ(e->StringValue(kSerialMonitorKey, "Driver"), "VTXCOMM.DLL");
    EXPECT_EQ(e->DwordValue(kSerialMonitorKey, "DriverVersion"), 2u);
    EXPECT_FALSE(e->Exists(e->systemDir() + "\\nVTXCOMM.DLL"));
    EXPECT_EQ(sim::ServiceState(e->machine(), "Spooler"), static_cast<std::uint32_t>(SERVICE_RUNNING));
    // The second printer on the same port took the next free name.
    EXPECT_EQ(out.printerName, "VTX-58R(S)(1)");
}

// Only one component per run: the monitor first; the processor waits for the next run.
TEST_P(UpgradeOnPreset, OneComponentPerRun) {
    auto e = InstalledWithOlderComponents(GetParam(), true);
    ASSERT_TRUE(e);
    const PresetCase& p = e->preset();
    const std::string processor = e->processorDir() + "\\VTXPROC.DLL";

    const Outcome second = e->Install(SerialAgain());
    ASSERT_EQ(second.status, setup::kInstallSucceeded) << second.text;
    EXPECT_EQ(second.upgradeFlags, 1u | 8u);
    EXPECT_EQ(e->DwordValue(kSerialMonitorKey, "DriverVersion"), 2u);
    EXPECT_EQ(e->DwordValue(ProcessorKey(p), "DriverVersion"), 2u);
    EXPECT_EQ(e->FileOn(processor).find(kNewMarker), std::string::npos);

    const Outcome third = e->Install(SerialAgain());
    ASSERT_EQ(third.status, setup::kInstallSucceeded) << third.text;
    EXPECT_EQ(third.upgradeFlags, 8u);
    EXPECT_EQ(e->DwordValue(ProcessorKey(p), "DriverVersion"), 3u);
    EXPECT_NE(e->FileOn(processor).find(kNewMarker), std::string::npos);
    EXPECT_EQ(sim::ServiceState(e->machine(), "Spooler"), static_cast<std::uint32_t>(SERVICE_RUNNING));
    EXPECT_EQ(third.printerName, "VTX-58R(S)(2)");
}

// A spooler that never leaves start pending: the run ends at once with the engine's text,
// before any driver file is copied.
TEST_P(UpgradeOnPreset, SpoolerStuckStartingEndsTheRun) {
    auto e = InstalledWithOlderComponents(GetParam(), false);
    ASSERT_TRUE(e);
    ASSERT_EQ(sim::SetServicePolls(e->machine(), "Spooler", sim::kNeverLeaves, std::nullopt), 0u);
    const std::string gpd = e->driverDir() + "\\3\\VTX58R.GPD";
    ASSERT_TRUE(e->Put(gpd, "left from before"));

    const Outcome out = e->Install(SerialAgain());
    EXPECT_EQ(out.status, setup::kInstallFailed);
    EXPECT_EQ(out.text, "StartSpoolService error");
    EXPECT_EQ(sim::ServiceState(e->machine(), "Spooler"),
              static_cast<std::uint32_t>(SERVICE_START_PENDING));
    EXPECT_EQ(e->FileOn(gpd), "left from before");
    EXPECT_FALSE(e->provider().FindPrinter("VTX-58R(S)(1)"));
}

// StartServiceA refused every time: the start's own text, with the error code, is the result.
TEST_P(UpgradeOnPreset, RefusedSpoolerStartReportsItsErrorCode) {
    auto e = InstalledWithOlderComponents(GetParam(), false);
    ASSERT_TRUE(e);
    e->Fail("StartServiceA", ERROR_ACCESS_DENIED);

    const Outcome out = e->Install(SerialAgain());
    EXPECT_EQ(out.status, setup::kInstallFailed);
    EXPECT_EQ(out.text, "Start spool service error, error code = 5");
    EXPECT_FALSE(e->provider().FindPrinter("VTX-58R(S)(1)"));
}

// StartServiceA refused once: the spooler is found stopped, started once more, and the run
// still ends (after the first driver file) with the wait's text.
TEST_P(UpgradeOnPreset, SpoolerStartedOnTheSecondTryStillEndsTheRun) {
    auto e = InstalledWithOlderComponents(GetParam(), false);
    ASSERT_TRUE(e);
    e->Fail("StartServiceA", ERROR_ACCESS_DENIED, 1);

    const Outcome out = e->Install(SerialAgain());
    EXPECT_EQ(out.status, setup::kInstallFailed);
    EXPECT_EQ(out.text, "StartSpoolService error");
    // Started the second time (it settles with the next status query).
    EXPECT_NE(sim::ServiceState(e->machine(), "Spooler"), static_cast<std::uint32_t>(SERVICE_STOPPED));
    EXPECT_FALSE(e->provider().FindPrinter("VTX-58R(S)(1)"));
}

// The package's newer monitor DLL missing: the copy fails with its text and the stopped
// spooler is started again before the run ends.
TEST_P(UpgradeOnPreset, FailedMonitorReplacementRestartsTheSpooler) {
    auto e = InstalledWithOlderComponents(GetParam(), false);
    ASSERT_TRUE(e);
    ASSERT_TRUE(e->packageMachine().RemoveFile("C:\\Pkg\\W32\\VTXCOMM.DLL"));

    const Outcome out = e->Install(SerialAgain());
    EXPECT_EQ(out.status, setup::kInstallFailed);
    EXPECT_EQ(out.text.rfind(kCopyFailedText, 0), 0u) << out.text;
    EXPECT_NE(out.text.find("VTXCOMM.DLL"), std::string::npos) << out.text;
    // Started again (it settles with the next status query).
    EXPECT_NE(sim::ServiceState(e->machine(), "Spooler"), static_cast<std::uint32_t>(SERVICE_STOPPED));
    EXPECT_EQ(e->DwordValue(kSerialMonitorKey, "DriverVersion"), 1u);
    EXPECT_FALSE(e->provider().FindPrinter("VTX-58R(S)(1)"));
}

INSTANTIATE_TEST_SUITE_P(Presets, UpgradeOnPreset,
                         ::testing::Values("xp-x86", "windows-7-x86"),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name;
                         });

// The language monitor is replaced without stopping the spooler: its DLL is in use, so the
// newer one lands beside it under the "n" name and the monitor's Driver points there.
TEST(LanguageMonitorUpgrade, InUseDllIsInstalledUnderTheAlternateName) {
    for (const char* preset : {"xp-x86", "windows-7-x64"}) {
        SCOPED_TRACE(preset);
        auto e = SimEngine::Make(Preset(preset));
        ASSERT_TRUE(e);
        const PresetCase& p = e->preset();
        const std::string packageDll = std::string("C:\\Pkg\\") + (p.x64 ? "W64" : "W32") + "\\VTXLANGM.DLL";
        ASSERT_TRUE(e->RecordUsbPort("USB_VTX-58R_1", 1));
        Choice first;
        first.port = "USB_VTX-58R_1";
        ASSERT_EQ(e->Install(first).status, setup::kInstallSucceeded);
        const std::string installed = e->systemDir() + "\\VTXLANGM.DLL";
        const std::string old = e->FileOn(installed);
        ASSERT_TRUE(Holds(*e, installed));

        ASSERT_TRUE(e->SetDword(kLanguageMonitorKey, "DriverVersion", 0));
        ASSERT_TRUE(e->Put(packageDll, e->FileOn(packageDll) + kNewMarker));
        ASSERT_TRUE(e->RecordUsbPort("USB_VTX-58R_2", 2));
        Choice second;
        second.port = "USB_VTX-58R_2";
        const Outcome out = e->Install(second);
        ASSERT_EQ(out.status, setup::kInstallSucceeded) << out.text;
        EXPECT_EQ(out.upgradeFlags & 4u, 4u);
        EXPECT_EQ(out.printerName, "VTX-58R(U) 2");
        EXPECT_EQ(e->FileOn(installed), old);
        EXPECT_NE(e->FileOn(e->systemDir() + "\\nVTXLANGM.DLL").find(kNewMarker), std::string::npos);
        EXPECT_EQ(e->StringValue(kLanguageMonitorKey, "Driver"), "nVTXLANGM.DLL");
        EXPECT_EQ(e->DwordValue(kLanguageMonitorKey, "DriverVersion"), 1u);
        // The spooler was never stopped: it now holds the new file.
        EXPECT_TRUE(Holds(*e, e->systemDir() + "\\nVTXLANGM.DLL"));
    }
}

}  // namespace

namespace {

// On 64-bit Windows the older processor is replaced in the native environment's directory,
// which the stopped spooler could no longer have named.
TEST(ProcessorUpgrade, ReplacedInTheNativeDirectoryOn64BitWindows) {
    auto e = SimEngine::Make(Preset("windows-7-x64"));
    ASSERT_TRUE(e);
    ASSERT_EQ(e->Install(Choice{}).status, setup::kInstallSucceeded);
    ASSERT_TRUE(e->SetDword(ProcessorKey(e->preset()), "DriverVersion", 2));
    ASSERT_TRUE(e->Put("C:\\Pkg\\W64\\VTXPROC.DLL", e->FileOn("C:\\Pkg\\W64\\VTXPROC.DLL") + kNewMarker));

    const Outcome out = e->Install(Choice{});
    ASSERT_EQ(out.status, setup::kInstallSucceeded) << out.text;
    EXPECT_EQ(out.upgradeFlags, 8u);
    EXPECT_NE(e->FileOn("C:\\Windows\\System32\\spool\\prtprocs\\x64\\VTXPROC.DLL").find(kNewMarker),
              std::string::npos);
    EXPECT_EQ(e->DwordValue(ProcessorKey(e->preset()), "DriverVersion"), 3u);
    EXPECT_EQ(out.printerName, "VTX-58R(P)(1)");
}

}  // namespace
