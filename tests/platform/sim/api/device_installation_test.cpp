// Tests of cabinet iteration on the simulated machine: the notifications in cabinet order,
// extraction of the files answered FILEOP_DOIT through the process's file system, skips,
// aborts and the failures of the cabinet and of the targets.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/sim/state/file_holds.h"
#include "platform/win_constants.h"
#include "tests/support/temp_machine.h"

namespace {

using testsupport::TempMachine;

// Windows XP's driver.cab as the preset carries it, and its files in cabinet order.
const char kXpDriverCab[] = "C:\\WINDOWS\\Driver Cache\\i386\\driver.cab";
const std::vector<std::string> kXpDriverCabFiles = {
    "ps5ui.dll",  "pscript.hlp", "pscript5.dll", "serial.sys",   "stdnames.gpd", "ttfsub.gpd",
    "unidrv.dll", "unidrv.hlp",  "unidrvui.dll", "unires.dll",   "usbprint.sys"};
const std::vector<std::string> kFamily = {"unidrvui.dll", "unidrv.dll",   "unires.dll",
                                          "unidrv.hlp",   "stdnames.gpd", "ttfsub.gpd"};

bool InFamily(const std::string& name) {
    for (const std::string& f : kFamily)
        if (f == name) return true;
    return false;
}

// What the callback saw: "info <next cabinet>", "file <name>", "extracted <target>".
struct Recorder {
    std::vector<std::string> events;
    std::vector<plat::FILE_IN_CABINET_INFO_A> files;  // copies, NameInCabinet not kept
    std::string cabinetPath;                          // CABINET_INFO_A's CabinetPath
    std::string fileParam2;                           // FILEINCABINET's param2, last seen
    std::string extractedSource;
    // Answers FILEINCABINET for a name; may fill the record's target and error.
    std::function<std::uint32_t(plat::FILE_IN_CABINET_INFO_A&)> answer;
    std::uint32_t extractedAnswer = NO_ERROR;

    plat::CabinetCallback Callback() {
        return [this](std::uint32_t n, std::uintptr_t p1, std::uintptr_t p2) -> std::uint32_t {
            if (n == SPFILENOTIFY_CABINETINFO) {
                const auto* info = reinterpret_cast<const plat::CABINET_INFO_A*>(p1);
                events.push_back(std::string("info ") + info->CabinetFile);
                cabinetPath = info->CabinetPath;
                return NO_ERROR;
            }
            if (n == SPFILENOTIFY_FILEINCABINET) {
                auto* file = reinterpret_cast<plat::FILE_IN_CABINET_INFO_A*>(p1);
                events.push_back(std::string("file ") + file->NameInCabinet);
                fileParam2 = reinterpret_cast<const char*>(p2);
                files.push_back(*file);
                return answer(*file);
            }
            if (n == SPFILENOTIFY_FILEEXTRACTED) {
                const auto* paths = reinterpret_cast<const plat::FILEPATHS_A*>(p1);
                events.push_back(std::string("extracted ") + paths->Target);
                extractedSource = paths->Source;
                return extractedAnswer;
            }
            events.push_back("other " + std::to_string(n));
            return NO_ERROR;
        };
    }
};

// The engine's answer: the family into `dir`, every other file skipped.
std::function<std::uint32_t(plat::FILE_IN_CABINET_INFO_A&)> FamilyInto(const std::string& dir) {
    return [dir](plat::FILE_IN_CABINET_INFO_A& f) -> std::uint32_t {
        if (!InFamily(f.NameInCabinet)) return FILEOP_SKIP;
        std::snprintf(f.FullTargetName, sizeof f.FullTargetName, "%s\\%s", dir.c_str(),
                      f.NameInCabinet);
        return FILEOP_DOIT;
    };
}

std::string Read(plat::Platform& p, const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (!p.files().ReadWholeFile(path.c_str(), bytes)) return "<missing>";
    return {bytes.begin(), bytes.end()};
}

bool Exists(plat::Platform& p, const std::string& path) {
    return p.files().GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(SimCabinets, TheFamilyIsExtractedInCabinetOrderAndTheRestSkipped) {
    TempMachine m("xp-x86");
    auto p = m.Process(32);
    Recorder r;
    r.answer = FamilyInto("C:\\WINDOWS\\Temp");
    ASSERT_TRUE(p->deviceInstallation().SetupIterateCabinetA(kXpDriverCab, r.Callback()))
        << p->lastError().GetLastError();

    std::vector<std::string> expected = {"info "};
    for (const std::string& name : kXpDriverCabFiles) {
        expected.push_back("file " + name);
        if (InFamily(name)) expected.push_back("extracted C:\\WINDOWS\\Temp\\" + name);
    }
    EXPECT_EQ(r.events, expected);
    EXPECT_EQ(r.cabinetPath, "C:\\WINDOWS\\Driver Cache\\i386\\");
    EXPECT_EQ(r.fileParam2, kXpDriverCab);
    EXPECT_EQ(r.extractedSource, kXpDriverCab);

    EXPECT_EQ(Read(*p, "C:\\WINDOWS\\Temp\\unidrv.dll"),
              "unidrv.dll: stand-in for the universal printer driver (rendering) of Windows XP "
              "(x86), from driver.cab\r\n");
    for (const std::string& name : kXpDriverCabFiles) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Exists(*p, "C:\\WINDOWS\\Temp\\" + name), InFamily(name));
    }
}

TEST(SimCabinets, EachFileIsDescribedAsItsCabinetEntry) {
    TempMachine m("xp-x86");
    auto p = m.Process(32);
    Recorder r;
    r.answer = [](plat::FILE_IN_CABINET_INFO_A&) -> std::uint32_t { return FILEOP_SKIP; };
    ASSERT_TRUE(p->deviceInstallation().SetupIterateCabinetA(kXpDriverCab, r.Callback()));
    ASSERT_EQ(r.files.size(), kXpDriverCabFiles.size());
    // The build dates every file 2009-07-14 01:02:04: MS-DOS date (29 << 9) | (7 << 5) | 14,
    // time (1 << 11) | (2 << 5) | (4 / 2); gcab stores the archive attribute.
    const std::string unidrv =
        "unidrv.dll: stand-in for the universal printer driver (rendering) of Windows XP (x86), "
        "from driver.cab\r\n";
    const plat::FILE_IN_CABINET_INFO_A& f = r.files[6];  // unidrv.dll
    EXPECT_EQ(f.FileSize, unidrv.size());
    EXPECT_EQ(f.DosDate, 15086u);
    EXPECT_EQ(f.DosTime, 2114u);
    EXPECT_EQ(f.DosAttribs, 0x20u);
    EXPECT_EQ(f.Win32Error, static_cast<std::uint32_t>(NO_ERROR));
    EXPECT_EQ(f.FullTargetName[0], '\0');
    // Skipped files are not written anywhere: the iteration leaves the temporary directory as
    // it was.
    std::vector<plat::FindData> temp;
    EXPECT_FALSE(p->files().FindFiles("C:\\WINDOWS\\Temp\\*", temp));
}

TEST(SimCabinets, AnAbortEndsTheIterationWithTheCallersError) {
    TempMachine m("xp-x86");
    auto p = m.Process(32);
    Recorder r;
    auto family = FamilyInto("C:\\WINDOWS\\Temp");
    r.answer = [&](plat::FILE_IN_CABINET_INFO_A& f) -> std::uint32_t {
        if (std::strcmp(f.NameInCabinet, "unidrv.dll") == 0) {
            f.Win32Error = 4242;
            return FILEOP_ABORT;
        }
        return family(f);
    };
    EXPECT_FALSE(p->deviceInstallation().SetupIterateCabinetA(kXpDriverCab, r.Callback()));
    EXPECT_EQ(p->lastError().GetLastError(), 4242u);
    ASSERT_FALSE(r.events.empty());
    EXPECT_EQ(r.events.back(), "file unidrv.dll");  // nothing after the abort
    EXPECT_TRUE(Exists(*p, "C:\\WINDOWS\\Temp\\ttfsub.gpd"));  // extracted before it
    EXPECT_FALSE(Exists(*p, "C:\\WINDOWS\\Temp\\unidrv.dll"));
}

TEST(SimCabinets, AnErrorAnsweredToAnExtractionEndsTheIteration) {
    TempMachine m("xp-x86");
    auto p = m.Process(32);
    Recorder r;
    r.answer = FamilyInto("C:\\WINDOWS\\Temp");
    r.extractedAnswer = ERROR_DISK_FULL;
    EXPECT_FALSE(p->deviceInstallation().SetupIterateCabinetA(kXpDriverCab, r.Callback()));
    EXPECT_EQ(p->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_DISK_FULL));
    EXPECT_EQ(r.events.back(), "extracted C:\\WINDOWS\\Temp\\stdnames.gpd");
    EXPECT_FALSE(Exists(*p, "C:\\WINDOWS\\Temp\\ttfsub.gpd"));
}

TEST(SimCabinets, AMissingCabinetOrNoCabinetFailsBeforeAnyNotification) {
    TempMachine m("xp-x86");
    auto p = m.Process(32);
    std::vector<std::uint8_t> text = {'n', 'o', ' ', 'c', 'a', 'b'};
    ASSERT_TRUE(p->files().WriteWholeFile("C:\\scratch\\text.cab", text));
    ASSERT_TRUE(p->files().WriteWholeFile("C:\\scratch\\empty.cab", {}));
    struct Case {
        const char* cabinet;
        std::uint32_t error;
    } cases[] = {
        {"C:\\scratch\\none.cab", ERROR_FILE_NOT_FOUND},
        {"C:\\nowhere\\driver.cab", ERROR_FILE_NOT_FOUND},  // the directory is missing too
        {"C:\\scratch\\text.cab", ERROR_INVALID_DATA},
        {"C:\\scratch\\empty.cab", ERROR_INVALID_DATA},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cabinet);
        Recorder r;
        r.answer = FamilyInto("C:\\WINDOWS\\Temp");
        EXPECT_FALSE(p->deviceInstallation().SetupIterateCabinetA(c.cabinet, r.Callback()));
        EXPECT_EQ(p->lastError().GetLastError(), c.error);
        EXPECT_TRUE(r.events.empty());
    }
}

TEST(SimCabinets, ACabinetWhoseDataIsCutShortFailsAtTheFirstExtraction) {
    TempMachine m("xp-x86");
    auto p = m.Process(32);
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(p->files().ReadWholeFile(kXpDriverCab, bytes));
    ASSERT_GT(bytes.size(), 200u);
    bytes.resize(bytes.size() - 100);  // the headers stay whole, the compressed data does not
    ASSERT_TRUE(p->files().WriteWholeFile("C:\\scratch\\cut.cab", bytes));
    Recorder r;
    r.answer = FamilyInto("C:\\WINDOWS\\Temp");
    EXPECT_FALSE(p->deviceInstallation().SetupIterateCabinetA("C:\\scratch\\cut.cab", r.Callback()));
    EXPECT_EQ(p->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_INVALID_DATA));
    // The list was read; the first file asked for could not be.
    EXPECT_EQ(r.events.back(), "file stdnames.gpd");
    EXPECT_FALSE(Exists(*p, "C:\\WINDOWS\\Temp\\stdnames.gpd"));
}

TEST(SimCabinets, ATargetThatCannotBeWrittenEndsTheIterationWithItsError) {
    TempMachine m("xp-x86");
    auto p = m.Process(32);
    // unidrv.dll is held open without sharing by another program.
    ASSERT_TRUE(p->files().WriteWholeFile("C:\\WINDOWS\\Temp\\unidrv.dll", {'o', 'l', 'd'}));
    ASSERT_EQ(sim::HoldFileOpen(m.machine(), "C:\\WINDOWS\\Temp\\unidrv.dll", GENERIC_READ, 0),
              0u);
    struct Case {
        const char* dir;
        std::uint32_t error;
        const char* lastEvent;
    } cases[] = {
        {"C:\\WINDOWS\\Temp\\missing", ERROR_PATH_NOT_FOUND, "file stdnames.gpd"},
        {"C:\\WINDOWS\\Temp", ERROR_SHARING_VIOLATION, "file unidrv.dll"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dir);
        Recorder r;
        r.answer = FamilyInto(c.dir);
        EXPECT_FALSE(p->deviceInstallation().SetupIterateCabinetA(kXpDriverCab, r.Callback()));
        EXPECT_EQ(p->lastError().GetLastError(), c.error);
        EXPECT_EQ(r.events.back(), c.lastEvent);
    }
    EXPECT_EQ(Read(*p, "C:\\WINDOWS\\Temp\\ttfsub.gpd").substr(0, 12), "ttfsub.gpd: ");
    ASSERT_EQ(sim::ReleaseFile(m.machine(), "C:\\WINDOWS\\Temp\\unidrv.dll"), 0u);
    EXPECT_EQ(Read(*p, "C:\\WINDOWS\\Temp\\unidrv.dll"), "old");
}

TEST(SimCabinets, AnExistingTargetIsReplaced) {
    TempMachine m("xp-x86");
    auto p = m.Process(32);
    ASSERT_TRUE(p->files().WriteWholeFile("C:\\WINDOWS\\Temp\\unidrv.dll", {'o', 'l', 'd'}));
    Recorder r;
    r.answer = FamilyInto("C:\\WINDOWS\\Temp");
    ASSERT_TRUE(p->deviceInstallation().SetupIterateCabinetA(kXpDriverCab, r.Callback()));
    EXPECT_EQ(Read(*p, "C:\\WINDOWS\\Temp\\unidrv.dll").substr(0, 12), "unidrv.dll: ");
}

TEST(SimCabinets, TheCabinetIsReadThroughTheProcesssFileSystem) {
    TempMachine m("xp-x86");
    auto p = m.Process(32);
    // A relative path counts from the current directory (C:\scratch).
    ASSERT_TRUE(p->files().CopyFileA(kXpDriverCab, "C:\\scratch\\copy.cab", false));
    Recorder r;
    r.answer = [](plat::FILE_IN_CABINET_INFO_A&) -> std::uint32_t { return FILEOP_SKIP; };
    EXPECT_TRUE(p->deviceInstallation().SetupIterateCabinetA("copy.cab", r.Callback()));
    EXPECT_EQ(r.cabinetPath, "C:\\scratch\\");
    EXPECT_EQ(r.fileParam2, "C:\\scratch\\copy.cab");

    // A cabinet another program holds without sharing cannot be read.
    ASSERT_EQ(sim::HoldFileOpen(m.machine(), "C:\\scratch\\copy.cab", GENERIC_READ, 0), 0u);
    Recorder held;
    held.answer = r.answer;
    EXPECT_FALSE(p->deviceInstallation().SetupIterateCabinetA("copy.cab", held.Callback()));
    EXPECT_EQ(p->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(held.events.empty());
}

TEST(SimCabinets, ATargetNameFillingTheWholeBufferIsReadNoFurther) {
    TempMachine m("xp-x86");
    auto p = m.Process(32);
    Recorder r;
    r.answer = [](plat::FILE_IN_CABINET_INFO_A& f) -> std::uint32_t {
        std::memset(f.FullTargetName, 'a', sizeof f.FullTargetName);  // no terminator
        return FILEOP_DOIT;
    };
    EXPECT_FALSE(p->deviceInstallation().SetupIterateCabinetA(kXpDriverCab, r.Callback()));
    EXPECT_NE(p->lastError().GetLastError(), static_cast<std::uint32_t>(NO_ERROR));
    EXPECT_EQ(r.events.size(), 2u);  // the cabinet, then the first file
}

TEST(SimCabinets, NoCabinetNameOrNoCallbackIsAnInvalidParameter) {
    TempMachine m("xp-x86");
    auto p = m.Process(32);
    Recorder r;
    r.answer = FamilyInto("C:\\WINDOWS\\Temp");
    EXPECT_FALSE(p->deviceInstallation().SetupIterateCabinetA(nullptr, r.Callback()));
    EXPECT_EQ(p->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(p->deviceInstallation().SetupIterateCabinetA(kXpDriverCab, {}));
    EXPECT_EQ(p->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
}

}  // namespace
