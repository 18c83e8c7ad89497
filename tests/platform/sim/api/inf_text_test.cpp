// Tests of the INF text reader: sections, keys, fields, quotes, comments, continuation,
// string substitution, end of file, UTF-16 files, signatures, GUIDs and the syntax errors.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/sim/api/inf_text.h"
#include "platform/win_constants.h"

namespace {

using sim::InfLine;
using sim::InfText;

InfText Parsed(const std::string& text, std::uint32_t codePage = 1252) {
    InfText inf;
    std::uint32_t line = 0;
    EXPECT_EQ(InfText::Parse(text, codePage, inf, line), ERROR_SUCCESS) << text;
    return inf;
}

// The lines of section S in "[S]\n" + body.
std::vector<InfLine> LinesOf(const std::string& body) {
    const InfText inf = Parsed("[S]\n" + body);
    const int s = inf.FindSection("S");
    if (s < 0) return {};
    return inf.sections()[static_cast<std::size_t>(s)].lines;
}

struct LineCase {
    const char* body;
    bool hasKey;
    std::vector<std::string> fields;  // key first ("" without one), then the values
};

TEST(InfText, OneLineReadsIntoKeyAndFields) {
    const LineCase cases[] = {
        {"  Key  =  a b  \n", true, {"Key", "a b"}},
        {"x = a, b ,c", true, {"x", "a", "b", "c"}},
        {"x = a,,c", true, {"x", "a", "", "c"}},
        {"x = a,", true, {"x", "a", ""}},
        {"x =", true, {"x", ""}},
        {"a, b", false, {"", "a", "b"}},
        {"single", false, {"", "single"}},
        {"x = \"a, b\", \"say \"\"hi\"\"\", \" pad \"", true, {"x", "a, b", "say \"hi\"", " pad "}},
        {"x = \"a;b\" ; a comment", true, {"x", "a;b"}},
        {"x = ab\"c,d\"e", true, {"x", "abc,de"}},
        {"x = \"\"", true, {"x", ""}},
        {"a, b=c", false, {"", "a", "b=c"}},
        {"k = a=b", true, {"k", "a=b"}},
        {"\"my key\" = v", true, {"my key", "v"}},
        {"x = a, \\\n b", true, {"x", "a", "b"}},
        {"x = a, \\   \n b", true, {"x", "a", "b"}},
        {"x = a, \\ ; note\n b", true, {"x", "a", "b"}},
        {"x = a\\b", true, {"x", "a\\b"}},
        {"x = C:\\dir\\ , b", true, {"x", "C:\\dir\\", "b"}},
        {"x = \"a\\\"\n", true, {"x", "a\\"}},
        {"x = \"open to the end\nnext", true, {"x", "open to the end"}},
        {"\tx\t=\t1\t", true, {"x", "1"}},
        {"x = %Mfg%, 100%%", true, {"x", "%Mfg%", "100%%"}},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.body);
        const std::vector<InfLine> lines = LinesOf(c.body);
        ASSERT_GE(lines.size(), 1u);
        EXPECT_EQ(lines[0].hasKey, c.hasKey);
        EXPECT_EQ(lines[0].fields, c.fields);
    }
}

TEST(InfText, CommentsBlankLinesAndLineEndsMakeNoLines) {
    EXPECT_EQ(LinesOf("; only a comment\n\n   \n\t; indented comment\n").size(), 0u);
    EXPECT_EQ(LinesOf(",").size(), 1u);  // a lone comma is a line of two empty fields
    const std::vector<InfLine> crlf = LinesOf("x=1\r\ny=2\r\n\rz=3");
    ASSERT_EQ(crlf.size(), 3u);
    EXPECT_EQ(crlf[0].fields, (std::vector<std::string>{"x", "1"}));
    EXPECT_EQ(crlf[2].fields, (std::vector<std::string>{"z", "3"}));
}

TEST(InfText, CtrlZEndsTheFile) {
    EXPECT_EQ(LinesOf("x=1\n\x1Ay=2\n").size(), 1u);
    const std::vector<InfLine> lines = LinesOf("x=ab\x1A" "cd\ny=2");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].fields[1], "ab");
}

TEST(InfText, SectionsAreFoundLetterCaseAsideAndRepeatedOnesMerge) {
    const InfText inf = Parsed("[Models]\nx=1\n[other]\n[MODELS] ; trailing comment\ny=2\n");
    ASSERT_EQ(inf.sections().size(), 2u);
    const int s = inf.FindSection("models");
    ASSERT_GE(s, 0);
    EXPECT_EQ(inf.sections()[static_cast<std::size_t>(s)].lines.size(), 2u);
    EXPECT_EQ(inf.FindSection("Model"), -1);
    EXPECT_GE(inf.FindSection("Other"), 0);
    EXPECT_GE(Parsed("[Sec tion]\n").FindSection("sec tion"), 0);
}

struct ErrorCase {
    std::string text;
    std::uint32_t error;
    std::uint32_t line;
};

TEST(InfText, SyntaxErrorsNameTheirLine) {
    const std::string name255(255, 'n');
    const ErrorCase cases[] = {
        {"x=1\n[S]\n", ERROR_EXPECTED_SECTION_NAME, 1},
        {"; comment\n\nkeyless\n[S]\n", ERROR_EXPECTED_SECTION_NAME, 3},
        {"[S]\nx=1\n[bad\n", ERROR_BAD_SECTION_NAME_LINE, 3},
        {"[S]\n[bad", ERROR_BAD_SECTION_NAME_LINE, 2},
        {"[S]\nx=a,\\\nb\n[bad]x\n[worse\n", ERROR_BAD_SECTION_NAME_LINE, 5},
        {"[" + name255 + "n]\n", ERROR_SECTION_NAME_TOO_LONG, 1},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.text);
        InfText inf;
        std::uint32_t line = 0;
        EXPECT_EQ(InfText::Parse(c.text, 1252, inf, line), c.error);
        EXPECT_EQ(line, c.line);
    }
    // The longest section name is accepted.
    EXPECT_GE(Parsed("[" + name255 + "]\n").FindSection(name255), 0);
    // No sections at all, and comments before the first, are no error.
    EXPECT_EQ(Parsed("; nothing\n").sections().size(), 0u);
}

TEST(InfText, StringKeysAreReplacedFromTheStringsSection) {
    const InfText inf = Parsed(
        "[Version]\nSignature=\"$Windows NT$\"\n"
        "[Strings]\nMfg = \"QELM Devices\"\nEmpty =\nPct = \"50%%\"\n");
    const std::pair<const char*, const char*> cases[] = {
        {"%Mfg%", "QELM Devices"},
        {"%mfg% port", "QELM Devices port"},
        {"a%Mfg%b%MFG%", "aQELM Devicesb" "QELM Devices"},
        {"100%%", "100%"},
        {"%%Mfg%%", "%Mfg%"},
        {"%Unknown%", "%Unknown%"},
        {"50% done", "50% done"},
        {"%Empty%x", "x"},
        {"%Pct%", "50%%"},  // a string's value is not substituted again
        {"", ""},
    };
    for (const auto& [raw, expected] : cases) EXPECT_EQ(inf.Substitute(raw), expected) << raw;
    EXPECT_EQ(inf.Value("version", "SIGNATURE"), "$Windows NT$");
    EXPECT_EQ(inf.Value("Version", "Class"), "");
    EXPECT_EQ(inf.Value("Missing", "Class"), "");
}

TEST(InfText, Win4SignaturesAreTheThreeSetupAccepts) {
    const std::pair<const char*, bool> cases[] = {
        {"$Windows NT$", true}, {"$CHICAGO$", true},      {"\"$Windows 95$\"", true},
        {"$Windows 2000$", false}, {"Windows NT", false}, {"", false},
    };
    for (const auto& [signature, accepted] : cases)
        EXPECT_EQ(Parsed(std::string("[Version]\nSignature=") + signature).HasWin4Signature(),
                  accepted)
            << signature;
    EXPECT_FALSE(Parsed("[Strings]\nx=1\n").HasWin4Signature());
}

std::string Utf16(const std::u16string& text) {
    std::string out = "\xFF\xFE";
    for (char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

TEST(InfText, Utf16FilesAreReadInTheMachinesCodePage) {
    const std::string file = Utf16(u"[S]\r\nx = caf\u00e9, \u4e2d, \u20ac\r\n");
    const InfText western = Parsed(file, 1252);
    ASSERT_EQ(western.sections().size(), 1u);
    EXPECT_EQ(western.sections()[0].lines[0].fields,
              (std::vector<std::string>{"x", "caf\xE9", "?", "\x80"}));
    const InfText chinese = Parsed(file, 936);
    EXPECT_EQ(chinese.sections()[0].lines[0].fields[2], "\xD6\xD0");
    // Without the byte-order mark the same bytes are 8-bit text whose NULs spoil the names.
    EXPECT_EQ(Parsed(file.substr(2)).FindSection("S"), -1);
}

TEST(InfText, GuidsAreReadInRegistryForm) {
    plat::GUID g{};
    ASSERT_TRUE(sim::ParseGuid("{4D36E978-E325-11CE-BFC1-08002BE10318}", g));
    EXPECT_EQ(g.Data1, 0x4D36E978u);
    EXPECT_EQ(g.Data2, 0xE325u);
    EXPECT_EQ(g.Data3, 0x11CEu);
    const std::uint8_t data4[8] = {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18};
    EXPECT_EQ(std::memcmp(g.Data4, data4, 8), 0);
    EXPECT_TRUE(sim::ParseGuid("{36fc9e60-c465-11cf-8056-444553540000}", g));
    EXPECT_EQ(g.Data1, 0x36FC9E60u);
    for (const char* bad : {"4D36E978-E325-11CE-BFC1-08002BE10318",
                            "{4D36E978-E325-11CE-BFC1-08002BE1031}",
                            "{4D36E978-E325-11CE-BFC1-08002BE103180}",
                            "{4D36E978+E325-11CE-BFC1-08002BE10318}",
                            "{4D36E978-E325-11CE-BFC1-08002BE1031G}", ""})
        EXPECT_FALSE(sim::ParseGuid(bad, g)) << bad;
}

}  // namespace
