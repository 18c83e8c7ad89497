// The Standard TCP/IP monitor's ports: each a key under its monitor's "Ports" key with the
// values Windows keeps there.
#include <algorithm>
#include <cctype>

#include "platform/sim/state/print_provider.h"
#include "platform/sim/state/print_values.h"
#include "platform/sim/state/registry_store.h"
#include "platform/win_constants.h"

namespace sim {

using namespace print_values;

namespace {

// Four decimal numbers of at most three digits separated by dots: Windows keeps such an
// address as "IPAddress" and anything else as a host name.
bool IsDottedAddress(const std::string& text) {
    int parts = 0, digits = 0;
    for (char c : text) {
        if (c == '.') {
            if (digits == 0) return false;
            ++parts;
            digits = 0;
        } else if (std::isdigit(static_cast<unsigned char>(c)) && digits < 3) {
            ++digits;
        } else {
            return false;
        }
    }
    return parts == 3 && digits > 0;
}

std::vector<std::string> PortKey(const std::string& name) {
    return HklmKey(std::string(print_keys::kMonitors) + "\\" + kTcpIpMonitor + "\\Ports", name);
}

}  // namespace

std::uint32_t PrintProvider::AddTcpIpPort(const SimTcpIpPort& port) const {
    if (port.name.empty() || port.name.find_first_of("\\,") != std::string::npos ||
        port.hostAddress.empty())
        return ERROR_INVALID_PARAMETER;
    if (port.protocol != PROTOCOL_RAWTCP_TYPE && port.protocol != PROTOCOL_LPR_TYPE)
        return ERROR_INVALID_PARAMETER;
    if (port.protocol == PROTOCOL_LPR_TYPE && port.queue.empty()) return ERROR_INVALID_PARAMETER;
    MachineLock lock(machine_.dir());
    const auto monitors = Monitors();
    if (std::none_of(monitors.begin(), monitors.end(),
                     [](const SimMonitor& m) { return reg::Fold(m.name) == reg::Fold(kTcpIpMonitor); }))
        return ERROR_UNKNOWN_PRINT_MONITOR;
    const auto ports = Ports();
    if (std::any_of(ports.begin(), ports.end(),
                    [&](const SimPort& p) { return reg::Fold(p.name) == reg::Fold(port.name); }))
        return ERROR_ALREADY_EXISTS;
    const bool dotted = IsDottedAddress(port.hostAddress);
    return static_cast<std::uint32_t>(UpdateRegistry(machine_, [&](reg::Tree& tree, bool& changed) {
        bool created = false;
        reg::Key& key = tree.Create(PortKey(port.name), created);
        key.SetValue("Protocol", REG_DWORD, NumberBytes(port.protocol));
        key.SetValue("Version", REG_DWORD, NumberBytes(port.version));
        key.SetValue("HostName", REG_SZ, TextBytes(dotted ? "" : port.hostAddress));
        key.SetValue("IPAddress", REG_SZ, TextBytes(dotted ? port.hostAddress : ""));
        key.SetValue("HWAddress", REG_SZ, TextBytes(""));
        key.SetValue("PortNumber", REG_DWORD, NumberBytes(port.portNumber));
        key.SetValue("Queue", REG_SZ, TextBytes(port.queue));
        key.SetValue("SNMP Community", REG_SZ, TextBytes(port.snmpCommunity));
        key.SetValue("SNMP Enabled", REG_DWORD, NumberBytes(port.snmpEnabled ? 1 : 0));
        key.SetValue("SNMP Index", REG_DWORD, NumberBytes(port.snmpIndex));
        key.SetValue("Double Spool", REG_DWORD, NumberBytes(port.doubleSpool ? 1 : 0));
        changed = true;
        return ERROR_SUCCESS;
    }));
}

std::optional<SimTcpIpPort> PrintProvider::FindTcpIpPort(const std::string& name) const {
    std::optional<SimTcpIpPort> out;
    MachineLock lock(machine_.dir());
    UpdateRegistry(machine_, [&](reg::Tree& tree, bool&) {
        reg::Key* key = tree.Find(PortKey(name));
        if (!key) return ERROR_SUCCESS;
        SimTcpIpPort port;
        port.name = key->name;
        port.protocol = Number(*key, "Protocol").value_or(0);
        port.version = Number(*key, "Version").value_or(0);
        port.hostAddress = Text(*key, "IPAddress");
        if (port.hostAddress.empty()) port.hostAddress = Text(*key, "HostName");
        port.portNumber = Number(*key, "PortNumber").value_or(0);
        port.queue = Text(*key, "Queue");
        port.snmpCommunity = Text(*key, "SNMP Community");
        port.snmpEnabled = Number(*key, "SNMP Enabled").value_or(0) != 0;
        port.snmpIndex = Number(*key, "SNMP Index").value_or(0);
        port.doubleSpool = Number(*key, "Double Spool").value_or(0) != 0;
        out = port;
        return ERROR_SUCCESS;
    });
    return out;
}

}  // namespace sim
