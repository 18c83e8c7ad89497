// Cabinet conformance: SetupIterateCabinetA's notifications in cabinet order, extraction of
// the files answered FILEOP_DOIT, skips and aborts, and its failures for a missing cabinet, a
// file that is no cabinet and a target directory that does not exist. The sample cabinet is
// made by gcab at build time from tests/conformance/sample_cabinet and embedded in the program.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win_constants.h"
#include "tests/conformance/fixture.h"

extern const unsigned char kSampleCabinet[];
extern const unsigned kSampleCabinet_size;

namespace conformance {
namespace {

class CabinetTest : public ConformanceTest {
protected:
    void SetUp() override {
        ConformanceTest::SetUp();
        if (HasFatalFailure()) return;
        WriteText("sample.cab", std::string(reinterpret_cast<const char*>(kSampleCabinet),
                                            kSampleCabinet_size));
    }

    std::uint32_t LastError() { return P().lastError().GetLastError(); }
    // The scratch directory, without a trailing backslash.
    std::string Scratch() const {
        const std::string file = Path("x");
        return file.substr(0, file.size() - 2);
    }

    // Every notification as a line: "info <next cabinet> <number>", "file <name> <size>",
    // "extracted <target>".
    std::vector<std::string> events;
    plat::FILE_IN_CABINET_INFO_A firstFile{};
    std::string fileParam2;

    // Answers "alpha.txt" and "gamma.txt" with FILEOP_DOIT into `targetDir`, everything else
    // with FILEOP_SKIP; `abortAt` names a file answered FILEOP_ABORT with error 4242.
    plat::CabinetCallback Extracting(const std::string& targetDir, const std::string& abortAt = {}) {
        return [this, targetDir, abortAt](std::uint32_t n, std::uintptr_t p1,
                                          std::uintptr_t p2) -> std::uint32_t {
            if (n == SPFILENOTIFY_CABINETINFO) {
                const auto* info = reinterpret_cast<const plat::CABINET_INFO_A*>(p1);
                events.push_back(std::string("info ") + info->CabinetFile + " " +
                                 std::to_string(info->CabinetNumber));
                return NO_ERROR;
            }
            if (n == SPFILENOTIFY_FILEINCABINET) {
                auto* f = reinterpret_cast<plat::FILE_IN_CABINET_INFO_A*>(p1);
                const std::string name = f->NameInCabinet;
                events.push_back("file " + name + " " + std::to_string(f->FileSize));
                if (events.size() == 2) firstFile = *f;
                fileParam2 = reinterpret_cast<const char*>(p2);
                if (name == abortAt) {
                    f->Win32Error = 4242;
                    return FILEOP_ABORT;
                }
                if (name != "alpha.txt" && name != "gamma.txt") return FILEOP_SKIP;
                std::snprintf(f->FullTargetName, sizeof f->FullTargetName, "%s\\%s",
                              targetDir.c_str(), name.c_str());
                return FILEOP_DOIT;
            }
            if (n == SPFILENOTIFY_FILEEXTRACTED) {
                const auto* paths = reinterpret_cast<const plat::FILEPATHS_A*>(p1);
                events.push_back(std::string("extracted ") + paths->Target);
                return NO_ERROR;
            }
            events.push_back("other " + std::to_string(n));
            return NO_ERROR;
        };
    }

    bool Exists(const std::string& relative) {
        return P().files().GetFileAttributesA(Path(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
};

TEST_F(CabinetTest, FilesComeInCabinetOrderAndOnlyThoseAnsweredDoItAreExtracted) {
    ASSERT_TRUE(P().files().CreateDirectoryA(Path("out").c_str()));
    ASSERT_TRUE(P().deviceInstallation().SetupIterateCabinetA(Path("sample.cab").c_str(),
                                                              Extracting(Path("out"))))
        << LastError();
    const std::vector<std::string> expected = {
        "info  0",
        "file alpha.txt 34",
        "extracted " + Path("out\\alpha.txt"),
        "file beta.txt 35",
        "file gamma.txt 7",
        "extracted " + Path("out\\gamma.txt"),
    };
    EXPECT_EQ(events, expected);
    EXPECT_EQ(fileParam2, Path("sample.cab"));
    EXPECT_EQ(ReadText("out\\alpha.txt"), "first file of the sample cabinet\r\n");
    EXPECT_EQ(ReadText("out\\gamma.txt"), "third\r\n");
    EXPECT_FALSE(Exists("out\\beta.txt"));
    // 2009-07-14 01:02:04 in MS-DOS form: date (29 << 9) | (7 << 5) | 14, time
    // (1 << 11) | (2 << 5) | (4 / 2); gcab marks files with the archive attribute.
    EXPECT_EQ(firstFile.DosDate, 15086u);
    EXPECT_EQ(firstFile.DosTime, 2114u);
    EXPECT_EQ(firstFile.DosAttribs, 0x20u);
}

TEST_F(CabinetTest, AnAbortEndsTheIterationWithTheErrorTheCallbackSet) {
    const bool ended = !P().deviceInstallation().SetupIterateCabinetA(
        Path("sample.cab").c_str(), Extracting(Scratch(), "beta.txt"));
    // Wine takes FILEOP_ABORT for FILEOP_SKIP and goes on with the next file.
    EXPECT_TRUE_EXCEPT_WINE(ended);
    EXPECT_EQ(ReadText("alpha.txt"), "first file of the sample cabinet\r\n");
    if (RunningUnderWine()) return;
    EXPECT_EQ(LastError(), 4242u);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "file beta.txt 35");
    EXPECT_FALSE(Exists("gamma.txt"));
}

TEST_F(CabinetTest, AMissingCabinetIsNotFound) {
    const std::string missing[] = {Path("none.cab"), Path("nowhere\\none.cab")};
    for (const std::string& cabinet : missing) {
        SCOPED_TRACE(cabinet);
        events.clear();
        EXPECT_FALSE(P().deviceInstallation().SetupIterateCabinetA(cabinet.c_str(),
                                                                   Extracting(Scratch())));
        EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
        EXPECT_TRUE(events.empty());
    }
}

TEST_F(CabinetTest, AFileThatIsNoCabinetIsInvalidData) {
    WriteText("text.cab", "this is no cabinet, only a text file long enough for a header\r\n");
    WriteText("empty.cab", "");
    for (const char* name : {"text.cab", "empty.cab"}) {
        SCOPED_TRACE(name);
        events.clear();
        P().lastError().SetLastError(NO_ERROR);
        EXPECT_FALSE(P().deviceInstallation().SetupIterateCabinetA(Path(name).c_str(),
                                                                   Extracting(Scratch())));
        // Wine fails without setting an error.
        EXPECT_TRUE_EXCEPT_WINE(LastError() == ERROR_INVALID_DATA);
        EXPECT_TRUE(events.empty());
    }
}

TEST_F(CabinetTest, ATargetInAMissingDirectoryEndsTheIteration) {
    EXPECT_FALSE(P().deviceInstallation().SetupIterateCabinetA(Path("sample.cab").c_str(),
                                                               Extracting(Path("missing"))));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "file alpha.txt 34");
}

}  // namespace
}  // namespace conformance
