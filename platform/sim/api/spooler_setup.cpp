// The spooler's printer-setup calls on the simulated machine: the caller's side of drivers,
// monitors, print processors, printers, the default printer and ports.
#include <cstring>
#include <string>
#include <vector>

#include "common/text.h"
#include "platform/sim/api/call_faults.h"
#include "platform/sim/api/default_printer.h"
#include "platform/sim/api/printer_info.h"
#include "platform/sim/api/record_buffer.h"
#include "platform/sim/api/spooler.h"
#include "platform/sim/state/print_environments.h"
#include "platform/sim/state/reg_tree.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

std::string TextOf(const char* text) { return text ? text : ""; }

// The names of a list of zero-terminated names ended by an empty one.
std::vector<std::string> NameList(const char* list) {
    std::vector<std::string> names;
    if (!list) return names;
    for (const char* p = list; *p; p += std::strlen(p) + 1) names.emplace_back(p);
    return names;
}

}  // namespace

std::string SimSpooler::EnvironmentOrCallers(const char* environment) const {
    if (environment && *environment) return environment;
    return CallerEnvironment(machine_.settings(), process_.bits);
}

bool SimSpooler::CopyDirectory(const std::string& environment, std::uint32_t level,
                               bool processors, char* out, std::uint32_t size,
                               std::uint32_t& needed) {
    if (level != 1) return Fail(ERROR_INVALID_LEVEL);
    const auto env = FindPrintEnvironment(machine_.settings(), environment);
    if (!env) return Fail(ERROR_INVALID_ENVIRONMENT);
    const std::string dir = processors ? ProcessorDirectory(machine_.settings(), *env)
                                       : DriverDirectory(machine_.settings(), *env);
    needed = static_cast<std::uint32_t>(dir.size() + 1);
    if (!out || size < needed) return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(out, dir.c_str(), needed);
    return true;
}

bool SimSpooler::GetPrinterDriverDirectoryA(const char* environment, std::uint32_t level,
                                            char* out, std::uint32_t size,
                                            std::uint32_t& needed) {
    needed = 0;
    if (Faulted("GetPrinterDriverDirectoryA", TextOf(environment)) || SpoolerDown()) return false;
    return CopyDirectory(EnvironmentOrCallers(environment), level, false, out, size, needed);
}

bool SimSpooler::GetPrintProcessorDirectoryA(const char* environment, std::uint32_t level,
                                             char* out, std::uint32_t size,
                                             std::uint32_t& needed) {
    needed = 0;
    if (Faulted("GetPrintProcessorDirectoryA", TextOf(environment)) || SpoolerDown()) return false;
    return CopyDirectory(EnvironmentOrCallers(environment), level, true, out, size, needed);
}

bool SimSpooler::AddPrinterDriverA(std::uint32_t level, const plat::DRIVER_INFO_3A& info) {
    if (Faulted("AddPrinterDriverA", TextOf(info.pName)) || SpoolerDown()) return false;
    if (level != 3) return Fail(ERROR_INVALID_LEVEL);
    SimDriver driver;
    driver.name = TextOf(info.pName);
    driver.environment = EnvironmentOrCallers(info.pEnvironment);
    driver.version = info.cVersion;
    driver.driverPath = TextOf(info.pDriverPath);
    driver.dataFile = TextOf(info.pDataFile);
    driver.configFile = TextOf(info.pConfigFile);
    driver.helpFile = TextOf(info.pHelpFile);
    driver.dependentFiles = NameList(info.pDependentFiles);
    driver.monitor = TextOf(info.pMonitorName);
    driver.dataType = TextOf(info.pDefaultDataType);
    const std::uint32_t result = provider_.AddDriver(driver);
    return result == ERROR_SUCCESS || Fail(result);
}

bool SimSpooler::AddMonitorA(std::uint32_t level, const plat::MONITOR_INFO_2A& info) {
    if (Faulted("AddMonitorA", TextOf(info.pName)) || SpoolerDown()) return false;
    if (level != 2) return Fail(ERROR_INVALID_LEVEL);
    // The monitor runs in the spooler, whose family is the machine's own.
    if (info.pEnvironment && *info.pEnvironment &&
        !common::EqualsNoCase(info.pEnvironment, NativeEnvironment(machine_.settings())))
        return Fail(ERROR_INVALID_ENVIRONMENT);
    const std::uint32_t result = provider_.AddMonitor(TextOf(info.pName), TextOf(info.pDLLName));
    return result == ERROR_SUCCESS || Fail(result);
}

bool SimSpooler::AddPrintProcessorA(const char* environment, const char* pathName,
                                    const char* printProcessorName) {
    if (Faulted("AddPrintProcessorA", TextOf(printProcessorName)) || SpoolerDown()) return false;
    const std::uint32_t result = provider_.AddProcessor(
        EnvironmentOrCallers(environment), TextOf(printProcessorName), TextOf(pathName));
    return result == ERROR_SUCCESS || Fail(result);
}

bool SimSpooler::AddPrinterA(std::uint32_t level, const plat::PRINTER_INFO_2A& info,
                             plat::PrinterHandle& out) {
    out = 0;
    if (Faulted("AddPrinterA", TextOf(info.pPrinterName)) || SpoolerDown()) return false;
    if (level != 2) return Fail(ERROR_INVALID_LEVEL);
    if (!info.pPortName || !info.pDriverName || !info.pPrintProcessor)
        return Fail(ERROR_INVALID_PARAMETER);
    SimPrinter printer;
    printer.name = TextOf(info.pPrinterName);
    printer.port = info.pPortName;
    printer.driver = info.pDriverName;
    printer.processor = info.pPrintProcessor;
    printer.dataType = TextOf(info.pDatatype);
    printer.attributes = info.Attributes & ~std::uint32_t(PRINTER_ATTRIBUTE_DEFAULT);
    const std::uint32_t result = provider_.AddPrinter(printer);
    if (result != ERROR_SUCCESS) return Fail(result);
    return OpenByName(printer.name, out);
}

bool SimSpooler::OpenPrinterA(const char* name, plat::PrinterHandle& out) {
    out = 0;
    if (Faulted("OpenPrinterA", TextOf(name)) || SpoolerDown()) return false;
    return OpenByName(TextOf(name), out);
}

bool SimSpooler::GetPrinterA(plat::PrinterHandle printer, std::uint32_t level,
                             std::uint8_t* buffer, std::uint32_t size, std::uint32_t& needed) {
    needed = 0;
    if (Faulted("GetPrinterA", PrinterOf(printer)) || SpoolerDown()) return false;
    if (!Find(printer)) return false;
    if (level != 2) return Fail(ERROR_INVALID_LEVEL);
    const auto current = provider_.FindPrinter(PrinterOf(printer));
    if (!current) return Fail(ERROR_INVALID_PRINTER_NAME);  // deleted since it was opened
    const PrinterRow row = RowOf(*current);
    needed = static_cast<std::uint32_t>(PrinterRecordSize(level)) + PrinterTextsSize(row, level);
    if (!buffer || size < needed) return Fail(ERROR_INSUFFICIENT_BUFFER);
    RecordBuffer out(buffer, PrinterRecordSize(level));
    PutPrinterRecord(out, 0, row, level);
    return true;
}

PrinterRow SimSpooler::RowOf(const SimPrinter& printer) const {
    PrinterRow row{printer, printer.attributes, provider_.QueuedJobs(printer.name)};
    if (reg::Fold(DefaultPrinterName(machine_)) == reg::Fold(printer.name))
        row.attributes |= PRINTER_ATTRIBUTE_DEFAULT;
    return row;
}

bool SimSpooler::SetPrinterA(plat::PrinterHandle printer, std::uint32_t level, const void* info,
                             std::uint32_t command) {
    if (Faulted("SetPrinterA", PrinterOf(printer)) || SpoolerDown()) return false;
    OpenPrinter* open = Find(printer);
    if (!open) return false;
    if (level != 2) return Fail(ERROR_INVALID_LEVEL);
    if (!info || command != 0) return Fail(ERROR_INVALID_PARAMETER);
    plat::PRINTER_INFO_2A record;
    std::memcpy(&record, info, sizeof record);
    const auto current = provider_.FindPrinter(open->printer.name);
    if (!current) return Fail(ERROR_INVALID_PRINTER_NAME);
    const std::uint32_t defaultBit = PRINTER_ATTRIBUTE_DEFAULT;
    if (!provider_.SetPrinterAttributes(current->name, record.Attributes & ~defaultBit))
        return Fail(ERROR_INVALID_PRINTER_NAME);
    if ((record.Attributes & defaultBit) && machine_.settings().platformId != 2 &&
        !WriteDefaultPrinter(machine_, current->name, current->port))
        return Fail(ERROR_WRITE_FAULT);
    return true;
}

bool SimSpooler::SetDefaultPrinterA(const char* name) {
    const MachineSettings& s = machine_.settings();
    // Looked up at run time: before Windows 2000 winspool has no such export.
    if (s.platformId != 2 || s.major < 5) return Fail(ERROR_PROC_NOT_FOUND);
    if (Faulted("SetDefaultPrinterA", TextOf(name)) || SpoolerDown()) return false;
    const auto printer = provider_.FindPrinter(TextOf(name));
    if (!printer) return Fail(ERROR_INVALID_PRINTER_NAME);
    if (!WriteDefaultPrinter(machine_, printer->name, printer->port)) return Fail(ERROR_WRITE_FAULT);
    return true;
}

bool SimSpooler::EnumPortsA(std::uint32_t level, std::uint8_t* buffer, std::uint32_t size,
                            std::uint32_t& needed, std::uint32_t& returned) {
    needed = 0;
    returned = 0;
    if (Faulted("EnumPortsA", "") || SpoolerDown()) return false;
    if (level != 1) return Fail(ERROR_INVALID_LEVEL);
    const std::vector<SimPort> ports = provider_.Ports();
    const std::size_t records = ports.size() * sizeof(plat::PORT_INFO_1A);
    needed = static_cast<std::uint32_t>(records);
    for (const SimPort& port : ports) needed += TextSize(port.name.c_str());
    if (!buffer || size < needed) return Fail(ERROR_INSUFFICIENT_BUFFER);
    RecordBuffer out(buffer, records);
    for (std::size_t i = 0; i < ports.size(); ++i)
        out.PutRecord(i * sizeof(plat::PORT_INFO_1A), plat::PORT_INFO_1A{out.Put(ports[i].name.c_str())});
    returned = static_cast<std::uint32_t>(ports.size());
    return true;
}

}  // namespace sim
