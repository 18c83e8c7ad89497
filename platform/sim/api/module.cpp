// Modules on the simulated machine: a module is the loaded object (its link map) of the program
// or of a shared object, as the dynamic loader keeps it.
#include "platform/sim/api/module.h"

#include <dlfcn.h>
#include <link.h>

namespace sim {

plat::ModuleRef ModuleOfLoadedLibrary(void* dlopenHandle) {
    struct link_map* map = nullptr;
    if (!dlopenHandle || dlinfo(dlopenHandle, RTLD_DI_LINKMAP, &map) != 0 || !map) return {};
    return plat::ModuleRef{reinterpret_cast<std::uintptr_t>(map)};
}

}  // namespace sim

namespace plat {

ModuleRef ModuleContaining(const void* address) {
    Dl_info info{};
    struct link_map* map = nullptr;
    if (dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0 || !map)
        return {};
    return ModuleRef{reinterpret_cast<std::uintptr_t>(map)};
}

ModuleRef ProgramModule() {
    // The program is always loaded, so its handle needs no closing.
    return sim::ModuleOfLoadedLibrary(dlopen(nullptr, RTLD_LAZY | RTLD_NOLOAD));
}

}  // namespace plat
