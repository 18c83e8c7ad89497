// The "Utility" page on the device sheet: the model's form made once, sizes brought into their
// limits on saving, saving an existing name, deleting and the selection after it, forms whose
// name holds the prefix further in, the self-test job, the failure messages and the result.
#include "tests/plugin/pages/SheetHarness.h"

#include <optional>

#include "platform/sim/state/faults.h"
#include "platform/win_constants.h"

namespace {

using pagetest::SheetHarness;
using pagetest::SheetRun;

class UtilityPageTest : public SheetHarness {
protected:
    sim::PrintProvider provider() { return sim::PrintProvider(machine()); }
    std::optional<sim::SimForm> Form(const std::string& name) {
        for (const sim::SimForm& f : provider().Forms())
            if (f.name == name) return f;
        return std::nullopt;
    }
    int CountForms(const std::string& name) {
        int n = 0;
        for (const sim::SimForm& f : provider().Forms()) n += f.name == name;
        return n;
    }
    void AddUserForm(const std::string& name, std::int32_t cx, std::int32_t cy) {
        ASSERT_EQ(provider().AddForm({name, FORM_USER, cx, cy, 0, 0, cx, cy}), 0u) << name;
    }
    void Fail(const char* call, std::uint32_t error) {
        std::string message;
        ASSERT_TRUE(sim::AddFault(machine(), {call, error, 0, {}}, message)) << message;
    }
    // The line `show` prints for a control of the page.
    static std::string Control(const std::string& rest) { return "program:     " + rest; }
};

constexpr const char* kFormsList = "1094 IDC_UTILITY_FORMS list box \"\" ";

TEST_F(UtilityPageTest, TheFirstShowingMakesTheModelsFormOnceAndShowsIt) {
    SheetRun run = RunDeviceSheet("show\nclick IDOK\n");
    EXPECT_EQ(run.result, IDOK);
    const auto model = Form("Custom Paper-ZK450i");
    ASSERT_TRUE(model);
    EXPECT_EQ(model->flags, static_cast<std::uint32_t>(FORM_USER));
    EXPECT_EQ(model->cx, 72000);   // 72 mm
    EXPECT_EQ(model->cy, 297000);  // 297 mm
    EXPECT_EQ(model->right, 72000);
    EXPECT_EQ(model->bottom, 297000);
    EXPECT_TRUE(run.Has(Control(std::string(kFormsList) + "[\"Custom Paper-ZK450i\"] selected #0")));
    EXPECT_TRUE(run.Has(Control("1052 IDC_UTILITY_FORM_NAME edit \"ZK450i\"")));
    EXPECT_TRUE(run.Has(Control("1047 IDC_UTILITY_WIDTH edit \"720\"")));
    EXPECT_TRUE(run.Has(Control("1048 IDC_UTILITY_HEIGHT edit \"2970\"")));
    EXPECT_TRUE(run.Has(Control("1053 IDC_UTILITY_WIDTH_UPDOWN up-down \"\" at 720 of 410..720")));
    EXPECT_TRUE(run.Has(Control("1054 IDC_UTILITY_HEIGHT_UPDOWN up-down \"\" at 2970 of 254..32760")));
    EXPECT_TRUE(run.Has(Control("1057 IDC_UTILITY_WIDTH_HINT static \"[ 410 - 720 (0.1mm) ]\"")));
    EXPECT_TRUE(run.Has(Control("1058 IDC_UTILITY_HEIGHT_HINT static \"[ 254 - 32760 (0.1mm) ]\"")));
    // The model's form cannot be deleted; the font table's entry is not offered yet.
    EXPECT_TRUE(run.Has(Control("1049 IDC_UTILITY_DELETE button \"Delete Paper Size\" disabled")));
    EXPECT_TRUE(run.Has(Control("1045 IDC_UTILITY_CONTROL_FONT button \"Control Font\" hidden")));

    RunDeviceSheet("click IDOK\n");
    EXPECT_EQ(CountForms("Custom Paper-ZK450i"), 1);
    // The forms are changed at once, never by Apply: the page reports no change to the sheet
    // and answers Apply with the device sheet's last page.
    ASSERT_EQ(setResults().size(), 2u);
    EXPECT_EQ(setResults()[1].sheet, sheetHandle());
    EXPECT_EQ(setResults()[1].handle, reinterpret_cast<plugin::com::HANDLE>(1004));  // the 4th page added
    EXPECT_EQ(setResults()[1].result, CPSUI_OK);
    EXPECT_TRUE(updateCalls().empty());
}

// Sizes typed in 0.1 mm are brought into 410..720 and 254..32760 by an unsigned comparison, so
// a negative entry becomes the largest size; a corrected value is shown in its edit.
TEST_F(UtilityPageTest, SavingBringsEachSizeIntoItsLimitAndShowsTheCorrection) {
    struct Case {
        const char* width;
        const char* height;
        const char* shownWidth;   // the edit after saving
        const char* shownHeight;
        std::int32_t cx, cy;      // the model's form after saving
    };
    const Case cases[] = {
        {"400", "1000", "410", "1000", 41000, 100000},
        {"409", "253", "410", "254", 41000, 25400},
        {"410", "254", "410", "254", 41000, 25400},
        {"720", "32760", "720", "32760", 72000, 3276000},
        {"721", "32761", "720", "32760", 72000, 3276000},
        {"800", "-5", "720", "32760", 72000, 3276000},
        {"", "", "410", "254", 41000, 25400},
        {"-1", "0", "720", "254", 72000, 25400},
        {"580", "1200", "580", "1200", 58000, 120000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.width) + " x " + c.height);
        SheetRun run = RunDeviceSheet(std::string("type 1047 ") + c.width + "\ntype 1048 " + c.height +
                                      "\nclick 1046\nshow\nclick IDOK\n");
        EXPECT_TRUE(run.Has(Control(std::string("1047 IDC_UTILITY_WIDTH edit \"") + c.shownWidth + "\"")));
        EXPECT_TRUE(run.Has(Control(std::string("1048 IDC_UTILITY_HEIGHT edit \"") + c.shownHeight + "\"")));
        const auto model = Form("Custom Paper-ZK450i");
        ASSERT_TRUE(model);
        EXPECT_EQ(model->cx, c.cx);
        EXPECT_EQ(model->cy, c.cy);
        EXPECT_EQ(model->right, c.cx);
        EXPECT_EQ(model->bottom, c.cy);
        EXPECT_TRUE(run.Has("program:   12321 button \"&Apply\" disabled"));
        EXPECT_TRUE(run.LinesWith("message box").empty());
    }
    EXPECT_EQ(CountForms("Custom Paper-ZK450i"), 1);
}

TEST_F(UtilityPageTest, ANewNameAddsAFormAndSelectsItAndSavingItAgainOnlyResizesIt) {
    SheetRun first = RunDeviceSheet("type 1052 58mm\ntype 1047 580\ntype 1048 1000\nclick 1046\nshow\nclick IDOK\n");
    EXPECT_TRUE(first.Has(Control(std::string(kFormsList) +
                                  "[\"Custom Paper-ZK450i\", \"Custom Paper-58mm\"] selected #1")));
    EXPECT_TRUE(first.Has(Control("1049 IDC_UTILITY_DELETE button \"Delete Paper Size\"")));
    auto added = Form("Custom Paper-58mm");
    ASSERT_TRUE(added);
    EXPECT_EQ(added->cx, 58000);
    EXPECT_EQ(added->cy, 100000);

    SheetRun second = RunDeviceSheet("choose 1094 Custom Paper-58mm\nshow\ntype 1047 600\nclick 1046\nshow\nclick IDOK\n");
    // Choosing it showed its size; saving it added no entry and no form.
    EXPECT_TRUE(second.Has(Control("1047 IDC_UTILITY_WIDTH edit \"580\"")));
    EXPECT_TRUE(second.Has(Control("1048 IDC_UTILITY_HEIGHT edit \"1000\"")));
    EXPECT_TRUE(second.Has(Control(std::string(kFormsList) +
                                   "[\"Custom Paper-ZK450i\", \"Custom Paper-58mm\"] selected #1")));
    EXPECT_EQ(CountForms("Custom Paper-58mm"), 1);
    added = Form("Custom Paper-58mm");
    ASSERT_TRUE(added);
    EXPECT_EQ(added->cx, 60000);
    EXPECT_EQ(added->cy, 100000);
    EXPECT_EQ(Form("Custom Paper-ZK450i")->cx, 72000);
}

TEST_F(UtilityPageTest, DeletingKeepsTheIndexOrStepsBackFromTheLastEntry) {
    AddUserForm("Custom Paper-A", 41000, 25400);
    AddUserForm("Custom Paper-B", 58000, 30000);
    AddUserForm("Custom Paper-C", 60000, 40000);
    // Deleting the middle entry selects the one that took its place; deleting the last one
    // selects the one before it and shows that form.
    SheetRun run = RunDeviceSheet("choose 1094 Custom Paper-B\nclick 1049\nshow\n"
                                  "choose 1094 Custom Paper-C\nclick 1049\nshow\nclick IDOK\n");
    EXPECT_TRUE(run.Has(Control(std::string(kFormsList) +
                                "[\"Custom Paper-ZK450i\", \"Custom Paper-A\", \"Custom Paper-C\"] selected #2")));
    EXPECT_TRUE(run.Has(Control(std::string(kFormsList) +
                                "[\"Custom Paper-ZK450i\", \"Custom Paper-A\"] selected #1")));
    EXPECT_TRUE(run.Has(Control("1052 IDC_UTILITY_FORM_NAME edit \"A\"")));
    EXPECT_TRUE(run.Has(Control("1047 IDC_UTILITY_WIDTH edit \"410\"")));
    EXPECT_TRUE(run.Has(Control("1048 IDC_UTILITY_HEIGHT edit \"254\"")));
    EXPECT_FALSE(Form("Custom Paper-B"));
    EXPECT_FALSE(Form("Custom Paper-C"));
    EXPECT_TRUE(Form("Custom Paper-A"));
    // The model's form is never offered for deletion.
    EXPECT_EXIT(RunDeviceSheet("click 1049\n"), ::testing::ExitedWithCode(3), "");
}

// A form belongs to the page when "Custom Paper-" stands anywhere in its name; the name edit
// shows it from its 14th character on, and only that text names it when saving.
TEST_F(UtilityPageTest, APrefixFurtherInListsTheFormAndItsFourteenthCharacterOnNamesIt) {
    AddUserForm("My Custom Paper-X", 50000, 50000);  // 14th character on: "er-X"
    AddUserForm("Other", 60000, 60000);
    SheetRun run = RunDeviceSheet("choose 1094 My Custom Paper-X\nshow\n"
                                  "type 1047 600\nclick 1046\n"
                                  "type 1052 X\ntype 1047 700\nclick 1046\nshow\nclick IDOK\n");
    EXPECT_TRUE(run.Has(Control("1052 IDC_UTILITY_FORM_NAME edit \"er-X\"")));
    EXPECT_TRUE(run.Has(Control("1049 IDC_UTILITY_DELETE button \"Delete Paper Size\"")));
    // "er-X" resized the listed form; "X" matched nothing and made "Custom Paper-X".
    EXPECT_EQ(Form("My Custom Paper-X")->cx, 60000);
    ASSERT_TRUE(Form("Custom Paper-X"));
    EXPECT_EQ(Form("Custom Paper-X")->cx, 70000);
    EXPECT_TRUE(run.Has(Control(std::string(kFormsList) +
                                "[\"Custom Paper-ZK450i\", \"My Custom Paper-X\", \"Custom Paper-X\"] selected #2")));
    EXPECT_EQ(Form("Other")->cx, 60000);
}

TEST_F(UtilityPageTest, SelfTestSendsItsThreeWritesAsOneRawJob) {
    RunDeviceSheet("click 1036\nclick IDOK\n");
    const std::vector<sim::SimJob> sent = jobs();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].document, "SELFTEST");
    EXPECT_EQ(sent[0].dataType, "RAW");
    EXPECT_EQ(sent[0].printer, "VTX-80R");
    EXPECT_TRUE(sent[0].completed);
    EXPECT_EQ(jobData(sent[0].id), (std::vector<std::uint8_t>{0x1B, 0x63, 0x3B, 0x01,
                                                              0x1D, 0x28, 0x41, 0x02, 0x00, 0x00, 0x02,
                                                              0x1B, 0x63, 0x3B, 0x00}));
}

TEST_F(UtilityPageTest, AFailingSelfTestEndsTheJobWithoutAMessage) {
    Fail("WritePrinter", 1167);
    SheetRun run = RunDeviceSheet("click 1036\nclick IDOK\n");
    ASSERT_EQ(jobs().size(), 1u);
    EXPECT_TRUE(jobs()[0].completed);  // ended, not left open
    EXPECT_TRUE(run.LinesWith("message box").empty());
}

TEST_F(UtilityPageTest, WithoutTheModelsFormThePageStaysUnfilledAndSilent) {
    Fail("AddFormW", 5);
    SheetRun run = RunDeviceSheet("show\nclick IDOK\n");
    EXPECT_TRUE(run.Has(Control(std::string(kFormsList) + "[] no selection")));
    EXPECT_TRUE(run.Has(Control("1057 IDC_UTILITY_WIDTH_HINT static \"\"")));
    EXPECT_TRUE(run.LinesWith("message box").empty());
    EXPECT_FALSE(Form("Custom Paper-ZK450i"));
}

TEST_F(UtilityPageTest, RefusedSavesAreReportedAndLeaveTheListAlone) {
    RunDeviceSheet("click IDOK\n");  // the model's form exists from here on
    Fail("SetFormW", 5);
    Fail("AddFormW", 5);
    SheetRun run = RunDeviceSheet("type 1047 600\nclick 1046\ntype 1052 New\nclick 1046\nshow\nclick IDOK\n");
    EXPECT_EQ(run.LinesWith("message box \"Custom Paper Size\" [error icon, OK] "
                            "\"Set custom paper size failed!\"").size(), 1u);
    EXPECT_EQ(run.LinesWith("message box \"Custom Paper Size\" [error icon, OK] "
                            "\"Set Custom Paper failed!\"").size(), 1u);
    EXPECT_TRUE(run.Has(Control(std::string(kFormsList) + "[\"Custom Paper-ZK450i\"] selected #0")));
    EXPECT_EQ(Form("Custom Paper-ZK450i")->cx, 72000);
    EXPECT_FALSE(Form("Custom Paper-New"));
}

// A form the spooler refuses to delete stays listed and the user hears of it; a form another
// program deleted meanwhile just leaves the list.
TEST_F(UtilityPageTest, ARefusedDeletionKeepsTheEntryAndAFormAlreadyGoneLeavesIt) {
    AddUserForm("Custom Paper-A", 41000, 25400);
    AddUserForm("Custom Paper-B", 41000, 25400);
    std::string message;
    ASSERT_TRUE(sim::AddFault(machine(), {"DeleteFormW", ERROR_ACCESS_DENIED, 1, "Custom Paper-A"}, message));
    SheetRun refused = RunDeviceSheet("choose 1094 Custom Paper-A\nclick 1049\nshow\nclick IDOK\n");
    EXPECT_EQ(refused.LinesWith("message box \"Custom Paper Size\" [error icon, OK] "
                                "\"Delete custom paper size failed!\"").size(), 1u);
    EXPECT_TRUE(refused.Has(Control(std::string(kFormsList) +
                                    "[\"Custom Paper-ZK450i\", \"Custom Paper-A\", \"Custom Paper-B\"] selected #1")));
    EXPECT_TRUE(Form("Custom Paper-A"));

    // B is listed when the sheet opens and deleted by someone else before the button is pressed:
    // the fault makes the spooler answer as for a form that no longer exists.
    ASSERT_TRUE(sim::AddFault(machine(), {"DeleteFormW", ERROR_INVALID_FORM_NAME, 1, "Custom Paper-B"}, message));
    SheetRun gone = RunDeviceSheet("choose 1094 Custom Paper-B\nclick 1049\nshow\nclick IDOK\n");
    EXPECT_TRUE(gone.LinesWith("message box").empty());
    EXPECT_TRUE(gone.Has(Control(std::string(kFormsList) +
                                 "[\"Custom Paper-ZK450i\", \"Custom Paper-A\"] selected #1")));
}

}  // namespace
