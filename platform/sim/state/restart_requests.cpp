// Requests to end the Windows session, kept in the machine's state directory.
#include "platform/sim/state/restart_requests.h"

#include <cstdio>
#include <sstream>

#include "platform/sim/state/host_file.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

std::filesystem::path RequestsFile(const Machine& machine) {
    return machine.stateDir() / "restart.txt";
}

}  // namespace

bool RecordRestartRequest(const Machine& machine, const RestartRequest& request) {
    MachineLock lock(machine.dir());
    std::string text;
    ReadWholeFile(RequestsFile(machine), text);  // none yet: the first request
    // The program name comes from the module path and holds no blank in practice; a blank
    // would split the line, so it is replaced.
    std::string program = request.program.empty() ? "?" : request.program;
    for (char& c : program)
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t') c = '_';
    char flags[16];
    std::snprintf(flags, sizeof flags, "%08X", static_cast<unsigned>(request.flags));
    text += program + " " + flags + "\n";
    return ReplaceWholeFile(RequestsFile(machine), text);
}

std::vector<RestartRequest> RestartRequests(const Machine& machine) {
    std::vector<RestartRequest> out;
    std::string text;
    if (!ReadWholeFile(RequestsFile(machine), text)) return out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        RestartRequest request;
        std::string flags;
        if (!(fields >> request.program >> flags)) continue;
        try {
            std::size_t used = 0;
            const unsigned long value = std::stoul(flags, &used, 16);
            if (used != flags.size() || value > 0xFFFFFFFFul) continue;
            request.flags = static_cast<std::uint32_t>(value);
        } catch (const std::exception&) {
            continue;
        }
        out.push_back(request);
    }
    return out;
}

std::string DescribeExitFlags(std::uint32_t flags) {
    std::string what = "log off";
    if (flags & EWX_POWEROFF)
        what = "power off";
    else if (flags & EWX_REBOOT)
        what = "restart";
    else if (flags & EWX_SHUTDOWN)
        what = "shut down";
    if (flags & (EWX_FORCE | EWX_FORCEIFHUNG)) what += ", forced";
    return what;
}

}  // namespace sim
