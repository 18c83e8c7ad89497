// The fixture-package test base.
#include "tests/package/config_fixture.h"

#include <cstring>

namespace setuptest {

void ConfigTest::Load(const std::string& fixture, bool is64Bit, const std::string& preset,
                      const std::string& currentDir) {
    testsupport::PackageMachineOptions options;
    options.preset = preset;
    options.currentDir = currentDir;
    std::string error;
    machine_ = testsupport::PackageMachine::Create(testsupport::PackageFixture(fixture), options,
                                                   error);
    ASSERT_TRUE(machine_) << error;
    config_ = std::make_unique<pkg::PackageConfig>(machine_->platform(), is64Bit);
}

std::vector<std::string> SplitList(const std::string& list) {
    // The list ends at its first empty name; c_str() supplies the zero after the last byte.
    std::vector<std::string> names;
    for (const char* p = list.c_str(); *p != '\0'; p += std::strlen(p) + 1) names.emplace_back(p);
    return names;
}

}  // namespace setuptest
