// Property pages on the simulated desktop: the sheet's notifications reach the page's named
// events, their answers (refusals, apply results) come back as the notification's result, and
// the page tells its sheet about unapplied changes.
#include "tests/platform/sim/ui/dialog_fixture.h"

#include <optional>

#include "platform/property_page.h"
#include "platform/sim/ui/sim_dialog_window.h"
#include "platform/win_constants.h"

namespace {

using dialogtest::DialogTest;
using dialogtest::TestLogic;

// A page that records its events and answers as each test tells it.
class RecordingPage : public plat::PropertyPageLogic {
public:
    std::vector<std::string> events;
    bool letGo = true;
    plat::ApplyResult applyResult = plat::ApplyResult::kAccepted;

    void OnSetActive(plat::DialogWindow&) override { events.push_back("set active"); }
    bool OnKillActive(plat::DialogWindow&) override {
        events.push_back("kill active");
        return letGo;
    }
    plat::ApplyResult OnApply(plat::DialogWindow&) override {
        events.push_back("apply");
        return applyResult;
    }
    void OnReset(plat::DialogWindow&) override { events.push_back("reset"); }
    void OnControlNotify(plat::DialogWindow&, int id, int code) override {
        events.push_back("control " + std::to_string(id) + " " + std::to_string(code));
    }
    bool OnCommand(plat::DialogWindow& w, int id, int) override {
        // The page radio alters a setting; the page edit stands for a stored setting.
        if (id == IDC_PAGE_RADIO) MarkChanged(w);
        return true;
    }
    void Store(plat::DialogWindow& w) { MarkUnchanged(w); }
};

// Runs a frame holding one page of `page`; `during` acts on the page's window while the frame
// is open.
class PropertyPageTest : public DialogTest {
protected:
    void RunPage(RecordingPage& page, const std::function<void(sim::SimDialogWindow&)>& during) {
        auto p = Process("");
        TestLogic frame;
        std::unique_ptr<plat::DialogWindow> pageWindow;
        frame.init = [&](plat::DialogWindow& w) {
            pageWindow = w.CreateChildPage(IDD_TEST_PAGE, page, IDC_PLACEHOLDER);
            ASSERT_TRUE(pageWindow);
            during(static_cast<sim::SimDialogWindow&>(*pageWindow));
            w.EndDialog(IDOK);
        };
        p->dialogs().RunModal(IDD_TEST_FRAME, frame);
    }
};

struct NotifyCase {
    const char* name;
    int code;
    bool letGo;
    plat::ApplyResult applyResult;
    const char* event;
    std::optional<std::intptr_t> answer;  // none: the page gives no answer
};

class PropertyPageNotifyTest : public PropertyPageTest,
                               public testing::WithParamInterface<NotifyCase> {};

TEST_P(PropertyPageNotifyTest, ReachesItsEventAndAnswersTheSheet) {
    const NotifyCase& c = GetParam();
    RecordingPage page;
    page.letGo = c.letGo;
    page.applyResult = c.applyResult;
    std::optional<std::intptr_t> answer = -99;
    RunPage(page, [&](sim::SimDialogWindow& w) {
        page.OnNotify(w, 0, c.code);
        answer = w.notifyResult();
    });
    EXPECT_EQ(page.events, std::vector<std::string>{c.event});
    EXPECT_EQ(answer, c.answer);
}

// Answers as Windows reads them: PSN_SETACTIVE 0 accepts the activation, PSN_KILLACTIVE TRUE
// keeps the user on the page, PSN_APPLY gives PSNRET_NOERROR (0), PSNRET_INVALID (1) or
// PSNRET_INVALID_NOCHANGEPAGE (2).
INSTANTIATE_TEST_SUITE_P(
    SheetNotifications, PropertyPageNotifyTest,
    testing::Values(
        NotifyCase{"SetActive", -200, true, plat::ApplyResult::kAccepted, "set active", 0},
        NotifyCase{"KillActiveLetsGo", -201, true, plat::ApplyResult::kAccepted, "kill active", 0},
        NotifyCase{"KillActiveKeepsTheUser", -201, false, plat::ApplyResult::kAccepted,
                   "kill active", 1},
        NotifyCase{"ApplyAccepted", -202, true, plat::ApplyResult::kAccepted, "apply", 0},
        NotifyCase{"ApplyRefused", -202, true, plat::ApplyResult::kRefused, "apply", 1},
        NotifyCase{"ApplyRefusedStaying", -202, true, plat::ApplyResult::kRefusedStayOnCurrent,
                   "apply", 2},
        NotifyCase{"Reset", -203, true, plat::ApplyResult::kAccepted, "reset", 0},
        // The neighbours of the four codes (LVN_LAST, PSN_HASHELP) are no event of the page.
        NotifyCase{"ListViewCode", -199, true, plat::ApplyResult::kAccepted, "control 0 -199",
                   std::nullopt},
        NotifyCase{"OtherSheetCode", -204, true, plat::ApplyResult::kAccepted, "control 0 -204",
                   std::nullopt}),
    [](const testing::TestParamInfo<NotifyCase>& info) { return info.param.name; });

TEST_F(PropertyPageTest, AControlNotificationKeepsItsIdAndGivesNoAnswer) {
    RecordingPage page;
    std::optional<std::intptr_t> answer = -99;
    RunPage(page, [&](sim::SimDialogWindow& w) {
        page.OnNotify(w, IDC_PAGE_EDIT, -722);  // UDN_DELTAPOS of an up-down control
        answer = w.notifyResult();
    });
    EXPECT_EQ(page.events, std::vector<std::string>{"control 2071 -722"});
    EXPECT_EQ(answer, std::nullopt);
}

TEST_F(PropertyPageTest, ChangesAreReportedUntilStored) {
    RecordingPage page;
    std::vector<bool> seen;
    RunPage(page, [&](sim::SimDialogWindow& w) {
        seen.push_back(w.pageChanged());
        page.OnCommand(w, IDC_PAGE_RADIO, plat::kButtonClicked);
        seen.push_back(w.pageChanged());
        page.Store(w);
        seen.push_back(w.pageChanged());
    });
    EXPECT_EQ(seen, (std::vector<bool>{false, true, false}));
}

TEST_F(PropertyPageTest, ADialogThatIsNoPageCannotReportChanges) {
    auto run = [this] {
        auto p = Process("");
        TestLogic frame;
        frame.init = [](plat::DialogWindow& w) { w.SetPageChanged(true); };
        p->dialogs().RunModal(IDD_TEST_FRAME, frame);
    };
    EXPECT_EXIT(run(), ::testing::ExitedWithCode(3), "SetPageChanged on .* which is not a page");
}

}  // namespace
