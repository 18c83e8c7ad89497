// Modules on Windows: each reference is the module's HINSTANCE.
#include <windows.h>

#include "platform/module.h"

namespace plat {

ModuleRef ModuleContaining(const void* address) {
    HMODULE module = nullptr;
    if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                  GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<LPCSTR>(address), &module))
        return {};
    return ModuleRef{reinterpret_cast<std::uintptr_t>(module)};
}

ModuleRef ProgramModule() {
    return ModuleRef{reinterpret_cast<std::uintptr_t>(::GetModuleHandleA(nullptr))};
}

}  // namespace plat
