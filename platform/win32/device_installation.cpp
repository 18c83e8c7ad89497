// Device installation on Windows: SetupIterateCabinetA with a stdcall trampoline that carries
// the portable callback as its context and translates SetupAPI's records (packed to one byte
// on 32-bit Windows) to the portable ones and back.
#include "platform/win32/device_installation.h"

#include <setupapi.h>

#include <cstring>

#include "platform/win_constants.h"

namespace win32 {

namespace {

static_assert(sizeof(plat::FILE_IN_CABINET_INFO_A::FullTargetName) ==
              sizeof(::FILE_IN_CABINET_INFO_A::FullTargetName));

UINT Forward(const plat::CabinetCallback& callback, UINT notification, UINT_PTR param1,
             UINT_PTR param2) {
    switch (notification) {
    case SPFILENOTIFY_CABINETINFO: {
        const auto* theirs = reinterpret_cast<const ::CABINET_INFO_A*>(param1);
        plat::CABINET_INFO_A ours{theirs->CabinetPath, theirs->CabinetFile, theirs->DiskName,
                                  theirs->SetId, theirs->CabinetNumber};
        return callback(notification, reinterpret_cast<std::uintptr_t>(&ours), param2);
    }
    case SPFILENOTIFY_FILEINCABINET: {
        auto* theirs = reinterpret_cast<::FILE_IN_CABINET_INFO_A*>(param1);
        plat::FILE_IN_CABINET_INFO_A ours{};
        ours.NameInCabinet = theirs->NameInCabinet;
        ours.FileSize = theirs->FileSize;
        ours.Win32Error = theirs->Win32Error;
        ours.DosDate = theirs->DosDate;
        ours.DosTime = theirs->DosTime;
        ours.DosAttribs = theirs->DosAttribs;
        std::memcpy(ours.FullTargetName, theirs->FullTargetName, sizeof ours.FullTargetName);
        const UINT answer =
            callback(notification, reinterpret_cast<std::uintptr_t>(&ours), param2);
        theirs->Win32Error = ours.Win32Error;
        std::memcpy(theirs->FullTargetName, ours.FullTargetName, sizeof ours.FullTargetName);
        return answer;
    }
    case SPFILENOTIFY_FILEEXTRACTED: {
        const auto* theirs = reinterpret_cast<const ::FILEPATHS_A*>(param1);
        plat::FILEPATHS_A ours{theirs->Target, theirs->Source, theirs->Win32Error,
                               theirs->Flags};
        return callback(notification, reinterpret_cast<std::uintptr_t>(&ours), param2);
    }
    default:
        return callback(notification, param1, param2);
    }
}

UINT CALLBACK Trampoline(PVOID context, UINT notification, UINT_PTR param1, UINT_PTR param2) {
    const auto& callback = *static_cast<const plat::CabinetCallback*>(context);
    // No exception may unwind through SetupAPI's frames: it ends the iteration instead.
    try {
        return Forward(callback, notification, param1, param2);
    } catch (...) {
        if (notification != SPFILENOTIFY_FILEINCABINET) return ERROR_NOT_ENOUGH_MEMORY;
        reinterpret_cast<::FILE_IN_CABINET_INFO_A*>(param1)->Win32Error = ERROR_NOT_ENOUGH_MEMORY;
        return FILEOP_ABORT;
    }
}

}  // namespace

bool Win32DeviceInstallation::SetupIterateCabinetA(const char* cabinetFile,
                                                   const plat::CabinetCallback& callback) {
    if (!callback) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return ::SetupIterateCabinetA(cabinetFile, 0, Trampoline,
                                  const_cast<plat::CabinetCallback*>(&callback)) != FALSE;
}

}  // namespace win32
