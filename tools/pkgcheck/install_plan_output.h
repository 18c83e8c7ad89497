// pkgcheck --plan: the installation steps setup would run for one model, system and port.
#pragma once
#include <ostream>
#include <string>

#include "platform/platform.h"

namespace pkgcheck {

struct PlanOptions {
    std::string model;
    std::string os;    // "98", "nt4", "2000", "xp", "2003", "vista", "2008", "win7", with -x86/-x64
    std::string port;  // "COM1:", "USB_<model>_1", "LPT1:", "NET:"
    bool raster = false;
};

// Reads the OS name into an OS index and word size; false for an unknown name.
bool ParsePlanOs(const std::string& name, int& os, bool& is64Bit);

// Prints the plan; returns false (with the reason on `out`) when the model or port is unknown.
bool PrintInstallPlan(plat::Platform& platform, const PlanOptions& options, std::ostream& out);

}  // namespace pkgcheck
