// winsim service: the machine's services, their states and how long they take to start and stop.
#include <cstdio>
#include <optional>
#include <string>

#include "platform/sim/state/service_state.h"
#include "platform/win_constants.h"
#include "tools/winsim/winsim.h"

namespace winsim {

namespace {

std::string PollsText(int polls) {
    return polls == sim::kNeverLeaves ? "never" : std::to_string(polls);
}

// "N" or "never" for --start-polls and --stop-polls.
bool ParsePolls(const std::string& word, int& out) {
    if (word == "never") {
        out = sim::kNeverLeaves;
        return true;
    }
    unsigned long long n = 0;
    if (!ParseNumberArgument(word, 0, sim::kMaxPolls, n)) return false;
    out = static_cast<int>(n);
    return true;
}

int ServiceFailure(std::uint32_t error, const std::string& name) {
    if (error == ERROR_SERVICE_DOES_NOT_EXIST)
        return Failure("no service '" + name + "' on this machine (winsim service DIR list)");
    return Failure("cannot change service '" + name + "': error " + std::to_string(error));
}

}  // namespace

int RunService(const Args& args) {
    if (args.size() < 2) return UsageError("service", "needs the machine directory and an action");
    auto machine = OpenMachine(args[0]);
    if (!machine) return kExitFailed;
    const std::string& action = args[1];
    if (action == "list") {
        if (args.size() != 2) return UsageError("service", "list takes no arguments");
        auto services = sim::ReadServices(*machine);
        if (services.empty()) std::printf("no services (the 9x platform has none)\n");
        for (const sim::ServiceRecord& s : services) {
            std::printf("%s  %s  start-polls %s  stop-polls %s", s.name.c_str(),
                        sim::ServiceStateName(s.state), PollsText(s.startPolls).c_str(),
                        PollsText(s.stopPolls).c_str());
            const bool pending =
                s.state == SERVICE_START_PENDING || s.state == SERVICE_STOP_PENDING;
            if (pending) std::printf("  polls-left %s", PollsText(s.pollsLeft).c_str());
            std::printf("\n");
        }
        return kExitOk;
    }
    if (action == "start" || action == "stop") {
        if (args.size() != 3) return UsageError("service", action + " takes a service name");
        const std::uint32_t state = action == "start" ? SERVICE_RUNNING : SERVICE_STOPPED;
        if (std::uint32_t error = sim::SetServiceState(*machine, args[2], state))
            return ServiceFailure(error, args[2]);
        return kExitOk;
    }
    if (action == "set") {
        if (args.size() < 3 || args[2].rfind("--", 0) == 0)
            return UsageError("service", "set needs a service name");
        std::optional<int> startPolls, stopPolls;
        for (std::size_t i = 3; i < args.size(); ++i) {
            const bool start = args[i] == "--start-polls";
            if ((!start && args[i] != "--stop-polls") || i + 1 >= args.size())
                return UsageError("service", "set: unexpected '" + args[i] + "'");
            int polls = 0;
            if (!ParsePolls(args[++i], polls))
                return UsageError("service", "set: '" + args[i] + "' is not a count from 0 to " +
                                                 std::to_string(sim::kMaxPolls) + " or never");
            (start ? startPolls : stopPolls) = polls;
        }
        if (!startPolls && !stopPolls)
            return UsageError("service", "set needs --start-polls or --stop-polls");
        if (std::uint32_t error = sim::SetServicePolls(*machine, args[2], startPolls, stopPolls))
            return ServiceFailure(error, args[2]);
        return kExitOk;
    }
    return UsageError("service", "unknown action '" + action + "'");
}

}  // namespace winsim
