// A simulated machine in a temporary host directory for the sim tests, with processes on it.
#pragma once
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/sim/machine.h"
#include "platform/sim/platform.h"

namespace simtest {

class TempMachine {
public:
    explicit TempMachine(const std::string& preset = "windows-7-x64") {
        static std::atomic<int> counter{0};
        hostDir_ = std::filesystem::temp_directory_path() /
                   ("simtest-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::string error;
        const sim::Preset* p = sim::FindPreset(preset);
        if (!p) {
            ADD_FAILURE() << "no preset " << preset;
            return;
        }
        machine_ = sim::Machine::Create(hostDir_ / "machine", *p, error);
        if (!machine_) ADD_FAILURE() << error;
        std::filesystem::create_directories(machine_->driveC() / "scratch");
    }
    ~TempMachine() {
        std::error_code ec;
        std::filesystem::remove_all(hostDir_, ec);
    }
    TempMachine(const TempMachine&) = delete;
    TempMachine& operator=(const TempMachine&) = delete;

    sim::Machine& machine() { return *machine_; }

    // A process of the given word size whose program is C:\scratch\program.exe and whose current
    // directory is C:\scratch. Each call is another process on the same machine.
    std::unique_ptr<sim::SimPlatform> Process(int bits = 32) {
        sim::ProcessContext context;
        context.machineDir = machine_->dir();
        context.modulePath = "C:\\scratch\\program.exe";
        context.currentDir = "C:\\scratch";
        context.bits = bits;
        return std::make_unique<sim::SimPlatform>(*machine_, context);
    }

private:
    std::filesystem::path hostDir_;
    std::optional<sim::Machine> machine_;
};

}  // namespace simtest
