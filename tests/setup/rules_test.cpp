// The wizard's decision tables: the OS index of every simulated Windows, the OS gate's
// refusals, the baud-rate list entry a configured rate selects, the ports offered on each
// Windows generation and the preselected port.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "package/OsDetection.h"
#include "setup/PortPage.h"
#include "setup/PortRules.h"
#include "tests/support/temp_machine.h"

namespace {

TEST(DetectOs, EveryPresetMapsToItsRowOfTheOsTable) {
    struct Case {
        const char* preset;
        int index;
        bool listed;
        bool needsAdministrator;
    } cases[] = {
        {"windows-95", 0, false, false},        // 9x with minor version 0: nothing checked
        {"windows-98", 0, true, false},
        {"windows-me", 0, true, false},
        {"nt4-x86", 1, true, false},
        {"windows-2000-x86", 2, true, true},    // no GetNativeSystemInfo there
        {"xp-x86", 3, true, true},
        {"xp-x64", 3, true, true},              // 5.2 workstation on AMD64 is XP
        {"server-2003-x86", 4, true, true},
        {"server-2003-x64", 4, true, true},
        {"vista-x86", 5, true, true},
        {"vista-x64", 5, true, true},
        {"server-2008-x86", 6, true, true},
        {"server-2008-x64", 6, true, true},
        {"server-2008-r2-x64", 6, true, true},  // 6.1 server
        {"windows-7-x86", 7, true, true},
        {"windows-7-x64", 7, true, true},
        {"windows-8.1-x64", 0, false, true},    // newer than 6.1: index 0, still an NT system
        {"windows-10-x64", 0, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preset);
        testsupport::TempMachine machine(c.preset);
        auto process = machine.Process(32);
        pkg::DetectedOs os = pkg::DetectOs(process->system());
        EXPECT_EQ(os.index, c.index);
        EXPECT_EQ(os.listed, c.listed);
        EXPECT_EQ(os.needsAdministrator, c.needsAdministrator);
        EXPECT_FALSE(os.unknownPlatform);
    }
}

TEST(DetectOs, XpX64IsXpOnlyWhenTheNativeArchitectureCanBeRead) {
    // Without GetNativeSystemInfo a 32-bit program sees an x86 processor, and 5.2 reads as
    // Server 2003.
    testsupport::TempMachine machine("xp-x64");
    std::string error;
    sim::MachineSettings settings = machine.machine().settings();
    ASSERT_TRUE(sim::SetSetting(settings, "nativesysteminfo", "0", error)) << error;
    ASSERT_TRUE(machine.machine().SaveSettings(settings, error)) << error;
    auto process = machine.Process(32);
    EXPECT_EQ(pkg::DetectOs(process->system()).index, 4);
}

TEST(OsRefusalKey, EachGatedSystemNeedsItsOwnSupportFlag) {
    setup::OsSupport none;
    setup::OsSupport all{true, true, true, true, true};
    const char* expected[8] = {nullptr,           "IDS_NOTSUPPORTNT",   nullptr,
                               nullptr,           "IDS_NOTSUPPORT2003", "IDS_NOTSUPPORTVISTA",
                               "IDS_NOTSUPPORT2008", "IDS_NOTSUPPORTWin7"};
    for (int os = 0; os < 8; ++os) {
        SCOPED_TRACE(os);
        const char* refusal = setup::OsRefusalKey(os, none);
        EXPECT_EQ(refusal ? std::string(refusal) : "", expected[os] ? expected[os] : "");
        EXPECT_EQ(setup::OsRefusalKey(os, all), nullptr);
    }
    // A flag for another system does not help.
    setup::OsSupport vistaOnly;
    vistaOnly.vista = true;
    EXPECT_STREQ(setup::OsRefusalKey(7, vistaOnly), "IDS_NOTSUPPORTWin7");
    EXPECT_EQ(setup::OsRefusalKey(5, vistaOnly), nullptr);
}

TEST(BaudRateEntry, ListedRatesSelectTheirEntryAndAnyOtherRateSelects38400) {
    struct Case {
        int rate;
        int entry;
    } cases[] = {{110, 0},    {300, 1},    {1200, 2},  {2400, 3},   {4800, 4},
                 {9600, 5},   {19200, 6},  {38400, 7}, {57600, 8},  {115200, 9},
                 {14400, 7},  {0, 7},      {-9600, 7}, {230400, 7}, {96, 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        int entry = setup::BaudRateEntry(c.rate);
        EXPECT_EQ(entry, c.entry);
        EXPECT_STREQ(setup::kBaudRateEntries[entry], c.entry == 7 ? "38400" : std::to_string(c.rate).c_str());
    }
}

TEST(PortSection, SectionNameIsTheModelNameWithPortSuffixCutTo199Characters) {
    EXPECT_EQ(setup::MakePortSection("f.ini", "VTX-80R").section, "VTX-80R.PORT");
    std::string longName(197, 'M');
    EXPECT_EQ(setup::MakePortSection("f.ini", longName).section, longName + ".P");
}

std::string Joined(const std::vector<std::string>& ports) {
    std::string text;
    for (const std::string& port : ports) text += (text.empty() ? "" : " ") + port;
    return text;
}

TEST(OfferedPorts, EachGenerationOffersItsOwnPortNames) {
    setup::PortKeys all;
    all.lpt = all.com = all.net = all.usb = true;
    setup::PortKeys lptOnly;
    lptOnly.lpt = true;
    setup::PortKeys comOnly;
    comOnly.com = true;
    struct Case {
        const char* name;
        setup::PortKeys keys;
        int os;
        bool typical;
        bool x64;
        const char* ports;
    } cases[] = {
        {"XP 32-bit", all, 3, true, false,
         "LPT1: LPT2: LPT3: ZKCOM1: ZKCOM2: ZKCOM3: ZKCOM4: ZKCOM5: ZKCOM6: ZKCOM7: ZKCOM8: NET: USB_M_1"},
        {"Windows 7 64-bit", all, 7, false, true,
         "LPT1: LPT2: LPT3: COM1: COM2: COM3: COM4: COM5: COM6: COM7: COM8: NET: USB_M_1 USB_M_2 USB_M_3 USB_M_4"},
        // Windows 98/Me: LPTSUPPORTED gives the two COM ports, COMSUPPORTED the parallel one.
        {"98 parallel key", lptOnly, 0, true, false, "COM1: COM2:"},
        {"98 serial key", comOnly, 0, true, false, "LPT1:"},
        {"98 all", all, 0, true, false, "COM1: COM2: LPT1: NET: USB_M_1"},
        // NT 4.0 has no USB printing.
        {"NT 4.0", all, 1, false, false,
         "LPT1: LPT2: LPT3: ZKCOM1: ZKCOM2: ZKCOM3: ZKCOM4: ZKCOM5: ZKCOM6: ZKCOM7: ZKCOM8: NET:"},
        {"2000 serial only", comOnly, 2, true, false,
         "ZKCOM1: ZKCOM2: ZKCOM3: ZKCOM4: ZKCOM5: ZKCOM6: ZKCOM7: ZKCOM8:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Joined(setup::OfferedPorts(c.keys, {"M", c.os, c.typical, c.x64})), c.ports);
    }
}

TEST(OfferedPorts, LongModelNamesAreCutTo99Characters) {
    setup::PortKeys usb;
    usb.usb = true;
    const std::string model(120, 'M');
    const auto ports = setup::OfferedPorts(usb, {model, 3, true, false});
    ASSERT_EQ(ports.size(), 1u);
    EXPECT_EQ(ports[0], ("USB_" + model).substr(0, 99));
}

TEST(PreselectedPort, FollowsLptDefaultAndTheUsbPrinter) {
    setup::PortKeys keys;
    keys.lpt = keys.usb = keys.lptDefault = true;
    setup::PortKeys noDefault = keys;
    noDefault.lptDefault = false;
    setup::PortKeys noLpt = keys;
    noLpt.lpt = false;
    // As the sorted combo box holds them.
    const std::vector<std::string> advanced = {"COM1:", "LPT1:", "NET:", "USB_M_1", "USB_M_2",
                                               "USB_M_3", "USB_M_4"};
    const std::vector<std::string> typical = {"COM1:", "LPT1:", "NET:", "USB_M_1"};
    const std::vector<std::string> underscoreModel = {"USB_M_2_1", "USB_M_2_2", "USB_M_2_3"};
    const std::vector<std::string> none;
    struct Case {
        const char* name;
        const std::vector<std::string>& entries;
        setup::PortKeys keys;
        bool typical;
        int usbPort;
        int selected;
    } cases[] = {
        {"LPT default", typical, keys, true, 0, 1},
        {"no LPT default", typical, noDefault, true, 0, 0},
        {"LPT default without LPT", typical, noLpt, true, 0, 0},
        {"typical printer", typical, keys, true, 7, 3},
        {"advanced no printer, LPT default", advanced, keys, false, 0, 1},
        {"advanced port 1", advanced, keys, false, 1, 3},
        {"advanced port 4", advanced, keys, false, 4, 6},
        {"advanced port 5", advanced, keys, false, 5, 0},
        // "_2" inside the model name does not stand for port 2.
        {"model with _2", underscoreModel, keys, false, 2, 1},
        {"empty list", none, keys, true, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(setup::PreselectedPort(c.entries, c.keys, c.typical, c.usbPort), c.selected);
    }
}

}  // namespace
