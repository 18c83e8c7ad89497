// The print environments a simulated machine knows, and their directories.
#include "platform/sim/state/print_environments.h"

#include "common/text.h"

namespace sim {

namespace {

bool IsNt(const MachineSettings& s) { return s.platformId == 2; }

// Major.minor as one comparable number: 5.1 is 501.
std::uint32_t VersionOf(const MachineSettings& s) { return s.major * 100 + s.minor; }

}  // namespace

std::vector<PrintEnvironment> PrintEnvironments(const MachineSettings& s) {
    const PrintEnvironment ntX86{kEnvNtX86, "w32x86", {2, 3}, false};
    const PrintEnvironment x64{kEnvX64, "x64", {3}, false};
    const PrintEnvironment win40{kEnvWin40, "win40", {0}, false};
    std::vector<PrintEnvironment> out;
    if (!IsNt(s)) {
        out.push_back(win40);
        out.back().native = true;
        return out;
    }
    if (s.is64Bit()) {
        out.push_back(x64);
        out.back().native = true;
        out.push_back(ntX86);
    } else {
        out.push_back(ntX86);
        out.back().native = true;
        if (VersionOf(s) >= 501) out.push_back(x64);
    }
    if (VersionOf(s) <= 502) out.push_back(win40);
    return out;
}

std::optional<PrintEnvironment> FindPrintEnvironment(const MachineSettings& s,
                                                     const std::string& name) {
    for (PrintEnvironment& env : PrintEnvironments(s))
        if (common::EqualsNoCase(env.name, name)) return env;
    return std::nullopt;
}

std::string CallerEnvironment(const MachineSettings& s, int bits) {
    if (!IsNt(s)) return kEnvWin40;
    return bits == 64 && s.is64Bit() ? kEnvX64 : kEnvNtX86;
}

std::string NativeEnvironment(const MachineSettings& s) { return PrintEnvironments(s)[0].name; }

std::string DriverDirectory(const MachineSettings& s, const PrintEnvironment& env) {
    if (!IsNt(s)) return s.systemDir();
    return s.systemDir() + "\\spool\\drivers\\" + env.directory;
}

std::string DriverVersionDirectory(const MachineSettings& s, const PrintEnvironment& env,
                                   std::uint32_t version) {
    if (!IsNt(s)) return DriverDirectory(s, env);
    return DriverDirectory(s, env) + "\\" + std::to_string(version);
}

std::string ProcessorDirectory(const MachineSettings& s, const PrintEnvironment& env) {
    if (!IsNt(s)) return s.systemDir();
    return s.systemDir() + "\\spool\\prtprocs\\" + env.directory;
}

}  // namespace sim
