// What one loaded copy of the plug-in library keeps: its counters, its instance handle and the
// platform its objects run on.
#include "plugin/com/ModuleState.h"

namespace plugin {

namespace {
// Library-wide by nature: the driver reaches the library only through its two exports.
ModuleCounters counters;
void* instance = nullptr;
std::unique_ptr<plat::Platform> platform;
}  // namespace

ModuleCounters& LibraryCounters() { return counters; }

void SetModuleInstance(void* handle) { instance = handle; }
void* ModuleInstance() { return instance; }

plat::Platform* LibraryPlatform() {
    if (!platform) platform = plat::MakeProcessPlatform();
    return platform.get();
}

void ReplaceLibraryPlatform(std::unique_ptr<plat::Platform> replacement) {
    platform = std::move(replacement);
}

}  // namespace plugin
