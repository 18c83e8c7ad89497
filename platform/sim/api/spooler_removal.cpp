// The simulated spooler's enumerations and deletions, as the uninstaller uses them.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/sim/api/default_printer.h"
#include "platform/sim/api/record_buffer.h"
#include "platform/sim/api/spooler.h"
#include "platform/sim/state/print_environments.h"
#include "platform/sim/state/reg_tree.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

// The standard DELETE right; PRINTER_ALL_ACCESS carries it, PRINTER_ACCESS_USE does not.
constexpr std::uint32_t kDeleteRight = 0x00010000;

std::string TextOf(const char* text) { return text ? text : ""; }

// Fills a buffer with one single-name record per name (MONITOR_INFO_1A,
// PRINTPROCESSOR_INFO_1A), the names behind the records.
template <typename Record>
bool PutNameRecords(const std::vector<std::string>& names, std::uint8_t* buffer,
                    std::uint32_t size, std::uint32_t& needed, std::uint32_t& returned) {
    const std::size_t records = names.size() * sizeof(Record);
    needed = static_cast<std::uint32_t>(records);
    for (const std::string& name : names) needed += TextSize(name.c_str());
    if (needed > 0 && (!buffer || size < needed)) return false;  // nothing to list needs no buffer
    RecordBuffer out(buffer, records);
    for (std::size_t i = 0; i < names.size(); ++i)
        out.PutRecord(i * sizeof(Record), Record{out.Put(names[i].c_str())});
    returned = static_cast<std::uint32_t>(names.size());
    return true;
}

}  // namespace

bool SimSpooler::EnumPrintersA(std::uint32_t flags, std::uint32_t level, std::uint8_t* buffer,
                               std::uint32_t size, std::uint32_t& needed,
                               std::uint32_t& returned) {
    needed = returned = 0;
    if (Faulted("EnumPrintersA", "") || SpoolerDown()) return false;
    if (!IsPrinterInfoLevel(level)) return Fail(ERROR_INVALID_LEVEL);
    if (!(flags & PRINTER_ENUM_LOCAL)) {
        std::fprintf(stderr, "simulated spooler: EnumPrintersA without PRINTER_ENUM_LOCAL "
                             "(flags 0x%X) is not simulated\n", static_cast<unsigned>(flags));
        return Fail(ERROR_NOT_SUPPORTED);
    }
    std::vector<PrinterRow> rows;
    for (const SimPrinter& printer : provider_.Printers()) rows.push_back(RowOf(printer));
    const std::size_t records = rows.size() * PrinterRecordSize(level);
    needed = static_cast<std::uint32_t>(records);
    for (const PrinterRow& row : rows) needed += PrinterTextsSize(row, level);
    // No printers need no buffer: the call succeeds with none returned.
    if (needed > 0 && (!buffer || size < needed)) return Fail(ERROR_INSUFFICIENT_BUFFER);
    RecordBuffer out(buffer, records);
    for (std::size_t i = 0; i < rows.size(); ++i)
        PutPrinterRecord(out, i * PrinterRecordSize(level), rows[i], level);
    returned = static_cast<std::uint32_t>(rows.size());
    return true;
}

bool SimSpooler::EnumMonitorsA(std::uint32_t level, std::uint8_t* buffer, std::uint32_t size,
                               std::uint32_t& needed, std::uint32_t& returned) {
    needed = returned = 0;
    if (Faulted("EnumMonitorsA", "") || SpoolerDown()) return false;
    if (level != 1) return Fail(ERROR_INVALID_LEVEL);
    std::vector<std::string> names;
    for (const SimMonitor& monitor : provider_.Monitors()) names.push_back(monitor.name);
    return PutNameRecords<plat::MONITOR_INFO_1A>(names, buffer, size, needed, returned) ||
           Fail(ERROR_INSUFFICIENT_BUFFER);
}

bool SimSpooler::EnumPrintProcessorsA(const char* environment, std::uint32_t level,
                                      std::uint8_t* buffer, std::uint32_t size,
                                      std::uint32_t& needed, std::uint32_t& returned) {
    needed = returned = 0;
    if (Faulted("EnumPrintProcessorsA", "") || SpoolerDown()) return false;
    if (level != 1) return Fail(ERROR_INVALID_LEVEL);
    const auto env = FindPrintEnvironment(machine_.settings(), EnvironmentOrCallers(environment));
    if (!env) return Fail(ERROR_INVALID_ENVIRONMENT);
    std::vector<std::string> names;
    for (const SimProcessor& processor : provider_.Processors())
        if (reg::Fold(processor.environment) == reg::Fold(env->name))
            names.push_back(processor.name);
    return PutNameRecords<plat::PRINTPROCESSOR_INFO_1A>(names, buffer, size, needed, returned) ||
           Fail(ERROR_INSUFFICIENT_BUFFER);
}

bool SimSpooler::DeletePrinter(plat::PrinterHandle printer) {
    if (Faulted("DeletePrinter", PrinterOf(printer)) || SpoolerDown()) return false;
    const OpenPrinter* open = Find(printer);
    if (!open) return false;
    if (!open->xcvMonitor.empty()) return Fail(ERROR_INVALID_HANDLE);
    if (!(open->access & kDeleteRight)) return Fail(ERROR_ACCESS_DENIED);
    const std::string name = open->printer.name;
    const bool wasDefault = reg::Fold(DefaultPrinterName(machine_)) == reg::Fold(name);
    const std::uint32_t result = provider_.DeletePrinter(name);
    if (result != ERROR_SUCCESS) return Fail(result);
    // Windows forgets a default printer that is gone: win.ini's device line goes with it.
    if (wasDefault && !ClearDefaultPrinter(machine_)) return Fail(ERROR_WRITE_FAULT);
    return true;
}

bool SimSpooler::DeleteMonitorA(const char* environment, const char* monitorName) {
    if (Faulted("DeleteMonitorA", TextOf(monitorName)) || SpoolerDown()) return false;
    if (!FindPrintEnvironment(machine_.settings(), EnvironmentOrCallers(environment)))
        return Fail(ERROR_INVALID_ENVIRONMENT);
    const std::uint32_t result = provider_.DeleteMonitor(TextOf(monitorName));
    return result == ERROR_SUCCESS || Fail(result);
}

bool SimSpooler::DeletePrintProcessorA(const char* environment, const char* processorName) {
    if (Faulted("DeletePrintProcessorA", TextOf(processorName)) || SpoolerDown()) return false;
    const std::uint32_t result =
        provider_.DeleteProcessor(EnvironmentOrCallers(environment), TextOf(processorName));
    return result == ERROR_SUCCESS || Fail(result);
}

bool SimSpooler::DeleteDriver(const char* server, const char* environment,
                              const char* driverName, bool deleteFiles,
                              std::optional<std::uint32_t> version) {
    if (server && *server) {
        std::fprintf(stderr, "simulated spooler: deleting a driver on the server %s is not "
                             "simulated\n", server);
        return Fail(ERROR_NOT_SUPPORTED);
    }
    const std::uint32_t result = provider_.DeleteDriver(EnvironmentOrCallers(environment),
                                                        TextOf(driverName), version, deleteFiles);
    return result == ERROR_SUCCESS || Fail(result);
}

bool SimSpooler::DeletePrinterDriverA(const char* server, const char* environment,
                                      const char* driverName) {
    if (Faulted("DeletePrinterDriverA", TextOf(driverName)) || SpoolerDown()) return false;
    return DeleteDriver(server, environment, driverName, false, std::nullopt);
}

bool SimSpooler::DeletePrinterDriverExA(const char* server, const char* environment,
                                        const char* driverName, std::uint32_t deleteFlag,
                                        std::uint32_t versionFlag) {
    const MachineSettings& s = machine_.settings();
    // Looked up at run time: before Windows 2000 winspool has no such export.
    if (s.platformId != 2 || s.major < 5) return Fail(ERROR_PROC_NOT_FOUND);
    if (Faulted("DeletePrinterDriverExA", TextOf(driverName)) || SpoolerDown()) return false;
    const std::optional<std::uint32_t> version =
        (deleteFlag & DPD_DELETE_SPECIFIC_VERSION) ? std::optional<std::uint32_t>(versionFlag)
                                                   : std::nullopt;
    return DeleteDriver(server, environment, driverName, (deleteFlag & DPD_DELETE_UNUSED_FILES) != 0,
                        version);
}

}  // namespace sim
