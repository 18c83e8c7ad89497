// The simulated machine's print provider: what the spooler keeps machine-wide, for every program.
//
// On Windows the spooler is split in two: the client side in each program (winspool, which
// hands out printer handles) and the print provider behind the spooler service, which owns the
// environments, drivers, print processors, monitors, ports, forms and printers and keeps them
// in the registry under HKLM\SYSTEM\CurrentControlSet\Control\Print. This is the provider; the
// client is sim::SimSpooler, which resolves the caller's environment, faults and buffers; the
// provider checks and keeps the records.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/state/machine.h"

namespace sim {

// The provider's registry layout below HKEY_LOCAL_MACHINE, as Windows keeps it.
namespace print_keys {
inline constexpr const char* kPrint = "SYSTEM\\CurrentControlSet\\Control\\Print";
// Environments\<environment>\Drivers\Version-<n>\<driver> and
// Environments\<environment>\Print Processors\<processor>; "Windows NT x86", "Windows x64",
// "Windows 4.0".
inline constexpr const char* kEnvironments = "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments";
// Monitors\<monitor>, each with its "Driver" value; a monitor keeps its own ports.
inline constexpr const char* kMonitors = "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors";
inline constexpr const char* kForms = "SYSTEM\\CurrentControlSet\\Control\\Print\\Forms";
// Printers\<printer> with the values "Name", "Port", "Printer Driver", "Print Processor",
// "Attributes" and "Datatype".
inline constexpr const char* kPrinters = "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers";
// The local ports the "Local Port" monitor offers, one value each ("COM1:", "LPT1:", "FILE:").
inline constexpr const char* kLocalPorts = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
}  // namespace print_keys

struct SimPrinter {
    std::string name;       // the key's name, as first spelt
    std::string port;       // its "Port" value, empty when it has none
    std::string driver;     // "Printer Driver"
    std::string processor;  // "Print Processor"
    std::string dataType;   // "Datatype"
    std::uint32_t attributes = 0;
};

// A printer driver of one environment and version: its key's values, file names without paths.
struct SimDriver {
    std::string name;
    std::string environment;  // "Windows x64"
    std::uint32_t version = 0;
    std::string driverPath, dataFile, configFile, helpFile;
    std::vector<std::string> dependentFiles;
    std::string monitor;   // "Monitor", empty for none
    std::string dataType;  // "Datatype"
};

struct SimMonitor {
    std::string name;
    std::string dll;  // "Driver": the file name in the system directory
    std::optional<std::uint32_t> driverVersion;  // "DriverVersion", when there is one
};

struct SimProcessor {
    std::string name;
    std::string environment;
    std::string dll;  // "Driver": the file name in the environment's print-processor directory
};

// A Standard TCP/IP port as its monitor keeps it under Monitors\Standard TCP/IP Port\Ports\<name>.
struct SimTcpIpPort {
    std::string name;            // "IP_10.0.0.5"
    std::uint32_t protocol = 1;  // "Protocol": 1 raw, 2 LPR
    std::uint32_t version = 1;   // "Version"
    std::string hostAddress;     // "IPAddress" for a dotted address, else "HostName"
    std::uint32_t portNumber = 9100;  // "PortNumber"
    std::string queue;           // "Queue", for LPR
    std::string snmpCommunity;   // "SNMP Community"
    bool snmpEnabled = false;    // "SNMP Enabled"
    std::uint32_t snmpIndex = 1;  // "SNMP Index"
    bool doubleSpool = false;    // "Double Spool"
};

inline constexpr const char* kTcpIpMonitor = "Standard TCP/IP Port";

struct SimPort {
    std::string name;     // "LPT1:"
    std::string monitor;  // the monitor that offers it
};

// A form (paper size) as EnumFormsW level 1 lists it; lengths in thousandths of a millimetre.
// The name is UTF-8 here (the registry's value name), UTF-16 at the calls.
struct SimForm {
    std::string name;
    std::uint32_t flags = 0;  // FORM_USER, FORM_BUILTIN, FORM_PRINTER
    std::int32_t cx = 0, cy = 0;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;  // the imageable area
};

// The forms the spooler brings, in its own order (the DMPAPER_ numbers 1 to 41): "Letter",
// "Legal", "A4", "A5", "B5 (JIS)", "Envelope #10", ... with their true sizes and the whole sheet
// imageable. They are no registry values, as on Windows, where the print provider carries them.
const std::vector<SimForm>& BuiltInForms();

// A raw job: "spool/jobs/NNNN.job" holds the bytes as the program wrote them, "NNNN.info" the rest.
struct SimJob {
    std::uint32_t id = 0;
    std::string printer;
    std::string document;  // UTF-8
    std::string dataType;  // UTF-8
    std::string port;
    std::uint32_t pages = 0;
    bool completed = false;  // EndDocPrinter was called
};

// Every operation is one step under the machine lock, so processes sharing the machine see
// each other's printers and jobs at once.
class PrintProvider {
public:
    explicit PrintProvider(const Machine& machine) : machine_(machine) {}

    // ---- Printers ----

    // Adds a printer key with its "Name" and "Port" values. False with a message when the
    // name is empty or holds a backslash, a printer of that name (any letter case) exists, or
    // the registry cannot be written.
    bool AddPrinter(const std::string& name, const std::string& port, std::string& error) const;
    // Every printer in the registry's enumeration order.
    std::vector<SimPrinter> Printers() const;
    // The printer of that name, compared without letter case.
    std::optional<SimPrinter> FindPrinter(const std::string& name) const;

    // Adds a printer as AddPrinterA does: ERROR_INVALID_PRINTER_NAME for an empty name or one
    // with a backslash or comma, ERROR_PRINTER_ALREADY_EXISTS (any letter case),
    // ERROR_UNKNOWN_PRINTER_DRIVER when the native environment lacks the driver,
    // ERROR_UNKNOWN_PORT for a port no monitor offers, ERROR_UNKNOWN_PRINTPROCESSOR when the
    // native environment lacks the processor. An empty data type becomes "RAW".
    std::uint32_t AddPrinter(const SimPrinter& printer) const;
    // Rewrites the printer's "Attributes"; false when there is no such printer.
    bool SetPrinterAttributes(const std::string& name, std::uint32_t attributes) const;

    // ---- Drivers, monitors, print processors (print_registration.cpp) ----

    // AddPrinterDriver's checks and work for a known environment (the client resolves null):
    // ERROR_INVALID_ENVIRONMENT, ERROR_INVALID_PARAMETER (no name, no driver, data or
    // configuration file, or a version the environment does not take),
    // ERROR_UNKNOWN_PRINT_MONITOR, ERROR_FILE_NOT_FOUND. Each file is a bare name, found in the
    // environment's driver directory or already in the version's directory, or a full path;
    // files in the driver directory are moved into the version's directory (replacing), files
    // elsewhere are copied there. A driver of the same name is replaced.
    std::uint32_t AddDriver(const SimDriver& driver) const;
    // Every driver of every environment and version.
    std::vector<SimDriver> Drivers() const;
    bool HasDriver(const std::string& environment, const std::string& name) const;

    // AddMonitor's work: ERROR_PRINT_MONITOR_ALREADY_INSTALLED for a name in use,
    // ERROR_MOD_NOT_FOUND when the DLL is not in the native system directory.
    std::uint32_t AddMonitor(const std::string& name, const std::string& dll) const;
    std::vector<SimMonitor> Monitors() const;

    // AddPrintProcessor's work: ERROR_INVALID_ENVIRONMENT, ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED,
    // ERROR_MOD_NOT_FOUND when the DLL is not in the environment's print-processor directory.
    std::uint32_t AddProcessor(const std::string& environment, const std::string& name,
                               const std::string& dll) const;
    std::vector<SimProcessor> Processors() const;
    bool HasProcessor(const std::string& environment, const std::string& name) const;

    // ---- Removal (print_removal.cpp) ----

    // Removes the printer's key; ERROR_INVALID_PRINTER_NAME when there is none.
    std::uint32_t DeletePrinter(const std::string& name) const;
    // ERROR_UNKNOWN_PRINT_MONITOR for none, ERROR_PRINT_MONITOR_IN_USE while a printer's port
    // is one the monitor offers, ERROR_ACCESS_DENIED for a monitor Windows brings (Local Port,
    // Standard TCP/IP Port, USB Monitor). Otherwise the monitor's key goes; its DLL stays.
    std::uint32_t DeleteMonitor(const std::string& name) const;
    // For a known environment: ERROR_UNKNOWN_PRINTPROCESSOR for none, ERROR_CAN_NOT_COMPLETE
    // while a printer uses it (printers use the native environment's). Its key goes, the DLL
    // stays.
    std::uint32_t DeleteProcessor(const std::string& environment, const std::string& name) const;
    // For a known environment: ERROR_UNKNOWN_PRINTER_DRIVER when the environment has no
    // driver of that name (of that version, when one is given), ERROR_PRINTER_DRIVER_IN_USE
    // while a printer uses it (native environment). The driver's keys go; with `deleteFiles`
    // so do its files in their version directories that no remaining driver of the
    // environment names.
    std::uint32_t DeleteDriver(const std::string& environment, const std::string& name,
                               std::optional<std::uint32_t> version, bool deleteFiles) const;

    // ---- Ports (print_ports.cpp) ----

    // The ports the installed monitors offer, each once, by monitor: "Local Port" lists the
    // values of print_keys::kLocalPorts, "Standard TCP/IP Port" its "Ports" subkeys, any other
    // monitor what its DLL's stand-in file in the system directory describes with lines
    // "sim-port: NAME" and "sim-ports-from-registry: HKLM\KEY" (the value names of that key).
    // A monitor whose DLL is gone offers nothing.
    std::vector<SimPort> Ports() const;

    // The Standard TCP/IP monitor's "AddPort" (print_tcpip_ports.cpp): ERROR_ALREADY_EXISTS
    // when any monitor offers a port of that name (letter case aside), ERROR_INVALID_PARAMETER for a name that is empty or holds a backslash or comma, no
    // host address, a protocol other than raw or LPR, or LPR without a queue;
    // ERROR_UNKNOWN_PRINT_MONITOR when the monitor is not installed.
    std::uint32_t AddTcpIpPort(const SimTcpIpPort& port) const;
    // The monitor's port of that name, read back from the registry.
    std::optional<SimTcpIpPort> FindTcpIpPort(const std::string& name) const;

    // ---- Forms (print_forms.cpp) ----
    // User forms are values under print_keys::kForms: the name, then REG_BINARY of eight
    // little-endian 32-bit numbers (cx, cy, left, top, right, bottom, the order they were added
    // in, flags).

    // The built-in forms, then the user forms in the order they were added.
    std::vector<SimForm> Forms() const;
    // AddForm's checks and work: ERROR_INVALID_FORM_NAME for an empty name,
    // ERROR_INVALID_FORM_SIZE for a size or imageable area that is not positive,
    // ERROR_INVALID_PARAMETER for the FORM_BUILTIN flag, ERROR_FILE_EXISTS when a form of that
    // name exists (built-in or not, letter case aside).
    std::uint32_t AddForm(const SimForm& form) const;
    // Gives the form `name` the size and imageable area of `form` (its name and flags are not
    // used): ERROR_INVALID_FORM_NAME for no such form, ERROR_INVALID_PARAMETER for a built-in
    // one, ERROR_INVALID_FORM_SIZE as AddForm.
    std::uint32_t SetForm(const std::string& name, const SimForm& form) const;
    // ERROR_INVALID_FORM_NAME for no such form, ERROR_INVALID_PARAMETER for a built-in one.
    std::uint32_t DeleteForm(const std::string& name) const;

    // ---- Jobs ----

    std::filesystem::path JobsDir() const;
    // Allocates the next job id (1, 2, ... across the machine) and records the job with no
    // data, not completed. 0 when the spool directory cannot be written.
    std::uint32_t StartJob(SimJob job) const;
    // Rewrites the job's record / appends bytes to its data. False when that cannot be done.
    bool UpdateJob(const SimJob& job) const;
    bool AppendJobData(std::uint32_t id, const void* data, std::uint32_t size) const;
    // Every recorded job by id. A record that cannot be read or is damaged is left out and,
    // when `problems` is given, named there: "FILE line N: what is wrong".
    std::vector<SimJob> Jobs(std::vector<std::string>* problems = nullptr) const;
    // The job of that number; nothing when it has no record or, with `problem` set as above,
    // when its record is damaged.
    std::optional<SimJob> Job(std::uint32_t id, std::string* problem = nullptr) const;
    // The printer's jobs that are not completed (letter case aside): what cJobs counts.
    std::uint32_t QueuedJobs(const std::string& printer) const;
    // The job's bytes; false when it has no data file.
    bool JobData(std::uint32_t id, std::vector<std::uint8_t>& out) const;

private:
    const Machine& machine_;
};

// Shorthands for tests and tools that touch one thing.
bool AddSimPrinter(const Machine& machine, const std::string& name, const std::string& port,
                   std::string& error);
std::vector<SimJob> ListSimJobs(const Machine& machine);
bool ReadSimJobData(const Machine& machine, std::uint32_t id, std::vector<std::uint8_t>& out);

// A fault on one spooler call for every printer: the form callers that name only the call use.
struct SpoolerFault {
    std::string call;  // "OpenPrinterW", "StartDocPrinterW", ... as the Win32 API names it
    std::uint32_t error = 0;
    std::uint32_t times = 0;  // 0: every call
};
// Adds it to the machine's fault list (faults.h).
bool AddSpoolerFault(const Machine& machine, const SpoolerFault& fault, std::string& error);

}  // namespace sim
