// A simulated machine in a temporary host directory of its own, removed again on destruction,
// with any number of processes on it. Tests and pkgcheck use it for machines nobody keeps.
#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include "platform/sim/process/platform.h"
#include "platform/sim/state/machine.h"

namespace sim {

class ThrowawayMachine {
public:
    // A machine made from the preset in a new directory "<prefix>-<pid>-<n>" under the host's
    // temporary directory. Null with the reason in `error` when the preset is unknown or the
    // machine cannot be made.
    static std::unique_ptr<ThrowawayMachine> Create(const std::string& preset,
                                                    const std::string& namePrefix,
                                                    std::string& error);
    ~ThrowawayMachine();
    ThrowawayMachine(const ThrowawayMachine&) = delete;
    ThrowawayMachine& operator=(const ThrowawayMachine&) = delete;

    // Settings saved through this object are seen by the processes made after that.
    Machine& machine() { return machine_; }
    const Machine& machine() const { return machine_; }

    // A new process on the machine: a program at `modulePath` of the given word size, started in
    // `currentDir`, which is created when missing. Each call is another process.
    std::unique_ptr<SimPlatform> Process(int bits, const std::string& modulePath,
                                         const std::string& currentDir) const;

    // Copies the contents of a host directory into a directory on drive C, which is created
    // when missing; an empty `hostDir` copies nothing. False with the reason in `error`.
    bool CopyIn(const std::filesystem::path& hostDir, const std::string& windowsDir,
                std::string& error);

private:
    ThrowawayMachine(std::filesystem::path hostDir, Machine machine)
        : hostDir_(std::move(hostDir)), machine_(std::move(machine)) {}
    std::filesystem::path hostDir_;
    Machine machine_;
};

}  // namespace sim
