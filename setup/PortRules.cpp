// The ".PORT" reads of the page switch.
#include "setup/PortRules.h"

#include <algorithm>

#include "common/text.h"
#include "package/ProfileReaders.h"

namespace setup {

namespace {
// Section names are formed in 200-character buffers.
constexpr std::size_t kSectionCapacity = 200;
// The port combo box's text buffer holds 99 characters.
constexpr std::size_t kPortNameLength = 99;

void AddNumbered(std::vector<std::string>& ports, const std::string& prefix, int first, int last,
                 const char* suffix) {
    for (int i = first; i <= last; ++i) {
        std::string name = prefix + std::to_string(i) + suffix;
        if (name.size() > kPortNameLength) name.resize(kPortNameLength);
        ports.push_back(name);
    }
}

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

int FirstContaining(const std::vector<std::string>& entries, const char* part) {
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (Contains(entries[i], part)) return static_cast<int>(i);
    return -1;
}

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

PortKeys ReadPortKeys(plat::Platform& platform, const PortSection& port) {
    PortKeys keys;
    keys.usb = Read(platform, port, "USBSUPPORTED") != 0;
    keys.lpt = Read(platform, port, "LPTSUPPORTED") != 0;
    keys.com = Read(platform, port, "COMSUPPORTED") != 0;
    keys.net = Read(platform, port, "NETSUPPORTED") != 0;
    keys.lptDefault = Read(platform, port, "LPTDEFAULT") != 0;
    keys.rasterVisible = Read(platform, port, "RASTERVISIABLE");
    return keys;
}

bool OffersUsbPorts(const PortKeys& keys, int osIndex) { return keys.usb && osIndex != 1; }

std::vector<std::string> OfferedPorts(const PortKeys& keys, const PortListFor& list) {
    std::vector<std::string> ports;
    if (list.osIndex == 0) {
        // Windows 98/Me packages use the two keys the other way round.
        if (keys.lpt) AddNumbered(ports, "COM", 1, 2, ":");
        if (keys.com) AddNumbered(ports, "LPT", 1, 1, ":");
    } else {
        if (keys.lpt) AddNumbered(ports, "LPT", 1, 3, ":");
        // 32-bit systems print to serial ports through the package's own port monitor.
        if (keys.com) AddNumbered(ports, list.is64Bit ? "COM" : "ZKCOM", 1, 8, ":");
    }
    if (keys.net) ports.push_back("NET:");
    if (OffersUsbPorts(keys, list.osIndex))
        AddNumbered(ports, "USB_" + list.modelName + "_", 1, list.typical ? 1 : 4, "");
    return ports;
}

int PreselectedPort(const std::vector<std::string>& entries, const PortKeys& keys, bool typical,
                    int usbPort) {
    if (entries.empty()) return -1;
    const bool lptFirst = keys.lptDefault && keys.lpt;
    const int byDefault = lptFirst ? std::max(FirstContaining(entries, "LPT"), 0) : 0;
    if (usbPort == 0) return byDefault;
    if (typical) {
        const int usb = FirstContaining(entries, "USB");
        return usb < 0 ? byDefault : usb;
    }
    // Advanced: the USB port the printer is numbered for; ports 5 to 8 have no entry. The
    // number is matched at the end of the name, so a model name holding "_2" cannot pass for
    // port 2.
    if (usbPort > 4) return 0;
    // usbPort is 1 to 4 here: one digit.
    const std::string number = {'_', static_cast<char>('0' + usbPort)};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& e = entries[i];
        if (Contains(e, "USB") && e.size() >= number.size() &&
            e.compare(e.size() - number.size(), number.size(), number) == 0)
            return static_cast<int>(i);
    }
    return 0;
}

}  // namespace setup
