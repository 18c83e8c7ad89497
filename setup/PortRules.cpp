// The ".PORT" reads of the page switch.
#include "setup/PortRules.h"

#include "common/text.h"
#include "package/ProfileReaders.h"

namespace setup {

namespace {
// Section names are formed in 200-character buffers.
constexpr std::size_t kSectionCapacity = 200;

int Read(plat::Platform& platform, const PortSection& port, const char* key) {
    return pkg::ReadProfileInt(platform, port.file.c_str(), port.section.c_str(), key);
}
}  // namespace

PortSection MakePortSection(const std::string& seriesFile, const std::string& modelName) {
    char section[kSectionCapacity];
    common::CopyCut(section, sizeof section, modelName + ".PORT");
    return PortSection{seriesFile, section};
}

bool AdvancedSetupAllowed(plat::Platform& platform, const PortSection& port) {
    return Read(platform, port, "AdvancedSetup") != 0;
}

OsSupport ReadOsSupport(plat::Platform& platform, const PortSection& port) {
    OsSupport support;
    support.server2003 = Read(platform, port, "System2003Supported") != 0;
    support.vista = Read(platform, port, "SystemVistaSupported") != 0;
    support.nt = Read(platform, port, "SystemNTSupported") != 0;
    support.server2008 = Read(platform, port, "System2008Supported") != 0;
    support.windows7 = Read(platform, port, "SystemWin7Supported") != 0;
    return support;
}

const char* OsRefusalKey(int osIndex, const OsSupport& support) {
    switch (osIndex) {
    case 1: return support.nt ? nullptr : "IDS_NOTSUPPORTNT";
    case 4: return support.server2003 ? nullptr : "IDS_NOTSUPPORT2003";
    case 5: return support.vista ? nullptr : "IDS_NOTSUPPORTVISTA";
    case 6: return support.server2008 ? nullptr : "IDS_NOTSUPPORT2008";
    case 7: return support.windows7 ? nullptr : "IDS_NOTSUPPORTWin7";
    default: return nullptr;
    }
}

int ReadBaudRate(plat::Platform& platform, const PortSection& port) {
    return Read(platform, port, "BaudRate");
}

}  // namespace setup
