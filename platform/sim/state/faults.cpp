// Injected registry faults: a machine-wide list of key paths whose registry calls fail with a given error.
#include "platform/sim/state/faults.h"

#include <cstdio>
#include <sstream>
#include <system_error>

#include "platform/sim/state/host_file.h"
#include "platform/sim/state/reg_tree.h"
#include "platform/win_constants.h"

namespace sim {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> SplitPath(std::string_view path) {
    std::vector<std::string> parts;
    std::size_t pos = 0;
    while (pos <= path.size()) {
        std::size_t sep = path.find('\\', pos);
        if (sep == std::string_view::npos) sep = path.size();
        if (sep > pos) parts.emplace_back(path.substr(pos, sep - pos));
        pos = sep + 1;
    }
    return parts;
}

// The fault's path in the form calls are matched on: full root names, HKCR where it lives.
std::vector<std::string> CanonicalPath(std::string_view path) {
    std::vector<std::string> parts = SplitPath(path);
    if (parts.empty()) return parts;
    std::string root = reg::Fold(parts.front());
    std::vector<std::string> out;
    if (root == "HKLM") out = {"HKEY_LOCAL_MACHINE"};
    else if (root == "HKCU") out = {"HKEY_CURRENT_USER"};
    else if (root == "HKU") out = {"HKEY_USERS"};
    else if (root == "HKCR" || root == "HKEY_CLASSES_ROOT") out = {"HKEY_LOCAL_MACHINE", "SOFTWARE", "Classes"};
    else out = {parts.front()};
    out.insert(out.end(), parts.begin() + 1, parts.end());
    return out;
}

bool Applies(const RegistryFault& fault, std::string_view operation,
             const std::vector<std::string>& keyPath) {
    if (fault.operation != "*" && reg::Fold(fault.operation) != reg::Fold(operation)) return false;
    std::vector<std::string> prefix = CanonicalPath(fault.keyPath);
    if (prefix.size() > keyPath.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (reg::Fold(prefix[i]) != reg::Fold(keyPath[i])) return false;
    return true;
}

bool Load(const Machine& machine, std::vector<RegistryFault>& faults, std::string& error) {
    std::error_code ec;
    fs::path file = RegistryFaultsFile(machine);
    if (!fs::exists(file, ec)) return true;
    std::string text;
    if (!ReadWholeFile(file, text)) {
        error = "cannot read " + file.string();
        return false;
    }
    return ParseRegistryFaults(text, faults, error);
}

bool Save(const Machine& machine, const std::vector<RegistryFault>& faults, std::string& error) {
    fs::path file = RegistryFaultsFile(machine);
    std::error_code ec;
    if (faults.empty()) {
        fs::remove(file, ec);
        return true;
    }
    if (!ReplaceWholeFile(file, FormatRegistryFaults(faults))) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}

}  // namespace

const std::vector<std::string>& RegistryFaultOperations() {
    static const std::vector<std::string> operations = {
        "CreateKey", "OpenKey",     "DeleteKey", "SetValue",
        "QueryValue", "DeleteValue", "EnumKeys", "EnumValues"};
    return operations;
}

bool IsRegistryFaultPath(std::string_view keyPath) {
    std::vector<std::string> parts = SplitPath(keyPath);
    if (parts.empty()) return false;
    const std::string root = reg::Fold(parts.front());
    for (const char* name : {"HKLM", "HKEY_LOCAL_MACHINE", "HKCU", "HKEY_CURRENT_USER", "HKU",
                             "HKEY_USERS", "HKCR", "HKEY_CLASSES_ROOT"})
        if (root == name) return true;
    return false;
}

bool ReadRegistryFaults(const Machine& machine, std::vector<RegistryFault>& out,
                        std::string& error) {
    MachineLock lock(machine.dir());
    out.clear();
    return Load(machine, out, error);
}

fs::path RegistryFaultsFile(const Machine& machine) {
    return machine.stateDir() / "registry-faults.txt";
}

std::string FormatRegistryFaults(const std::vector<RegistryFault>& faults) {
    std::string out = "# operation error times key-path (times 0: every call)\n";
    for (const RegistryFault& f : faults)
        out += f.operation + " " + std::to_string(f.error) + " " + std::to_string(f.times) + " " +
               f.keyPath + "\n";
    return out;
}

bool ParseRegistryFaults(std::string_view text, std::vector<RegistryFault>& out,
                         std::string& error) {
    std::istringstream in{std::string(text)};
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#') continue;
        std::istringstream fields(line);
        RegistryFault f;
        long long code = 0;
        long long times = 0;
        if (!(fields >> f.operation >> code >> times) || code < 0 || code > 0x7FFFFFFF ||
            times < 0 || times > 0xFFFFFFFFLL) {
            error = "registry fault line " + std::to_string(lineNo) +
                    ": expected \"<operation> <error> <times> <key path>\"";
            return false;
        }
        std::getline(fields >> std::ws, f.keyPath);
        if (f.keyPath.empty()) {
            error = "registry fault line " + std::to_string(lineNo) + ": no key path";
            return false;
        }
        f.error = static_cast<std::int32_t>(code);
        f.times = static_cast<std::uint32_t>(times);
        out.push_back(f);
    }
    return true;
}

bool AddRegistryFault(const Machine& machine, const RegistryFault& fault, std::string& error) {
    if (fault.keyPath.empty() || fault.operation.empty()) {
        error = "a registry fault needs an operation and a key path";
        return false;
    }
    MachineLock lock(machine.dir());
    std::vector<RegistryFault> faults;
    if (!Load(machine, faults, error)) return false;
    faults.push_back(fault);
    return Save(machine, faults, error);
}

bool ClearRegistryFaults(const Machine& machine, std::string& error) {
    MachineLock lock(machine.dir());
    return Save(machine, {}, error);
}

std::int32_t TakeRegistryFault(const Machine& machine, std::string_view operation,
                               const std::vector<std::string>& keyPath) {
    std::vector<RegistryFault> faults;
    std::string error;
    if (!Load(machine, faults, error)) {
        std::fprintf(stderr, "simulated registry: %s\n", error.c_str());
        return ERROR_CANTREAD;
    }
    for (std::size_t i = 0; i < faults.size(); ++i) {
        if (!Applies(faults[i], operation, keyPath)) continue;
        std::int32_t code = faults[i].error;
        if (faults[i].times > 0) {
            if (--faults[i].times == 0) faults.erase(faults.begin() + static_cast<std::ptrdiff_t>(i));
            if (!Save(machine, faults, error))
                std::fprintf(stderr, "simulated registry: %s\n", error.c_str());
        }
        return code;
    }
    return ERROR_SUCCESS;
}

}  // namespace sim
