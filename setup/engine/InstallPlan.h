// The installation as an ordered list of named steps, built from the package for one model,
// system, flavour and port before anything is done, and run by RunInstallPlan.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "package/PackageConfig.h"
#include "package/PackageRecords.h"
#include "package/PackageTypes.h"
#include "setup/InstallStatus.h"
#include "setup/engine/CopyPackageFile.h"
#include "setup/engine/EngineContext.h"
#include "setup/engine/SerialSettings.h"

namespace setup {

// What the wizard's pages chose.
struct InstallRequest {
    std::string model;        // model name, series suffix cut off
    int series = 0;
    int os = 0;               // 0..7
    pkg::Flavour flavour = pkg::Flavour::Standard;
    std::string portName;     // as chosen: "COM1:", "USB_VTX-58R_1", "LPT1:", "NET:"
    // The network port's own name ("IP_192.168.0.9") once it is created; empty otherwise.
    std::string networkPortName;
    bool is64Bit = false;
    bool setAsDefault = false;
    SerialSettings serial;    // the line settings written for a serial port
};

enum class StepKind {
    EnsurePortMonitor,        // 1
    EnsurePrintProcessor,     // 2
    ReplaceOlderComponent,    // 4
    CheckSpoolerPorts,        // 5
    CheckDriverFilesNamed,    // 6: the four core files must be named
    CopyFile,                 // 6, 7, 9
    CopySystemExtras,         // 8
    CheckMinidriverDataFile,  // 10
    EnsureLanguageMonitor,    // 11
    RegisterDriver,           // 12
    RecordChosenUsbPort,      // 13: PRINTERPORT\<port as chosen> = 0
    RegisterPrinter,          // 14
    MakeDefaultPrinter,       // 15
    WriteSerialSettings,      // 16
    ReportSuccess,            // 17
    Succeed,                  // 18
};

const char* StepKindName(StepKind kind);

struct PlanStep {
    StepKind kind;
    int workerStep;               // the step of the installation worker it belongs to
    std::string target;           // the file, component, driver or printer it acts on
    std::string source;           // where a copied file comes from
    DestinationKind destination;  // where a copied file goes (CopyFile only)
    std::string failureKey;       // the language key shown when it fails; empty: its own text
};

// The records the steps act on, read from the package when the plan is built.
struct PlanRecords {
    pkg::PortKind portKind = pkg::kSerialPort;
    pkg::DriverFileSet files;
    pkg::DriverRecord driver;
    bool driverRecordFits = true;  // false: the dependent-file list exceeds 200 bytes
    pkg::PrinterRecord printer;
    pkg::PortMonitorRecords monitors;
    pkg::LanguageMonitorRecord languageMonitor;
    std::uint32_t processorVersion = 0;
    bool minidriverSwitch = false;
};

struct InstallPlan {
    InstallRequest request;
    PlanRecords records;
    std::vector<PlanStep> steps;
};

// The port kind a port name stands for ("USB_", then "COM", "LPT", "NET"); false for none.
bool PortKindOfName(const std::string& portName, pkg::PortKind& kind);
// The printer name with its port suffix: "(U) 1".."(U) 4", "(S)", "(P)", "(E)".
std::string PrinterNameWithPortSuffix(const std::string& model, const std::string& portName,
                                      pkg::PortKind kind);
// The serial port number: the single digit after "COM" ("ZKCOM2:" gives 2); 0 for none.
int SerialPortNumber(const std::string& portName);
// The printer's port: "USB_PX-63_<last character>" for the PX-63 on USB, else the port itself.
std::string PrinterPort(const std::string& model, const std::string& portName,
                        pkg::PortKind kind);

// Reads the records and lays out the steps. False with the language key in `error` when the
// port name is of no known kind.
bool BuildInstallPlan(pkg::PackageConfig& config, const InstallRequest& request,
                      InstallPlan& plan, std::string& error);

// What a run leaves behind besides the status and the result text.
struct InstallRunResult {
    std::uint32_t upgradeFlags = 0;
    std::string printerName;  // the name the printer was added under; empty on failure before
};

// Runs the steps in order until one fails; sets `status` last (kInstallFailed or
// kInstallSucceeded). Nothing done before a failure is undone.
InstallRunResult RunInstallPlan(EngineContext& ctx, InstallPlan& plan, InstallStatus& status);

}  // namespace setup
