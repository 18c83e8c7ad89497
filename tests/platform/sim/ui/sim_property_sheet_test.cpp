// The simulated property sheet: pages made when first shown, the notifications in comctl32's
// order, Apply following the pages' changes, OK and Cancel, the script's tab and apply
// actions and the dump.
#include "tests/platform/sim/ui/dialog_fixture.h"

#include <algorithm>

#include "platform/property_page.h"
#include "platform/property_sheet.h"
#include "platform/win_constants.h"

namespace {

using dialogtest::DialogTest;

// A page that writes its events into the sheet-wide log as "NAME EVENT". The General page's
// name edit and the Details page's check box report a change while they hold something.
class LoggingPage : public plat::PropertyPageLogic {
public:
    LoggingPage(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
    bool letGo = true;
    plat::ApplyResult applyResult = plat::ApplyResult::kAccepted;

    bool OnInitDialog(plat::DialogWindow&) override {
        Log("init");
        return true;
    }
    void OnShowWindow(plat::DialogWindow&, bool shown) override { Log(shown ? "show" : "hide"); }
    void OnSetActive(plat::DialogWindow&) override { Log("set active"); }
    bool OnKillActive(plat::DialogWindow&) override {
        Log("kill active");
        return letGo;
    }
    plat::ApplyResult OnApply(plat::DialogWindow&) override {
        Log("apply");
        return applyResult;
    }
    void OnReset(plat::DialogWindow&) override { Log("reset"); }
    bool OnCommand(plat::DialogWindow& w, int id, int code) override {
        bool holds = false;
        if (id == IDC_GENERAL_NAME && code == plat::kEditChange) holds = !w.GetItemText(id).empty();
        else if (id == IDC_DETAILS_ON) holds = w.IsButtonChecked(id);
        else return false;
        if (holds) MarkChanged(w);
        else MarkUnchanged(w);
        return true;
    }

private:
    void Log(const std::string& event) { log_.push_back(name_ + " " + event); }
    std::string name_;
    std::vector<std::string>& log_;
};

class SheetTest : public DialogTest {
protected:
    SheetTest() : general("General", log), details("Details", log), limits("Limits", log) {
        records = {plat::FillPropertySheetPage(plat::ThisModule(), IDD_SHEET_GENERAL, general),
                   plat::FillPropertySheetPage(plat::ThisModule(), IDD_SHEET_DETAILS, details),
                   plat::FillPropertySheetPage(plat::ThisModule(), IDD_SHEET_LIMITS, limits)};
    }
    int Run(const std::string& script, int startPage = 0) {
        auto p = Process(script);
        return p->dialogs().RunPropertySheet(u"Printer Settings", records, startPage);
    }
    std::vector<std::string> Shown() {
        std::vector<std::string> lines;
        for (const std::string& line : Transcript())
            if (line.find("program:   ") == 0 || line.find("program: shows property") == 0) lines.push_back(line);
        return lines;
    }
    bool Has(const std::string& line) {
        std::vector<std::string> all = Transcript();
        return std::find(all.begin(), all.end(), line) != all.end();
    }

    std::vector<std::string> log;
    LoggingPage general, details, limits;
    std::vector<plat::PROPSHEETPAGEW> records;
};

TEST_F(SheetTest, PagesAreMadeWhenFirstShownAndOkAppliesEveryPageMade) {
    EXPECT_EQ(Run("tab Details\nclick IDOK\n"), IDOK);
    EXPECT_EQ(log, (std::vector<std::string>{
                       "General init", "General set active", "General show",
                       // leaving General for Details
                       "General kill active", "Details init", "Details set active",
                       "Details show", "General hide",
                       // OK: the current page is left, then every page made stores
                       "Details kill active", "General apply", "Details apply"}));
    // Limits was never shown, so never made.
    EXPECT_TRUE(Has("program: opens window \"Printer Settings\""));
    EXPECT_TRUE(Has("program: chooses tab \"Details\" of \"Printer Settings\""));
    EXPECT_TRUE(Has("program: closes window \"Printer Settings\""));
}

TEST_F(SheetTest, APageThatRefusesToBeLeftKeepsTheUserAndTheSheetOpen) {
    general.letGo = false;
    EXPECT_EQ(Run("tab Details\nclick IDOK\nshow\nclick IDCANCEL\n"), IDCANCEL);
    EXPECT_EQ(log, (std::vector<std::string>{"General init", "General set active", "General show",
                                             "General kill active",  // the tab: refused
                                             "General kill active",  // OK: refused, nothing applied
                                             "General reset"}));
    EXPECT_TRUE(Has("program:   12320 tab control [*\"General\"*, \"Details\", \"Limits\"]"));
}

TEST_F(SheetTest, CancelResetsOnlyThePagesMade) {
    EXPECT_EQ(Run("tab Limits\nclose\n", 1), IDCANCEL);
    EXPECT_EQ(log, (std::vector<std::string>{
                       "Details init", "Details set active", "Details show",
                       "Details kill active", "Limits init", "Limits set active", "Limits show",
                       "Details hide", "Details reset", "Limits reset"}));
}

TEST_F(SheetTest, AStartPageOutOfRangeStartsOnTheFirst) {
    for (int start : {-1, 3}) {
        log.clear();
        EXPECT_EQ(Run("click IDCANCEL\n", start), IDCANCEL) << start;
        EXPECT_EQ(log.front(), "General init") << start;
    }
    log.clear();
    EXPECT_EQ(Run("click IDCANCEL\n", 2), IDCANCEL);
    EXPECT_EQ(log.front(), "Limits init");
}

TEST_F(SheetTest, ApplyIsEnabledWhileAPageHoldsChanges) {
    // General changes, Details changes, Details takes its change back: General still holds one.
    Run("show\ntype IDC_GENERAL_NAME x\ntab Details\nclick IDC_DETAILS_ON\nclick IDC_DETAILS_ON\n"
        "show\ntab General\ntype IDC_GENERAL_NAME \nshow\nclick IDCANCEL\n");
    std::vector<std::string> applyLines;
    for (const std::string& line : Transcript())
        if (line.find("12321 button") != std::string::npos) applyLines.push_back(line);
    EXPECT_EQ(applyLines, (std::vector<std::string>{"program:   12321 button \"&Apply\" disabled",
                                                    "program:   12321 button \"&Apply\"",
                                                    "program:   12321 button \"&Apply\" disabled"}));
}

TEST_F(SheetTest, ApplyStoresEveryPageReactivatesTheCurrentOneAndWaitsForTheNextChange) {
    EXPECT_EQ(Run("type IDC_GENERAL_NAME x\napply\nshow\ntype IDC_GENERAL_NAME y\napply\n"
                  "click IDCANCEL\n"),
              IDCANCEL);
    EXPECT_EQ(log, (std::vector<std::string>{"General init", "General set active", "General show",
                                             "General kill active", "General apply",
                                             "General set active",  // Apply leaves the sheet open
                                             "General kill active", "General apply",
                                             "General set active", "General reset"}));
    EXPECT_TRUE(Has("program:   12321 button \"&Apply\" disabled"));
    EXPECT_TRUE(Has("program: clicks 12321 \"&Apply\""));
}

TEST_F(SheetTest, ApplyWithoutChangesIsAScriptError) {
    EXPECT_EXIT(Run("apply\n"), ::testing::ExitedWithCode(3), "");
    EXPECT_TRUE(Has("program: script error: line 1: apply: the Apply button is disabled"));
}

struct RefusalCase {
    const char* name;
    plat::ApplyResult result;
    std::vector<std::string> afterOk;  // the log from the OK on
};

class SheetRefusalTest : public SheetTest, public testing::WithParamInterface<RefusalCase> {};

TEST_P(SheetRefusalTest, APageThatRefusesToStoreStopsOk) {
    general.applyResult = GetParam().result;
    EXPECT_EQ(Run("tab Details\nclick IDOK\nclick IDCANCEL\n"), IDCANCEL);
    std::vector<std::string> afterOk(log.begin() + 8, log.end());
    EXPECT_EQ(afterOk, GetParam().afterOk);
}

// PSNRET_INVALID shows the refusing page (without notifying it); PSNRET_INVALID_NOCHANGEPAGE
// leaves the current one. Either way Details is not asked to store, and the sheet stays open.
INSTANTIATE_TEST_SUITE_P(
    Refusals, SheetRefusalTest,
    testing::Values(RefusalCase{"Invalid", plat::ApplyResult::kRefused,
                                {"Details kill active", "General apply", "General show",
                                 "Details hide", "General reset", "Details reset"}},
                    RefusalCase{"InvalidStayingPut", plat::ApplyResult::kRefusedStayOnCurrent,
                                {"Details kill active", "General apply", "General reset",
                                 "Details reset"}}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

TEST_F(SheetTest, ShowListsTheTabsTheButtonsAndThePages) {
    Run("tab Limits\nshow\nclick IDCANCEL\n");
    EXPECT_EQ(Shown(), (std::vector<std::string>{
                           "program: shows property sheet \"Printer Settings\":",
                           "program:   12320 tab control [\"General\", \"Details\", *\"Limits\"*]",
                           "program:   1 IDOK default button \"OK\"",
                           "program:   2 IDCANCEL button \"Cancel\"",
                           "program:   12321 button \"&Apply\" disabled",
                           "program:   page IDD_SHEET_GENERAL (506) (hidden)",
                           "program:   page IDD_SHEET_LIMITS (508):",
                           "program:     2082 IDC_LIMIT_LEVEL trackbar \"\" at 0 of 0..100",
                           "program:     2083 IDC_LIMIT_SPIN up-down \"\" at 0 of 0..100"}));
}

TEST_F(SheetTest, TitledRecordsNameTheirTabs) {
    records[0].dwFlags |= plat::kPspUseTitle;
    records[0].pszTitle = u"Name";
    records[1].dwFlags |= plat::kPspUseTitle;
    records[1].pszTitle = reinterpret_cast<const char16_t*>(std::uintptr_t{IDS_SHEET_TITLE});
    records[2].pszTitle = u"Ignored without the flag";
    Run("tab Title from the table\nclick IDCANCEL\n");
    EXPECT_TRUE(Has("program: chooses tab \"Title from the table\" of \"Printer Settings\""));
}

TEST_F(SheetTest, ATabTheSheetLacksIsAScriptErrorNamingTheTabs) {
    EXPECT_EXIT(Run("tab Paper\n"), ::testing::ExitedWithCode(3), "");
    EXPECT_TRUE(Has("program: script error: line 1: tab Paper: the sheet has no tab Paper; it has "
                    "\"General\", \"Details\", \"Limits\""));
}

TEST_F(SheetTest, TheTabActionNeedsASheet) {
    auto run = [this] {
        auto p = Process("tab General\n");
        dialogtest::TestLogic frame;
        p->dialogs().RunModal(IDD_TEST_FRAME, frame);
    };
    EXPECT_EXIT(run(), ::testing::ExitedWithCode(3), "");
    EXPECT_TRUE(Has("program: script error: line 1: tab General: \"Test Frame\" is no property sheet"));
}

TEST_F(SheetTest, ASheetWithoutPagesOrWithAMissingTemplateIsNotShown) {
    auto p = Process("");
    EXPECT_EQ(p->dialogs().RunPropertySheet(u"Empty", {}, 0), -1);
    records[1] = plat::FillPropertySheetPage(plat::ThisModule(), 999, details);
    EXPECT_EQ(p->dialogs().RunPropertySheet(u"Broken", records, 0), -1);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(Has("program: opens window \"Broken\""));
}

TEST_F(SheetTest, ARecordMadeElsewhereShowsItsTemplateAndAnswersAsAPageThatHandlesNothing) {
    records[0].pfnDlgProc = nullptr;  // not FillPropertySheetPage's procedure: no logic here
    EXPECT_EQ(plat::PageOfRecord(records[0]).logic, nullptr);
    EXPECT_EQ(plat::PageOfRecord(records[0]).templateId, IDD_SHEET_GENERAL);
    EXPECT_EQ(Run("type IDC_GENERAL_NAME x\ntab Details\nclick IDOK\n"), IDOK);
    EXPECT_EQ(log, (std::vector<std::string>{"Details init", "Details set active", "Details show",
                                             "Details kill active", "Details apply"}));
}

}  // namespace
