// Driver packages on the simulated machine: SetupCopyOEMInfA's copies in the Windows INF
// directory and UpdateDriverForPlugAndPlayDevicesA's binding of present devices.
//
// Windows keeps a binary precompiled form (oemN.PNF) next to each copy; its format is
// undocumented, so the simulator writes a small text file of its own in its place.
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/sim/api/call_faults.h"
#include "platform/sim/api/device_installation.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The first line of `section` whose key is `key`, or null.
const InfLine* FindLine(const InfText& inf, std::string_view section, std::string_view key) {
    const int s = inf.FindSection(section);
    if (s < 0) return nullptr;
    for (const InfLine& line : inf.sections()[s].lines)
        if (line.hasKey && EqualNoCase(inf.Substitute(line.fields[0]), key)) return &line;
    return nullptr;
}

std::string Field(const InfText& inf, const InfLine& line, std::size_t index) {
    return index < line.fields.size() ? inf.Substitute(line.fields[index]) : std::string();
}

std::uint32_t Number(const std::string& text) {
    return static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 0));
}

// The platform decoration a caller of that word size looks for first.
const char* Decoration(int bits) { return bits == 64 ? "NTamd64" : "NTx86"; }

// A section for the caller's platform: name.NTamd64 / name.NTx86, then name.NT, then name.
std::string DecoratedSection(const InfText& inf, const std::string& name, int bits) {
    for (const std::string& candidate :
         {name + "." + Decoration(bits), name + ".NT"})
        if (inf.FindSection(candidate) >= 0) return candidate;
    return name;
}

// A directory id of DestinationDirs as a Windows path, or "" when it is not one the simulator
// knows. 12 is the native drivers directory: driver installation is never redirected.
std::string DirectoryOfId(const MachineSettings& s, std::uint32_t id) {
    switch (id) {
        case 10: return s.windowsDir;
        case 11: return s.systemDir();
        case 12: return s.systemDir() + "\\drivers";
        case 17: return s.windowsDir + "\\inf";
        default: return {};
    }
}

// ServiceBinary's %10%, %11% and %12% as the service's ImagePath writes them.
std::string ImagePath(std::string binary) {
    const std::pair<const char*, const char*> ids[] = {
        {"%12%", "\\SystemRoot\\System32\\drivers"},
        {"%11%", "\\SystemRoot\\System32"},
        {"%10%", "\\SystemRoot"}};
    for (const auto& [id, path] : ids)
        if (binary.rfind(id, 0) == 0) return path + binary.substr(std::strlen(id));
    return binary;
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.c_str(), text.c_str() + text.size() + 1);
}

}  // namespace

std::uint32_t SimDeviceInstallation::CopyOemInf(const std::string& source,
                                                const std::vector<std::uint8_t>& bytes,
                                                const std::string& mediaLocation,
                                                std::uint32_t copyStyle,
                                                std::string& destination) {
    const std::string infDir = machine_.settings().windowsDir + "\\inf";
    std::vector<plat::FindData> copies;
    files_.FindFiles((infDir + "\\oem*.inf").c_str(), copies);  // none is no failure
    std::string found;
    for (const plat::FindData& f : copies) {
        std::vector<std::uint8_t> content;
        if (files_.ReadWholeFile((infDir + "\\" + f.name).c_str(), content) && content == bytes) {
            found = infDir + "\\" + f.name;
            break;
        }
    }
    if (!found.empty() && (copyStyle & SP_COPY_NOOVERWRITE)) {
        destination = found;
        return ERROR_FILE_EXISTS;
    }
    if (found.empty() && (copyStyle & SP_COPY_REPLACEONLY)) return ERROR_FILE_NOT_FOUND;
    if (found.empty()) {
        for (int n = 0; found.empty(); ++n) {
            const std::string name = "oem" + std::to_string(n) + ".inf";
            bool taken = false;
            for (const plat::FindData& f : copies) taken = taken || EqualNoCase(f.name, name);
            if (!taken) found = infDir + "\\" + name;
        }
    }
    files_.CreateDirectoryA(infDir.c_str());  // a machine always has it; made when missing
    if (!files_.WriteWholeFile(found.c_str(), bytes)) return error_.GetLastError();
    const std::string pnf = found.substr(0, found.size() - 3) + "PNF";
    const std::string compiled = "; precompiled INF of the simulated machine\r\n"
                                 "OriginalInfName=" + NameOf(source) + "\r\n"
                                 "OriginalPath=" + DirectoryOf(source) + "\r\n"
                                 "MediaLocation=" + mediaLocation + "\r\n";
    if (!files_.WriteWholeFile(pnf.c_str(),
                               std::vector<std::uint8_t>(compiled.begin(), compiled.end())))
        return error_.GetLastError();
    destination = found;
    return ERROR_SUCCESS;
}

bool SimDeviceInstallation::SetupCopyOEMInfA(const char* sourceInf, const char* mediaLocation,
                                             std::uint32_t mediaType, std::uint32_t copyStyle,
                                             char* destName, std::uint32_t destSize,
                                             std::uint32_t* requiredSize) {
    if (!sourceInf) return Fail(ERROR_INVALID_PARAMETER);
    const std::string source = files_.Absolute(sourceInf);
    if (std::uint32_t fault = InjectedFault(machine_, "SetupCopyOEMInfA", source))
        return Fail(fault);
    if (mediaType > SPOST_URL) return Fail(ERROR_INVALID_PARAMETER);
    InfText text;
    std::uint32_t line = 0;
    if (std::uint32_t code = ReadInf(source.c_str(), INF_STYLE_WIN4, text, line))
        return Fail(code);
    std::vector<std::uint8_t> bytes;
    if (!files_.ReadWholeFile(source.c_str(), bytes)) return false;

    std::string destination;
    const std::uint32_t code =
        CopyOemInf(source, bytes, mediaLocation ? mediaLocation : DirectoryOf(source), copyStyle,
                   destination);
    if (code != ERROR_SUCCESS && code != ERROR_FILE_EXISTS) return Fail(code);
    // The name is given also with ERROR_FILE_EXISTS: it is the copy that is there.
    const std::uint32_t needed = static_cast<std::uint32_t>(destination.size() + 1);
    if (requiredSize) *requiredSize = needed;
    if (destName && destSize) {
        if (destSize < needed) return Fail(code == ERROR_SUCCESS ? ERROR_INSUFFICIENT_BUFFER : code);
        std::memcpy(destName, destination.c_str(), needed);
    }
    if (code != ERROR_SUCCESS) return Fail(code);
    error_.SetLastError(ERROR_SUCCESS);
    return true;
}

std::uint32_t SimDeviceInstallation::RunInstallSection(const InfText& inf,
                                                       const std::string& infDirectory,
                                                       const std::string& section,
                                                       DriverBinding& binding) {
    const int s = inf.FindSection(section);
    if (s < 0) return ERROR_SECTION_NOT_FOUND;
    const MachineSettings& settings = machine_.settings();

    // The directory a file list's files go to: its DestinationDirs line, else DefaultDestDir.
    auto destinationOf = [&](const std::string& list) -> std::string {
        const InfLine* line = FindLine(inf, "DestinationDirs", list);
        if (!line) line = FindLine(inf, "DestinationDirs", "DefaultDestDir");
        if (!line) return DirectoryOfId(settings, 11);
        const std::string dir = DirectoryOfId(settings, Number(Field(inf, *line, 1)));
        const std::string sub = Field(inf, *line, 2);
        return dir.empty() || sub.empty() ? dir : dir + "\\" + sub;
    };
    auto copy = [&](const std::string& target, const std::string& sourceName,
                    const std::string& directory) -> std::uint32_t {
        if (directory.empty()) return ERROR_INVALID_PARAMETER;
        std::vector<std::uint8_t> content;
        const std::string from = infDirectory + "\\" + sourceName;
        if (!files_.ReadWholeFile(from.c_str(), content)) return error_.GetLastError();
        files_.CreateDirectoryA(directory.c_str());  // there already, or made now
        const std::string to = directory + "\\" + target;
        if (!files_.WriteWholeFile(to.c_str(), content)) return error_.GetLastError();
        return ERROR_SUCCESS;
    };

    for (const InfLine& line : inf.sections()[s].lines) {
        if (!line.hasKey) continue;
        const std::string key = inf.Substitute(line.fields[0]);
        for (std::size_t f = 1; f < line.fields.size(); ++f) {
            const std::string list = inf.Substitute(line.fields[f]);
            if (list.empty()) continue;
            if (EqualNoCase(key, "CopyFiles")) {
                if (list[0] == '@') {
                    const std::string name = list.substr(1);
                    if (std::uint32_t code = copy(name, name, destinationOf("DefaultDestDir")))
                        return code;
                    continue;
                }
                const int files = inf.FindSection(list);
                if (files < 0) return ERROR_SECTION_NOT_FOUND;
                for (const InfLine& file : inf.sections()[files].lines) {
                    // "target[,source]": a plain line's only field, or a keyed line's key.
                    const std::string target = Field(inf, file, file.hasKey ? 0 : 1);
                    std::string sourceName = Field(inf, file, file.hasKey ? 1 : 2);
                    if (sourceName.empty()) sourceName = target;
                    if (target.empty()) continue;
                    if (std::uint32_t code = copy(target, sourceName, destinationOf(list)))
                        return code;
                }
            } else if (EqualNoCase(key, "AddReg")) {
                const int values = inf.FindSection(list);
                if (values < 0) return ERROR_SECTION_NOT_FOUND;
                // HKR lines without a subkey set values of the driver key.
                for (const InfLine& v : inf.sections()[values].lines) {
                    const bool keyed = v.hasKey;
                    const std::size_t base = keyed ? 0 : 1;
                    if (!EqualNoCase(Field(inf, v, base), "HKR") ||
                        !Field(inf, v, base + 1).empty())
                        continue;
                    DriverBinding::Value value{Field(inf, v, base + 2), REG_SZ, {}};
                    const std::uint32_t flags = Number(Field(inf, v, base + 3));
                    if (flags == 0) {
                        value.data = Bytes(Field(inf, v, base + 4));
                    } else if (flags == 1) {
                        value.type = REG_BINARY;
                        for (std::size_t b = base + 4; b < v.fields.size(); ++b)
                            value.data.push_back(static_cast<std::uint8_t>(
                                std::strtoul(Field(inf, v, b).c_str(), nullptr, 16)));
                    } else if (flags == 0x10001) {
                        value.type = REG_DWORD;
                        const std::uint32_t n = Number(Field(inf, v, base + 4));
                        value.data = {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                                      static_cast<std::uint8_t>(n >> 16),
                                      static_cast<std::uint8_t>(n >> 24)};
                    } else {
                        continue;  // other value kinds are not used by driver packages here
                    }
                    binding.driverValues.push_back(std::move(value));
                }
            }
        }
    }

    // <install>.Services: AddService=name,flags,service-install-section.
    const int services = inf.FindSection(section + ".Services");
    if (services < 0) return ERROR_SUCCESS;
    for (const InfLine& line : inf.sections()[services].lines) {
        if (!line.hasKey || !EqualNoCase(inf.Substitute(line.fields[0]), "AddService")) continue;
        const std::string name = Field(inf, line, 1);
        const std::uint32_t flags = Number(Field(inf, line, 2));
        const std::string install = Field(inf, line, 3);
        if (name.empty() || inf.FindSection(install) < 0) return ERROR_SECTION_NOT_FOUND;
        const std::uint32_t code = AddDriverService(
            machine_, name, inf.Value(install, "DisplayName"),
            Number(inf.Value(install, "ServiceType")), Number(inf.Value(install, "StartType")),
            Number(inf.Value(install, "ErrorControl")),
            ImagePath(inf.Value(install, "ServiceBinary")));
        if (code != ERROR_SUCCESS) return code;
        if (flags & 0x2) binding.service = name;  // SPSVCINST_ASSOCSERVICE: the device's own
    }
    return ERROR_SUCCESS;
}

bool SimDeviceInstallation::UpdateDriverForPlugAndPlayDevicesA(plat::WindowRef,
                                                               const char* hardwareId,
                                                               const char* fullInfPath,
                                                               std::uint32_t installFlags,
                                                               bool* rebootRequired) {
    if (!hardwareId || !fullInfPath) return Fail(ERROR_INVALID_PARAMETER);
    const std::string infPath = files_.Absolute(fullInfPath);
    if (std::uint32_t fault =
            InjectedFault(machine_, "UpdateDriverForPlugAndPlayDevicesA", infPath))
        return Fail(fault);
    if (installFlags &
        ~static_cast<std::uint32_t>(INSTALLFLAG_FORCE | INSTALLFLAG_READONLY |
                                    INSTALLFLAG_NONINTERACTIVE))
        return Fail(ERROR_INVALID_FLAGS);
    // newdev refuses a 32-bit caller on 64-bit Windows: drivers are installed by native code.
    if (process_.bits == 32 && machine_.settings().is64Bit()) return Fail(ERROR_IN_WOW64);

    InfText inf;
    std::uint32_t line = 0;
    if (std::uint32_t code = ReadInf(infPath.c_str(), INF_STYLE_WIN4, inf, line))
        return Fail(code);

    std::vector<std::string> devices;
    for (const DeviceRecord& d : ReadDevices(machine_)) {
        if (!d.present) continue;
        for (const std::string& id : d.hardwareIds)
            if (EqualNoCase(id, hardwareId)) {
                devices.push_back(d.instanceId);
                break;
            }
    }
    if (devices.empty()) return Fail(ERROR_NO_SUCH_DEVINST);

    // The first model of a manufacturer's section for this platform listing the id.
    const int bits = process_.bits;
    DriverBinding binding;
    std::string installSection;
    const int manufacturers = inf.FindSection("Manufacturer");
    for (std::size_t m = 0; manufacturers >= 0 && installSection.empty() &&
                            m < inf.sections()[manufacturers].lines.size();
         ++m) {
        const InfLine& maker = inf.sections()[manufacturers].lines[m];
        std::string models = Field(inf, maker, 1);
        for (std::size_t d = 2; d < maker.fields.size(); ++d) {
            const std::string decoration = Field(inf, maker, d);
            if (EqualNoCase(decoration.substr(0, std::strlen(Decoration(bits))), Decoration(bits)) ||
                EqualNoCase(decoration, "NT")) {
                models += "." + decoration;
                break;
            }
        }
        const int s = inf.FindSection(models);
        if (s < 0) continue;
        for (const InfLine& model : inf.sections()[s].lines) {
            bool listed = false;
            for (std::size_t f = 2; f < model.fields.size() && !listed; ++f)
                listed = EqualNoCase(Field(inf, model, f), hardwareId);
            if (!listed) continue;
            installSection = Field(inf, model, 1);
            binding.description = Field(inf, model, 0);
            binding.manufacturer = Field(inf, maker, 0);
            break;
        }
    }
    if (installSection.empty()) return Fail(ERROR_NO_DRIVER_SELECTED);

    installSection = DecoratedSection(inf, installSection, bits);
    if (std::uint32_t code = RunInstallSection(inf, DirectoryOf(infPath), installSection, binding))
        return Fail(code);

    std::vector<std::uint8_t> bytes;
    if (!files_.ReadWholeFile(infPath.c_str(), bytes)) return false;
    std::string copy;
    if (std::uint32_t code = CopyOemInf(infPath, bytes, DirectoryOf(infPath), 0, copy))
        return Fail(code);

    binding.className = inf.Value("Version", "Class");
    binding.classGuid = inf.Value("Version", "ClassGUID");
    plat::GUID guid{};
    if (ParseGuid(binding.classGuid, guid)) binding.classGuid = GuidText(guid);
    binding.infPath = NameOf(copy);
    binding.infSection = installSection;
    binding.matchingDeviceId = hardwareId;
    for (char& c : binding.matchingDeviceId)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    binding.provider = inf.Value("Version", "Provider");
    if (const InfLine* version = FindLine(inf, "Version", "DriverVer")) {
        binding.driverDate = Field(inf, *version, 1);
        binding.driverVersion = Field(inf, *version, 2);
    }
    if (std::uint32_t code = BindDriver(machine_, devices, binding)) return Fail(code);
    if (rebootRequired) *rebootRequired = false;
    error_.SetLastError(ERROR_SUCCESS);
    return true;
}

}  // namespace sim
