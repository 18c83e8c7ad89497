// Modules: the program and the DLLs it loaded, each with resources (dialog templates) of its own.
//
// Windows finds a template in the module it is given (an HINSTANCE), and every module of a
// process shares the process's state: a DLL's last error is its caller's. A module reference is
// that HINSTANCE on Windows; on the simulated machine it names the loaded program or shared
// object the same way.
#pragma once
#include <compare>
#include <cstdint>

namespace plat {

struct ModuleRef {
    std::uintptr_t handle = 0;  // the HINSTANCE; 0 is no module

    friend auto operator<=>(const ModuleRef&, const ModuleRef&) = default;
};

// The module that holds the address: the program, or the DLL it lies in
// (GetModuleHandleExA with GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS). No module for an address
// outside every module.
ModuleRef ModuleContaining(const void* address);

// The program's own module, GetModuleHandleA(NULL).
ModuleRef ProgramModule();

// The module the calling code is linked into: the program's for the program's code, a DLL's own
// for the DLL's code (what __ImageBase gives). Every module holds a copy of this function of its
// own, so the copy's address names the module.
#if defined(__ELF__)
[[gnu::visibility("hidden")]]
#endif
inline ModuleRef ThisModule() {
    return ModuleContaining(reinterpret_cast<const void*>(&ThisModule));
}

}  // namespace plat
