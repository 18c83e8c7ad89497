// The simulated registry, stored in the machine's registry.reg (REGEDIT5 text).
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/sim/state/machine.h"
#include "platform/sim/state/process_context.h"

namespace sim {

namespace reg {
class Tree;
}

// Every call loads, changes and saves the file under the machine lock, so that processes
// sharing the machine see each other's changes at once. A 32-bit process on a 64-bit machine
// sees HKLM\SOFTWARE through Wow6432Node in its default view. HKEY_CLASSES_ROOT is kept as
// HKLM\SOFTWARE\Classes, so its 32-bit view is HKLM\SOFTWARE\Wow6432Node\Classes. Injected
// faults (call_faults.h) make chosen calls fail first, by the Win32 call each method stands for:
// RegCreateKeyExA, RegOpenKeyExA, RegDeleteKeyA, RegSetValueExA, RegQueryValueExA,
// RegDeleteValueA, RegEnumKeyExA and RegEnumValueA.
class SimRegistry : public plat::Registry {
public:
    SimRegistry(const Machine& machine, const ProcessContext& process);

    std::int32_t CreateKey(plat::RegRoot root, const char* path, plat::RegView view) override;
    std::int32_t OpenKey(plat::RegRoot root, const char* path, plat::RegView view) override;
    std::int32_t DeleteKey(plat::RegRoot root, const char* path, plat::RegView view) override;
    std::int32_t SetValue(plat::RegRoot root, const char* path, const char* name,
                          std::uint32_t type, const std::vector<std::uint8_t>& data,
                          plat::RegView view) override;
    std::int32_t QueryValue(plat::RegRoot root, const char* path, const char* name,
                            std::uint32_t& type, std::vector<std::uint8_t>& data,
                            plat::RegView view) override;
    std::int32_t DeleteValue(plat::RegRoot root, const char* path, const char* name,
                             plat::RegView view) override;
    std::int32_t EnumKeys(plat::RegRoot root, const char* path, std::vector<std::string>& out,
                          plat::RegView view) override;
    std::int32_t EnumValues(plat::RegRoot root, const char* path, std::vector<std::string>& out,
                            plat::RegView view) override;

private:
    // The part of a call that differs between operations: it gets the loaded registry and the
    // key's full path, sets changed when the registry must be saved, and returns the error code.
    using Operation = std::function<std::int32_t(
        reg::Tree& tree, const std::vector<std::string>& key, bool& changed)>;
    // Resolves the key in the view, applies injected faults for the Win32 call, then loads,
    // runs and saves under the machine lock.
    std::int32_t Run(const char* call, plat::RegRoot root, const char* path, plat::RegView view,
                     const Operation& operation);

    const Machine& machine_;
    ProcessContext process_;
};

}  // namespace sim
