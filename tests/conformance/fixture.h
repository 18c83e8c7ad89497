// The platform conformance suite's fixture: each test gets a platform and an empty scratch
// directory that is also the current directory. Natively the platform is a fresh simulated
// machine; in the Windows build it is the real system (run under Wine by CI).
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace conformance {

// Made once per test by the build's own implementation (fixture_sim.cpp or fixture_win32.cpp).
class Environment {
public:
    virtual ~Environment() = default;
    virtual plat::Platform& platform() = 0;
    // Absolute Windows path of the test's scratch directory, without a trailing backslash.
    virtual const std::string& scratch() const = 0;
};
std::unique_ptr<Environment> MakeEnvironment(const std::string& testName);

// True when the suite runs under Wine rather than on Windows or the simulated machine.
bool RunningUnderWine();

class ConformanceTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { env_.reset(); }

    plat::Platform& P() { return env_->platform(); }
    // scratch + "\\" + relative
    std::string Path(const std::string& relative) const;
    // Writes bytes (text as given, no line-end conversion) to a file below the scratch
    // directory, failing the test when that is not possible.
    void WriteText(const std::string& relative, const std::string& text);
    std::string ReadText(const std::string& relative);

private:
    std::unique_ptr<Environment> env_;
};

}  // namespace conformance

// A check on which Wine is known to differ from Windows. On Windows and on the simulated
// machine the condition must hold; under Wine it must not, and the check fails as soon as Wine
// behaves like Windows, so that the mark is removed.
#define EXPECT_TRUE_EXCEPT_WINE(condition)                                              \
    do {                                                                                \
        if (::conformance::RunningUnderWine())                                          \
            EXPECT_FALSE(condition) << "Wine now behaves as Windows here: drop the mark"; \
        else                                                                            \
            EXPECT_TRUE(condition);                                                     \
    } while (0)
