// The modules' resource sections on the simulated machine: the resource scripts that the build
// embedded into a program or shared object register here when it loads, and dialogs are made
// from them.
#pragma once
#include <cstddef>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/module.h"
#include "platform/sim/ui/rc_script.h"

namespace sim {

// One embedded file: its path relative to the source tree ("setup/setup.rc") and its bytes.
struct EmbeddedResourceFile {
    const char* name;
    const unsigned char* bytes;
    std::size_t size;
};

// Registers a resource script (the first file) with the headers it includes as part of the
// module's resources. Process-wide, as loaded modules are; returns true so that a generated
// file can call it while its statics are initialised.
bool RegisterResourceScript(plat::ModuleRef module, std::initializer_list<EmbeddedResourceFile> files);
// Forgets the module's resources, as its unloading does.
void UnregisterResources(plat::ModuleRef module);

// The module's registered scripts, parsed once and merged; an empty script for a module without
// any. Null with the reason when a script cannot be parsed or two of the module's scripts
// define one template id. Modules are apart: two modules may each have a template of one id.
const RcScript* ModuleResources(plat::ModuleRef module, std::string& error);

// Parses a resource script from disk; #include "x" is looked up beside the including file,
// then in each of the roots. For tests and tools.
bool ParseResourceScriptFile(const std::filesystem::path& file,
                             const std::vector<std::filesystem::path>& includeRoots,
                             RcScript& out, std::string& error);

}  // namespace sim
