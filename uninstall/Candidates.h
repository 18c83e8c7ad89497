// The candidate list: the installed printers, monitors and print processors of the package.
#pragma once
#include <string>
#include <vector>

#include "platform/platform.h"
#include "uninstall/Inventory.h"

namespace uninstall {

// Printers (local printers whose driver name matches a printer entry), then monitors, then
// print processors (none on OS index 0), each in the spooler's order.
std::vector<std::string> FillCandidates(plat::Platform& platform, const Inventory& inventory,
                                        int osIndex, bool is64Bit);

// The environment of the print-processor enumeration: "Windows 4.0" on OS index 0,
// "Windows x64" with the 64-bit flag, "Windows NT x86" otherwise.
const char* ProcessorListEnvironment(int osIndex, bool is64Bit);
// The environment of the spooler's deletions: the 64-bit one on 64-bit Windows, where setup
// installs; the program's own (null) elsewhere.
const char* DeletionEnvironment(bool is64Bit);

}  // namespace uninstall
