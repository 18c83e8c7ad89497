// What a new machine's print system holds before anything is installed.
#pragma once
#include <string>

#include "platform/sim/state/machine.h"

namespace sim {

// The serial ports a new machine has, COM1: to COM4:, and the settings text each starts with,
// in the NT Ports key and in win.ini [Ports] alike.
inline constexpr int kSeededComPorts = 4;
inline constexpr const char* kSeededComSettings = "9600,n,8,1";

// Seeds the print provider of a machine being created: the environment keys with their
// driver versions and the "winprint" print processor, the "Local Port", "Standard TCP/IP Port"
// (NT) and "USB Monitor" (NT 5.0 and later) monitors with small stand-in DLLs in the system
// directory, the local ports (COM1: to COM4:, LPT1: to LPT3:, FILE:), the Printers and Forms
// keys, and the driver and print-processor directories. False with a message when a file or
// the registry cannot be written.
bool SeedPrintSystem(const Machine& machine, std::string& error);

}  // namespace sim
