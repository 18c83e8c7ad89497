// The machine's services and their run states, kept in state/services.txt.
#include "platform/sim/state/service_state.h"

#include <charconv>
#include <cstdio>
#include <functional>
#include <sstream>

#include "common/text.h"
#include "platform/sim/state/host_file.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

const char* const kFileName = "services.txt";

std::uint32_t StateNamed(const std::string& word) {
    if (word == "stopped") return SERVICE_STOPPED;
    if (word == "start-pending") return SERVICE_START_PENDING;
    if (word == "stop-pending") return SERVICE_STOP_PENDING;
    if (word == "running") return SERVICE_RUNNING;
    return 0;
}

bool ParsePolls(const std::string& word, int& out) {
    if (word == "never") {
        out = kNeverLeaves;
        return true;
    }
    int n = 0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), n);
    if (ec != std::errc() || end != word.data() + word.size() || n < 0 || n > kMaxPolls)
        return false;
    out = n;
    return true;
}

std::string PollsText(int polls) { return polls == kNeverLeaves ? "never" : std::to_string(polls); }

// The services every machine of the platform has, in their starting states.
std::vector<ServiceRecord> BuiltInServices(const Machine& machine) {
    std::vector<ServiceRecord> services;
    if (machine.settings().platformId == VER_PLATFORM_WIN32_NT) {
        ServiceRecord spooler;
        spooler.name = "Spooler";
        spooler.state = SERVICE_RUNNING;
        services.push_back(spooler);
    }
    return services;
}

// Ends a pending state: start pending runs, stop pending stops.
void Settle(ServiceRecord& s) {
    s.state = s.state == SERVICE_START_PENDING ? SERVICE_RUNNING : SERVICE_STOPPED;
    s.pollsLeft = 0;
    s.requester = ProcessOwner{};
}

// Enters a pending state that settles into `settled` after `polls` status queries.
void Enter(ServiceRecord& s, std::uint32_t pending, std::uint32_t settled, int polls) {
    s.requester = ProcessOwner{};
    if (polls == 0) {
        s.state = settled;
        s.pollsLeft = 0;
    } else {
        s.state = pending;
        s.pollsLeft = polls;
        s.requester = CurrentProcess();
    }
}

// The services with the states the file records over their starting ones. The caller holds the
// machine lock. A line that is not understood is reported and skipped.
std::vector<ServiceRecord> Load(const Machine& machine) {
    std::vector<ServiceRecord> services = BuiltInServices(machine);
    std::string text;
    if (!ReadWholeFile(machine.stateDir() / kFileName, text)) return services;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::istringstream in(line);
        std::string name, state, start, stop, left, extra;
        if (!(in >> name)) continue;  // a blank line
        in >> state;
        ServiceRecord record;
        record.state = StateNamed(state);
        bool ok = record.state != 0;
        if (ok && in >> start) {
            ok = in >> stop >> left && ParsePolls(start, record.startPolls) &&
                 ParsePolls(stop, record.stopPolls) && ParsePolls(left, record.pollsLeft);
            if (ok && in >> record.requester.pid)
                ok = in >> record.requester.startTime && record.requester.pid > 0;
            ok = ok && !(in >> extra);
        }
        if (!ok) {
            std::fprintf(stderr, "simulator error: %s line %d is not understood\n",
                         (machine.stateDir() / kFileName).string().c_str(), number);
            continue;
        }
        const bool pending =
            record.state == SERVICE_START_PENDING || record.state == SERVICE_STOP_PENDING;
        if (pending && record.pollsLeft != kNeverLeaves && record.requester.pid != 0 &&
            !IsAlive(record.requester)) {
            Settle(record);
        }
        for (ServiceRecord& s : services) {
            if (!common::EqualsNoCase(s.name, name)) continue;
            record.name = s.name;
            s = record;
        }
    }
    return services;
}

bool Save(const Machine& machine, const std::vector<ServiceRecord>& services) {
    std::string text;
    for (const ServiceRecord& s : services) {
        text += s.name + " " + ServiceStateName(s.state) + " " + PollsText(s.startPolls) + " " +
                PollsText(s.stopPolls) + " " + PollsText(s.pollsLeft);
        if (s.requester.pid != 0)
            text += " " + std::to_string(s.requester.pid) + " " +
                    std::to_string(s.requester.startTime);
        text += "\n";
    }
    return ReplaceWholeFile(machine.stateDir() / kFileName, text);
}

// Loads the services, runs `change` on the named one and saves them when it succeeded.
std::uint32_t Change(const Machine& machine, const std::string& name, ServiceRecord& after,
                     const std::function<std::uint32_t(ServiceRecord&)>& change) {
    MachineLock lock(machine.dir());
    std::vector<ServiceRecord> services = Load(machine);
    for (ServiceRecord& s : services) {
        if (!common::EqualsNoCase(s.name, name)) continue;
        const std::uint32_t error = change(s);
        after = s;
        if (error != ERROR_SUCCESS) return error;
        return Save(machine, services) ? ERROR_SUCCESS : ERROR_CANTWRITE;
    }
    return ERROR_SERVICE_DOES_NOT_EXIST;
}

}  // namespace

std::vector<ServiceRecord> ReadServices(const Machine& machine) {
    MachineLock lock(machine.dir());
    return Load(machine);
}

std::optional<ServiceRecord> FindService(const Machine& machine, const std::string& name) {
    for (ServiceRecord& s : ReadServices(machine))
        if (common::EqualsNoCase(s.name, name)) return s;
    return std::nullopt;
}

std::uint32_t ServiceState(const Machine& machine, const std::string& name) {
    auto service = FindService(machine, name);
    return service ? service->state : 0;
}

bool SpoolerRunning(const Machine& machine) {
    return ServiceState(machine, "Spooler") == SERVICE_RUNNING;
}

bool SpoolerHoldsModules(const Machine& machine) {
    const std::uint32_t state = ServiceState(machine, "Spooler");
    return state == SERVICE_RUNNING || state == SERVICE_STOP_PENDING;
}

std::uint32_t RequestServiceStart(const Machine& machine, const std::string& name,
                                  ServiceRecord& after) {
    return Change(machine, name, after, [](ServiceRecord& s) -> std::uint32_t {
        if (s.state != SERVICE_STOPPED) return ERROR_SERVICE_ALREADY_RUNNING;
        Enter(s, SERVICE_START_PENDING, SERVICE_RUNNING, s.startPolls);
        return ERROR_SUCCESS;
    });
}

std::uint32_t RequestServiceStop(const Machine& machine, const std::string& name,
                                 ServiceRecord& after) {
    return Change(machine, name, after, [](ServiceRecord& s) -> std::uint32_t {
        if (s.state == SERVICE_STOPPED) return ERROR_SERVICE_NOT_ACTIVE;
        if (s.state != SERVICE_RUNNING) return ERROR_SERVICE_CANNOT_ACCEPT_CTRL;
        Enter(s, SERVICE_STOP_PENDING, SERVICE_STOPPED, s.stopPolls);
        return ERROR_SUCCESS;
    });
}

std::uint32_t PollServiceStatus(const Machine& machine, const std::string& name,
                                ServiceRecord& after) {
    return Change(machine, name, after, [](ServiceRecord& s) -> std::uint32_t {
        const bool pending = s.state == SERVICE_START_PENDING || s.state == SERVICE_STOP_PENDING;
        if (!pending || s.pollsLeft == kNeverLeaves) return ERROR_SUCCESS;
        if (s.pollsLeft > 0) {
            --s.pollsLeft;  // one of the queries that still see it pending
        } else {
            Settle(s);
        }
        return ERROR_SUCCESS;
    });
}

std::uint32_t SetServiceState(const Machine& machine, const std::string& name,
                              std::uint32_t state) {
    if (state != SERVICE_RUNNING && state != SERVICE_STOPPED) return ERROR_INVALID_PARAMETER;
    ServiceRecord after;
    return Change(machine, name, after, [state](ServiceRecord& s) -> std::uint32_t {
        s.state = state;
        s.pollsLeft = 0;
        s.requester = ProcessOwner{};
        return ERROR_SUCCESS;
    });
}

std::uint32_t SetServicePolls(const Machine& machine, const std::string& name,
                              std::optional<int> startPolls, std::optional<int> stopPolls) {
    for (const std::optional<int>& polls : {startPolls, stopPolls})
        if (polls && *polls != kNeverLeaves && (*polls < 0 || *polls > kMaxPolls))
            return ERROR_INVALID_PARAMETER;
    ServiceRecord after;
    return Change(machine, name, after, [&](ServiceRecord& s) -> std::uint32_t {
        if (startPolls) s.startPolls = *startPolls;
        if (stopPolls) s.stopPolls = *stopPolls;
        return ERROR_SUCCESS;
    });
}

const char* ServiceStateName(std::uint32_t state) {
    switch (state) {
        case SERVICE_STOPPED: return "stopped";
        case SERVICE_START_PENDING: return "start-pending";
        case SERVICE_STOP_PENDING: return "stop-pending";
        case SERVICE_RUNNING: return "running";
        default: return "unknown";
    }
}

}  // namespace sim
