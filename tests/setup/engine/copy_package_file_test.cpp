// CopyPackageFile: destination kinds, results, the "n" name, read-only and held destinations,
// the universal driver's system sources and the suspension of redirection.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/sim/state/file_holds.h"
#include "setup/engine/CopyPackageFile.h"
#include "tests/setup/engine/engine_fixture.h"

namespace {

using namespace enginetest;
using setup::CopyPackageFile;

std::string HostFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// The stand-in of a system file the simulator packs into its cabinets.
std::string SystemStandIn(const std::string& cabinet, const std::string& name) {
    return HostFile(std::filesystem::path(PKG_SOURCE_DIR) / "platform/sim/state/system_files" /
                    cabinet / name);
}

// The example package's file, its name matched without regard to case as Windows does.
std::string PackageFile(const std::string& dir, const std::string& name) {
    auto lower = [](std::string s) {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    std::filesystem::path path;
    for (const auto& entry : std::filesystem::directory_iterator(testsupport::ExamplePackage() / dir))
        if (lower(entry.path().filename().string()) == lower(name)) path = entry.path();
    return HostFile(path);
}

TEST(CopyPackageFile, DestinationKindsPlaceThePackageFileInTheirDirectories) {
    struct Case {
        const char* name;
        setup::DestinationKind kind;
        const char* expected;
    };
    const Case cases[] = {
        {"vtx58r.gpd", setup::DEST_DRIVER, "C:\\Windows\\System32\\spool\\drivers\\w32x86\\VTX58R.GPD"},
        {"VTXCTRL.TBL", setup::DEST_DRIVER_3, "C:\\Windows\\System32\\spool\\drivers\\w32x86\\3\\VTXCTRL.TBL"},
        {"VTXPROC.DLL", setup::DEST_PROCESSOR, "C:\\Windows\\System32\\spool\\prtprocs\\w32x86\\VTXPROC.DLL"},
        {"VTXCOMM.DLL", setup::DEST_SYSTEM, "C:\\Windows\\System32\\VTXCOMM.DLL"},
        {"srclient.dll", setup::DEST_SYSTEM_IF_ABSENT, "C:\\Windows\\System32\\SRCLIENT.DLL"},
        {"framedyn.dll", setup::DEST_WBEM_IF_ABSENT, "C:\\Windows\\System32\\wbem\\FRAMEDYN.DLL"},
    };
    for (const auto& c : cases) {
        auto engine = MakeEngine(3, false);
        ASSERT_TRUE(engine);
        // The machine's own copy would be kept by the kinds that copy only when absent.
        engine->machine->RemoveFile(c.expected);
        std::string name = c.name;
        EXPECT_EQ(CopyPackageFile(*engine->ctx, name, c.kind, false), setup::kCopied) << c.name;
        EXPECT_TRUE(engine->ctx->result.empty()) << engine->ctx->result.c_str();
        // The name is upper-cased in place; the source keeps the package's own file.
        EXPECT_EQ(engine->FileOn(c.expected), PackageFile("W32", name)) << c.expected;
        EXPECT_FALSE(engine->FileOn(c.expected).empty()) << c.expected;
    }
}

TEST(CopyPackageFile, AlternateNameIsNPlusTheUpperCasedName) {
    auto engine = MakeEngine(3, false);
    ASSERT_TRUE(engine);
    std::string name = "vtxusbm.dll";
    EXPECT_EQ(CopyPackageFile(*engine->ctx, name, setup::DEST_SYSTEM, true), setup::kCopied);
    EXPECT_EQ(name, "VTXUSBM.DLL");
    EXPECT_EQ(engine->FileOn("C:\\Windows\\System32\\nVTXUSBM.DLL"),
              PackageFile("W32", "VTXUSBM.DLL"));
    EXPECT_FALSE(engine->Exists("C:\\Windows\\System32\\VTXUSBM.DLL"));
}

TEST(CopyPackageFile, AbsentNamesCopyNothingAndSayNothing) {
    for (const char* absent : {"0", "", "0ABC.DLL"}) {
        auto engine = MakeEngine(3, false);
        ASSERT_TRUE(engine);
        std::string name = absent;
        EXPECT_EQ(CopyPackageFile(*engine->ctx, name, setup::DEST_DRIVER, false),
                  setup::kCopyFailed);
        EXPECT_TRUE(engine->ctx->result.empty()) << absent;
    }
}

TEST(CopyPackageFile, IfAbsentKindsNeverReplaceAnExistingFile) {
    auto engine = MakeEngine(3, false);
    ASSERT_TRUE(engine);
    ASSERT_TRUE(engine->Put("C:\\Windows\\System32\\newdev.dll", "the system's own"));
    std::string name = "newdev.dll";
    EXPECT_EQ(CopyPackageFile(*engine->ctx, name, setup::DEST_SYSTEM_IF_ABSENT, false),
              setup::kCopied);
    EXPECT_EQ(engine->FileOn("C:\\Windows\\System32\\newdev.dll"), "the system's own");
}

TEST(CopyPackageFile, WbemCopyInTheSystemDirectoryCountsFromVistaOnOnly) {
    for (int os : {3, 5}) {
        auto engine = MakeEngine(os, false);
        ASSERT_TRUE(engine);
        ASSERT_TRUE(engine->Put("C:\\Windows\\System32\\framedyn.dll", "system"));
        std::string name = "framedyn.dll";
        EXPECT_EQ(CopyPackageFile(*engine->ctx, name, setup::DEST_WBEM_IF_ABSENT, false),
                  setup::kCopied);
        // XP copies it into wbem; Vista takes the system directory's copy as present.
        EXPECT_EQ(engine->Exists("C:\\Windows\\System32\\wbem\\FRAMEDYN.DLL"), os == 3) << os;
    }
}

TEST(CopyPackageFile, ReadOnlyDestinationIsReplaced) {
    auto engine = MakeEngine(3, false);
    ASSERT_TRUE(engine);
    const std::string target = std::string(kDriverDir) + "\\VTX58R.GPD";
    ASSERT_TRUE(engine->Put(target, "old"));
    ASSERT_TRUE(engine->platform->files().SetFileAttributesA(target.c_str(),
                                                             FILE_ATTRIBUTE_READONLY));
    std::string name = "VTX58R.GPD";
    EXPECT_EQ(CopyPackageFile(*engine->ctx, name, setup::DEST_DRIVER, false), setup::kCopied);
    EXPECT_EQ(engine->FileOn(target), PackageFile("W32", "VTX58R.GPD"));
}

TEST(CopyPackageFile, HeldOrDeniedDestinationsReturnTheirCodeWithoutText) {
    auto engine = MakeEngine(3, false);
    ASSERT_TRUE(engine);
    ASSERT_TRUE(engine->Put("C:\\Windows\\System32\\VTXCOMM.DLL", "loaded"));
    ASSERT_EQ(sim::HoldFileOpen(engine->machine->machine(), "C:\\Windows\\System32\\VTXCOMM.DLL",
                                GENERIC_READ, 0),
              0u);
    std::string name = "VTXCOMM.DLL";
    EXPECT_EQ(CopyPackageFile(*engine->ctx, name, setup::DEST_SYSTEM, false), setup::kCopyInUse);
    EXPECT_TRUE(engine->ctx->result.empty());
    // The alternate name is free.
    EXPECT_EQ(CopyPackageFile(*engine->ctx, name, setup::DEST_SYSTEM, true), setup::kCopied);

    ASSERT_EQ(sim::DenyFileAccess(engine->machine->machine(), "C:\\Windows\\System32\\VTXUSBM.DLL"),
              0u);
    std::string denied = "VTXUSBM.DLL";
    EXPECT_EQ(CopyPackageFile(*engine->ctx, denied, setup::DEST_SYSTEM, false),
              setup::kCopyDenied);
    EXPECT_TRUE(engine->ctx->result.empty());
}

TEST(CopyPackageFile, MissingSourceComposesTheCopyFailure) {
    auto engine = MakeEngine(3, false);
    ASSERT_TRUE(engine);
    std::string name = "NOSUCH.DLL";
    EXPECT_EQ(CopyPackageFile(*engine->ctx, name, setup::DEST_DRIVER, false), setup::kCopyFailed);
    // Language text, the name, a line feed, the system's message without its CR LF, then the
    // second language text.
    EXPECT_EQ(engine->ctx->result.str(), engine->Text("IDS_ERR_COPYFIEL") + "NOSUCH.DLL\n" +
                                             "The system cannot find the file specified." + engine->Text("IDS_ERR_COPYFIEL1"));
}

TEST(CopyPackageFile, DirectoryLookupFailuresNameTheirDirectory) {
    auto engine = MakeEngine(3, false);
    ASSERT_TRUE(engine);
    engine->Fail("GetPrinterDriverDirectoryA", RPC_S_SERVER_UNAVAILABLE);
    engine->Fail("GetPrintProcessorDirectoryA", RPC_S_SERVER_UNAVAILABLE);
    std::string name = "VTX58R.GPD";
    EXPECT_EQ(CopyPackageFile(*engine->ctx, name, setup::DEST_DRIVER, false), setup::kCopyFailed);
    EXPECT_EQ(engine->ctx->result.str(),
              engine->Text("IDS_ERR_GETDRIVERDIR") + "\nThe RPC server is unavailable.");
    std::string proc = "VTXPROC.DLL";
    EXPECT_EQ(CopyPackageFile(*engine->ctx, proc, setup::DEST_PROCESSOR, false),
              setup::kCopyFailed);
    EXPECT_EQ(engine->ctx->result.str(),
              engine->Text("IDS_ERR_GETPRODIR") + "\nThe RPC server is unavailable.");
}

TEST(UniversalDriverFamily, PresentInTheDriverDirectoryOnXpIsNotCopiedWhateverTheKind) {
    auto engine = MakeEngine(3, false);
    ASSERT_TRUE(engine);
    ASSERT_TRUE(engine->Put(std::string(kDriverDir) + "\\UNIDRV.DLL", "system unidrv"));
    std::string name = "unidrv.dll";
    EXPECT_EQ(CopyPackageFile(*engine->ctx, name, setup::DEST_SYSTEM, false), setup::kCopied);
    EXPECT_FALSE(engine->Exists("C:\\Windows\\System32\\UNIDRV.DLL"));
    EXPECT_EQ(engine->FileOn(std::string(kDriverDir) + "\\UNIDRV.DLL"), "system unidrv");
}

TEST(UniversalDriverFamily, Windows7WithoutDriverStoreFolderFailsWithoutThePackageCopy) {
    auto engine = MakeEngine(7, false);
    ASSERT_TRUE(engine);
    std::error_code ec;
    std::filesystem::remove_all(engine->machine->HostPath("C:\\Windows\\System32\\DriverStore"), ec);
    ASSERT_FALSE(ec);
    std::string name = "UNIDRV.DLL";
    EXPECT_EQ(CopyPackageFile(*engine->ctx, name, setup::DEST_DRIVER, false), setup::kCopyFailed);
    EXPECT_EQ(engine->ctx->result.str().rfind("Couldn't find system files.\n", 0), 0u)
        << engine->ctx->result.c_str();
    EXPECT_FALSE(engine->Exists(std::string(kDriverDir) + "\\UNIDRV.DLL"));
}

TEST(UniversalDriverFamily, Windows7CopiesFromTheDriverStore) {
    auto engine = MakeEngine(7, false);
    ASSERT_TRUE(engine);
    const std::string store = "C:\\Windows\\System32\\DriverStore\\FileRepository\\";
    ASSERT_TRUE(engine->Put(store + "ntprint.inf_x86_1234\\I386\\UNIRES.DLL", "store unires"));
    std::string name = "unires.dll";
    EXPECT_EQ(CopyPackageFile(*engine->ctx, name, setup::DEST_DRIVER, false), setup::kCopied);
    EXPECT_EQ(engine->FileOn(std::string(kDriverDir) + "\\UNIRES.DLL"), "store unires");
}

// Server 2003 keeps the family in "Driver Cache\i386": driver.cab and sp2.cab.
TEST(UniversalDriverFamily, DriverCacheIsExtractedOncePerRun) {
    auto engine = MakeEngine(4, false, "server-2003-x86");
    ASSERT_TRUE(engine);
    std::string first = "UNIDRV.DLL";
    EXPECT_EQ(CopyPackageFile(*engine->ctx, first, setup::DEST_DRIVER, false), setup::kCopied);
    const std::string unidrv = engine->FileOn(std::string(kDriverDir) + "\\UNIDRV.DLL");
    EXPECT_TRUE(unidrv == SystemStandIn("server-2003-i386-sp2", "unidrv.dll") ||
                unidrv == SystemStandIn("server-2003-i386-driver", "unidrv.dll"));
    EXPECT_NE(unidrv, PackageFile("W32", "UNIDRV.DLL"));
    // The cabinets are not walked again: the next file comes from what the first walk left.
    engine->Fail("SetupIterateCabinetA", ERROR_FILE_NOT_FOUND);
    std::string second = "TTFSUB.GPD";
    EXPECT_EQ(CopyPackageFile(*engine->ctx, second, setup::DEST_DRIVER, false), setup::kCopied);
    EXPECT_EQ(engine->FileOn(std::string(kDriverDir) + "\\TTFSUB.GPD"),
              SystemStandIn("server-2003-i386-driver", "ttfsub.gpd"));
    // Only the family is extracted, not the rest of the cabinets.
    char temp[260] = {};
    const std::uint32_t n = engine->platform->files().GetTempPathA(sizeof temp, temp);
    ASSERT_GT(n, 0u);
    EXPECT_TRUE(engine->Exists(std::string(temp, n) + "UNIRES.DLL"));
    EXPECT_FALSE(engine->Exists(std::string(temp, n) + "PSCRIPT5.DLL"));
}

TEST(UniversalDriverFamily, NoCabinetFallsBackToThePackage) {
    auto engine = MakeEngine(2, false);
    ASSERT_TRUE(engine);
    std::string name = "STDNAMES.GPD";
    EXPECT_EQ(CopyPackageFile(*engine->ctx, name, setup::DEST_DRIVER, false), setup::kCopied);
    EXPECT_EQ(engine->FileOn(std::string(kDriverDir) + "\\STDNAMES.GPD"),
              PackageFile("W32", "STDNAMES.GPD"));
    EXPECT_FALSE(engine->ctx->cabinetExtractionAllowed);
}

// The setup process is 32-bit: on 64-bit Windows its system directory is redirected.
TEST(Windows64, FilesComeFromW64AndGoToTheX64Directories) {
    auto engine = MakeEngine(7, true);
    ASSERT_TRUE(engine);
    // The driver directory is exempt from redirection: the copy needs no suspension.
    engine->Fail("Wow64DisableWow64FsRedirection", ERROR_ACCESS_DENIED);
    std::string name = "VTX58R.GPD";
    EXPECT_EQ(CopyPackageFile(*engine->ctx, name, setup::DEST_DRIVER, false), setup::kCopied);
    EXPECT_EQ(engine->FileOn(std::string(kDriverDirX64) + "\\VTX58R.GPD"),
              PackageFile("W64", "VTX58R.GPD"));
}

TEST(Windows64, SystemDirectoryCopiesRunWithRedirectionSuspended) {
    auto engine = MakeEngine(7, true);
    ASSERT_TRUE(engine);
    std::string name = "VTXUSBM.DLL";
    EXPECT_EQ(CopyPackageFile(*engine->ctx, name, setup::DEST_SYSTEM, false), setup::kCopied);
    EXPECT_EQ(engine->FileOn("C:\\Windows\\System32\\VTXUSBM.DLL"), PackageFile("W64", "VTXUSBM.DLL"));
    EXPECT_FALSE(engine->Exists("C:\\Windows\\SysWOW64\\VTXUSBM.DLL"));
    // Redirection is back on afterwards: the process sees SysWOW64 again.
    EXPECT_EQ(engine->platform->files().GetFileAttributesA("C:\\Windows\\System32\\VTXUSBM.DLL"),
              INVALID_FILE_ATTRIBUTES);
}

TEST(Windows64, FailedSuspensionFailsTheCopyWithoutText) {
    auto engine = MakeEngine(7, true);
    ASSERT_TRUE(engine);
    engine->Fail("Wow64DisableWow64FsRedirection", ERROR_ACCESS_DENIED);
    std::string name = "VTXUSBM.DLL";
    EXPECT_EQ(CopyPackageFile(*engine->ctx, name, setup::DEST_SYSTEM, false), setup::kCopyFailed);
    EXPECT_TRUE(engine->ctx->result.empty());
    EXPECT_FALSE(engine->Exists("C:\\Windows\\System32\\VTXUSBM.DLL"));
    EXPECT_FALSE(engine->Exists("C:\\Windows\\SysWOW64\\VTXUSBM.DLL"));
}

// Without the WOW64 functions no suspension is tried (a failing one would end the copy): the
// driver store copy runs as the process sees the paths.
TEST(Windows64, MissingRedirectionFunctionsLetTheDriverStoreCopyRunRedirected) {
    auto engine = MakeEngine(7, true);
    ASSERT_TRUE(engine);
    engine->Fail("GetProcAddress", ERROR_PROC_NOT_FOUND, 0, "Wow64DisableWow64FsRedirection");
    engine->Fail("Wow64DisableWow64FsRedirection", ERROR_ACCESS_DENIED);
    std::string name = "UNIDRV.DLL";
    EXPECT_EQ(CopyPackageFile(*engine->ctx, name, setup::DEST_DRIVER, false), setup::kCopied)
        << engine->ctx->result.c_str();
    EXPECT_NE(engine->FileOn(std::string(kDriverDirX64) + "\\UNIDRV.DLL").find("from the driver store"),
              std::string::npos);
}

}  // namespace
