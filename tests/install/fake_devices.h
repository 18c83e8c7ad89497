// A device-installation stand-in for driving the installer's operations call by call: it keeps
// a list of devices, records every device call, and fails the calls a test names.
#pragma once
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/win_constants.h"
#include "platform/forwarding_platform.h"
#include "platform/platform.h"

namespace installtest {

struct FakeDevice {
    std::string hardwareId;
    bool present = true;
    bool registered = false;
    bool removed = false;
    bool hasDriver = false;
};

class FakeDevices : public plat::DeviceInstallation {
public:
    explicit FakeDevices(plat::LastError& lastError) : lastError_(lastError) {}

    std::vector<FakeDevice> devices;        // the machine's devices, in enumeration order
    std::vector<std::string> calls;         // "UpdateDriver USB\...", "CopyOEMInf 8", ...
    std::map<std::string, std::uint32_t> failures;  // call name -> error it fails with
    std::set<std::string> boundIds;         // hardware ids UpdateDriver binds
    std::uint32_t updateError = 0xE000020B;  // ERROR_NO_SUCH_DEVINST for ids not bound
    int setsAlive = 0;

    // INF: [Manufacturer] line -> models section with lines of fields.
    std::vector<std::vector<std::string>> manufacturerLines = {{"Mfg", "Ports"}};
    std::map<std::string, std::vector<std::vector<std::string>>> sections = {
        {"Ports", {{"NetCom", "NetCom.Install", "root\\nkxvcom"}}}};
    std::string infClass = "Ports";
    plat::GUID infGuid{0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

    int Count(const std::string& prefix) const {
        int n = 0;
        for (const std::string& c : calls)
            if (c.rfind(prefix, 0) == 0) ++n;
        return n;
    }

    bool SetupIterateCabinetA(const char*, const plat::CabinetCallback&) override { return Fail("cab", 1); }

    plat::InfHandle SetupOpenInfFileA(const char*, std::uint32_t, std::uint32_t*) override {
        if (Failing("SetupOpenInfFileA")) return plat::kInvalidInf;
        return reinterpret_cast<plat::InfHandle>(std::uintptr_t{0x10});
    }
    void SetupCloseInfFile(plat::InfHandle) override { calls.push_back("CloseInf"); }
    // A context's Section indexes the section list ("Manufacturer" is 0), Line its line.
    bool SetupFindFirstLineA(plat::InfHandle, const char* section, const char*,
                             plat::INFCONTEXT& context) override {
        int index = SectionIndex(section);
        if (index < 0 || Lines(index).empty()) return Fail("", ERROR_LINE_NOT_FOUND_VALUE);
        context = {};
        context.Section = static_cast<std::uint32_t>(index);
        return true;
    }
    bool SetupFindNextLine(const plat::INFCONTEXT& in, plat::INFCONTEXT& out) override {
        if (in.Line + 1 >= Lines(static_cast<int>(in.Section)).size()) return Fail("", ERROR_LINE_NOT_FOUND_VALUE);
        out = in;
        ++out.Line;
        return true;
    }
    bool SetupFindNextMatchLineA(const plat::INFCONTEXT& in, const char*, plat::INFCONTEXT& out) override {
        return SetupFindNextLine(in, out);
    }
    std::uint32_t SetupGetFieldCount(const plat::INFCONTEXT& c) override {
        return static_cast<std::uint32_t>(Line(c).size() - 1);
    }
    bool SetupGetStringFieldA(const plat::INFCONTEXT& c, std::uint32_t index, char* buffer,
                              std::uint32_t size, std::uint32_t* required) override {
        if (Failing("SetupGetStringFieldA")) return false;
        const std::vector<std::string>& line = Line(c);
        if (index >= line.size()) return Fail("", ERROR_INVALID_PARAMETER);
        const std::string& field = line[index];
        if (required) *required = static_cast<std::uint32_t>(field.size() + 1);
        if (!buffer) return true;
        if (size < field.size() + 1) return Fail("", ERROR_INSUFFICIENT_BUFFER);
        std::memcpy(buffer, field.c_str(), field.size() + 1);
        return true;
    }
    bool SetupDiGetINFClassA(const char*, plat::GUID& guid, char* name, std::uint32_t size,
                             std::uint32_t*) override {
        if (Failing("SetupDiGetINFClassA")) return false;
        if (size < infClass.size() + 1) return Fail("", ERROR_INSUFFICIENT_BUFFER);
        std::memcpy(name, infClass.c_str(), infClass.size() + 1);
        guid = infGuid;
        return true;
    }
    bool SetupDiClassGuidsFromNameA(const char* name, plat::GUID* list, std::uint32_t,
                                    std::uint32_t& required) override {
        calls.push_back(std::string("ClassGuidsFromName ") + name);
        list[0] = plat::GUID{0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
        required = 1;
        return true;
    }

    bool UpdateDriverForPlugAndPlayDevicesA(plat::WindowRef, const char* id, const char* inf,
                                            std::uint32_t flags, bool*) override {
        calls.push_back(std::string("UpdateDriver ") + id + " " + inf + " " + std::to_string(flags));
        if (Failing("UpdateDriverForPlugAndPlayDevicesA")) return false;
        if (!boundIds.count(id)) return Fail("", updateError);
        for (FakeDevice& d : devices)
            if (d.hardwareId == id && d.registered && !d.removed) d.hasDriver = true;
        lastError_.SetLastError(0);
        return true;
    }
    bool SetupCopyOEMInfA(const char* inf, const char* media, std::uint32_t mediaType,
                          std::uint32_t style, char*, std::uint32_t destSize,
                          std::uint32_t*) override {
        calls.push_back(std::string("CopyOEMInf ") + inf + " " + media + " " +
                        std::to_string(mediaType) + " " + std::to_string(style) + " " +
                        std::to_string(destSize));
        if (style == SP_COPY_NOOVERWRITE && Failing("CopyOEMInf NOOVERWRITE")) return false;
        return true;
    }
    plat::DeviceInfoSet SetupDiCreateDeviceInfoList(const plat::GUID*, plat::WindowRef) override {
        calls.push_back("CreateList");
        if (Failing("SetupDiCreateDeviceInfoList")) return plat::kInvalidDeviceInfoSet;
        ++setsAlive;
        return reinterpret_cast<plat::DeviceInfoSet>(std::uintptr_t{0x20});
    }
    bool SetupDiCreateDeviceInfoA(plat::DeviceInfoSet, const char* name, const plat::GUID&,
                                  const char*, plat::WindowRef, std::uint32_t flags,
                                  plat::SP_DEVINFO_DATA* data) override {
        calls.push_back(std::string("CreateDevice ") + name + " " + std::to_string(flags));
        if (Failing("SetupDiCreateDeviceInfoA")) return false;
        devices.push_back(FakeDevice{"", true, false, false, false});
        data->DevInst = static_cast<std::uint32_t>(devices.size() - 1);
        return true;
    }
    bool SetupDiSetDeviceRegistryPropertyA(plat::DeviceInfoSet, plat::SP_DEVINFO_DATA& data,
                                           std::uint32_t property, const std::uint8_t* buffer,
                                           std::uint32_t size) override {
        std::string bytes(reinterpret_cast<const char*>(buffer), size);
        calls.push_back("SetProperty " + std::to_string(property) + " " + std::to_string(size));
        lastList = bytes;
        devices[data.DevInst].hardwareId = bytes.c_str();
        return true;
    }
    bool SetupDiCallClassInstaller(std::uint32_t function, plat::DeviceInfoSet,
                                   plat::SP_DEVINFO_DATA* data) override {
        calls.push_back("ClassInstaller " + std::to_string(function) + " " + std::to_string(data->DevInst));
        if (function == DIF_REGISTERDEVICE) {
            if (Failing("DIF_REGISTERDEVICE")) return false;
            devices[data->DevInst].registered = true;
        } else if (function == DIF_REMOVE) {
            if (Failing("DIF_REMOVE")) return false;
            devices[data->DevInst].removed = true;
        }
        return true;
    }
    plat::DeviceInfoSet SetupDiGetClassDevsA(const plat::GUID* guid, const char*, plat::WindowRef,
                                             std::uint32_t flags) override {
        calls.push_back("GetClassDevs " + std::to_string(guid->Data1) + " " + std::to_string(flags));
        ++setsAlive;
        return reinterpret_cast<plat::DeviceInfoSet>(std::uintptr_t{0x30});
    }
    bool SetupDiEnumDeviceInfo(plat::DeviceInfoSet, std::uint32_t index,
                               plat::SP_DEVINFO_DATA& data) override {
        if (index >= devices.size()) return Fail("", ERROR_NO_MORE_ITEMS);
        data.DevInst = index;
        return true;
    }
    bool SetupDiGetDeviceRegistryPropertyA(plat::DeviceInfoSet, plat::SP_DEVINFO_DATA& data,
                                           std::uint32_t, std::uint32_t*, std::uint8_t* buffer,
                                           std::uint32_t size, std::uint32_t*) override {
        const std::string& id = devices[data.DevInst].hardwareId;
        if (id.size() + 2 > size) return Fail("", ERROR_INSUFFICIENT_BUFFER);
        std::memcpy(buffer, id.c_str(), id.size() + 1);
        buffer[id.size() + 1] = 0;
        return true;
    }
    bool SetupDiDestroyDeviceInfoList(plat::DeviceInfoSet) override {
        calls.push_back("DestroyList");
        --setsAlive;
        return true;
    }

    std::string lastList;  // the last property buffer set, with its zeros

private:
    static constexpr std::uint32_t ERROR_LINE_NOT_FOUND_VALUE = 0xE0000102;

    bool Fail(const char*, std::uint32_t code) {
        lastError_.SetLastError(code);
        return false;
    }
    bool Failing(const std::string& name) {
        auto it = failures.find(name);
        if (it == failures.end()) return false;
        lastError_.SetLastError(it->second);
        return true;
    }
    int SectionIndex(const char* name) {
        if (std::string(name) == "Manufacturer") return 0;
        int i = 1;
        for (auto& [sectionName, lines] : sections) {
            if (sectionName == name) return i;
            ++i;
        }
        return -1;
    }
    const std::vector<std::vector<std::string>>& Lines(int index) {
        if (index == 0) return manufacturerLines;
        auto it = sections.begin();
        std::advance(it, index - 1);
        return it->second;
    }
    const std::vector<std::string>& Line(const plat::INFCONTEXT& c) {
        return Lines(static_cast<int>(c.Section))[c.Line];
    }

    plat::LastError& lastError_;
};

// A simulated process's platform with the device calls of a FakeDevices.
class FakeDevicePlatform : public plat::ForwardingPlatform {
public:
    explicit FakeDevicePlatform(plat::Platform& base)
        : ForwardingPlatform(base), devices(base.lastError()) {}
    plat::DeviceInstallation& deviceInstallation() override { return devices; }

    FakeDevices devices;
};

}  // namespace installtest
