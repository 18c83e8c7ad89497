// Throwaway simulated machines in unique temporary host directories.
#include "platform/sim/process/throwaway_machine.h"

#include <unistd.h>

#include <atomic>
#include <system_error>

namespace sim {

namespace fs = std::filesystem;

std::unique_ptr<ThrowawayMachine> ThrowawayMachine::Create(const std::string& preset,
                                                           const std::string& namePrefix,
                                                           std::string& error) {
    const Preset* p = FindPreset(preset);
    if (!p) {
        error = "unknown preset " + preset;
        return nullptr;
    }
    std::error_code ec;
    const fs::path temp = fs::temp_directory_path(ec);
    if (ec) {
        error = "no temporary directory: " + ec.message();
        return nullptr;
    }
    // The directory is claimed by creating it: a name left behind by an earlier process of the
    // same id is skipped, never removed, so two processes never share or delete each other's.
    static std::atomic<int> counter{0};
    fs::path hostDir;
    for (;;) {
        hostDir = temp / (namePrefix + "-" + std::to_string(::getpid()) + "-" +
                          std::to_string(counter++));
        if (fs::create_directory(hostDir, ec)) break;
        if (ec) {
            error = "cannot create " + hostDir.string() + ": " + ec.message();
            return nullptr;
        }
    }
    auto machine = Machine::Create(hostDir / "machine", *p, error);
    if (!machine) {
        fs::remove_all(hostDir, ec);
        return nullptr;
    }
    return std::unique_ptr<ThrowawayMachine>(
        new ThrowawayMachine(std::move(hostDir), std::move(*machine)));
}

ThrowawayMachine::~ThrowawayMachine() {
    std::error_code ec;
    fs::remove_all(hostDir_, ec);
}

std::unique_ptr<SimPlatform> ThrowawayMachine::Process(int bits, const std::string& modulePath,
                                                       const std::string& currentDir) const {
    std::error_code ec;
    fs::create_directories(machine_.HostPath(currentDir), ec);
    ProcessContext context;
    context.machineDir = machine_.dir();
    context.modulePath = modulePath;
    context.currentDir = currentDir;
    context.bits = bits;
    return std::make_unique<SimPlatform>(machine_, std::move(context));
}

bool ThrowawayMachine::CopyIn(const fs::path& hostDir, const std::string& windowsDir,
                              std::string& error) {
    const fs::path target = machine_.HostPath(windowsDir);
    if (target.empty()) {
        error = "not a path on drive C: " + windowsDir;
        return false;
    }
    std::error_code ec;
    fs::create_directories(target, ec);
    if (!ec && !hostDir.empty()) fs::copy(hostDir, target, fs::copy_options::recursive, ec);
    if (ec) {
        error = "cannot copy " + hostDir.string() + " into the machine: " + ec.message();
        return false;
    }
    return true;
}

}  // namespace sim
