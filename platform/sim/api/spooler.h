// The spooler's client side on the simulated machine: what a program's winspool does, over the
// machine's print provider.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "platform/forms.h"
#include "platform/last_error.h"
#include "platform/printer_setup.h"
#include "platform/raw_printing.h"
#include "platform/sim/api/printer_info.h"
#include "platform/sim/state/machine.h"
#include "platform/sim/state/print_provider.h"
#include "platform/sim/state/process_context.h"
#include "platform/win_constants.h"

namespace sim {

// Printer handles belong to the process (this object); printers and jobs are the print
// provider's (print_provider.h), shared by every process on the machine. An injected fault
// for a call (call_faults.h) is tried before anything else.
class SimSpooler : public plat::RawPrinting, public plat::PrinterSetup, public plat::Forms {
public:
    SimSpooler(const Machine& machine, const ProcessContext& process, plat::LastError& error);

    // ERROR_INVALID_PRINTER_NAME when no printer has that name (letter case aside).
    bool OpenPrinterW(const std::u16string& name, plat::PrinterHandle& out) override;
    // A job still open stays recorded as not completed.
    bool ClosePrinter(plat::PrinterHandle printer) override;
    // Records a new job; ERROR_INVALID_PRINTER_STATE while a job is open on the handle.
    // Printing to a file (an output file name) is not simulated and fails with
    // ERROR_NOT_SUPPORTED and a message.
    std::uint32_t StartDocPrinterW(plat::PrinterHandle printer,
                                   const plat::DocInfo1& document) override;
    // The page and write calls give ERROR_SPL_NO_STARTDOC without an open job.
    bool StartPagePrinter(plat::PrinterHandle printer) override;
    bool WritePrinter(plat::PrinterHandle printer, const void* data, std::uint32_t size,
                      std::uint32_t& written) override;
    bool EndPagePrinter(plat::PrinterHandle printer) override;
    bool EndDocPrinter(plat::PrinterHandle printer) override;

    // Printer setup (spooler_setup.cpp). A null environment is the caller's: "Windows NT x86"
    // for a 32-bit process also on a 64-bit machine; the spooler's own is what printers use.
    bool GetPrinterDriverDirectoryA(const char* environment, std::uint32_t level, char* out,
                                    std::uint32_t size, std::uint32_t& needed) override;
    bool GetPrintProcessorDirectoryA(const char* environment, std::uint32_t level, char* out,
                                     std::uint32_t size, std::uint32_t& needed) override;
    bool AddPrinterDriverA(std::uint32_t level, const plat::DRIVER_INFO_3A& info) override;
    // The environment must be null or the spooler's own (ERROR_INVALID_ENVIRONMENT).
    bool AddMonitorA(std::uint32_t level, const plat::MONITOR_INFO_2A& info) override;
    bool AddPrintProcessorA(const char* environment, const char* pathName,
                            const char* printProcessorName) override;
    bool AddPrinterA(std::uint32_t level, const plat::PRINTER_INFO_2A& info,
                     plat::PrinterHandle& out) override;
    bool OpenPrinterA(const char* name, plat::PrinterHandle& out) override;
    // Monitor configuration (spooler_xcv.cpp). ",XcvMonitor NAME" opens the configuration
    // handle of an installed monitor (ERROR_INVALID_PRINTER_NAME otherwise); only the Standard
    // TCP/IP monitor's is simulated, and ",XcvPort" names are not (ERROR_NOT_SUPPORTED and a
    // message). Without SERVER_ACCESS_ADMINISTER, or for a user who is not an administrator,
    // the open fails with ERROR_ACCESS_DENIED. Other names open printers as above.
    bool OpenPrinterA(const char* name, plat::PrinterHandle& out,
                      const plat::PRINTER_DEFAULTSA* defaults) override;
    // "AddPort" with a PORT_DATA_1 adds a Standard TCP/IP port; the status carries the
    // monitor's answer (ERROR_ALREADY_EXISTS for a port name in use, ERROR_INVALID_PARAMETER
    // for a record that is short, of another version or size, with a text not terminated in
    // its array or not ASCII). Other commands are not simulated: ERROR_NOT_SUPPORTED status and
    // a message. A handle that is not a monitor's gives ERROR_INVALID_HANDLE.
    bool XcvDataW(plat::PrinterHandle xcv, const char16_t* dataName, const std::uint8_t* input,
                  std::uint32_t inputSize, std::uint8_t* output, std::uint32_t outputSize,
                  std::uint32_t& needed, std::uint32_t& status) override;
    // PRINTER_INFO_2A first, its texts behind it; the default printer carries
    // PRINTER_ATTRIBUTE_DEFAULT, cJobs counts the printer's jobs not yet completed.
    bool GetPrinterA(plat::PrinterHandle printer, std::uint32_t level, std::uint8_t* buffer,
                     std::uint32_t size, std::uint32_t& needed) override;
    // Level 2, command 0: the record's attributes. PRINTER_ATTRIBUTE_DEFAULT makes the printer
    // the default on 9x; NT ignores it there.
    bool SetPrinterA(plat::PrinterHandle printer, std::uint32_t level, const void* info,
                     std::uint32_t command) override;
    // ERROR_PROC_NOT_FOUND before Windows 2000, where the function does not exist.
    bool SetDefaultPrinterA(const char* name) override;
    bool EnumPortsA(std::uint32_t level, std::uint8_t* buffer, std::uint32_t size,
                    std::uint32_t& needed, std::uint32_t& returned) override;
    // Enumerations and deletions (spooler_removal.cpp), over the print provider's records.
    // EnumPrintersA lists the local printers (other flags are not simulated: ERROR_NOT_SUPPORTED
    // and a message) with the records GetPrinterA fills.
    bool EnumPrintersA(std::uint32_t flags, std::uint32_t level, std::uint8_t* buffer,
                       std::uint32_t size, std::uint32_t& needed, std::uint32_t& returned) override;
    bool EnumMonitorsA(std::uint32_t level, std::uint8_t* buffer, std::uint32_t size,
                       std::uint32_t& needed, std::uint32_t& returned) override;
    bool EnumPrintProcessorsA(const char* environment, std::uint32_t level, std::uint8_t* buffer,
                              std::uint32_t size, std::uint32_t& needed,
                              std::uint32_t& returned) override;
    // The handle needs the DELETE right PRINTER_ALL_ACCESS carries (ERROR_ACCESS_DENIED). The
    // printer's key goes, and win.ini's device line when it named the printer; its jobs stay
    // on file and the handle stays open until ClosePrinter.
    bool DeletePrinter(plat::PrinterHandle printer) override;
    // A known environment is accepted and otherwise ignored: monitors belong to the spooler.
    // The built-in monitors are refused with ERROR_ACCESS_DENIED even when unused.
    bool DeleteMonitorA(const char* environment, const char* monitorName) override;
    bool DeletePrintProcessorA(const char* environment, const char* processorName) override;
    bool DeletePrinterDriverA(const char* server, const char* environment,
                              const char* driverName) override;
    // A server name is not simulated (ERROR_NOT_SUPPORTED and a message). The Ex call is
    // ERROR_PROC_NOT_FOUND before Windows 2000; DPD_DELETE_SPECIFIC_VERSION limits it to
    // `versionFlag`'s version.
    bool DeletePrinterDriverExA(const char* server, const char* environment, const char* driverName,
                                std::uint32_t deleteFlag, std::uint32_t versionFlag) override;

    // Forms (spooler_forms.cpp), over the print provider's: a printer handle (not a monitor's)
    // is needed, and the changes need a user who may administer the print server
    // (ERROR_ACCESS_DENIED otherwise). Level 2 is not simulated (ERROR_NOT_SUPPORTED and a
    // message), nor are forms on 9x, whose spooler has no form calls.
    bool EnumFormsW(plat::PrinterHandle printer, std::uint32_t level, std::uint8_t* buffer,
                    std::uint32_t size, std::uint32_t& needed, std::uint32_t& returned) override;
    bool AddFormW(plat::PrinterHandle printer, std::uint32_t level,
                  const plat::FORM_INFO_1W& form) override;
    bool SetFormW(plat::PrinterHandle printer, const char16_t* name, std::uint32_t level,
                  const plat::FORM_INFO_1W& form) override;
    bool DeleteFormW(plat::PrinterHandle printer, const char16_t* name) override;

private:
    struct OpenPrinter {
        SimPrinter printer;
        bool inJob = false;
        SimJob job;
        std::string xcvMonitor;  // a monitor's configuration handle: the monitor
        std::uint32_t access = PRINTER_ACCESS_USE;  // what OpenPrinterA's defaults asked for
    };

    bool Fail(std::uint32_t code);
    // The handle's state, or null with ERROR_INVALID_HANDLE.
    OpenPrinter* Find(plat::PrinterHandle printer);
    // The handle's open job, or null with ERROR_INVALID_HANDLE / ERROR_SPL_NO_STARTDOC.
    OpenPrinter* FindInJob(plat::PrinterHandle printer);
    // True when an injected fault fails this call on that printer (the last error is then set).
    bool Faulted(const char* call, const std::string& printer);
    // The name of the handle's printer; empty for a handle that is not open.
    std::string PrinterOf(plat::PrinterHandle printer) const;
    // True (with RPC_S_SERVER_UNAVAILABLE set) while the spooler service is not running; 9x
    // has no spooler service and always answers.
    bool SpoolerDown();
    // A new handle on the printer of that name (letter case aside), or false with
    // ERROR_INVALID_PRINTER_NAME.
    bool OpenByName(const std::string& name, plat::PrinterHandle& out);
    // The environment a call names, the caller's for null or empty.
    std::string EnvironmentOrCallers(const char* environment) const;
    // Copies a directory's path into the caller's buffer as the Get*Directory calls do.
    // The printer with what its records say beyond its key (printer_info.h).
    PrinterRow RowOf(const SimPrinter& printer) const;
    // The driver deletions' shared work; `version` null for every version.
    bool DeleteDriver(const char* server, const char* environment, const char* driverName,
                      bool deleteFiles, std::optional<std::uint32_t> version);
    // The checks every form call makes after its fault: the spooler, the system, the handle,
    // and for changes the level and the user's right. False with the last error set.
    bool FormCallAllowed(plat::PrinterHandle printer, std::uint32_t level, bool changes);
    bool CopyDirectory(const std::string& environment, std::uint32_t level, bool processors,
                       char* out, std::uint32_t size, std::uint32_t& needed);

    const Machine& machine_;
    const ProcessContext& process_;
    plat::LastError& error_;
    PrintProvider provider_;
    std::map<plat::PrinterHandle, OpenPrinter> handles_;
    plat::PrinterHandle nextHandle_ = 0x1000;
};

}  // namespace sim
