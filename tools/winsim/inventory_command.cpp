// winsim inventory: what an installation left on a machine, in one short listing a person
// reads after the wizard ran: the print system, serial settings, the USB port records, USB
// printers, devices bound to an oemN.inf, and restart requests.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/sim/api/ini_text.h"
#include "platform/sim/state/device_tree.h"
#include "platform/sim/state/host_file.h"
#include "platform/sim/state/print_environments.h"
#include "platform/sim/state/print_provider.h"
#include "platform/sim/state/print_seed.h"
#include "platform/sim/state/print_values.h"
#include "platform/sim/state/registry_store.h"
#include "platform/sim/state/restart_requests.h"
#include "platform/sim/state/usb_printers.h"
#include "platform/win_constants.h"
#include "tools/winsim/print_tables.h"
#include "tools/winsim/winsim.h"

namespace winsim {

namespace {

constexpr const char* kUsbRecordsKey = "SOFTWARE\\VORTANE";
constexpr const char* kUsbRecordsKey32 = "SOFTWARE\\Wow6432Node\\VORTANE";
constexpr const char* kUsbRecordSubkeys[] = {"PORTNAME", "PRINTERPORT"};
// Windows 98/Me keeps a serial port's DCB record in its class key, 0000 to 0003.
constexpr const char* kPortClassKey = "System\\CurrentControlSet\\Services\\Class\\Ports";

// What the registry part of the inventory found, read in one step under the machine lock.
struct RegistryFindings {
    std::vector<Row> ntComPorts;   // PORT, SETTINGS
    std::vector<Row> usbRecords;   // KEY, NAME, VALUE of the native view
    std::vector<Row> usbRecords32; // the same of a 64-bit machine's 32-bit view
    std::vector<Row> portClassKeys;  // KEY, DCB (Windows 98/Me)
};

// "COM" and a number, with or without the colon the Ports key and win.ini give it; the number
// is stored in `number`.
bool IsComPortName(const std::string& name, int& number) {
    std::string folded = sim::reg::Fold(name);
    if (!folded.empty() && folded.back() == ':') folded.pop_back();
    if (folded.size() < 4 || folded.size() > 7 || folded.compare(0, 3, "COM") != 0) return false;
    if (folded.find_first_not_of("0123456789", 3) != std::string::npos) return false;
    number = std::stoi(folded.substr(3));
    return true;
}

// The COM ports whose settings differ from a new machine's (COM1: to COM4: at
// kSeededComSettings); seeded ports that are gone are listed as "(removed)".
std::vector<Row> ChangedComPorts(const std::vector<std::pair<std::string, std::string>>& ports) {
    std::vector<Row> rows;
    bool seededSeen[sim::kSeededComPorts + 1] = {};
    for (const auto& [name, settings] : ports) {
        int number = 0;
        if (!IsComPortName(name, number)) continue;
        const bool seeded = number >= 1 && number <= sim::kSeededComPorts;
        if (seeded) seededSeen[number] = true;
        if (seeded && settings == sim::kSeededComSettings) continue;
        rows.push_back({Cell(name), Cell(settings)});
    }
    for (int n = 1; n <= sim::kSeededComPorts; ++n)
        if (!seededSeen[n]) rows.push_back({"COM" + std::to_string(n) + ":", "(removed)"});
    return rows;
}

// A registry value for people: a DWORD in decimal, a string in quotes, other data by type
// and size.
std::string ValueText(const sim::reg::Value& value) {
    const auto& d = value.data;
    if (value.type == REG_DWORD && d.size() == 4)
        return std::to_string(std::uint32_t(d[0]) | std::uint32_t(d[1]) << 8 |
                              std::uint32_t(d[2]) << 16 | std::uint32_t(d[3]) << 24);
    if (value.type == REG_SZ || value.type == REG_EXPAND_SZ) {
        std::string text(d.begin(), d.end());
        text.resize(std::min(text.size(), text.find('\0')));
        return "\"" + OnOneLine(text) + "\"";
    }
    return "type " + std::to_string(value.type) + ", " + std::to_string(d.size()) + " bytes";
}

std::string ValueName(const sim::reg::Value& value) {
    return value.name.empty() ? "(default)" : OnOneLine(value.name);
}

std::vector<Row> UsbRecordRows(sim::reg::Tree& tree, const char* recordsKey) {
    std::vector<Row> rows;
    for (const char* subkey : kUsbRecordSubkeys) {
        const sim::reg::Key* key = tree.Find(sim::print_values::HklmKey(recordsKey, subkey));
        if (!key) continue;
        for (const auto& entry : key->values)
            rows.push_back({subkey, ValueName(entry.second), ValueText(entry.second)});
    }
    return rows;
}

bool ReadRegistryFindings(const sim::Machine& machine, RegistryFindings& out) {
    const sim::MachineSettings& s = machine.settings();
    const std::int32_t result = sim::UpdateRegistry(machine, [&](sim::reg::Tree& tree, bool&) {
        if (s.platformId == 2) {
            std::vector<std::pair<std::string, std::string>> ports;
            if (sim::reg::Key* key = tree.Find(sim::print_values::HklmKey(sim::print_keys::kLocalPorts)))
                for (auto& entry : key->values)
                    ports.emplace_back(entry.second.name,
                                       entry.second.type == REG_SZ
                                           ? sim::print_values::Text(*key, entry.second.name)
                                           : ValueText(entry.second));
            out.ntComPorts = ChangedComPorts(ports);
        } else if (const sim::reg::Key* classes = tree.Find(sim::print_values::HklmKey(kPortClassKey))) {
            for (const auto& entry : classes->subkeys) {
                const sim::reg::Key& key = *entry.second;
                const auto found = key.values.find(sim::reg::Fold("DCB"));
                out.portClassKeys.push_back(
                    {OnOneLine(key.name), found == key.values.end()
                                              ? "no"
                                              : "yes, " + std::to_string(found->second.data.size()) +
                                                    " bytes"});
            }
        }
        out.usbRecords = UsbRecordRows(tree, kUsbRecordsKey);
        if (s.is64Bit()) out.usbRecords32 = UsbRecordRows(tree, kUsbRecordsKey32);
        return ERROR_SUCCESS;
    });
    return result == ERROR_SUCCESS;
}

// Windows 98/Me: the COM lines of win.ini [Ports] that differ from a new machine's.
std::vector<Row> ChangedWinIniComPorts(const sim::Machine& machine) {
    std::string text;
    {
        sim::MachineLock lock(machine.dir());
        sim::ReadWholeFile(machine.HostPath(machine.settings().windowsDir + "\\win.ini"), text);
    }
    const sim::ini::Document document(text);
    std::vector<std::pair<std::string, std::string>> ports;
    if (auto names = document.KeyNames("Ports"))
        for (const std::string& name : *names)
            ports.emplace_back(name, document.FindValue("Ports", name).value_or(""));
    return ChangedComPorts(ports);
}

void PrintSerialSettings(const sim::Machine& machine, const RegistryFindings& found) {
    if (machine.settings().platformId == 2) {
        PrintTable(std::string("Serial settings (HKLM\\") + sim::print_keys::kLocalPorts +
                       ", COM values unlike a new machine's):",
                   {"PORT", "SETTINGS"}, found.ntComPorts);
        return;
    }
    PrintTable("Serial settings (win.ini [Ports], COM lines unlike a new machine's):",
               {"PORT", "SETTINGS"}, ChangedWinIniComPorts(machine));
    PrintTable(std::string("Serial port class keys (HKLM\\") + kPortClassKey + "):", {"KEY", "DCB"},
               found.portClassKeys);
}

void PrintUsbRecords(const sim::Machine& machine, const RegistryFindings& found) {
    const Row header = {"KEY", "NAME", "VALUE"};
    const std::string native = std::string("USB port records (HKLM\\") + kUsbRecordsKey;
    if (!machine.settings().is64Bit()) {
        PrintTable(native + "):", header, found.usbRecords);
    } else if (found.usbRecords == found.usbRecords32) {
        PrintTable(native + ", 64-bit and 32-bit views alike):", header, found.usbRecords);
    } else {
        PrintTable(native + ", 64-bit view):", header, found.usbRecords);
        PrintTable(std::string("USB port records (HKLM\\") + kUsbRecordsKey32 +
                       ", 32-bit view, unlike the 64-bit one):",
                   header, found.usbRecords32);
    }
}

void PrintUsbPrinters(const sim::Machine& machine) {
    std::printf("USB printers attached:\n");
    const auto printers = sim::ReadUsbPrinters(machine);
    if (printers.empty()) std::printf("  (none)\n");
    for (std::size_t i = 0; i < printers.size(); ++i)
        std::printf("  %s\n", UsbPrinterSummary(i, printers[i]).c_str());
    std::printf("\n");
}

// "oem" and a number, ".inf": the name Windows gives an INF it copies into its INF directory.
bool IsOemInf(const std::string& path) {
    const std::string name = sim::reg::Fold(path.substr(path.find_last_of('\\') + 1));
    if (name.size() < 8 || name.compare(0, 3, "OEM") != 0 ||
        name.compare(name.size() - 4, 4, ".INF") != 0)
        return false;
    return name.find_first_not_of("0123456789", 3) == name.size() - 4;
}

void PrintOemDevices(const sim::Machine& machine) {
    std::vector<Row> rows;
    for (const sim::DeviceRecord& d : sim::ReadDevices(machine))
        if (IsOemInf(d.infPath))
            rows.push_back({Cell(d.instanceId), d.present ? "present" : "not-present",
                            Cell(d.className), Cell(d.infPath), Cell(d.description)});
    PrintTable("Devices with a driver from an oemN.inf:",
               {"DEVICE", "STATE", "CLASS", "INF", "DESCRIPTION"}, rows);
}

void PrintRestartRequests(const sim::Machine& machine) {
    std::printf("Restart requests:\n");
    const auto requests = sim::RestartRequests(machine);
    if (requests.empty()) std::printf("  (none)\n");
    for (const sim::RestartRequest& request : requests)
        std::printf("  %s asked Windows to %s\n", request.program.c_str(),
                    sim::DescribeExitFlags(request.flags).c_str());
}

}  // namespace

int RunInventory(const Args& args) {
    if (args.size() != 1) return UsageError("inventory", "takes the machine directory only");
    auto machine = OpenMachine(args[0]);
    if (!machine) return kExitFailed;
    // Read first: a registry that cannot be read gives no listing rather than an empty one.
    RegistryFindings found;
    if (!ReadRegistryFindings(*machine, found))
        return Failure("cannot read the registry of " + args[0]);
    const sim::MachineSettings& s = machine->settings();
    std::printf("Machine: %s, %s (native environment %s)\n\n", Cell(s.preset).c_str(),
                Cell(s.productName).c_str(), sim::NativeEnvironment(s).c_str());

    const sim::PrintProvider provider(*machine);
    PrintPrinters(*machine, provider);
    PrintDrivers(provider, Columns::kBrief);
    PrintMonitors(provider, Columns::kBrief);
    PrintProcessors(provider);
    PrintPorts(provider);
    PrintSerialSettings(*machine, found);
    PrintUsbRecords(*machine, found);
    PrintUsbPrinters(*machine);
    PrintOemDevices(*machine);
    PrintRestartRequests(*machine);
    return kExitOk;
}

}  // namespace winsim
