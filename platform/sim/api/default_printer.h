// The default printer where every Windows generation finds it: win.ini [windows] "device".
#pragma once
#include <string>

#include "platform/sim/state/machine.h"

namespace sim {

// The printer named by win.ini's [windows] "device" line ("NAME,winspool,PORT"): the text
// before the first comma; empty when there is none.
std::string DefaultPrinterName(const Machine& machine);
// Writes "NAME,winspool,PORT" there, under the machine lock. False when win.ini cannot be
// written.
bool WriteDefaultPrinter(const Machine& machine, const std::string& name, const std::string& port);
// Removes the "device" line, as Windows does when the default printer is deleted. False when
// win.ini cannot be written; true when there is nothing to remove.
bool ClearDefaultPrinter(const Machine& machine);

}  // namespace sim
