// The simulated registry: every call loads registry.reg, changes it and saves it under the machine lock.
#include "platform/sim/api/registry.h"

#include "platform/sim/api/call_faults.h"
#include "platform/sim/state/reg_tree.h"
#include "platform/sim/state/registry_store.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

// The components of a key path below its root. A trailing backslash is allowed; an empty
// component elsewhere (a leading or doubled backslash) is not a key name.
bool SplitKeyPath(const char* path, std::vector<std::string>& parts) {
    std::string_view p = path ? path : "";
    if (!p.empty() && p.back() == '\\') p.remove_suffix(1);
    return p.empty() || reg::SplitKeyPath(p, parts);
}

std::vector<std::string> RootPath(plat::RegRoot root) {
    switch (root) {
        case plat::RegRoot::ClassesRoot: return {"HKEY_LOCAL_MACHINE", "SOFTWARE", "Classes"};
        case plat::RegRoot::CurrentUser: return {"HKEY_CURRENT_USER"};
        case plat::RegRoot::LocalMachine: return {"HKEY_LOCAL_MACHINE"};
        case plat::RegRoot::Users: return {"HKEY_USERS"};
    }
    return {};
}

}  // namespace

SimRegistry::SimRegistry(const Machine& machine, const ProcessContext& process)
    : machine_(machine), process_(process) {}

std::int32_t SimRegistry::Run(const char* call, plat::RegRoot root, const char* path,
                              plat::RegView view, const Operation& operation) {
    std::vector<std::string> below;
    if (!SplitKeyPath(path, below)) return ERROR_BAD_PATHNAME;
    std::vector<std::string> key = RootPath(root);
    key.insert(key.end(), below.begin(), below.end());

    // On a 64-bit machine the 32-bit view keeps its own HKLM\SOFTWARE below Wow6432Node; a
    // path that names Wow6432Node itself is taken as it is.
    bool view32 = view == plat::RegView::View32 ||
                  (view == plat::RegView::Default && process_.bits == 32);
    if (machine_.settings().is64Bit() && view32 && key.size() >= 2 &&
        reg::Fold(key[0]) == "HKEY_LOCAL_MACHINE" && reg::Fold(key[1]) == "SOFTWARE" &&
        !(key.size() >= 3 && reg::Fold(key[2]) == "WOW6432NODE"))
        key.insert(key.begin() + 2, "Wow6432Node");

    MachineLock lock(machine_.dir());
    std::string keyPath;
    for (const std::string& part : key) keyPath += (keyPath.empty() ? "" : "\\") + part;
    if (std::uint32_t fault = InjectedFault(machine_, call, keyPath); fault != ERROR_SUCCESS)
        return static_cast<std::int32_t>(fault);

    return UpdateRegistry(machine_, [&](reg::Tree& tree, bool& changed) {
        return operation(tree, key, changed);
    });
}

std::int32_t SimRegistry::CreateKey(plat::RegRoot root, const char* path, plat::RegView view) {
    return Run("RegCreateKeyExA", root, path, view,
               [](reg::Tree& tree, const std::vector<std::string>& key, bool& changed) {
                   tree.Create(key, changed);
                   return ERROR_SUCCESS;
               });
}

std::int32_t SimRegistry::OpenKey(plat::RegRoot root, const char* path, plat::RegView view) {
    return Run("RegOpenKeyExA", root, path, view,
               [](reg::Tree& tree, const std::vector<std::string>& key, bool&) {
                   return tree.Find(key) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
               });
}

std::int32_t SimRegistry::DeleteKey(plat::RegRoot root, const char* path, plat::RegView view) {
    std::vector<std::string> below;
    if (SplitKeyPath(path, below) && below.empty()) return ERROR_ACCESS_DENIED;  // a root
    return Run("RegDeleteKeyA", root, path, view,
               [](reg::Tree& tree, const std::vector<std::string>& key, bool& changed) {
                   reg::Key* k = tree.Find(key);
                   if (!k) return ERROR_FILE_NOT_FOUND;
                   if (!k->subkeys.empty()) return ERROR_ACCESS_DENIED;
                   changed = tree.Remove(key);
                   return ERROR_SUCCESS;
               });
}

std::int32_t SimRegistry::SetValue(plat::RegRoot root, const char* path, const char* name,
                                   std::uint32_t type, const std::vector<std::uint8_t>& data,
                                   plat::RegView view) {
    std::string valueName = name ? name : "";
    return Run("RegSetValueExA", root, path, view,
               [&](reg::Tree& tree, const std::vector<std::string>& key, bool& changed) {
                   reg::Key* k = tree.Find(key);
                   if (!k) return ERROR_FILE_NOT_FOUND;
                   k->SetValue(valueName, type, data);
                   changed = true;
                   return ERROR_SUCCESS;
               });
}

std::int32_t SimRegistry::QueryValue(plat::RegRoot root, const char* path, const char* name,
                                     std::uint32_t& type, std::vector<std::uint8_t>& data,
                                     plat::RegView view) {
    std::string valueName = name ? name : "";
    return Run("RegQueryValueExA", root, path, view,
               [&](reg::Tree& tree, const std::vector<std::string>& key, bool&) {
                   reg::Key* k = tree.Find(key);
                   reg::Value* v = k ? k->FindValue(valueName) : nullptr;
                   if (!v) return ERROR_FILE_NOT_FOUND;
                   type = v->type;
                   data = v->data;
                   return ERROR_SUCCESS;
               });
}

std::int32_t SimRegistry::DeleteValue(plat::RegRoot root, const char* path, const char* name,
                                      plat::RegView view) {
    std::string valueName = name ? name : "";
    return Run("RegDeleteValueA", root, path, view,
               [&](reg::Tree& tree, const std::vector<std::string>& key, bool& changed) {
                   reg::Key* k = tree.Find(key);
                   if (!k || k->values.erase(reg::Fold(valueName)) == 0) return ERROR_FILE_NOT_FOUND;
                   changed = true;
                   return ERROR_SUCCESS;
               });
}

std::int32_t SimRegistry::EnumKeys(plat::RegRoot root, const char* path,
                                   std::vector<std::string>& out, plat::RegView view) {
    out.clear();
    return Run("RegEnumKeyExA", root, path, view,
               [&](reg::Tree& tree, const std::vector<std::string>& key, bool&) {
                   reg::Key* k = tree.Find(key);
                   if (!k) return ERROR_FILE_NOT_FOUND;
                   for (const auto& entry : k->subkeys) out.push_back(entry.second->name);
                   return ERROR_SUCCESS;
               });
}

std::int32_t SimRegistry::EnumValues(plat::RegRoot root, const char* path,
                                     std::vector<std::string>& out, plat::RegView view) {
    out.clear();
    return Run("RegEnumValueA", root, path, view,
               [&](reg::Tree& tree, const std::vector<std::string>& key, bool&) {
                   reg::Key* k = tree.Find(key);
                   if (!k) return ERROR_FILE_NOT_FOUND;
                   for (const auto& entry : k->values) out.push_back(entry.second.name);
                   return ERROR_SUCCESS;
               });
}

}  // namespace sim
