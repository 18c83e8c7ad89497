// Printer setup: the spooler's calls that add drivers, monitors, print processors and printers,
// choose the default printer and list ports.
#pragma once
#include <cstdint>

#include "platform/raw_printing.h"
#include "platform/spooler_records.h"

namespace plat {

// Shaped after winspool as the raw-job calls are: every call is made on the local machine (no
// server name), a BOOL becomes bool and sets the thread's last error. While the spooler service
// is not running every call fails with RPC_S_SERVER_UNAVAILABLE.
//
// An environment names a processor family ("Windows NT x86", "Windows x64", "Windows 4.0"). A
// null environment is the caller's own: a 32-bit program gets "Windows NT x86" also on 64-bit
// Windows, where the spooler's native environment is "Windows x64".
class PrinterSetup {
public:
    virtual ~PrinterSetup() = default;

    // GetPrinterDriverDirectoryA(NULL, environment, level 1, ...): the environment's driver
    // directory ("C:\Windows\System32\spool\drivers\w32x86"). `needed` receives the size in
    // bytes with the terminator. ERROR_INSUFFICIENT_BUFFER when `size` is too small,
    // ERROR_INVALID_ENVIRONMENT for an environment the system does not know.
    virtual bool GetPrinterDriverDirectoryA(const char* environment, std::uint32_t level,
                                            char* out, std::uint32_t size,
                                            std::uint32_t& needed) = 0;
    // GetPrintProcessorDirectoryA, the same for print processors ("...\spool\prtprocs\w32x86").
    virtual bool GetPrintProcessorDirectoryA(const char* environment, std::uint32_t level,
                                             char* out, std::uint32_t size,
                                             std::uint32_t& needed) = 0;

    // AddPrinterDriverA level 3. The files are found in the environment's driver directory and
    // moved into its version subdirectory. ERROR_FILE_NOT_FOUND for a missing file,
    // ERROR_INVALID_ENVIRONMENT, ERROR_INVALID_LEVEL, ERROR_INVALID_PARAMETER.
    virtual bool AddPrinterDriverA(std::uint32_t level, const DRIVER_INFO_3A& info) = 0;
    // AddMonitorA level 2. The DLL must be in the system directory (ERROR_MOD_NOT_FOUND);
    // ERROR_PRINT_MONITOR_ALREADY_INSTALLED when a monitor of that name exists.
    virtual bool AddMonitorA(std::uint32_t level, const MONITOR_INFO_2A& info) = 0;
    // AddPrintProcessorA(NULL, environment, pathName, printProcessorName): the DLL must be in
    // the environment's print-processor directory. ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED.
    virtual bool AddPrintProcessorA(const char* environment, const char* pathName,
                                    const char* printProcessorName) = 0;

    // AddPrinterA level 2: the new printer, opened. ERROR_PRINTER_ALREADY_EXISTS,
    // ERROR_UNKNOWN_PRINTER_DRIVER (no such driver in the native environment),
    // ERROR_UNKNOWN_PORT, ERROR_UNKNOWN_PRINTPROCESSOR.
    virtual bool AddPrinterA(std::uint32_t level, const PRINTER_INFO_2A& info,
                             PrinterHandle& out) = 0;
    // OpenPrinterA with default access; ERROR_INVALID_PRINTER_NAME for an unknown printer.
    virtual bool OpenPrinterA(const char* name, PrinterHandle& out) = 0;
    // OpenPrinterA(name, &handle, defaults) with the access asked for. The name
    // ",XcvMonitor <monitor>" opens the monitor's configuration handle for XcvDataW; that needs
    // SERVER_ACCESS_ADMINISTER, which only administrators get (ERROR_ACCESS_DENIED).
    virtual bool OpenPrinterA(const char* name, PrinterHandle& out,
                              const PRINTER_DEFAULTSA* defaults) = 0;
    // XcvDataW(xcv, dataName, input, inputSize, output, outputSize, &needed, &status): a command
    // to a monitor's configuration handle. The result says whether the command reached the
    // monitor; the monitor's own answer is `status` (ERROR_SUCCESS or an error code), so a
    // refused command is true with an error status.
    virtual bool XcvDataW(PrinterHandle xcv, const char16_t* dataName, const std::uint8_t* input,
                          std::uint32_t inputSize, std::uint8_t* output, std::uint32_t outputSize,
                          std::uint32_t& needed, std::uint32_t& status) = 0;
    // The same call as RawPrinting's: one printer handle space per process.
    virtual bool ClosePrinter(PrinterHandle printer) = 0;
    // GetPrinterA level 2 into a caller's buffer, with PRINTER_INFO_2A first and its texts
    // behind it. ERROR_INSUFFICIENT_BUFFER with `needed` set when the buffer is too small.
    virtual bool GetPrinterA(PrinterHandle printer, std::uint32_t level, std::uint8_t* buffer,
                             std::uint32_t size, std::uint32_t& needed) = 0;
    // SetPrinterA level 2 (command 0): the record's attributes and settings.
    virtual bool SetPrinterA(PrinterHandle printer, std::uint32_t level, const void* info,
                             std::uint32_t command) = 0;
    // SetDefaultPrinterA, looked up by name in "winspool.drv" at run time: systems before
    // Windows 2000 do not have it and fail with ERROR_PROC_NOT_FOUND.
    virtual bool SetDefaultPrinterA(const char* name) = 0;

    // EnumPortsA level 1 into a caller's buffer: PORT_INFO_1A records, their names behind them.
    // ERROR_INSUFFICIENT_BUFFER with `needed` set when the buffer is too small.
    virtual bool EnumPortsA(std::uint32_t level, std::uint8_t* buffer, std::uint32_t size,
                            std::uint32_t& needed, std::uint32_t& returned) = 0;

    // The enumerations the uninstaller reads, each into a caller's buffer in the same way:
    // EnumPrintersA (flags PRINTER_ENUM_LOCAL; level 2 PRINTER_INFO_2A or 5 PRINTER_INFO_5A),
    // EnumMonitorsA level 1 (MONITOR_INFO_1A), EnumPrintProcessorsA level 1
    // (PRINTPROCESSOR_INFO_1A) for an environment (null: the caller's own).
    virtual bool EnumPrintersA(std::uint32_t flags, std::uint32_t level, std::uint8_t* buffer,
                               std::uint32_t size, std::uint32_t& needed,
                               std::uint32_t& returned) = 0;
    virtual bool EnumMonitorsA(std::uint32_t level, std::uint8_t* buffer, std::uint32_t size,
                               std::uint32_t& needed, std::uint32_t& returned) = 0;
    virtual bool EnumPrintProcessorsA(const char* environment, std::uint32_t level,
                                      std::uint8_t* buffer, std::uint32_t size,
                                      std::uint32_t& needed, std::uint32_t& returned) = 0;

    // Deletions on the local machine. DeletePrinter needs a handle opened with
    // PRINTER_ALL_ACCESS; DeleteMonitorA fails with ERROR_PRINT_MONITOR_IN_USE while a port of
    // the monitor is used, DeletePrintProcessorA with ERROR_CAN_NOT_COMPLETE while a printer
    // uses the processor, the driver deletions with ERROR_PRINTER_DRIVER_IN_USE while a
    // printer uses the driver. A null environment is the caller's own.
    virtual bool DeletePrinter(PrinterHandle printer) = 0;
    virtual bool DeleteMonitorA(const char* environment, const char* monitorName) = 0;
    virtual bool DeletePrintProcessorA(const char* environment, const char* processorName) = 0;
    virtual bool DeletePrinterDriverA(const char* server, const char* environment,
                                      const char* driverName) = 0;
    // Looked up in "winspool.drv" at run time: ERROR_PROC_NOT_FOUND where it does not exist
    // (before Windows 2000). `deleteFlag` DPD_DELETE_UNUSED_FILES also deletes the driver's
    // files no other driver uses.
    virtual bool DeletePrinterDriverExA(const char* server, const char* environment,
                                        const char* driverName, std::uint32_t deleteFlag,
                                        std::uint32_t versionFlag) = 0;
};

}  // namespace plat
