// The print provider's records as tables a person reads.
#include "tools/winsim/print_tables.h"

#include <algorithm>
#include <cstdio>

#include "platform/sim/api/default_printer.h"
#include "platform/sim/state/reg_tree.h"
#include "platform/win_constants.h"
#include "tools/winsim/winsim.h"

namespace winsim {

void PrintTable(const std::string& heading, const Row& header, const std::vector<Row>& rows) {
    std::printf("%s\n", heading.c_str());
    if (rows.empty()) {
        std::printf("  (none)\n\n");
        return;
    }
    std::vector<std::size_t> widths(header.size());
    for (std::size_t c = 0; c < header.size(); ++c) widths[c] = header[c].size();
    for (const Row& row : rows)
        for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    auto print = [&](const Row& row) {
        std::string line = " ";
        for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c) {
            line += " " + row[c];
            if (c + 1 < row.size()) line += std::string(widths[c] - row[c].size() + 1, ' ');
        }
        std::printf("%s\n", line.c_str());
    };
    print(header);
    for (const Row& row : rows) print(row);
    std::printf("\n");
}

std::string Cell(const std::string& text) { return text.empty() ? "-" : OnOneLine(text); }

void PrintPrinters(const sim::Machine& machine, const sim::PrintProvider& provider) {
    const std::string fallback = sim::DefaultPrinterName(machine);
    std::vector<Row> rows;
    for (const sim::SimPrinter& p : provider.Printers())
        rows.push_back({sim::reg::Fold(p.name) == sim::reg::Fold(fallback) ? "*" : "",
                        Cell(p.name), Cell(p.driver), Cell(p.port), Cell(p.processor)});
    PrintTable("Printers (* the default):", {"", "NAME", "DRIVER", "PORT", "PROCESSOR"}, rows);
}

void PrintDrivers(const sim::PrintProvider& provider, Columns columns) {
    std::vector<Row> rows;
    for (const sim::SimDriver& d : provider.Drivers()) {
        if (columns == Columns::kAll)
            rows.push_back({d.environment, std::to_string(d.version), Cell(d.name),
                            Cell(d.driverPath), Cell(d.dataFile), Cell(d.configFile),
                            Cell(d.monitor)});
        else
            rows.push_back({d.environment, std::to_string(d.version), Cell(d.name),
                            Cell(d.driverPath), Cell(d.monitor)});
    }
    if (columns == Columns::kAll)
        PrintTable("Drivers:",
                   {"ENVIRONMENT", "VERSION", "NAME", "DRIVER", "DATA", "CONFIG", "MONITOR"}, rows);
    else
        PrintTable("Drivers:", {"ENVIRONMENT", "VERSION", "NAME", "DRIVER", "MONITOR"}, rows);
}

void PrintMonitors(const sim::PrintProvider& provider, Columns columns) {
    std::vector<Row> rows;
    for (const sim::SimMonitor& m : provider.Monitors()) {
        rows.push_back({Cell(m.name), Cell(m.dll)});
        if (columns == Columns::kAll)
            rows.back().push_back(m.driverVersion ? std::to_string(*m.driverVersion) : "-");
    }
    if (columns == Columns::kAll)
        PrintTable("Monitors:", {"NAME", "DLL", "DRIVERVERSION"}, rows);
    else
        PrintTable("Monitors:", {"NAME", "DLL"}, rows);
}

void PrintProcessors(const sim::PrintProvider& provider) {
    std::vector<Row> rows;
    for (const sim::SimProcessor& p : provider.Processors())
        rows.push_back({p.environment, Cell(p.name), Cell(p.dll)});
    PrintTable("Print processors:", {"ENVIRONMENT", "NAME", "DLL"}, rows);
}

void PrintPorts(const sim::PrintProvider& provider) {
    std::vector<Row> rows;
    for (const sim::SimPort& p : provider.Ports()) rows.push_back({Cell(p.name), Cell(p.monitor)});
    PrintTable("Ports:", {"NAME", "MONITOR"}, rows);
}

void PrintUserForms(const sim::PrintProvider& provider) {
    std::vector<Row> rows;
    for (const sim::SimForm& f : provider.Forms()) {
        if (f.flags & FORM_BUILTIN) continue;
        rows.push_back({Cell(f.name), std::to_string(f.cx), std::to_string(f.cy),
                        std::to_string(f.left) + "," + std::to_string(f.top) + "," +
                            std::to_string(f.right) + "," + std::to_string(f.bottom),
                        f.flags & FORM_PRINTER ? "printer" : "user"});
    }
    PrintTable("User forms (sizes in 0.001 mm; the built-in forms are not listed):",
               {"NAME", "WIDTH", "HEIGHT", "IMAGEABLE AREA", "KIND"}, rows);
}

}  // namespace winsim
