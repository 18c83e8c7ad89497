// Spooler records pointing into the package's value records.
#include "package/SpoolerRecords.h"

namespace pkg {

namespace {

// The ANSI spooler functions take non-const pointers but only read through them.
char* Text(const std::string& text) { return const_cast<char*>(text.c_str()); }
// An empty text stands for a field the record leaves out (no environment, no port).
char* OptionalText(const std::string& text) { return text.empty() ? nullptr : Text(text); }

}  // namespace

plat::DRIVER_INFO_3A AsDriverInfo3(const DriverRecord& record) {
    plat::DRIVER_INFO_3A info{};
    info.cVersion = record.version;
    info.pName = Text(record.name);
    info.pEnvironment = OptionalText(record.environment);
    info.pDriverPath = Text(record.driverPath);
    info.pDataFile = Text(record.dataFile);
    info.pConfigFile = Text(record.configFile);
    info.pHelpFile = Text(record.helpFile);
    // An empty list is one empty name: the terminator of the string itself.
    info.pDependentFiles = Text(record.dependentFiles);
    info.pMonitorName = Text(record.monitorName);
    return info;
}

plat::PRINTER_INFO_2A AsPrinterInfo2(const PrinterRecord& record) {
    plat::PRINTER_INFO_2A info{};
    info.pPrinterName = Text(record.printerName);
    info.pDriverName = Text(record.driverName);
    info.pPrintProcessor = Text(record.printProcessor);
    info.pPortName = OptionalText(record.portName);
    info.Attributes = record.attributes;
    return info;
}

// Port and language monitors hand AddMonitorA the same three texts.
template <typename MonitorRecord>
plat::MONITOR_INFO_2A MonitorInfo2(const MonitorRecord& record) {
    plat::MONITOR_INFO_2A info{};
    info.pName = Text(record.name);
    info.pEnvironment = OptionalText(record.environment);
    info.pDLLName = Text(record.dllName);
    return info;
}

plat::MONITOR_INFO_2A AsMonitorInfo2(const PortMonitorRecord& record) {
    return MonitorInfo2(record);
}

plat::MONITOR_INFO_2A AsMonitorInfo2(const LanguageMonitorRecord& record) {
    return MonitorInfo2(record);
}

}  // namespace pkg
