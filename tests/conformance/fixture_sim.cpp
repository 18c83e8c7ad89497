// The conformance fixture on the simulated machine: a fresh Windows 7 x64 machine per test in a
// temporary host directory, with a 32-bit test program whose current directory is the scratch
// directory.
#include "platform/sim/process/throwaway_machine.h"
#include "tests/conformance/fixture.h"

namespace conformance {

namespace {

class SimEnvironment : public Environment {
public:
    explicit SimEnvironment(std::unique_ptr<sim::ThrowawayMachine> machine)
        : machine_(std::move(machine)),
          platform_(machine_->Process(32, "C:\\scratch\\conformance.exe", scratch_)) {}
    plat::Platform& platform() override { return *platform_; }
    const std::string& scratch() const override { return scratch_; }

private:
    const std::string scratch_ = "C:\\scratch";
    std::unique_ptr<sim::ThrowawayMachine> machine_;
    // Declared after the machine, so the program ends before the machine is removed.
    std::unique_ptr<sim::SimPlatform> platform_;
};

}  // namespace

bool RunningUnderWine() { return false; }

std::unique_ptr<Environment> MakeEnvironment(const std::string& testName) {
    std::string error;
    auto machine = sim::ThrowawayMachine::Create("windows-7-x64", "conformance", error);
    if (!machine) {
        ADD_FAILURE() << "cannot create a machine for " << testName << ": " << error;
        return nullptr;
    }
    return std::make_unique<SimEnvironment>(std::move(machine));
}

}  // namespace conformance
