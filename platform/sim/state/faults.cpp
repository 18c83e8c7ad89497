// Injected call faults: one machine-wide list of Win32 calls that fail with a chosen error.
#include "platform/sim/state/faults.h"

#include <cstdio>
#include <sstream>
#include <system_error>

#include "common/text.h"
#include "platform/sim/state/host_file.h"
#include "platform/sim/state/line_escape.h"
#include "platform/sim/state/reg_tree.h"
#include "platform/sim/state/win_path.h"
#include "platform/win_constants.h"

namespace sim {

namespace fs = std::filesystem;

namespace {

// The files of machines made before the one list: registry faults named plat::Registry's
// methods and carried a key path; spooler faults named the call only.
fs::path LegacyRegistryFile(const Machine& machine) {
    return machine.stateDir() / "registry-faults.txt";
}
fs::path LegacySpoolerFile(const Machine& machine) {
    return machine.stateDir() / "spooler-faults.txt";
}

std::vector<std::string> SplitAtBackslashes(std::string_view path) {
    std::vector<std::string> parts;
    std::size_t pos = 0;
    while (pos <= path.size()) {
        std::size_t sep = path.find('\\', pos);
        if (sep == std::string_view::npos) sep = path.size();
        if (sep > pos) parts.push_back(reg::Fold(path.substr(pos, sep - pos)));
        pos = sep + 1;
    }
    return parts;
}

// A key path as calls reach it: long root names, HKCR where it lives, letter case folded.
std::vector<std::string> CanonicalKeyPath(std::string_view path) {
    std::vector<std::string> parts = SplitAtBackslashes(path);
    if (parts.empty()) return parts;
    const std::string root = parts.front();
    std::vector<std::string> out;
    if (root == "HKLM") out = {"HKEY_LOCAL_MACHINE"};
    else if (root == "HKCU") out = {"HKEY_CURRENT_USER"};
    else if (root == "HKU") out = {"HKEY_USERS"};
    else if (root == "HKCR" || root == "HKEY_CLASSES_ROOT")
        out = {"HKEY_LOCAL_MACHINE", "SOFTWARE", "CLASSES"};
    else out = {root};
    out.insert(out.end(), parts.begin() + 1, parts.end());
    return out;
}

// A file path on drive C as its components, the drive first, letter case folded. Empty when
// it names no path on drive C.
std::vector<std::string> CanonicalFilePath(std::string_view path) {
    const std::string absolute = AbsoluteWindowsPath("C:\\", std::string(path));
    if (absolute.empty()) return {};
    std::vector<std::string> parts = {reg::Fold(absolute.substr(0, 2))};
    for (const std::string& part : PathComponents(absolute)) parts.push_back(reg::Fold(part));
    return parts;
}

bool IsPrefix(const std::vector<std::string>& prefix, const std::vector<std::string>& path) {
    if (prefix.empty() || prefix.size() > path.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (prefix[i] != path[i]) return false;
    return true;
}

// One fault line: "<call> <error> <times>" and, when `withTarget`, the rest of the line. The
// error is a Win32 error code from 1: success is no fault.
bool ParseLine(const std::string& line, bool withTarget, CallFault& fault) {
    std::istringstream fields(line);
    long long code = 0, times = 0;
    if (!(fields >> fault.call >> code >> times) || code < 1 || code > 0xFFFFFFFFLL || times < 0 ||
        times > 0xFFFFFFFFLL)
        return false;
    fault.error = static_cast<std::uint32_t>(code);
    fault.times = static_cast<std::uint32_t>(times);
    std::string target;
    std::getline(fields >> std::ws, target);
    while (!target.empty() && (target.back() == ' ' || target.back() == '\t')) target.pop_back();
    fault.target = UnescapeLineField(target);
    return withTarget || fault.target.empty();
}

// Reads the lines of a fault file; `convert` turns each parsed line into the fault it stands for.
bool ParseLines(std::string_view text, const std::string& what, bool withTarget,
                const std::function<bool(CallFault&)>& convert, std::vector<CallFault>& out,
                std::string& error) {
    std::istringstream in{std::string(text)};
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#') continue;
        CallFault fault;
        if (!ParseLine(line, withTarget, fault) || !convert(fault)) {
            error = what + " line " + std::to_string(lineNo) +
                    (withTarget ? ": expected \"<call> <error> <times> [<target>]\""
                                : ": expected \"<call> <error> <times>\"");
            return false;
        }
        out.push_back(fault);
    }
    return true;
}

using FaultParser = bool (*)(std::string_view, std::vector<CallFault>&, std::string&);

bool LoadFile(const fs::path& file, FaultParser parse, std::vector<CallFault>& out,
              std::string& error) {
    std::error_code ec;
    if (!fs::exists(file, ec)) return true;
    std::string text;
    if (!ReadWholeFile(file, text)) {
        error = "cannot read " + file.string();
        return false;
    }
    if (!parse(text, out, error)) {
        error = file.string() + ": " + error;
        return false;
    }
    return true;
}

bool ParseLegacyRegistry(std::string_view text, std::vector<CallFault>& out, std::string& error) {
    auto convert = [](CallFault& fault) {
        fault.call = RegistryCallOfMethod(fault.call);
        return !fault.call.empty() && !fault.target.empty();
    };
    return ParseLines(text, "registry fault", true, convert, out, error);
}

bool ParseLegacySpooler(std::string_view text, std::vector<CallFault>& out, std::string& error) {
    return ParseLines(text, "spooler fault", false, [](CallFault&) { return true; }, out, error);
}

// Every fault: the one list, then those of the older files. The caller holds the machine lock.
bool Load(const Machine& machine, std::vector<CallFault>& faults, std::string& error) {
    faults.clear();
    return LoadFile(FaultsFile(machine), ParseFaults, faults, error) &&
           LoadFile(LegacyRegistryFile(machine), ParseLegacyRegistry, faults, error) &&
           LoadFile(LegacySpoolerFile(machine), ParseLegacySpooler, faults, error);
}

// Writes the one list (none when it is empty) and retires the older files.
bool Save(const Machine& machine, const std::vector<CallFault>& faults, std::string& error) {
    std::error_code ec;
    const fs::path file = FaultsFile(machine);
    if (faults.empty()) {
        fs::remove(file, ec);
    } else if (!ReplaceWholeFile(file, FormatFaults(faults))) {
        error = "cannot write " + file.string();
        return false;
    }
    fs::remove(LegacyRegistryFile(machine), ec);
    fs::remove(LegacySpoolerFile(machine), ec);
    return true;
}

// A call name is one word on its line: no blank and no control character.
bool IsOneWord(std::string_view name) {
    for (char c : name)
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7F) return false;
    return !name.empty();
}

bool AnyFaultFile(const Machine& machine) {
    std::error_code ec;
    return fs::exists(FaultsFile(machine), ec) || fs::exists(LegacyRegistryFile(machine), ec) ||
           fs::exists(LegacySpoolerFile(machine), ec);
}

}  // namespace

std::string RegistryCallOfMethod(std::string_view method) {
    static const std::pair<const char*, const char*> calls[] = {
        {"CreateKey", "RegCreateKeyExA"},   {"OpenKey", "RegOpenKeyExA"},
        {"DeleteKey", "RegDeleteKeyA"},     {"SetValue", "RegSetValueExA"},
        {"QueryValue", "RegQueryValueExA"}, {"DeleteValue", "RegDeleteValueA"},
        {"EnumKeys", "RegEnumKeyExA"},      {"EnumValues", "RegEnumValueA"},
        {"*", "Reg*"}};
    for (const auto& [name, call] : calls)
        if (common::EqualsNoCase(method, name)) return call;
    return {};
}

bool FaultNamesCall(const CallFault& fault, std::string_view call) {
    const std::string pattern = reg::Fold(fault.call);
    const std::string name = reg::Fold(call);
    if (!pattern.empty() && pattern.back() == '*')
        return name.compare(0, pattern.size() - 1, pattern, 0, pattern.size() - 1) == 0;
    return pattern == name;
}

bool FaultTargetCovers(std::string_view faultTarget, FaultTarget kind, std::string_view callTarget) {
    if (faultTarget.empty()) return true;
    switch (kind) {
        case FaultTarget::None: return false;
        case FaultTarget::KeyPath:
            return IsPrefix(CanonicalKeyPath(faultTarget), CanonicalKeyPath(callTarget));
        case FaultTarget::FilePath:
            return IsPrefix(CanonicalFilePath(faultTarget), CanonicalFilePath(callTarget));
        case FaultTarget::Name: return reg::Fold(faultTarget) == reg::Fold(callTarget);
    }
    return false;
}

bool IsKeyPath(std::string_view text) {
    const std::vector<std::string> parts = SplitAtBackslashes(text);
    if (parts.empty()) return false;
    for (const char* root : {"HKLM", "HKEY_LOCAL_MACHINE", "HKCU", "HKEY_CURRENT_USER", "HKU",
                             "HKEY_USERS", "HKCR", "HKEY_CLASSES_ROOT"})
        if (parts.front() == root) return true;
    return false;
}

fs::path FaultsFile(const Machine& machine) { return machine.stateDir() / "faults.txt"; }

std::string FormatFaults(const std::vector<CallFault>& faults) {
    std::string out = "# call error times [target] (times 0: every call)\n";
    for (const CallFault& f : faults)
        out += f.call + " " + std::to_string(f.error) + " " + std::to_string(f.times) +
               (f.target.empty() ? "" : " " + EscapeLineField(f.target)) + "\n";
    return out;
}

bool ParseFaults(std::string_view text, std::vector<CallFault>& out, std::string& error) {
    return ParseLines(text, "fault", true, [](CallFault&) { return true; }, out, error);
}

bool ReadFaults(const Machine& machine, std::vector<CallFault>& out, std::string& error) {
    MachineLock lock(machine.dir());
    return Load(machine, out, error);
}

bool AddFault(const Machine& machine, const CallFault& fault, std::string& error) {
    if (!IsOneWord(fault.call) || fault.error == 0) {
        error = "a fault names one call and an error code other than 0";
        return false;
    }
    MachineLock lock(machine.dir());
    std::vector<CallFault> faults;
    if (!Load(machine, faults, error)) return false;
    faults.push_back(fault);
    return Save(machine, faults, error);
}

bool ClearFaults(const Machine& machine, std::string& error,
                 const std::function<bool(const CallFault&)>& which) {
    MachineLock lock(machine.dir());
    std::vector<CallFault> faults;
    if (which && !Load(machine, faults, error)) return false;
    if (which) std::erase_if(faults, which);
    return Save(machine, faults, error);
}

std::uint32_t TakeFault(const Machine& machine, std::string_view call, FaultTarget kind,
                        std::string_view target) {
    // Most machines have no faults: that is answered without taking the lock.
    if (!AnyFaultFile(machine)) return ERROR_SUCCESS;
    MachineLock lock(machine.dir());
    std::vector<CallFault> faults;
    std::string error;
    if (!Load(machine, faults, error)) {
        std::fprintf(stderr, "simulated machine: %s\n", error.c_str());
        return ERROR_CANTREAD;
    }
    for (std::size_t i = 0; i < faults.size(); ++i) {
        if (!FaultNamesCall(faults[i], call) || !FaultTargetCovers(faults[i].target, kind, target))
            continue;
        const std::uint32_t code = faults[i].error;
        if (faults[i].times > 0) {
            if (--faults[i].times == 0) faults.erase(faults.begin() + static_cast<std::ptrdiff_t>(i));
            if (!Save(machine, faults, error))
                std::fprintf(stderr, "simulated machine: %s\n", error.c_str());
        }
        return code;
    }
    return ERROR_SUCCESS;
}

}  // namespace sim
