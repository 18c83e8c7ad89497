// The throwaway machine pkgcheck reads the package on.
#include "tools/pkgcheck/scratch_machine.h"

#include <unistd.h>

#include <system_error>

namespace pkgcheck {

namespace fs = std::filesystem;

std::unique_ptr<ScratchMachine> ScratchMachine::Create(const fs::path& package,
                                                       std::string& error) {
    std::unique_ptr<ScratchMachine> m(new ScratchMachine);
    std::error_code ec;
    m->hostDir_ = fs::temp_directory_path(ec) / ("pkgcheck-" + std::to_string(::getpid()));
    fs::remove_all(m->hostDir_, ec);
    // The machine's version does not matter: the configuration is read for both word sizes.
    const sim::Preset* preset = sim::FindPreset("windows-7-x64");
    if (!preset) {
        error = "the simulator has no windows-7-x64 preset";
        return nullptr;
    }
    auto machine = sim::Machine::Create(m->hostDir_, *preset, error);
    if (!machine) return nullptr;
    fs::path target = machine->HostPath("C:\\Pkg");
    fs::create_directories(target, ec);
    if (!ec) fs::copy(package, target, fs::copy_options::recursive, ec);
    if (ec) {
        error = "cannot copy " + package.string() + ": " + ec.message();
        return nullptr;
    }
    sim::ProcessContext process;
    process.machineDir = machine->dir();
    process.modulePath = "C:\\Pkg\\setup.exe";
    process.currentDir = "C:\\Pkg";
    process.bits = 32;
    m->platform_ = std::make_unique<sim::SimPlatform>(std::move(*machine), std::move(process));
    return m;
}

ScratchMachine::~ScratchMachine() {
    platform_.reset();
    std::error_code ec;
    if (!hostDir_.empty()) fs::remove_all(hostDir_, ec);
}

}  // namespace pkgcheck
