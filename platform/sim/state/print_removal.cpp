// The print provider's deletions: printers, monitors, print processors and drivers, each
// refused while something still uses it.
#include <algorithm>
#include <set>
#include <system_error>

#include "common/text.h"
#include "platform/sim/state/print_environments.h"
#include "platform/sim/state/print_provider.h"
#include "platform/sim/state/print_values.h"
#include "platform/sim/state/reg_tree.h"
#include "platform/sim/state/registry_store.h"
#include "platform/win_constants.h"

namespace sim {

namespace fs = std::filesystem;
using namespace print_values;

namespace {

// The monitors Windows brings; the simulator keeps them, as the system needs them.
constexpr const char* kBuiltInMonitors[] = {"Local Port", "Standard TCP/IP Port", "USB Monitor"};

bool SameName(const std::string& a, const std::string& b) { return reg::Fold(a) == reg::Fold(b); }

// Removes one key; ERROR_SUCCESS also when it was gone already.
std::uint32_t RemoveKeys(const Machine& machine, const std::vector<std::vector<std::string>>& keys) {
    return static_cast<std::uint32_t>(UpdateRegistry(machine, [&](reg::Tree& tree, bool& changed) {
        for (const auto& key : keys) changed = tree.Remove(key) || changed;
        return ERROR_SUCCESS;
    }));
}

// Every file a driver's key names, by bare name.
std::vector<std::string> FilesOf(const SimDriver& d) {
    std::vector<std::string> files = {d.driverPath, d.dataFile, d.configFile, d.helpFile};
    files.insert(files.end(), d.dependentFiles.begin(), d.dependentFiles.end());
    files.erase(std::remove(files.begin(), files.end(), std::string()), files.end());
    return files;
}

}  // namespace

std::uint32_t PrintProvider::DeletePrinter(const std::string& name) const {
    MachineLock lock(machine_.dir());
    const auto printer = FindPrinter(name);
    if (!printer) return ERROR_INVALID_PRINTER_NAME;
    return RemoveKeys(machine_, {HklmKey(print_keys::kPrinters, printer->name)});
}

std::uint32_t PrintProvider::DeleteMonitor(const std::string& name) const {
    MachineLock lock(machine_.dir());
    const auto monitors = Monitors();
    const auto monitor = std::find_if(monitors.begin(), monitors.end(),
                                      [&](const SimMonitor& m) { return SameName(m.name, name); });
    if (monitor == monitors.end()) return ERROR_UNKNOWN_PRINT_MONITOR;
    std::set<std::string> ports;
    for (const SimPort& port : Ports())
        if (SameName(port.monitor, monitor->name)) ports.insert(reg::Fold(port.name));
    for (const SimPrinter& printer : Printers())
        if (ports.count(reg::Fold(printer.port))) return ERROR_PRINT_MONITOR_IN_USE;
    for (const char* builtIn : kBuiltInMonitors)
        if (SameName(builtIn, monitor->name)) return ERROR_ACCESS_DENIED;
    return RemoveKeys(machine_, {HklmKey(print_keys::kMonitors, monitor->name)});
}

std::uint32_t PrintProvider::DeleteProcessor(const std::string& environment,
                                             const std::string& name) const {
    const auto env = FindPrintEnvironment(machine_.settings(), environment);
    if (!env) return ERROR_INVALID_ENVIRONMENT;
    MachineLock lock(machine_.dir());
    const auto processors = Processors();
    const auto processor = std::find_if(processors.begin(), processors.end(), [&](const SimProcessor& p) {
        return SameName(p.environment, env->name) && SameName(p.name, name);
    });
    if (processor == processors.end()) return ERROR_UNKNOWN_PRINTPROCESSOR;
    if (env->native)
        for (const SimPrinter& printer : Printers())
            if (SameName(printer.processor, processor->name)) return ERROR_CAN_NOT_COMPLETE;
    return RemoveKeys(machine_, {HklmKey(std::string(print_keys::kEnvironments) + "\\" + env->name +
                                             "\\Print Processors",
                                         processor->name)});
}

std::uint32_t PrintProvider::DeleteDriver(const std::string& environment, const std::string& name,
                                          std::optional<std::uint32_t> version,
                                          bool deleteFiles) const {
    const MachineSettings& settings = machine_.settings();
    const auto env = FindPrintEnvironment(settings, environment);
    if (!env) return ERROR_INVALID_ENVIRONMENT;
    MachineLock lock(machine_.dir());
    std::vector<SimDriver> removed, remaining;
    for (const SimDriver& d : Drivers()) {
        if (!SameName(d.environment, env->name)) continue;
        const bool chosen = SameName(d.name, name) && (!version || d.version == *version);
        (chosen ? removed : remaining).push_back(d);
    }
    if (removed.empty()) return ERROR_UNKNOWN_PRINTER_DRIVER;
    if (env->native)
        for (const SimPrinter& printer : Printers())
            if (SameName(printer.driver, name)) return ERROR_PRINTER_DRIVER_IN_USE;
    std::vector<std::vector<std::string>> keys;
    for (const SimDriver& d : removed)
        keys.push_back(HklmKey(std::string(print_keys::kEnvironments) + "\\" + env->name +
                                   "\\Drivers\\Version-" + std::to_string(d.version),
                               d.name));
    const std::uint32_t result = RemoveKeys(machine_, keys);
    if (result != ERROR_SUCCESS || !deleteFiles) return result;
    // A file another driver of the environment still names stays, whichever version it is of.
    std::set<std::string> kept;
    for (const SimDriver& d : remaining)
        for (const std::string& file : FilesOf(d)) kept.insert(reg::Fold(file));
    for (const SimDriver& d : removed)
        for (const std::string& file : FilesOf(d)) {
            if (kept.count(reg::Fold(file))) continue;
            std::error_code ec;
            fs::remove(machine_.HostPath(DriverVersionDirectory(settings, *env, d.version) + "\\" +
                                         file),
                       ec);  // a file gone already is no failure: the driver is gone either way
        }
    return ERROR_SUCCESS;
}

}  // namespace sim
