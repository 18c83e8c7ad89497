// The simulated dialogs as their logic sees them: the controls a template makes, the order of
// the events, modal children, child pages, timers on the machine's clock, fonts, message boxes
// and the desktop window that other processes find.
#include "tests/platform/sim/ui/dialog_fixture.h"

#include "platform/win_constants.h"

namespace {

using dialogtest::DialogTest;
using dialogtest::TestLogic;

TEST_F(DialogTest, AMissingTemplateGivesMinusOne) {
    auto p = Process("");
    TestLogic logic;
    EXPECT_EQ(p->dialogs().RunModal(999, logic), -1);
    EXPECT_TRUE(logic.events.empty());
}

TEST_F(DialogTest, ControlsStartWithTheTemplatesTextsAndStyles) {
    auto p = Process("click IDOK\n");
    TestLogic logic;
    logic.init = [](plat::DialogWindow& w) {
        EXPECT_EQ(w.GetTitle(), "Test Frame");
        EXPECT_EQ(w.GetItemText(IDC_BACK), "< &Back");
        EXPECT_FALSE(w.IsItemEnabled(IDC_BACK));
        EXPECT_TRUE(w.IsItemEnabled(IDOK));
        EXPECT_FALSE(w.IsItemVisible(IDC_PLACEHOLDER));
        EXPECT_FALSE(w.IsItemVisible(IDC_HIDDEN));
        EXPECT_TRUE(w.IsItemVisible(IDC_HINT));
        EXPECT_FALSE(w.IsButtonChecked(IDC_RADIO_A));
        EXPECT_EQ(w.ListCount(IDC_LIST), 0);
        EXPECT_EQ(w.GetListSelection(IDC_LIST), -1);
        EXPECT_FALSE(w.IsShown());
    };
    EXPECT_EQ(p->dialogs().RunModal(IDD_TEST_FRAME, logic), IDOK);
    EXPECT_EQ(logic.events, (std::vector<std::string>{"init", "show", "command 1 0", "destroy"}));
    EXPECT_TRUE(TranscriptHas("program: opens window \"Test Frame\""));
    EXPECT_TRUE(TranscriptHas("program: closes window \"Test Frame\""));
}

TEST_F(DialogTest, ADialogEndedWhileItInitialisesIsNeverShown) {
    auto p = Process("");
    TestLogic logic;
    logic.init = [](plat::DialogWindow& w) { w.EndDialog(42); };
    EXPECT_EQ(p->dialogs().RunModal(IDD_TEST_FRAME, logic), 42);
    EXPECT_EQ(logic.events, (std::vector<std::string>{"init", "destroy"}));
}

TEST_F(DialogTest, OtherProcessesFindTheDialogByItsTitleWhichFollowsSetTitle) {
    auto p = Process("click IDOK\n");
    auto other = Process("");
    TestLogic logic;
    plat::WindowRef seen = 0, renamed = 0, old = 1;
    logic.init = [&](plat::DialogWindow& w) {
        seen = other->desktop().FindWindowA(nullptr, "Test Frame");
        EXPECT_EQ(seen, w.Ref());
        w.SetTitle("Printer Driver Setup");
        renamed = other->desktop().FindWindowA(nullptr, "Printer Driver Setup");
        old = other->desktop().FindWindowA(nullptr, "Test Frame");
    };
    p->dialogs().RunModal(IDD_TEST_FRAME, logic);
    EXPECT_NE(seen, 0u);
    EXPECT_EQ(renamed, seen);
    EXPECT_EQ(old, 0u);
    EXPECT_EQ(other->desktop().FindWindowA(nullptr, "Printer Driver Setup"), 0u);
}

// BM_SETCHECK sets one button; only a click on an auto radio button unchecks its group.
TEST_F(DialogTest, CheckButtonLeavesTheRestOfTheGroupAlone) {
    auto p = Process("click IDOK\n");
    TestLogic logic;
    logic.init = [](plat::DialogWindow& w) {
        w.CheckButton(IDC_RADIO_A, true);
        w.CheckButton(IDC_RADIO_B, true);
        EXPECT_TRUE(w.IsButtonChecked(IDC_RADIO_A));
        EXPECT_TRUE(w.IsButtonChecked(IDC_RADIO_B));
    };
    p->dialogs().RunModal(IDD_TEST_FRAME, logic);
}

TEST_F(DialogTest, SortedListsInsertInOrderAndKeepTheSelectedEntry) {
    auto p = Process("click IDOK\n");
    TestLogic logic;
    logic.init = [](plat::DialogWindow& w) {
        EXPECT_EQ(w.AddListItem(IDC_SORTED, "Mango"), 0);
        w.SetListSelection(IDC_SORTED, 0);
        EXPECT_EQ(w.AddListItem(IDC_SORTED, "apple"), 0);
        EXPECT_EQ(w.AddListItem(IDC_SORTED, "Zucchini"), 2);
        EXPECT_EQ(w.GetListSelection(IDC_SORTED), 1);
        EXPECT_EQ(w.GetItemText(IDC_SORTED), "Mango");
        // An unsorted list appends.
        EXPECT_EQ(w.AddListItem(IDC_LIST, "b"), 0);
        EXPECT_EQ(w.AddListItem(IDC_LIST, "a"), 1);
        EXPECT_EQ(w.ListItemText(IDC_LIST, 1), "a");
        w.SetListSelection(IDC_LIST, 5);
        EXPECT_EQ(w.GetListSelection(IDC_LIST), -1);
        w.ResetList(IDC_SORTED);
        EXPECT_EQ(w.ListCount(IDC_SORTED), 0);
        EXPECT_EQ(w.GetListSelection(IDC_SORTED), -1);
    };
    p->dialogs().RunModal(IDD_TEST_FRAME, logic);
}

TEST_F(DialogTest, ProgressBarsKeepTheirPositionInsideTheRange) {
    auto p = Process("click IDOK\n");
    TestLogic child, frame;
    child.init = [](plat::DialogWindow& w) {
        w.SetRange(IDC_PROGRESS, 0, 100);
        w.SetPosition(IDC_PROGRESS, 140);
        EXPECT_EQ(w.GetPosition(IDC_PROGRESS), 100);
        w.SetPosition(IDC_PROGRESS, -3);
        EXPECT_EQ(w.GetPosition(IDC_PROGRESS), 0);
        w.SetPosition(IDC_PROGRESS, 99);
        EXPECT_EQ(w.GetPosition(IDC_PROGRESS), 99);
    };
    EXPECT_EQ(p->dialogs().RunModal(IDD_TEST_CHILD, child), IDOK);
}

// UDM_SETPOS with UDS_SETBUDDYINT shows the position, kept inside the range, in the buddy edit.
TEST_F(DialogTest, AnUpDownControlWritesItsPositionIntoItsBuddyOnlyWithSetBuddyInt) {
    auto p = Process("click IDOK\n");
    TestLogic logic;
    logic.init = [](plat::DialogWindow& w) {
        w.SetItemText(IDC_SPIN_EDIT, "9");
        w.SetRange(IDC_SPIN, 2, 6);
        EXPECT_EQ(w.GetItemText(IDC_SPIN_EDIT), "9");  // a new range alone leaves the text
        w.SetPosition(IDC_SPIN, 9);
        EXPECT_EQ(w.GetItemText(IDC_SPIN_EDIT), "6");
        w.SetPosition(IDC_SPIN, 3);
        EXPECT_EQ(w.GetItemTextW(IDC_SPIN_EDIT), u"3");
        w.SetItemText(IDC_PLAIN_SPIN_EDIT, "x");
        w.SetPosition(IDC_PLAIN_SPIN, 40);
        EXPECT_EQ(w.GetItemText(IDC_PLAIN_SPIN_EDIT), "x");
        EXPECT_EQ(w.GetPosition(IDC_PLAIN_SPIN), 40);
    };
    EXPECT_EQ(p->dialogs().RunModal(IDD_TEST_SPIN, logic), IDOK);
}

// Timers fire in the order they fall due on the process's clock, which a handler's sleep moves
// on like any other time.
TEST_F(DialogTest, TimersFireInTheOrderOfTheirDueTimeOnTheMachinesClock) {
    auto p = Process("");
    TestLogic logic;
    std::vector<std::uint32_t> at;
    std::uint32_t start = 0;
    int fires = 0;
    logic.init = [&](plat::DialogWindow& w) {
        start = p->system().GetTickCount();
        w.SetTimer(1, 100);
        w.SetTimer(2, 30);
    };
    logic.timer = [&](plat::DialogWindow& w, int id) {
        at.push_back(p->system().GetTickCount() - start);
        if (id == 1 && ++fires == 2) w.EndDialog(7);
        if (id == 2 && at.size() == 5) p->system().Sleep(500);  // a handler that takes its time
    };
    EXPECT_EQ(p->dialogs().RunModal(IDD_TEST_TIMED, logic), 7);
    std::vector<std::string> order(logic.events.begin() + 2, logic.events.end() - 1);
    // Timer 2 at 30, 60, 90 and 120 (where its handler sleeps until 620), timer 1 at 100; at 620
    // both are overdue and fire once each, timer 2 (due at 150) before timer 1 (due at 200).
    EXPECT_EQ(order, (std::vector<std::string>{"timer 2", "timer 2", "timer 2", "timer 1", "timer 2",
                                               "timer 2", "timer 1"}));
    ASSERT_EQ(at.size(), 7u);
    EXPECT_GE(at[0], 30u);
    EXPECT_GE(at[3], 100u);
    EXPECT_LT(at[3], 120u);
    EXPECT_GE(at[6], 620u);
}

TEST_F(DialogTest, KilledTimersStopFiring) {
    auto p = Process("");
    TestLogic logic;
    logic.init = [](plat::DialogWindow& w) {
        w.SetTimer(1, 10);
        w.SetTimer(2, 50);
    };
    logic.timer = [](plat::DialogWindow& w, int id) {
        if (id == 1) w.KillTimer(1);
        else w.EndDialog(IDOK);
    };
    p->dialogs().RunModal(IDD_TEST_TIMED, logic);
    EXPECT_EQ(logic.events, (std::vector<std::string>{"init", "show", "timer 1", "timer 2", "destroy"}));
}

TEST_F(DialogTest, AModalChildRunsInsideItsOwnerAndHasItsOwnWindow) {
    auto p = Process("click IDOK\nexpect-title Child\nclick IDOK\nclose\n");
    TestLogic frame, child;
    int childResult = 0;
    frame.command = [&](plat::DialogWindow& w, int id, int) {
        if (id != IDOK) return false;
        childResult = w.RunModalChild(IDD_TEST_CHILD, child);
        return true;
    };
    EXPECT_EQ(p->dialogs().RunModal(IDD_TEST_FRAME, frame), IDCANCEL);
    EXPECT_EQ(childResult, IDOK);
    EXPECT_EQ(child.events, (std::vector<std::string>{"init", "show", "command 1 0", "destroy"}));
    std::vector<std::string> t = Transcript();
    auto opens = std::find(t.begin(), t.end(), "program: opens window \"Child\"");
    auto closes = std::find(t.begin(), t.end(), "program: closes window \"Child\"");
    auto frameCloses = std::find(t.begin(), t.end(), "program: closes window \"Test Frame\"");
    EXPECT_LT(opens, closes);
    EXPECT_LT(closes, frameCloses);
}

TEST_F(DialogTest, AChildPageStartsHiddenAtThePlaceholderAndShowsWhenTold) {
    auto p = Process("click IDOK\nclick IDC_PAGE_RADIO\nclose\n");
    TestLogic frame, page;
    std::unique_ptr<plat::DialogWindow> pageWindow;
    frame.init = [&](plat::DialogWindow& w) {
        pageWindow = w.CreateChildPage(IDD_TEST_PAGE, page, IDC_PLACEHOLDER);
        ASSERT_TRUE(pageWindow);
        EXPECT_FALSE(pageWindow->IsShown());
        EXPECT_EQ(w.CreateChildPage(999, page, IDC_PLACEHOLDER), nullptr);
    };
    frame.command = [&](plat::DialogWindow&, int id, int) {
        if (id == IDOK) pageWindow->Show(true);
        return id == IDOK;
    };
    p->dialogs().RunModal(IDD_TEST_FRAME, frame);
    EXPECT_EQ(page.events, (std::vector<std::string>{"init", "show", "command 2070 0", "destroy"}));
    EXPECT_TRUE(TranscriptHas("program: shows page IDD_TEST_PAGE (501)"));
    pageWindow.reset();  // after its parent: nothing more happens
    EXPECT_EQ(page.events.back(), "destroy");
}

TEST_F(DialogTest, FontsAreRecordedPerControlAndShownInTheDump) {
    auto p = Process("show\nclick IDOK\n");
    TestLogic logic;
    logic.init = [](plat::DialogWindow& w) {
        plat::FontSpec gb;
        gb.height = 13;
        gb.charSet = 134;
        gb.face = "\xCB\xCE\xCC\xE5";  // 宋体 in code page 936
        plat::FontSpec bold;
        bold.height = 20;
        bold.weight = plat::kFontWeightBold;
        bold.face = "System";
        w.SetFontAll(bold);
        w.SetItemFont(IDC_HINT, gb);
    };
    sim::MachineSettings s = m.machine().settings();
    s.codePage = 936;
    std::string error;
    ASSERT_TRUE(m.machine().SaveSettings(s, error));
    auto chinese = Process("show\nclick IDOK\n");
    chinese->dialogs().RunModal(IDD_TEST_FRAME, logic);
    std::vector<std::string> t = Transcript();
    bool hint = false, back = false;
    for (const std::string& line : t) {
        hint = hint || line.find("2003 IDC_HINT static \"Press F1 for help\" font \"宋体\" 13 charset 134") != std::string::npos;
        back = back || line.find("2002 IDC_BACK button \"< &Back\" disabled font \"System\" 20 charset 0") != std::string::npos;
    }
    EXPECT_TRUE(hint);
    EXPECT_TRUE(back);
}

TEST_F(DialogTest, MessageBoxesOwnedByADialogGoThroughTheDesktop) {
    auto p = Process("click IDOK\nexpect sure\nanswer No\nclose\n");
    TestLogic logic;
    int answer = 0;
    logic.command = [&](plat::DialogWindow& w, int id, int) {
        if (id == IDOK) answer = w.MessageBox("Are you sure?", "Question", MB_YESNO | MB_ICONQUESTION);
        return id == IDOK;
    };
    p->dialogs().RunModal(IDD_TEST_FRAME, logic);
    EXPECT_EQ(answer, IDNO);
    EXPECT_TRUE(TranscriptHas(
        "program: message box \"Question\" [question icon, Yes/No] \"Are you sure?\" -> No (script line 3)"));
}

TEST_F(DialogTest, PaintingIsRecordedAndShown) {
    std::ofstream(m.machine().driveC() / "scratch" / "Left.bmp") << "BM....";
    std::ofstream(m.machine().driveC() / "scratch" / "NotABitmap.bmp") << "PNG";
    auto p = Process("show\nclick IDOK\n");
    TestLogic logic;
    int bitmap = 0;
    logic.init = [&](plat::DialogWindow& w) {
        bitmap = w.LoadBitmapFile("Left.bmp");
        EXPECT_EQ(w.LoadBitmapFile("NotABitmap.bmp"), 0);
        EXPECT_EQ(w.LoadBitmapFile("C:\\missing\\Left.bmp"), 0);
    };
    logic.paint = [&](plat::DialogWindow& w, plat::Canvas& c) {
        c.StretchBitmap(bitmap, w.ItemRect(IDC_HINT));
        plat::FontSpec font;
        font.face = "System";
        font.height = 20;
        c.DrawCentredText(c.ClientRect(), "Wait", font, 0x993300);  // RGB(0, 51, 153)
        return true;
    };
    p->dialogs().RunModal(IDD_TEST_FRAME, logic);
    EXPECT_NE(bitmap, 0);
    EXPECT_TRUE(TranscriptHas("program:   painted: bitmap \"Left.bmp\" stretched over (10,268)-(190,281)"));
    EXPECT_TRUE(TranscriptHas(
        "program:   painted: text \"Wait\" centred in (0,0)-(444,295), font \"System\" 20 weight 400, colour RGB(0, 51, 153)"));
}

}  // namespace
