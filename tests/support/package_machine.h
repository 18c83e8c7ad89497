// A fresh simulated machine with a package copied in, for tests that run package code on it.
#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include "platform/sim/process/throwaway_machine.h"

namespace testsupport {

// Host directories of the source tree's packages.
std::filesystem::path ExamplePackage();                    // examples/package
std::filesystem::path PackageFixture(const std::string& name);  // tests/package/fixtures/<name>

struct PackageMachineOptions {
    std::string preset = "windows-7-x86";
    // Where the package lands on drive C; setup.exe is taken to run from there.
    std::string packageDir = "C:\\Pkg";
    // The program's current directory; created when missing. Empty: the package directory.
    std::string currentDir;
    int bits = 32;  // the program's word size
};

// A throwaway machine with the package on drive C and a program of it running.
class PackageMachine {
public:
    // Null (with the reason in `error`) when the preset is unknown or the copy fails. An empty
    // `package` copies nothing.
    static std::unique_ptr<PackageMachine> Create(const std::filesystem::path& package,
                                                  const PackageMachineOptions& options,
                                                  std::string& error);
    PackageMachine(const PackageMachine&) = delete;
    PackageMachine& operator=(const PackageMachine&) = delete;

    // The platform of a program at "<packageDir>\setup.exe".
    sim::SimPlatform& platform() { return *platform_; }
    // Settings saved through it are seen by the processes made after that.
    sim::Machine& machine() { return machine_->machine(); }
    const sim::Machine& machine() const { return machine_->machine(); }
    // Another process on the machine, as a second program would be.
    std::unique_ptr<sim::SimPlatform> Process(int bits, const std::string& modulePath,
                                              const std::string& currentDir) const {
        return machine_->Process(bits, modulePath, currentDir);
    }

    // The host path of a Windows path on the machine's drive C.
    std::filesystem::path HostPath(const std::string& windowsPath) const;
    // Writes a file on the machine (directories created as needed); false when that fails.
    bool WriteFile(const std::string& windowsPath, const std::string& bytes);
    bool RemoveFile(const std::string& windowsPath);

private:
    PackageMachine() = default;
    std::unique_ptr<sim::ThrowawayMachine> machine_;
    // Declared after the machine, so the program ends before the machine is removed.
    std::unique_ptr<sim::SimPlatform> platform_;
};

}  // namespace testsupport
