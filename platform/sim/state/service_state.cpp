// The machine's services and their run states.
#include "platform/sim/state/service_state.h"

#include <sstream>

#include "common/text.h"
#include "platform/sim/state/host_file.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

std::uint32_t StateNamed(const std::string& word) {
    if (word == "stopped") return SERVICE_STOPPED;
    if (word == "start-pending") return SERVICE_START_PENDING;
    if (word == "stop-pending") return SERVICE_STOP_PENDING;
    if (word == "running") return SERVICE_RUNNING;
    return 0;
}

}  // namespace

std::uint32_t ServiceState(const Machine& machine, const std::string& name) {
    MachineLock lock(machine.dir());
    std::string text;
    if (ReadWholeFile(machine.stateDir() / "services.txt", text)) {
        std::istringstream in(text);
        std::string service, state;
        while (in >> service >> state)
            if (common::EqualsNoCase(service, name)) return StateNamed(state);
    }
    const bool nt = machine.settings().platformId == 2;
    return nt && common::EqualsNoCase(name, "Spooler") ? SERVICE_RUNNING : 0;
}

bool SpoolerRunning(const Machine& machine) {
    return ServiceState(machine, "Spooler") == SERVICE_RUNNING;
}

}  // namespace sim
