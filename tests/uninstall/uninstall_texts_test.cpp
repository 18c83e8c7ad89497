// The uninstaller's language reader: the file below the current directory, the first backslash-n
// only, the 1,023-character cut, missing texts, and the "%s" fill that never reads arguments.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/temp_machine.h"
#include "uninstall/UninstallTexts.h"

namespace {

using uninstall::UninstallTexts;

TEST(ConvertFirstLineBreak, OnlyTheFirstPairBecomesCrLf) {
    struct Case {
        const char* text;
        const char* converted;
    } const cases[] = {
        {"one\\ntwo", "one\r\ntwo"},
        {"one\\ntwo\\nthree", "one\r\ntwo\\nthree"},
        {"\\n", "\r\n"},
        {"no pair \\ n or \\t", "no pair \\ n or \\t"},
        {"ends in a backslash\\", "ends in a backslash\\"},
        {"", ""},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        uninstall::ConvertFirstLineBreak(text);
        EXPECT_EQ(text, c.converted) << c.text;
    }
}

TEST(FillFormat, FillsTheFirstPercentSAndLeavesEveryOtherConversion) {
    struct Case {
        const char* format;
        const char* filled;
    } const cases[] = {
        {"Removing %s...", "Removing VTX-80R..."},
        {"%s", "VTX-80R"},
        {"no name", "no name"},
        {"%s and %s", "VTX-80R and %s"},
        {"100%% of %s", "100% of VTX-80R"},
        {"%d %n %x %s", "%d %n %x VTX-80R"},
        {"trailing %", "trailing %"},
    };
    for (const Case& c : cases) EXPECT_EQ(uninstall::FillFormat(c.format, "VTX-80R"), c.filled);
}

class UninstallTextsTest : public ::testing::Test {
protected:
    void WriteLanguageFile(const std::string& content) {
        const auto dir = machine_.machine().driveC() / "scratch" / "language";
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "uninstall.ini", std::ios::binary) << content;
    }
    testsupport::TempMachine machine_;
};

TEST_F(UninstallTextsTest, ReadsSectionsOfTheFileBelowTheCurrentDirectory) {
    WriteLanguageFile(
        "[Message]\nIDS_DELETING1=Removing %s...\nIDS_ERR_HAVEJOB2=Jobs on %s.\\nWait.\\nAgain.\n"
        "[Uninstall]\nTitle=Uninstall\n");
    auto process = machine_.Process();
    UninstallTexts texts(*process);
    EXPECT_EQ(texts.file(), "C:\\scratch\\language\\uninstall.ini");
    EXPECT_EQ(texts.Get("Uninstall", "Title"), "Uninstall");
    EXPECT_EQ(texts.Format("IDS_DELETING1", "VTX USB Port Monitor"),
              "Removing VTX USB Port Monitor...");
    EXPECT_EQ(texts.Format("IDS_ERR_HAVEJOB2", "P1"), "Jobs on P1.\r\nWait.\\nAgain.");
    // Missing key, section and (below) file all read as empty texts.
    EXPECT_EQ(texts.Message("IDS_NONE"), "");
    EXPECT_EQ(texts.Get("Reboot", "Title"), "");
}

TEST_F(UninstallTextsTest, AMissingFileGivesEmptyTexts) {
    auto process = machine_.Process();
    EXPECT_EQ(UninstallTexts(*process).Get("Uninstall", "Title"), "");
}

TEST_F(UninstallTextsTest, TextsAreCutAt1023Characters) {
    for (std::size_t length : {1022u, 1023u, 1024u, 1500u}) {
        WriteLanguageFile("[Message]\nLONG=" + std::string(length, 'x') + "\n");
        auto process = machine_.Process();
        EXPECT_EQ(UninstallTexts(*process).Message("LONG").size(),
                  std::min<std::size_t>(length, 1023))
            << length;
    }
}

}  // namespace
