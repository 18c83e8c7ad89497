// The system files a new machine carries where its Windows keeps them: the universal printer
// driver's family in the "Driver Cache" cabinets (2000, XP, Server 2003) or in the driver store
// (Vista and later), and the XP-era components the installation copies only when absent.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "platform/sim/state/machine.h"

namespace sim {

// One file a machine starts with: its absolute Windows path and where its bytes come from,
// a cabinet built from platform/sim/state/system_files/<cabinet> ("xp-i386-driver"), or,
// when `cabinet` is empty, `text`, a stand-in saying what it stands for and which Windows and
// architecture it comes from.
struct SystemFile {
    std::string windowsPath;
    std::string cabinet;
    std::string text;
};

// The files a machine with these settings starts with. 9x and NT 4.0 carry none.
std::vector<SystemFile> SystemFilesFor(const MachineSettings& settings);

// The directory the build made the cabinets in (build tree's "system_files").
std::filesystem::path BuiltCabinetsDirectory();

// Writes SystemFilesFor(machine's settings) onto its drive C. False with the reason when a
// built cabinet is missing (the build's system_cabinets target makes them) or a file cannot be
// written.
bool SeedSystemFiles(const Machine& machine, std::string& error);

}  // namespace sim
