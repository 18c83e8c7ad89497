// Building the installation plan: the worker's steps in order, each with what it acts on.
#include "setup/engine/InstallPlan.h"

#include <algorithm>
#include <cctype>

namespace setup {

namespace {

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// Where CopyPackageFile will look for a file, for people reading the plan.
std::string PlannedSource(const InstallRequest& request, const std::string& upperName) {
    const std::string package = std::string(request.is64Bit ? "W64\\" : "W32\\") + upperName;
    if (!IsUniversalDriverFile(upperName) || request.os < 2) return package;
    if (request.os <= 4) return "Driver Cache cabinets, else " + package;
    return std::string("DriverStore\\FileRepository\\ntprint*\\") +
           (request.is64Bit ? "AMD64\\" : "I386\\") + upperName;
}

class PlanWriter {
public:
    PlanWriter(const InstallRequest& request, std::vector<PlanStep>& steps)
        : request_(request), steps_(steps) {}

    void Add(StepKind kind, int workerStep, std::string target, std::string failureKey = "") {
        steps_.push_back({kind, workerStep, std::move(target), "", DEST_DRIVER,
                          std::move(failureKey)});
    }
    void Copy(int workerStep, const std::string& name, DestinationKind destination) {
        const std::string upper = Upper(name);
        steps_.push_back({StepKind::CopyFile, workerStep, upper, PlannedSource(request_, upper),
                          destination, "IDS_ERR_COPYFIEL"});
    }

private:
    const InstallRequest& request_;
    std::vector<PlanStep>& steps_;
};

}  // namespace

const char* StepKindName(StepKind kind) {
    switch (kind) {
    case StepKind::EnsurePortMonitor: return "EnsurePortMonitor";
    case StepKind::EnsurePrintProcessor: return "EnsurePrintProcessor";
    case StepKind::ReplaceOlderComponent: return "ReplaceOlderComponent";
    case StepKind::CheckSpoolerPorts: return "CheckSpoolerPorts";
    case StepKind::CheckDriverFilesNamed: return "CheckDriverFilesNamed";
    case StepKind::CopyFile: return "CopyPackageFile";
    case StepKind::CopySystemExtras: return "CopySystemExtras";
    case StepKind::CheckMinidriverDataFile: return "CheckMinidriverDataFile";
    case StepKind::EnsureLanguageMonitor: return "EnsureLanguageMonitor";
    case StepKind::RegisterDriver: return "RegisterDriver";
    case StepKind::RecordChosenUsbPort: return "RecordChosenUsbPort";
    case StepKind::RegisterPrinter: return "RegisterPrinter";
    case StepKind::MakeDefaultPrinter: return "MakeDefaultPrinter";
    case StepKind::WriteSerialSettings: return "WriteSerialSettings";
    case StepKind::ReportSuccess: return "ReportSuccess";
    case StepKind::Succeed: return "Succeed";
    }
    return "?";
}

bool PortKindOfName(const std::string& portName, pkg::PortKind& kind) {
    if (Contains(portName, "USB_")) kind = pkg::kUsbPort;
    else if (Contains(portName, "COM")) kind = pkg::kSerialPort;
    else if (Contains(portName, "LPT")) kind = pkg::kParallelPort;
    else if (Contains(portName, "NET")) kind = pkg::kNetworkPort;
    else return false;
    return true;
}

std::string PrinterNameWithPortSuffix(const std::string& model, const std::string& portName,
                                      pkg::PortKind kind) {
    std::string name = model;
    switch (kind) {
    case pkg::kUsbPort:
        for (const char* number : {"1", "2", "3", "4"})
            if (Contains(portName, (std::string("_") + number).c_str()))
                name += std::string("(U) ") + number;
        break;
    case pkg::kSerialPort: name += "(S)"; break;
    case pkg::kParallelPort: name += "(P)"; break;
    case pkg::kNetworkPort: name += "(E)"; break;
    }
    return name;
}

int SerialPortNumber(const std::string& portName) {
    const std::size_t at = portName.find("COM");
    if (at == std::string::npos || at + 3 >= portName.size()) return 0;
    const char digit = portName[at + 3];
    return digit >= '0' && digit <= '9' ? digit - '0' : 0;
}

std::string PrinterPort(const std::string& model, const std::string& portName,
                        pkg::PortKind kind) {
    if (kind == pkg::kUsbPort && Contains(model, "PX-63") && !portName.empty())
        return std::string("USB_PX-63_") + portName.back();
    return portName;
}

bool BuildInstallPlan(pkg::PackageConfig& config, const InstallRequest& request,
                      InstallPlan& plan, std::string& error) {
    plan = InstallPlan{};
    plan.request = request;
    PlanRecords& records = plan.records;
    if (!PortKindOfName(request.portName, records.portKind)) {
        error = "IDS_ERR_NOSUPPORTINTERFACE";
        return false;
    }
    const pkg::PortKind kind = records.portKind;
    const bool usb = kind == pkg::kUsbPort;
    const int os = request.os;

    // The records the wizard builds before the worker starts.
    config.SelectSeries(request.series);
    records.files = config.DriverFiles(request.model, os, request.flavour);
    records.driverRecordFits =
        config.ReadDriverRecord(request.model, os, kind, request.flavour, records.driver) == 0;
    records.printer = config.ReadPrinterRecord(request.model, os, kind, request.flavour);
    records.printer.printerName = PrinterNameWithPortSuffix(
        records.printer.printerName, request.portName, kind);
    records.printer.portName =
        kind == pkg::kNetworkPort && !request.networkPortName.empty()
            ? request.networkPortName
            : PrinterPort(request.model, request.portName, kind);
    records.monitors = config.ReadPortMonitors(os);
    records.languageMonitor = config.ReadLanguageMonitor(os, kind);
    records.driver.monitorName = usb ? records.languageMonitor.name : "";
    // The worker's step 3, reading the processor's version, is done here with the records.
    records.processorVersion = config.ProcessorVersion();
    records.minidriverSwitch = config.MinidriverFlag(request.model, os, request.flavour);

    const pkg::DriverFileSet& files = records.files;
    const std::string& processor = records.printer.printProcessor;
    PlanWriter w(request, plan.steps);

    if ((kind == pkg::kSerialPort && os != 0 && !request.is64Bit) || (usb && os != 1))
        w.Add(StepKind::EnsurePortMonitor, 1,
              usb ? records.monitors.usb.name : records.monitors.serial.name,
              "IDS_ERR_ADDMONITOR");
    if (processor != "WinPrint")
        w.Add(StepKind::EnsurePrintProcessor, 2, processor, "IDS_ERR_ADDPROCESSOR");
    w.Add(StepKind::ReplaceOlderComponent, 4, "the first older monitor or processor");
    if (usb) w.Add(StepKind::CheckSpoolerPorts, 5, "ports", "IDS_ERR_ALLOCMEMORY");

    w.Add(StepKind::CheckDriverFilesNamed, 6, "driver, data, configuration and help files",
          "IDS_ERR_LOSTDRIVERFILE");
    for (pkg::DriverFileSlot slot :
         {pkg::kConfigFile, pkg::kDataFile, pkg::kDriverPathFile, pkg::kHelpFile,
          pkg::kExtraDataFile, pkg::kUiPluginFile, pkg::kRenderPluginFile, pkg::kPluginIniFile})
        if (pkg::NamesFile(files[slot])) w.Copy(6, files[slot], DEST_DRIVER);
    for (pkg::DriverFileSlot slot : {pkg::kControlFontFile, pkg::kUsbInternalIdFile})
        if (pkg::NamesFile(files[slot])) w.Copy(6, files[slot], DEST_DRIVER_3);

    if (os == 3 && !request.is64Bit) {
        w.Copy(7, "srclient.dll", DEST_SYSTEM_IF_ABSENT);
        w.Copy(7, "framedyn.dll", DEST_WBEM_IF_ABSENT);
        w.Copy(7, "newdev.dll", DEST_SYSTEM_IF_ABSENT);
    }
    w.Add(StepKind::CopySystemExtras, 8,
          os == 0 ? "ICONLIB.DLL, UNIDRV.DLL"
          : os >= 2 && records.minidriverSwitch ? "TTFSUB.GPD, STDNAMES.GPD, UNIRES.DLL"
                                                : "none");
    if (os == 0 && (Contains(request.model, "PX-6200") || Contains(request.model, "PX-6100")))
        w.Copy(9, "DMCOLOR.DLL", DEST_DRIVER);
    if (records.minidriverSwitch)
        w.Add(StepKind::CheckMinidriverDataFile, 10, files[pkg::kExtraDataFile],
              "IDS_ERR_LOSTDRIVERFILE");
    if (usb && pkg::NamesFile(records.languageMonitor.dllName))
        w.Add(StepKind::EnsureLanguageMonitor, 11, records.languageMonitor.name,
              "IDS_ERR_ADDMONITOR");
    w.Add(StepKind::RegisterDriver, 12, records.driver.name, "IDS_ERR_ADDPRNDRV3");
    if (usb) w.Add(StepKind::RecordChosenUsbPort, 13, request.portName);
    w.Add(StepKind::RegisterPrinter, 14, records.printer.printerName,
          usb ? "IDS_ERR_TOOMANY" : "IDS_ERR_ADDPRINTER");
    if (request.setAsDefault)
        w.Add(StepKind::MakeDefaultPrinter, 15, records.printer.printerName);
    if (kind == pkg::kSerialPort)
        w.Add(StepKind::WriteSerialSettings, 16, SystemComPortName(request.portName));
    w.Add(StepKind::ReportSuccess, 17,
          os == 0 ? "" : usb ? "IDS_INF_USBRESTART" : "IDS_INF_NTRESTART");
    w.Add(StepKind::Succeed, 18, "InstallStatus");
    return true;
}

}  // namespace setup
