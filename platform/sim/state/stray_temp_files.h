// Temporary files that a writer killed between writing and renaming left in the machine.
#pragma once
#include <filesystem>

namespace sim {

// Removes, under the machine lock, the temporary files of writers that have ended: state
// files are replaced through "<file>.<pid>.tmp" beside them (host_file.h) and drive C's files
// through "state/tmp/t<pid>-<n>" (file_state.h); a process that is still running keeps its own.
// Looks into the machine directory, "state", "state/tmp" and "spool/jobs". Returns how many
// files it removed.
int RemoveStrayTempFiles(const std::filesystem::path& machineDir);

}  // namespace sim
