// Unit tests of how the profile functions fill buffers: quotes, truncation, name lists and numbers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/api/profile_buffers.h"

namespace {

using namespace sim::ini;

// A buffer with guard bytes after the part the function may use, to catch overruns.
struct Guarded {
    explicit Guarded(std::uint32_t size) : bytes(size + 8, '#'), size(size) {}
    char* data() { return bytes.data(); }
    bool guardIntact() const { return bytes.substr(size) == std::string(8, '#'); }
    std::string used() const { return bytes.substr(0, size); }
    std::string bytes;
    std::uint32_t size;
};

TEST(ProfileQuotes, OnlyOneMatchingPairAroundTheWholeValueIsDropped) {
    struct Case { const char* value; const char* expected; } cases[] = {
        {"\"abc\"", "abc"},      {"'abc'", "abc"},       {"\" a b \"", " a b "},
        {"\"abc'", "\"abc'"},    {"\"abc", "\"abc"},     {"abc\"", "abc\""},
        {"\"", "\""},            {"\"\"", ""},           {"''", ""},
        {"\"\"x\"\"", "\"x\""},  {"a\"b\"", "a\"b\""},   {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(StripQuotes(c.value), c.expected) << c.value;
}

TEST(ProfileCopy, AtMostSizeMinusOneCharactersAreCopiedAndTerminated) {
    struct Case { const char* text; std::uint32_t size; const char* expected; std::uint32_t ret; } cases[] = {
        {"abcdef", 100, "abcdef", 6}, {"abcdef", 7, "abcdef", 6}, {"abcdef", 6, "abcde", 5},
        {"abcdef", 2, "a", 1},        {"abcdef", 1, "", 0},       {"", 5, "", 0},
    };
    for (const Case& c : cases) {
        Guarded buf(c.size);
        EXPECT_EQ(CopyText(c.text, buf.data(), c.size), c.ret) << c.text << " in " << c.size;
        EXPECT_STREQ(buf.data(), c.expected);
        EXPECT_TRUE(buf.guardIntact());
    }
}

TEST(ProfileCopy, SizeZeroOrNoBufferWritesNothing) {
    Guarded buf(0);
    EXPECT_EQ(CopyText("abc", buf.data(), 0), 0u);
    EXPECT_EQ(buf.bytes, std::string(8, '#'));
    EXPECT_EQ(CopyText("abc", nullptr, 10), 0u);
    EXPECT_EQ(CopyNameList({"a"}, nullptr, 10), 0u);
}

TEST(ProfileCopy, QuotesGoBeforeTheValueIsCut) {
    Guarded buf(7);
    EXPECT_EQ(CopyValue("\"abcdef\"", buf.data(), 7), 6u);
    EXPECT_STREQ(buf.data(), "abcdef");
    EXPECT_EQ(CopyValue("\"abcdef\"", buf.data(), 4), 3u);
    EXPECT_STREQ(buf.data(), "abc");
}

TEST(ProfileCopy, AnEmbeddedZeroEndsTheText) {
    char buf[10];
    EXPECT_EQ(CopyText(std::string_view("ab\0cd", 5), buf, sizeof buf), 2u);
    EXPECT_STREQ(buf, "ab");
}

TEST(ProfileDefault, TrailingBlanksAreDroppedLeadingOnesAndTabsStay) {
    struct Case { const char* def; const char* expected; } cases[] = {
        {"default  ", "default"}, {"  default", "  default"}, {" a b ", " a b"},
        {"tab\t", "tab\t"},       {"   ", ""},                {nullptr, ""},
    };
    for (const Case& c : cases) {
        char buf[32];
        std::uint32_t n = CopyDefault(c.def, buf, sizeof buf);
        EXPECT_STREQ(buf, c.expected) << (c.def ? c.def : "(null)");
        EXPECT_EQ(n, std::string(c.expected).size());
    }
}

TEST(ProfileNameList, ListsEndInTwoZerosAndACutListReturnsSizeMinusTwo) {
    const std::vector<std::string> names = {"ab", "cde"};  // "ab\0cde\0\0" needs 8
    struct Case { std::uint32_t size; std::string expected; std::uint32_t ret; } cases[] = {
        {20, std::string("ab\0cde\0\0", 8), 7},
        {8, std::string("ab\0cde\0\0", 8), 6},   // fits only without its last zero's room: cut
        {9, std::string("ab\0cde\0\0", 8), 7},
        {7, std::string("ab\0cd\0\0", 7), 5},
        {5, std::string("ab\0\0\0", 5), 3},
        {4, std::string("ab\0\0", 4), 2},
        {3, std::string("a\0\0", 3), 1},
        {2, std::string("\0\0", 2), 0},
        {1, std::string("\0", 1), 0},
    };
    for (const Case& c : cases) {
        Guarded buf(c.size);
        EXPECT_EQ(CopyNameList(names, buf.data(), c.size), c.ret) << "size " << c.size;
        EXPECT_EQ(buf.used().substr(0, c.expected.size()), c.expected) << "size " << c.size;
        EXPECT_TRUE(buf.guardIntact()) << "size " << c.size;
    }
}

TEST(ProfileNameList, AnEmptyListIsOneZeroAndEmptyNamesAreLeftOut) {
    char buf[8] = "xxxxxxx";
    EXPECT_EQ(CopyNameList({}, buf, sizeof buf), 0u);
    EXPECT_EQ(buf[0], '\0');
    EXPECT_EQ(CopyNameList({"", "a", ""}, buf, sizeof buf), 2u);
    EXPECT_EQ(std::string(buf, 3), std::string("a\0\0", 3));
}

TEST(ProfileInt, TheLeadingNumberIsReadAsAnUnsigned32BitValue) {
    struct Case { const char* text; std::uint32_t expected; } cases[] = {
        {"42", 42},
        {"+42", 42},
        {"-1", 4294967295u},
        {"-0", 0},
        {"010", 10},
        {"0x1F", 31},
        {"0x1f", 31},
        {"-0x10", 0xFFFFFFF0u},
        {"0X10", 0},  // only a lower-case x selects hexadecimal
        {"0o17", 15},
        {"0b101", 5},
        {"42A9", 42},
        {"12 34", 12},
        {"4294967295", 4294967295u},
        {"4294967296", 0},
        {"4294967297", 1},
        {"  7", 7},
        {"abc", 0},
        {"x12", 0},
        {"+-1", 0},
        {"-", 0},
        {"0x", 0},
        {"0xZ", 0},
        {"", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseProfileInt(c.text), c.expected) << c.text;
}

}  // namespace
