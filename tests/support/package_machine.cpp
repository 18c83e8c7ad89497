// Throwaway simulated machines with a package copied onto drive C.
#include "tests/support/package_machine.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <system_error>

namespace testsupport {

namespace fs = std::filesystem;

fs::path ExamplePackage() { return fs::path(PKG_SOURCE_DIR) / "examples" / "package"; }

fs::path SetupFixture(const std::string& name) {
    return fs::path(PKG_SOURCE_DIR) / "tests" / "setup" / "fixtures" / name;
}

std::unique_ptr<PackageMachine> PackageMachine::Create(const fs::path& package,
                                                       const PackageMachineOptions& options,
                                                       std::string& error) {
    const sim::Preset* preset = sim::FindPreset(options.preset);
    if (!preset) {
        error = "unknown preset " + options.preset;
        return nullptr;
    }
    static std::atomic<int> counter{0};
    std::unique_ptr<PackageMachine> result(new PackageMachine);
    result->hostDir_ = fs::temp_directory_path() /
                       ("pkgmachine-" + std::to_string(::getpid()) + "-" +
                        std::to_string(counter++));
    auto machine = sim::Machine::Create(result->hostDir_ / "machine", *preset, error);
    if (!machine) return nullptr;

    std::error_code ec;
    fs::path packageHost = machine->HostPath(options.packageDir);
    fs::create_directories(packageHost, ec);
    if (!package.empty())
        fs::copy(package, packageHost, fs::copy_options::recursive, ec);
    if (ec) {
        error = "cannot copy " + package.string() + " into the machine: " + ec.message();
        return nullptr;
    }
    std::string currentDir = options.currentDir.empty() ? options.packageDir : options.currentDir;
    fs::create_directories(machine->HostPath(currentDir), ec);

    sim::ProcessContext process;
    process.machineDir = machine->dir();
    process.modulePath = options.packageDir + "\\setup.exe";
    process.currentDir = currentDir;
    process.bits = options.bits;
    result->platform_ = std::make_unique<sim::SimPlatform>(std::move(*machine), std::move(process));
    return result;
}

PackageMachine::~PackageMachine() {
    platform_.reset();
    std::error_code ec;
    if (!hostDir_.empty()) fs::remove_all(hostDir_, ec);
}

fs::path PackageMachine::HostPath(const std::string& windowsPath) const {
    return machine().HostPath(windowsPath);
}

bool PackageMachine::WriteFile(const std::string& windowsPath, const std::string& bytes) {
    fs::path host = HostPath(windowsPath);
    if (host.empty()) return false;
    std::error_code ec;
    fs::create_directories(host.parent_path(), ec);
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

bool PackageMachine::RemoveFile(const std::string& windowsPath) {
    std::error_code ec;
    return fs::remove(HostPath(windowsPath), ec);
}

}  // namespace testsupport
