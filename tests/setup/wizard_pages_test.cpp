// The model, mode and OS pages on simulated machines: the default model, the series lists, the
// AdvancedSetup rule, the detected system, the OS gate, the baud preselection and the
// Vietnamese-font box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/setup/wizard_run.h"
#include "tests/support/transcript_checks.h"

namespace {

using wizardtest::RunResult;
using namespace testsupport;

constexpr const char* kReceipt = "DRVCONFIG\\setup_receipt.ini";
constexpr const char* kSetupIni = "DRVCONFIG\\setup.ini";

// From the model page (the agreement is switched off) to the port page.
constexpr const char* kToPortPage = "click 1\nclick 1\nclick 1\n";

class WizardPagesTest : public wizardtest::WizardMachine {
protected:
    // A machine whose wizard opens on the model page.
    void CreateWithoutAgreement(const std::string& preset) {
        Create(preset);
        SetIni(kSetupIni, "DEVICENAME", "LOADLICENSE", "0");
    }
    // The USB access library beside setup: entering the port page asks for a USB printer, and
    // without the library that costs a message box of its own.
    void AddUsbLibrary() { WriteMachineFile("C:\\Package\\KxUsbInt.dll", ""); }
    // Whether the spooler holds a printer of the model, under its name with a port suffix.
    bool InstalledModel(const std::string& model) {
        for (const std::string& printer : Printers())
            if (printer.rfind(model + "(", 0) == 0) return true;
        return false;
    }
};

// The dumped line of a control in the last `show` of the run; empty when there is none.
std::string LastDump(const RunResult& run, const std::string& idAndName) {
    std::vector<std::string> lines = ControlStates(run.output, idAndName);
    return lines.empty() ? std::string() : lines.back();
}

bool Has(const std::string& line, const std::string& word) {
    return line.find(word) != std::string::npos;
}

TEST_F(WizardPagesTest, DefaultModelIsTheFirstEntryThatBeginsWithItsName) {
    CreateWithoutAgreement("xp-x86");
    SetIni(kSetupIni, "DEVICENAME", "DEVICENAME1", "PX-6100-ReceiptPrinter");
    SetIni(kSetupIni, "DEVICENAME", "DEVICENAME2", "px-6-ReceiptPrinter");
    SetIni(kSetupIni, "DEVICENAME", "DEFAULTNAME", "2");
    RunResult run = Run(std::string("show\n") + kToPortPage + "click 1\nclick 2\n");
    EXPECT_EQ(run.status, 0) << run.output;
    std::string receipt = LastDump(run, "1030 IDC_MODELS_RECEIPT");
    EXPECT_TRUE(Has(receipt, "[\"PX-6100\", \"px-6\"] selected #0")) << receipt;
    // The package configures no ports for PX-6100: Install gets past the model check and
    // stops at the port.
    EXPECT_EQ(MessageBoxes(run.output).size(), 1u) << run.output;
    EXPECT_TRUE(ShowedMessage(run.output, "The chosen port is not supported.")) << run.output;
}

TEST_F(WizardPagesTest, DefaultModelChecksItsSeriesAndEnablesOnlyItsList) {
    struct Case {
        const char* defaultName;
        const char* checkedRadio;  // empty: none
        const char* enabledList;   // empty: none
        const char* model;
        const char* install;  // the script's last actions
    } cases[] = {
        // The receipt model's first port is the network port: a serial port is chosen.
        {"2", "1019 IDC_SERIES_RECEIPT", "1030 IDC_MODELS_RECEIPT", "VTX-80R",
         "choose IDC_PORTS ZKCOM1:\nclick 1\n"},
        {"5", "1021 IDC_SERIES_LABEL", "1032 IDC_MODELS_LABEL", "VTX-L60", "click 1\n"},
        {"6", "1073 IDC_SERIES_EMBEDDED", "1074 IDC_MODELS_EMBEDDED", "VTX-E58", "click 1\n"},
        // Beyond DEVICENUMBER: nothing is preselected, Install asks for a model.
        {"9", "", "", "", "click 1\nexpect Please choose a printer model.\nanswer OK\nclick 2\n"},
    };
    const char* radios[] = {"1019 IDC_SERIES_RECEIPT", "1020 IDC_SERIES_TICKET",
                            "1021 IDC_SERIES_LABEL", "1073 IDC_SERIES_EMBEDDED"};
    const char* lists[] = {"1030 IDC_MODELS_RECEIPT", "1031 IDC_MODELS_TICKET",
                           "1032 IDC_MODELS_LABEL", "1074 IDC_MODELS_EMBEDDED"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.defaultName);
        CreateWithoutAgreement("xp-x86");
        SetIni(kSetupIni, "DEVICENAME", "DEFAULTNAME", c.defaultName);
        RunResult run = Run(std::string("show\n") + kToPortPage + c.install);
        EXPECT_EQ(run.status, 0) << run.output;
        for (const char* radio : radios) {
            std::string line = LastDump(run, radio);
            EXPECT_EQ(Has(line, " checked"), std::string(radio) == c.checkedRadio) << line;
        }
        for (const char* list : lists) {
            std::string line = LastDump(run, list);
            EXPECT_EQ(Has(line, " disabled"), std::string(list) != c.enabledList) << line;
        }
        EXPECT_EQ(InstalledModel(c.model), *c.model != '\0') << run.output;
    }
}

TEST_F(WizardPagesTest, SwitchingSeriesKeepsEachListsOwnSelection) {
    struct Case {
        const char* lastSeries;
        const char* model;
    } cases[] = {{"IDC_SERIES_RECEIPT", "VTX-58R"}, {"IDC_SERIES_LABEL", "VTX-L60"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lastSeries);
        CreateWithoutAgreement("xp-x86");
        RunResult run = Run(std::string(
                                "choose IDC_MODELS_RECEIPT VTX-58R\n"
                                "click IDC_SERIES_LABEL\n"
                                "choose IDC_MODELS_LABEL VTX-L60\n"
                                "click IDC_SERIES_TICKET\n"
                                "click ") +
                            c.lastSeries + "\nshow\n" + kToPortPage + "click 1\n");
        EXPECT_EQ(run.status, 0) << run.output;
        EXPECT_TRUE(Has(LastDump(run, "1030 IDC_MODELS_RECEIPT"), "selected #0"));
        EXPECT_TRUE(Has(LastDump(run, "1032 IDC_MODELS_LABEL"), "selected #1"));
        EXPECT_EQ(InstalledModel(c.model), *c.model != '\0') << run.output;
    }
}

TEST_F(WizardPagesTest, ModelsOnlyInTheReceiptSeriesLeaveTheOtherSeriesDisabled) {
    CreateWithoutAgreement("xp-x86");
    SetIni(kSetupIni, "DEVICENAME", "DEVICENUMBER", "2");
    RunResult run = Run("show\nkey Escape\n");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_FALSE(Has(LastDump(run, "1019 IDC_SERIES_RECEIPT"), " disabled"));
    EXPECT_FALSE(Has(LastDump(run, "1030 IDC_MODELS_RECEIPT"), " disabled"));
    for (const char* control : {"1020 IDC_SERIES_TICKET", "1021 IDC_SERIES_LABEL",
                                "1073 IDC_SERIES_EMBEDDED", "1031 IDC_MODELS_TICKET",
                                "1032 IDC_MODELS_LABEL", "1074 IDC_MODELS_EMBEDDED"}) {
        std::string line = LastDump(run, control);
        EXPECT_TRUE(Has(line, " disabled")) << line;
    }
}

TEST_F(WizardPagesTest, ModelWithoutAdvancedSetupForcesTypicalAfterAdvancedWasChosen) {
    CreateWithoutAgreement("xp-x86");
    // VTX-80R allows Advanced mode; VTX-L60 has AdvancedSetup=0.
    RunResult run = Run(
        "click 1\n"
        "click IDC_ADVANCED\nshow\n"
        "click IDC_BACK\n"
        "click IDC_SERIES_LABEL\nchoose IDC_MODELS_LABEL VTX-L60\n"
        "click 1\nshow\n"
        "click 1\nclick 1\nclick 1\n");
    EXPECT_EQ(run.status, 0) << run.output;
    std::vector<std::string> typical = ControlStates(run.output, "1066 IDC_TYPICAL");
    std::vector<std::string> advanced = ControlStates(run.output, "1067 IDC_ADVANCED");
    std::vector<std::string> note = ControlStates(run.output, "1068 IDC_MODE_NOTE");
    std::vector<std::string> note2 = ControlStates(run.output, "1069 IDC_ADVANCED_NOTE");
    ASSERT_EQ(typical.size(), 2u) << run.output;
    // Advanced chosen for VTX-80R: its notes are shown.
    EXPECT_TRUE(Has(advanced[0], " checked")) << advanced[0];
    EXPECT_TRUE(Has(note[0], "Advanced installation lets you choose")) << note[0];
    EXPECT_FALSE(Has(note2[0], " hidden")) << note2[0];
    // VTX-L60: Typical, Advanced unavailable, the typical-only note.
    EXPECT_TRUE(Has(typical[1], " checked")) << typical[1];
    EXPECT_TRUE(Has(advanced[1], " unchecked")) << advanced[1];
    EXPECT_TRUE(Has(advanced[1], " disabled")) << advanced[1];
    EXPECT_TRUE(Has(note[1], "\"This printer model is installed with the typical")) << note[1];
    EXPECT_TRUE(Has(note2[1], " hidden")) << note2[1];
    EXPECT_TRUE(InstalledModel("VTX-L60")) << run.output;
}

TEST_F(WizardPagesTest, AdvancedChoiceReachesTheInstallationWhenTheModelAllowsIt) {
    CreateWithoutAgreement("windows-7-x86");
    RunResult run = Run("click 1\nclick IDC_ADVANCED\nclick IDC_TYPICAL\nclick IDC_ADVANCED\n"
                        "click 1\nclick 1\nshow\nchoose IDC_PORTS ZKCOM1:\nclick 1\n");
    EXPECT_EQ(run.status, 0) << run.output;
    // Advanced mode offers all four USB ports.
    EXPECT_TRUE(Has(LastDump(run, "1040 IDC_PORTS"), "\"USB_VTX-80R_4\"")) << run.output;
    EXPECT_TRUE(InstalledModel("VTX-80R")) << run.output;
}

TEST_F(WizardPagesTest, OsPageChecksAndEnablesOnlyTheDetectedSystem) {
    const char* radios[] = {"1026 IDC_OS_98ME", "1027 IDC_OS_NT",    "1028 IDC_OS_2000",
                            "1029 IDC_OS_XP",   "1075 IDC_OS_2003",  "1076 IDC_OS_VISTA",
                            "1077 IDC_OS_2008", "1078 IDC_OS_WIN7"};
    struct Case {
        const char* preset;
        int detected;  // index into radios
        bool x64;
    } cases[] = {
        {"xp-x64", 3, true},           // 5.2 workstation on AMD64 shows as XP
        {"server-2003-x64", 4, true},  // "Windows Server 2003 "
        {"windows-7-x64", 7, true},
        {"windows-2000-x86", 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preset);
        CreateWithoutAgreement(c.preset);
        RunResult run = Run("click 1\nclick 1\nshow\nkey Escape\n");
        EXPECT_EQ(run.status, 0) << run.output;
        for (int i = 0; i < 8; ++i) {
            std::string line = LastDump(run, radios[i]);
            SCOPED_TRACE(line);
            EXPECT_EQ(Has(line, " checked"), i == c.detected);
            EXPECT_EQ(Has(line, " disabled"), i != c.detected);
            bool hidden = i < 2 || (i == 2 && c.x64);
            EXPECT_EQ(Has(line, " hidden"), hidden);
        }
        EXPECT_TRUE(Has(LastDump(run, "1075 IDC_OS_2003"), "\"Windows Server 2003 \""));
    }
}

TEST_F(WizardPagesTest, OsGateRefusesEachSystemTheModelDoesNotSupportAndStaysOnTheOsPage) {
    struct Case {
        const char* preset;
        const char* key;      // the VTX-80R support flag switched off
        const char* message;  // the refusal, empty when the system passes
    } cases[] = {
        {"server-2003-x86", "System2003Supported", "does not support Windows Server 2003."},
        {"vista-x86", "SystemVistaSupported", "does not support Windows Vista."},
        {"server-2008-x86", "System2008Supported", "does not support Windows Server 2008."},
        {"server-2008-r2-x64", "System2008Supported", "does not support Windows Server 2008."},
        {"windows-7-x86", "SystemWin7Supported", "does not support Windows 7."},
        // Windows 2000 and XP have no support flag and always pass.
        {"windows-2000-x86", "SystemNTSupported", ""},
        {"xp-x64", "System2003Supported", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preset);
        CreateWithoutAgreement(c.preset);
        AddUsbLibrary();
        const char* file = std::string(c.preset).find("x64") != std::string::npos
                               ? "DRVCONFIG\\setup_receipt_64.ini"
                               : kReceipt;
        SetIni(file, "VTX-80R.PORT", c.key, "0");
        // Switching the flag of another system off changes nothing.
        if (std::string(c.key) != "SystemNTSupported") SetIni(file, "VTX-80R.PORT", "SystemNTSupported", "0");
        // Next on the OS page twice: refused both times, or on to the port page and Install.
        // A passing system installs on the first serial port.
        const std::string install =
            *c.message ? "click 1\n"
                       : std::string("choose IDC_PORTS ") +
                             (std::string(c.preset).find("x64") != std::string::npos ? "COM1:"
                                                                                    : "ZKCOM1:") +
                             "\nclick 1\n";
        RunResult run = Run("click 1\nclick 1\nclick 1\n" + install + "key Escape\n");
        if (*c.message) {
            EXPECT_EQ(run.status, 0) << run.output;
            std::vector<std::string> boxes = MessageBoxes(run.output);
            ASSERT_EQ(boxes.size(), 2u) << run.output;  // each Next on the OS page is refused
            EXPECT_TRUE(Has(boxes[0], c.message)) << boxes[0];
            EXPECT_FALSE(ShowedPage(run.output, "IDD_PORT_PAGE")) << run.output;
            EXPECT_EQ(CountPagesShown(run.output, "IDD_OS_PAGE"), 3) << run.output;
        } else {
            // The only message box is the one that says the installation succeeded.
            EXPECT_EQ(run.status, 0) << run.output;
            std::vector<std::string> boxes = MessageBoxes(run.output);
            ASSERT_EQ(boxes.size(), 1u) << run.output;
            EXPECT_TRUE(SaidInstalled(run.output)) << boxes[0];
        }
    }
}

TEST_F(WizardPagesTest, ModelWithoutPortSectionIsTypicalOnlyWith38400AndRefusedOnWindows7) {
    CreateWithoutAgreement("windows-7-x86");
    SetIni(kSetupIni, "DEVICENAME", "DEVICENAME1", "PX-9-ReceiptPrinter");
    SetIni(kSetupIni, "DEVICENAME", "DEFAULTNAME", "1");
    RunResult run = Run("click 1\nshow\nclick 1\nclick 1\nkey Escape\n");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(Has(LastDump(run, "1067 IDC_ADVANCED"), " disabled"));
    ASSERT_EQ(MessageBoxes(run.output).size(), 1u) << run.output;
    EXPECT_TRUE(Has(MessageBoxes(run.output)[0], "does not support Windows 7.")) << run.output;
}

TEST_F(WizardPagesTest, BaudRateOfTheModelIsPreselectedAnd14400Selects38400) {
    struct Case {
        const char* rate;
        const char* selected;
    } cases[] = {{"14400", "selected #7"}, {"115200", "selected #9"}, {"110", "selected #0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        CreateWithoutAgreement("xp-x86");
        SetIni(kReceipt, "VTX-80R.PORT", "BaudRate", c.rate);
        RunResult run = Run(std::string(kToPortPage) + "show\nkey Escape\n");
        EXPECT_EQ(run.status, 0) << run.output;
        std::string baud = LastDump(run, "1041 IDC_BAUD_RATE");
        EXPECT_TRUE(Has(baud, c.selected)) << baud;
    }
}

TEST_F(WizardPagesTest, BaudPreselectionIsReappliedOnlyAfterGoingBackPastTheModePage) {
    CreateWithoutAgreement("xp-x86");
    // VTX-80R's rate is 19200 (entry 6); the user picks 115200 on the port page.
    RunResult run = Run(std::string(kToPortPage) +
                        "choose IDC_BAUD_RATE #9\n"
                        "click IDC_BACK\nclick IDC_BACK\n"  // to the mode page
                        "click 1\nclick 1\nshow\n"          // the user's choice stays
                        "click IDC_BACK\nclick IDC_BACK\nclick IDC_BACK\n"  // to the model page
                        "click 1\nclick 1\nclick 1\nshow\n"  // preselected again
                        "key Escape\n");
    EXPECT_EQ(run.status, 0) << run.output;
    std::vector<std::string> baud = ControlStates(run.output, "1041 IDC_BAUD_RATE");
    ASSERT_EQ(baud.size(), 2u) << run.output;
    EXPECT_TRUE(Has(baud[0], "selected #9")) << baud[0];
    EXPECT_TRUE(Has(baud[1], "selected #6")) << baud[1];
}

TEST_F(WizardPagesTest, RefusedSystemKeepsItsPreselectionUntilTheUserGoesBackToTheModelPage) {
    CreateWithoutAgreement("windows-7-x86");
    AddUsbLibrary();
    SetIni(kReceipt, "VTX-80R.PORT", "SystemWin7Supported", "0");
    // Refused with VTX-80R (19200): its rate is preselected all the same. Going back only to
    // the mode page keeps it; back on the model page VTX-58R's 9600 is taken.
    RunResult run = Run(
        "click 1\nclick 1\nclick 1\n"          // refused
        "click IDC_BACK\nclick 1\nclick 1\n"   // mode page and forward: refused again
        "click IDC_BACK\nclick IDC_BACK\n"     // to the model page
        "choose IDC_MODELS_RECEIPT VTX-58R\n"
        "click 1\nclick 1\nclick 1\nshow\nkey Escape\n");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(MessageBoxes(run.output).size(), 2u) << run.output;
    std::string baud = LastDump(run, "1041 IDC_BAUD_RATE");
    EXPECT_TRUE(Has(baud, "selected #5")) << baud;
}

TEST_F(WizardPagesTest, VietnameseFontsAreCopiedOnEnteringTheLastPageWhileTicked) {
    // XP's Windows directory is spelled C:\WINDOWS on its disk.
    const std::vector<std::string> fonts = {"C:\\WINDOWS\\Fonts\\MKSANS3.TTF",
                                            "C:\\WINDOWS\\Fonts\\MKSANSV.TTF"};
    // Ticked and unticked again before the last page: nothing is copied.
    CreateWithoutAgreement("xp-x86");
    AddUsbLibrary();
    RunResult untouched = Run("click 1\nclick 1\ntick IDC_VIETNAMESE_FONTS\n"
                              "untick IDC_VIETNAMESE_FONTS\nclick 1\nkey Escape\n");
    EXPECT_EQ(untouched.status, 0) << untouched.output;
    for (const std::string& font : fonts) EXPECT_FALSE(std::filesystem::exists(HostPath(font))) << font;

    // A first entry without the box, then back, ticked and entered again: copied silently.
    CreateWithoutAgreement("xp-x86");
    AddUsbLibrary();
    RunResult run = Run(
        "click 1\nclick 1\nclick 1\n"
        "click IDC_BACK\ntick IDC_VIETNAMESE_FONTS\nclick 1\nkey Escape\n");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(MessageBoxes(run.output).empty()) << run.output;
    for (const std::string& font : fonts) EXPECT_TRUE(std::filesystem::exists(HostPath(font))) << font;
}

}  // namespace
