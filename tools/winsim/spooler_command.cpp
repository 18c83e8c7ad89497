// winsim spooler: what the simulated print provider holds, as tables a person reads.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/sim/api/default_printer.h"
#include "platform/sim/state/print_environments.h"
#include "platform/sim/state/print_provider.h"
#include "platform/sim/state/reg_tree.h"
#include "platform/sim/state/service_state.h"
#include "platform/win_constants.h"
#include "tools/winsim/winsim.h"

namespace winsim {

namespace {

using Row = std::vector<std::string>;

// Prints a heading and the rows in columns as wide as their widest cell; "(none)" for no rows.
void PrintTable(const char* heading, const Row& header, const std::vector<Row>& rows) {
    std::printf("%s\n", heading);
    if (rows.empty()) {
        std::printf("  (none)\n\n");
        return;
    }
    std::vector<std::size_t> widths(header.size());
    for (std::size_t c = 0; c < header.size(); ++c) widths[c] = header[c].size();
    for (const Row& row : rows)
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
    auto print = [&](const Row& row) {
        std::string line = " ";
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += " " + row[c];
            if (c + 1 < row.size()) line += std::string(widths[c] - row[c].size() + 1, ' ');
        }
        std::printf("%s\n", line.c_str());
    };
    print(header);
    for (const Row& row : rows) print(row);
    std::printf("\n");
}

std::string ServiceStateName(std::uint32_t state) {
    switch (state) {
        case SERVICE_STOPPED: return "stopped";
        case SERVICE_START_PENDING: return "start pending";
        case SERVICE_STOP_PENDING: return "stop pending";
        case SERVICE_RUNNING: return "running";
        default: return "no such service";
    }
}

std::string Cell(const std::string& text) { return text.empty() ? "-" : OnOneLine(text); }

}  // namespace

int RunSpooler(const Args& args) {
    if (args.size() != 1) return UsageError("spooler", "takes the machine directory only");
    auto machine = OpenMachine(args[0]);
    if (!machine) return kExitFailed;
    const sim::PrintProvider provider(*machine);
    const sim::MachineSettings& s = machine->settings();

    std::printf("Spooler service: %s\n",
                s.platformId == 2 ? ServiceStateName(sim::ServiceState(*machine, "Spooler")).c_str()
                                  : "always running (9x has no spooler service)");
    std::printf("Native environment: %s\n\n", sim::NativeEnvironment(s).c_str());

    const std::string fallback = sim::DefaultPrinterName(*machine);
    std::vector<Row> rows;
    for (const sim::SimPrinter& p : provider.Printers())
        rows.push_back({sim::reg::Fold(p.name) == sim::reg::Fold(fallback) ? "*" : "",
                        Cell(p.name), Cell(p.driver), Cell(p.port), Cell(p.processor)});
    PrintTable("Printers (* the default):", {"", "NAME", "DRIVER", "PORT", "PROCESSOR"}, rows);

    rows.clear();
    for (const sim::SimDriver& d : provider.Drivers())
        rows.push_back({d.environment, std::to_string(d.version), Cell(d.name), Cell(d.driverPath),
                        Cell(d.dataFile), Cell(d.configFile), Cell(d.monitor)});
    PrintTable("Drivers:", {"ENVIRONMENT", "VERSION", "NAME", "DRIVER", "DATA", "CONFIG", "MONITOR"},
               rows);

    rows.clear();
    for (const sim::SimMonitor& m : provider.Monitors())
        rows.push_back({Cell(m.name), Cell(m.dll),
                        m.driverVersion ? std::to_string(*m.driverVersion) : "-"});
    PrintTable("Monitors:", {"NAME", "DLL", "DRIVERVERSION"}, rows);

    rows.clear();
    for (const sim::SimProcessor& p : provider.Processors())
        rows.push_back({p.environment, Cell(p.name), Cell(p.dll)});
    PrintTable("Print processors:", {"ENVIRONMENT", "NAME", "DLL"}, rows);

    rows.clear();
    for (const sim::SimPort& p : provider.Ports()) rows.push_back({Cell(p.name), Cell(p.monitor)});
    PrintTable("Ports:", {"NAME", "MONITOR"}, rows);
    return kExitOk;
}

}  // namespace winsim
