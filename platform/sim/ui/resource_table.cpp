// The process-wide table of the modules' embedded resource scripts, and reading scripts from disk.
#include "platform/sim/ui/resource_table.h"

#include <map>
#include <mutex>

#include "platform/sim/state/host_file.h"

namespace sim {

namespace fs = std::filesystem;

namespace {

// One module's resources: one entry per registered script (its file name, then every file by
// name), and the merged result once parsed.
struct ModuleScripts {
    std::vector<std::pair<std::string, std::map<std::string, std::string>>> scripts;
    bool parsed = false;
    RcScript merged;
    std::string error;
};

struct Table {
    std::mutex mutex;
    std::map<plat::ModuleRef, ModuleScripts> modules;
};

Table& TheTable() {
    static Table table;
    return table;
}

std::string Normal(const std::string& path) {
    return fs::path(path).lexically_normal().generic_string();
}

// #include "NAME" from a file: beside that file first, then from the top of the tree.
std::optional<std::string> FindEmbedded(const std::map<std::string, std::string>& files,
                                        const std::string& name, const std::string& from) {
    std::string beside = Normal((fs::path(from).parent_path() / name).generic_string());
    for (const std::string& candidate : {beside, Normal(name)}) {
        auto it = files.find(candidate);
        if (it != files.end()) return it->second;
    }
    return std::nullopt;
}

std::optional<std::string> ReadWhole(const fs::path& path) {
    std::string text;
    if (!ReadWholeFile(path, text)) return std::nullopt;
    return text;
}

void Parse(ModuleScripts& module) {
    module.parsed = true;
    module.error.clear();
    module.merged = RcScript();
    for (const auto& [name, files] : module.scripts) {
        RcScript one;
        RcIncludeSource includes = [&files = files](const std::string& include, const std::string& from) {
            return FindEmbedded(files, include, from);
        };
        if (!ParseResourceScript(files.at(name), name, includes, one, module.error)) return;
        for (auto& [id, dialog] : one.dialogs) {
            if (module.merged.dialogs.count(id)) {
                module.error = name + ": dialog " + std::to_string(id) + " is also in another script";
                return;
            }
            module.merged.dialogs[id] = std::move(dialog);
        }
        module.merged.strings.merge(one.strings);
        module.merged.symbols.merge(one.symbols);
        for (auto& other : one.others) module.merged.others.push_back(std::move(other));
    }
}

}  // namespace

bool RegisterResourceScript(plat::ModuleRef module, std::initializer_list<EmbeddedResourceFile> files) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    std::map<std::string, std::string> byName;
    std::string script;
    for (const EmbeddedResourceFile& f : files) {
        if (script.empty()) script = Normal(f.name);
        byName[Normal(f.name)] = std::string(reinterpret_cast<const char*>(f.bytes), f.size);
    }
    ModuleScripts& entry = table.modules[module];
    entry.scripts.emplace_back(script, std::move(byName));
    entry.parsed = false;
    return true;
}

void UnregisterResources(plat::ModuleRef module) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    table.modules.erase(module);
}

const RcScript* ModuleResources(plat::ModuleRef module, std::string& error) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    auto it = table.modules.find(module);
    if (it == table.modules.end()) {
        // A module without resources has no templates, as a DLL without a resource section.
        static const RcScript none;
        return &none;
    }
    if (!it->second.parsed) Parse(it->second);
    if (!it->second.error.empty()) {
        error = it->second.error;
        return nullptr;
    }
    return &it->second.merged;
}

bool ParseResourceScriptFile(const fs::path& file, const std::vector<fs::path>& includeRoots,
                             RcScript& out, std::string& error) {
    std::optional<std::string> text = ReadWhole(file);
    if (!text) {
        error = file.string() + ": cannot be read";
        return false;
    }
    RcIncludeSource includes = [&](const std::string& name, const std::string& from) {
        std::optional<std::string> found = ReadWhole(fs::path(from).parent_path() / name);
        for (size_t i = 0; !found && i < includeRoots.size(); ++i)
            found = ReadWhole(includeRoots[i] / name);
        return found;
    };
    return ParseResourceScript(*text, file.string(), includes, out, error);
}

}  // namespace sim
