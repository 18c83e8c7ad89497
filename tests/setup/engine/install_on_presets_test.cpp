// Whole installations on every Windows the package supports, against the simulator's own
// spooler, services, cabinets and WOW64 redirection: what ends up registered and where.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/setup/engine/engine_presets.h"

namespace {

using namespace enginetest;

const sim::SimDriver* FindDriver(const std::vector<sim::SimDriver>& drivers,
                                 const std::string& environment, const std::string& name) {
    for (const auto& d : drivers)
        if (d.environment == environment && d.name == name) return &d;
    return nullptr;
}

const sim::SimMonitor* FindMonitor(const std::vector<sim::SimMonitor>& monitors,
                                   const std::string& name) {
    for (const auto& m : monitors)
        if (m.name == name) return &m;
    return nullptr;
}

bool HasPort(const SimEngine& e, const std::string& name) {
    for (const auto& p : e.provider().Ports())
        if (p.name == name) return true;
    return false;
}

std::string ProcessorKey(const PresetCase& p) {
    return std::string(kEnvironmentsKey) + "\\" + p.environment + "\\Print Processors\\VTXPrint";
}

// The raster flavour of the VTX-58R, every file of its driver: the universal driver's family
// from the system, the model's files from the package.
void ExpectRasterDriverInstalled(const SimEngine& e, const std::string& driverName,
                                 const std::string& monitor) {
    const PresetCase& p = e.preset();
    const auto drivers = e.provider().Drivers();
    const sim::SimDriver* driver = FindDriver(drivers, p.environment, driverName);
    ASSERT_NE(driver, nullptr) << p.preset << ": no " << driverName << " in " << p.environment;
    EXPECT_EQ(driver->version, 3u) << p.preset;
    EXPECT_EQ(driver->monitor, monitor) << p.preset;
    const std::string v3 = e.driverDir() + "\\3\\";
    for (const char* file : {"UNIDRV.DLL", "UNIDRVUI.DLL", "UNIDRV.HLP", "VTX58R.GPD",
                             "VTXRES.DLL", "ZK450IUI.DLL", "VTXREND.DLL", "VTXOEM.INI",
                             "VTXCTRL.TBL", "VTXUSBID.DAT", "TTFSUB.GPD", "STDNAMES.GPD",
                             "UNIRES.DLL"})
        EXPECT_TRUE(e.Exists(v3 + file)) << p.preset << ": " << v3 << file;

    // The model's files are the package's for the word size of the system.
    const std::string word = p.x64 ? "(64-bit Windows)" : "(32-bit Windows)";
    EXPECT_NE(e.FileOn(v3 + "VTX58R.GPD").find("Placeholder for VTX58R.GPD " + word),
              std::string::npos)
        << p.preset << ": " << e.FileOn(v3 + "VTX58R.GPD");

    // The universal driver comes from Windows: the Driver Cache cabinets up to 2003, the
    // driver store from Vista on; never the package's placeholder.
    const bool store = p.os >= 5;
    for (const char* file : {"UNIDRV.DLL", "UNIDRVUI.DLL", "UNIRES.DLL", "STDNAMES.GPD"}) {
        const std::string text = e.FileOn(v3 + file);
        EXPECT_EQ(text.find("Placeholder"), std::string::npos) << p.preset << ": " << file;
        EXPECT_NE(text.find("stand-in for"), std::string::npos) << p.preset << ": " << text;
        EXPECT_NE(text.find(store ? "from the driver store" : ".cab"), std::string::npos)
            << p.preset << ": " << file << ": " << text;
        EXPECT_NE(text.find(p.x64 ? "(x64)" : "(x86)"), std::string::npos)
            << p.preset << ": " << file << ": " << text;
    }
}

void ExpectProcessorInstalled(const SimEngine& e) {
    const PresetCase& p = e.preset();
    const auto processors = e.provider().Processors();
    const bool registered = std::any_of(processors.begin(), processors.end(), [&](auto& pr) {
        return pr.name == "VTXPrint" && pr.environment == p.environment && pr.dll == "VTXPROC.DLL";
    });
    EXPECT_TRUE(registered) << p.preset;
    EXPECT_NE(e.FileOn(e.processorDir() + "\\VTXPROC.DLL").find("Placeholder for VTXPROC.DLL"),
              std::string::npos)
        << p.preset;
    // setup.ini [ProcessorVersion] DriverVersion=3.
    EXPECT_EQ(e.DwordValue(ProcessorKey(p), "DriverVersion"), 3u) << p.preset;
}

class InstallOnPreset : public ::testing::TestWithParam<PresetCase> {};

TEST_P(InstallOnPreset, ParallelPrinterWithItsDriverAndProcessor) {
    auto e = SimEngine::Make(GetParam());
    ASSERT_TRUE(e);
    Choice choice;
    choice.port = "LPT1:";
    const Outcome out = e->Install(choice);
    ASSERT_EQ(out.status, setup::kInstallSucceeded) << out.text;
    EXPECT_EQ(out.text, kInstalledText);
    EXPECT_EQ(out.printerName, "VTX-58R(P)");
    const auto printer = e->provider().FindPrinter("VTX-58R(P)");
    ASSERT_TRUE(printer);
    EXPECT_EQ(printer->port, "LPT1:");
    EXPECT_EQ(printer->driver, "VTX-58R");
    EXPECT_EQ(printer->processor, "VTXPrint");
    // ATTRIBUTES=576 in the series file.
    EXPECT_EQ(printer->attributes, 576u);
    ExpectRasterDriverInstalled(*e, "VTX-58R", "");
    ExpectProcessorInstalled(*e);
    // A parallel port needs none of the package's monitors.
    const auto monitors = e->provider().Monitors();
    EXPECT_EQ(FindMonitor(monitors, "VTX Serial Port Monitor"), nullptr);
    EXPECT_EQ(FindMonitor(monitors, "VTX USB Port Monitor"), nullptr);
}

TEST_P(InstallOnPreset, UsbPrinterWithItsPortAndLanguageMonitors) {
    auto e = SimEngine::Make(GetParam());
    ASSERT_TRUE(e);
    const PresetCase& p = e->preset();
    ASSERT_TRUE(e->RecordUsbPort("USB_VTX-58R_1", 1));
    Choice choice;
    choice.port = "USB_VTX-58R_1";
    const Outcome out = e->Install(choice);
    ASSERT_EQ(out.status, setup::kInstallSucceeded) << out.text;
    EXPECT_EQ(out.text, kInstalledUsbText);
    EXPECT_EQ(out.printerName, "VTX-58R(U) 1");
    const auto printer = e->provider().FindPrinter("VTX-58R(U) 1");
    ASSERT_TRUE(printer);
    EXPECT_EQ(printer->port, "USB_VTX-58R_1");
    EXPECT_EQ(printer->driver, "VTX-58R USB");
    ExpectRasterDriverInstalled(*e, "VTX-58R USB", "VTX Language Monitor");
    ExpectProcessorInstalled(*e);

    // Both monitors registered with the package's DLLs in the native system directory, and
    // their versions from setup.ini's COMMON-MONITOR section.
    const auto monitors = e->provider().Monitors();
    const sim::SimMonitor* usb = FindMonitor(monitors, "VTX USB Port Monitor");
    ASSERT_NE(usb, nullptr) << p.preset;
    EXPECT_EQ(usb->dll, "VTXUSBM.DLL");
    EXPECT_EQ(usb->driverVersion, 3u) << p.preset;
    const sim::SimMonitor* language = FindMonitor(monitors, "VTX Language Monitor");
    ASSERT_NE(language, nullptr) << p.preset;
    EXPECT_EQ(language->dll, "VTXLANGM.DLL");
    EXPECT_EQ(language->driverVersion, 1u) << p.preset;
    const std::string word = p.x64 ? "(64-bit Windows)" : "(32-bit Windows)";
    for (const char* dll : {"VTXUSBM.DLL", "VTXUSBUI.DLL", "VTXLANGM.DLL"})
        EXPECT_NE(e->FileOn(e->systemDir() + "\\" + dll).find(word), std::string::npos)
            << p.preset << ": " << dll;
}

TEST_P(InstallOnPreset, SerialPrinterOnThePackagesOwnPort) {
    auto e = SimEngine::Make(GetParam());
    ASSERT_TRUE(e);
    const PresetCase& p = e->preset();
    Choice choice;
    choice.port = "ZKCOM1:";
    const Outcome out = e->Install(choice);
    const auto monitors = e->provider().Monitors();
    if (!p.x64) {
        ASSERT_EQ(out.status, setup::kInstallSucceeded) << out.text;
        EXPECT_EQ(out.text, kInstalledText);
        const auto printer = e->provider().FindPrinter("VTX-58R(S)");
        ASSERT_TRUE(printer);
        EXPECT_EQ(printer->port, "ZKCOM1:");
        const sim::SimMonitor* serial = FindMonitor(monitors, "VTX Serial Port Monitor");
        ASSERT_NE(serial, nullptr) << p.preset;
        EXPECT_EQ(serial->dll, "VTXCOMM.DLL");
        EXPECT_EQ(serial->driverVersion, 2u) << p.preset;
        EXPECT_TRUE(e->Exists(e->systemDir() + "\\VTXCOMUI.DLL")) << p.preset;
        return;
    }
    // With the 64-bit flag the serial monitor is not installed, so nothing offers "ZKCOM1:"
    // on a fresh machine and the spooler refuses the printer with Windows' own message.
    EXPECT_EQ(FindMonitor(monitors, "VTX Serial Port Monitor"), nullptr);
    EXPECT_FALSE(HasPort(*e, "ZKCOM1:"));
    EXPECT_EQ(out.status, setup::kInstallFailed);
    EXPECT_EQ(out.text, std::string(kAddPrinterText) + "\nThe specified port is unknown.");
    EXPECT_FALSE(e->provider().FindPrinter("VTX-58R(S)"));
    // The driver was added all the same: nothing is rolled back.
    EXPECT_TRUE(e->provider().HasDriver(p.environment, "VTX-58R"));
}

TEST_P(InstallOnPreset, SerialPrinterOnAWindowsComPort) {
    auto e = SimEngine::Make(GetParam());
    ASSERT_TRUE(e);
    Choice choice;
    choice.port = "COM1:";
    const Outcome out = e->Install(choice);
    ASSERT_EQ(out.status, setup::kInstallSucceeded) << out.text;
    EXPECT_EQ(out.text, kInstalledText);
    const auto printer = e->provider().FindPrinter("VTX-58R(S)");
    ASSERT_TRUE(printer);
    EXPECT_EQ(printer->port, "COM1:");
    EXPECT_TRUE(e->provider().HasDriver(e->preset().environment, "VTX-58R"));
}

INSTANTIATE_TEST_SUITE_P(Presets, InstallOnPreset, ::testing::ValuesIn(SupportedPresets()),
                         [](const auto& info) {
                             std::string name = info.param.preset;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// The acceptance line: on 64-bit Windows 7 the driver is in "Windows x64" and its
// files in spool\drivers\x64\3, and nothing of it went to the 32-bit environment.
TEST(InstallOnWindows7X64, DriverLandsInTheNativeEnvironment) {
    auto e = SimEngine::Make(Preset("windows-7-x64"));
    ASSERT_TRUE(e);
    const Outcome out = e->Install(Choice{});
    ASSERT_EQ(out.status, setup::kInstallSucceeded) << out.text;
    EXPECT_TRUE(e->provider().HasDriver("Windows x64", "VTX-58R"));
    EXPECT_FALSE(e->provider().HasDriver("Windows NT x86", "VTX-58R"));
    EXPECT_TRUE(e->Exists("C:\\Windows\\System32\\spool\\drivers\\x64\\3\\VTX58R.GPD"));
    EXPECT_FALSE(e->Exists("C:\\Windows\\System32\\spool\\drivers\\w32x86\\3\\VTX58R.GPD"));
    EXPECT_TRUE(e->Exists("C:\\Windows\\System32\\spool\\prtprocs\\x64\\VTXPROC.DLL"));
}

}  // namespace
