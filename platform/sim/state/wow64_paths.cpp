// 64-bit Windows' file-system redirection of System32 for 32-bit programs.
#include "platform/sim/state/wow64_paths.h"

#include <vector>

#include "common/text.h"
#include "platform/sim/state/win_path.h"

namespace sim {

namespace {

// True when `path` is `dir` or below it; `rest` then gets what follows `dir` (empty or
// starting with a backslash).
bool Below(const std::string& path, const std::string& dir, std::string& rest) {
    if (path.size() < dir.size() || !common::EqualsNoCase(path.substr(0, dir.size()), dir))
        return false;
    rest = path.substr(dir.size());
    return rest.empty() || rest[0] == '\\';
}

// True when the part below System32 starts with one of the subdirectories that are not
// redirected.
bool Exempt(const MachineSettings& settings, const std::string& rest) {
    const std::vector<std::string> parts = PathComponents("C:" + rest);
    if (parts.empty()) return false;
    const std::string& first = parts[0];
    if (common::EqualsNoCase(first, "catroot") || common::EqualsNoCase(first, "catroot2") ||
        common::EqualsNoCase(first, "logfiles") || common::EqualsNoCase(first, "spool"))
        return true;
    if (common::EqualsNoCase(first, "drivers") && parts.size() >= 2 &&
        common::EqualsNoCase(parts[1], "etc"))
        return true;
    const bool from61 = settings.major > 6 || (settings.major == 6 && settings.minor >= 1);
    return from61 && common::EqualsNoCase(first, "driverstore");
}

}  // namespace

std::string RedirectedPath(const MachineSettings& settings, const std::string& absolutePath) {
    if (!settings.is64Bit()) return absolutePath;
    std::string rest;
    if (Below(absolutePath, settings.systemDir(), rest))
        return Exempt(settings, rest) ? absolutePath : settings.systemWow64Dir() + rest;
    if (settings.major >= 6 && Below(absolutePath, settings.windowsDir + "\\Sysnative", rest))
        return settings.systemDir() + rest;
    return absolutePath;
}

}  // namespace sim
