// Printer setup: the spooler's calls that add and remove drivers, monitors, print processors,
// ports, printers and forms, and read them back.
#pragma once
#include "platform/spooler_records.h"

namespace plat {

// The calls join this interface with the installation engine and the uninstaller that make
// them (AddPrinterDriverA, AddMonitorA, AddPrintProcessorA, AddPrinterA, EnumPortsA, AddFormW,
// ...), shaped after winspool as the raw-job calls are: a BOOL becomes bool and sets the
// thread's last error.
class PrinterSetup {
public:
    virtual ~PrinterSetup() = default;
};

}  // namespace plat
