// Temporary files that a writer killed between writing and renaming left in the machine.
#include "platform/sim/state/stray_temp_files.h"

#include <signal.h>

#include <cerrno>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "common/text.h"
#include "platform/sim/state/machine.h"

namespace sim {

namespace fs = std::filesystem;

namespace {

// The writer's process id in a temporary file's name, 0 when the name is not one of ours:
// "registry.reg.4242.tmp" or, in state/tmp, "t4242-7".
long WriterOf(const std::string& name, bool inStateTemp) {
    std::string_view digits;
    if (inStateTemp) {
        const std::size_t dash = name.find('-');
        if (name.empty() || name[0] != 't' || dash == std::string::npos) return 0;
        digits = std::string_view(name).substr(1, dash - 1);
    } else {
        const std::string suffix = ".tmp";
        if (name.size() <= suffix.size() || name.compare(name.size() - 4, 4, suffix) != 0) return 0;
        const std::string_view stem = std::string_view(name).substr(0, name.size() - 4);
        const std::size_t dot = stem.rfind('.');
        if (dot == std::string_view::npos) return 0;
        digits = stem.substr(dot + 1);
    }
    std::uint64_t pid = 0;
    if (!common::ParseDecimal(digits, 0x7FFFFFFF, pid)) return 0;
    return static_cast<long>(pid);
}

// True when no process of that id runs: none exists, or it has ended and waits to be reaped.
bool HasEnded(long pid) {
    if (::kill(static_cast<pid_t>(pid), 0) != 0) return errno == ESRCH;
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    if (!std::getline(in, stat)) return false;
    const std::size_t close = stat.rfind(')');
    return close != std::string::npos && close + 2 < stat.size() &&
           (stat[close + 2] == 'Z' || stat[close + 2] == 'X');
}

std::vector<fs::path> StrayFiles(const fs::path& machineDir) {
    std::vector<fs::path> stray;
    const std::pair<fs::path, bool> places[] = {{machineDir, false},
                                                {machineDir / "state", false},
                                                {machineDir / "state" / "tmp", true},
                                                {machineDir / "spool" / "jobs", false}};
    for (const auto& [dir, inStateTemp] : places) {
        std::error_code ec;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            const long pid = WriterOf(it->path().filename().string(), inStateTemp);
            std::error_code typeEc;
            if (pid > 0 && it->is_regular_file(typeEc) && HasEnded(pid))
                stray.push_back(it->path());
        }
    }
    return stray;
}

}  // namespace

int RemoveStrayTempFiles(const fs::path& machineDir) {
    // Most loads find nothing and need no lock; what is found is checked again under it.
    if (StrayFiles(machineDir).empty()) return 0;
    MachineLock lock(machineDir);
    int removed = 0;
    for (const fs::path& file : StrayFiles(machineDir)) {
        std::error_code ec;
        if (fs::remove(file, ec)) ++removed;
    }
    return removed;
}

}  // namespace sim
