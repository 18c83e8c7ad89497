// A throwaway simulated machine for the simulator's own tests: made from a preset, failing the
// test when it cannot be made, with processes whose program is C:\scratch\program.exe.
#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/sim/process/throwaway_machine.h"

namespace testsupport {

class TempMachine {
public:
    explicit TempMachine(const std::string& preset = "windows-7-x64") {
        std::string error;
        machine_ = sim::ThrowawayMachine::Create(preset, "simtest", error);
        if (!machine_) {
            ADD_FAILURE() << "no machine from preset " << preset << ": " << error;
            return;
        }
        // The processes' directory is there before the first process, as tests look into it.
        std::filesystem::create_directories(machine().driveC() / "scratch");
    }

    sim::Machine& machine() { return machine_->machine(); }
    const sim::Machine& machine() const { return machine_->machine(); }

    // A process of the given word size whose program is C:\scratch\program.exe and whose current
    // directory is C:\scratch. Each call is another process on the same machine.
    std::unique_ptr<sim::SimPlatform> Process(int bits = 32) const {
        return machine_->Process(bits, "C:\\scratch\\program.exe", "C:\\scratch");
    }

private:
    std::unique_ptr<sim::ThrowawayMachine> machine_;
};

}  // namespace testsupport
