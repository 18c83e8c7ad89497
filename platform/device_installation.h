// Device installation: device information sets, driver binding, INF files and cabinets
// (SetupAPI, newdev).
#pragma once
#include <cstdint>
#include <functional>

namespace plat {

// FILE_IN_CABINET_INFO_A: what SPFILENOTIFY_FILEINCABINET hands the callback (param1). The
// callback fills FullTargetName when it answers FILEOP_DOIT. Windows packs SetupAPI's records
// to one byte on 32-bit Windows; the Win32 side translates, so this layout is the natural one.
struct FILE_IN_CABINET_INFO_A {
    const char* NameInCabinet;
    std::uint32_t FileSize;
    std::uint32_t Win32Error;
    std::uint16_t DosDate;
    std::uint16_t DosTime;
    std::uint16_t DosAttribs;
    char FullTargetName[260];
};

// The callback of SetupIterateCabinetA: a notification (SPFILENOTIFY_*) with its two
// parameters; the answer is the notification's (FILEOP_DOIT, FILEOP_SKIP, NO_ERROR, ...).
using CabinetCallback =
    std::function<std::uint32_t(std::uint32_t notification, std::uintptr_t param1,
                                 std::uintptr_t param2)>;

class DeviceInstallation {
public:
    virtual ~DeviceInstallation() = default;

    // SetupIterateCabinetA(cabinetFile, 0, callback, context): walks the cabinet's files, asks
    // the callback about each (SPFILENOTIFY_FILEINCABINET) and extracts those it answers
    // FILEOP_DOIT for into the FullTargetName it set, reporting each with
    // SPFILENOTIFY_FILEEXTRACTED. False with the last error when the cabinet cannot be opened
    // or read, or the callback aborts.
    virtual bool SetupIterateCabinetA(const char* cabinetFile,
                                      const CabinetCallback& callback) = 0;
};

}  // namespace plat
