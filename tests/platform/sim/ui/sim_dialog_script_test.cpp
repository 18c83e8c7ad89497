// The automation script on dialogs: clicks as a mouse gives them, radio groups, check boxes,
// lists, typing, keys, the close box, the system menu, waiting, the dump and expectations; and
// the script errors that stop a program whose script no longer fits what it shows.
#include "tests/platform/sim/ui/dialog_fixture.h"

#include "platform/win_constants.h"

namespace {

using dialogtest::DialogTest;
using dialogtest::TestLogic;

class DialogScriptTest : public DialogTest {
protected:
    std::string TranscriptText() {
        std::string all;
        for (const std::string& line : Transcript()) all += line + "\n";
        return all;
    }
    bool TranscriptContains(const std::string& part) {
        return TranscriptText().find(part) != std::string::npos;
    }
    // Runs the frame with the script; the logic's init may prepare controls.
    int RunFrame(const std::string& script, TestLogic& logic) {
        auto p = Process(script);
        return p->dialogs().RunModal(IDD_TEST_FRAME, logic);
    }
};

TEST_F(DialogScriptTest, AutoRadioButtonsUncheckTheOthersOfTheirGroupOnly) {
    TestLogic logic;
    std::vector<std::string> states;
    logic.init = [](plat::DialogWindow& w) { w.CheckButton(IDC_RADIO_D, true); };
    logic.command = [&](plat::DialogWindow& w, int id, int) {
        std::string s;
        for (int r : {IDC_RADIO_A, IDC_RADIO_B, IDC_RADIO_C, IDC_RADIO_D}) s += w.IsButtonChecked(r) ? "x" : "-";
        states.push_back(std::to_string(id) + " " + s);
        return false;
    };
    RunFrame("click IDC_RADIO_A\nclick 2012\nclick IDC_RADIO_C\nclose\n", logic);
    // D starts a group of its own: clicks in A..C leave it checked.
    EXPECT_EQ(states, (std::vector<std::string>{"2010 x--x", "2012 --xx", "2012 --xx", "2 --xx"}));
}

TEST_F(DialogScriptTest, CheckBoxesToggleWhenAutomaticAndTickOnlyWhenNeeded) {
    TestLogic logic;
    std::vector<bool> states;
    logic.command = [&](plat::DialogWindow& w, int id, int) {
        if (id == IDC_CHECK) states.push_back(w.IsButtonChecked(IDC_CHECK));
        if (id == IDC_PLAIN_CHECK) states.push_back(w.IsButtonChecked(IDC_PLAIN_CHECK));
        return false;
    };
    RunFrame("click IDC_CHECK\ntick IDC_CHECK\nuntick IDC_CHECK\nclick IDC_PLAIN_CHECK\nclose\n", logic);
    // The plain check box leaves its state to the logic.
    EXPECT_EQ(states, (std::vector<bool>{true, false, false}));
    EXPECT_TRUE(TranscriptHas("program: IDC_CHECK \"Check\" is already ticked"));
}

TEST_F(DialogScriptTest, ChoosingAnEntrySelectsItAndNotifiesTheLogic) {
    TestLogic logic;
    std::vector<std::string> seen;
    logic.init = [](plat::DialogWindow& w) {
        for (const char* item : {"PX-6100", "PX-6", "PX-80"}) w.AddListItem(IDC_LIST, item);
        for (const char* item : {"b", "a"}) w.AddListItem(IDC_LISTBOX, item);
    };
    logic.command = [&](plat::DialogWindow& w, int id, int code) {
        if (id == IDC_LIST) seen.push_back(std::to_string(code) + " " + w.GetItemText(IDC_LIST));
        if (id == IDC_LISTBOX) seen.push_back(std::to_string(code) + " " + std::to_string(w.GetListSelection(IDC_LISTBOX)));
        return false;
    };
    RunFrame("choose IDC_LIST PX-6\nchoose IDC_LIST #2\nchoose IDC_LISTBOX b\nclose\n", logic);
    EXPECT_EQ(seen, (std::vector<std::string>{"1 PX-6", "1 PX-80", "1 1"}));
}

// Entries added in UTF-16 keep their text whole; the script chooses them by it and the dump
// shows it. Removing an entry moves the selection with the entries after it.
TEST_F(DialogScriptTest, WideEntriesAreChosenByTheirTextAndRemovedEntriesMoveTheSelection) {
    TestLogic logic;
    std::vector<std::string> seen;
    logic.init = [](plat::DialogWindow& w) {
        EXPECT_EQ(w.AddListItemW(IDC_LIST, u"Letter"), 0);
        EXPECT_EQ(w.AddListItemW(IDC_LIST, u"Étiquette 58"), 1);
        EXPECT_EQ(w.AddListItem(IDC_LIST, "A4"), 2);
        EXPECT_EQ(w.ListItemTextW(IDC_LIST, 1), u"Étiquette 58");
        EXPECT_EQ(w.ListItemTextW(IDC_LIST, 2), u"A4");  // an A entry reads back widened
        EXPECT_EQ(w.ListItemText(IDC_LIST, 1), "?tiquette 58");
    };
    logic.command = [&](plat::DialogWindow& w, int id, int) {
        if (id != IDC_LIST) return false;
        const int chosen = w.GetListSelection(IDC_LIST);
        seen.push_back(std::to_string(chosen));
        // Removing an entry before the selection moves it down; the selected one leaves none.
        w.DeleteListItem(IDC_LIST, 0);
        seen.push_back(std::to_string(w.GetListSelection(IDC_LIST)));
        w.DeleteListItem(IDC_LIST, w.GetListSelection(IDC_LIST));
        seen.push_back(std::to_string(w.GetListSelection(IDC_LIST)) + " " + std::to_string(w.ListCount(IDC_LIST)));
        EXPECT_EQ(w.ListItemTextW(IDC_LIST, 0), u"A4");
        return true;
    };
    RunFrame("choose IDC_LIST Étiquette 58\nshow\nclose\n", logic);
    EXPECT_EQ(seen, (std::vector<std::string>{"1", "0", "-1 1"}));
    EXPECT_TRUE(TranscriptHas("program: chooses \"Étiquette 58\" in IDC_LIST"));
    bool shown = false;
    for (const std::string& line : Transcript())
        shown = shown || (line.find("IDC_LIST") != std::string::npos &&
                          line.ends_with("[\"A4\"] no selection"));
    EXPECT_TRUE(shown);
}

TEST_F(DialogScriptTest, TypingReplacesTheTextWithinTheLimitAndLeavingKillsTheFocus) {
    TestLogic logic;
    std::vector<std::string> seen;
    logic.init = [](plat::DialogWindow& w) { w.SetEditLimit(IDC_NAME, 5); };
    logic.command = [&](plat::DialogWindow& w, int id, int code) {
        if (id == IDC_NAME || id == IDC_EDIT_COMBO) seen.push_back(std::to_string(code) + " " + w.GetItemText(id));
        return false;
    };
    RunFrame("type IDC_NAME 192.168.0.1\nleave IDC_NAME\ntype IDC_EDIT_COMBO 9600\nclose\n", logic);
    EXPECT_EQ(seen, (std::vector<std::string>{"768 192.1", "512 192.1", "5 9600"}));
}

// A filtered edit keeps only the characters its filter lets through, then the limit applies to
// what is left; the transcript says what was dropped. Typing replaces a text the program set as
// UTF-16 as well.
TEST_F(DialogScriptTest, AFilteredEditDropsRefusedCharactersBeforeItsLimit) {
    TestLogic logic;
    std::vector<std::u16string> seen;
    logic.init = [](plat::DialogWindow& w) {
        w.SetItemTextW(IDC_NAME, u"1B 40 ");
        w.SetEditCharFilter(IDC_NAME, u"0123456789abcdefABCDEF ");
        w.SetEditLimit(IDC_NAME, 6);
    };
    logic.command = [&](plat::DialogWindow& w, int id, int) {
        if (id == IDC_NAME) seen.push_back(w.GetItemTextW(id));
        return false;
    };
    RunFrame("type IDC_NAME 1g B:zz4 0c\ntype IDC_NAME 1D 56\nclose\n", logic);
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"1 B4 0", u"1D 56"}));
    EXPECT_TRUE(TranscriptHas("program: types \"1g B:zz4 0c\" into IDC_NAME; the edit drops \"g:zz\" and holds \"1 B4 0\""));
    EXPECT_TRUE(TranscriptHas("program: types \"1D 56\" into IDC_NAME"));
}

TEST(EditCharFilter, CtrlLetsEveryCharacterThroughAndWithoutItOnlyTheAllowedPass) {
    struct Case {
        char16_t typed;
        bool ctrl;
        bool passes;
    } cases[] = {
        {u'a', false, true},  {u'F', false, true},  {u' ', false, true}, {u'\b', false, true},
        {u'g', false, false}, {u'G', false, false}, {u'\r', false, false},
        {u'g', true, true},   {0x16, true, true},  // Ctrl+V arrives as 0x16
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.typed));
        EXPECT_EQ(plat::EditCharPasses(c.typed, u"0123456789abcdefABCDEF \b", c.ctrl), c.passes);
    }
}

// An IP address control: the script fills its fields (one left empty), the logic reads the
// address with the first field in the high byte and counts the filled fields.
TEST_F(DialogScriptTest, TypedIpAddressReachesTheLogicFieldByField) {
    auto p = Process("type-ip 3002 10.0..5\nclick IDOK\n");
    TestLogic child;
    std::vector<std::string> seen;
    child.init = [&](plat::DialogWindow& w) {
        std::uint32_t address = 1;
        EXPECT_TRUE(w.IsIpAddressBlank(3002));
        EXPECT_EQ(w.GetIpAddress(3002, address), 0);
        EXPECT_EQ(address, 0u);
        EXPECT_EQ(w.GetItemText(3002), "0.0.0.0");
        w.SetIpAddress(3002, 0xC0A80001u);
        EXPECT_EQ(w.GetItemText(3002), "192.168.0.1");
        EXPECT_EQ(w.GetIpAddress(3002, address), 4);
        EXPECT_EQ(address, 0xC0A80001u);
        w.ClearIpAddress(3002);
        EXPECT_TRUE(w.IsIpAddressBlank(3002));
    };
    child.command = [&](plat::DialogWindow& w, int id, int code) {
        if (id != 3002) return false;
        std::uint32_t address = 0;
        const int filled = w.GetIpAddress(3002, address);
        seen.push_back(std::to_string(code) + " " + std::to_string(filled) + " " +
                       std::to_string(address) + " " + w.GetItemText(3002) +
                       (w.IsIpAddressBlank(3002) ? " blank" : ""));
        return true;
    };
    EXPECT_EQ(p->dialogs().RunModal(IDD_TEST_CHILD, child), IDOK);
    // 10.0.0.5 = 0x0A000005 = 167772165; EN_CHANGE is 0x300.
    EXPECT_EQ(seen, (std::vector<std::string>{"768 3 167772165 10.0.0.5"}));
}

TEST_F(DialogScriptTest, KeysAndTheCloseBoxSendWhatWindowsSends) {
    struct Case {
        const char* script;
        int result;
        const char* lastCommand;
    };
    const Case cases[] = {
        {"key Escape\n", IDCANCEL, "command 2 0"},
        {"key Enter\n", IDOK, "command 1 0"},
        {"close\n", IDCANCEL, "command 2 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        TestLogic logic;
        EXPECT_EQ(RunFrame(c.script, logic), c.result);
        EXPECT_EQ(logic.events[logic.events.size() - 2], c.lastCommand);
    }
}

TEST_F(DialogScriptTest, ALogicThatHandlesCancelKeepsTheDialogOpen) {
    TestLogic logic;
    int cancels = 0;
    logic.command = [&](plat::DialogWindow& w, int id, int) {
        if (id == IDCANCEL && ++cancels == 2) w.EndDialog(99);
        return id == IDCANCEL;
    };
    EXPECT_EQ(RunFrame("key Escape\nclose\n", logic), 99);
}

TEST_F(DialogScriptTest, F1AndSystemMenuCommandsReachTheLogic) {
    TestLogic logic;
    logic.init = [](plat::DialogWindow& w) { w.AppendSystemMenuItem(IDM_TEST_ABOUT, "&About..."); };
    RunFrame("key F1\nsys IDM_TEST_ABOUT\nsys 17\nclose\n", logic);
    EXPECT_EQ(logic.events, (std::vector<std::string>{"init", "show", "help", "sys 16", "sys 16", "command 2 0",
                                                      "destroy"}));
    EXPECT_TRUE(TranscriptHas("program: chooses \"&About...\" from the system menu of \"Test Frame\""));
}

TEST_F(DialogScriptTest, WaitLetsTimersRunUntilTheDialogEnds) {
    auto p = Process("wait\n");
    TestLogic logic;
    logic.init = [](plat::DialogWindow& w) {
        w.SetRange(IDC_PROGRESS, 0, 100);
        w.SetTimer(1, 100);
    };
    logic.timer = [&](plat::DialogWindow& w, int) {
        for (int n = 0; n <= 90; ++n) {
            w.SetPosition(IDC_PROGRESS, n);
            p->system().Sleep(80);
        }
        w.EndDialog(IDOK);
    };
    EXPECT_EQ(p->dialogs().RunModal(IDD_TEST_TIMED, logic), IDOK);
    EXPECT_TRUE(TranscriptHas("program: waits until \"Timed\" closes"));
}

// wait-enabled: timers run until the control is enabled, then the script goes on; a dialog that
// stops its timers first is a script error, not a hang.
TEST_F(DialogScriptTest, WaitEnabledLetsTimersRunUntilTheControlIsEnabled) {
    for (bool enables : {true, false}) {
        SCOPED_TRACE(enables);
        TestLogic logic;
        int ticks = 0;
        logic.init = [](plat::DialogWindow& w) {
            w.EnableItem(IDOK, false);
            w.SetTimer(1, 100);
        };
        logic.timer = [&](plat::DialogWindow& w, int) {
            if (++ticks < 3) return;
            w.KillTimer(1);
            if (enables) w.EnableItem(IDOK, true);
        };
        if (enables) {
            EXPECT_EQ(RunFrame("wait-enabled IDOK\nclick IDOK\n", logic), IDOK);
            EXPECT_EQ(ticks, 3);
            EXPECT_TRUE(TranscriptContains("program: waits until IDOK ")) << TranscriptText();
            EXPECT_TRUE(TranscriptHas("program: control 1 of \"Test Frame\" is enabled")) << TranscriptText();
        } else {
            GTEST_FLAG_SET(death_test_style, "threadsafe");
            EXPECT_EXIT(RunFrame("wait-enabled IDOK\nclick IDOK\n", logic),
                        ::testing::ExitedWithCode(3),
                        "stopped its timers while the script waited for it to enable control 1");
        }
    }
}

// A list view with check boxes: rows inserted at their places, ticked by the script by text,
// read back by the logic, deleted; show prints them with their boxes.
TEST_F(DialogScriptTest, ListViewRowsAreTickedByTextAndReadBack) {
    auto p = Process("tick-row IDC_ROWS Beta\ntick-row IDC_ROWS Gamma\nuntick-row IDC_ROWS Gamma\n"
                     "untick-row IDC_ROWS Alpha\nshow\nclick IDOK\n");
    TestLogic logic;
    std::vector<std::string> ticked;
    logic.init = [](plat::DialogWindow& w) {
        w.SetListViewExtendedStyle(IDC_ROWS, LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES);
        w.InsertListViewColumn(IDC_ROWS, 0, "Name", 200);
        EXPECT_EQ(w.InsertListViewRow(IDC_ROWS, 0, "Gamma"), 0);
        EXPECT_EQ(w.InsertListViewRow(IDC_ROWS, 0, "Alpha"), 0);
        // Past the end goes to the end.
        EXPECT_EQ(w.InsertListViewRow(IDC_ROWS, 9, "Delta"), 2);
        EXPECT_EQ(w.InsertListViewRow(IDC_ROWS, 1, "Beta"), 1);
        w.SetListViewRowChecked(IDC_ROWS, 3, true);  // Delta
    };
    logic.command = [&](plat::DialogWindow& w, int id, int) {
        if (id != IDOK) return false;
        for (int row = 0; row < w.ListViewRowCount(IDC_ROWS); ++row)
            if (w.IsListViewRowChecked(IDC_ROWS, row)) ticked.push_back(w.ListViewRowText(IDC_ROWS, row));
        EXPECT_TRUE(w.DeleteListViewRow(IDC_ROWS, 1));
        EXPECT_FALSE(w.DeleteListViewRow(IDC_ROWS, 3));
        EXPECT_EQ(w.ListViewRowText(IDC_ROWS, 1), "Gamma");
        w.EndDialog(IDOK);
        return true;
    };
    EXPECT_EQ(p->dialogs().RunModal(IDD_TEST_LIST_VIEW, logic), IDOK);
    EXPECT_EQ(ticked, (std::vector<std::string>{"Beta", "Delta"}));
    EXPECT_TRUE(TranscriptHas("program: ticks row \"Beta\" of IDC_ROWS")) << TranscriptText();
    EXPECT_TRUE(TranscriptHas("program: row \"Alpha\" of IDC_ROWS is already unticked"));
    EXPECT_TRUE(TranscriptContains(
        " rows [[ ] \"Alpha\", [x] \"Beta\", [ ] \"Gamma\", [x] \"Delta\"] grid lines"))
        << TranscriptText();
}

// A row inserted before rows that have column texts leaves each text with its own row, and
// `show` prints them after the row's first text.
TEST_F(DialogScriptTest, ListViewColumnTextsStayWithTheirRows) {
    auto p = Process("show\nclick IDOK\n");
    TestLogic logic;
    logic.init = [](plat::DialogWindow& w) {
        w.InsertListViewColumn(IDC_ROWS, 0, "Name", 100);
        w.InsertListViewColumn(IDC_ROWS, 1, "Size", 50);
        EXPECT_EQ(w.InsertListViewRowW(IDC_ROWS, 0, u"Beta"), 0);
        w.SetListViewCellTextW(IDC_ROWS, 0, 1, u"2");
        EXPECT_EQ(w.InsertListViewRowW(IDC_ROWS, 0, u"Alpha"), 0);
        EXPECT_EQ(w.InsertListViewRowW(IDC_ROWS, 2, u"Gamma"), 2);
        w.SetListViewCellTextW(IDC_ROWS, 2, 1, u"3");
        w.SetListViewCellTextW(IDC_ROWS, 0, 2, u"no such column");
        EXPECT_EQ(w.ListViewCellTextW(IDC_ROWS, 0, 1), u"");
        EXPECT_EQ(w.ListViewCellTextW(IDC_ROWS, 1, 1), u"2");
        EXPECT_EQ(w.ListViewCellTextW(IDC_ROWS, 2, 1), u"3");
        EXPECT_EQ(w.ListViewCellTextW(IDC_ROWS, 0, 2), u"");
    };
    EXPECT_EQ(p->dialogs().RunModal(IDD_TEST_LIST_VIEW, logic), IDOK);
    EXPECT_TRUE(TranscriptContains(" rows [\"Alpha\", \"Beta\" | \"2\", \"Gamma\" | \"3\"]")) << TranscriptText();
}

// Tree items under their parents in insertion order; expanding opens only an item with children;
// selecting an item opens its collapsed ancestors; an icon the module lacks is left out.
TEST_F(DialogScriptTest, TreeViewItemsShowUnderTheirParentsWithStateAndImages) {
    auto p = Process("show\nclick IDOK\n");
    TestLogic logic;
    logic.init = [](plat::DialogWindow& w) {
        const int icons[] = {IDR_MAINFRAME, IDI_TEST_LEAF, 999};
        EXPECT_FALSE(w.SetTreeIcons(IDC_TREE, icons, 16));
        w.InsertTreeItemW(IDC_TREE, plat::kTreeRoot, u"Stale", 0, 0);
        w.DeleteAllTreeItems(IDC_TREE);
        const plat::TreeItem top = w.InsertTreeItemW(IDC_TREE, plat::kTreeRoot, u"Top", 0, 0);
        const plat::TreeItem open = w.InsertTreeItemW(IDC_TREE, top, u"Open", 1, 1);
        const plat::TreeItem shut = w.InsertTreeItemW(IDC_TREE, top, u"Shut", 1, 1);
        const plat::TreeItem deep = w.InsertTreeItemW(IDC_TREE, open, u"Deep", 1, 0);
        w.InsertTreeItemW(IDC_TREE, shut, u"Hidden leaf", 1, 1);
        w.InsertTreeItemW(IDC_TREE, top, u"Last", 1, 1);
        EXPECT_NE(top, 0u);
        EXPECT_NE(open, top);
        w.ExpandTreeItem(IDC_TREE, deep);  // a leaf: nothing to open
        w.SelectTreeItem(IDC_TREE, deep);  // opens Open and Top
    };
    EXPECT_EQ(p->dialogs().RunModal(IDD_TEST_TREE, logic), IDOK);
    std::vector<std::string> t = Transcript();
    const std::vector<std::string> expected = {
        "program:   2110 IDC_TREE tree view \"\" icons [128, 129] 16 px",
        "program:     [-] \"Top\" image 0",
        "program:       [-] \"Open\" image 1",
        "program:         \"Deep\" image 1 selected image 0 selected",
        "program:       [+] \"Shut\" image 1",
        "program:         \"Hidden leaf\" image 1",
        "program:       \"Last\" image 1",
    };
    auto at = std::find(t.begin(), t.end(), expected[0]);
    ASSERT_NE(at, t.end()) << TranscriptText();
    ASSERT_GE(static_cast<std::size_t>(t.end() - at), expected.size());
    EXPECT_EQ(std::vector<std::string>(at, at + static_cast<std::ptrdiff_t>(expected.size())), expected);
}

TEST_F(DialogScriptTest, ShowWritesEveryControlAndPageIntoTheTranscript) {
    TestLogic logic, page;
    std::unique_ptr<plat::DialogWindow> pageWindow;
    logic.init = [&](plat::DialogWindow& w) {
        w.AddListItem(IDC_LIST, "PX-6");
        w.SetListSelection(IDC_LIST, 0);
        w.CheckButton(IDC_RADIO_B, true);
        w.SetFocus(IDOK);
        w.PaintItemAsWindow(IDC_NOTES);
        pageWindow = w.CreateChildPage(IDD_TEST_PAGE, page, IDC_PLACEHOLDER);
        pageWindow->Show(true);
    };
    RunFrame("show\nclose\n", logic);
    std::vector<std::string> t = Transcript();
    for (const char* expected : {
             "program: shows \"Test Frame\" (dialog 500):",
             "program:   2001 IDC_PLACEHOLDER static \"\" hidden",
             "program:   1 IDOK default button \"&Next >\" focused",
             "program:   2011 IDC_RADIO_B auto radio button \"B\" checked",
             "program:   2021 IDC_PLAIN_CHECK check box \"Plain check\" unchecked",
             "program:   2031 IDC_NOTES multi-line read-only edit \"\" window colours",
             "program:   2040 IDC_LIST drop-down list \"\" [\"PX-6\"] selected #0",
             "program:   page IDD_TEST_PAGE (501):",
             "program:     2070 IDC_PAGE_RADIO auto radio button \"Page radio\" unchecked",
         })
        EXPECT_NE(std::find(t.begin(), t.end(), expected), t.end()) << expected;
}

TEST_F(DialogScriptTest, ExpectationsThatHoldLetTheScriptGoOn) {
    TestLogic logic;
    logic.init = [](plat::DialogWindow& w) { w.SetItemText(IDC_NAME, "COM1"); };
    EXPECT_EQ(RunFrame("expect-text IDC_NAME COM1\nexpect-text 2003 Press F1 for help\nexpect-title Test Frame\n"
                       "click IDOK\n",
                       logic),
              IDOK);
}

// Script errors: each stops the program with exit code 3 and says why in the transcript.
TEST_F(DialogScriptTest, ActionsThatDoNotFitWhatTheDialogShowsAreScriptErrors) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct Case {
        const char* script;
        const char* error;
    };
    const Case cases[] = {
        {"", "script ended while \"Test Frame\" is open"},
        {"answer OK\n", "line 1: answer OK: no message box is open; \"Test Frame\" is open"},
        {"click IDC_BACK\n", "line 1: click IDC_BACK: the control is disabled"},
        {"click IDC_HIDDEN\n", "the control is hidden"},
        {"click IDC_PAGE_RADIO\n", "the control is on page IDD_TEST_PAGE \\(501\\), which is hidden"},
        {"click IDC_HINT\n", "control 2003 is a static, which cannot be clicked"},
        {"click 4711\n", "\"Test Frame\" has no control 4711"},
        {"click IDC_NOWHERE\n", "no resource header defines 'IDC_NOWHERE'"},
        {"tick IDC_RADIO_A\n", "is a auto radio button, not a check box"},
        {"choose IDC_LIST Nothing\n", "the list has no entry Nothing; it is empty"},
        {"choose IDC_LIST #0\n", "the list has no entry #0; it is empty"},
        // 2^32 + 1 would be entry 1 if it wrapped: the script is refused before it runs.
        {"choose IDC_LIST #4294967297\n", "line 1: choose #INDEX needs a number from 0 to 2147483647"},
        {"click 4294967297\n", "line 1: control id 4294967297 is out of range"},
        {"type IDC_NOTES x\n", "the edit is read-only"},
        {"type IDC_LIST x\n", "is a drop-down list, which takes no typing"},
        {"type-ip IDC_NAME 1.2.3.4\n", "is a edit, not an IP address control"},
        {"sys 32\n", "has no system menu item 32"},
        {"wait\n", "\"Test Frame\" runs no timer, so it would never end"},
        {"expect-text IDC_NAME x\n", "control 2030 shows \"\""},
        {"expect-title Other\n", "the title is \"Test Frame\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        auto run = [&] {
            TestLogic logic, page;
            std::unique_ptr<plat::DialogWindow> pageWindow;
            logic.init = [&](plat::DialogWindow& w) {
                pageWindow = w.CreateChildPage(IDD_TEST_PAGE, page, IDC_PLACEHOLDER);
            };
            RunFrame(c.script, logic);
        };
        EXPECT_EXIT(run(), ::testing::ExitedWithCode(3), std::string("script error: .*") + c.error);
    }
}

}  // namespace
