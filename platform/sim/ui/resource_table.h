// The program's resource section on the simulated machine: the resource scripts that the build
// embedded into the program register here at start-up, and dialogs are made from them.
#pragma once
#include <cstddef>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/sim/ui/rc_script.h"

namespace sim {

// One embedded file: its path relative to the source tree ("setup/setup.rc") and its bytes.
struct EmbeddedResourceFile {
    const char* name;
    const unsigned char* bytes;
    std::size_t size;
};

// Registers a resource script (the first file) with the headers it includes. Process-wide, as
// a module's resource section is; returns true so that a generated file can call it while its
// statics are initialised.
bool RegisterResourceScript(std::initializer_list<EmbeddedResourceFile> files);

// Every registered script, parsed once and merged. Null with the parse error (or a template
// id defined by two scripts) when they cannot be read.
const RcScript* ProgramResources(std::string& error);

// Parses a resource script from disk; #include "x" is looked up beside the including file,
// then in each of the roots. For tests and tools.
bool ParseResourceScriptFile(const std::filesystem::path& file,
                             const std::vector<std::filesystem::path>& includeRoots,
                             RcScript& out, std::string& error);

}  // namespace sim
