// The machine's registry file as a tree: loaded, changed and saved in one step under the machine lock.
#include "platform/sim/state/registry_store.h"

#include <cstdio>
#include <string>
#include <vector>

#include "platform/sim/state/host_file.h"
#include "platform/sim/state/reg_file.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

std::vector<std::vector<std::string>> BaseKeys(bool is64Bit) {
    std::vector<std::vector<std::string>> keys = {
        {"HKEY_LOCAL_MACHINE", "SOFTWARE", "Classes"},
        {"HKEY_LOCAL_MACHINE", "SYSTEM"},
        {"HKEY_CURRENT_USER", "Software"},
        {"HKEY_USERS"},
    };
    if (is64Bit) keys.push_back({"HKEY_LOCAL_MACHINE", "SOFTWARE", "Wow6432Node", "Classes"});
    return keys;
}

}  // namespace

std::int32_t UpdateRegistry(const Machine& machine,
                            const std::function<std::int32_t(reg::Tree& tree, bool& changed)>& change) {
    MachineLock lock(machine.dir());
    reg::Tree tree;
    std::string text;
    if (ReadWholeFile(machine.registryFile(), text)) {
        std::string error;
        if (!reg::ParseRegistry(text, tree, error)) {
            std::fprintf(stderr, "simulated registry %s: %s\n",
                         machine.registryFile().string().c_str(), error.c_str());
            return ERROR_CANTREAD;
        }
    }
    // The keys every Windows machine has exist whether or not the file names them yet.
    bool created = false;
    for (const auto& base : BaseKeys(machine.settings().is64Bit())) tree.Create(base, created);

    bool changed = false;
    const std::int32_t result = change(tree, changed);
    if (changed && !ReplaceWholeFile(machine.registryFile(), reg::FormatRegistry(tree))) {
        std::fprintf(stderr, "simulated registry: cannot write %s\n",
                     machine.registryFile().string().c_str());
        return ERROR_CANTWRITE;
    }
    return result;
}

}  // namespace sim
