// Run-time lookup of functions that older Windows versions lack, by module and export name.
#pragma once
#include <windows.h>

namespace win32 {

// The export `name` of `module` as a pointer of type Fn, null when either is missing. The cast
// goes through void(*)() because GetProcAddress's own signature is unrelated to Fn's.
template <typename Fn>
Fn FindExport(HMODULE module, const char* name) {
    if (!module) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

// A module loaded with LoadLibraryA for a lookup, freed again on destruction. An empty path
// loads nothing.
class LoadedModule {
public:
    explicit LoadedModule(const char* path) : module_(*path ? ::LoadLibraryA(path) : nullptr) {}
    ~LoadedModule() {
        if (module_) ::FreeLibrary(module_);
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;
    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

}  // namespace win32
