// The leading-number reading, the two small readers and the GB2312 font-mode switch.
#include <gtest/gtest.h>

#include "package/Gb2312Font.h"
#include "package/ProfileReaders.h"
#include "tests/package/config_fixture.h"

namespace setuptest {
namespace {

TEST(ParseLeadingNumber, ReadsBlanksSignAndDigitsAndStopsAtTheFirstOtherCharacter) {
    struct Case {
        const char* text;
        std::int32_t value;
    } const cases[] = {
        {"0", 0},          {"9600", 9600},     {"  42", 42},         {"\t7", 7},
        {"+5", 5},         {"-3", -3},         {"12abc", 12},        {"010", 10},
        {"0x10", 0},       {"abc", 0},         {"", 0},              {"- 4", 0},
        {"2147483647", 2147483647},            {"2147483648", 2147483647},
        {"-2147483648", -2147483647 - 1},      {"99999999999999999999", 2147483647},
        {"-99999999999999999999", -2147483647 - 1},
    };
    for (const Case& c : cases) EXPECT_EQ(pkg::ParseLeadingNumber(c.text), c.value) << c.text;
    EXPECT_EQ(pkg::ParseLeadingNumber(nullptr), 0);
}

using Readers = ConfigTest;

TEST_F(Readers, ReadSwitchUsesSetupIniOfTheCurrentDirectory) {
    Load("odd");
    EXPECT_EQ(pkg::ReadSwitch(P(), "LANGUAGE"), 1);
    EXPECT_EQ(pkg::ReadSwitch(P(), "DEFAULTNAME"), 4);
    EXPECT_EQ(pkg::ReadSwitch(P(), "Supported32OR64"), 0);  // missing
}

TEST_F(Readers, ReadSwitchFromAnotherDirectoryGivesZero) {
    Load("odd", false, "windows-7-x86", "C:\\Elsewhere");
    EXPECT_EQ(pkg::ReadSwitch(P(), "LANGUAGE"), 0);
}

TEST_F(Readers, ReadProfileIntUsesThePathUnchanged) {
    Load("odd", false, "windows-7-x86", "C:\\Pkg\\DRVCONFIG");
    EXPECT_EQ(pkg::ReadProfileInt(P(), ".\\setup_receipt.ini", "AB-100.PORT", "BaudRate"),
              19200);
    // A bare file name means the Windows directory, as Windows' profile functions have it.
    EXPECT_EQ(pkg::ReadProfileInt(P(), "setup_receipt.ini", "AB-100.PORT", "BaudRate"), 0);
    EXPECT_EQ(pkg::ReadProfileInt(P(), "C:\\Pkg\\DRVCONFIG\\SETUP_RECEIPT.INI", "ab-100.port",
                                    "baudrate"),
              19200);
    EXPECT_EQ(pkg::ReadProfileInt(P(), "DRVCONFIG\\setup_receipt.ini", "AB-100.PORT",
                                    "BaudRate"),
              0);
}

TEST_F(Readers, ConfigTextIsCutToItsBufferAndAnEmptyPathGivesTheDefault) {
    Load("odd");
    char text[5];
    pkg::ReadConfigText(P().profile(), "C:\\Pkg\\DRVCONFIG\\setup.ini", "DEVICENAME",
                          "DEVICENAME1", text, sizeof text);
    EXPECT_STREQ(text, "AB-1");
    pkg::ReadConfigText(P().profile(), "", "DEVICENAME", "DEVICENAME1", text, sizeof text);
    EXPECT_STREQ(text, "0");
}

using FontMode = ConfigTest;

TEST_F(FontMode, LanguageZeroOrMissingSwitchesToTheGb2312Font) {
    Load("odd");
    EXPECT_FALSE(pkg::Gb2312FontMode(P()));  // LANGUAGE=1
    Load("nocount");
    EXPECT_TRUE(pkg::Gb2312FontMode(P()));  // no LANGUAGE key: "0"
    ASSERT_TRUE(machine().WriteFile("C:\\Pkg\\DRVCONFIG\\setup.ini",
                                    "[DEVICENAME]\r\nLANGUAGE=2\r\n"));
    EXPECT_FALSE(pkg::Gb2312FontMode(P()));
}

TEST(Gb2312Font, IsThirteenPixelSongTiInTheGb2312CharacterSet) {
    plat::FontSpec font = pkg::Gb2312FontSpec();
    EXPECT_EQ(font.height, 13);
    EXPECT_EQ(font.width, 0);
    EXPECT_EQ(font.weight, 400);
    EXPECT_FALSE(font.italic || font.underline || font.strikeOut);
    EXPECT_EQ(font.charSet, 134);
    EXPECT_EQ(font.pitchAndFamily, 32);
    EXPECT_EQ(font.face, "\xCB\xCE\xCC\xE5");  // 宋体 in code page 936
}

}  // namespace
}  // namespace setuptest
