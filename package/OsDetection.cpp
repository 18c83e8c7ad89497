// The OS index of the running Windows.
#include "package/OsDetection.h"

#include "platform/win_constants.h"
#include "package/PackageTypes.h"

namespace pkg {

namespace {

std::uint16_t NativeArchitecture(plat::SystemInfo& system) {
    std::uint16_t architecture = 0;
    if (system.GetNativeProcessorArchitecture(architecture)) return architecture;
    return system.GetProcessorArchitecture();
}

// The OS index of an NT version, or -1 when the table has no row for it.
int NtIndex(const plat::OsVersion& v, plat::SystemInfo& system) {
    bool workstation = v.productType == VER_NT_WORKSTATION;
    if (v.major == 4) return 1;
    if (v.major == 5 && v.minor == 0) return 2;
    if (v.major == 5 && v.minor == 1) return 3;
    if (v.major == 5 && v.minor == 2)
        return workstation && NativeArchitecture(system) == PROCESSOR_ARCHITECTURE_AMD64 ? 3 : 4;
    if (v.major == 6 && v.minor == 0) return workstation ? 5 : 6;
    if (v.major == 6 && v.minor == 1) return workstation ? 7 : 6;
    return -1;
}

}  // namespace

DetectedOs DetectOs(plat::SystemInfo& system) {
    DetectedOs os;
    plat::OsVersion v;
    if (!system.GetVersionExA(v)) {
        os.unknownPlatform = true;
        return os;
    }
    if (v.platformId == VER_PLATFORM_WIN32_WINDOWS) {
        os.listed = v.minor != 0;
        return os;
    }
    if (v.platformId != VER_PLATFORM_WIN32_NT) {
        os.unknownPlatform = true;
        return os;
    }
    os.needsAdministrator = v.major >= 5;
    int index = NtIndex(v, system);
    if (index >= 0) {
        os.index = index;
        os.listed = true;
    }
    return os;
}

}  // namespace pkg
