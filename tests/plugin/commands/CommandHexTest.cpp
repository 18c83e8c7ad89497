// The hex text of raw commands: formatting, lenient parsing, round trips and the stored limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "plugin/commands/CommandHex.h"
#include "plugin/devmode/OemDevmode.h"

namespace plugintest {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(FormatCommandHex, GivesTwoUpperCaseDigitsAndASpacePerByte) {
    EXPECT_EQ(plugin::FormatCommandHex(Bytes{}), u"");
    EXPECT_EQ(plugin::FormatCommandHex(Bytes{0x1D, 0x56, 0x42, 0x00}), u"1D 56 42 00 ");
    EXPECT_EQ(plugin::FormatCommandHex(Bytes{0x1B, 0x40}), u"1B 40 ");
    // Values up to 0F get a leading zero; letters are upper case.
    EXPECT_EQ(plugin::FormatCommandHex(Bytes{0x0F, 0x10, 0xAB, 0xFF, 0x01}), u"0F 10 AB FF 01 ");
}

struct ParseCase {
    const char* name;
    std::u16string text;
    Bytes bytes;
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class ParseCommandHex : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommandHex, GivesTheBytes) {
    EXPECT_EQ(plugin::ParseCommandHex(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseCommandHex,
    ::testing::Values(
        ParseCase{"Spaced", u"1D 56 42 00", {0x1D, 0x56, 0x42, 0x00}},
        ParseCase{"Unspaced", u"1D564200", {0x1D, 0x56, 0x42, 0x00}},
        ParseCase{"FormattedWithTrailingSpace", u"1B 40 ", {0x1B, 0x40}},
        ParseCase{"OddCountLastDigitAlone", u"ABC", {0xAB, 0x0C}},
        ParseCase{"DigitsSplitBySpace", u"1 D", {0x01, 0x0D}},
        ParseCase{"SingleDigitsBetweenPairs", u"12 3 45", {0x12, 0x03, 0x45}},
        ParseCase{"LoneDigit", u"F", {0x0F}},
        ParseCase{"Empty", u"", {}},
        ParseCase{"OnlySpaces", u"   ", {}},
        ParseCase{"RepeatedAndLeadingSpaces", u"  1D   56", {0x1D, 0x56}},
        ParseCase{"LowerCase", u"1d ab", {0x1D, 0xAB}},
        // Characters that are not hex digits count as 0 where they stand.
        ParseCase{"BadCharacterAsHighDigit", u"G1", {0x01}},
        ParseCase{"BadCharactersAsBothDigits", u"ZZ", {0x00}},
        ParseCase{"DashAndDotAsLowDigits", u"1-2.", {0x10, 0x20}},
        ParseCase{"TabIsNotASeparator", u"1\t2", {0x10, 0x02}},
        ParseCase{"NonAsciiCharacter", u"\u00e91 \u4e2d", {0x01, 0x00}}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return info.param.name; });

TEST(ParseCommandHex, EightBitTextParsesAsItsWideForm) {
    EXPECT_EQ(plugin::ParseCommandHex(std::string_view("1d 56 4")), (Bytes{0x1D, 0x56, 0x04}));
    EXPECT_EQ(plugin::ParseCommandHex(std::string_view("\xE9" "1")), (Bytes{0x01}));
}

TEST(CommandHex, EveryByteValueSurvivesFormatThenParse) {
    Bytes all(256);
    for (int i = 0; i < 256; ++i) all[i] = static_cast<std::uint8_t>(i);
    const std::u16string text = plugin::FormatCommandHex(all);
    EXPECT_EQ(text.size(), 768u);
    EXPECT_EQ(plugin::ParseCommandHex(text), all);
}

std::u16string Repeat(std::u16string_view unit, int times) {
    std::u16string text;
    for (int i = 0; i < times; ++i) text += unit;
    return text;
}

TEST(StoreCommandHex, Accepts128BytesAndRefuses129LeavingTheFieldUntouched) {
    std::array<std::uint8_t, plugin::kCommandCapacity> field;
    field.fill(0xEE);
    std::uint8_t length = 0x77;

    EXPECT_FALSE(plugin::StoreCommandHex(Repeat(u"00 ", 129), field, length));
    EXPECT_EQ(length, 0x77);
    EXPECT_TRUE(std::all_of(field.begin(), field.end(), [](std::uint8_t b) { return b == 0xEE; }));

    EXPECT_TRUE(plugin::StoreCommandHex(Repeat(u"01 ", 128), field, length));
    EXPECT_EQ(length, 128);
    EXPECT_TRUE(std::all_of(field.begin(), field.end(), [](std::uint8_t b) { return b == 0x01; }));
}

TEST(StoreCommandHex, ZeroFillsTheFieldBehindAShorterCommand) {
    std::array<std::uint8_t, plugin::kCommandCapacity> field;
    field.fill(0xEE);
    std::uint8_t length = 0;
    ASSERT_TRUE(plugin::StoreCommandHex(u"1B 40", field, length));
    EXPECT_EQ(length, 2);
    EXPECT_EQ(field[0], 0x1B);
    EXPECT_EQ(field[1], 0x40);
    EXPECT_TRUE(std::all_of(field.begin() + 2, field.end(), [](std::uint8_t b) { return b == 0; }));

    ASSERT_TRUE(plugin::StoreCommandHex(u"", field, length));
    EXPECT_EQ(length, 0);
    EXPECT_EQ(field[0], 0);
}

// The longest text a dialog reads (400 characters) parses to at most 200 bytes; it is refused,
// not written past the field.
TEST(StoreCommandHex, LongestDialogTextIsRefused) {
    const std::u16string text = Repeat(u"7", 400);
    EXPECT_EQ(plugin::ParseCommandHex(text).size(), 200u);
    std::array<std::uint8_t, plugin::kCommandCapacity> field{};
    std::uint8_t length = 0;
    EXPECT_FALSE(plugin::StoreCommandHex(text, field, length));
}

}  // namespace
}  // namespace plugintest
