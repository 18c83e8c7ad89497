// The print provider's drivers, port monitors and print processors: checked, their files put
// in place and their keys written as the spooler keeps them.
#include <algorithm>
#include <map>
#include <system_error>

#include "platform/sim/state/print_environments.h"
#include "platform/sim/state/print_provider.h"
#include "platform/sim/state/print_values.h"
#include "platform/sim/state/registry_store.h"
#include "platform/win_constants.h"

namespace sim {

namespace fs = std::filesystem;
using namespace print_values;

namespace {

std::string FileNameOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsFileAt(const Machine& machine, const std::string& windowsPath) {
    const fs::path host = machine.HostPath(windowsPath);
    std::error_code ec;
    return !host.empty() && fs::is_regular_file(host, ec);
}

std::string VersionKeyName(std::uint32_t version) { return "Version-" + std::to_string(version); }

// Where one of a driver's files is now, and whether it must be moved or copied into place.
struct DriverFile {
    std::string name;    // the bare file name
    std::string source;  // Windows path it is at; empty when it is in the version directory
    bool move = false;   // moved out of the driver directory (else copied from elsewhere)
};

// Finds the file as AddPrinterDriver does: a bare name in the driver directory or already in
// the version directory, a full path where it says. False when it is in neither.
bool LocateDriverFile(const Machine& machine, const std::string& given,
                      const std::string& driverDir, const std::string& versionDir,
                      DriverFile& out) {
    out.name = FileNameOf(given);
    if (out.name.empty()) return false;
    if (given.find_first_of("\\/") != std::string::npos) {
        const std::string dir = given.substr(0, given.size() - out.name.size() - 1);
        if (reg::Fold(dir) == reg::Fold(versionDir)) {
            out.source.clear();
            return IsFileAt(machine, given);
        }
        out.source = given;
        out.move = reg::Fold(dir) == reg::Fold(driverDir);
        return IsFileAt(machine, given);
    }
    if (IsFileAt(machine, driverDir + "\\" + out.name)) {
        out.source = driverDir + "\\" + out.name;
        out.move = true;
        return true;
    }
    out.source.clear();
    return IsFileAt(machine, versionDir + "\\" + out.name);
}

// Moves or copies the file into the version directory, replacing what is there.
bool PlaceDriverFile(const Machine& machine, const DriverFile& file, const std::string& versionDir) {
    if (file.source.empty() || reg::Fold(versionDir) == reg::Fold(file.source.substr(
                                   0, file.source.size() - file.name.size() - 1)))
        return true;
    const fs::path from = machine.HostPath(file.source);
    std::error_code ec;
    if (!fs::exists(from, ec)) return true;  // listed twice: moved already
    const fs::path dir = machine.HostPath(versionDir);
    fs::create_directories(dir, ec);
    const fs::path to = machine.HostPath(versionDir + "\\" + file.name);
    if (to.empty()) return false;
    if (file.move) {
        fs::rename(from, to, ec);
    } else {
        fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    }
    return !ec;
}

}  // namespace

// ---- Drivers ----

std::uint32_t PrintProvider::AddDriver(const SimDriver& d) const {
    const MachineSettings& settings = machine_.settings();
    const auto env = FindPrintEnvironment(settings, d.environment);
    if (!env) return ERROR_INVALID_ENVIRONMENT;
    if (d.name.empty() || d.driverPath.empty() || d.dataFile.empty() || d.configFile.empty())
        return ERROR_INVALID_PARAMETER;
    if (std::find(env->versions.begin(), env->versions.end(), d.version) == env->versions.end())
        return ERROR_INVALID_PARAMETER;
    MachineLock lock(machine_.dir());
    if (!d.monitor.empty()) {
        const auto monitors = Monitors();
        if (std::none_of(monitors.begin(), monitors.end(), [&](const SimMonitor& m) {
                return reg::Fold(m.name) == reg::Fold(d.monitor);
            }))
            return ERROR_UNKNOWN_PRINT_MONITOR;
    }
    const std::string driverDir = DriverDirectory(settings, *env);
    const std::string versionDir = DriverVersionDirectory(settings, *env, d.version);
    std::vector<std::string> given = {d.driverPath, d.dataFile, d.configFile};
    if (!d.helpFile.empty()) given.push_back(d.helpFile);
    given.insert(given.end(), d.dependentFiles.begin(), d.dependentFiles.end());
    // Every file is found before any is moved, so a missing one changes nothing.
    std::vector<DriverFile> files;
    for (const std::string& name : given) {
        DriverFile file;
        if (!LocateDriverFile(machine_, name, driverDir, versionDir, file))
            return ERROR_FILE_NOT_FOUND;
        files.push_back(file);
    }
    for (const DriverFile& file : files)
        if (!PlaceDriverFile(machine_, file, versionDir)) return ERROR_ACCESS_DENIED;

    std::vector<std::string> dependents;
    for (const std::string& name : d.dependentFiles) dependents.push_back(FileNameOf(name));
    const std::vector<std::string> key =
        HklmKey(std::string(print_keys::kEnvironments) + "\\" + env->name + "\\Drivers\\" +
                    VersionKeyName(d.version),
                d.name);
    return static_cast<std::uint32_t>(UpdateRegistry(machine_, [&](reg::Tree& tree, bool& changed) {
        tree.Remove(key);  // a driver added again replaces the old record
        bool created = false;
        reg::Key& k = tree.Create(key, created);
        k.SetValue("Driver", REG_SZ, TextBytes(FileNameOf(d.driverPath)));
        k.SetValue("Data File", REG_SZ, TextBytes(FileNameOf(d.dataFile)));
        k.SetValue("Configuration File", REG_SZ, TextBytes(FileNameOf(d.configFile)));
        k.SetValue("Help File", REG_SZ, TextBytes(FileNameOf(d.helpFile)));
        k.SetValue("Dependent Files", REG_MULTI_SZ, NamesBytes(dependents));
        k.SetValue("Monitor", REG_SZ, TextBytes(d.monitor));
        k.SetValue("Datatype", REG_SZ, TextBytes(d.dataType));
        k.SetValue("Version", REG_DWORD, NumberBytes(d.version));
        changed = true;
        return ERROR_SUCCESS;
    }));
}

std::vector<SimDriver> PrintProvider::Drivers() const {
    std::vector<SimDriver> out;
    const std::vector<PrintEnvironment> envs = PrintEnvironments(machine_.settings());
    UpdateRegistry(machine_, [&](reg::Tree& tree, bool&) {
        for (const PrintEnvironment& env : envs) {
            reg::Key* drivers =
                tree.Find(HklmKey(std::string(print_keys::kEnvironments) + "\\" + env.name,
                                  "Drivers"));
            if (!drivers) continue;
            for (std::uint32_t version : env.versions) {
                reg::Key* versionKey = drivers->Child(VersionKeyName(version));
                if (!versionKey) continue;
                for (const auto& [folded, k] : versionKey->subkeys)
                    out.push_back({k->name, env.name, version, Text(*k, "Driver"),
                                   Text(*k, "Data File"), Text(*k, "Configuration File"),
                                   Text(*k, "Help File"), Names(*k, "Dependent Files"),
                                   Text(*k, "Monitor"), Text(*k, "Datatype")});
            }
        }
        return ERROR_SUCCESS;
    });
    return out;
}

bool PrintProvider::HasDriver(const std::string& environment, const std::string& name) const {
    for (const SimDriver& d : Drivers())
        if (reg::Fold(d.environment) == reg::Fold(environment) && reg::Fold(d.name) == reg::Fold(name))
            return true;
    return false;
}

// ---- Monitors ----

std::uint32_t PrintProvider::AddMonitor(const std::string& name, const std::string& dll) const {
    if (name.empty() || dll.empty()) return ERROR_INVALID_PARAMETER;
    MachineLock lock(machine_.dir());
    const auto monitors = Monitors();
    if (std::any_of(monitors.begin(), monitors.end(),
                    [&](const SimMonitor& m) { return reg::Fold(m.name) == reg::Fold(name); }))
        return ERROR_PRINT_MONITOR_ALREADY_INSTALLED;
    // The spooler is a native process: it loads the DLL from the real system directory.
    if (!IsFileAt(machine_, machine_.settings().systemDir() + "\\" + FileNameOf(dll)))
        return ERROR_MOD_NOT_FOUND;
    const std::vector<std::string> key = HklmKey(print_keys::kMonitors, name);
    return static_cast<std::uint32_t>(UpdateRegistry(machine_, [&](reg::Tree& tree, bool& changed) {
        bool created = false;
        tree.Create(key, created).SetValue("Driver", REG_SZ, TextBytes(dll));
        changed = true;
        return ERROR_SUCCESS;
    }));
}

std::vector<SimMonitor> PrintProvider::Monitors() const {
    std::vector<SimMonitor> out;
    UpdateRegistry(machine_, [&](reg::Tree& tree, bool&) {
        if (reg::Key* monitors = tree.Find(HklmKey(print_keys::kMonitors)))
            for (const auto& [folded, k] : monitors->subkeys)
                out.push_back({k->name, Text(*k, "Driver"), Number(*k, "DriverVersion")});
        return ERROR_SUCCESS;
    });
    return out;
}

// ---- Print processors ----

std::uint32_t PrintProvider::AddProcessor(const std::string& environment, const std::string& name,
                                          const std::string& dll) const {
    const MachineSettings& settings = machine_.settings();
    const auto env = FindPrintEnvironment(settings, environment);
    if (!env) return ERROR_INVALID_ENVIRONMENT;
    if (name.empty() || dll.empty()) return ERROR_INVALID_PARAMETER;
    MachineLock lock(machine_.dir());
    if (HasProcessor(env->name, name)) return ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED;
    if (!IsFileAt(machine_, ProcessorDirectory(settings, *env) + "\\" + FileNameOf(dll)))
        return ERROR_MOD_NOT_FOUND;
    const std::vector<std::string> key = HklmKey(
        std::string(print_keys::kEnvironments) + "\\" + env->name + "\\Print Processors", name);
    return static_cast<std::uint32_t>(UpdateRegistry(machine_, [&](reg::Tree& tree, bool& changed) {
        bool created = false;
        tree.Create(key, created).SetValue("Driver", REG_SZ, TextBytes(FileNameOf(dll)));
        changed = true;
        return ERROR_SUCCESS;
    }));
}

std::vector<SimProcessor> PrintProvider::Processors() const {
    std::vector<SimProcessor> out;
    const std::vector<PrintEnvironment> envs = PrintEnvironments(machine_.settings());
    UpdateRegistry(machine_, [&](reg::Tree& tree, bool&) {
        for (const PrintEnvironment& env : envs)
            if (reg::Key* processors = tree.Find(HklmKey(
                    std::string(print_keys::kEnvironments) + "\\" + env.name, "Print Processors")))
                for (const auto& [folded, k] : processors->subkeys)
                    out.push_back({k->name, env.name, Text(*k, "Driver")});
        return ERROR_SUCCESS;
    });
    return out;
}

bool PrintProvider::HasProcessor(const std::string& environment, const std::string& name) const {
    for (const SimProcessor& p : Processors())
        if (reg::Fold(p.environment) == reg::Fold(environment) && reg::Fold(p.name) == reg::Fold(name))
            return true;
    return false;
}

}  // namespace sim
