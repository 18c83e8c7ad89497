// The conformance fixture's shared part: scratch paths and whole-file helpers.
#include "tests/conformance/fixture.h"

namespace conformance {

void ConformanceTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    env_ = MakeEnvironment(std::string(info->test_suite_name()) + "." + info->name());
    ASSERT_NE(env_, nullptr) << "no platform for the conformance suite";
}

std::string ConformanceTest::Path(const std::string& relative) const {
    return env_->scratch() + "\\" + relative;
}

void ConformanceTest::WriteText(const std::string& relative, const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    ASSERT_TRUE(P().files().WriteWholeFile(Path(relative).c_str(), bytes))
        << "cannot write " << Path(relative) << ", error " << P().lastError().GetLastError();
}

std::string ConformanceTest::ReadText(const std::string& relative) {
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(P().files().ReadWholeFile(Path(relative).c_str(), bytes))
        << "cannot read " << Path(relative);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace conformance
