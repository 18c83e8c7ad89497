// Throwaway simulated machines with a package copied onto drive C.
#include "tests/support/package_machine.h"

#include <fstream>
#include <system_error>

namespace testsupport {

namespace fs = std::filesystem;

fs::path ExamplePackage() { return fs::path(PKG_SOURCE_DIR) / "examples" / "package"; }

fs::path PackageFixture(const std::string& name) {
    return fs::path(PKG_SOURCE_DIR) / "tests" / "package" / "fixtures" / name;
}

std::unique_ptr<PackageMachine> PackageMachine::Create(const fs::path& package,
                                                       const PackageMachineOptions& options,
                                                       std::string& error) {
    std::unique_ptr<PackageMachine> result(new PackageMachine);
    result->machine_ = sim::ThrowawayMachine::Create(options.preset, "pkgmachine", error);
    if (!result->machine_ || !result->machine_->CopyIn(package, options.packageDir, error))
        return nullptr;
    std::string currentDir = options.currentDir.empty() ? options.packageDir : options.currentDir;
    result->platform_ =
        result->machine_->Process(options.bits, options.packageDir + "\\setup.exe", currentDir);
    return result;
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
