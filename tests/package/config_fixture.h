// A test fixture that puts a fixture package on a fresh simulated machine and reads it through
// PackageConfig as setup would.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "package/PackageConfig.h"
#include "tests/support/package_machine.h"

namespace setuptest {

class ConfigTest : public ::testing::Test {
protected:
    // Loads tests/package/fixtures/<name> into "C:\Pkg" of a machine made from `preset`; setup
    // runs from there with the package root as current directory.
    void Load(const std::string& fixture, bool is64Bit = false,
              const std::string& preset = "windows-7-x86", const std::string& currentDir = "");

    plat::Platform& P() { return machine_->platform(); }
    testsupport::PackageMachine& machine() { return *machine_; }
    pkg::PackageConfig& config() { return *config_; }

private:
    std::unique_ptr<testsupport::PackageMachine> machine_;
    std::unique_ptr<pkg::PackageConfig> config_;
};

// The names of a dependent-file list, without the terminators.
std::vector<std::string> SplitList(const std::string& list);

}  // namespace setuptest
