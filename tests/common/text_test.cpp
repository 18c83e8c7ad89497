// The fixed-buffer copy cuts and terminates; letter case changes and comparisons touch ASCII
// letters only; trimming drops the given characters at the ends;
// decimal texts parse whole, digits only, up to a limit.
#include "common/text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

TEST(CopyCut, CutsToCapacityMinusOneAndTerminates) {
    char buf[6];
    std::memset(buf, 'x', sizeof buf);
    common::CopyCut(buf, 5, "abcdefgh");
    EXPECT_STREQ(buf, "abcd");
    EXPECT_EQ(buf[5], 'x');  // nothing written past the capacity
    common::CopyCut(buf, 5, "ab");
    EXPECT_STREQ(buf, "ab");
}

TEST(CopyCut, ZeroCapacityWritesNothing) {
    char buf[2] = {'q', 'q'};
    common::CopyCut(buf, 0, "abc");
    EXPECT_EQ(buf[0], 'q');
}

TEST(FromBuffer, StopsAtTerminatorOrCapacity) {
    const char unterminated[3] = {'a', 'b', 'c'};
    EXPECT_EQ(common::FromBuffer(unterminated, 3), "abc");
    EXPECT_EQ(common::FromBuffer("ab\0cd", 5), "ab");
}

TEST(NoCase, ComparesAsciiLettersWithoutCase) {
    EXPECT_TRUE(common::EqualsNoCase("Setup_Ticket.INI", "setup_ticket.ini"));
    EXPECT_FALSE(common::EqualsNoCase("setup", "setup "));
    EXPECT_FALSE(common::EqualsNoCase("setup.ini", "setup.in"));
    // Only letters fold: '_' (0x5F) and '-' or '@' (0x40) and '`' (0x60) stay apart.
    EXPECT_FALSE(common::EqualsNoCase("a_b", "a-b"));
    EXPECT_FALSE(common::EqualsNoCase("@", "`"));
    // Bytes outside ASCII compare as they are.
    EXPECT_FALSE(common::EqualsNoCase("\xC4", "\xE4"));
    EXPECT_TRUE(common::StartsWithNoCase("PX-6100", "px-6"));
    EXPECT_FALSE(common::StartsWithNoCase("PX", "PX-6"));
}

TEST(LetterCase, ChangesAsciiLettersOnly) {
    EXPECT_EQ(common::ToUpperAscii("Setup_ticket.ini 7"), "SETUP_TICKET.INI 7");
    EXPECT_EQ(common::ToLowerAscii("Setup_TICKET.INI 7"), "setup_ticket.ini 7");
    EXPECT_EQ(common::ToUpperAscii("@[`{\xE4"), "@[`{\xE4");
    EXPECT_EQ(common::ToLowerAscii("@[`{\xC4"), "@[`{\xC4");
    EXPECT_EQ(common::ToUpperAscii('z'), 'Z');
    EXPECT_EQ(common::ToLowerAscii('A'), 'a');
    EXPECT_EQ(common::ToUpperAscii('~'), '~');
}

TEST(Trim, DropsBlanksTabsAndLineEndsAtBothEndsOnly) {
    EXPECT_EQ(common::Trim(" \t key = value \r\n"), "key = value");
    EXPECT_EQ(common::Trim("\r\n \t"), "");
    EXPECT_EQ(common::Trim(""), "");
    EXPECT_EQ(common::Trim("a"), "a");
    // Other characters to drop can be named; the rest stay.
    EXPECT_EQ(common::Trim(" \tvalue\r", " \t"), "value\r");
    // The result is part of the text given, not a copy.
    const std::string text = "  x  ";
    EXPECT_EQ(common::Trim(text).data(), text.data() + 2);
}

TEST(ParseDecimal, TakesWholeDigitTextsUpToTheLimit) {
    std::uint64_t n = 7;
    EXPECT_TRUE(common::ParseDecimal("0", 10, n));
    EXPECT_EQ(n, 0u);
    EXPECT_TRUE(common::ParseDecimal("000042", 100, n));
    EXPECT_EQ(n, 42u);
    EXPECT_TRUE(common::ParseDecimal("4294967295", 0xFFFFFFFFull, n));
    EXPECT_EQ(n, 0xFFFFFFFFull);
    EXPECT_TRUE(common::ParseDecimal("18446744073709551615", UINT64_MAX, n));
    EXPECT_EQ(n, UINT64_MAX);
    // Over the limit, signs, blanks, other characters and empty text fail and leave the value.
    n = 7;
    EXPECT_FALSE(common::ParseDecimal("4294967296", 0xFFFFFFFFull, n));
    EXPECT_FALSE(common::ParseDecimal("18446744073709551616", UINT64_MAX, n));
    EXPECT_FALSE(common::ParseDecimal("5", 4, n));
    EXPECT_FALSE(common::ParseDecimal("1", 0, n));
    EXPECT_FALSE(common::ParseDecimal("+1", 10, n));
    EXPECT_FALSE(common::ParseDecimal("-1", 10, n));
    EXPECT_FALSE(common::ParseDecimal(" 1", 10, n));
    EXPECT_FALSE(common::ParseDecimal("1x", 10, n));
    EXPECT_FALSE(common::ParseDecimal("", 10, n));
    EXPECT_EQ(n, 7u);
}

TEST(ParseSignedDecimal, TakesBothSidesOfTheRangeAndNothingThatWouldWrap) {
    struct Case {
        const char* text;
        std::int64_t min, max;
        bool ok;
        std::int64_t value;
    };
    constexpr std::int64_t kIntMin = -2147483647 - 1, kIntMax = 2147483647;
    const Case cases[] = {
        {"0", kIntMin, kIntMax, true, 0},
        {"-1", kIntMin, kIntMax, true, -1},
        {"-0", kIntMin, kIntMax, true, 0},
        {"2147483647", kIntMin, kIntMax, true, kIntMax},
        {"2147483648", kIntMin, kIntMax, false, 0},
        {"-2147483648", kIntMin, kIntMax, true, kIntMin},
        {"-2147483649", kIntMin, kIntMax, false, 0},
        {"4294967297", kIntMin, kIntMax, false, 0},  // 2^32 + 1 must not come back as 1
        {"-9223372036854775808", INT64_MIN, INT64_MAX, true, INT64_MIN},
        {"9223372036854775807", INT64_MIN, INT64_MAX, true, INT64_MAX},
        {"9223372036854775808", INT64_MIN, INT64_MAX, false, 0},
        {"-9223372036854775809", INT64_MIN, INT64_MAX, false, 0},
        {"-1", 0, 10, false, 0},
        {"-5", -5, -1, true, -5},
        {"0", -5, -1, false, 0},
        {"-", kIntMin, kIntMax, false, 0},
        {"--1", kIntMin, kIntMax, false, 0},
        {"+1", kIntMin, kIntMax, false, 0},
        {"1-2", kIntMin, kIntMax, false, 0},
        {"", kIntMin, kIntMax, false, 0},
    };
    for (const Case& c : cases) {
        std::int64_t n = 99;
        EXPECT_EQ(common::ParseSignedDecimal(c.text, c.min, c.max, n), c.ok) << c.text;
        EXPECT_EQ(n, c.ok ? c.value : 99) << c.text;
    }
}
