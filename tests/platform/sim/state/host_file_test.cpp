// Whole host files of the machine's own state: read as bytes, replaced in one step with no
// temporary file left behind, whether the replacement succeeds or not.
#include "platform/sim/state/host_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

class HostFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("host-file-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    int EntriesIn(const fs::path& dir) {
        int n = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir)) ++n;
        return n;
    }
    fs::path dir_;
};

TEST_F(HostFileTest, ReplacesTheBytesExactlyAndCreatesTheDirectory) {
    fs::path file = dir_ / "state" / "list.txt";
    std::string bytes("a\r\nb\0c\n", 7);
    ASSERT_TRUE(sim::ReplaceWholeFile(file, bytes));
    std::string read;
    ASSERT_TRUE(sim::ReadWholeFile(file, read));
    EXPECT_EQ(read, bytes);
    ASSERT_TRUE(sim::ReplaceWholeFile(file, "shorter"));
    ASSERT_TRUE(sim::ReadWholeFile(file, read));
    EXPECT_EQ(read, "shorter");
    EXPECT_EQ(EntriesIn(file.parent_path()), 1);  // no temporary file left beside it
}

TEST_F(HostFileTest, AFailedReplacementKeepsTheOldFileAndLeavesNoTemporaryFile) {
    // A directory standing where the file should be cannot be replaced by a rename.
    fs::path blocked = dir_ / "blocked";
    fs::create_directories(blocked / "inside");
    EXPECT_FALSE(sim::ReplaceWholeFile(blocked, "bytes"));
    EXPECT_TRUE(fs::is_directory(blocked));
    EXPECT_EQ(EntriesIn(dir_), 1);

    // A temporary place that cannot be written fails before the file is touched.
    fs::path file = dir_ / "kept.txt";
    ASSERT_TRUE(sim::ReplaceWholeFile(file, "old"));
    EXPECT_FALSE(sim::ReplaceWholeFile(file, "new", dir_ / "missing" / "t.tmp"));
    std::string read;
    ASSERT_TRUE(sim::ReadWholeFile(file, read));
    EXPECT_EQ(read, "old");
}

TEST_F(HostFileTest, ReadingAMissingFileLeavesTheTextAsItWas) {
    std::string text = "unchanged";
    EXPECT_FALSE(sim::ReadWholeFile(dir_ / "none.txt", text));
    EXPECT_EQ(text, "unchanged");
}

}  // namespace
