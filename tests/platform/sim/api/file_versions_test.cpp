// Tests of the version calls on the simulated machine: the road a caller takes to a file's
// version text, buffers too small for the block, 32-bit redirection and the failing files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win_constants.h"
#include "tests/support/temp_machine.h"

extern const unsigned char kVersionedDll[];
extern const unsigned kVersionedDll_size;

namespace {

using testsupport::TempMachine;

std::vector<std::uint8_t> Versioned() { return {kVersionedDll, kVersionedDll + kVersionedDll_size}; }

class FileVersionsOnSim : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(p->files().WriteWholeFile("C:\\scratch\\v.dll", Versioned()));
    }
    std::uint32_t Last() { return p->lastError().GetLastError(); }

    TempMachine m{"windows-7-x64"};
    std::unique_ptr<sim::SimPlatform> p = m.Process(32);
};

// Size, block, translation, then the FileVersion string of the first translation.
TEST_F(FileVersionsOnSim, TheFirstTranslationLeadsToTheFileVersion) {
    auto& v = p->fileVersions();
    std::uint32_t handle = 0;
    const std::uint32_t size = v.GetFileVersionInfoSizeA("v.dll", handle);  // relative to C:\scratch
    ASSERT_GT(size, 0u);
    std::vector<std::uint8_t> block(size);
    ASSERT_TRUE(v.GetFileVersionInfoA("C:\\SCRATCH\\V.DLL", handle, size, block.data()));
    void* value = nullptr;
    std::uint32_t length = 0;
    ASSERT_TRUE(v.VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", value, length));
    ASSERT_GE(length, 4u);
    const auto* t = static_cast<const std::uint8_t*>(value);
    char name[64];
    std::snprintf(name, sizeof name, "\\StringFileInfo\\%04x%04x\\FileVersion", t[0] | t[1] << 8,
                  t[2] | t[3] << 8);
    EXPECT_STREQ(name, "\\StringFileInfo\\040904b0\\FileVersion");
    ASSERT_TRUE(v.VerQueryValueA(block.data(), name, value, length));
    EXPECT_STREQ(static_cast<const char*>(value), "3.1.4.15");
    EXPECT_EQ(length, 9u);
}

TEST_F(FileVersionsOnSim, ABufferTooSmallForTheBlockIsNeverWrittenOrReadPastItsSize) {
    auto& v = p->fileVersions();
    std::uint32_t handle = 0;
    const std::uint32_t size = v.GetFileVersionInfoSizeA("v.dll", handle);
    ASSERT_GT(size, 100u);
    const std::uint32_t blockLength = (size - 4) / 2;  // the block, then "FE2X" and a spare half
    struct Case {
        std::uint32_t given;
        bool fixedInfo, translation, text;
        std::uint32_t textError;
    };
    const Case cases[] = {
        {size, true, true, true, 0},
        {size - 1, true, true, false, ERROR_INSUFFICIENT_BUFFER},  // no room for ANSI forms
        {blockLength, true, true, false, ERROR_INSUFFICIENT_BUFFER},
        {60, false, false, false, ERROR_RESOURCE_TYPE_NOT_FOUND},  // fixed info (40 to 92) cut
        {92, true, false, false, ERROR_RESOURCE_TYPE_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("buffer of " + std::to_string(c.given));
        std::vector<std::uint8_t> buffer(size + 16, 0xCC);
        ASSERT_TRUE(v.GetFileVersionInfoA("v.dll", 0, c.given, buffer.data()));
        void* value = nullptr;
        std::uint32_t length = 0;
        const bool fixed = v.VerQueryValueA(buffer.data(), "\\", value, length);
        EXPECT_EQ(fixed && length == sizeof(plat::VS_FIXEDFILEINFO), c.fixedInfo);
        EXPECT_EQ(v.VerQueryValueA(buffer.data(), "\\VarFileInfo\\Translation", value, length),
                  c.translation);
        const bool text = v.VerQueryValueA(buffer.data(), "\\StringFileInfo\\040904b0\\ProductName", value, length);
        EXPECT_EQ(text, c.text);
        if (!text) {
            EXPECT_EQ(Last(), c.textError);
        }
        for (std::size_t i = c.given; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], 0xCC) << "byte " << i;
    }
}

TEST_F(FileVersionsOnSim, AThirtyTwoBitProcessReadsSystem32FromSysWow64) {
    auto p64 = m.Process(64);
    ASSERT_TRUE(p64->files().WriteWholeFile("C:\\Windows\\SysWOW64\\drv32.dll", Versioned()));
    std::uint32_t handle = 0;
    EXPECT_GT(p->fileVersions().GetFileVersionInfoSizeA("C:\\Windows\\System32\\drv32.dll", handle), 0u);
    EXPECT_EQ(p64->fileVersions().GetFileVersionInfoSizeA("C:\\Windows\\System32\\drv32.dll", handle), 0u);
    EXPECT_EQ(p64->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
}

TEST_F(FileVersionsOnSim, FilesThatAreNoExecutableOrMissingGiveTheirErrors) {
    auto& v = p->fileVersions();
    const std::string text = "plain text, no executable";
    ASSERT_TRUE(p->files().WriteWholeFile("C:\\scratch\\notes.txt", {text.begin(), text.end()}));
    std::uint32_t handle = 0;
    EXPECT_EQ(v.GetFileVersionInfoSizeA("notes.txt", handle), 0u);
    EXPECT_EQ(Last(), static_cast<std::uint32_t>(ERROR_BAD_EXE_FORMAT));
    EXPECT_EQ(v.GetFileVersionInfoSizeA("C:\\nowhere\\v.dll", handle), 0u);
    EXPECT_EQ(Last(), static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
    std::vector<std::uint8_t> cut = Versioned();
    cut.resize(300);
    ASSERT_TRUE(p->files().WriteWholeFile("C:\\scratch\\cut.dll", cut));
    std::vector<std::uint8_t> buffer(64);
    EXPECT_FALSE(v.GetFileVersionInfoA("cut.dll", 0, 64, buffer.data()));
    EXPECT_EQ(Last(), static_cast<std::uint32_t>(ERROR_BAD_EXE_FORMAT));
}

}  // namespace
