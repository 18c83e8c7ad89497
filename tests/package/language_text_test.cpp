// Language text lookup: the file below the current directory, marker conversion, empty and
// missing keys, the 1,023-character limit, and lookups from two threads at once.
#include <gtest/gtest.h>

#include <thread>

#include "package/LanguageText.h"
#include "tests/package/config_fixture.h"

namespace setuptest {
namespace {

using pkg::LanguageText;

TEST(ConvertLineBreakMarkers, TurnsTheFirstOfEachMarkerIntoALineBreak) {
    struct Case {
        const char* text;
        const char* converted;
    } const cases[] = {
        {"first\\1second\\2third", "first\r\nsecond\r\nthird"},
        {"one\\1two\\1three", "one\r\ntwo\\1three"},
        {"a\\3b\\2c\\1d", "a\r\nb\r\nc\r\nd"},
        {"x\\2y\\2z", "x\r\ny\\2z"},
        {"\\1", "\r\n"},
        {"no markers \\4 \\n", "no markers \\4 \\n"},
        {"trailing backslash\\", "trailing backslash\\"},
        {"", ""},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        pkg::ConvertLineBreakMarkers(text);
        EXPECT_EQ(text, c.converted) << c.text;
    }
}

using LanguageLookup = ConfigTest;

TEST_F(LanguageLookup, FileIsBelowTheCurrentDirectory) {
    Load("odd");
    EXPECT_EQ(LanguageText(P(), "Message").file(), "C:\\Pkg\\language\\setup.ini");
}

TEST_F(LanguageLookup, TextsComeConvertedFromTheBoundSection) {
    Load("odd");
    LanguageText messages(P(), "Message");
    EXPECT_EQ(messages.Get("THREE"), "first\r\nsecond\r\nthird");
    EXPECT_EQ(messages.Get("TWICE"), "one\r\ntwo\\1three");
    EXPECT_EQ(messages.Get("QUOTED"), "  kept blanks  ");
    // The section name is matched without regard to letter case.
    EXPECT_EQ(LanguageText(P(), "Setup").Get("caption"), "Odd Package Setup");
}

TEST_F(LanguageLookup, EmptyAndMissingKeysBothGiveTheEmptyText) {
    Load("odd");
    LanguageText messages(P(), "Message");
    EXPECT_EQ(messages.Get("EMPTY"), "");
    EXPECT_EQ(messages.Get("NO_SUCH_KEY"), "");
    EXPECT_EQ(LanguageText(P(), "No Such Section").Get("THREE"), "");
}

TEST_F(LanguageLookup, AnotherCurrentDirectoryFindsNoLanguageFile) {
    Load("odd", false, "windows-7-x86", "C:\\Elsewhere");
    LanguageText messages(P(), "Message");
    EXPECT_EQ(messages.file(), "C:\\Elsewhere\\language\\setup.ini");
    EXPECT_EQ(messages.Get("THREE"), "");
}

TEST_F(LanguageLookup, RootDirectoryGivesASingleBackslash) {
    Load("odd", false, "windows-7-x86", "C:\\");
    EXPECT_EQ(LanguageText(P(), "Message").file(), "C:\\language\\setup.ini");
}

TEST_F(LanguageLookup, CurrentDirectoryTooLongForThePathGivesEmptyTexts) {
    // 230 + 20 characters still fit 260; 245 + 20 do not.
    std::string fits = "C:\\" + std::string(227, 'f');
    std::string tooLong = "C:\\" + std::string(242, 'l');
    Load("odd", false, "windows-7-x86", fits);
    ASSERT_TRUE(machine().WriteFile(fits + "\\language\\setup.ini", "[Message]\r\nK=found\r\n"));
    EXPECT_EQ(LanguageText(P(), "Message").Get("K"), "found");

    Load("odd", false, "windows-7-x86", tooLong);
    ASSERT_TRUE(machine().WriteFile(tooLong + "\\language\\setup.ini", "[Message]\r\nK=found\r\n"));
    LanguageText messages(P(), "Message");
    EXPECT_EQ(messages.file(), "");
    EXPECT_EQ(messages.Get("K"), "");
}

TEST_F(LanguageLookup, LongTextIsCutTo1023Characters) {
    Load("odd");
    std::string body(1100, 'w');
    body.replace(1021, 2, "\\1");  // a marker that straddles nothing: it ends at 1022
    ASSERT_TRUE(machine().WriteFile("C:\\Pkg\\language\\setup.ini",
                                    "[Message]\r\nLONG=" + body + "\r\nEXACT=" +
                                        std::string(1023, 'e') + "\r\n"));
    LanguageText messages(P(), "Message");
    std::string text = messages.Get("LONG");
    ASSERT_EQ(text.size(), LanguageText::kMaxText);
    EXPECT_EQ(text.substr(1019), "ww\r\n");
    EXPECT_EQ(messages.Get("EXACT"), std::string(1023, 'e'));
}

TEST_F(LanguageLookup, MarkerCutInHalfByTheLimitStaysAsItIs) {
    Load("odd");
    std::string body(1022, 'w');
    body += "\\1";  // the backslash is character 1023, the '1' is cut off
    ASSERT_TRUE(machine().WriteFile("C:\\Pkg\\language\\setup.ini",
                                    "[Message]\r\nEDGE=" + body + "\r\n"));
    std::string text = LanguageText(P(), "Message").Get("EDGE");
    ASSERT_EQ(text.size(), 1023u);
    EXPECT_EQ(text.back(), '\\');
}

TEST_F(LanguageLookup, SectionNameIsCutTo255Characters) {
    Load("odd");
    EXPECT_EQ(LanguageText(P(), std::string(300, 's')).section().size(), 255u);
}

// The user-interface thread and the installation worker look up texts through the same object
// at the same time; each must get its own intact text.
TEST_F(LanguageLookup, OneLookupServesTwoThreadsAtOnce) {
    Load("odd");
    const LanguageText messages(P(), "Message");
    auto hammer = [&messages](const char* key, const std::string& expected, int& wrong) {
        for (int i = 0; i < 300; ++i)
            if (messages.Get(key) != expected) ++wrong;
    };
    int wrongA = 0, wrongB = 0;
    std::thread a(hammer, "THREE", "first\r\nsecond\r\nthird", std::ref(wrongA));
    std::thread b(hammer, "BACKWARDS", "a\r\nb\r\nc\r\nd", std::ref(wrongB));
    a.join();
    b.join();
    EXPECT_EQ(wrongA, 0);
    EXPECT_EQ(wrongB, 0);
}

}  // namespace
}  // namespace setuptest
