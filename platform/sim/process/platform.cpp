// The simulated machine as a platform, and the process platform of native builds.
#include "platform/sim/process/platform.h"

#include <iostream>

namespace sim {

SimPlatform::SimPlatform(Machine machine, ProcessContext process)
    : machine_(std::move(machine)),
      process_(std::move(process)),
      files_(machine_, process_, lastError_),
      profile_(files_, lastError_),
      system_(machine_, process_, lastError_),
      desktop_(machine_, process_, lastError_),
      registry_(machine_, process_),
      dialogs_(machine_, process_, desktop_, system_),
      spooler_(machine_, process_, lastError_) {}

}  // namespace sim

namespace plat {

std::unique_ptr<Platform> MakeProcessPlatform() {
    std::string error;
    auto process = sim::ProcessContext::FromEnvironment(error);
    if (!process) {
        std::cerr << error << "\n";
        return nullptr;
    }
    auto machine = sim::Machine::Open(process->machineDir, error);
    if (!machine) {
        std::cerr << error << "\n";
        return nullptr;
    }
    return std::make_unique<sim::SimPlatform>(std::move(*machine), std::move(*process));
}

}  // namespace plat
