// The system files a new machine carries where its Windows keeps them.
//
// | Windows            | universal-driver family                                    | components |
// |--------------------|------------------------------------------------------------|------------|
// | 2000               | Driver Cache\i386: driver.cab, sp4.cab                     | newdev.dll, wbem\framedyn.dll (no System Restore, so no srclient.dll) |
// | XP (x86)           | Driver Cache\i386: driver.cab, sp3.cab                     | newdev.dll, srclient.dll, wbem\framedyn.dll |
// | XP x64, 2003       | Driver Cache\i386: driver.cab, sp2.cab; x64 also AMD64\    | newdev.dll, wbem\framedyn.dll; XP x64 also srclient.dll |
// | Vista, 2008, 7     | DriverStore\FileRepository\ntprint.inf_<arch>_neutral_<hex> | newdev.dll, framedyn.dll (in System32 itself); workstations also srclient.dll |
// | 8.1, 10            | DriverStore\FileRepository\ntprint.inf_amd64_<hex>         | as Vista |
// A 64-bit machine keeps its native files in System32 and the 32-bit components in SysWOW64;
// its driver store holds the 64-bit family (Amd64) only.
#include "platform/sim/state/system_file_seeding.h"

#include <system_error>

#include "platform/sim/state/host_file.h"

#ifndef PKG_SYSTEM_FILES_DIR
#error "the build passes PKG_SYSTEM_FILES_DIR, where it made the system cabinets"
#endif

namespace sim {

namespace {

const char* const kFamily[] = {"unidrvui.dll", "unidrv.dll",   "unires.dll",
                               "unidrv.hlp",   "stdnames.gpd", "ttfsub.gpd"};

const char* WhatItIs(const std::string& name) {
    if (name == "unidrv.dll") return "the universal printer driver (rendering)";
    if (name == "unidrvui.dll") return "the universal printer driver (user interface)";
    if (name == "unires.dll") return "the universal printer driver (resources)";
    if (name == "unidrv.hlp") return "the universal printer driver (help)";
    if (name == "stdnames.gpd") return "the universal printer driver (standard names)";
    if (name == "ttfsub.gpd") return "the universal printer driver (font substitution)";
    if (name == "newdev.dll") return "the device installation library";
    if (name == "srclient.dll") return "the System Restore client library";
    if (name == "framedyn.dll") return "the WMI provider framework library";
    return "a system file";
}

std::string StandIn(const std::string& name, const MachineSettings& s, const char* arch,
                    const char* where) {
    return name + ": stand-in for " + WhatItIs(name) + " of " + s.productName + " (" + arch +
           "), " + where + "\r\n";
}

// The driver store's folder name of ntprint.inf for a version and architecture; the hex part
// stands for the package's hash, fixed per version so that machines of a preset agree.
std::string NtprintFolder(const MachineSettings& s) {
    const bool x64 = s.is64Bit();
    const char* hex = nullptr;
    if (s.major == 6 && s.minor == 0) hex = x64 ? "9c3e51d07a2b68f4" : "4a1f0c8be2d37956";
    else if (s.major == 6 && s.minor == 1) hex = x64 ? "0e6a4f2c8d91b357" : "b7d2e08f91c4a635";
    else if (s.major == 6) hex = "5d8b0a3e17f2c964";
    else hex = "e2c47b9a05d16f38";
    // Windows 8 dropped "neutral" from the folder names.
    const bool neutral = s.major == 6 && s.minor <= 1;
    return std::string("ntprint.inf_") + (x64 ? "amd64" : "x86") + (neutral ? "_neutral_" : "_") +
           hex;
}

void AddCabinets(std::vector<SystemFile>& out, const std::string& folder,
                 const std::string& driverCabinet, const std::string& packCabinet,
                 const std::string& packName) {
    out.push_back({folder + "\\driver.cab", driverCabinet, {}});
    out.push_back({folder + "\\" + packName, packCabinet, {}});
}

}  // namespace

std::vector<SystemFile> SystemFilesFor(const MachineSettings& s) {
    std::vector<SystemFile> out;
    if (s.platformId != 2 || s.major < 5) return out;
    const bool x64 = s.is64Bit();
    const std::string cache = s.windowsDir + "\\Driver Cache";
    const std::string system = s.systemDir();
    const bool workstation = s.productType == 1;

    bool srclient = false, framedynInWbem = true;
    if (s.major == 5 && s.minor == 0) {
        AddCabinets(out, cache + "\\i386", "windows-2000-i386-driver", "windows-2000-i386-sp4",
                    "sp4.cab");
    } else if (s.major == 5 && s.minor == 1) {
        AddCabinets(out, cache + "\\i386", "xp-i386-driver", "xp-i386-sp3", "sp3.cab");
        srclient = true;
    } else if (s.major == 5) {
        AddCabinets(out, cache + "\\i386", "server-2003-i386-driver", "server-2003-i386-sp2",
                    "sp2.cab");
        if (x64)
            AddCabinets(out, cache + "\\AMD64", "server-2003-amd64-driver",
                        "server-2003-amd64-sp2", "sp2.cab");
        srclient = workstation;
    } else {
        const std::string store = system + "\\DriverStore\\FileRepository\\" + NtprintFolder(s) +
                                  (x64 ? "\\Amd64" : "\\I386");
        for (const char* name : kFamily)
            out.push_back({store + "\\" + name, {},
                           StandIn(name, s, x64 ? "x64" : "x86", "from the driver store")});
        srclient = workstation;
        framedynInWbem = false;
    }

    // The components in the native system directory and, on 64-bit machines, their 32-bit
    // copies in SysWOW64.
    struct Dir {
        std::string path;
        const char* arch;
    };
    std::vector<Dir> dirs = {{system, x64 ? "x64" : "x86"}};
    if (x64) dirs.push_back({s.systemWow64Dir(), "x86"});
    for (const Dir& d : dirs) {
        out.push_back({d.path + "\\newdev.dll", {},
                       StandIn("newdev.dll", s, d.arch, "a system component")});
        if (srclient)
            out.push_back({d.path + "\\srclient.dll", {},
                           StandIn("srclient.dll", s, d.arch, "a system component")});
        out.push_back({d.path + (framedynInWbem ? "\\wbem" : "") + "\\framedyn.dll", {},
                       StandIn("framedyn.dll", s, d.arch, "a system component")});
    }
    return out;
}

std::filesystem::path BuiltCabinetsDirectory() { return PKG_SYSTEM_FILES_DIR; }

bool SeedSystemFiles(const Machine& machine, std::string& error) {
    for (const SystemFile& f : SystemFilesFor(machine.settings())) {
        std::string bytes = f.text;
        if (!f.cabinet.empty()) {
            const std::filesystem::path built = BuiltCabinetsDirectory() / (f.cabinet + ".cab");
            if (!ReadWholeFile(built, bytes)) {
                error = "the system cabinet " + built.string() +
                        " is missing (the build's system_cabinets target makes it)";
                return false;
            }
        }
        const std::filesystem::path host = machine.HostPath(f.windowsPath);
        if (host.empty() || !ReplaceWholeFile(host, bytes)) {
            error = "cannot write " + f.windowsPath + " below " + machine.driveC().string();
            return false;
        }
    }
    return true;
}

}  // namespace sim
