// pkgcheck on the example package (clean), on a broken copy of it (every problem kind
// reported), on usage errors, and its JSON read back by a JSON parser.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/host_files.h"
#include "tests/support/shell.h"

namespace {

namespace fs = std::filesystem;

using ToolRun = testsupport::ShellRun;
using testsupport::ReadHostFile;
using testsupport::RunShell;
using testsupport::WriteHostFile;

std::string Quoted(const fs::path& p) { return "'" + p.string() + "'"; }

ToolRun Pkgcheck(const std::string& args) {
    fs::path tool = fs::path(PKG_BINARY_DIR) / "tools" / "pkgcheck" / "pkgcheck";
    return RunShell(Quoted(tool) + " " + args + " 2>/dev/null");
}

fs::path ExamplePackage() { return fs::path(PKG_SOURCE_DIR) / "examples" / "package"; }
fs::path Fixture(const std::string& name) { return fs::path(PKGCHECK_FIXTURES) / name; }

// Replaces the first occurrence of `from`, failing the test when it is not there.
void Edit(const fs::path& file, const std::string& from, const std::string& to) {
    std::string text = ReadHostFile(file);
    size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from << " not in " << file;
    text.replace(at, from.size(), to);
    WriteHostFile(file, text);
}

void EditAll(const fs::path& file, const std::string& from, const std::string& to) {
    std::string text = ReadHostFile(file);
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    WriteHostFile(file, text);
}

class PkgcheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        scratch_ = fs::temp_directory_path() / ("pkgcheck-test-" + std::to_string(::getpid()) +
                                                "-" + ::testing::UnitTest::GetInstance()
                                                          ->current_test_info()
                                                          ->name());
        fs::remove_all(scratch_);
        fs::create_directories(scratch_);
    }
    void TearDown() override { fs::remove_all(scratch_); }

    // A copy of the example package with one of each problem a package author can make.
    fs::path BrokenCopy() {
        fs::path pkg = scratch_ / "broken";
        fs::copy(ExamplePackage(), pkg, fs::copy_options::recursive);
        fs::path cfg = pkg / "DRVCONFIG";
        // An entry without a series, and a last model that no series file describes.
        Edit(cfg / "setup.ini", "DEVICENUMBER=6", "DEVICENUMBER=8");
        Edit(cfg / "setup.ini", "DEVICENAME6=VTX-E58-EmbeddedPrinter",
             "DEVICENAME6=VTX-E58-EmbeddedPrinter\r\nDEVICENAME7=VTX-X1\r\n"
             "DEVICENAME8=VTX-Z9-TicketPrinter");
        Edit(cfg / "setup.ini", "DEFAULTNAME=2", "DEFAULTNAME=42");
        // One OS section renamed away.
        Edit(cfg / "setup_ticket.ini", "[VTX-T30.Vista]", "[VTX-T30.Vista-old]");
        // A driver file gone, and a data file name too long for the dependent-file list.
        fs::remove(pkg / "W32" / "VTX80R.GPD");
        EditAll(cfg / "setup_lable_64.ini", "GDIDataFile=VTXL40.GPD",
                "GDIDataFile=" + std::string(170, 'L') + ".GPD");
        // A series file of 64-bit Windows gone.
        fs::remove(cfg / "setup_embedded_64.ini");
        // Language keys gone.
        Edit(pkg / "language" / "setup.ini", "IDS_X64=", "IDS_X64_OLD=");
        Edit(pkg / "language" / "uninstall.ini", "Yes=&Yes", "");
        // The side picture gone.
        fs::remove(cfg / "Left.bmp");
        return pkg;
    }

    fs::path scratch_;
};

TEST_F(PkgcheckTest, ExamplePackageHasNoProblems) {
    ToolRun run = Pkgcheck(Quoted(ExamplePackage()));
    EXPECT_EQ(run.status, 0) << run.output.substr(run.output.size() > 3000 ? run.output.size() - 3000 : 0);
    EXPECT_NE(run.output.find("No problems found."), std::string::npos);
    EXPECT_NE(run.output.find("  Receipt: VTX-58R VTX-80R\n"), std::string::npos);
    EXPECT_NE(run.output.find("default: DEFAULTNAME=2 -> VTX-80R"), std::string::npos);
    EXPECT_NE(run.output.find("64-bit Windows (driver files from W64)"), std::string::npos);
}

TEST_F(PkgcheckTest, BrokenCopyReportsEachProblemKind) {
    fs::path pkg = BrokenCopy();
    ToolRun run = Pkgcheck(Quoted(pkg));
    EXPECT_EQ(run.status, 1);
    const char* const expected[] = {
        "model-without-series: DEVICENAME7 \"VTX-X1\" carries no series suffix",
        "default-names-no-model: DEFAULTNAME=42 names no model entry",
        "missing-port-section: model VTX-Z9 has no section [VTX-Z9.PORT] in "
        "DRVCONFIG\\setup_ticket.ini",
        "missing-os-section: model VTX-T30 has no section [VTX-T30.Vista] in "
        "DRVCONFIG\\setup_ticket.ini",
        "missing-os-section: model VTX-Z9 has no section [VTX-Z9.XP]",
        "missing-file: W32\\VTX80R.GPD is missing (named by [VTX-80R.2K] GDIDataFile in "
        "DRVCONFIG\\setup_receipt.ini)",
        "dependent-list-too-long: on 64-bit Windows the raster dependent-file list of "
        "[VTX-L40.2K] needs 258 of 200 bytes",
        "missing-series-file: DRVCONFIG\\setup_embedded_64.ini is missing",
        "startup-port-check: on 32-bit Windows setup stops at start",
        "startup-port-check: on 64-bit Windows setup stops at start",
        "missing-language-key: language\\setup.ini lacks [Message] IDS_X64 ",
        "missing-language-key: language\\uninstall.ini lacks [Reboot] Yes ",
        "missing-package-file: DRVCONFIG\\Left.bmp is missing",
    };
    for (const char* line : expected)
        EXPECT_NE(run.output.find(line), std::string::npos) << line;
    // The W64 copy of the removed file is still there, and a missing file is listed once.
    EXPECT_EQ(run.output.find("W64\\VTX80R.GPD"), std::string::npos);
    size_t first = run.output.find("missing-file: W32\\VTX80R.GPD");
    EXPECT_EQ(run.output.find("missing-file: W32\\VTX80R.GPD", first + 1), std::string::npos);
}

// Every line of the output that reports a problem of `kind`.
std::vector<std::string> ProblemLines(const std::string& output, const std::string& kind) {
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("  " + kind + ": ", 0) == 0) lines.push_back(line);
    return lines;
}

TEST_F(PkgcheckTest, MinidriverSwitchWithoutDataFileDllIsReportedPerOsRowAndFlavour) {
    ToolRun run = Pkgcheck(Quoted(Fixture("minidriver_fault")));
    EXPECT_EQ(run.status, 1);
    // .XP raster: switch on, DLL empty; .Win7 standard: switch on, DLL key missing ("0").
    // Not reported: .2K (both switches off), .XP standard (DLL set), .Win7 raster (switch "2").
    std::vector<std::string> lines = ProblemLines(run.output, "minidriver-without-data-dll");
    ASSERT_EQ(lines.size(), 2u) << run.output;
    EXPECT_EQ(lines[0],
              "  minidriver-without-data-dll: on 32-bit Windows the raster driver of [MD-1.XP] in "
              "DRVCONFIG\\setup_ticket.ini has GDI2KDDKDEV on but GDIDataFileDLLName=\"\" names "
              "no file: installing it fails with Message/IDS_ERR_LOSTDRIVERFILE");
    EXPECT_EQ(lines[1],
              "  minidriver-without-data-dll: on 32-bit Windows the standard driver of [MD-1.Win7] "
              "in DRVCONFIG\\setup_ticket.ini has STD2KDDKDEV on but STDDataFileDLLName=\"0\" "
              "names no file: installing it fails with Message/IDS_ERR_LOSTDRIVERFILE");
    EXPECT_NE(run.output.find("      raster (minidriver), NO DATA-FILE DLL: installation fails\n"),
              std::string::npos);
}

TEST_F(PkgcheckTest, MinidriverSwitchWithItsDataFileDllIsSound) {
    ToolRun run = Pkgcheck(Quoted(Fixture("minidriver_sound")));
    // The small fixture lacks driver files and language files, but nothing of this kind.
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(ProblemLines(run.output, "minidriver-without-data-dll").empty()) << run.output;
    EXPECT_EQ(run.output.find("NO DATA-FILE DLL"), std::string::npos);
    EXPECT_NE(run.output.find("      raster (minidriver)\n"), std::string::npos);
}

TEST_F(PkgcheckTest, EmptyDirectoryHasNoModels) {
    ToolRun run = Pkgcheck(Quoted(scratch_));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("no-models: DRVCONFIG\\setup.ini lists no model"), std::string::npos);
    EXPECT_NE(run.output.find("missing-package-file: language\\setup.ini is missing"),
              std::string::npos);
}

TEST_F(PkgcheckTest, UsageErrorsExitWithTwo) {
    struct Case {
        std::string args;
        int status;
    } const cases[] = {
        {"", 2},
        {"--frobnicate " + Quoted(ExamplePackage()), 2},
        {Quoted(ExamplePackage()) + " " + Quoted(ExamplePackage()), 2},
        {Quoted(scratch_ / "no-such-dir"), 2},
        {Quoted(ExamplePackage() / "License.txt"), 2},
        {"--help", 0},
        // "--" ends the options: what follows is the directory, whatever it starts with.
        {"-- " + Quoted(ExamplePackage()), 0},
        {"--json -- " + Quoted(ExamplePackage()), 0},
        {"-- --json", 2},
        {"-- " + Quoted(ExamplePackage()) + " --json", 2},
    };
    for (const Case& c : cases) EXPECT_EQ(Pkgcheck(c.args).status, c.status) << c.args;
}

TEST_F(PkgcheckTest, ADirectoryStartingWithADashFollowsTheEndOfOptions) {
    fs::create_directories(scratch_ / "-pkg");
    // An empty package: read (problems found), not refused as an unknown option.
    ToolRun run = RunShell("cd " + Quoted(scratch_) + " && " +
                           Quoted(fs::path(PKG_BINARY_DIR) / "tools" / "pkgcheck" / "pkgcheck") +
                           " -- -pkg 2>&1");
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("no-models"), std::string::npos) << run.output;
}

// DEVICENUMBER set against the entries of the example package (DEVICENAME1..6).
TEST_F(PkgcheckTest, ModelCountThatDisagreesWithTheEntriesIsReported) {
    struct Case {
        const char* count;
        const char* removed;  // an entry taken out, or null
        std::vector<std::string> problems;
    } const cases[] = {
        {"6", nullptr, {}},
        {"7", nullptr, {"DEVICENUMBER=7 but the last entry is DEVICENAME6"}},
        {"5", nullptr, {"entries beyond DEVICENUMBER=5: DEVICENAME6; setup ignores them"}},
        {"2147483647", nullptr,
         {"DEVICENUMBER=2147483647 but the last entry is DEVICENAME6; setup reads no entry "
          "beyond DEVICENAME1000 whatever the count"}},
        {"6", "DEVICENAME3=VTX-T30-TicketPrinter\r\n",
         {"DEVICENUMBER=6 but DEVICENAME3 is missing; those numbers offer no model"}},
        {"0", nullptr, {"entries beyond DEVICENUMBER=0: DEVICENAME1 to DEVICENAME6; setup "
                        "ignores them"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.count) + (c.removed ? " without an entry" : ""));
        fs::path pkg = scratch_ / (std::string("count") + c.count + (c.removed ? "gap" : ""));
        fs::copy(ExamplePackage(), pkg, fs::copy_options::recursive);
        Edit(pkg / "DRVCONFIG" / "setup.ini", "DEVICENUMBER=6", std::string("DEVICENUMBER=") + c.count);
        if (c.removed) Edit(pkg / "DRVCONFIG" / "setup.ini", c.removed, "");
        ToolRun run = Pkgcheck(Quoted(pkg));
        std::vector<std::string> lines = ProblemLines(run.output, "model-count");
        ASSERT_EQ(lines.size(), c.problems.size()) << run.output;
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i], "  model-count: " + c.problems[i]);
        EXPECT_EQ(run.status, c.problems.empty() ? 0 : 1);
    }
}

TEST_F(PkgcheckTest, HelpNamesEveryProblemKind) {
    ToolRun run = Pkgcheck("--help");
    for (const char* kind :
         {"model-without-series", "no-models", "default-names-no-model", "missing-series-file",
          "missing-port-section", "missing-os-section", "missing-file", "dependent-list-too-long",
          "minidriver-without-data-dll", "startup-port-check", "missing-language-key",
          "missing-package-file", "model-count", "--json"})
        EXPECT_NE(run.output.find(kind), std::string::npos) << kind;
}

// Reads the JSON back with Python's parser and prints facts from it.
ToolRun ParseJson(const fs::path& json, const std::string& script) {
    fs::path program = json;
    program += ".py";
    WriteHostFile(program, "import json, sys\nd = json.load(open(sys.argv[1]))\n" + script + "\n");
    return RunShell("python3 " + Quoted(program) + " " + Quoted(json) + " 2>&1");
}

TEST_F(PkgcheckTest, JsonParsesAndCarriesTheReport) {
    if (RunShell("command -v python3 >/dev/null").status != 0) GTEST_SKIP() << "python3 missing";
    ToolRun clean = Pkgcheck("--json " + Quoted(ExamplePackage()));
    ASSERT_EQ(clean.status, 0);
    WriteHostFile(scratch_ / "clean.json", clean.output);
    ToolRun facts = ParseJson(
        scratch_ / "clean.json",
        "ws=d['wordSizes'][1]; m=ws['models'][0]; s=m['systems'][7]; f=s['flavours'][0]\n"
        "print(len(d['problems']), d['defaultModel']['model'], ws['bits'], m['name'],"
        " s['suffix'], f['kinds'][2]['driver']['pMonitorName'], f['dependentFits'],"
        " d['monitors'][0]['usb']['environment'], d['monitors'][1]['usb']['environment'])");
    EXPECT_EQ(facts.output, "0 VTX-80R 64 VTX-58R .Win7 VTX Language Monitor True Windows 4.0 None\n");

    ToolRun fault = Pkgcheck("--json " + Quoted(Fixture("minidriver_fault")));
    WriteHostFile(scratch_ / "fault.json", fault.output);
    facts = ParseJson(scratch_ / "fault.json",
                      "m=d['wordSizes'][0]['models'][0]\n"
                      "print([(s['suffix'], f['flavour']) for s in m['systems'] for f in s['flavours']"
                      " if f['minidriverWithoutDataDll']],"
                      " sum(p['kind'] == 'minidriver-without-data-dll' for p in d['problems']))");
    EXPECT_EQ(facts.output, "[('.XP', 'raster'), ('.Win7', 'standard')] 2\n");

    // The host path is UTF-8 (here with two-, three- and four-byte characters); a byte that is
    // not UTF-8 becomes U+FFFD.
    fs::path named = scratch_ / "paquet-\xC3\xA9-\xE6\x97\xA5\xE6\x9C\xAC-\xF0\x9F\x98\x80-\xFF";
    fs::create_directories(named);
    ToolRun utf8 = Pkgcheck("--json " + Quoted(named));
    EXPECT_NE(utf8.output.find("paquet-\\u00e9-\\u65e5\\u672c-\\ud83d\\ude00-\\ufffd\""),
              std::string::npos) << utf8.output.substr(0, 300);
    WriteHostFile(scratch_ / "utf8.json", utf8.output);
    facts = ParseJson(scratch_ / "utf8.json",
                      "print(d['package'].endswith("
                      "'/paquet-\\u00e9-\\u65e5\\u672c-\\U0001F600-\\ufffd'))");
    EXPECT_EQ(facts.output, "True\n");

    ToolRun broken = Pkgcheck("--json " + Quoted(BrokenCopy()));
    ASSERT_EQ(broken.status, 1);
    WriteHostFile(scratch_ / "broken.json", broken.output);
    facts = ParseJson(scratch_ / "broken.json",
                      "print(' '.join(sorted(set(p['kind'] for p in d['problems']))))");
    EXPECT_EQ(facts.output,
              "default-names-no-model dependent-list-too-long missing-file "
              "missing-language-key missing-os-section missing-package-file "
              "missing-port-section missing-series-file model-without-series "
              "startup-port-check\n");
}

}  // namespace
