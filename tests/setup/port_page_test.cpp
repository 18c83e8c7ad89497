// The port page on simulated machines: the ports offered per word size and mode, the
// preselection (LPTDEFAULT, the attached USB printer's number), the reactions to the chosen
// port, the notice line, the IP control, and a list that survives Back and Next.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/setup/wizard_run.h"
#include "tests/support/transcript_checks.h"

namespace {

using wizardtest::RunResult;
using namespace testsupport;

constexpr const char* kSetupIni = "DRVCONFIG\\setup.ini";
// The default model VTX-80R: no parallel port, serial, network and USB.
constexpr const char* kTypical = "click 1\nclick 1\nclick 1\n";
constexpr const char* kAdvanced = "click 1\nclick IDC_ADVANCED\nclick 1\nclick 1\n";
constexpr const char* kLibrary = "C:\\Package\\KxUsbInt.dll";

constexpr const char* kPorts = "1040 IDC_PORTS";
constexpr const char* kRaster = "1052 IDC_RASTER";
constexpr const char* kIp = "1047 IDC_IP_ADDRESS";
constexpr const char* kNotice = "1048 IDC_PORT_NOTICE";
constexpr const char* kSerial[] = {"1041 IDC_BAUD_RATE", "1042 IDC_PARITY", "1043 IDC_BYTE_SIZE",
                                   "1044 IDC_STOP_BITS", "1045 IDC_PROTOCOL"};

class PortPageTest : public wizardtest::WizardMachine {
protected:
    void CreateOn(const std::string& preset) {
        Create(preset);
        SetIni(kSetupIni, "DEVICENAME", "LOADLICENSE", "0");
    }
    // A USB printer with that internal ID, and the access library beside setup.
    void AttachPrinter(int id) {
        RunResult attached = Winsim("usb attach '" + (dir_ / "machine").string() + "' --id " + std::to_string(id));
        ASSERT_EQ(attached.status, 0) << attached.output;
        WriteMachineFile(kLibrary, "");
    }
};

// The dumped line of a control in the n-th last `show` of the run (1: the last).
std::string Dump(const RunResult& run, const std::string& idAndName, std::size_t fromEnd = 1) {
    std::vector<std::string> lines = ControlStates(run.output, idAndName);
    return lines.size() < fromEnd ? std::string() : lines[lines.size() - fromEnd];
}

bool Has(const std::string& line, const std::string& word) {
    return line.find(word) != std::string::npos;
}

std::string Numbered(const std::string& prefix, int first, int last, const char* suffix) {
    std::string items;
    for (int i = first; i <= last; ++i)
        items += std::string(items.empty() ? "" : ", ") + "\"" + prefix + std::to_string(i) + suffix + "\"";
    return items;
}

TEST_F(PortPageTest, PortsPerWordSizeAndModeInSortedOrder) {
    const std::string zkcom = Numbered("ZKCOM", 1, 8, ":");
    const std::string com = Numbered("COM", 1, 8, ":");
    struct Case {
        const char* preset;
        const char* path;
        std::string items;
    } cases[] = {
        // 32-bit Windows: the package's own serial ports.
        {"xp-x86", kTypical, "[\"NET:\", \"USB_VTX-80R_1\", " + zkcom + "]"},
        // 64-bit Windows: the system's COM ports.
        {"windows-7-x64", kTypical, "[" + com + ", \"NET:\", \"USB_VTX-80R_1\"]"},
        // Advanced mode: four USB ports.
        {"xp-x86", kAdvanced, "[\"NET:\", " + Numbered("USB_VTX-80R_", 1, 4, "") + ", " + zkcom + "]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.preset) + " " + c.path);
        CreateOn(c.preset);
        RunResult run = Run(std::string(c.path) + "show\nclick IDCANCEL\n");
        EXPECT_EQ(run.status, 0) << run.output;
        const std::string ports = Dump(run, kPorts);
        EXPECT_TRUE(Has(ports, c.items + " selected #0")) << ports;
        // Without the USB access library the printer cannot be asked, and the person is told.
        EXPECT_TRUE(ShowedMessage(run.output, "Can not load KxUsbInt.dll")) << run.output;
    }
}

// LPTDEFAULT preselects the parallel port only while LPTSUPPORTED is on too.
TEST_F(PortPageTest, LptDefaultPreselectsTheFirstParallelPort) {
    struct Case {
        const char* lptSupported;
        const char* lptDefault;
        const char* selected;
    } cases[] = {{"1", "1", "selected #8"}, {"1", "0", "selected #0"}, {"0", "1", "selected #0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.lptSupported) + c.lptDefault);
        CreateOn("windows-7-x64");
        SetIni("DRVCONFIG\\setup_receipt_64.ini", "VTX-80R.PORT", "LPTSUPPORTED", c.lptSupported);
        SetIni("DRVCONFIG\\setup_receipt_64.ini", "VTX-80R.PORT", "LPTDEFAULT", c.lptDefault);
        RunResult run = Run(std::string(kTypical) + "show\nclick IDCANCEL\n");
        EXPECT_EQ(run.status, 0) << run.output;
        const std::string ports = Dump(run, kPorts);
        EXPECT_TRUE(Has(ports, c.selected)) << ports;
        if (std::string(c.selected) == "selected #8") {
            // Entries 0 to 7 are COM1: to COM8:; LPT1: follows.
            EXPECT_TRUE(Has(ports, "\"COM8:\", \"LPT1:\", \"LPT2:\", \"LPT3:\", \"NET:\"")) << ports;
            EXPECT_TRUE(Has(Dump(run, kRaster), " checked")) << Dump(run, kRaster);
            EXPECT_FALSE(Has(Dump(run, kRaster), " disabled"));
            // Whatever the language file, the box's tooltip says "press F1 for help" in Chinese.
            EXPECT_TRUE(Has(Dump(run, kRaster), "tooltip \"按“F1”查看帮助\" (200 px)")) << Dump(run, kRaster);
            for (const char* serial : kSerial) EXPECT_TRUE(Has(Dump(run, serial), " disabled")) << serial;
        }
    }
}

// The attached printer's internal ID n stands for USB port (n mod 8) + 1; Advanced mode
// preselects that port when it has an entry, Typical the one USB port.
TEST_F(PortPageTest, AttachedPrinterPreselectsItsUsbPort) {
    struct Case {
        const char* path;
        int id;
        const char* selected;
        bool network;  // the first entry, NET:, is selected, and its address wanted
    } cases[] = {
        {kAdvanced, 10, "selected #3", false},  // port 3: NET:, USB_1, USB_2, USB_3
        {kAdvanced, 3, "selected #4", false},   // port 4
        {kAdvanced, 6, "selected #0", true},    // port 7 has no entry: the first entry
        {kTypical, 6, "selected #1", false},    // Typical: the USB entry whatever the number
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + std::to_string(c.id));
        CreateOn("xp-x86");
        AttachPrinter(c.id);
        RunResult run = Run(std::string(c.path) + "show\nclick IDCANCEL\n");
        EXPECT_EQ(run.status, 0) << run.output;
        EXPECT_FALSE(ShowedMessage(run.output, "Can not load")) << run.output;
        EXPECT_TRUE(Has(Dump(run, kPorts), c.selected)) << Dump(run, kPorts);
        // A printer answered: the serial controls stay off, the address unless NET: is chosen.
        for (const char* serial : kSerial) EXPECT_TRUE(Has(Dump(run, serial), " disabled")) << serial;
        EXPECT_NE(Has(Dump(run, kIp), " disabled"), c.network) << Dump(run, kIp);
    }
}

// Choosing a port switches the controls: serial settings for COM ports, the address for the
// network port, the raster option and the USB driver notice for USB ports.
TEST_F(PortPageTest, ChosenPortSwitchesTheControls) {
    CreateOn("xp-x86");
    RunResult run = Run(std::string(kTypical) +
                        "choose IDC_PORTS ZKCOM3:\nshow\n"
                        "choose IDC_PORTS NET:\ntype-ip IDC_IP_ADDRESS 10.0.0.5\nshow\n"
                        "choose IDC_PORTS USB_VTX-80R_1\nshow\nclick IDCANCEL\n");
    EXPECT_EQ(run.status, 0) << run.output;
    // ZKCOM3: (third last show)
    for (const char* serial : kSerial) EXPECT_FALSE(Has(Dump(run, serial, 3), " disabled")) << serial;
    EXPECT_TRUE(Has(Dump(run, kRaster, 3), "unchecked disabled")) << Dump(run, kRaster, 3);
    EXPECT_TRUE(Has(Dump(run, kIp, 3), " disabled")) << Dump(run, kIp, 3);
    EXPECT_TRUE(Has(Dump(run, kNotice, 3), " hidden")) << Dump(run, kNotice, 3);
    // NET:
    for (const char* serial : kSerial) EXPECT_TRUE(Has(Dump(run, serial, 2), " disabled")) << serial;
    EXPECT_EQ(Dump(run, kIp, 2).find(" disabled"), std::string::npos) << Dump(run, kIp, 2);
    EXPECT_TRUE(Has(Dump(run, kIp, 2), "IP address \"10.0.0.5\"")) << Dump(run, kIp, 2);
    EXPECT_TRUE(Has(Dump(run, kRaster, 2), "unchecked")) << Dump(run, kRaster, 2);
    // USB on XP without the driver installed: raster on, the notice says the driver comes.
    for (const char* serial : kSerial) EXPECT_TRUE(Has(Dump(run, serial), " disabled")) << serial;
    EXPECT_TRUE(Has(Dump(run, kIp), " disabled")) << Dump(run, kIp);
    EXPECT_TRUE(Has(Dump(run, kRaster), " checked")) << Dump(run, kRaster);
    EXPECT_FALSE(Has(Dump(run, kRaster), " disabled"));
    EXPECT_TRUE(Has(Dump(run, kNotice), "\"The USB driver will be installed or updated.\""))
        << Dump(run, kNotice);
    EXPECT_FALSE(Has(Dump(run, kNotice), " hidden")) << Dump(run, kNotice);
}

// The first fill on a network entry leaves the address usable and the serial lists in their
// defaults; the USB notice of Advanced mode differs from Typical's.
TEST_F(PortPageTest, FirstFillStatesAndTheAdvancedNotice) {
    CreateOn("xp-x86");
    RunResult run = Run(std::string(kTypical) + "show\nclick IDCANCEL\n");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(Has(Dump(run, kPorts), "selected #0")) << Dump(run, kPorts);  // NET:
    EXPECT_TRUE(Has(Dump(run, kIp), "\"0.0.0.0\" blank")) << Dump(run, kIp);
    EXPECT_FALSE(Has(Dump(run, kIp), " disabled")) << Dump(run, kIp);
    EXPECT_TRUE(Has(Dump(run, "1041 IDC_BAUD_RATE"), "selected #6")) << "VTX-80R runs at 19200";
    EXPECT_TRUE(Has(Dump(run, "1042 IDC_PARITY"), "[\"Even\", \"Mark\", \"None\", \"Odd\", \"Space\"] selected #2"));
    EXPECT_TRUE(Has(Dump(run, "1043 IDC_BYTE_SIZE"), "[\"5\", \"6\", \"7\", \"8\"] selected #3"));
    EXPECT_TRUE(Has(Dump(run, "1044 IDC_STOP_BITS"), "[\"1\", \"1.5\", \"2\"] selected #0"));
    EXPECT_TRUE(Has(Dump(run, "1045 IDC_PROTOCOL"), "[\"None\", \"Xon/Xoff\", \"Hardware\"] selected #2"));

    CreateOn("xp-x86");
    // The transcript cuts long texts; the script compares the whole text.
    run = Run(std::string(kAdvanced) +
              "choose IDC_PORTS USB_VTX-80R_2\nshow\n"
              "expect-text IDC_PORT_NOTICE The USB driver will be installed or updated; connect the printer now.\n"
              "click IDCANCEL\n");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_FALSE(Has(Dump(run, kNotice), " hidden")) << Dump(run, kNotice);
}

// Back and Next with the same model and mode keep the person's choice; another mode rebuilds.
TEST_F(PortPageTest, ListIsRebuiltOnlyForAnotherModelOrMode) {
    CreateOn("xp-x86");
    RunResult run = Run(std::string(kTypical) +
                        "choose IDC_PORTS ZKCOM3:\nclick IDC_BACK\nclick 1\nshow\n"
                        "click IDC_BACK\nclick IDC_BACK\nclick IDC_ADVANCED\nclick 1\nclick 1\nshow\n"
                        "click IDCANCEL\n");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(Has(Dump(run, kPorts, 2), "selected #4")) << Dump(run, kPorts, 2);  // ZKCOM3:
    EXPECT_TRUE(Has(Dump(run, kPorts), "\"USB_VTX-80R_4\"")) << Dump(run, kPorts);
    EXPECT_TRUE(Has(Dump(run, kPorts), "selected #0")) << Dump(run, kPorts);
}

}  // namespace
