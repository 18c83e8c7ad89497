// The chosen model's ".PORT" section as the frame reads it between the pages: whether Advanced
// mode is allowed, which systems the model supports, and its preselected baud rate.
#pragma once
#include <string>

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

}  // namespace setup
