// The ports the print provider's monitors offer.
#include <set>
#include <sstream>

#include "common/text.h"
#include "platform/sim/state/host_file.h"
#include "platform/sim/state/print_provider.h"
#include "platform/sim/state/print_values.h"
#include "platform/sim/state/registry_store.h"
#include "platform/win_constants.h"

namespace sim {

using namespace print_values;

namespace {

constexpr std::string_view kPortLine = "sim-port:";
constexpr std::string_view kRegistryLine = "sim-ports-from-registry:";

// The key path below HKEY_LOCAL_MACHINE of "HKLM\..." or "HKEY_LOCAL_MACHINE\..."; empty for
// another root.
std::string BelowHklm(std::string_view path) {
    for (std::string_view root : {"HKLM\\", "HKEY_LOCAL_MACHINE\\"})
        if (common::StartsWithNoCase(path, root)) return std::string(path.substr(root.size()));
    return {};
}

// What a monitor DLL's stand-in file says about its ports: names, and keys whose value names
// are ports.
void ReadStandInPorts(const std::string& text, std::vector<std::string>& names,
                      std::vector<std::string>& keys) {
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const std::string_view trimmed = common::Trim(line);
        if (common::StartsWithNoCase(trimmed, kPortLine)) {
            const std::string_view name = common::Trim(trimmed.substr(kPortLine.size()));
            if (!name.empty()) names.emplace_back(name);
        } else if (common::StartsWithNoCase(trimmed, kRegistryLine)) {
            const std::string key = BelowHklm(common::Trim(trimmed.substr(kRegistryLine.size())));
            if (!key.empty()) keys.push_back(key);
        }
    }
}

}  // namespace

std::vector<SimPort> PrintProvider::Ports() const {
    std::vector<SimPort> out;
    std::set<std::string> seen;
    auto add = [&](const std::string& name, const std::string& monitor) {
        if (!name.empty() && seen.insert(reg::Fold(name)).second) out.push_back({name, monitor});
    };
    MachineLock lock(machine_.dir());
    const std::vector<SimMonitor> monitors = Monitors();
    UpdateRegistry(machine_, [&](reg::Tree& tree, bool&) {
        for (const SimMonitor& monitor : monitors) {
            if (common::EqualsNoCase(monitor.name, "Local Port")) {
                if (reg::Key* ports = tree.Find(HklmKey(print_keys::kLocalPorts)))
                    for (const auto& [folded, value] : ports->values) add(value.name, monitor.name);
                continue;
            }
            if (common::EqualsNoCase(monitor.name, "Standard TCP/IP Port")) {
                if (reg::Key* ports = tree.Find(HklmKey(print_keys::kMonitors, monitor.name)))
                    if (reg::Key* list = ports->Child("Ports"))
                        for (const auto& [folded, port] : list->subkeys) add(port->name, monitor.name);
                continue;
            }
            std::string text;
            if (monitor.dll.empty() ||
                !ReadWholeFile(machine_.HostPath(machine_.settings().systemDir() + "\\" + monitor.dll),
                               text))
                continue;  // a monitor whose DLL is gone offers nothing
            std::vector<std::string> names, keys;
            ReadStandInPorts(text, names, keys);
            for (const std::string& name : names) add(name, monitor.name);
            for (const std::string& key : keys)
                if (reg::Key* k = tree.Find(HklmKey(key)))
                    for (const auto& [folded, value] : k->values) add(value.name, monitor.name);
        }
        return ERROR_SUCCESS;
    });
    return out;
}

}  // namespace sim
