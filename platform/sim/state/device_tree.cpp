// The simulated machine's device tree in the registry's Enum and Control\Class keys.
#include "platform/sim/state/device_tree.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "platform/sim/state/print_values.h"
#include "platform/sim/state/registry_store.h"
#include "platform/sim/state/usb_printers.h"
#include "platform/win_constants.h"

namespace sim {

using namespace print_values;

namespace {

const char kUsbClassGuid[] = "{36FC9E60-C465-11CF-8056-444553540000}";
const char kPortsClassGuid[] = "{4D36E978-E325-11CE-BFC1-08002BE10318}";
const char kDisplayClassGuid[] = "{4D36E968-E325-11CE-BFC1-08002BE10318}";

// The Enum key of an instance id, or null when it does not exist (or the id is malformed).
reg::Key* EnumKeyOf(reg::Tree& tree, const std::string& instanceId) {
    std::vector<std::string> path = HklmKey(kEnumKey);
    if (!reg::SplitKeyPath(instanceId, path) || path.size() != HklmKey(kEnumKey).size() + 3)
        return nullptr;
    return tree.Find(path);
}

void WriteRecord(reg::Key& key, const DeviceRecord& d) {
    key.SetValue("HardwareID", REG_MULTI_SZ, NamesBytes(d.hardwareIds));
    auto setText = [&](const char* name, const std::string& value) {
        if (!value.empty()) key.SetValue(name, REG_SZ, TextBytes(value));
    };
    setText("Class", d.className);
    setText("ClassGUID", d.classGuid);
    setText("DeviceDesc", d.description);
    setText("FriendlyName", d.friendlyName);
    setText("Mfg", d.manufacturer);
    setText("Driver", d.driver);
    setText("Service", d.service);
}

DeviceRecord ReadRecord(reg::Tree& tree, reg::Key& key, const std::string& instanceId) {
    DeviceRecord d;
    d.instanceId = instanceId;
    d.hardwareIds = Names(key, "HardwareID");
    d.className = Text(key, "Class");
    d.classGuid = Text(key, "ClassGUID");
    d.description = Text(key, "DeviceDesc");
    d.friendlyName = Text(key, "FriendlyName");
    d.manufacturer = Text(key, "Mfg");
    d.driver = Text(key, "Driver");
    d.service = Text(key, "Service");
    if (!d.driver.empty()) {
        std::vector<std::string> path = HklmKey(kClassKey);
        if (reg::SplitKeyPath(d.driver, path))
            if (reg::Key* driverKey = tree.Find(path)) d.infPath = Text(*driverKey, "InfPath");
    }
    return d;
}

// Gives every attached printer not seen before its Enum key; returns the ids of the attached
// ones (folded), which are the present USB printers.
std::set<std::string> SeeUsbPrinters(const Machine& machine, reg::Tree& tree, bool& changed) {
    std::set<std::string> attached;
    for (const UsbPrinter& p : ReadUsbPrinters(machine)) {
        const std::string id = UsbPrinterInstanceId(p.vendorId, p.productId, p.slot);
        attached.insert(reg::Fold(id));
        if (EnumKeyOf(tree, id)) continue;
        std::vector<std::string> path = HklmKey(kEnumKey);
        reg::SplitKeyPath(id, path);
        bool created = false;
        char hardware[64];
        std::snprintf(hardware, sizeof hardware, "USB\\VID_%04X&PID_%04X", p.vendorId,
                      p.productId);
        DeviceRecord d;
        d.instanceId = id;
        d.hardwareIds = {std::string(hardware) + "&REV_0100", hardware};
        d.description = "USB Printer";
        WriteRecord(tree.Create(path, created), d);
        changed = true;
    }
    return attached;
}

// Whether a USB device is one of the printers (USB\VID_xxxx&PID_xxxx\SN...), whose presence
// follows the attached printers.
bool IsUsbPrinterId(const std::string& instanceId) {
    const std::string folded = reg::Fold(instanceId);
    return folded.rfind("USB\\VID_", 0) == 0 && folded.find("\\SN") != std::string::npos;
}

std::vector<DeviceRecord> Collect(const Machine& machine, reg::Tree& tree, bool& changed) {
    const std::set<std::string> attached = SeeUsbPrinters(machine, tree, changed);
    std::vector<DeviceRecord> devices;
    reg::Key* root = tree.Find(HklmKey(kEnumKey));
    if (!root) return devices;
    for (auto& [e, enumerator] : root->subkeys)
        for (auto& [n, device] : enumerator->subkeys)
            for (auto& [i, instance] : device->subkeys) {
                const std::string id =
                    enumerator->name + "\\" + device->name + "\\" + instance->name;
                DeviceRecord d = ReadRecord(tree, *instance, id);
                d.present = !IsUsbPrinterId(id) || attached.count(reg::Fold(id)) > 0;
                devices.push_back(std::move(d));
            }
    return devices;
}

// The driver key a device gets: its own when it has one of that class, else the lowest free
// number under the class.
std::string DriverKeyFor(reg::Tree& tree, const std::string& current, const std::string& guid,
                         std::set<std::string>& taken) {
    const std::string prefix = guid + "\\";
    if (!current.empty() && reg::Fold(current).rfind(reg::Fold(prefix), 0) == 0) return current;
    reg::Key* classKey = tree.Find(HklmKey(kClassKey, guid));
    for (int n = 0; n < 10000; ++n) {
        char number[16];
        std::snprintf(number, sizeof number, "%04d", n);
        if (classKey && classKey->Child(number)) continue;
        if (!taken.insert(reg::Fold(prefix + number)).second) continue;
        return prefix + number;
    }
    return {};
}

}  // namespace

std::string UsbPrinterInstanceId(std::uint16_t vendorId, std::uint16_t productId, int slot) {
    char id[64];
    std::snprintf(id, sizeof id, "USB\\VID_%04X&PID_%04X\\SN%06d", vendorId, productId, slot);
    return id;
}

std::vector<DeviceRecord> ReadDevices(const Machine& machine) {
    MachineLock lock(machine.dir());
    std::vector<DeviceRecord> devices;
    UpdateRegistry(machine, [&](reg::Tree& tree, bool& changed) -> std::int32_t {
        devices = Collect(machine, tree, changed);
        return ERROR_SUCCESS;
    });
    std::sort(devices.begin(), devices.end(), [](const DeviceRecord& a, const DeviceRecord& b) {
        return reg::Fold(a.instanceId) < reg::Fold(b.instanceId);
    });
    return devices;
}

std::optional<DeviceRecord> FindDevice(const Machine& machine, const std::string& instanceId) {
    for (DeviceRecord& d : ReadDevices(machine))
        if (reg::Fold(d.instanceId) == reg::Fold(instanceId)) return d;
    return std::nullopt;
}

std::uint32_t RegisterDevice(const Machine& machine, const DeviceRecord& device) {
    const std::int32_t result =
        UpdateRegistry(machine, [&](reg::Tree& tree, bool& changed) -> std::int32_t {
            std::vector<std::string> path = HklmKey(kEnumKey);
            if (!reg::SplitKeyPath(device.instanceId, path) ||
                path.size() != HklmKey(kEnumKey).size() + 3)
                return static_cast<std::int32_t>(ERROR_INVALID_DEVINST_NAME);
            if (tree.Find(path)) return static_cast<std::int32_t>(ERROR_DEVINST_ALREADY_EXISTS);
            bool created = false;
            WriteRecord(tree.Create(path, created), device);
            changed = true;
            return ERROR_SUCCESS;
        });
    return static_cast<std::uint32_t>(result);
}

std::uint32_t RemoveDevice(const Machine& machine, const std::string& instanceId) {
    const std::int32_t result =
        UpdateRegistry(machine, [&](reg::Tree& tree, bool& changed) -> std::int32_t {
            reg::Key* key = EnumKeyOf(tree, instanceId);
            if (!key) return static_cast<std::int32_t>(ERROR_NO_SUCH_DEVINST);
            const std::string driver = Text(*key, "Driver");
            std::vector<std::string> driverPath = HklmKey(kClassKey);
            if (!driver.empty() && reg::SplitKeyPath(driver, driverPath))
                tree.Remove(driverPath);
            std::vector<std::string> path = HklmKey(kEnumKey);
            reg::SplitKeyPath(instanceId, path);
            tree.Remove(path);
            // An enumerator's or device's key left empty goes with its last instance.
            for (int up = 0; up < 2; ++up) {
                path.pop_back();
                reg::Key* parent = tree.Find(path);
                if (!parent || !parent->subkeys.empty()) break;
                tree.Remove(path);
            }
            changed = true;
            return ERROR_SUCCESS;
        });
    return static_cast<std::uint32_t>(result);
}

std::uint32_t SetDeviceValue(const Machine& machine, const std::string& instanceId,
                             const std::string& name, std::uint32_t type,
                             const std::vector<std::uint8_t>& data) {
    const std::int32_t result =
        UpdateRegistry(machine, [&](reg::Tree& tree, bool& changed) -> std::int32_t {
            reg::Key* key = EnumKeyOf(tree, instanceId);
            if (!key) return static_cast<std::int32_t>(ERROR_NO_SUCH_DEVINST);
            key->SetValue(name, type, data);
            changed = true;
            return ERROR_SUCCESS;
        });
    return static_cast<std::uint32_t>(result);
}

std::uint32_t BindDriver(const Machine& machine, const std::vector<std::string>& instanceIds,
                         const DriverBinding& b) {
    const std::int32_t result =
        UpdateRegistry(machine, [&](reg::Tree& tree, bool& changed) -> std::int32_t {
            for (const std::string& id : instanceIds)
                if (!EnumKeyOf(tree, id)) return static_cast<std::int32_t>(ERROR_NO_SUCH_DEVINST);
            std::set<std::string> taken;
            for (const std::string& id : instanceIds) {
                reg::Key& device = *EnumKeyOf(tree, id);
                const std::string old = Text(device, "Driver");
                const std::string driver = DriverKeyFor(tree, old, b.classGuid, taken);
                if (driver.empty()) return static_cast<std::int32_t>(ERROR_NO_MORE_ITEMS);
                // A driver of another class is unbound first.
                std::vector<std::string> oldPath = HklmKey(kClassKey);
                if (!old.empty() && old != driver && reg::SplitKeyPath(old, oldPath))
                    tree.Remove(oldPath);
                std::vector<std::string> path = HklmKey(kClassKey);
                reg::SplitKeyPath(driver, path);
                bool created = false;
                reg::Key& key = tree.Create(path, created);
                key.values.clear();
                key.SetValue("InfPath", REG_SZ, TextBytes(b.infPath));
                key.SetValue("InfSection", REG_SZ, TextBytes(b.infSection));
                key.SetValue("MatchingDeviceId", REG_SZ, TextBytes(b.matchingDeviceId));
                key.SetValue("DriverDesc", REG_SZ, TextBytes(b.description));
                key.SetValue("DriverDate", REG_SZ, TextBytes(b.driverDate));
                key.SetValue("DriverVersion", REG_SZ, TextBytes(b.driverVersion));
                key.SetValue("ProviderName", REG_SZ, TextBytes(b.provider));
                for (const DriverBinding::Value& v : b.driverValues)
                    key.SetValue(v.name, v.type, v.data);
                device.SetValue("Class", REG_SZ, TextBytes(b.className));
                device.SetValue("ClassGUID", REG_SZ, TextBytes(b.classGuid));
                device.SetValue("DeviceDesc", REG_SZ, TextBytes(b.description));
                device.SetValue("Mfg", REG_SZ, TextBytes(b.manufacturer));
                device.SetValue("Driver", REG_SZ, TextBytes(driver));
                if (b.service.empty())
                    device.values.erase(reg::Fold("Service"));
                else
                    device.SetValue("Service", REG_SZ, TextBytes(b.service));
            }
            changed = true;
            return ERROR_SUCCESS;
        });
    return static_cast<std::uint32_t>(result);
}

std::uint32_t AddDriverService(const Machine& machine, const std::string& name,
                               const std::string& displayName, std::uint32_t type,
                               std::uint32_t start, std::uint32_t errorControl,
                               const std::string& imagePath) {
    const std::int32_t result =
        UpdateRegistry(machine, [&](reg::Tree& tree, bool& changed) -> std::int32_t {
            bool created = false;
            reg::Key& key = tree.Create(HklmKey(kServicesKey, name), created);
            if (!displayName.empty())
                key.SetValue("DisplayName", REG_SZ, TextBytes(displayName));
            key.SetValue("Type", REG_DWORD, NumberBytes(type));
            key.SetValue("Start", REG_DWORD, NumberBytes(start));
            key.SetValue("ErrorControl", REG_DWORD, NumberBytes(errorControl));
            key.SetValue("ImagePath", REG_EXPAND_SZ, TextBytes(imagePath));
            changed = true;
            return ERROR_SUCCESS;
        });
    return static_cast<std::uint32_t>(result);
}

bool SeedDeviceTree(const Machine& machine, std::string& error) {
    if (machine.settings().platformId != VER_PLATFORM_WIN32_NT) return true;
    struct Seed {
        const char* id;
        std::vector<std::string> hardwareIds;
        const char* className;
        const char* guid;
        const char* description;
        const char* service;
    };
    const Seed seeds[] = {
        {"USB\\ROOT_HUB20\\4&1A2B3C4D&0", {"USB\\ROOT_HUB20"},
         "USB", kUsbClassGuid, "USB Root Hub", "usbhub"},
        {"ACPI\\PNP0501\\1", {"ACPI\\PNP0501", "*PNP0501"}, "Ports", kPortsClassGuid,
         "Communications Port", "Serial"},
        {"PCI\\VEN_FFFF&DEV_0001&SUBSYS_00000000&REV_00\\3&0&0&10",
         {"PCI\\VEN_FFFF&DEV_0001&SUBSYS_00000000&REV_00", "PCI\\VEN_FFFF&DEV_0001"}, "Display",
         kDisplayClassGuid, "Standard VGA Graphics Adapter", "vgasave"},
    };
    const std::int32_t result =
        UpdateRegistry(machine, [&](reg::Tree& tree, bool& changed) -> std::int32_t {
            std::set<std::string> taken;
            for (const Seed& s : seeds) {
                DeviceRecord d;
                d.instanceId = s.id;
                d.hardwareIds = s.hardwareIds;
                d.className = s.className;
                d.classGuid = s.guid;
                d.description = s.description;
                d.manufacturer = "(Standard system devices)";
                d.service = s.service;
                d.driver = DriverKeyFor(tree, "", s.guid, taken);
                std::vector<std::string> path = HklmKey(kEnumKey);
                reg::SplitKeyPath(d.instanceId, path);
                bool created = false;
                WriteRecord(tree.Create(path, created), d);
                std::vector<std::string> driverPath = HklmKey(kClassKey);
                reg::SplitKeyPath(d.driver, driverPath);
                reg::Key& driver = tree.Create(driverPath, created);
                driver.SetValue("InfPath", REG_SZ,
                                TextBytes(std::string(s.className) == "Ports" ? "msports.inf"
                                          : std::string(s.className) == "USB" ? "usbport.inf"
                                                                               : "display.inf"));
                driver.SetValue("DriverDesc", REG_SZ, TextBytes(s.description));
                driver.SetValue("ProviderName", REG_SZ, TextBytes("Windows"));
            }
            changed = true;
            return ERROR_SUCCESS;
        });
    if (result == ERROR_SUCCESS) return true;
    error = "cannot write the device tree's registry keys";
    return false;
}

}  // namespace sim
