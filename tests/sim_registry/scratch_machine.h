// A simulated machine in a temporary host directory, with any number of processes on it.
#pragma once
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "platform/sim/machine.h"
#include "platform/sim/platform.h"

namespace simreg {

class ScratchMachine {
public:
    explicit ScratchMachine(const std::string& preset) {
        static std::atomic<int> counter{0};
        hostDir_ = std::filesystem::temp_directory_path() /
                   ("sim-registry-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::string error;
        const sim::Preset* p = sim::FindPreset(preset);
        if (p) machine_ = sim::Machine::Create(hostDir_ / "machine", *p, error);
        if (!machine_) ADD_FAILURE() << "no machine from preset " << preset << ": " << error;
    }
    ~ScratchMachine() {
        std::error_code ec;
        std::filesystem::remove_all(hostDir_, ec);
    }
    ScratchMachine(const ScratchMachine&) = delete;
    ScratchMachine& operator=(const ScratchMachine&) = delete;

    const sim::Machine& machine() const { return *machine_; }

    // Another process on the machine, of the given word size.
    std::unique_ptr<sim::SimPlatform> Process(int bits) const {
        sim::ProcessContext context;
        context.machineDir = machine_->dir();
        context.modulePath = "C:\\Windows\\program.exe";
        context.currentDir = "C:\\Windows";
        context.bits = bits;
        return std::make_unique<sim::SimPlatform>(*machine_, context);
    }

private:
    std::filesystem::path hostDir_;
    std::optional<sim::Machine> machine_;
};

}  // namespace simreg
