// The JSON writer's two kinds of text: package texts byte by byte, host paths as UTF-8.
#include <gtest/gtest.h>

#include <string>

#include "tools/pkgcheck/json_writer.h"

namespace {

using pkgcheck::JsonWriter;

TEST(JsonEscape, PackageTextsEscapeEveryByteBeyondAscii) {
    EXPECT_EQ(JsonWriter::Escape("a\"b\\c\n\t\x01\x7F"), "\"a\\\"b\\\\c\\n\\t\\u0001\\u007f\"");
    // GBK bytes of the code page stay recoverable one by one.
    EXPECT_EQ(JsonWriter::Escape("\xC4\xE3"), "\"\\u00c4\\u00e3\"");
}

TEST(JsonEscape, HostPathsAreDecodedAsUtf8) {
    struct Case {
        const char* text;
        const char* json;
    } const cases[] = {
        {"/home/me/pkg", "\"/home/me/pkg\""},
        {"a\"\\\n", "\"a\\\"\\\\\\n\""},
        {"\xC3\xA9", "\"\\u00e9\""},                       // two bytes
        {"\xE6\x97\xA5\xE6\x9C\xAC", "\"\\u65e5\\u672c\""},  // three bytes
        {"\xF0\x9F\x98\x80", "\"\\ud83d\\ude00\""},         // four bytes: a surrogate pair
        {"\xF4\x8F\xBF\xBF", "\"\\udbff\\udfff\""},         // U+10FFFF, the last code point
        // Not UTF-8: each byte that starts no valid sequence becomes U+FFFD.
        {"\xFF", "\"\\ufffd\""},
        {"\x80z", "\"\\ufffdz\""},                          // a stray continuation byte
        {"\xC0\x80", "\"\\ufffd\\ufffd\""},                 // an overlong NUL
        {"\xE0\x80\xAF", "\"\\ufffd\\ufffd\\ufffd\""},      // an overlong '/'
        {"\xED\xA0\x80", "\"\\ufffd\\ufffd\\ufffd\""},      // a surrogate
        {"\xF4\x90\x80\x80", "\"\\ufffd\\ufffd\\ufffd\\ufffd\""},  // beyond U+10FFFF
        {"\xE6\x97", "\"\\ufffd\\ufffd\""},                 // cut at the end
        {"\xE6z", "\"\\ufffdz\""},                          // cut by an ASCII character
    };
    for (const Case& c : cases) EXPECT_EQ(JsonWriter::EscapeUtf8(c.text), c.json) << c.json;
}

}  // namespace
