// install_timing over a real simulated run: Install started with nothing to do shows its window
// and waits two machine seconds (a twentieth of that in real time here) before it closes.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/shell.h"

namespace {

namespace fs = std::filesystem;

const std::string kWinsim = std::string(PKG_BINARY_DIR) + "/tools/winsim/winsim";
const std::string kTiming = std::string(PKG_BINARY_DIR) + "/bench/install_timing";

class InstallTimingRun : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(testing::TempDir()) / ("install-timing-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                              "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        const std::string m = "'" + (dir_ / "m").string() + "'";
        ASSERT_EQ(testsupport::RunShell(kWinsim + " create " + m + " --preset xp-x86 >/dev/null").status, 0);
        ASSERT_EQ(testsupport::RunShell(kWinsim + " mount " + m + " '" PKG_SOURCE_DIR "/examples/package' 'C:\\Package' >/dev/null").status, 0);
        ASSERT_EQ(testsupport::RunShell(kWinsim + " set " + m + " timescale=0.05 >/dev/null").status, 0);
    }
    void TearDown() override { fs::remove_all(dir_); }

    testsupport::ShellRun Time(const std::string& options, const std::string& installArgument) {
        return testsupport::RunShell(kTiming + " --label trial --log '" + (dir_ / "run.log").string() + "' " + options + " -- " +
                                     kWinsim + " run '" + (dir_ / "m").string() + "' 'C:\\Package\\USBDrv\\USBDriver\\Install.exe' " +
                                     installArgument);
    }

    fs::path dir_;
};

// SUMMARY  label  total s  waits s  own s  own/waits %  longest step  steps over 50 ms
std::vector<std::string> SummaryFields(const std::string& output) {
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line))
        if (line.rfind("SUMMARY\t", 0) == 0) {
            std::vector<std::string> fields;
            std::istringstream parts(line);
            for (std::string f; std::getline(parts, f, '\t');) fields.push_back(f);
            return fields;
        }
    return {};
}

TEST_F(InstallTimingRun, TheProgramsTwoSecondWaitIsAMandatedWaitAndItsWorkIsOurs) {
    const auto run = Time("", "5");
    ASSERT_EQ(run.status, 0) << run.output;
    const auto fields = SummaryFields(run.output);
    ASSERT_EQ(fields.size(), 8u) << run.output;
    EXPECT_EQ(fields[1], "trial");
    const double total = std::stod(fields[2]), waits = std::stod(fields[3]), own = std::stod(fields[4]);
    EXPECT_GE(waits, 0.095);   // 2000 machine ms at a scale of 0.05
    EXPECT_LT(waits, 0.5);
    EXPECT_GT(own, 0.0);       // starting the program and showing its window
    EXPECT_NEAR(total, waits + own, 0.002);
    EXPECT_NE(run.output.find("Install/1  after start"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Sleep 2000 ms"), std::string::npos) << run.output;
}

TEST_F(InstallTimingRun, WaitsNamedAsOursMoveIntoOurOwnTime) {
    const auto run = Time("--own-wait Install:2000", "5");
    ASSERT_EQ(run.status, 0) << run.output;
    const auto fields = SummaryFields(run.output);
    ASSERT_EQ(fields.size(), 8u) << run.output;
    EXPECT_LT(std::stod(fields[3]), 0.05);    // no mandated wait is left but the timers'
    EXPECT_GE(std::stod(fields[4]), 0.095);
    EXPECT_NE(run.output.find("of it our own waits"), std::string::npos);
}

TEST(InstallTiming, AFailedCommandOrAWrongCommandLineIsSaid) {
    const auto failed = testsupport::RunShell(kTiming + " -- /bin/false");
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.output.find("the command exited with 1"), std::string::npos) << failed.output;
    for (const char* wrong : {"", "--own-wait Install -- /bin/true", "--own-wait :5 -- /bin/true",
                              "--own-wait Install:0 -- /bin/true", "--top"}) {
        SCOPED_TRACE(wrong);
        EXPECT_EQ(testsupport::RunShell(kTiming + " " + wrong + " 2>/dev/null").status, 2);
    }
    EXPECT_EQ(testsupport::RunShell(kTiming + " --own-wait Install:2000 -- /bin/true").status, 0);
}

}  // namespace
