// Device installation: device information sets, driver binding, INF files and cabinets
// (SetupAPI, newdev).
#pragma once
#include <cstdint>
#include <functional>

namespace plat {

// The records SetupIterateCabinetA hands its callback. Windows packs SetupAPI's records to one
// byte on 32-bit Windows; the Win32 side translates, so these layouts are the natural ones.

// CABINET_INFO_A: SPFILENOTIFY_CABINETINFO's param1. CabinetFile and DiskName name the next
// cabinet of a set ("" when there is none); the answer is ignored.
struct CABINET_INFO_A {
    const char* CabinetPath;
    const char* CabinetFile;
    const char* DiskName;
    std::uint16_t SetId;
    std::uint16_t CabinetNumber;
};

// FILE_IN_CABINET_INFO_A: SPFILENOTIFY_FILEINCABINET's param1 (param2 is the cabinet's path).
// The callback fills FullTargetName when it answers FILEOP_DOIT, and Win32Error with the error
// the iteration is to end with when it answers FILEOP_ABORT.
struct FILE_IN_CABINET_INFO_A {
    const char* NameInCabinet;
    std::uint32_t FileSize;
    std::uint32_t Win32Error;
    std::uint16_t DosDate;
    std::uint16_t DosTime;
    std::uint16_t DosAttribs;
    char FullTargetName[260];
};

// FILEPATHS_A: SPFILENOTIFY_FILEEXTRACTED's param1: the file written (Target) from the cabinet
// (Source). An answer other than NO_ERROR ends the iteration with that error.
struct FILEPATHS_A {
    const char* Target;
    const char* Source;
    std::uint32_t Win32Error;
    std::uint32_t Flags;
};

// The callback of SetupIterateCabinetA: a notification (SPFILENOTIFY_*) with its two
// parameters; the answer is the notification's (FILEOP_DOIT, FILEOP_SKIP, NO_ERROR, ...).
using CabinetCallback =
    std::function<std::uint32_t(std::uint32_t notification, std::uintptr_t param1,
                                 std::uintptr_t param2)>;

class DeviceInstallation {
public:
    virtual ~DeviceInstallation() = default;

    // SetupIterateCabinetA(cabinetFile, 0, callback, context). Sends SPFILENOTIFY_CABINETINFO
    // once, then for each file in cabinet order SPFILENOTIFY_FILEINCABINET; a file answered
    // FILEOP_DOIT is written to the FullTargetName the callback set (created or replaced) and
    // reported with SPFILENOTIFY_FILEEXTRACTED; FILEOP_SKIP goes on with the next file.
    // True when every file was answered. False with the last error:
    //  - ERROR_FILE_NOT_FOUND: no such cabinet (also when its directory is missing);
    //  - ERROR_INVALID_DATA: the file is no cabinet, or its data is damaged (files before the
    //    damage may have been extracted);
    //  - the Win32Error the callback set when it answers FILEOP_ABORT, or its non-zero answer
    //    to SPFILENOTIFY_FILEEXTRACTED;
    //  - the error of writing the target (ERROR_PATH_NOT_FOUND when its directory is missing,
    //    ERROR_SHARING_VIOLATION, ERROR_ACCESS_DENIED), which ends the iteration at that file.
    virtual bool SetupIterateCabinetA(const char* cabinetFile,
                                      const CabinetCallback& callback) = 0;
};

}  // namespace plat
