// What a new machine's print system holds before anything is installed.
#include "platform/sim/state/print_seed.h"

#include <filesystem>
#include <system_error>

#include "platform/sim/state/host_file.h"
#include "platform/sim/state/print_environments.h"
#include "platform/sim/state/print_provider.h"
#include "platform/sim/state/print_values.h"
#include "platform/sim/state/registry_store.h"
#include "platform/win_constants.h"

namespace sim {

namespace fs = std::filesystem;
using namespace print_values;

namespace {

struct SeedMonitor {
    const char* name;
    const char* dll;
};

// A system DLL is a small stand-in file that says what it is.
bool WriteStandInDll(const Machine& machine, const std::string& windowsPath, std::string& error) {
    const fs::path host = machine.HostPath(windowsPath);
    std::error_code ec;
    fs::create_directories(host.parent_path(), ec);
    if (ReplaceWholeFile(host, "Stand-in for the system file " + windowsPath + "\r\n")) return true;
    error = "cannot write " + host.string();
    return false;
}

bool MakeDirectory(const Machine& machine, const std::string& windowsPath, std::string& error) {
    std::error_code ec;
    fs::create_directories(machine.HostPath(windowsPath), ec);
    if (!ec) return true;
    error = "cannot create " + windowsPath + ": " + ec.message();
    return false;
}

}  // namespace

bool SeedPrintSystem(const Machine& machine, std::string& error) {
    const MachineSettings& s = machine.settings();
    const bool nt = s.platformId == 2;
    const std::vector<PrintEnvironment> envs = PrintEnvironments(s);
    std::vector<SeedMonitor> monitors = {{"Local Port", "localspl.dll"}};
    if (nt) monitors.push_back({"Standard TCP/IP Port", "tcpmon.dll"});
    if (nt && s.major >= 5) monitors.push_back({"USB Monitor", "usbmon.dll"});

    for (const PrintEnvironment& env : envs) {
        if (!MakeDirectory(machine, DriverDirectory(s, env), error)) return false;
        for (std::uint32_t version : env.versions)
            if (!MakeDirectory(machine, DriverVersionDirectory(s, env, version), error)) return false;
        if (!WriteStandInDll(machine, ProcessorDirectory(s, env) + "\\winprint.dll", error))
            return false;
    }
    for (const SeedMonitor& monitor : monitors)
        if (!WriteStandInDll(machine, s.systemDir() + "\\" + monitor.dll, error)) return false;

    const std::int32_t result = UpdateRegistry(machine, [&](reg::Tree& tree, bool& changed) {
        bool created = false;
        for (const PrintEnvironment& env : envs) {
            const std::string base = std::string(print_keys::kEnvironments) + "\\" + env.name;
            reg::Key& drivers = tree.Create(HklmKey(base, "Drivers"), created);
            for (std::uint32_t version : env.versions)
                drivers.ChildOrNew("Version-" + std::to_string(version), created);
            tree.Create(HklmKey(base + "\\Print Processors", "winprint"), created)
                .SetValue("Driver", REG_SZ, TextBytes("winprint.dll"));
        }
        for (const SeedMonitor& monitor : monitors)
            tree.Create(HklmKey(print_keys::kMonitors, monitor.name), created)
                .SetValue("Driver", REG_SZ, TextBytes(monitor.dll));
        if (nt) tree.Create(HklmKey(print_keys::kMonitors, "Standard TCP/IP Port\\Ports"), created);
        reg::Key& ports = tree.Create(HklmKey(print_keys::kLocalPorts), created);
        for (int i = 1; i <= kSeededComPorts; ++i)
            ports.SetValue("COM" + std::to_string(i) + ":", REG_SZ, TextBytes(kSeededComSettings));
        for (int i = 1; i <= 3; ++i) ports.SetValue("LPT" + std::to_string(i) + ":", REG_SZ, TextBytes(""));
        ports.SetValue("FILE:", REG_SZ, TextBytes(""));
        tree.Create(HklmKey(print_keys::kPrinters), created);
        tree.Create(HklmKey(print_keys::kForms), created);
        changed = true;
        return ERROR_SUCCESS;
    });
    if (result == ERROR_SUCCESS) return true;
    error = "cannot write the print system's registry keys";
    return false;
}

}  // namespace sim
