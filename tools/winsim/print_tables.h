// The tables winsim prints for people: a heading, aligned columns, "(none)" when empty; and the
// print provider's records as such tables, shared by 'spooler' and 'inventory'.
#pragma once
#include <string>
#include <vector>

#include "platform/sim/state/machine.h"
#include "platform/sim/state/print_provider.h"

namespace winsim {

using Row = std::vector<std::string>;

// Prints a heading and the rows in columns as wide as their widest cell, then a blank line;
// "(none)" for no rows.
void PrintTable(const std::string& heading, const Row& header, const std::vector<Row>& rows);

// A text from the machine as a cell: on one line, "-" when empty.
std::string Cell(const std::string& text);

// How many columns a table of the print provider shows: all of them ('spooler') or the ones a
// person checks after an installation ('inventory').
enum class Columns { kAll, kBrief };

// Printers with driver, port and print processor; "*" marks the default printer.
void PrintPrinters(const sim::Machine& machine, const sim::PrintProvider& provider);
// Drivers by environment and version: kAll adds the data and configuration files.
void PrintDrivers(const sim::PrintProvider& provider, Columns columns);
// Port monitors with their DLL: kAll adds the DriverVersion value.
void PrintMonitors(const sim::PrintProvider& provider, Columns columns);
void PrintProcessors(const sim::PrintProvider& provider);
// The ports every monitor offers, Standard TCP/IP ports among them.
void PrintPorts(const sim::PrintProvider& provider);
// The forms users and programs added (the built-in ones are the same on every machine), in the
// order they were added, sizes in thousandths of a millimetre.
void PrintUserForms(const sim::PrintProvider& provider);

}  // namespace winsim
