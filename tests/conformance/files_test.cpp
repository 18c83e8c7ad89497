// File-system conformance: process paths, system directories, attributes, whole-file
// operations, read-only files, listings and sharing, as Windows behaves.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/text.h"
#include "platform/module.h"
#include "platform/win_constants.h"
#include "tests/conformance/fixture.h"

namespace conformance {
namespace {

std::string Upper(const std::string& s) { return common::ToUpperAscii(s); }

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

class FilesTest : public ConformanceTest {
protected:
    plat::FileSystem& Files() { return P().files(); }
    std::uint32_t LastError() { return P().lastError().GetLastError(); }

    std::string CurrentDirectory() {
        char buffer[512] = {};
        std::uint32_t n = Files().GetCurrentDirectoryA(sizeof buffer, buffer);
        EXPECT_GT(n, 0u);
        EXPECT_LT(n, sizeof buffer);
        return std::string(buffer, n < sizeof buffer ? n : 0);
    }

    std::uint32_t Attributes(const std::string& relative) {
        return Files().GetFileAttributesA(Path(relative).c_str());
    }

    // Clears read-only so the scratch directory can be removed after the test.
    void MakeWritable(const std::string& relative) {
        Files().SetFileAttributesA(Path(relative).c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    std::vector<std::string> ListNames(const std::string& pattern) {
        std::vector<plat::FindData> entries;
        std::vector<std::string> names;
        if (!Files().FindFiles(pattern.c_str(), entries)) return names;
        for (const plat::FindData& e : entries) names.push_back(e.name);
        return names;
    }
};

// ---- process paths ----

TEST_F(FilesTest, ModulePathIsAnAbsoluteExePathInAnExistingDirectory) {
    char buffer[512] = {};
    std::uint32_t n = Files().GetModuleFileNameA(buffer, sizeof buffer);
    ASSERT_GT(n, 0u);
    ASSERT_LT(n, sizeof buffer);
    EXPECT_EQ(std::strlen(buffer), n);
    std::string path(buffer, n);
    EXPECT_EQ(Upper(path.substr(path.size() - 4)), ".EXE");
    // The module's directory is a directory; the path is absolute ("X:\...").
    ASSERT_GE(path.size(), 3u);
    EXPECT_EQ(path[1], ':');
    EXPECT_EQ(path[2], '\\');
    std::string dir = path.substr(0, path.find_last_of('\\'));
    std::uint32_t a = Files().GetFileAttributesA(dir.c_str());
    ASSERT_NE(a, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(a & FILE_ATTRIBUTE_DIRECTORY);
}

// The test program's own code and data lie in the program's module; the heap lies in none.
TEST_F(FilesTest, TheProgramsCodeAndDataAreInTheProgramsModule) {
    static const char kData[] = "data";
    const plat::ModuleRef program = plat::ProgramModule();
    EXPECT_NE(program, plat::ModuleRef{});
    EXPECT_EQ(plat::ThisModule(), program);
    EXPECT_EQ(plat::ModuleContaining(kData), program);
    auto heap = std::make_unique<char[]>(64);
    EXPECT_EQ(plat::ModuleContaining(heap.get()), plat::ModuleRef{});
}

TEST_F(FilesTest, ModulePathInShortBufferIsCutTerminatedAndReportsBufferSize) {
    char full[512] = {};
    std::uint32_t n = Files().GetModuleFileNameA(full, sizeof full);
    ASSERT_GT(n, 4u);
    char shortBuffer[5];
    std::memset(shortBuffer, 'x', sizeof shortBuffer);
    P().lastError().SetLastError(0);
    EXPECT_EQ(Files().GetModuleFileNameA(shortBuffer, 4), 4u);
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::string(shortBuffer, 3), std::string(full, 3));
    EXPECT_EQ(shortBuffer[3], '\0');
    EXPECT_EQ(shortBuffer[4], 'x') << "wrote past the given size";
}

TEST_F(FilesTest, CurrentDirectoryIsTheScratchDirectory) {
    std::string scratch = Path("");
    scratch.pop_back();  // the separator Path() appends
    EXPECT_EQ(Upper(CurrentDirectory()), Upper(scratch));
}

TEST_F(FilesTest, CurrentDirectoryInShortBufferReportsNeededSize) {
    std::string dir = CurrentDirectory();
    const std::uint32_t needed = static_cast<std::uint32_t>(dir.size() + 1);
    char buffer[512];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(Files().GetCurrentDirectoryA(0, nullptr), needed);
    EXPECT_EQ(Files().GetCurrentDirectoryA(needed - 1, buffer), needed);
    EXPECT_EQ(buffer[needed - 1], 'x') << "wrote past the given size";
    EXPECT_EQ(Files().GetCurrentDirectoryA(needed, buffer), needed - 1);
    EXPECT_EQ(std::string(buffer), dir);
}

TEST_F(FilesTest, RelativePathsFollowSetCurrentDirectory) {
    ASSERT_TRUE(Files().CreateDirectoryA("sub"));
    WriteText("sub\\inner.txt", "inner");
    WriteText("outer.txt", "outer");
    std::string start = CurrentDirectory();

    ASSERT_TRUE(Files().SetCurrentDirectoryA("SUB"));
    EXPECT_EQ(Upper(CurrentDirectory()), Upper(start + "\\sub"));
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(Files().ReadWholeFile("inner.txt", bytes));
    EXPECT_EQ(bytes, Bytes("inner"));
    ASSERT_TRUE(Files().ReadWholeFile("..\\outer.txt", bytes));
    EXPECT_EQ(bytes, Bytes("outer"));

    ASSERT_TRUE(Files().SetCurrentDirectoryA(".."));
    EXPECT_EQ(Upper(CurrentDirectory()), Upper(start));
    ASSERT_TRUE(Files().ReadWholeFile("sub\\inner.txt", bytes));
    EXPECT_EQ(bytes, Bytes("inner"));
}

TEST_F(FilesTest, SetCurrentDirectoryRefusesWhatIsNoDirectory) {
    WriteText("file.txt", "x");
    std::string start = CurrentDirectory();
    struct Case {
        const char* path;
        std::uint32_t error;
    };
    const Case cases[] = {
        {"missing", ERROR_FILE_NOT_FOUND},
        {"missing\\deeper", ERROR_PATH_NOT_FOUND},
        {"file.txt", ERROR_DIRECTORY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_FALSE(Files().SetCurrentDirectoryA(c.path));
        EXPECT_EQ(LastError(), c.error);
        EXPECT_EQ(CurrentDirectory(), start);
    }
}

// ---- system directories ----

TEST_F(FilesTest, SystemDirectoriesHaveWindowsShape) {
    char windows[512] = {}, system[512] = {}, temp[512] = {};
    std::uint32_t w = Files().GetWindowsDirectoryA(windows, sizeof windows);
    std::uint32_t s = Files().GetSystemDirectoryA(system, sizeof system);
    std::uint32_t t = Files().GetTempPathA(sizeof temp, temp);
    ASSERT_GT(w, 3u);
    ASSERT_GT(s, w);
    ASSERT_GT(t, 3u);
    EXPECT_NE(windows[w - 1], '\\');
    EXPECT_EQ(Upper(std::string(system, w + 1)), Upper(std::string(windows) + "\\"))
        << "the system directory lies below the Windows directory";
    EXPECT_EQ(temp[t - 1], '\\');
    for (const char* dir : {windows, system, temp}) {
        SCOPED_TRACE(dir);
        std::uint32_t a = Files().GetFileAttributesA(dir);
        ASSERT_NE(a, INVALID_FILE_ATTRIBUTES);
        EXPECT_TRUE(a & FILE_ATTRIBUTE_DIRECTORY);
    }
}

TEST_F(FilesTest, SystemDirectoriesInShortBufferReportNeededSize) {
    struct Getter {
        const char* name;
        std::uint32_t (*get)(plat::FileSystem&, char*, std::uint32_t);
    };
    const Getter getters[] = {
        {"windows", [](plat::FileSystem& f, char* b, std::uint32_t n) {
             return f.GetWindowsDirectoryA(b, n);
         }},
        {"system", [](plat::FileSystem& f, char* b, std::uint32_t n) {
             return f.GetSystemDirectoryA(b, n);
         }},
        {"temp", [](plat::FileSystem& f, char* b, std::uint32_t n) {
             return f.GetTempPathA(n, b);
         }},
    };
    for (const Getter& g : getters) {
        SCOPED_TRACE(g.name);
        char full[512] = {};
        std::uint32_t length = g.get(Files(), full, sizeof full);
        ASSERT_GT(length, 0u);
        char small[512];
        std::memset(small, 'x', sizeof small);
        EXPECT_EQ(g.get(Files(), small, length), length + 1);
        EXPECT_EQ(small[length], 'x') << "wrote past the given size";
        EXPECT_EQ(g.get(Files(), small, length + 1), length);
        EXPECT_EQ(std::string(small), std::string(full));
    }
}

// ---- attributes ----

TEST_F(FilesTest, AttributesTellFilesFromDirectories) {
    WriteText("file.txt", "x");
    ASSERT_TRUE(Files().CreateDirectoryA(Path("dir").c_str()));
    std::uint32_t file = Attributes("file.txt");
    ASSERT_NE(file, INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(file & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(file & FILE_ATTRIBUTE_READONLY);
    std::uint32_t dir = Attributes("dir");
    ASSERT_NE(dir, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(dir & FILE_ATTRIBUTE_DIRECTORY);
    // Letter case and a relative path make no difference.
    EXPECT_EQ(Attributes("FILE.TXT"), file);
    EXPECT_EQ(Files().GetFileAttributesA("File.Txt"), file);
}

TEST_F(FilesTest, NewFileIsArchiveAndSetAttributesReplacesAll) {
    WriteText("file.txt", "x");
    EXPECT_EQ(Attributes("file.txt"), static_cast<std::uint32_t>(FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_TRUE(Files().SetFileAttributesA(Path("file.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE_EXCEPT_WINE(Attributes("file.txt") == FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(Files().SetFileAttributesA(Path("file.txt").c_str(), FILE_ATTRIBUTE_NORMAL));
    // A file without any attribute reports NORMAL.
    EXPECT_TRUE_EXCEPT_WINE(Attributes("file.txt") == FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FilesTest, TrailingPeriodsOfTheLastNameAreIgnored) {
    WriteText("file.txt", "x");
    EXPECT_EQ(Attributes("file.txt."), Attributes("file.txt"));
    EXPECT_EQ(ReadText("file.txt.."), "x");
}

TEST_F(FilesTest, MissingFileAndMissingDirectoryGiveDifferentErrors) {
    ASSERT_TRUE(Files().CreateDirectoryA(Path("dir").c_str()));
    struct Case {
        const char* relative;
        std::uint32_t error;
    };
    const Case cases[] = {
        {"nothing.txt", ERROR_FILE_NOT_FOUND},
        {"dir\\nothing.txt", ERROR_FILE_NOT_FOUND},
        {"nodir\\nothing.txt", ERROR_PATH_NOT_FOUND},
        {"nodir\\deeper\\nothing.txt", ERROR_PATH_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.relative);
        P().lastError().SetLastError(0);
        EXPECT_EQ(Attributes(c.relative), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(LastError(), c.error);
        std::vector<std::uint8_t> bytes;
        P().lastError().SetLastError(0);
        EXPECT_FALSE(Files().ReadWholeFile(Path(c.relative).c_str(), bytes));
        EXPECT_EQ(LastError(), c.error);
        P().lastError().SetLastError(0);
        EXPECT_FALSE(Files().DeleteFileA(Path(c.relative).c_str()));
        EXPECT_EQ(LastError(), c.error);
    }
}

TEST_F(FilesTest, WildcardInAPathIsAnInvalidName) {
    P().lastError().SetLastError(0);
    EXPECT_EQ(Attributes("a*b.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_INVALID_NAME));
}

// ---- whole files ----

TEST_F(FilesTest, WrittenBytesReadBackUnchanged) {
    const char raw[] = "line one\r\nline two\n\0binary\xff\x80";
    const std::string text(raw, sizeof raw - 1);
    WriteText("data.bin", text);
    EXPECT_EQ(ReadText("data.bin"), text);
    // Replacing with shorter content leaves nothing of the old.
    WriteText("DATA.BIN", "short");
    EXPECT_EQ(ReadText("data.bin"), "short");
    WriteText("data.bin", "");
    EXPECT_EQ(ReadText("data.bin"), "");
}

TEST_F(FilesTest, WriteIntoMissingDirectoryFails) {
    P().lastError().SetLastError(0);
    EXPECT_FALSE(Files().WriteWholeFile(Path("nodir\\x.txt").c_str(), Bytes("x")));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
}

TEST_F(FilesTest, DirectoryCannotBeReadWrittenOrDeletedAsAFile) {
    ASSERT_TRUE(Files().CreateDirectoryA(Path("dir").c_str()));
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(Files().ReadWholeFile(Path("dir").c_str(), bytes));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(Files().WriteWholeFile(Path("dir").c_str(), Bytes("x")));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(Files().DeleteFileA(Path("dir").c_str()));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_NE(Attributes("dir"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FilesTest, DeleteRemovesTheFile) {
    WriteText("gone.txt", "x");
    ASSERT_TRUE(Files().DeleteFileA(Path("GONE.TXT").c_str()));
    EXPECT_EQ(Attributes("gone.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
}

TEST_F(FilesTest, DirectoriesAreCreatedAndRemovedOnlyWhenThatMakesSense) {
    ASSERT_TRUE(Files().CreateDirectoryA(Path("dir").c_str()));
    EXPECT_FALSE(Files().CreateDirectoryA(Path("DIR").c_str()));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_ALREADY_EXISTS));
    WriteText("file.txt", "x");
    EXPECT_FALSE(Files().CreateDirectoryA(Path("file.txt").c_str()));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(Files().CreateDirectoryA(Path("nodir\\dir").c_str()));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));

    WriteText("dir\\inside.txt", "x");
    EXPECT_FALSE(Files().RemoveDirectoryA(Path("dir").c_str()));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_DIR_NOT_EMPTY));
    EXPECT_FALSE(Files().RemoveDirectoryA(Path("file.txt").c_str()));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_DIRECTORY));
    EXPECT_FALSE(Files().RemoveDirectoryA(Path("nothing").c_str()));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));

    ASSERT_TRUE(Files().DeleteFileA(Path("dir\\inside.txt").c_str()));
    EXPECT_TRUE(Files().RemoveDirectoryA(Path("dir").c_str()));
    EXPECT_EQ(Attributes("dir"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FilesTest, CurrentDirectoryCannotBeRemoved) {
    ASSERT_TRUE(Files().CreateDirectoryA(Path("here").c_str()));
    ASSERT_TRUE(Files().SetCurrentDirectoryA(Path("here").c_str()));
    EXPECT_FALSE(Files().RemoveDirectoryA(Path("here").c_str()));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    ASSERT_TRUE(Files().SetCurrentDirectoryA(Path("").c_str()));
    EXPECT_TRUE(Files().RemoveDirectoryA(Path("here").c_str()));
}

TEST_F(FilesTest, HiddenFileIsNotReplacedByAPlainWrite) {
    WriteText("hidden.txt", "kept");
    ASSERT_TRUE(Files().SetFileAttributesA(Path("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    P().lastError().SetLastError(0);
    bool written = Files().WriteWholeFile(Path("hidden.txt").c_str(), Bytes("changed"));
    EXPECT_TRUE_EXCEPT_WINE(!written && LastError() == ERROR_ACCESS_DENIED);
    MakeWritable("hidden.txt");
}

TEST_F(FilesTest, CopyOntoItselfMeetsItsOwnHandle) {
    WriteText("self.txt", "kept");
    EXPECT_FALSE(Files().CopyFileA(Path("self.txt").c_str(), Path("SELF.TXT").c_str(), false));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(ReadText("self.txt"), "kept");
}

TEST_F(FilesTest, CopyHonoursFailIfExists) {
    WriteText("a.txt", "first");
    WriteText("b.txt", "second");
    EXPECT_FALSE(Files().CopyFileA(Path("a.txt").c_str(), Path("B.TXT").c_str(), true));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_FILE_EXISTS));
    EXPECT_EQ(ReadText("b.txt"), "second");
    ASSERT_TRUE(Files().CopyFileA(Path("a.txt").c_str(), Path("b.txt").c_str(), false));
    EXPECT_EQ(ReadText("b.txt"), "first");
    ASSERT_TRUE(Files().CopyFileA(Path("a.txt").c_str(), Path("c.txt").c_str(), true));
    EXPECT_EQ(ReadText("c.txt"), "first");
    EXPECT_EQ(ReadText("a.txt"), "first");
}

TEST_F(FilesTest, CopyFromMissingSourceOrIntoMissingDirectoryFails) {
    WriteText("a.txt", "x");
    EXPECT_FALSE(Files().CopyFileA(Path("none.txt").c_str(), Path("b.txt").c_str(), false));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(Files().CopyFileA(Path("a.txt").c_str(), Path("nodir\\b.txt").c_str(), false));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(Attributes("b.txt"), INVALID_FILE_ATTRIBUTES);
}

// ---- read-only files ----

TEST_F(FilesTest, ReadOnlyFileRefusesWriteAndDeleteButReads) {
    WriteText("locked.txt", "kept");
    ASSERT_TRUE(Files().SetFileAttributesA(Path("locked.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(Attributes("locked.txt") & FILE_ATTRIBUTE_READONLY);

    EXPECT_FALSE(Files().WriteWholeFile(Path("locked.txt").c_str(), Bytes("changed")));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(Files().DeleteFileA(Path("locked.txt").c_str()));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReadText("locked.txt"), "kept");
    auto writer = Files().OpenExisting(Path("locked.txt").c_str(), GENERIC_WRITE, 0);
    EXPECT_EQ(writer, nullptr);
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));

    // Clearing the attribute lifts the refusal.
    ASSERT_TRUE(Files().SetFileAttributesA(Path("locked.txt").c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_FALSE(Attributes("locked.txt") & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(Files().WriteWholeFile(Path("locked.txt").c_str(), Bytes("changed")));
    EXPECT_TRUE(Files().DeleteFileA(Path("locked.txt").c_str()));
}

TEST_F(FilesTest, CopyCarriesReadOnlyAndCannotReplaceAReadOnlyTarget) {
    WriteText("source.txt", "new");
    WriteText("target.txt", "old");
    ASSERT_TRUE(Files().SetFileAttributesA(Path("target.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(Files().CopyFileA(Path("source.txt").c_str(), Path("target.txt").c_str(), false));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReadText("target.txt"), "old");

    ASSERT_TRUE(Files().SetFileAttributesA(Path("source.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(Files().CopyFileA(Path("source.txt").c_str(), Path("copy.txt").c_str(), true));
    EXPECT_TRUE(Attributes("copy.txt") & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ReadText("copy.txt"), "new");

    for (const char* name : {"source.txt", "target.txt", "copy.txt"}) MakeWritable(name);
}

TEST_F(FilesTest, ReadOnlyDirectoryCannotBeRemoved) {
    ASSERT_TRUE(Files().CreateDirectoryA(Path("dir").c_str()));
    ASSERT_TRUE(Files().SetFileAttributesA(Path("dir").c_str(), FILE_ATTRIBUTE_READONLY));
    P().lastError().SetLastError(0);
    bool removed = Files().RemoveDirectoryA(Path("dir").c_str());
    EXPECT_TRUE_EXCEPT_WINE(!removed && LastError() == ERROR_ACCESS_DENIED);
    MakeWritable("dir");
}

TEST_F(FilesTest, SetAttributesOnMissingFileFails) {
    EXPECT_FALSE(Files().SetFileAttributesA(Path("none.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
}

// ---- listings ----

TEST_F(FilesTest, ListingComesInUpperCaseNameOrder) {
    // Listed by upper-cased names: '.' < 'B' < '_', so "a.txt" < "ab.txt" < "a_b.txt"; a
    // lower-case comparison would put '_' before 'b'.
    for (const char* name : {"b.txt", "a_b.txt", "Ab.txt", "c", "a.txt", "B1", "a~"})
        WriteText(name, name);
    ASSERT_TRUE(Files().CreateDirectoryA(Path("Sub").c_str()));
    const std::vector<std::string> expected = {"a.txt", "Ab.txt", "a_b.txt", "a~",
                                               "b.txt", "B1",     "c",       "Sub"};
    EXPECT_EQ(ListNames(Path("*")), expected);
}

TEST_F(FilesTest, ListingReportsAttributesAndSizes) {
    WriteText("five.txt", "12345");
    ASSERT_TRUE(Files().CreateDirectoryA(Path("dir").c_str()));
    std::vector<plat::FindData> entries;
    ASSERT_TRUE(Files().FindFiles(Path("*").c_str(), entries));
    ASSERT_EQ(entries.size(), 2u);
    auto dir = std::find_if(entries.begin(), entries.end(),
                            [](const plat::FindData& e) { return e.name == "dir"; });
    auto file = std::find_if(entries.begin(), entries.end(),
                             [](const plat::FindData& e) { return e.name == "five.txt"; });
    ASSERT_NE(dir, entries.end());
    ASSERT_NE(file, entries.end());
    EXPECT_TRUE(dir->attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(file->attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(file->size, 5u);
}

TEST_F(FilesTest, ListingPatternsSelectEntries) {
    for (const char* name : {"one.ini", "two.INI", "three.txt", "x.ini", "noext"})
        WriteText(name, "x");
    struct Case {
        const char* pattern;
        std::vector<std::string> names;  // sorted
    };
    const std::vector<Case> cases = {
        {"*.ini", {"one.ini", "two.INI", "x.ini"}},
        {"*.INI", {"one.ini", "two.INI", "x.ini"}},
        {"?.ini", {"x.ini"}},
        {"t*", {"three.txt", "two.INI"}},
        {"*.*", {"noext", "one.ini", "three.txt", "two.INI", "x.ini"}},
        {"ONE.INI", {"one.ini"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        std::vector<std::string> names = ListNames(Path(c.pattern));
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, c.names);
    }
    // "*." names the entries without an extension.
    EXPECT_TRUE_EXCEPT_WINE(ListNames(Path("*.")) == std::vector<std::string>{"noext"});
    // A relative pattern lists the current directory.
    std::vector<std::string> names = ListNames("*.txt");
    EXPECT_EQ(names, std::vector<std::string>{"three.txt"});
}

TEST_F(FilesTest, ListingWithoutMatchOrWithoutDirectoryFails) {
    ASSERT_TRUE(Files().CreateDirectoryA(Path("empty").c_str()));
    WriteText("a.txt", "x");
    struct Case {
        const char* pattern;
        std::uint32_t error;
    };
    const Case cases[] = {
        {"*.none", ERROR_FILE_NOT_FOUND},
        {"empty\\*", ERROR_FILE_NOT_FOUND},
        {"nodir\\*", ERROR_PATH_NOT_FOUND},
        {"empty\\", ERROR_FILE_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        std::vector<plat::FindData> entries{plat::FindData{"stale", 0, 0}};
        EXPECT_FALSE(Files().FindFiles(Path(c.pattern).c_str(), entries));
        EXPECT_EQ(LastError(), c.error);
        EXPECT_TRUE(entries.empty());
    }
}

// ---- sharing ----

TEST_F(FilesTest, FileOpenForReadingSharedForReadingRefusesWriteAndDelete) {
    WriteText("used.txt", "in use");
    auto reader = Files().OpenExisting(Path("used.txt").c_str(), GENERIC_READ, FILE_SHARE_READ);
    ASSERT_NE(reader, nullptr) << "error " << LastError();

    EXPECT_EQ(ReadText("used.txt"), "in use");
    EXPECT_FALSE(Files().WriteWholeFile(Path("used.txt").c_str(), Bytes("new")));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(Files().DeleteFileA(Path("used.txt").c_str()));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    WriteText("other.txt", "other");
    EXPECT_FALSE(Files().CopyFileA(Path("other.txt").c_str(), Path("used.txt").c_str(), false));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    // A second reader that shares reading fits; one that refuses to share does not.
    EXPECT_NE(Files().OpenExisting(Path("used.txt").c_str(), GENERIC_READ, FILE_SHARE_READ),
              nullptr);
    EXPECT_EQ(Files().OpenExisting(Path("used.txt").c_str(), GENERIC_READ, 0), nullptr);
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));

    reader.reset();  // closing the handle lifts the restriction
    EXPECT_TRUE(Files().WriteWholeFile(Path("used.txt").c_str(), Bytes("new")));
    EXPECT_EQ(ReadText("used.txt"), "new");
}

TEST_F(FilesTest, FileOpenWithoutSharingRefusesEveryOpen) {
    WriteText("exclusive.txt", "x");
    auto owner = Files().OpenExisting(Path("exclusive.txt").c_str(), GENERIC_READ, 0);
    ASSERT_NE(owner, nullptr);
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(Files().ReadWholeFile(Path("exclusive.txt").c_str(), bytes));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(Files().CopyFileA(Path("exclusive.txt").c_str(), Path("copy.txt").c_str(), false));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    // Attributes are no open for reading or writing.
    EXPECT_NE(Attributes("exclusive.txt"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FilesTest, FileOpenForWritingLetsSharingReadersInButNoWriter) {
    WriteText("log.txt", "entries");
    auto writer = Files().OpenExisting(Path("log.txt").c_str(), GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(writer, nullptr);
    // The whole-file reader shares writing, so it fits beside the writer.
    EXPECT_EQ(ReadText("log.txt"), "entries");
    // The whole-file writer shares reading only, which the open writer does not allow.
    EXPECT_FALSE(Files().WriteWholeFile(Path("log.txt").c_str(), Bytes("x")));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(Files().OpenExisting(Path("log.txt").c_str(), GENERIC_READ, FILE_SHARE_READ),
              nullptr);
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
}

TEST_F(FilesTest, FileSharedForDeletionCanBeDeleted) {
    WriteText("temp.txt", "x");
    {
        auto holder = Files().OpenExisting(Path("temp.txt").c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
        ASSERT_NE(holder, nullptr);
        EXPECT_TRUE(Files().DeleteFileA(Path("temp.txt").c_str()));
    }
    EXPECT_EQ(Attributes("temp.txt"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FilesTest, OpeningMissingFileOrDirectoryFails) {
    ASSERT_TRUE(Files().CreateDirectoryA(Path("dir").c_str()));
    EXPECT_EQ(Files().OpenExisting(Path("none.txt").c_str(), GENERIC_READ, FILE_SHARE_READ),
              nullptr);
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(Files().OpenExisting(Path("dir").c_str(), GENERIC_READ, FILE_SHARE_READ), nullptr);
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
}

}  // namespace
}  // namespace conformance
