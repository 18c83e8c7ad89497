// The chosen model's ".PORT" section as the frame reads it between the pages: whether Advanced
// mode is allowed, which systems the model supports, and its preselected baud rate.
#pragma once
#include <string>
#include <vector>

#include "platform/platform.h"

namespace setup {

// The series file and section fixed when the model page is left forward; they stay in force
// for the OS gate until the model page is left forward again.
struct PortSection {
    std::string file;     // module-relative series file; empty when no series is chosen
    std::string section;  // model name + ".PORT", cut to 199 characters
};

PortSection MakePortSection(const std::string& seriesFile, const std::string& modelName);

bool AdvancedSetupAllowed(plat::Platform& platform, const PortSection& port);

// The support flags of the gated systems.
struct OsSupport {
    bool nt = false;
    bool server2003 = false;
    bool vista = false;
    bool server2008 = false;
    bool windows7 = false;
};

OsSupport ReadOsSupport(plat::Platform& platform, const PortSection& port);

// The Message key that refuses an OS index for a model, or null when the model may be installed
// there. OS indexes 0, 2 and 3 are never refused.
const char* OsRefusalKey(int osIndex, const OsSupport& support);

int ReadBaudRate(plat::Platform& platform, const PortSection& port);

// The port kinds a model offers and how the page presents them.
struct PortKeys {
    bool lpt = false;         // LPTSUPPORTED
    bool com = false;         // COMSUPPORTED
    bool net = false;         // NETSUPPORTED
    bool usb = false;         // USBSUPPORTED
    bool lptDefault = false;  // LPTDEFAULT
    int rasterVisible = -1;   // RASTERVISIABLE as written: 0 shows the raster box, 1 hides it
};

PortKeys ReadPortKeys(plat::Platform& platform, const PortSection& port);

// What decides the offered ports besides the model's keys.
struct PortListFor {
    std::string modelName;
    int osIndex = 0;       // 0: Windows 98/Me, 1: NT 4.0, ...
    bool typical = true;
    bool is64Bit = false;  // 64-bit Windows: the system's own COM ports
};

// The ports offered, in the order they are added (the combo box sorts them). Each name is cut
// to the combo box's 99 characters.
std::vector<std::string> OfferedPorts(const PortKeys& keys, const PortListFor& list);

// Whether a model offers USB ports at all on that system.
bool OffersUsbPorts(const PortKeys& keys, int osIndex);

// The entry preselected in the sorted list `entries`: -1 for none. `usbPort` is the port number
// 1 to 8 of the attached USB printer, 0 when none answered.
int PreselectedPort(const std::vector<std::string>& entries, const PortKeys& keys, bool typical,
                    int usbPort);

// The values the serial lists stand for, by entry index.
inline constexpr const char* kByteSizeEntries[] = {"5", "6", "7", "8"};
inline constexpr const char* kStopBitsEntries[] = {"1", "1.5", "2"};
inline constexpr const char* kParityKeys[] = {"Parity.Even", "Parity.Mark", "Parity.None",
                                              "Parity.Odd", "Parity.Space"};
inline constexpr char kParityLetters[] = {'e', 'm', 'n', 'o', 's'};
inline constexpr const char* kProtocolKeys[] = {"Protocol.None", "Protocol.Xonoff",
                                                "Protocol.Hardware"};
inline constexpr char kProtocolLetters[] = {' ', 'x', 'p'};

}  // namespace setup
