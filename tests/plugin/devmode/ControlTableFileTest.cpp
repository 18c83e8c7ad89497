// The settings file ZK450iNPCONTROL.ini on a simulated machine: its path, keys, value format,
// the rewrite from a table, and the UTF-16 profile calls under it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win_constants.h"
#include "plugin/devmode/ControlTableFile.h"
#include "tests/support/temp_machine.h"

namespace {

using namespace plugin;

const char* kDriverDir = "C:\\Windows\\system32\\spool\\drivers\\w32x86\\3";
const char16_t* kExpectedPath =
    u"C:\\Windows\\system32\\spool\\drivers\\w32x86\\3\\ZK450iNPCONTROL.ini";

struct ControlTableFileTest : testing::Test {
    void SetUp() override {
        process = machine.Process();
        ASSERT_TRUE(process);
        for (const char* dir : {"C:\\Windows\\system32\\spool", "C:\\Windows\\system32\\spool\\drivers",
                                "C:\\Windows\\system32\\spool\\drivers\\w32x86", kDriverDir})
            process->files().CreateDirectoryA(dir);
        path = ControlTableFilePath(process->files());
    }
    std::string FileText() {
        std::vector<std::uint8_t> bytes;
        std::string narrow(path.begin(), path.end());
        if (!process->files().ReadWholeFile(narrow.c_str(), bytes)) return "(none)";
        return std::string(bytes.begin(), bytes.end());
    }

    testsupport::TempMachine machine;
    std::unique_ptr<sim::SimPlatform> process;
    std::u16string path;
};

TEST_F(ControlTableFileTest, PathIsFixedBelowTheWindowsDirectory) {
    EXPECT_EQ(path, kExpectedPath);
}

TEST(ControlTableKey, IsUpperCaseHexWithoutLeadingZeros) {
    struct Case {
        std::uint8_t code;
        const char16_t* key;
    };
    for (const Case& c : {Case{0x20, u"20"}, {0x7F, u"7F"}, {0x3A, u"3A"}, {0x05, u"5"},
                          {0x00, u"0"}, {0xAB, u"AB"}})
        EXPECT_EQ(ControlTableKey(c.code), c.key) << int(c.code);
}

TEST_F(ControlTableFileTest, WritesOneKeyPerNonEmptyRowInHexWithTrailingSpaces) {
    const std::vector<ControlTableRow> rows = {
        {0x20, {0x1B, 0x40}}, {0x21, {}}, {0x7F, {0x0A}}, {0x41, {0x1D, 0x56, 0x42, 0x00}}};
    ASSERT_TRUE(WriteControlTable(*process, path, rows));
    const std::string text = FileText();
    EXPECT_NE(text.find("[Character Translation Table]"), std::string::npos) << text;
    EXPECT_NE(text.find("20=1B 40 "), std::string::npos) << text;
    EXPECT_NE(text.find("7F=0A "), std::string::npos) << text;
    EXPECT_NE(text.find("41=1D 56 42 00 "), std::string::npos) << text;
    EXPECT_EQ(text.find("21="), std::string::npos) << text;

    // The file keeps the trailing space; reading drops it, as the profile functions drop
    // trailing blanks of every value.
    EXPECT_EQ(ReadControlTableValue(process->profile(), path, 0x20), u"1B 40");
    EXPECT_EQ(ReadControlTableValue(process->profile(), path, 0x41), u"1D 56 42 00");
    EXPECT_EQ(ReadControlTableValue(process->profile(), path, 0x21), u"");
}

TEST_F(ControlTableFileTest, RewriteDropsKeysOfRowsNoLongerPresent) {
    ASSERT_TRUE(WriteControlTable(*process, path, {{0x30, {0x01}}, {0x31, {0x02}}}));
    ASSERT_TRUE(WriteControlTable(*process, path, {{0x31, {0x03}}}));
    EXPECT_EQ(ReadControlTableValue(process->profile(), path, 0x30), u"");
    EXPECT_EQ(ReadControlTableValue(process->profile(), path, 0x31), u"03");
}

TEST_F(ControlTableFileTest, LongValueIsCutTo399Characters) {
    std::vector<std::uint8_t> command(140, 0xAB);  // 420 characters as text
    ASSERT_TRUE(WriteControlTable(*process, path, {{0x40, command}}));
    const std::u16string value = ReadControlTableValue(process->profile(), path, 0x40);
    EXPECT_EQ(value.size(), 399u);
    EXPECT_EQ(value.substr(0, 6), u"AB AB ");
}

TEST_F(ControlTableFileTest, ReadOnlyFileFailsWithTheFileSystemsError) {
    ASSERT_TRUE(WriteControlTable(*process, path, {{0x20, {0x01}}}));
    std::string narrow(path.begin(), path.end());
    ASSERT_TRUE(process->files().SetFileAttributesA(narrow.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(WriteControlTable(*process, path, {{0x20, {0x02}}}));
    EXPECT_EQ(process->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
}

TEST_F(ControlTableFileTest, MissingDriverDirectoryMakesTheWriteFail) {
    ASSERT_TRUE(process->files().RemoveDirectoryA(kDriverDir));
    EXPECT_FALSE(WriteControlTable(*process, path, {{0x20, {0x01}}}));
    EXPECT_NE(process->lastError().GetLastError(), 0u);
}

TEST_F(ControlTableFileTest, SimulatedWideCallsRefuseCharactersOutsideAscii) {
    EXPECT_FALSE(process->profile().WritePrivateProfileStringW(u"S\u00E9", u"k", u"v", path.c_str()));
    EXPECT_EQ(process->lastError().GetLastError(), 1113u);  // ERROR_NO_UNICODE_TRANSLATION
    char16_t out[8] = {u'x'};
    EXPECT_EQ(process->profile().GetPrivateProfileStringW(u"S", u"k\u4E2D", u"d", out, 8,
                                                          path.c_str()),
              0u);
    EXPECT_EQ(out[0], u'\0');
}

}  // namespace
