// An open INF file with its setup class, and the first hardware id its models list.
#pragma once
#include <cstdint>
#include <string>

#include "platform/device_installation.h"
#include "platform/last_error.h"

namespace install {

class InfFile {
public:
    InfFile(plat::DeviceInstallation& devices, plat::LastError& lastError)
        : devices_(devices), lastError_(lastError) {}
    ~InfFile();
    InfFile(const InfFile&) = delete;
    InfFile& operator=(const InfFile&) = delete;

    // Opens the INF (INF_STYLE_WIN4) and reads its class name and GUID, looking the GUID up by
    // the name when the INF gives none. 0, or the error of the step that failed.
    std::uint32_t Open(const std::string& path);

    // The first hardware id of the first model of the first manufacturer (the line's fields 2
    // to n; "" for a model line without any). 0, or ERROR_NO_MORE_ITEMS when no model line is
    // reached, or the error of reading a field.
    std::uint32_t FindFirstHardwareId(std::string& hardwareId);

    const std::string& className() const { return className_; }
    const plat::GUID& classGuid() const { return classGuid_; }

private:
    // Field `index` of the line, read to its full length.
    std::uint32_t ReadField(const plat::INFCONTEXT& line, std::uint32_t index, std::string& out);
    // The first identifier of the section's first line, when the section has one.
    std::uint32_t FirstModelId(const std::string& section, std::string& hardwareId, bool& found);

    plat::DeviceInstallation& devices_;
    plat::LastError& lastError_;
    std::string path_;
    std::string className_;  // up to 63 characters
    plat::GUID classGuid_{};
    plat::InfHandle inf_ = plat::kInvalidInf;
};

}  // namespace install
