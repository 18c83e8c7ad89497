// The OS index table and the driver flavours' key prefixes.
#include "package/PackageTypes.h"

namespace pkg {

namespace {
constexpr const char* kOsSuffixes[kOsCount] = {".98",   ".NT",    ".2K",   ".XP",
                                               ".2003", ".Vista", ".2008", ".Win7"};
}

const char* OsSuffix(int os) { return os >= 0 && os < kOsCount ? kOsSuffixes[os] : ""; }

std::uint32_t DriverRecordVersion(int os) {
    if (os == 0) return 0;
    if (os == 1) return 2;
    return 3;
}

bool UsesWindows40Environment(int os) { return os == 0; }

const char* FlavourPrefix(Flavour flavour) { return flavour == Flavour::Raster ? "GDI" : "STD"; }

}  // namespace pkg
