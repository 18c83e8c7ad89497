// The conformance fixture on the simulated machine: a fresh Windows 7 x64 machine per test in a
// temporary host directory, with a 32-bit test program whose current directory is the scratch
// directory.
#include <unistd.h>

#include <atomic>
#include <filesystem>

#include "platform/sim/platform.h"
#include "tests/conformance/fixture.h"

namespace conformance {

namespace {

class SimEnvironment : public Environment {
public:
    SimEnvironment(std::filesystem::path hostDir, sim::Machine machine, sim::ProcessContext process)
        : hostDir_(std::move(hostDir)),
          scratch_(process.currentDir),
          platform_(std::move(machine), std::move(process)) {}
    ~SimEnvironment() override {
        std::error_code ec;
        std::filesystem::remove_all(hostDir_, ec);
    }
    plat::Platform& platform() override { return platform_; }
    const std::string& scratch() const override { return scratch_; }

private:
    std::filesystem::path hostDir_;
    std::string scratch_;
    sim::SimPlatform platform_;
};

}  // namespace

bool RunningUnderWine() { return false; }

std::unique_ptr<Environment> MakeEnvironment(const std::string& testName) {
    static std::atomic<int> counter{0};
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("conformance-" + std::to_string(::getpid()) + "-" +
                                 std::to_string(counter++));
    std::string error;
    const sim::Preset* preset = sim::FindPreset("windows-7-x64");
    auto machine = preset ? sim::Machine::Create(dir / "machine", *preset, error) : std::nullopt;
    if (!machine) {
        ADD_FAILURE() << "cannot create a machine for " << testName << ": " << error;
        return nullptr;
    }
    std::filesystem::create_directories(machine->driveC() / "scratch");
    sim::ProcessContext process;
    process.machineDir = machine->dir();
    process.modulePath = "C:\\scratch\\conformance.exe";
    process.currentDir = "C:\\scratch";
    process.bits = 32;
    return std::make_unique<SimEnvironment>(dir, std::move(*machine), std::move(process));
}

}  // namespace conformance
