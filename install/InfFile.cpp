// Reading the virtual-port INF: its class and its first hardware id.
#include "install/InfFile.h"

#include <cstring>
#include <vector>

#include "platform/win_constants.h"

namespace install {

namespace {

constexpr std::uint32_t kClassNameSize = 64;

bool IsNullGuid(const plat::GUID& guid) {
    static const plat::GUID kNull{};
    return std::memcmp(&guid, &kNull, sizeof guid) == 0;
}

}  // namespace

InfFile::~InfFile() {
    if (inf_ != plat::kInvalidInf) devices_.SetupCloseInfFile(inf_);
}

std::uint32_t InfFile::Open(const std::string& path) {
    path_ = path;
    std::uint32_t errorLine = 0;
    inf_ = devices_.SetupOpenInfFileA(path.c_str(), INF_STYLE_WIN4, &errorLine);
    if (inf_ == plat::kInvalidInf) return lastError_.GetLastError();
    char name[kClassNameSize] = {};
    if (!devices_.SetupDiGetINFClassA(path.c_str(), classGuid_, name, kClassNameSize, nullptr))
        return lastError_.GetLastError();
    className_ = name;
    if (IsNullGuid(classGuid_)) {
        std::uint32_t count = 0;
        if (!devices_.SetupDiClassGuidsFromNameA(name, &classGuid_, 1, count))
            return lastError_.GetLastError();
    }
    return 0;
}

std::uint32_t InfFile::ReadField(const plat::INFCONTEXT& line, std::uint32_t index,
                                 std::string& out) {
    std::uint32_t required = 0;
    if (!devices_.SetupGetStringFieldA(line, index, nullptr, 0, &required)) return lastError_.GetLastError();
    std::vector<char> text(required + 1, '\0');
    if (!devices_.SetupGetStringFieldA(line, index, text.data(), required + 1, nullptr))
        return lastError_.GetLastError();
    out = text.data();
    return 0;
}

std::uint32_t InfFile::FirstModelId(const std::string& section, std::string& hardwareId,
                                    bool& found) {
    plat::INFCONTEXT model{};
    found = false;
    if (!devices_.SetupFindFirstLineA(inf_, section.c_str(), nullptr, model)) return 0;
    // A model line's fields 2 to n are its hardware ids; the first is the one wanted.
    found = true;
    hardwareId.clear();
    if (devices_.SetupGetFieldCount(model) < 2) return 0;
    return ReadField(model, 2, hardwareId);
}

std::uint32_t InfFile::FindFirstHardwareId(std::string& hardwareId) {
    plat::INFCONTEXT maker{};
    bool more = devices_.SetupFindFirstLineA(inf_, "Manufacturer", nullptr, maker);
    while (more) {
        std::string modelsSection;
        if (std::uint32_t error = ReadField(maker, 1, modelsSection)) return error;
        bool found = false;
        if (std::uint32_t error = FirstModelId(modelsSection, hardwareId, found)) return error;
        if (found) return 0;
        plat::INFCONTEXT current = maker;
        more = devices_.SetupFindNextLine(current, maker);
    }
    return ERROR_NO_MORE_ITEMS;
}

}  // namespace install
