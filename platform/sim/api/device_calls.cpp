// Device information sets on the simulated machine: the process's sets over the machine's
// device tree (state/device_tree.h). A created device lives in its set until
// DIF_REGISTERDEVICE makes it part of the machine.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <set>

#include "platform/sim/api/call_faults.h"
#include "platform/sim/api/device_installation.h"
#include "platform/sim/state/reg_tree.h"
#include "platform/win_constants.h"

namespace sim {

std::string GuidText(const plat::GUID& g) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

namespace {

bool SameGuid(const plat::GUID& a, const plat::GUID& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// A REG_MULTI_SZ buffer's strings, up to its double zero or its end.
std::vector<std::string> MultiSz(const std::uint8_t* buffer, std::uint32_t size) {
    std::vector<std::string> out;
    const char* p = reinterpret_cast<const char*>(buffer);
    std::uint32_t i = 0;
    while (i < size && p[i] != '\0') {
        const std::uint32_t start = i;
        while (i < size && p[i] != '\0') ++i;
        out.emplace_back(p + start, i - start);
        ++i;
    }
    return out;
}

}  // namespace

SimDeviceInstallation::DeviceSetState* SimDeviceInstallation::SetOf(plat::DeviceInfoSet set) {
    const auto it = sets_.find(reinterpret_cast<std::uintptr_t>(set));
    return it == sets_.end() ? nullptr : &it->second;
}

std::uint32_t SimDeviceInstallation::DevInstOf(const std::string& instanceId) {
    for (std::size_t i = 0; i < devInsts_.size(); ++i)
        if (EqualNoCase(devInsts_[i], instanceId)) return static_cast<std::uint32_t>(i + 1);
    devInsts_.push_back(instanceId);
    return static_cast<std::uint32_t>(devInsts_.size());
}

SimDeviceInstallation::SetDevice* SimDeviceInstallation::DeviceOf(
    DeviceSetState& set, const plat::SP_DEVINFO_DATA& data) {
    for (SetDevice& d : set.devices)
        if (d.devInst == data.DevInst) return &d;
    Fail(ERROR_INVALID_PARAMETER);
    return nullptr;
}

std::optional<DeviceRecord> SimDeviceInstallation::RecordOf(const SetDevice& device) const {
    if (!device.registered) return device.pending;
    return FindDevice(machine_, devInsts_[device.devInst - 1]);
}

void SimDeviceInstallation::Describe(const SetDevice& device, plat::SP_DEVINFO_DATA& data) const {
    data.ClassGuid = {};
    if (std::optional<DeviceRecord> record = RecordOf(device))
        ParseGuid(record->classGuid, data.ClassGuid);
    data.DevInst = device.devInst;
    data.Reserved = 0;
}

plat::DeviceInfoSet SimDeviceInstallation::SetupDiCreateDeviceInfoList(const plat::GUID* classGuid,
                                                                       plat::WindowRef) {
    if (std::uint32_t fault = InjectedFault(machine_, "SetupDiCreateDeviceInfoList")) {
        Fail(fault);
        return plat::kInvalidDeviceInfoSet;
    }
    DeviceSetState state;
    if (classGuid) {
        state.hasClass = true;
        state.classGuid = *classGuid;
    }
    const std::uintptr_t handle = nextSet_;
    nextSet_ += 0x10;
    sets_[handle] = std::move(state);
    error_.SetLastError(ERROR_SUCCESS);
    return reinterpret_cast<plat::DeviceInfoSet>(handle);
}

bool SimDeviceInstallation::SetupDiCreateDeviceInfoA(plat::DeviceInfoSet set,
                                                     const char* deviceName,
                                                     const plat::GUID& classGuid,
                                                     const char* description, plat::WindowRef,
                                                     std::uint32_t flags,
                                                     plat::SP_DEVINFO_DATA* data) {
    if (std::uint32_t fault =
            InjectedFault(machine_, "SetupDiCreateDeviceInfoA", deviceName ? deviceName : ""))
        return Fail(fault);
    DeviceSetState* state = SetOf(set);
    if (!state) return Fail(ERROR_INVALID_HANDLE);
    if (!deviceName || !*deviceName) return Fail(ERROR_INVALID_DEVINST_NAME);
    if (flags & ~static_cast<std::uint32_t>(DICD_GENERATE_ID | DICD_INHERIT_CLASSDRVS))
        return Fail(ERROR_INVALID_FLAGS);
    if (state->hasClass && !SameGuid(state->classGuid, classGuid))
        return Fail(ERROR_CLASS_MISMATCH);
    if (data && data->cbSize != sizeof(plat::SP_DEVINFO_DATA))
        return Fail(ERROR_INVALID_USER_BUFFER);

    // Ids taken: the machine's devices and the ones this process's sets created.
    std::set<std::string> taken;
    for (const DeviceRecord& d : ReadDevices(machine_)) taken.insert(reg::Fold(d.instanceId));
    for (const auto& [handle, s] : sets_)
        for (const SetDevice& d : s.devices)
            if (!d.registered) taken.insert(reg::Fold(d.pending.instanceId));

    std::string id;
    if (flags & DICD_GENERATE_ID) {
        if (std::strchr(deviceName, '\\')) return Fail(ERROR_INVALID_DEVINST_NAME);
        for (int n = 0; n < 10000 && id.empty(); ++n) {
            char number[16];
            std::snprintf(number, sizeof number, "%04d", n);
            const std::string candidate = "ROOT\\" + Upper(deviceName) + "\\" + number;
            if (!taken.count(reg::Fold(candidate))) id = candidate;
        }
        if (id.empty()) return Fail(ERROR_DEVINST_ALREADY_EXISTS);
    } else {
        std::vector<std::string> parts;
        if (!reg::SplitKeyPath(deviceName, parts) || parts.size() != 3)
            return Fail(ERROR_INVALID_DEVINST_NAME);
        if (taken.count(reg::Fold(deviceName))) return Fail(ERROR_DEVINST_ALREADY_EXISTS);
        id = deviceName;
    }

    SetDevice device;
    device.pending.instanceId = id;
    device.pending.classGuid = GuidText(classGuid);
    device.pending.className = SetupClassName(classGuid);
    if (description) device.pending.description = description;
    device.devInst = DevInstOf(id);
    state->devices.push_back(device);
    if (data) Describe(device, *data);
    error_.SetLastError(ERROR_SUCCESS);
    return true;
}

bool SimDeviceInstallation::SetupDiSetDeviceRegistryPropertyA(plat::DeviceInfoSet set,
                                                              plat::SP_DEVINFO_DATA& data,
                                                              std::uint32_t property,
                                                              const std::uint8_t* buffer,
                                                              std::uint32_t size) {
    if (std::uint32_t fault = InjectedFault(machine_, "SetupDiSetDeviceRegistryPropertyA"))
        return Fail(fault);
    DeviceSetState* state = SetOf(set);
    if (!state) return Fail(ERROR_INVALID_HANDLE);
    SetDevice* device = DeviceOf(*state, data);
    if (!device) return false;
    if (!buffer && size) return Fail(ERROR_INVALID_PARAMETER);

    std::vector<std::string> list;
    std::string text;
    const char* name = nullptr;
    std::uint32_t type = REG_SZ;
    if (property == SPDRP_HARDWAREID) {
        list = MultiSz(buffer, size);
        name = "HardwareID";
        type = REG_MULTI_SZ;
    } else if (property == SPDRP_FRIENDLYNAME || property == SPDRP_DEVICEDESC) {
        const char* p = reinterpret_cast<const char*>(buffer);
        text.assign(p, p ? strnlen(p, size) : 0);
        name = property == SPDRP_FRIENDLYNAME ? "FriendlyName" : "DeviceDesc";
    } else {
        return Fail(ERROR_INVALID_REG_PROPERTY);
    }

    if (!device->registered) {
        if (property == SPDRP_HARDWAREID) device->pending.hardwareIds = list;
        else if (property == SPDRP_FRIENDLYNAME) device->pending.friendlyName = text;
        else device->pending.description = text;
        error_.SetLastError(ERROR_SUCCESS);
        return true;
    }
    std::vector<std::uint8_t> bytes;
    if (type == REG_MULTI_SZ) {
        for (const std::string& s : list)
            bytes.insert(bytes.end(), s.c_str(), s.c_str() + s.size() + 1);
        bytes.push_back(0);
    } else {
        bytes.assign(text.begin(), text.end());
        bytes.push_back(0);
    }
    const std::uint32_t code =
        SetDeviceValue(machine_, devInsts_[device->devInst - 1], name, type, bytes);
    if (code != ERROR_SUCCESS) return Fail(code);
    error_.SetLastError(ERROR_SUCCESS);
    return true;
}

bool SimDeviceInstallation::SetupDiCallClassInstaller(std::uint32_t installFunction,
                                                      plat::DeviceInfoSet set,
                                                      plat::SP_DEVINFO_DATA* data) {
    if (std::uint32_t fault = InjectedFault(machine_, "SetupDiCallClassInstaller"))
        return Fail(fault);
    DeviceSetState* state = SetOf(set);
    if (!state) return Fail(ERROR_INVALID_HANDLE);
    if (installFunction != DIF_REGISTERDEVICE && installFunction != DIF_REMOVE)
        return Fail(ERROR_DI_DO_DEFAULT);
    if (!data) return Fail(ERROR_INVALID_PARAMETER);
    SetDevice* device = DeviceOf(*state, *data);
    if (!device) return false;

    if (installFunction == DIF_REGISTERDEVICE) {
        if (device->registered) return Fail(ERROR_DEVINST_ALREADY_EXISTS);
        if (const std::uint32_t code = RegisterDevice(machine_, device->pending))
            return Fail(code);
        device->registered = true;
    } else {
        // Only a device of the machine can be removed; the set keeps its element.
        if (!device->registered) return Fail(ERROR_NO_SUCH_DEVINST);
        const std::string id = devInsts_[device->devInst - 1];
        std::optional<DeviceRecord> record = FindDevice(machine_, id);
        if (const std::uint32_t code = RemoveDevice(machine_, id)) return Fail(code);
        device->registered = false;
        if (record) device->pending = *record;
    }
    error_.SetLastError(ERROR_SUCCESS);
    return true;
}

plat::DeviceInfoSet SimDeviceInstallation::SetupDiGetClassDevsA(const plat::GUID* classGuid,
                                                                const char* enumerator,
                                                                plat::WindowRef,
                                                                std::uint32_t flags) {
    auto fail = [&](std::uint32_t code) {
        Fail(code);
        return plat::kInvalidDeviceInfoSet;
    };
    if (std::uint32_t fault = InjectedFault(machine_, "SetupDiGetClassDevsA")) return fail(fault);
    // Device interfaces and hardware profiles are not simulated.
    if (flags & (DIGCF_DEVICEINTERFACE | DIGCF_PROFILE)) return fail(ERROR_CALL_NOT_IMPLEMENTED);
    const bool allClasses = (flags & DIGCF_ALLCLASSES) != 0;
    if (!classGuid && !allClasses) return fail(ERROR_INVALID_PARAMETER);

    DeviceSetState state;
    if (classGuid && !allClasses) {
        state.hasClass = true;
        state.classGuid = *classGuid;
    }
    const std::string wanted = classGuid ? GuidText(*classGuid) : std::string();
    for (const DeviceRecord& d : ReadDevices(machine_)) {
        if (!allClasses && !EqualNoCase(d.classGuid, wanted)) continue;
        if ((flags & DIGCF_PRESENT) && !d.present) continue;
        if (enumerator && *enumerator) {
            const std::size_t slash = d.instanceId.find('\\');
            if (!EqualNoCase(d.instanceId.substr(0, slash), enumerator)) continue;
        }
        SetDevice device;
        device.registered = true;
        device.devInst = DevInstOf(d.instanceId);
        state.devices.push_back(device);
    }
    const std::uintptr_t handle = nextSet_;
    nextSet_ += 0x10;
    sets_[handle] = std::move(state);
    error_.SetLastError(ERROR_SUCCESS);
    return reinterpret_cast<plat::DeviceInfoSet>(handle);
}

bool SimDeviceInstallation::SetupDiEnumDeviceInfo(plat::DeviceInfoSet set, std::uint32_t index,
                                                  plat::SP_DEVINFO_DATA& data) {
    if (std::uint32_t fault = InjectedFault(machine_, "SetupDiEnumDeviceInfo")) return Fail(fault);
    DeviceSetState* state = SetOf(set);
    if (!state) return Fail(ERROR_INVALID_HANDLE);
    if (data.cbSize != sizeof(plat::SP_DEVINFO_DATA)) return Fail(ERROR_INVALID_USER_BUFFER);
    if (index >= state->devices.size()) return Fail(ERROR_NO_MORE_ITEMS);
    Describe(state->devices[index], data);
    error_.SetLastError(ERROR_SUCCESS);
    return true;
}

bool SimDeviceInstallation::SetupDiGetDeviceRegistryPropertyA(
    plat::DeviceInfoSet set, plat::SP_DEVINFO_DATA& data, std::uint32_t property,
    std::uint32_t* regType, std::uint8_t* buffer, std::uint32_t size,
    std::uint32_t* requiredSize) {
    if (std::uint32_t fault = InjectedFault(machine_, "SetupDiGetDeviceRegistryPropertyA"))
        return Fail(fault);
    DeviceSetState* state = SetOf(set);
    if (!state) return Fail(ERROR_INVALID_HANDLE);
    SetDevice* device = DeviceOf(*state, data);
    if (!device) return false;
    const std::optional<DeviceRecord> record = RecordOf(*device);
    if (!record) return Fail(ERROR_NO_SUCH_DEVINST);

    std::vector<std::uint8_t> bytes;
    std::uint32_t type = REG_SZ;
    auto text = [&](const std::string& value) {
        if (!value.empty()) bytes.assign(value.c_str(), value.c_str() + value.size() + 1);
    };
    switch (property) {
        case SPDRP_HARDWAREID:
            type = REG_MULTI_SZ;
            for (const std::string& id : record->hardwareIds)
                bytes.insert(bytes.end(), id.c_str(), id.c_str() + id.size() + 1);
            if (!bytes.empty()) bytes.push_back(0);
            break;
        case SPDRP_DEVICEDESC: text(record->description); break;
        case SPDRP_FRIENDLYNAME: text(record->friendlyName); break;
        case SPDRP_MFG: text(record->manufacturer); break;
        case SPDRP_CLASS: text(record->className); break;
        case SPDRP_CLASSGUID: text(record->classGuid); break;
        case SPDRP_DRIVER: text(record->driver); break;
        case SPDRP_SERVICE: text(record->service); break;
        default: return Fail(ERROR_INVALID_REG_PROPERTY);
    }
    if (bytes.empty()) return Fail(ERROR_INVALID_DATA);
    if (requiredSize) *requiredSize = static_cast<std::uint32_t>(bytes.size());
    if (regType) *regType = type;
    if (!buffer || size < bytes.size()) return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(buffer, bytes.data(), bytes.size());
    error_.SetLastError(ERROR_SUCCESS);
    return true;
}

bool SimDeviceInstallation::SetupDiDestroyDeviceInfoList(plat::DeviceInfoSet set) {
    if (std::uint32_t fault = InjectedFault(machine_, "SetupDiDestroyDeviceInfoList"))
        return Fail(fault);
    if (!sets_.erase(reinterpret_cast<std::uintptr_t>(set))) return Fail(ERROR_INVALID_HANDLE);
    error_.SetLastError(ERROR_SUCCESS);
    return true;
}

}  // namespace sim
