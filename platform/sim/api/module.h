// Modules on the simulated machine: the program and the shared objects it loaded.
#pragma once
#include "platform/module.h"

namespace sim {

// The module of a shared object opened with dlopen, as LoadLibrary returns it on Windows: the
// same reference that the library's own code gets from plat::ThisModule().
plat::ModuleRef ModuleOfLoadedLibrary(void* dlopenHandle);

}  // namespace sim
