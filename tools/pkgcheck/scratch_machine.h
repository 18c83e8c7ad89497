// A throwaway simulated machine with the package to check copied to "C:\Pkg".
#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include "platform/sim/platform.h"

namespace pkgcheck {

class ScratchMachine {
public:
    // Null with the reason in `error` when the machine cannot be made or the copy fails.
    static std::unique_ptr<ScratchMachine> Create(const std::filesystem::path& package,
                                                  std::string& error);
    ~ScratchMachine();
    ScratchMachine(const ScratchMachine&) = delete;
    ScratchMachine& operator=(const ScratchMachine&) = delete;

    // setup as "C:\Pkg\setup.exe" with "C:\Pkg" as its current directory.
    plat::Platform& platform() { return *platform_; }

private:
    ScratchMachine() = default;
    std::filesystem::path hostDir_;
    std::unique_ptr<sim::SimPlatform> platform_;
};

}  // namespace pkgcheck
