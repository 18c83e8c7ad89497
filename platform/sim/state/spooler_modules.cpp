// The DLLs the running spooler holds, read from its registry keys.
#include "platform/sim/state/spooler_modules.h"

#include "platform/sim/state/print_provider.h"
#include "platform/sim/state/registry_store.h"
#include "platform/sim/state/service_state.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

// The key at HKLM\<path>, or null.
const reg::Key* FindLocalMachineKey(reg::Tree& tree, const std::string& path) {
    std::vector<std::string> parts{"HKEY_LOCAL_MACHINE"};
    if (!reg::SplitKeyPath(path, parts)) return nullptr;
    return tree.Find(parts);
}

// A REG_SZ or REG_EXPAND_SZ value's text up to its terminator; empty for another type.
std::string TextOf(const reg::Value& value) {
    if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) return {};
    std::string text(value.data.begin(), value.data.end());
    return text.substr(0, text.find('\0'));
}

bool IsFullPath(const std::string& text) {
    return text.size() >= 3 && text[1] == ':' && (text[2] == '\\' || text[2] == '/');
}

// The "Driver" file of each subkey of `parent`, placed in `directory` unless a full path.
void AddDriverFiles(reg::Tree& tree, const std::string& parent, const std::string& directory,
                    std::vector<std::string>& out) {
    const reg::Key* key = FindLocalMachineKey(tree, parent);
    if (!key) return;
    for (const auto& [folded, component] : key->subkeys) {
        const reg::Value* driver = component->FindValue("Driver");
        const std::string file = driver ? TextOf(*driver) : std::string();
        if (file.empty()) continue;
        out.push_back(IsFullPath(file) ? file : directory + "\\" + file);
    }
}

}  // namespace

NativeEnvironment NativeEnvironmentOf(const MachineSettings& settings) {
    if (settings.architecture == PROCESSOR_ARCHITECTURE_AMD64) return {"Windows x64", "x64"};
    if (settings.architecture == 6) return {"Windows IA64", "ia64"};
    return {"Windows NT x86", "w32x86"};
}

std::vector<std::string> SpoolerHeldModules(const Machine& machine) {
    std::vector<std::string> held;
    if (machine.settings().platformId != VER_PLATFORM_WIN32_NT) return held;
    MachineLock lock(machine.dir());
    if (!SpoolerHoldsModules(machine)) return held;
    const std::string system = machine.settings().systemDir();
    const NativeEnvironment env = NativeEnvironmentOf(machine.settings());
    UpdateRegistry(machine, [&](reg::Tree& tree, bool&) -> std::int32_t {
        AddDriverFiles(tree, print_keys::kMonitors, system, held);
        AddDriverFiles(tree,
                       std::string(print_keys::kEnvironments) + "\\" + env.name +
                           "\\Print Processors",
                       system + "\\spool\\prtprocs\\" + env.directory, held);
        return ERROR_SUCCESS;
    });
    return held;
}

}  // namespace sim
