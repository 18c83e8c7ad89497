// The spooler reads the uninstaller makes: the local printers, the installed monitors and
// print processors, and one printer's level-2 record.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace uninstall {

// EnumPrintersA(PRINTER_ENUM_LOCAL, level 5): the local printers' names. Empty on failure.
std::vector<std::string> LocalPrinterNames(plat::PrinterSetup& spooler);
// EnumMonitorsA level 1: the installed monitors' names.
std::vector<std::string> InstalledMonitors(plat::PrinterSetup& spooler);
// EnumPrintProcessorsA level 1 for an environment (null: the program's own).
std::vector<std::string> InstalledProcessors(plat::PrinterSetup& spooler,
                                             const char* environment);

// What reading a printer's level-2 record gave.
enum class PrinterRead { Ok, OpenFailed, ReadFailed, NoMemory };

struct PrinterRecord {
    std::string serverName;
    std::string driverName;
    std::string portName;
    std::uint32_t jobs = 0;
};

// A printer opened with PRINTER_ALL_ACCESS, closed when the object ends.
class OpenedPrinter {
public:
    OpenedPrinter(plat::PrinterSetup& spooler, const std::string& name);
    ~OpenedPrinter();
    OpenedPrinter(const OpenedPrinter&) = delete;
    OpenedPrinter& operator=(const OpenedPrinter&) = delete;

    bool opened() const { return handle_ != 0; }
    plat::PrinterHandle handle() const { return handle_; }
    // GetPrinterA level 2 into `record`.
    PrinterRead Read(PrinterRecord& record);

private:
    plat::PrinterSetup& spooler_;
    plat::PrinterHandle handle_ = 0;
};

// Opens and reads one printer: OpenFailed when it cannot be opened.
PrinterRead ReadPrinter(plat::PrinterSetup& spooler, const std::string& name,
                        PrinterRecord& record);

}  // namespace uninstall
