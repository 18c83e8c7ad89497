// winsim spooler: what the simulated print provider holds, as tables a person reads.
#include <cstdio>
#include <string>

#include "platform/sim/state/print_environments.h"
#include "platform/sim/state/print_provider.h"
#include "platform/sim/state/service_state.h"
#include "platform/win_constants.h"
#include "tools/winsim/print_tables.h"
#include "tools/winsim/winsim.h"

namespace winsim {

namespace {

std::string ServiceStateName(std::uint32_t state) {
    switch (state) {
        case SERVICE_STOPPED: return "stopped";
        case SERVICE_START_PENDING: return "start pending";
        case SERVICE_STOP_PENDING: return "stop pending";
        case SERVICE_RUNNING: return "running";
        default: return "no such service";
    }
}

}  // namespace

int RunSpooler(const Args& args) {
    if (args.size() != 1) return UsageError("spooler", "takes the machine directory only");
    auto machine = OpenMachine(args[0]);
    if (!machine) return kExitFailed;
    const sim::PrintProvider provider(*machine);
    const sim::MachineSettings& s = machine->settings();

    std::printf("Spooler service: %s\n",
                s.platformId == 2 ? ServiceStateName(sim::ServiceState(*machine, "Spooler")).c_str()
                                  : "always running (9x has no spooler service)");
    std::printf("Native environment: %s\n\n", sim::NativeEnvironment(s).c_str());

    PrintPrinters(*machine, provider);
    PrintDrivers(provider, Columns::kAll);
    PrintMonitors(provider, Columns::kAll);
    PrintProcessors(provider);
    PrintPorts(provider);
    PrintUserForms(provider);
    return kExitOk;
}

}  // namespace winsim
