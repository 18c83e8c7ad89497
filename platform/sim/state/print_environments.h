// The print environments a simulated machine knows: their names, directories and driver versions.
//
// An environment is a processor family the spooler keeps drivers and print processors for. The
// native one is what printers use; the others hold additional drivers for clients of another
// family. Which exist depends on the machine, as on Windows.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/state/machine.h"

namespace sim {

inline constexpr const char* kEnvNtX86 = "Windows NT x86";
inline constexpr const char* kEnvX64 = "Windows x64";
inline constexpr const char* kEnvWin40 = "Windows 4.0";

struct PrintEnvironment {
    std::string name;                     // "Windows NT x86"
    std::string directory;                // "w32x86", "x64", "win40"
    std::vector<std::uint32_t> versions;  // driver versions it accepts (cVersion)
    bool native = false;                  // the spooler's own family
};

// Every environment of the machine, the native one first: "Windows NT x86" on every NT machine
// ("Windows x64" native on 64-bit ones, additional on 32-bit NT 5.1 and later), "Windows 4.0"
// native on 9x and additional on NT up to 5.2.
std::vector<PrintEnvironment> PrintEnvironments(const MachineSettings& settings);
// The environment of that name (letter case aside), or nothing when the machine lacks it.
std::optional<PrintEnvironment> FindPrintEnvironment(const MachineSettings& settings,
                                                     const std::string& name);
// The environment a program of that word size gets for a null environment: "Windows NT x86"
// for 32-bit programs on NT (also on 64-bit Windows), "Windows x64" for 64-bit ones,
// "Windows 4.0" on 9x.
std::string CallerEnvironment(const MachineSettings& settings, int bits);
// The spooler's own environment.
std::string NativeEnvironment(const MachineSettings& settings);

// GetPrinterDriverDirectory's answer: "<system>\spool\drivers\<dir>" on NT, the system
// directory on 9x.
std::string DriverDirectory(const MachineSettings& settings, const PrintEnvironment& env);
// Where a driver of that version keeps its files: the driver directory + "\<version>" on NT,
// the driver directory itself on 9x.
std::string DriverVersionDirectory(const MachineSettings& settings, const PrintEnvironment& env,
                                   std::uint32_t version);
// GetPrintProcessorDirectory's answer: "<system>\spool\prtprocs\<dir>" on NT, the system
// directory on 9x.
std::string ProcessorDirectory(const MachineSettings& settings, const PrintEnvironment& env);

}  // namespace sim
