// The Install button of the real setup program on simulated machines, road by road: the checks
// that keep the wizard open, the worker's failures, printer names, the network port, the serial
// line settings, the Windows 95 restart question, the default printer and the minimised wizard.
// Expected texts are the example package's language texts (language\setup.ini) and the
// system's messages for the injected error codes.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/setup/wizard_run.h"
#include "tests/support/inventory_sections.h"
#include "tests/support/transcript_checks.h"

namespace {

using wizardtest::RunResult;
using namespace testsupport;

// Licence accepted, then Next on the model, mode and OS pages: the port page with the default
// model VTX-80R in Typical mode.
constexpr const char* kToModelPage = "click IDC_ACCEPT\nclick 1\n";
constexpr const char* kModelToPortPage = "click 1\nclick 1\nclick 1\n";
const std::string kToPortPage = std::string(kToModelPage) + kModelToPortPage;
const std::string kToAdvancedPortPage =
    std::string(kToModelPage) + "click 1\nclick IDC_ADVANCED\nclick 1\nclick 1\n";

constexpr const char* kReceipt = "DRVCONFIG\\setup_receipt.ini";
constexpr const char* kPortsKey = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
constexpr const char* kWizardTitle = "Printer Driver Setup";
constexpr const char* kAccessDenied = "Access is denied.";  // the system's text for error 5

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}


// What an installation changes in the spooler and the registry; the USB device driver that is
// prepared before the checks is left out.
std::string InstalledState(const std::string& inventory) {
    std::string state;
    for (const char* heading : {"Printers", "Drivers", "Monitors", "Ports", "Serial settings",
                                "USB port records"})
        state += Section(inventory, heading);
    return state;
}

// The bytes of a binary value as `winsim reg` prints it ("NAME"=hex(0):1c,00,... with
// continuation lines); empty when the value is not there.
std::vector<std::uint8_t> BinaryValue(const std::string& reg, const std::string& name) {
    std::vector<std::uint8_t> bytes;
    size_t at = reg.find("\"" + name + "\"=hex");
    if (at == std::string::npos) return bytes;
    at = reg.find(':', at) + 1;
    size_t end = at;
    while ((end = reg.find('\n', end)) != std::string::npos && reg[end - 1] == '\\') ++end;
    std::string text = reg.substr(at, end == std::string::npos ? end : end - at);
    for (char& ch : text)
        if (ch == '\\' || ch == '\n' || ch == ' ') ch = ',';
    std::istringstream in(text);
    for (std::string token; std::getline(in, token, ',');)
        if (!token.empty()) bytes.push_back(static_cast<std::uint8_t>(std::stoul(token, nullptr, 16)));
    return bytes;
}

class InstallSequenceTest : public wizardtest::WizardMachine {
protected:
    // A machine with the example package and the USB access library beside setup (without it
    // the port page starts with a message box of its own); the person waits no real time.
    void Prepare(const std::string& preset) {
        Create(preset);
        WriteMachineFile("C:\\Package\\KxUsbInt.dll", "");
        Machine("set", "timescale=0");
    }
    // A winsim command on this machine that must succeed; its output.
    std::string Machine(const std::string& command, const std::string& arguments = "") {
        RunResult r = Winsim(command + " '" + (dir_ / "machine").string() + "' " + arguments);
        EXPECT_EQ(r.status, 0) << command << " " << arguments << "\n" << r.output;
        return r.output;
    }
    std::string Inventory() { return Machine("inventory"); }
    // The serial port class keys of Windows 95, which the preset leaves out: the first is a
    // parallel port (PortSubClass 0), the two others are COM1 and COM2.
    void AddPortClassKeys() {
        std::ofstream reg(dir_ / "machine" / "registry.reg", std::ios::app);
        for (const char* key : {"0000]\n\"PortSubClass\"=hex:00", "0001]\n\"PortSubClass\"=hex:01",
                                "0002]\n\"PortSubClass\"=hex:01"})
            reg << "\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Ports\\"
                << key << "\n";
        ASSERT_TRUE(reg);
    }
    std::string Registry(const std::string& key) { return Machine("reg", "'" + key + "'"); }
    bool Exists(const std::string& windowsPath) {
        return std::filesystem::exists(HostPath(windowsPath));
    }
};

// The run ended with the wizard closed by the program itself, not by a script error.
void ExpectWizardClosed(const RunResult& run) {
    EXPECT_EQ(CountWindowsClosed(run.output, kWizardTitle), 1) << run.output;
    EXPECT_FALSE(Has(run.output, "script error")) << run.output;
}

TEST_F(InstallSequenceTest, RefusedChecksKeepTheWizardOpenAndInstallNothing) {
    struct Case {
        const char* name;
        const char* command;    // a winsim command on the machine before the run; empty: none
        const char* arguments;
        bool networkInstalledBefore;
        bool advanced;
        const char* portActions;  // on the port page, before Install
        // The boxes in order as the transcript shows them (a line break as \n); the script
        // answers each after expecting its first line.
        std::vector<std::string> boxes;
        bool firstIsError;  // the first box is the system's message under the caption ERROR
    } cases[] = {
        {"blank IP address", "", "", false, false, "choose IDC_PORTS NET:\n",
         {"Please enter the IP address of the network printer."}, false},
        {"port monitor refuses AddPort", "fault", "call XcvDataW 5", false, false,
         "type-ip IDC_IP_ADDRESS 10.0.0.5\n",
         {kAccessDenied, "The network port could not be created."}, true},
        {"TCP/IP port of that name exists", "", "", true, false,
         "type-ip IDC_IP_ADDRESS 10.0.0.5\n",
         {"Cannot create a file when that file already exists.",
          "The network port could not be created."},
         true},
        {"Advanced USB with no printer attached", "", "", false, true,
         "choose IDC_PORTS USB_VTX-80R_2\n",
         {"No USB printer was found.\\nConnect the printer, switch it on and try again."}, false},
        // The printer answers for port 4 while Typical mode installs on port 1.
        {"printer number change refused", "usb attach", "--id 3", false, false,
         "choose IDC_PORTS USB_VTX-80R_1\n",
         {"The connected printer uses another USB port number.\\nChange the printer's number "
          "to match the chosen port?"},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Prepare("xp-x86");
        if (*c.command) Machine(c.command, c.arguments);
        if (c.networkInstalledBefore) {
            RunResult first = Run(kToPortPage + "type-ip IDC_IP_ADDRESS 10.0.0.5\nclick 1\nanswer OK\n");
            ASSERT_EQ(first.status, 0) << first.output;
        }
        const std::string before = InstalledState(Inventory());

        std::string script = (c.advanced ? kToAdvancedPortPage : kToPortPage) + c.portActions +
                             "click 1\n";
        for (const std::string& box : c.boxes)
            script += "expect " + box.substr(0, box.find("\\n")) + "\n" +
                      (Has(box, "Change the printer") ? "answer No\n" : "answer OK\n");
        // Cancel works only while the wizard is still open; otherwise the script fails.
        script += "click IDCANCEL\n";
        RunResult run = Run(script);

        EXPECT_EQ(run.status, 0) << run.output;
        std::vector<std::string> shown = MessageBoxes(run.output);
        ASSERT_EQ(shown.size(), c.boxes.size()) << run.output;
        for (size_t i = 0; i < shown.size(); ++i)
            EXPECT_TRUE(Has(shown[i], "\"" + c.boxes[i] + "\"")) << shown[i];
        EXPECT_EQ(Has(shown[0], "box \"ERROR\" ["), c.firstIsError) << shown[0];
        EXPECT_TRUE(Has(run.output, "clicks IDCANCEL \"Cancel\"")) << run.output;
        EXPECT_FALSE(Has(run.output, "minimises window")) << "the worker never started";
        EXPECT_EQ(InstalledState(Inventory()), before);
    }
}

TEST_F(InstallSequenceTest, WorkerFailureShowsItsTextEndsWithStatusOneAndKeepsEarlierWork) {
    // XP's disk spells these directories so; files copied for the driver wait in the
    // environment's directory until the spooler moves them into its version directory.
    const std::string system = "C:\\WINDOWS\\System32\\";
    const std::string waiting = "spool\\drivers\\w32x86\\VTX80RS.GPD";
    struct Case {
        const char* fault;       // winsim fault arguments; empty: none
        const char* unnamedKey;  // a driver-file key of VTX-80R.XP set to "0"; empty: none
        bool usb;
        std::vector<const char*> textParts;
        bool monitorStays;     // the serial port monitor was added before the failure
        std::string fileStays;  // below System32, a file copied before; empty: none
        bool driverStays;
    } cases[] = {
        {"call AddMonitorA 5", "", false,
         {"The port monitor could not be added.\\nAccess is denied."}, false, "VTXCOMM.DLL", false},
        {"", "STDDataFile", false, {"A driver file of this printer is missing from the package."},
         true, "", false},
        {"call CopyFileA 5 --target 'C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\VTX80RS.GPD'",
         "", false, {"A driver file could not be copied:", "VTX80RS.GPD", kAccessDenied}, true,
         "", false},
        {"call AddPrinterDriverA 5", "", false,
         {"The printer driver could not be added.\\nAccess is denied."}, true, waiting, false},
        {"call AddPrinterA 5", "", false, {"The printer could not be added.\\nAccess is denied."},
         true, "spool\\drivers\\w32x86\\3\\VTX80RS.GPD", true},
        // The USB driver of VTX-80R prints through the package's own print processor.
        {"call AddPrintProcessorA 5", "", true, {"The print processor could not be added."}, false,
         "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(*c.fault ? c.fault : c.unnamedKey);
        Prepare("xp-x86");
        if (*c.unnamedKey) SetIni(kReceipt, "VTX-80R.XP", c.unnamedKey, "0");
        if (c.usb) Machine("usb attach", "--id 0");
        if (*c.fault) Machine("fault", c.fault);
        RunResult run = Run(kToPortPage + "choose IDC_PORTS " +
                            (c.usb ? "USB_VTX-80R_1" : "ZKCOM2:") + "\nclick 1\nanswer OK\n");

        EXPECT_EQ(run.status, 1) << run.output;
        ExpectWizardClosed(run);
        std::vector<std::string> shown = MessageBoxes(run.output);
        ASSERT_EQ(shown.size(), 1u) << run.output;
        for (const char* part : c.textParts) EXPECT_TRUE(Has(shown[0], part)) << shown[0];
        EXPECT_FALSE(SaidInstalled(run.output));

        const std::string inventory = Inventory();
        EXPECT_TRUE(Has(Section(inventory, "Printers"), "(none)")) << inventory;
        EXPECT_EQ(Has(Section(inventory, "Monitors"), "VTX Serial Port Monitor VTXCOMM.DLL"),
                  c.monitorStays)
            << inventory;
        EXPECT_EQ(Has(Section(inventory, "Drivers"), "Windows NT x86 3 VTX-80R UNIDRV.DLL"),
                  c.driverStays)
            << inventory;
        if (!c.fileStays.empty())
            EXPECT_TRUE(Exists(system + c.fileStays)) << c.fileStays;
        else
            EXPECT_FALSE(Exists(system + waiting));
        // The USB port records are written before the worker starts and stay.
        EXPECT_EQ(Has(Section(inventory, "USB port records"), "PORTNAME USB_VTX-80R_1 1"), c.usb)
            << inventory;
    }
}

TEST_F(InstallSequenceTest, RepeatedSerialInstallationsAreNumberedAndASecondUsbOneIsRefused) {
    Prepare("xp-x86");
    const std::string serial = kToPortPage + "choose IDC_PORTS ZKCOM2:\nclick 1\nanswer OK\n";
    for (int i = 0; i < 3; ++i) {
        RunResult run = Run(serial);
        EXPECT_EQ(run.status, 0) << run.output;
        EXPECT_TRUE(SaidInstalled(run.output)) << run.output;
    }
    EXPECT_EQ(Printers(), (std::vector<std::string>{"VTX-80R(S)  port ZKCOM2:",
                                                    "VTX-80R(S)(1)  port ZKCOM2:",
                                                    "VTX-80R(S)(2)  port ZKCOM2:"}));
    // Without the default-printer box none of them became the default.
    EXPECT_FALSE(Has(Section(Inventory(), "Printers"), " * ")) << Inventory();

    Prepare("xp-x86");
    Machine("usb attach", "--id 0");
    const std::string usb = kToPortPage + "choose IDC_PORTS USB_VTX-80R_1\nclick 1\nanswer OK\n";
    RunResult first = Run(usb);
    EXPECT_EQ(first.status, 0) << first.output;
    EXPECT_TRUE(ShowedMessage(first.output, "The printer driver has been installed.\\nIf the "
                                            "printer does not print, unplug its USB cable"))
        << first.output;
    RunResult second = Run(usb);
    EXPECT_EQ(second.status, 1) << second.output;
    ExpectWizardClosed(second);
    ASSERT_EQ(MessageBoxes(second.output).size(), 1u) << second.output;
    EXPECT_TRUE(ShowedMessage(second.output, "Too many printers already use this port."));
    EXPECT_EQ(Printers(), std::vector<std::string>{"VTX-80R(U) 1  port USB_VTX-80R_1"});
}

TEST_F(InstallSequenceTest, NetworkAddressGetsATcpIpPortAndTheDefaultBoxMakesTheDefault) {
    Prepare("xp-x86");
    RunResult run = Run(std::string(kToModelPage) + "tick IDC_DEFAULT_PRINTER\n" +
                        kModelToPortPage + "type-ip IDC_IP_ADDRESS 10.0.0.5\nclick 1\nanswer OK\n");
    EXPECT_EQ(run.status, 0) << run.output;
    ExpectWizardClosed(run);
    EXPECT_TRUE(SaidInstalled(run.output)) << run.output;
    // The wizard is minimised before the progress dialog (an untitled window) opens.
    const size_t minimised = run.output.find("minimises window \"Printer Driver Setup\"");
    const size_t progress = run.output.find("opens window \"\"");
    ASSERT_NE(minimised, std::string::npos) << run.output;
    ASSERT_NE(progress, std::string::npos) << run.output;
    EXPECT_LT(minimised, progress);

    const std::string inventory = Inventory();
    EXPECT_TRUE(Has(Section(inventory, "Printers"), "* VTX-80R(E) VTX-80R IP_10.0.0.5")) << inventory;
    EXPECT_TRUE(Has(Section(inventory, "Ports"), "IP_10.0.0.5 Standard TCP/IP Port")) << inventory;
    const std::string port = Registry(
        "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\Ports\\"
        "IP_10.0.0.5");
    EXPECT_TRUE(Has(port, "\"IPAddress\"=\"10.0.0.5\"")) << port;
    EXPECT_TRUE(Has(port, "\"PortNumber\"=dword:0000238c")) << port;  // 9100
}

TEST_F(InstallSequenceTest, SerialSettingsChosenOnThePageLandInThePortsKey) {
    struct Case {
        const char* preset;
        const char* port;
        const char* baud;
        const char* parity;
        const char* bits;
        const char* stop;
        const char* protocol;
        const char* value;      // the Ports value written, as `winsim reg` prints it
        const char* untouched;  // another COM value that keeps the new machine's setting
    } cases[] = {
        // 32-bit XP prints to ZKCOM ports; their settings are those of the COM port they name.
        {"xp-x86", "ZKCOM2:", "4800", "Space", "8", "2", "Xon/Xoff", "\"COM2:\"=\"4800,s,8,2,x\"",
         "\"COM1:\"=\"9600,n,8,1\""},
        {"xp-x86", "ZKCOM5:", "115200", "Even", "7", "1.5", "None",
         "\"COM5:\"=\"115200,e,7,1.5, \"", "\"COM2:\"=\"9600,n,8,1\""},
        // 64-bit Windows 7 offers the system's COM ports.
        {"windows-7-x64", "COM3:", "38400", "Mark", "8", "1.5", "Hardware",
         "\"COM3:\"=\"38400,m,8,1.5,p\"", "\"COM4:\"=\"9600,n,8,1\""},
        {"windows-7-x64", "COM1:", "1200", "None", "5", "2", "None", "\"COM1:\"=\"1200,n,5,2, \"",
         "\"COM2:\"=\"9600,n,8,1\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.preset) + " " + c.port + " " + c.value);
        Prepare(c.preset);
        RunResult run = Run(kToPortPage + "choose IDC_PORTS " + c.port + "\nchoose IDC_BAUD_RATE " +
                            c.baud + "\nchoose IDC_PARITY " + c.parity + "\nchoose IDC_BYTE_SIZE " +
                            c.bits + "\nchoose IDC_STOP_BITS " + c.stop + "\nchoose IDC_PROTOCOL " +
                            c.protocol + "\nclick 1\nanswer OK\n");
        EXPECT_EQ(run.status, 0) << run.output;
        EXPECT_TRUE(SaidInstalled(run.output)) << run.output;
        EXPECT_EQ(Printers(), std::vector<std::string>{std::string("VTX-80R(S)  port ") + c.port});
        const std::string ports = Registry(kPortsKey);
        EXPECT_TRUE(Has(ports, c.value)) << ports;
        EXPECT_TRUE(Has(ports, c.untouched)) << ports;
    }
}

// Windows 95 packages swap the two port keys: VTX-58R (LPTSUPPORTED=1) offers COM1: and COM2:.
const std::string kWindows95Install = std::string(kToModelPage) +
                                      "choose IDC_MODELS_RECEIPT VTX-58R\n" + kModelToPortPage +
                                      "choose IDC_PORTS COM1:\nchoose IDC_BAUD_RATE 9600\n"
                                      "choose IDC_PARITY Odd\nchoose IDC_STOP_BITS 2\n"
                                      "choose IDC_PROTOCOL Xon/Xoff\nclick 1\n";

TEST_F(InstallSequenceTest, Windows95WritesWinIniAndRestartsOnlyWhenAskedAndAble) {
    struct Case {
        const char* answer;
        bool exitWindowsFails;
        bool restartRecorded;
    } cases[] = {{"Yes", false, true}, {"No", false, false}, {"Yes", true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.answer) + (c.exitWindowsFails ? " ExitWindowsEx fails" : ""));
        Prepare("windows-95");
        AddPortClassKeys();
        if (c.exitWindowsFails) Machine("fault", "call ExitWindowsEx 5");
        std::string script = kWindows95Install +
                             "expect The printer driver has been installed.\nanswer OK\n"
                             "expect Windows must be restarted before the changes take effect.\n"
                             "answer " +
                             c.answer + "\n";
        if (c.exitWindowsFails)
            script += "expect Windows could not be restarted. Please restart it yourself.\nanswer OK\n";
        RunResult run = Run(script);

        EXPECT_EQ(run.status, 0) << run.output;
        ExpectWizardClosed(run);
        EXPECT_EQ(MessageBoxes(run.output).size(), c.exitWindowsFails ? 3u : 2u) << run.output;
        EXPECT_TRUE(ShowedMessage(run.output, "Windows must be restarted before the changes take "
                                              "effect.\\nRestart Windows now?"))
            << run.output;
        const std::string winIni = Machine("cat", "'C:\\WINDOWS\\win.ini'");
        EXPECT_TRUE(Has(winIni, "COM1:=9600,o,8,2,x")) << winIni;
        EXPECT_TRUE(Has(winIni, "COM2:=9600,n,8,1")) << winIni;
        EXPECT_EQ(Printers(), std::vector<std::string>{"VTX-58R(S)  port COM1:"});
        // COM1's DCB goes to the first class key of a serial port. Hand-worked from the DCB
        // layout: DCBlength 28, BaudRate 9600 (80 25), fBinary, fParity, fOutX and fInX in the
        // flags, ByteSize 8 at offset 18, Parity ODDPARITY (1), StopBits TWOSTOPBITS (2), XonChar
        // 0x11, XoffChar 0x13.
        const std::string classKey = "HKLM\\System\\CurrentControlSet\\Services\\Class\\Ports\\";
        const std::vector<std::uint8_t> dcb = BinaryValue(Registry(classKey + "0001"), "DCB");
        ASSERT_EQ(dcb.size(), 28u) << Registry(classKey + "0001");
        EXPECT_EQ(dcb[0], 28);
        EXPECT_EQ(dcb[4] | dcb[5] << 8, 9600);
        for (int bit : {0, 1, 8, 9}) EXPECT_TRUE(dcb[8 + bit / 8] & (1 << bit % 8)) << bit;
        EXPECT_EQ(dcb[18], 8);
        EXPECT_EQ(dcb[19], 1);
        EXPECT_EQ(dcb[20], 2);
        EXPECT_EQ(dcb[21], 0x11);
        EXPECT_EQ(dcb[22], 0x13);
        EXPECT_TRUE(BinaryValue(Registry(classKey + "0000"), "DCB").empty());
        EXPECT_TRUE(BinaryValue(Registry(classKey + "0002"), "DCB").empty());
        const std::string restarts = Section(Inventory(), "Restart requests");
        EXPECT_EQ(Has(restarts, "setup asked Windows to restart"), c.restartRecorded) << restarts;
        EXPECT_EQ(Has(restarts, "(none)"), !c.restartRecorded) << restarts;
    }
}

// A failed installation on Windows 95 shows its reason and still asks to restart: a failure
// that needs a restart (a DLL in use) is completed by it. Answering No records nothing.
TEST_F(InstallSequenceTest, Windows95FailedInstallationStillAsksToRestart) {
    Prepare("windows-95");
    Machine("fault", "call AddPrinterA 5");
    RunResult run = Run(kWindows95Install + "expect The printer could not be added.\nanswer OK\n"
                        "expect Restart Windows now?\nanswer No\n");
    EXPECT_EQ(run.status, 1) << run.output;
    ExpectWizardClosed(run);
    ASSERT_EQ(MessageBoxes(run.output).size(), 2u) << run.output;
    EXPECT_TRUE(ShowedMessage(run.output, "The printer could not be added.\\nAccess is denied."));
    EXPECT_FALSE(SaidInstalled(run.output)) << run.output;
    EXPECT_TRUE(Has(Section(Inventory(), "Restart requests"), "(none)"));
    // The line settings follow the printer, so they were not written either.
    const std::string winIni = Machine("cat", "'C:\\WINDOWS\\win.ini'");
    EXPECT_TRUE(Has(winIni, "COM1:=9600,n,8,1\r\n")) << winIni;
}

}  // namespace
