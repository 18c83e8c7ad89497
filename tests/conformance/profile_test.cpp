// Profile (INI) conformance: how GetPrivateProfileStringA and its relatives read, cut, list and
// write hand-written INI files, rule by rule, as Windows behaves.
#include <cstring>
#include <string>
#include <vector>

#include "platform/win_constants.h"
#include "tests/conformance/fixture.h"

namespace conformance {
namespace {

class ProfileTest : public ConformanceTest {
protected:
    plat::Profile& Profile() { return P().profile(); }

    // The string GetPrivateProfileStringA gives, cut at the returned length.
    std::string Get(const std::string& file, const char* section, const char* key,
                    const char* def = "(default)", std::uint32_t size = 256) {
        std::vector<char> buffer(size + 1, 'x');
        std::uint32_t n = Profile().GetPrivateProfileStringA(section, key, def, buffer.data(), size,
                                                             Path(file).c_str());
        EXPECT_LT(n, size == 0 ? 1 : size) << "returned length beyond the buffer";
        EXPECT_EQ(buffer[size], 'x') << "written past the buffer";
        if (size > 0 && n < size) {
            EXPECT_EQ(buffer[n], '\0') << "not terminated";
        }
        return std::string(buffer.data(), n < size ? n : 0);
    }

    // A name list: the returned count, the bytes up to and with the zero after the counted
    // characters, and the buffer's last byte.
    struct List {
        std::uint32_t count;
        std::string bytes;
        char last;
    };
    List GetList(const std::string& file, const char* section, std::uint32_t size) {
        std::vector<char> buffer(size + 1, 'x');
        std::uint32_t n = Profile().GetPrivateProfileStringA(section, nullptr, nullptr, buffer.data(),
                                                             size, Path(file).c_str());
        EXPECT_EQ(buffer[size], 'x') << "written past the buffer";
        std::size_t shown = n + 1 < size ? n + 1 : size;
        return {n, std::string(buffer.data(), shown), buffer[size - 1]};
    }

    std::uint32_t GetInt(const std::string& file, const char* key, int def = 77) {
        return Profile().GetPrivateProfileIntA("S", key, def, Path(file).c_str());
    }

    bool Write(const std::string& file, const char* section, const char* key, const char* value) {
        return Profile().WritePrivateProfileStringA(section, key, value, Path(file).c_str());
    }

    std::string WindowsDirectory() {
        char dir[300] = {};
        std::uint32_t n = P().files().GetWindowsDirectoryA(dir, sizeof dir);
        EXPECT_GT(n, 0u);
        std::string d(dir, n < sizeof dir ? n : 0);
        if (!d.empty() && d.back() == '\\') d.pop_back();
        return d;
    }
};

// ---- reading a string ----

struct ReadCase {
    const char* line;      // the line under [S]
    const char* key;
    const char* expected;  // "(default)" when the key is not found
};

TEST_F(ProfileTest, BlanksAndTabsAroundKeysAndValuesAreDroppedButNotInsideValues) {
    const ReadCase cases[] = {
        {"key=value", "key", "value"},
        {"  key  =  value  ", "key", "value"},
        {"\tkey\t=\tvalue\t", "key", "value"},
        {"key=a  b\tc", "key", "a  b\tc"},
        {"two words = x", "two words", "x"},
        {"key=value", "  key\t", "value"},
        {"KeY=value", "kEy", "value"},
    };
    for (const ReadCase& c : cases) {
        WriteText("read.ini", std::string("[S]\r\n") + c.line + "\r\n");
        EXPECT_EQ(Get("read.ini", "S", c.key), c.expected) << c.line;
    }
}

TEST_F(ProfileTest, BlanksInsideASectionHeaderAreDroppedAndLetterCaseIgnored) {
    const char* headers[] = {"[S]", "[ S ]", "[\tS\t]", "  [S]  ", "[s]"};
    for (const char* header : headers) {
        WriteText("header.ini", std::string(header) + "\r\nkey=value\r\n");
        EXPECT_EQ(Get("header.ini", "S", "key"), "value") << header;
    }
}

TEST_F(ProfileTest, AValueInOneMatchingPairOfQuotesComesBackWithoutThem) {
    const ReadCase cases[] = {
        {"k=\"quoted\"", "k", "quoted"},
        {"k='single'", "k", "single"},
        {"k=\" inner blanks \"", "k", " inner blanks "},
        {"k=  \"spaced\"  ", "k", "spaced"},
        {"k=\"\"", "k", ""},
        {"k=\"open", "k", "\"open"},
        {"k=close\"", "k", "close\""},
        {"k=\"mixed'", "k", "\"mixed'"},
        {"k=a \"b\"", "k", "a \"b\""},
        {"k=\"", "k", "\""},
    };
    for (const ReadCase& c : cases) {
        WriteText("quotes.ini", std::string("[S]\r\n") + c.line + "\r\n");
        EXPECT_EQ(Get("quotes.ini", "S", c.key), c.expected) << c.line;
    }
}

TEST_F(ProfileTest, NothingAfterAValueIsAComment) {
    WriteText("c.ini", "[S]\r\nk=v ; x\r\nh=v # y\r\n");
    EXPECT_EQ(Get("c.ini", "S", "k"), "v ; x");
    EXPECT_EQ(Get("c.ini", "S", "h"), "v # y");
}

TEST_F(ProfileTest, ALineWithoutEqualsSignIsNotAKey) {
    WriteText("noeq.ini", "[S]\r\nflag\r\nother=1\r\n");
    EXPECT_EQ(Get("noeq.ini", "S", "flag"), "(default)");
    EXPECT_EQ(GetList("noeq.ini", "S", 64).bytes, std::string("other\0\0", 7));
}

TEST_F(ProfileTest, AnEmptyValueIsTheEmptyTextNotTheDefault) {
    WriteText("empty.ini", "[S]\r\nk=\r\nb=   \r\n");
    EXPECT_EQ(Get("empty.ini", "S", "k"), "");
    EXPECT_EQ(Get("empty.ini", "S", "b"), "");
}

TEST_F(ProfileTest, TheFirstOfTwoEqualKeysWins) {
    WriteText("dup.ini", "[S]\r\nk=first\r\nK=second\r\n");
    EXPECT_EQ(Get("dup.ini", "S", "k"), "first");
}

TEST_F(ProfileTest, OfTwoEqualSectionsOnlyTheFirstIsSearchedButBothAreListed) {
    WriteText("dup.ini", "[S]\r\na=1\r\n[T]\r\n[s]\r\na=2\r\nb=3\r\n");
    EXPECT_EQ(Get("dup.ini", "S", "a"), "1");
    EXPECT_EQ(Get("dup.ini", "S", "b"), "(default)");
    EXPECT_EQ(GetList("dup.ini", nullptr, 64).bytes, std::string("S\0T\0s\0\0", 7));
    EXPECT_EQ(GetList("dup.ini", "S", 64).bytes, std::string("a\0\0", 3));
}

TEST_F(ProfileTest, LinesMayEndInCrLfLfOrCrAloneAndTheLastNeedNotEndAtAll) {
    struct Case {
        const char* what;
        const char* text;
    } cases[] = {
        {"CRLF", "[S]\r\na=1\r\nb=2\r\n[T]\r\nc=3\r\n"},
        {"LF", "[S]\na=1\nb=2\n[T]\nc=3\n"},
        {"CR", "[S]\ra=1\rb=2\r[T]\rc=3\r"},
        {"no final line end", "[S]\r\na=1\r\nb=2\r\n[T]\r\nc=3"},
    };
    for (const Case& c : cases) {
        WriteText("ends.ini", c.text);
        EXPECT_EQ(Get("ends.ini", "S", "a"), "1") << c.what;
        EXPECT_EQ(Get("ends.ini", "S", "b"), "2") << c.what;
        EXPECT_EQ(Get("ends.ini", "T", "c"), "3") << c.what;
    }
}

TEST_F(ProfileTest, MissingFileSectionOrKeyAndEmptyNamesGiveTheDefault) {
    WriteText("d.ini", "[S]\r\nk=v\r\n");
    EXPECT_EQ(Get("missing.ini", "S", "k"), "(default)");
    EXPECT_EQ(Get("d.ini", "Other", "k"), "(default)");
    EXPECT_EQ(Get("d.ini", "S", "other"), "(default)");
    EXPECT_EQ(Get("d.ini", "", "k"), "(default)");
    EXPECT_EQ(Get("d.ini", "S", ""), "(default)");
}

// An empty name is still a name: "" finds a "[]" header and a "=value" line, in both forms.
TEST_F(ProfileTest, EmptySectionAndKeyNamesFindAnEmptyHeaderAndAnEmptyKey) {
    WriteText("e.ini", "[]\r\nkey=val_e_section\r\n[s]\r\n=val_no_key\r\n");
    // Wine does not find the "[]" section; Windows does.
    EXPECT_TRUE_EXCEPT_WINE(Get("e.ini", "", "key") == "val_e_section");
    EXPECT_EQ(Get("e.ini", "s", ""), "val_no_key");

    const std::string path = Path("e.ini");
    const std::u16string file(path.begin(), path.end());
    char16_t out[64] = {};
    std::uint32_t n = Profile().GetPrivateProfileStringW(u"", u"key", u"(default)", out, 64,
                                                         file.c_str());
    EXPECT_TRUE_EXCEPT_WINE(std::u16string(out, n) == u"val_e_section");
    n = Profile().GetPrivateProfileStringW(u"s", u"", u"(default)", out, 64, file.c_str());
    EXPECT_EQ(std::u16string(out, n), u"val_no_key");
}

TEST_F(ProfileTest, TheDefaultLosesTrailingBlanksKeepsLeadingOnesAndNullIsEmpty) {
    WriteText("d.ini", "[S]\r\nk=v\r\n");
    EXPECT_EQ(Get("d.ini", "S", "none", "default  "), "default");
    EXPECT_EQ(Get("d.ini", "S", "none", "  default"), "  default");
    EXPECT_EQ(Get("d.ini", "S", "none", nullptr), "");
    EXPECT_EQ(Get("missing.ini", "S", "k", "default  "), "default");
    EXPECT_EQ(Get("d.ini", "", "k", "default  "), "default");
}

TEST_F(ProfileTest, AValueIsCutToSizeMinusOneAndTheReturnValueCountsWhatWasCopied) {
    WriteText("cut.ini", "[S]\r\nk=abcdef\r\nq=\"abcdef\"\r\n");
    const struct {
        std::uint32_t size;
        const char* expected;
    } cases[] = {{100, "abcdef"}, {7, "abcdef"}, {6, "abcde"}, {2, "a"}, {1, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(Get("cut.ini", "S", "k", "(default)", c.size), c.expected) << c.size;
    }
    EXPECT_EQ(Get("cut.ini", "S", "q", "(default)", 4), "abc");
    EXPECT_EQ(Get("cut.ini", "S", "none", "default", 4), "def");
}

TEST_F(ProfileTest, ABufferOfSizeZeroIsNotWritten) {
    WriteText("zero.ini", "[S]\r\nk=v\r\n");
    char c = 'x';
    EXPECT_EQ(Profile().GetPrivateProfileStringA("S", "k", "d", &c, 0, Path("zero.ini").c_str()), 0u);
    EXPECT_EQ(Profile().GetPrivateProfileStringA(nullptr, nullptr, nullptr, &c, 0,
                                                 Path("zero.ini").c_str()),
              0u);
    EXPECT_EQ(c, 'x');
}

// ---- lists ----

TEST_F(ProfileTest, ANullSectionListsEverySectionAndANullKeyEveryKey) {
    WriteText("list.ini",
              "lead=0\r\n[One]\r\na=1\r\n; note=x\r\n;c=2\r\n\r\nBee = 2\r\n[Two]\r\n[Three]\r\nz=\r\n");
    List sections = GetList("list.ini", nullptr, 256);
    EXPECT_EQ(sections.bytes, std::string("One\0Two\0Three\0\0", 15));
    EXPECT_EQ(sections.count, 14u);
    List keys = GetList("list.ini", "ONE", 256);
    EXPECT_EQ(keys.bytes, std::string("a\0Bee\0\0", 7));
    EXPECT_EQ(keys.count, 6u);
    EXPECT_EQ(GetList("list.ini", "Three", 256).bytes, std::string("z\0\0", 3));

    char names[64];
    EXPECT_EQ(Profile().GetPrivateProfileSectionNamesA(names, sizeof names, Path("list.ini").c_str()), 14u);
    EXPECT_EQ(std::string(names, 15), std::string("One\0Two\0Three\0\0", 15));
}

TEST_F(ProfileTest, AListThatDoesNotFitEndsInTwoZerosAndReturnsSizeMinusTwo) {
    WriteText("list.ini", "[ab]\r\n[cde]\r\n");  // "ab\0cde\0\0" needs 8
    const struct {
        std::uint32_t size;
        std::uint32_t count;
        std::string bytes;
        bool cut = true;
    } cases[] = {
        {9, 7, std::string("ab\0cde\0\0", 8), false},
        {8, 6, std::string("ab\0cde\0", 7)},  // would fit only without the final zero's room
        {7, 5, std::string("ab\0cd\0", 6)},
        {5, 3, std::string("ab\0\0", 4)},
        {4, 2, std::string("ab\0", 3)},
        {3, 1, std::string("a\0", 2)},
    };
    for (const auto& c : cases) {
        List list = GetList("list.ini", nullptr, c.size);
        EXPECT_EQ(list.count, c.count) << "size " << c.size;
        EXPECT_EQ(list.bytes, c.bytes) << "size " << c.size;
        // The second of the two zeros that end a cut list: Wine's ANSI call leaves it out.
        if (c.cut) {
            EXPECT_TRUE_EXCEPT_WINE(list.last == '\0');
        }
    }
}

TEST_F(ProfileTest, ListsOfAMissingFileAreEmpty) {
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(Profile().GetPrivateProfileStringA(nullptr, nullptr, nullptr, buffer, sizeof buffer,
                                                 Path("missing.ini").c_str()),
              0u);
    EXPECT_EQ(buffer[0], '\0');
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(Profile().GetPrivateProfileStringA("S", nullptr, nullptr, buffer, sizeof buffer,
                                                 Path("missing.ini").c_str()),
              0u);
    EXPECT_EQ(buffer[0], '\0');
}

// ---- when the file is read ----

TEST_F(ProfileTest, TheFileIsReadAsItIsOnDiskAtEachCall) {
    WriteText("live.ini", "[S]\r\nk=before\r\n");
    EXPECT_EQ(Get("live.ini", "S", "k"), "before");
    WriteText("live.ini", "[S]\r\nk=after\r\n");
    EXPECT_EQ(Get("live.ini", "S", "k"), "after");
}

TEST_F(ProfileTest, AFileHeldWithoutReadSharingReadsAsMissing) {
    WriteText("held.ini", "[S]\r\nk=v\r\n");
    {
        auto held = P().files().OpenExisting(Path("held.ini").c_str(), GENERIC_READ, 0);
        ASSERT_NE(held, nullptr);
        EXPECT_EQ(Get("held.ini", "S", "k"), "(default)");
    }
    EXPECT_EQ(Get("held.ini", "S", "k"), "v");
}

TEST_F(ProfileTest, LetterCaseOfTheFileNameIsIgnored) {
    WriteText("Mixed.ini", "[S]\r\nk=v\r\n");
    EXPECT_EQ(Get("MIXED.INI", "S", "k"), "v");
}

TEST_F(ProfileTest, ARelativePathResolvesAgainstTheCurrentDirectory) {
    WriteText("here.ini", "[S]\r\nk=here\r\n");
    char out[32];
    EXPECT_EQ(Profile().GetPrivateProfileStringA("S", "k", "", out, sizeof out, ".\\here.ini"), 4u);
    EXPECT_STREQ(out, "here");
}

TEST_F(ProfileTest, ABareFileNameIsInTheWindowsDirectory) {
    const std::string name = "conformance-bare-name.ini";
    const std::string inWindows = WindowsDirectory() + "\\" + name;
    ASSERT_TRUE(Profile().WritePrivateProfileStringA("S", "k", "windows", name.c_str()));
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(P().files().ReadWholeFile(inWindows.c_str(), bytes));
    char out[32];
    EXPECT_EQ(Profile().GetPrivateProfileStringA("S", "k", "", out, sizeof out, inWindows.c_str()), 7u);
    EXPECT_STREQ(out, "windows");
    P().files().DeleteFileA(inWindows.c_str());
}

// ---- reading a number ----

TEST_F(ProfileTest, TheIntVariantReadsAnOptionalSignAndTheLeadingNumber) {
    const struct {
        const char* value;
        std::uint32_t expected;
    } cases[] = {
        {"42", 42},           {"+42", 42},          {"-1", 4294967295u},  {"-42", 0xFFFFFFD6u},
        {"010", 10},          {"0x1A", 26},         {"0x1a", 26},         {"42A9", 42},
        {"12 34", 12},        {"abc", 0},           {"x1", 0},            {"4294967295", 4294967295u},
        {"4294967297", 1},    {"\"17\"", 17},       {"  9  ", 9},
    };
    for (const auto& c : cases) {
        WriteText("int.ini", std::string("[S]\r\nk=") + c.value + "\r\n");
        EXPECT_EQ(GetInt("int.ini", "k"), c.expected) << c.value;
    }
}

TEST_F(ProfileTest, TheIntVariantGivesTheDefaultForAMissingOrEmptyValue) {
    WriteText("int.ini", "[S]\r\nempty=\r\nblank=  \r\n");
    EXPECT_EQ(GetInt("int.ini", "empty"), 77u);
    EXPECT_EQ(GetInt("int.ini", "blank"), 77u);
    EXPECT_EQ(GetInt("int.ini", "missing"), 77u);
    EXPECT_EQ(GetInt("int.ini", "missing", -5), static_cast<std::uint32_t>(-5));
    EXPECT_EQ(GetInt("none.ini", "k"), 77u);
    EXPECT_EQ(Profile().GetPrivateProfileIntA("T", "k", 3, Path("int.ini").c_str()), 3u);
}

// ---- writing ----

TEST_F(ProfileTest, WritingCreatesTheFileAndTheSectionWithCrLfLines) {
    ASSERT_TRUE(Write("new.ini", "Sec", "key", "value"));
    EXPECT_EQ(ReadText("new.ini"), "[Sec]\r\nkey=value\r\n");
    ASSERT_TRUE(Write("new.ini", "Sec", "second", "2"));
    EXPECT_EQ(ReadText("new.ini"), "[Sec]\r\nkey=value\r\nsecond=2\r\n");
    EXPECT_EQ(Get("new.ini", "sec", "SECOND"), "2");
}

TEST_F(ProfileTest, WritingAKeyReplacesTheFirstOfThatNameInPlace) {
    WriteText("w.ini", "[S]\r\na=1\r\nk=old\r\nb=2\r\nk=dup\r\n");
    ASSERT_TRUE(Write("w.ini", "S", "K", "new"));
    EXPECT_EQ(Get("w.ini", "S", "k"), "new");
    EXPECT_EQ(GetList("w.ini", "S", 64).bytes, std::string("a\0k\0b\0k\0\0", 9));
}

TEST_F(ProfileTest, WritingKeepsCommentsBlankLinesAndOtherSections) {
    const std::string before =
        "; package settings\r\n[A]\r\nx=1\r\n\r\n; the section below\r\n[S]\r\nk=old\r\n\r\n[B]\r\ny=2\r\n";
    WriteText("keep.ini", before);
    ASSERT_TRUE(Write("keep.ini", "S", "k", "new"));
    std::string after = ReadText("keep.ini");
    EXPECT_TRUE_EXCEPT_WINE(after == "; package settings\r\n[A]\r\nx=1\r\n\r\n; the section below\r\n"
                                     "[S]\r\nk=new\r\n\r\n[B]\r\ny=2\r\n");
    EXPECT_EQ(Get("keep.ini", "A", "x"), "1");
    EXPECT_EQ(Get("keep.ini", "B", "y"), "2");
}

TEST_F(ProfileTest, ANullValueDeletesTheKey) {
    WriteText("del.ini", "[S]\r\na=1\r\nk=2\r\nb=3\r\n");
    ASSERT_TRUE(Write("del.ini", "S", "k", nullptr));
    EXPECT_EQ(Get("del.ini", "S", "k"), "(default)");
    EXPECT_EQ(GetList("del.ini", "S", 64).bytes, std::string("a\0b\0\0", 5));
    EXPECT_TRUE(Write("del.ini", "S", "never", nullptr));
}

TEST_F(ProfileTest, ANullKeyDeletesTheSection) {
    WriteText("del.ini", "[A]\r\na=1\r\n[S]\r\nk=2\r\n[B]\r\nb=3\r\n");
    ASSERT_TRUE(Write("del.ini", "s", nullptr, nullptr));
    EXPECT_EQ(Get("del.ini", "S", "k"), "(default)");
    EXPECT_EQ(GetList("del.ini", nullptr, 64).bytes, std::string("A\0B\0\0", 5));
    EXPECT_EQ(Get("del.ini", "B", "b"), "3");
}

TEST_F(ProfileTest, AllNullArgumentsOnlyFlush) {
    WriteText("flush.ini", "[S]\r\nk=v\r\n");
    Profile().WritePrivateProfileStringA(nullptr, nullptr, nullptr, Path("flush.ini").c_str());
    EXPECT_EQ(ReadText("flush.ini"), "[S]\r\nk=v\r\n");
    Profile().WritePrivateProfileStringA(nullptr, nullptr, nullptr, Path("never.ini").c_str());
    EXPECT_EQ(P().files().GetFileAttributesA(Path("never.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ProfileTest, WritingAFileHeldWithoutReadAndWriteSharingFailsWithSharingViolation) {
    WriteText("held.ini", "[S]\r\nk=v\r\n");
    const std::uint32_t shares[] = {0, FILE_SHARE_READ, FILE_SHARE_WRITE};
    for (std::uint32_t share : shares) {
        auto held = P().files().OpenExisting(Path("held.ini").c_str(), GENERIC_READ, share);
        ASSERT_NE(held, nullptr) << "share " << share;
        P().lastError().SetLastError(0);
        EXPECT_FALSE(Write("held.ini", "S", "k", "new")) << "share " << share;
        EXPECT_EQ(P().lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION))
            << "share " << share;
    }
    EXPECT_EQ(ReadText("held.ini"), "[S]\r\nk=v\r\n");
    auto shared = P().files().OpenExisting(Path("held.ini").c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(shared, nullptr);
    EXPECT_TRUE(Write("held.ini", "S", "k", "new"));
    shared.reset();
    EXPECT_EQ(Get("held.ini", "S", "k"), "new");
}

TEST_F(ProfileTest, WritingAReadOnlyFileFailsWithAccessDenied) {
    WriteText("ro.ini", "[S]\r\nk=v\r\n");
    ASSERT_TRUE(P().files().SetFileAttributesA(Path("ro.ini").c_str(), FILE_ATTRIBUTE_READONLY));
    P().lastError().SetLastError(0);
    EXPECT_FALSE(Write("ro.ini", "S", "k", "new"));
    EXPECT_EQ(P().lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(Get("ro.ini", "S", "k"), "v");
    P().files().SetFileAttributesA(Path("ro.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ProfileTest, WritingIntoAMissingDirectoryFails) {
    EXPECT_FALSE(Write("no-such-dir\\x.ini", "S", "k", "v"));
    EXPECT_EQ(P().lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
}

// ---- win.ini ----

TEST_F(ProfileTest, TheWinIniCallsUseWinIniInTheWindowsDirectory) {
    const char* section = "ConformanceProfileSection";
    ASSERT_TRUE(P().profile().WriteProfileStringA(section, "k", "in win.ini"));
    char out[64];
    EXPECT_EQ(P().profile().GetProfileStringA(section, "K", "", out, sizeof out), 10u);
    EXPECT_STREQ(out, "in win.ini");
    const std::string winIni = WindowsDirectory() + "\\win.ini";
    EXPECT_EQ(Profile().GetPrivateProfileStringA(section, "k", "", out, sizeof out, winIni.c_str()), 10u);
    EXPECT_EQ(Profile().GetPrivateProfileStringA(section, "k", "", out, sizeof out, "win.ini"), 10u);
    EXPECT_EQ(P().profile().GetProfileStringA(section, "missing", "dflt  ", out, sizeof out), 4u);
    EXPECT_STREQ(out, "dflt");
    ASSERT_TRUE(P().profile().WriteProfileStringA(section, nullptr, nullptr));
    EXPECT_EQ(P().profile().GetProfileStringA(section, "k", "gone", out, sizeof out), 4u);
    EXPECT_STREQ(out, "gone");
}

}  // namespace
}  // namespace conformance
