// Device installation on the simulated machine: SetupIterateCabinetA over libmspack.
#include "platform/sim/api/device_installation.h"

#include <cstring>
#include <string>
#include <vector>

#include "platform/sim/api/cabinet_reader.h"
#include "platform/sim/api/call_faults.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

// The directory part of a path with its trailing backslash, as CABINET_INFO_A's CabinetPath.
std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

bool SimDeviceInstallation::Fail(std::uint32_t code) {
    error_.SetLastError(code);
    return false;
}

bool SimDeviceInstallation::SetupIterateCabinetA(const char* cabinetFile,
                                                 const plat::CabinetCallback& callback) {
    if (!cabinetFile || !callback) return Fail(ERROR_INVALID_PARAMETER);
    const std::string cabinetPath = files_.Absolute(cabinetFile);
    if (std::uint32_t fault = InjectedFault(machine_, "SetupIterateCabinetA", cabinetPath))
        return Fail(fault);

    std::vector<std::uint8_t> bytes;
    if (!files_.ReadWholeFile(cabinetPath.c_str(), bytes)) {
        const std::uint32_t code = error_.GetLastError();
        // Whether the file or its directory is missing, the cabinet is not found.
        return Fail(code == ERROR_PATH_NOT_FOUND ? ERROR_FILE_NOT_FOUND : code);
    }
    std::unique_ptr<CabinetReader> cabinet = CabinetReader::Open(std::move(bytes));
    if (!cabinet) return Fail(ERROR_INVALID_DATA);

    const std::string directory = DirectoryOf(cabinetPath);
    plat::CABINET_INFO_A info{directory.c_str(), cabinet->nextCabinet().c_str(),
                              cabinet->nextDisk().c_str(), cabinet->setId(),
                              cabinet->cabinetNumber()};
    callback(SPFILENOTIFY_CABINETINFO, reinterpret_cast<std::uintptr_t>(&info), 0);

    const std::vector<CabinetEntry>& entries = cabinet->entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const CabinetEntry& entry = entries[i];
        plat::FILE_IN_CABINET_INFO_A file{};
        file.NameInCabinet = entry.name.c_str();
        file.FileSize = entry.size;
        file.Win32Error = NO_ERROR;
        file.DosDate = entry.dosDate;
        file.DosTime = entry.dosTime;
        file.DosAttribs = entry.attributes;
        const std::uint32_t answer =
            callback(SPFILENOTIFY_FILEINCABINET, reinterpret_cast<std::uintptr_t>(&file),
                     reinterpret_cast<std::uintptr_t>(cabinetPath.c_str()));
        if (answer == FILEOP_SKIP) continue;
        if (answer != FILEOP_DOIT) return Fail(file.Win32Error);

        // The callback may have filled the whole buffer: read no further than its end.
        const std::string target(file.FullTargetName,
                                 strnlen(file.FullTargetName, sizeof file.FullTargetName));
        std::vector<std::uint8_t> content;
        if (!cabinet->Extract(i, content)) return Fail(ERROR_INVALID_DATA);
        if (!files_.WriteWholeFile(target.c_str(), content)) return false;  // its error stands

        plat::FILEPATHS_A paths{target.c_str(), cabinetPath.c_str(), NO_ERROR, 0};
        const std::uint32_t extracted = callback(
            SPFILENOTIFY_FILEEXTRACTED, reinterpret_cast<std::uintptr_t>(&paths), 0);
        if (extracted != NO_ERROR) return Fail(extracted);
    }
    return true;
}

}  // namespace sim
