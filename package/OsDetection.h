// Which Windows the wizard runs on, as an OS index of the package configuration.
#pragma once
#include "platform/system_info.h"

namespace pkg {

struct DetectedOs {
    // OS index 0..7; 0 also for versions the table does not list and for unknown platforms.
    int index = 0;
    // The version is a row of the table, so the OS page checks its radio button. Off for the
    // 9x platform with minor version 0 and for versions outside the table.
    bool listed = false;
    // The platform is neither 9x nor NT: the wizard says it does not recognise the system.
    bool unknownPlatform = false;
    // Windows 2000 or later: installing needs an administrator. Also on for NT versions newer
    // than 6.1, which the table maps to index 0 but which are no less strict about rights.
    bool needsAdministrator = false;
};

// Reads the version, product type and processor architecture (the native one where the
// system can tell it) and maps them:
//   9x platform: minor 0 -> 0 (not listed); other minors (98/Me) -> 0
//   NT 4.x -> 1, 5.0 -> 2, 5.1 -> 3, 5.2 -> 3 on an AMD64 workstation (XP x64) else 4,
//   6.0 -> 5 on a workstation else 6, 6.1 -> 7 on a workstation else 6, others -> 0 (not listed)
// A version that cannot be read counts as an unknown platform.
DetectedOs DetectOs(plat::SystemInfo& system);

}  // namespace pkg
