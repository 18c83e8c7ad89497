// Unit tests of the registry's REGEDIT5 text: exact format, escaping, and a lossless round trip.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/state/reg_file.h"
#include "platform/win_constants.h"

namespace {

using sim::reg::Key;
using sim::reg::Tree;

std::vector<std::uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }
std::vector<std::uint8_t> Sz(std::string_view s) {
    auto b = Bytes(s);
    b.push_back(0);
    return b;
}

Key& Make(Tree& tree, std::vector<std::string> path) {
    bool created = false;
    return tree.Create(path, created);
}

TEST(RegistryText, KeysAndValuesAreWrittenInNameOrderWithRegeditNotation) {
    Tree tree;
    Key& app = Make(tree, {"HKEY_LOCAL_MACHINE", "SOFTWARE", "App"});
    app.SetValue("Path", REG_SZ, Sz("C:\\Program Files\\App"));
    app.SetValue("", REG_SZ, Sz("default"));
    app.SetValue("Count", REG_DWORD, {0x78, 0x56, 0x34, 0x12});
    app.SetValue("quote\"d", REG_SZ, Sz("say \"hi\""));
    Make(tree, {"HKEY_CURRENT_USER", "Software", "b"});
    Make(tree, {"HKEY_CURRENT_USER", "Software", "A"});

    EXPECT_EQ(sim::reg::FormatRegistry(tree),
              "Windows Registry Editor Version 5.00\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\App]\r\n"
              "@=\"default\"\r\n"
              "\"Count\"=dword:12345678\r\n"
              "\"Path\"=\"C:\\\\Program Files\\\\App\"\r\n"
              "\"quote\\\"d\"=\"say \\\"hi\\\"\"\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software]\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\A]\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\b]\r\n\r\n");
}

TEST(RegistryText, EveryValueKindComesBackByteForByte) {
    Tree tree;
    Key& k = Make(tree, {"HKEY_LOCAL_MACHINE", "SYSTEM", "Kinds"});
    std::vector<std::uint8_t> many;
    for (int i = 0; i < 100; ++i) many.push_back(static_cast<std::uint8_t>(i * 7));
    struct Case { const char* name; std::uint32_t type; std::vector<std::uint8_t> data; } cases[] = {
        {"sz", REG_SZ, Sz("text with \\ and \" and ; and =")},
        {"sz high bytes", REG_SZ, Sz("\xC4\xE3\xBA\xC3 \xE9")},
        {"sz empty", REG_SZ, Sz("")},
        {"sz without terminator", REG_SZ, Bytes("abc")},
        {"sz with line break", REG_SZ, Sz("a\r\nb")},
        {"sz with inner zero", REG_SZ, Sz(std::string_view("a\0b", 3))},
        {"sz no bytes", REG_SZ, {}},
        {"expand", REG_EXPAND_SZ, Sz("%SystemRoot%\\x")},
        {"multi", REG_MULTI_SZ, Bytes(std::string_view("one\0two\0\0", 9))},
        {"binary", REG_BINARY, many},
        {"binary empty", REG_BINARY, {}},
        {"dword", REG_DWORD, {1, 0, 0, 0x80}},
        {"short dword", REG_DWORD, {1, 2}},
        {"none", REG_NONE, {9}},
        {"qword", 11, {1, 2, 3, 4, 5, 6, 7, 8}},
        {"MixedCase Name", REG_SZ, Sz("kept")},
    };
    for (const auto& c : cases) k.SetValue(c.name, c.type, c.data);
    Make(tree, {"HKEY_USERS", "S-1-5-18", "Key [with] brackets"});

    std::string text = sim::reg::FormatRegistry(tree);
    Tree back;
    std::string error;
    ASSERT_TRUE(sim::reg::ParseRegistry(text, back, error)) << error << "\n" << text;
    Key* kb = back.Find({"hkey_local_machine", "system", "kinds"});
    ASSERT_NE(kb, nullptr);
    for (const auto& c : cases) {
        sim::reg::Value* v = kb->FindValue(c.name);
        ASSERT_NE(v, nullptr) << c.name;
        EXPECT_EQ(v->name, c.name);
        EXPECT_EQ(v->type, c.type) << c.name;
        EXPECT_EQ(v->data, c.data) << c.name;
    }
    EXPECT_NE(back.Find({"HKEY_USERS", "S-1-5-18", "key [with] brackets"}), nullptr);
    EXPECT_EQ(sim::reg::FormatRegistry(back), text);
}

// Windows refuses no character but the backslash in a key name and none in a value name, so
// every name must survive the file, each on its own line.
TEST(RegistryText, NamesWithLineBreaksAndControlCharactersStayOnTheirLinesAndComeBack) {
    const std::string names[] = {
        "Bad\nName", "cr\rhere", "crlf\r\n", "\n", "tab\tname", std::string("nul\0in", 6),
        "bell\x07", "del\x7F", "\"quoted\"", "\"", "ends in \\x41 and \\n", " blanks ",
        "[brackets]", "x]", ";semicolon", "@", "%0A",
    };
    Tree tree;
    Key& base = Make(tree, {"HKEY_LOCAL_MACHINE", "SOFTWARE", "Names"});
    for (const std::string& name : names) {
        bool created = false;
        // A key name never holds a backslash: those cases are value names only.
        if (name.find('\\') == std::string::npos)
            base.ChildOrNew(name, created).SetValue(name, REG_SZ, Sz("k"));
        base.SetValue(name, REG_DWORD, {1, 2, 3, 4});
    }
    const std::string text = sim::reg::FormatRegistry(tree);
    // Every line is a header, a key, a value or empty: nothing spills onto a line of its own.
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = text.substr(start, end - start);
        EXPECT_TRUE(line.empty() || line[0] == '[' || line[0] == '"' || line[0] == '@' ||
                    line.rfind("Windows Registry", 0) == 0)
            << line;
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    }
    EXPECT_EQ(start, text.size());
    // As worked out by hand.
    EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Names\\\"Bad\\nName\"]\r\n\"Bad\\nName\"=\"k\"\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\"bell\\x07\"=dword:04030201\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Names\\\"\\\"quoted\\\"\"]\r\n"),
              std::string::npos)
        << text;

    Tree back;
    std::string error;
    ASSERT_TRUE(sim::reg::ParseRegistry(text, back, error)) << error << "\n" << text;
    Key* names2 = back.Find({"HKEY_LOCAL_MACHINE", "SOFTWARE", "Names"});
    ASSERT_NE(names2, nullptr);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        sim::reg::Value* v = names2->FindValue(name);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->name, name);
        EXPECT_EQ(v->data, (std::vector<std::uint8_t>{1, 2, 3, 4}));
        if (name.find('\\') != std::string::npos) continue;
        Key* key = names2->Child(name);
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(key->name, name);
        ASSERT_NE(key->FindValue(name), nullptr);
    }
    EXPECT_EQ(sim::reg::FormatRegistry(back), text);
}

TEST(RegistryText, QuotedKeyNamesAreReadOnlyWhenTheQuoteClosesTheName) {
    Tree tree;
    std::string error;
    ASSERT_TRUE(sim::reg::ParseRegistry(
                    "Windows Registry Editor Version 5.00\r\n"
                    "[HKEY_USERS\\\"a\\tb\"\\c]\r\n"
                    "[HKEY_USERS\\\"open]\r\n"
                    "[HKEY_USERS\\\"x\"y]\r\n",
                    tree, error))
        << error;
    EXPECT_NE(tree.Find({"HKEY_USERS", "a\tb", "c"}), nullptr);
    EXPECT_NE(tree.Find({"HKEY_USERS", "\"open"}), nullptr);
    EXPECT_NE(tree.Find({"HKEY_USERS", "\"x\"y"}), nullptr);
}

TEST(RegistryText, ARootInAnyLetterCaseReadsBackUnderItsOwnSpelling) {
    Tree tree;
    std::string error;
    ASSERT_TRUE(sim::reg::ParseRegistry("Windows Registry Editor Version 5.00\r\n"
                                        "[hkey_Local_MachinE\\Software]\r\n"
                                        "\"A\"=\"1\"\r\n",
                                        tree, error))
        << error;
    ASSERT_NE(tree.top().Child("HKEY_LOCAL_MACHINE"), nullptr);
    EXPECT_EQ(tree.top().Child("HKEY_LOCAL_MACHINE")->name, "HKEY_LOCAL_MACHINE");
    EXPECT_NE(sim::reg::FormatRegistry(tree).find("[HKEY_LOCAL_MACHINE\\Software]"),
              std::string::npos);
}

TEST(RegistryText, LongHexDataIsWrappedOnContinuationLines) {
    Tree tree;
    std::vector<std::uint8_t> data(64, 0xAB);
    Make(tree, {"HKEY_CURRENT_USER", "K"}).SetValue("b", REG_BINARY, data);
    std::string text = sim::reg::FormatRegistry(tree);
    EXPECT_NE(text.find(",\\\r\n  ab,"), std::string::npos) << text;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2)
        EXPECT_LE(end - start, 80u) << text.substr(start, end - start);
}

TEST(RegistryText, HandWrittenRegedit4TextWithLfEndsAndCommentsIsRead) {
    Tree tree;
    std::string error;
    ASSERT_TRUE(sim::reg::ParseRegistry("REGEDIT4\n\n; a note\n[HKEY_CURRENT_USER\\X]\n"
                                        "\"n\" = dword:0000002A\n"
                                        "\"h\"=hex:01,02,\\\n    03\n",
                                        tree, error))
        << error;
    Key* x = tree.Find({"HKEY_CURRENT_USER", "X"});
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->FindValue("n")->data, (std::vector<std::uint8_t>{42, 0, 0, 0}));
    EXPECT_EQ(x->FindValue("h")->data, (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(RegistryText, TextThatIsNotUnderstoodIsRefusedWithTheLine) {
    struct Case { const char* text; const char* line; } cases[] = {
        {"not a registry\r\n", "does not start"},
        {"Windows Registry Editor Version 5.00\r\n\"v\"=\"x\"\r\n", "line 2"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_NOWHERE\\A]\r\n", "line 2"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_USERS\\\\A]\r\n", "line 2"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_USERS\\A\r\n", "line 2"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_USERS\\A]\r\n\"v\"=dword:123456789\r\n", "line 3"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_USERS\\A]\r\n\"v\"=hex:1,zz\r\n", "line 3"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_USERS\\A]\r\n\"v\"=\"open\r\n", "line 3"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_USERS\\A]\r\n\"v\"=hex:01,\\\r\n", "line 3"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_USERS\\A]\r\n\"v\"=-\r\n", "line 3"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_USERS\\A]\r\n\"v\"\"x\"\r\n", "line 3"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_USERS\\A]\r\n\"v\\x4\"=dword:1\r\n", "line 3"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_USERS\\A]\r\n\"v\"=\"\\xZZ\"\r\n", "line 3"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_USERS\\\"\"]\r\n", "line 2"},
    };
    for (const auto& c : cases) {
        Tree tree;
        std::string error;
        EXPECT_FALSE(sim::reg::ParseRegistry(c.text, tree, error)) << c.text;
        EXPECT_NE(error.find(c.line), std::string::npos) << error;
    }
}

}  // namespace
