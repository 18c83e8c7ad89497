// INF files on the simulated machine: SetupAPI's INF reader over the process's file system.
#include <cstring>
#include <string>
#include <vector>

#include "platform/sim/api/call_faults.h"
#include "platform/sim/api/device_installation.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

// The setup classes every Windows installs, as HKLM\SYSTEM\CurrentControlSet\Control\Class
// lists them: the ones the package's INF files and the device installer use.
struct SetupClass {
    const char* name;
    const char* guid;
};
constexpr SetupClass kSetupClasses[] = {
    {"Ports", "{4D36E978-E325-11CE-BFC1-08002BE10318}"},
    {"Printer", "{4D36E979-E325-11CE-BFC1-08002BE10318}"},
    {"USB", "{36FC9E60-C465-11CF-8056-444553540000}"},
    {"Modem", "{4D36E96D-E325-11CE-BFC1-08002BE10318}"},
    {"MultiPortSerial", "{50906CB8-BA12-11D1-BF5D-0000F805F530}"},
    {"Image", "{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}"},
    {"Display", "{4D36E968-E325-11CE-BFC1-08002BE10318}"},
};

// Copies text with its terminating zero when it fits; the size is reported either way.
bool CopyOut(const std::string& text, char* buffer, std::uint32_t size,
             std::uint32_t* requiredSize, plat::LastError& error) {
    const std::size_t needed = text.size() + 1;
    if (requiredSize) *requiredSize = static_cast<std::uint32_t>(needed);
    if (!buffer) return true;
    if (size < needed) {
        error.SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return false;
    }
    std::memcpy(buffer, text.c_str(), needed);
    return true;
}

}  // namespace

std::string SetupClassName(const plat::GUID& guid) {
    for (const SetupClass& c : kSetupClasses) {
        plat::GUID known{};
        if (ParseGuid(c.guid, known) && std::memcmp(&known, &guid, sizeof guid) == 0)
            return c.name;
    }
    return {};
}

std::uint32_t SimDeviceInstallation::ReadInf(const char* fileName, std::uint32_t style,
                                             InfText& out, std::uint32_t& errorLine) {
    errorLine = 0;
    std::vector<std::uint8_t> bytes;
    if (!files_.ReadWholeFile(fileName, bytes)) return error_.GetLastError();
    if (!(style & INF_STYLE_WIN4)) return ERROR_WRONG_INF_STYLE;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (std::uint32_t code = InfText::Parse(text, machine_.settings().codePage, out, errorLine))
        return code;
    return out.HasWin4Signature() ? ERROR_SUCCESS : ERROR_WRONG_INF_STYLE;
}

plat::InfHandle SimDeviceInstallation::SetupOpenInfFileA(const char* fileName,
                                                         std::uint32_t style,
                                                         std::uint32_t* errorLine) {
    if (!fileName) {
        Fail(ERROR_INVALID_PARAMETER);
        return plat::kInvalidInf;
    }
    if (std::uint32_t fault =
            InjectedFault(machine_, "SetupOpenInfFileA", files_.Absolute(fileName))) {
        Fail(fault);
        return plat::kInvalidInf;
    }
    auto text = std::make_unique<InfText>();
    std::uint32_t line = 0;
    const std::uint32_t code = ReadInf(fileName, style, *text, line);
    if (errorLine) *errorLine = line;
    if (code != ERROR_SUCCESS) {
        Fail(code);
        return plat::kInvalidInf;
    }
    const std::uintptr_t handle = nextInf_;
    nextInf_ += 0x10;
    infs_[handle] = std::move(text);
    error_.SetLastError(ERROR_SUCCESS);
    return reinterpret_cast<plat::InfHandle>(handle);
}

void SimDeviceInstallation::SetupCloseInfFile(plat::InfHandle inf) {
    infs_.erase(reinterpret_cast<std::uintptr_t>(inf));
}

const InfText* SimDeviceInstallation::Open(plat::InfHandle inf) const {
    const auto it = infs_.find(reinterpret_cast<std::uintptr_t>(inf));
    return it == infs_.end() ? nullptr : it->second.get();
}

bool SimDeviceInstallation::FindFrom(const InfText& text, plat::InfHandle inf,
                                     std::uint32_t section, std::uint32_t line, const char* key,
                                     plat::INFCONTEXT& out) {
    const std::vector<InfLine>& lines = text.sections()[section].lines;
    for (std::size_t l = line; l < lines.size(); ++l) {
        if (key && !(lines[l].hasKey && EqualNoCase(text.Substitute(lines[l].fields[0]), key)))
            continue;
        out = {inf, inf, section, static_cast<std::uint32_t>(l)};
        error_.SetLastError(ERROR_SUCCESS);
        return true;
    }
    return Fail(ERROR_LINE_NOT_FOUND);
}

bool SimDeviceInstallation::SetupFindFirstLineA(plat::InfHandle inf, const char* section,
                                                const char* key, plat::INFCONTEXT& context) {
    if (std::uint32_t fault = InjectedFault(machine_, "SetupFindFirstLineA"))
        return Fail(fault);
    const InfText* text = Open(inf);
    if (!text) return Fail(ERROR_INVALID_HANDLE);
    if (!section) return Fail(ERROR_INVALID_PARAMETER);
    const int s = text->FindSection(section);
    if (s < 0) return Fail(ERROR_LINE_NOT_FOUND);
    return FindFrom(*text, inf, static_cast<std::uint32_t>(s), 0, key, context);
}

bool SimDeviceInstallation::SetupFindNextLine(const plat::INFCONTEXT& in, plat::INFCONTEXT& out) {
    return SetupFindNextMatchLineA(in, nullptr, out);
}

bool SimDeviceInstallation::SetupFindNextMatchLineA(const plat::INFCONTEXT& in, const char* key,
                                                    plat::INFCONTEXT& out) {
    if (!LineOf(in)) return false;
    const InfText& text = *Open(in.Inf);
    return FindFrom(text, in.Inf, in.Section, in.Line + 1, key, out);
}

const InfLine* SimDeviceInstallation::LineOf(const plat::INFCONTEXT& context) {
    const InfText* text = Open(context.Inf);
    if (!text || context.Section >= text->sections().size() ||
        context.Line >= text->sections()[context.Section].lines.size()) {
        Fail(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return &text->sections()[context.Section].lines[context.Line];
}

std::uint32_t SimDeviceInstallation::SetupGetFieldCount(const plat::INFCONTEXT& context) {
    const InfLine* line = LineOf(context);
    if (!line) return 0;
    error_.SetLastError(ERROR_SUCCESS);
    return static_cast<std::uint32_t>(line->fields.size() - 1);
}

bool SimDeviceInstallation::SetupGetStringFieldA(const plat::INFCONTEXT& context,
                                                 std::uint32_t index, char* buffer,
                                                 std::uint32_t size,
                                                 std::uint32_t* requiredSize) {
    if (std::uint32_t fault = InjectedFault(machine_, "SetupGetStringFieldA"))
        return Fail(fault);
    const InfLine* line = LineOf(context);
    if (!line) return false;
    if (index >= line->fields.size() || (index == 0 && !line->hasKey))
        return Fail(ERROR_INVALID_PARAMETER);
    const std::string text = Open(context.Inf)->Substitute(line->fields[index]);
    if (!CopyOut(text, buffer, size, requiredSize, error_)) return false;
    error_.SetLastError(ERROR_SUCCESS);
    return true;
}

bool SimDeviceInstallation::SetupDiGetINFClassA(const char* infName, plat::GUID& classGuid,
                                                char* className, std::uint32_t size,
                                                std::uint32_t* requiredSize) {
    if (!infName) return Fail(ERROR_INVALID_PARAMETER);
    if (std::uint32_t fault =
            InjectedFault(machine_, "SetupDiGetINFClassA", files_.Absolute(infName)))
        return Fail(fault);
    InfText text;
    std::uint32_t line = 0;
    if (std::uint32_t code = ReadInf(infName, INF_STYLE_WIN4, text, line)) return Fail(code);
    std::string name = text.Value("Version", "Class");
    const std::string guidText = text.Value("Version", "ClassGUID");
    plat::GUID guid{};
    const bool hasGuid = ParseGuid(guidText, guid);
    if (name.empty() && hasGuid) name = SetupClassName(guid);
    if (name.empty()) return Fail(ERROR_INVALID_CLASS);
    classGuid = guid;
    if (!CopyOut(name, className, size, requiredSize, error_)) return false;
    error_.SetLastError(ERROR_SUCCESS);
    return true;
}

bool SimDeviceInstallation::SetupDiClassGuidsFromNameA(const char* className, plat::GUID* list,
                                                       std::uint32_t size,
                                                       std::uint32_t& requiredSize) {
    if (!className) return Fail(ERROR_INVALID_PARAMETER);
    if (std::uint32_t fault = InjectedFault(machine_, "SetupDiClassGuidsFromNameA", className))
        return Fail(fault);
    std::vector<plat::GUID> found;
    for (const SetupClass& c : kSetupClasses) {
        plat::GUID guid{};
        if (EqualNoCase(c.name, className) && ParseGuid(c.guid, guid)) found.push_back(guid);
    }
    requiredSize = static_cast<std::uint32_t>(found.size());
    if (found.size() > size) return Fail(ERROR_INSUFFICIENT_BUFFER);
    for (std::size_t i = 0; i < found.size(); ++i) list[i] = found[i];
    error_.SetLastError(ERROR_SUCCESS);
    return true;
}

}  // namespace sim
