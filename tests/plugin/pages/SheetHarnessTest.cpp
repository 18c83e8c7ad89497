// The page harness itself: the plug-in's sheets come up on the simulated machine with their
// pages' tabs in table order, the Version page shows its texts, and OK, Cancel and Apply behave
// as on a property sheet.
#include "tests/plugin/pages/SheetHarness.h"

#include "platform/win_constants.h"

namespace {

using pagetest::SheetHarness;
using pagetest::SheetRun;

using SheetHarnessTest = SheetHarness;

constexpr int kVersionTab = 5;  // the document sheet's last page

TEST_F(SheetHarnessTest, TheDocumentSheetShowsItsSixTabsAndTheVersionPage) {
    SheetRun run = RunDocumentSheet("tab Version\nshow\nclick IDOK\n");
    EXPECT_EQ(run.result, IDOK);
    EXPECT_TRUE(run.Has("program: opens window \"VTX-80R Printing Preferences\""));
    EXPECT_TRUE(run.Has("program:   12320 tab control [\"Main\", \"Water Mark\", \"Operation\", "
                        "\"1D Code\", \"2D Code\", *\"Version\"*]"));
    EXPECT_TRUE(run.Has("program:   page 105:"));
    EXPECT_TRUE(run.Has("program:     -1 group box \"ZK450i Printer Driver\""));
    EXPECT_TRUE(run.Has("program:     -1 static \"Setup_ZK450i_EN V1.01\""));
    EXPECT_TRUE(run.Has("program:     -1 static \"Install Version 1.01\""));
    EXPECT_TRUE(run.Has("program: closes window \"VTX-80R Printing Preferences\""));
    EXPECT_EQ(pageRecords().size(), 6u);
}

TEST_F(SheetHarnessTest, TheDeviceSheetShowsItsFourTabsFromTheGivenStartPage) {
    SheetRun run = RunDeviceSheet("show\nclose\n", 3);
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_TRUE(run.Has("program: shows property sheet \"VTX-80R Properties\":"));
    EXPECT_TRUE(run.Has("program:   12320 tab control [\"Utility\", \"Download\", \"Font\", "
                        "*\"Version\"*]"));
    // Only the start page was made.
    EXPECT_EQ(run.LinesWith("program:   page ").size(), 1u);
}

TEST_F(SheetHarnessTest, TheVersionPageStoresNothingAndReportsNoResult) {
    const plugin::OemDevmode before = devmode();
    SheetRun run = RunDocumentSheet("click IDOK\n", kVersionTab);
    EXPECT_EQ(run.result, IDOK);
    EXPECT_TRUE(setResults().empty());
    EXPECT_TRUE(updateCalls().empty());
    EXPECT_EQ(std::memcmp(&before, &devmode(), sizeof before), 0);
    EXPECT_TRUE(jobs().empty());
}

TEST_F(SheetHarnessTest, ApplyWaitsForAChange) {
    EXPECT_EXIT(RunDocumentSheet("apply\n", kVersionTab), ::testing::ExitedWithCode(3), "");
    EXPECT_TRUE(TranscriptHas("program: script error: line 1: apply: the Apply button is disabled"));
}

TEST_F(SheetHarnessTest, TheSheetStartsFromThePluginsDefaultsAndTheDriversPaperItem) {
    EXPECT_EQ(devmode().dwSize, 1464u);
    EXPECT_EQ(formItem().DMPubID, DMPUB_FORMNAME);
    ASSERT_EQ(formItem().pOptType->Count, 3);
    EXPECT_EQ(std::u16string(formItem().pOptType->pOptParam[2].pData), u"Custom Paper-ZK450i");
    SetFormNames({u"A4"}, 0);
    EXPECT_EQ(formItem().pOptType->Count, 1);
    EXPECT_EQ(std::u16string(formItem().pOptType->pOptParam[0].pData), u"A4");
}

}  // namespace
