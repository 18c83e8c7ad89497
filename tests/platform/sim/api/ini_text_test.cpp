// Unit tests of the INI text logic: how lines are read, looked up and edited byte for byte.
#include <gtest/gtest.h>

#include "platform/sim/api/ini_text.h"

namespace {

using sim::ini::Document;
using sim::ini::Line;

struct LineCase {
    const char* text;
    Line::Kind kind;
    const char* name;
    const char* value;
    bool comment;
};

TEST(IniLines, EachLineIsClassifiedWithBlanksAroundNamesAndValuesDropped) {
    const LineCase cases[] = {
        {"", Line::Kind::Blank, "", "", false},
        {" \t ", Line::Kind::Blank, "", "", false},
        {"[Section]", Line::Kind::Section, "Section", "", false},
        {"  [ A b ]  ", Line::Kind::Section, "A b", "", false},
        {"[a]b]", Line::Kind::Section, "a]b", "", false},
        {"[a] trailing", Line::Kind::Section, "a", "", false},
        {"[]", Line::Kind::Section, "", "", false},
        {"[open=1", Line::Kind::Entry, "[open", "1", false},
        {"key=value", Line::Kind::Entry, "key", "value", false},
        {" \tkey \t= \tsome value \t", Line::Kind::Entry, "key", "some value", false},
        {"k=v ; not a comment", Line::Kind::Entry, "k", "v ; not a comment", false},
        {"k=a=b", Line::Kind::Entry, "k", "a=b", false},
        {"k=", Line::Kind::Entry, "k", "", false},
        {"=v", Line::Kind::Entry, "", "v", false},
        {";k=v", Line::Kind::Entry, ";k", "v", true},
        {"; a remark", Line::Kind::Text, "; a remark", "", true},
        {"no equals sign", Line::Kind::Text, "no equals sign", "", false},
        {"# k=v", Line::Kind::Entry, "# k", "v", false},
    };
    for (const LineCase& c : cases) {
        Document doc(c.text);
        ASSERT_LE(doc.lines().size(), 1u) << c.text;
        Line line = doc.lines().empty() ? Line{} : doc.lines()[0];
        EXPECT_EQ(line.kind, c.kind) << c.text;
        EXPECT_EQ(line.name, c.name) << c.text;
        EXPECT_EQ(line.value, c.value) << c.text;
        EXPECT_EQ(line.comment, c.comment) << c.text;
    }
}

TEST(IniLines, CrLfLfAndCrAloneAllEndALine) {
    Document doc("a=1\r\nb=2\nc=3\rd=4");
    ASSERT_EQ(doc.lines().size(), 4u);
    const char* names[] = {"a", "b", "c", "d"};
    const std::size_t begins[] = {0, 5, 9, 13};
    const std::size_t nexts[] = {5, 9, 13, 16};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(doc.lines()[i].name, names[i]);
        EXPECT_EQ(doc.lines()[i].begin, begins[i]);
        EXPECT_EQ(doc.lines()[i].next, nexts[i]);
    }
    EXPECT_EQ(doc.lines()[3].end, 16u);  // the last line has no line end
}

TEST(IniLookup, TheFirstOfTwoEqualKeysAndTheFirstOfTwoEqualSectionsWin) {
    Document doc(
        "[S]\r\nk=first\r\nK=second\r\n[s]\r\nk=third\r\nonly=second section\r\n");
    EXPECT_EQ(doc.FindValue("S", "k"), "first");
    EXPECT_EQ(doc.FindValue(" s ", " K "), "first");
    EXPECT_EQ(doc.FindValue("S", "only"), std::nullopt);
    EXPECT_EQ(doc.SectionNames(), (std::vector<std::string>{"S", "s"}));
}

TEST(IniLookup, ALineWithoutEqualsSignHasNoValueAndHidesALaterKeyOfItsName) {
    Document doc("[S]\r\nflag\r\nflag=set\r\nother=1\r\n");
    EXPECT_EQ(doc.FindValue("S", "flag"), std::nullopt);
    EXPECT_EQ(doc.FindValue("S", "other"), "1");
    EXPECT_EQ(doc.KeyNames("S"), (std::vector<std::string>{"flag", "other"}));
    EXPECT_EQ(sim::ini::SetValue("[S]\r\nflag\r\nflag=set\r\n", "S", "flag", "v"),
              "[S]\r\nflag=v\r\nflag=set\r\n");
    EXPECT_EQ(sim::ini::DeleteKey("[S]\r\nflag\r\nflag=set\r\n", "S", "flag"),
              "[S]\r\nflag=set\r\n");
}

// Windows finds a "[]" section by the empty name and a "=value" line by the empty key; where the
// file has no such line the empty name finds nothing, and lines before the first header are
// never found.
TEST(IniLookup, EmptyNamesFindOnlyEmptyHeadersAndKeys) {
    Document doc("lead=1\r\n[]\r\nk=val_e_section\r\n[S]\r\nk=3\r\n=val_no_key\r\n[T]\r\nk=4\r\n");
    EXPECT_EQ(doc.FindValue("", "lead"), std::nullopt);
    EXPECT_EQ(doc.FindValue("", "k"), "val_e_section");
    EXPECT_EQ(doc.FindValue(" ", "k"), "val_e_section");
    EXPECT_EQ(doc.FindValue("S", ""), "val_no_key");
    EXPECT_EQ(doc.FindValue("S", "k"), "3");
    EXPECT_EQ(doc.FindValue("T", ""), std::nullopt);
    EXPECT_EQ(doc.SectionNames(), (std::vector<std::string>{"S", "T"}));

    Document noEmpty("lead=1\r\n[S]\r\nk=3\r\n");
    EXPECT_EQ(noEmpty.FindValue("", "lead"), std::nullopt);
    EXPECT_EQ(noEmpty.FindValue("", "k"), std::nullopt);
    EXPECT_EQ(noEmpty.FindValue("S", ""), std::nullopt);
}

TEST(IniLookup, KeyListsLeaveOutCommentsTextLinesAndEmptyNames) {
    Document doc("[S]\r\n;c=1\r\na=1\r\n; remark\r\ntext\r\n=v\r\n\r\nb=\r\n[T]\r\n");
    EXPECT_EQ(doc.KeyNames("s"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(doc.KeyNames("T"), std::vector<std::string>{});
    EXPECT_EQ(doc.KeyNames("missing"), std::nullopt);
}

struct EditCase {
    const char* what;
    std::string before;
    std::string after;
};

TEST(IniEdit, SetValueChangesOnlyWhatItMust) {
    const EditCase cases[] = {
        {"empty text gets a section", "", "[S]\r\nk=v\r\n"},
        {"replaced in place, LF ends kept", "; top\n[S]\n  K = old ; x\nz=1\n",
         "; top\n[S]\nK=v\nz=1\n"},
        {"the first of two keys is replaced", "[S]\r\nk=1\r\nk=2\r\n", "[S]\r\nk=v\r\nk=2\r\n"},
        {"new key after the last key, before blank and comment",
         "[S]\r\na=1\r\n\r\n; next\r\n[T]\r\n", "[S]\r\na=1\r\nk=v\r\n\r\n; next\r\n[T]\r\n"},
        {"new key in an empty section", "[S]\r\n[T]\r\n", "[S]\r\nk=v\r\n[T]\r\n"},
        {"new key after a last line without line end", "[S]\r\na=1", "[S]\r\na=1\r\nk=v\r\n"},
        {"new section after a last line without line end", "[T]\nx=1", "[T]\nx=1\r\n[S]\r\nk=v\r\n"},
        {"only the first of two sections is changed", "[S]\r\n[S]\r\nk=2\r\n",
         "[S]\r\nk=v\r\n[S]\r\nk=2\r\n"},
        {"CR-only file keeps its CRs", "[S]\ra=1\r\r[T]\r", "[S]\ra=1\rk=v\r\n\r[T]\r"},
    };
    for (const EditCase& c : cases)
        EXPECT_EQ(sim::ini::SetValue(c.before, "S", "k", "v"), c.after) << c.what;
}

TEST(IniEdit, SetValueDropsLeadingBlanksOfTheValueAndAroundNames) {
    EXPECT_EQ(sim::ini::SetValue("", " S ", " k ", "  a b  "), "[S]\r\nk=a b  \r\n");
}

TEST(IniEdit, DeleteKeyRemovesOnlyThatLine) {
    const EditCase cases[] = {
        {"middle line", "[S]\r\na=1\r\nk=2\r\nb=3\r\n", "[S]\r\na=1\r\nb=3\r\n"},
        {"last line without line end", "[S]\r\nk=2", "[S]\r\n"},
        {"first of two", "[S]\nk=1\nk=2\n", "[S]\nk=2\n"},
        {"missing key", "[S]\r\na=1\r\n", "[S]\r\na=1\r\n"},
        {"key of another section", "[T]\r\nk=1\r\n", "[T]\r\nk=1\r\n"},
        {"comment line is kept", "[S]\r\n;k=1\r\n", "[S]\r\n;k=1\r\n"},
    };
    for (const EditCase& c : cases)
        EXPECT_EQ(sim::ini::DeleteKey(c.before, "s", "K"), c.after) << c.what;
}

TEST(IniEdit, DeleteSectionRemovesItsLinesUpToTheNextHeader) {
    const EditCase cases[] = {
        {"between two", "[A]\r\na=1\r\n[S]\r\nk=1\r\n\r\n[B]\r\n", "[A]\r\na=1\r\n[B]\r\n"},
        {"last", "[A]\na=1\n[S]\nk=1", "[A]\na=1\n"},
        {"only the first of two", "[S]\r\nk=1\r\n[S]\r\nk=2\r\n", "[S]\r\nk=2\r\n"},
        {"missing", "[A]\r\n", "[A]\r\n"},
    };
    for (const EditCase& c : cases)
        EXPECT_EQ(sim::ini::DeleteSection(c.before, "s"), c.after) << c.what;
}

}  // namespace
