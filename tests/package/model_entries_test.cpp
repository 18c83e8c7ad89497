// Model entries, the model count, the default model and the package paths.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/package/config_fixture.h"

namespace setuptest {
namespace {

using pkg::ModelEntry;
using pkg::ParseModelEntry;

TEST(ParseModelEntry, SuffixesAreSearchedInSeriesOrderAndCutAtTheirFirstOccurrence) {
    struct Case {
        const char* value;
        const char* model;
        int series;
    } const cases[] = {
        {"PX-6100-ReceiptPrinter", "PX-6100", 0},
        {"T-1-TicketPrinter", "T-1", 1},
        {"L-1-LabelPrinter", "L-1", 2},
        {"E-1-EmbeddedPrinter", "E-1", 3},
        // The Receipt suffix is looked for first, wherever it stands.
        {"X-LabelPrinter-ReceiptPrinter", "X-LabelPrinter", 0},
        {"X-ReceiptPrinter-LabelPrinter", "X", 0},
        // Text after the suffix is dropped with it.
        {"GH-5-LabelPrinterXL", "GH-5", 2},
        {"-TicketPrinter", "", 1},
        // The suffix must match in letter case.
        {"Y-receiptprinter", "", -1},
        {"PX-6200", "", -1},
        {"0", "", -1},
        {"", "", -1},
    };
    for (const Case& c : cases) {
        ModelEntry e = ParseModelEntry(c.value);
        EXPECT_EQ(e.name, c.model) << c.value;
        EXPECT_EQ(e.series, c.series) << c.value;
    }
}

TEST(SeriesFileName, NamesTheFilesOfEachWordSize) {
    EXPECT_EQ(pkg::SeriesFileName(0, false), "DRVCONFIG\\setup_receipt.ini");
    EXPECT_EQ(pkg::SeriesFileName(1, false), "DRVCONFIG\\setup_ticket.ini");
    EXPECT_EQ(pkg::SeriesFileName(2, false), "DRVCONFIG\\setup_lable.ini");
    EXPECT_EQ(pkg::SeriesFileName(3, false), "DRVCONFIG\\setup_embedded.ini");
    EXPECT_EQ(pkg::SeriesFileName(2, true), "DRVCONFIG\\setup_lable_64.ini");
    EXPECT_EQ(pkg::SeriesFileName(-1, false), "");
    EXPECT_EQ(pkg::SeriesFileName(4, true), "");
}

using ModelEntries = ConfigTest;

TEST_F(ModelEntries, PathsAreRelativeToTheProgramsDirectory) {
    Load("odd", false, "windows-7-x86", "C:\\Elsewhere");
    EXPECT_EQ(config().packageRoot(), "C:\\Pkg\\");
    EXPECT_EQ(config().setupIniPath(), "C:\\Pkg\\DRVCONFIG\\setup.ini");
    EXPECT_EQ(config().SeriesFilePath(1), "C:\\Pkg\\DRVCONFIG\\setup_ticket.ini");
    // The current directory plays no part: the model list is read all the same.
    EXPECT_EQ(config().ModelCount(), 6);
}

TEST_F(ModelEntries, EntriesAreReadWhateverTheLetterCaseAndQuotes) {
    Load("odd");
    ASSERT_EQ(config().ModelCount(), 6);
    struct Expected {
        int index;
        const char* model;
        int series;
    } const expected[] = {
        {1, "AB-100", 0}, {2, "X-LabelPrinter", 0}, {3, "", -1},
        {4, "CD-9", 1},   {5, "GH-5", 2},           {6, "IJ-7", 3},
    };
    for (const Expected& e : expected) {
        ModelEntry entry = config().GetModelEntry(e.index);
        EXPECT_EQ(entry.name, e.model) << "DEVICENAME" << e.index;
        EXPECT_EQ(entry.series, e.series) << "DEVICENAME" << e.index;
    }
}

TEST_F(ModelEntries, MissingEntryIsNoModel) {
    Load("odd");
    EXPECT_EQ(config().GetModelEntry(0).series, -1);
    EXPECT_EQ(config().GetModelEntry(99).series, -1);
}

TEST_F(ModelEntries, MissingDeviceNumberGivesNoModels) {
    Load("nocount");
    EXPECT_EQ(config().ModelCount(), 0);
    // DEFAULTNAME=1 then names no listed entry, though DEVICENAME1 exists.
    EXPECT_EQ(config().DefaultModel().series, -1);
}

TEST_F(ModelEntries, DefaultModelIsTheEntryDefaultNameNames) {
    Load("odd");
    EXPECT_EQ(config().DefaultModelIndex(), 4);
    ModelEntry entry = config().DefaultModel();
    EXPECT_EQ(entry.name, "CD-9");
    EXPECT_EQ(entry.series, 1);
}

TEST_F(ModelEntries, DefaultNameOutsideTheListNamesNoModel) {
    Load("odd");
    // 7 has an entry in the file but lies beyond DEVICENUMBER; 0 is the "not set" default;
    // 3 is an entry without a series.
    for (const char* value : {"7", "0", "-1", "abc", "3"}) {
        std::string ini = "[DEVICENAME]\r\nDEVICENUMBER=6\r\nDEVICENAME3=AB-200\r\n"
                          "DEVICENAME7=KL-8-ReceiptPrinter\r\nDEFAULTNAME=" +
                          std::string(value) + "\r\n";
        ASSERT_TRUE(machine().WriteFile("C:\\Pkg\\DRVCONFIG\\setup.ini", ini));
        ModelEntry entry = config().DefaultModel();
        EXPECT_EQ(entry.series, -1) << "DEFAULTNAME=" << value;
        EXPECT_EQ(entry.name, "") << "DEFAULTNAME=" << value;
    }
}

// The model walk: the DEVICENAME keys the file holds, from 1 to DEVICENUMBER (at most 1000).
TEST_F(ModelEntries, TheWalkVisitsTheEntriesThatExistUpToTheCount) {
    Load("odd");  // DEVICENAME1..7 exist, DEVICENUMBER=6
    struct Case {
        const char* count;
        int last;
        std::vector<int> listed;
    } const cases[] = {
        {"5", 5, {1, 2, 3, 4, 5}},
        {"6", 6, {1, 2, 3, 4, 5, 6}},
        {"7", 7, {1, 2, 3, 4, 5, 6, 7}},
        {"8", 8, {1, 2, 3, 4, 5, 6, 7}},
        {"1000", 1000, {1, 2, 3, 4, 5, 6, 7}},
        {"1001", 1000, {1, 2, 3, 4, 5, 6, 7}},
        {"2147483647", 1000, {1, 2, 3, 4, 5, 6, 7}},
        {"0", 0, {}},
        {"-3", -3, {}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(P().profile().WritePrivateProfileStringA("DEVICENAME", "DEVICENUMBER", c.count,
                                                             "C:\\Pkg\\DRVCONFIG\\setup.ini"));
        EXPECT_EQ(config().LastModelNumber(), c.last) << "DEVICENUMBER=" << c.count;
        EXPECT_EQ(config().ListedModelNumbers(), c.listed) << "DEVICENUMBER=" << c.count;
    }
}

TEST_F(ModelEntries, OnlyKeysTheEntryReaderWouldFindCount) {
    Load("odd");
    // Read back as "DEVICENAME<n>": letter case does not matter, leading zeros, signs, other
    // names and numbers beyond 32 bits are other keys. 1001 lies beyond the walk's cap.
    ASSERT_TRUE(machine().WriteFile(
        "C:\\Pkg\\DRVCONFIG\\setup.ini",
        "[DEVICENAME]\r\nDEVICENUMBER=2147483647\r\nDEVICENAME2=A-ReceiptPrinter\r\n"
        "devicename9=B-ReceiptPrinter\r\nDEVICENAME03=C\r\nDEVICENAME+4=D\r\nDEVICENAME=E\r\n"
        "DEVICENAMEX=F\r\nDEVICENAME0=G\r\nDEVICENAME99999999999=H\r\n"
        "DEVICENAME1001=I-ReceiptPrinter\r\nDEVICENAME2=J-TicketPrinter\r\n"));
    EXPECT_EQ(config().ModelKeyNumbers(), (std::vector<int>{2, 9, 1001}));
    EXPECT_EQ(config().ListedModelNumbers(), (std::vector<int>{2, 9}));
    EXPECT_EQ(config().GetModelEntry(9).name, "B");
}

TEST_F(ModelEntries, AHugeCountWithMoreEntriesThanTheCapStaysQuick) {
    Load("odd");
    // More entries than the cap and a count at the 32-bit limit: the walk reads the key list
    // once, instead of two billion missing keys, and stops at the cap.
    std::string ini = "[DEVICENAME]\r\nDEVICENUMBER=2147483647\r\nDEFAULTNAME=999\r\n";
    for (int i = 1; i <= 1200; ++i)
        ini += "DEVICENAME" + std::to_string(i) + "=M" + std::to_string(i) + "-ReceiptPrinter\r\n";
    ASSERT_TRUE(machine().WriteFile("C:\\Pkg\\DRVCONFIG\\setup.ini", ini));
    const auto start = std::chrono::steady_clock::now();
    const std::vector<int> listed = config().ListedModelNumbers();
    // Going through 2^31 entries would take hours; a loaded sanitizer build takes seconds.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    ASSERT_EQ(listed.size(), 1000u);
    EXPECT_EQ(listed.back(), 1000);
    EXPECT_EQ(config().DefaultModel().name, "M999");
}

TEST_F(ModelEntries, TheKeyListingGrowsUntilItHoldsEveryName) {
    Load("odd");
    // 100 kB of other key names before the entry: more than the listing's first buffer.
    std::string ini = "[DEVICENAME]\r\nDEVICENUMBER=3\r\n";
    for (int i = 0; i < 100; ++i) ini += std::string(1000, 'K') + std::to_string(i) + "=1\r\n";
    ini += "DEVICENAME3=Q-1-TicketPrinter\r\n";
    ASSERT_TRUE(machine().WriteFile("C:\\Pkg\\DRVCONFIG\\setup.ini", ini));
    EXPECT_EQ(config().ListedModelNumbers(), (std::vector<int>{3}));
}

TEST_F(ModelEntries, DefaultNameBeyondTheCapNamesNoModel) {
    Load("odd");
    ASSERT_TRUE(machine().WriteFile("C:\\Pkg\\DRVCONFIG\\setup.ini",
                                    "[DEVICENAME]\r\nDEVICENUMBER=5000\r\nDEFAULTNAME=1001\r\n"
                                    "DEVICENAME1001=Z-1-ReceiptPrinter\r\n"));
    EXPECT_EQ(config().DefaultModel().series, -1);
}

TEST_F(ModelEntries, MissingSetupIniGivesTheDefaults) {
    Load("odd");
    ASSERT_TRUE(machine().RemoveFile("C:\\Pkg\\DRVCONFIG\\setup.ini"));
    EXPECT_EQ(config().ModelCount(), 0);
    EXPECT_EQ(config().GetModelEntry(1).series, -1);
    EXPECT_TRUE(config().ListedModelNumbers().empty());
    EXPECT_EQ(config().ProcessorVersion(), 0u);
}

TEST_F(ModelEntries, ProcessorVersionIsTheLeadingNumber) {
    Load("odd");
    EXPECT_EQ(config().ProcessorVersion(), 12u);
}

}  // namespace
}  // namespace setuptest
