// The script's pointer actions and the open-file dialog: list-view rows clicked and double-
// clicked, a trackbar dragged, an up-down control's arrows, and files picked or refused, with
// the notifications Windows sends for each in its order.
#include "tests/platform/sim/ui/dialog_fixture.h"

#include "platform/win_constants.h"

namespace {

using dialogtest::DialogTest;
using dialogtest::TestLogic;

constexpr std::uint32_t kOfnPathMustExist = 0x800, kOfnCreatePrompt = 0x2000;

// The common controls' notifications among the logic's events.
std::vector<std::string> Notifications(std::vector<std::string> events) {
    std::erase_if(events, [](const std::string& e) { return e.rfind("notify", 0) != 0 && e.rfind("scroll", 0) != 0; });
    return events;
}

// Rows with texts in every column; a click selects (LVN_ITEMCHANGED only when the selection
// changes, then NM_CLICK), a double click adds NM_DBLCLK; deleting rows moves the selection.
TEST_F(DialogTest, ListViewRowsAreClickedByTextOrIndexAndKeepTheirColumns) {
    auto p = Process("select-row IDC_ROWS Étiquette\ndouble-click-row IDC_ROWS #2\n"
                     "select-row IDC_ROWS #2\nclick IDOK\n");
    TestLogic logic;
    logic.recordNotifications = true;
    logic.init = [](plat::DialogWindow& w) {
        w.InsertListViewColumn(IDC_ROWS, 0, "ID", 30);
        w.InsertListViewColumn(IDC_ROWS, 1, "Path", 150);
        for (const char16_t* name : {u"Logo", u"Étiquette", u"Shop"}) {
            const int row = w.InsertListViewRowW(IDC_ROWS, w.ListViewRowCount(IDC_ROWS), name);
            w.SetListViewCellTextW(IDC_ROWS, row, 1, std::u16string(u"C:\\logos\\") + name + u".bmp");
        }
        EXPECT_EQ(w.ListViewSelectedRow(IDC_ROWS), -1);
    };
    std::vector<std::string> seen;
    logic.command = [&](plat::DialogWindow& w, int id, int) {
        if (id != IDOK) return false;
        EXPECT_EQ(w.ListViewSelectedRow(IDC_ROWS), 2);
        EXPECT_EQ(w.ListViewCellTextW(IDC_ROWS, 1, 1), u"C:\\logos\\Étiquette.bmp");
        EXPECT_EQ(w.ListViewCellTextW(IDC_ROWS, 1, 0), u"Étiquette");
        EXPECT_EQ(w.ListViewCellTextW(IDC_ROWS, 1, 2), u"");  // no such column
        EXPECT_EQ(w.ListViewRowText(IDC_ROWS, 1), "?tiquette");
        // A row before the selected one goes: the selection moves up with its row.
        EXPECT_TRUE(w.DeleteListViewRow(IDC_ROWS, 0));
        EXPECT_EQ(w.ListViewSelectedRow(IDC_ROWS), 1);
        EXPECT_EQ(w.ListViewCellTextW(IDC_ROWS, 1, 1), u"C:\\logos\\Shop.bmp");
        // The selected row goes: nothing is selected.
        EXPECT_TRUE(w.DeleteListViewRow(IDC_ROWS, 1));
        EXPECT_EQ(w.ListViewSelectedRow(IDC_ROWS), -1);
        w.SelectListViewRow(IDC_ROWS, 0);
        EXPECT_EQ(w.ListViewSelectedRow(IDC_ROWS), 0);
        w.DeleteAllListViewRows(IDC_ROWS);
        EXPECT_EQ(w.ListViewRowCount(IDC_ROWS), 0);
        EXPECT_EQ(w.ListViewSelectedRow(IDC_ROWS), -1);
        w.EndDialog(IDOK);
        return true;
    };
    EXPECT_EQ(p->dialogs().RunModal(IDD_TEST_LIST_VIEW, logic), IDOK);
    const std::string rows = std::to_string(IDC_ROWS);
    EXPECT_EQ(Notifications(logic.events),
              (std::vector<std::string>{"notify " + rows + " -101", "notify " + rows + " -2",
                                        "notify " + rows + " -101", "notify " + rows + " -2",
                                        "notify " + rows + " -3", "notify " + rows + " -2"}));
    EXPECT_TRUE(TranscriptHas("program: clicks row \"Étiquette\" of IDC_ROWS"));
    EXPECT_TRUE(TranscriptHas("program: double-clicks row \"Shop\" of IDC_ROWS"));
}

// A drag ends where the person lets go, within the range; the logic hears the track, the final
// position and the end of the track, then the released capture.
TEST_F(DialogTest, ATrackbarIsDraggedWithinItsRange) {
    auto p = Process("slide IDC_LEVEL 90\nslide IDC_LEVEL 300\nslide IDC_LEVEL -1\nclick IDOK\n");
    // The position the logic reads when the thumb is let go.
    struct Recorder : TestLogic {
        std::vector<int> positions;
        void OnScroll(plat::DialogWindow& w, int id, int code) override {
            TestLogic::OnScroll(w, id, code);
            if (code == plat::kTbThumbPosition) positions.push_back(w.GetPosition(id));
        }
    } recorder;
    recorder.recordNotifications = true;
    recorder.init = [](plat::DialogWindow& w) { w.SetRange(IDC_LEVEL, 0, 255); };
    EXPECT_EQ(p->dialogs().RunModal(IDD_TEST_LEVEL, recorder), IDOK);
    EXPECT_EQ(recorder.positions, (std::vector<int>{90, 255, 0}));
    const std::string level = std::to_string(IDC_LEVEL);
    const std::vector<std::string> oneDrag{"scroll " + level + " 5", "scroll " + level + " 4",
                                           "scroll " + level + " 8", "notify " + level + " -16"};
    std::vector<std::string> expected;
    for (int i = 0; i < 3; ++i) expected.insert(expected.end(), oneDrag.begin(), oneDrag.end());
    EXPECT_EQ(Notifications(recorder.events), expected);
    EXPECT_TRUE(TranscriptHas("program: drags IDC_LEVEL to 255 (the end of its range; 300 was asked)"));
}

// Each arrow click moves the position by one within the range, writes it into the buddy and
// tells the parent: UDN_DELTAPOS, then SB_THUMBPOSITION and SB_ENDSCROLL.
TEST_F(DialogTest, UpDownArrowsStepThePositionAndItsBuddy) {
    auto p = Process("spin IDC_SPIN up\nspin IDC_SPIN up\nspin IDC_SPIN down\nspin IDC_SPIN down\n"
                     "spin IDC_SPIN down\nclick IDOK\n");
    TestLogic logic;
    logic.recordNotifications = true;
    std::string buddyAtOk;
    logic.init = [](plat::DialogWindow& w) {
        w.SetRange(IDC_SPIN, 8, 72);
        w.SetPosition(IDC_SPIN, 71);
    };
    logic.command = [&](plat::DialogWindow& w, int id, int) {
        if (id == IDOK) buddyAtOk = w.GetItemText(IDC_SPIN_EDIT) + " at " + std::to_string(w.GetPosition(IDC_SPIN));
        return false;
    };
    EXPECT_EQ(p->dialogs().RunModal(IDD_TEST_SPIN, logic), IDOK);
    // 71 -> 72 -> 72 (the top) -> 71 -> 70 -> 69.
    EXPECT_EQ(buddyAtOk, "69 at 69");
    const std::string spin = std::to_string(IDC_SPIN);
    std::vector<std::string> expected;
    for (int i = 0; i < 5; ++i)
        expected.insert(expected.end(), {"notify " + spin + " -722", "scroll " + spin + " 4", "scroll " + spin + " 8"});
    EXPECT_EQ(Notifications(logic.events), expected);
}

// The open-file dialog takes the script's pick-file (a full path, a relative one made full)
// and cancel-file; a path longer than the program's buffer fails it, and a dialog the script
// does not answer is cancelled with the reason in the transcript.
TEST_F(DialogTest, OpenFileDialogsAreAnsweredByTheScript) {
    auto p = Process("click IDC_BROWSE\npick-file C:\\Windows\\logo.bmp\n"
                     "click IDC_BROWSE\npick-file win.ini\n"
                     "click IDC_BROWSE\ncancel-file\n"
                     "click IDC_BROWSE\npick-file C:\\Windows\\a-name-longer-than-thirty-two.bmp\n"
                     "click IDC_BROWSE\nclick IDOK\n");
    TestLogic logic;
    std::vector<std::string> picked;
    logic.command = [&](plat::DialogWindow& w, int id, int) {
        if (id != IDC_BROWSE) return false;
        plat::OpenFileRequest request;
        request.filters = {{u"*.bmp", u"*.bmp"}, {u"*.*(All)", u"*.*"}};
        request.title = u"Please Select a Logo file";
        request.flags = kOfnPathMustExist | kOfnCreatePrompt;
        request.bufferCharacters = 32;
        const auto path = w.OpenFileDialog(request);
        picked.push_back(path ? std::string(path->begin(), path->end()) : "(none)");
        return true;
    };
    EXPECT_EQ(p->dialogs().RunModal(IDD_TEST_LEVEL, logic), IDOK);
    // A relative name is taken in the program's current directory: the answer is a full path.
    ASSERT_EQ(picked.size(), 5u);
    EXPECT_EQ(picked[0], "C:\\Windows\\logo.bmp");
    EXPECT_EQ(picked[1].substr(1, 2), ":\\");
    EXPECT_TRUE(picked[1].ends_with("\\win.ini")) << picked[1];
    EXPECT_EQ(picked[2], "(none)");
    EXPECT_EQ(picked[3], "(none)");
    EXPECT_EQ(picked[4], "(none)");
    EXPECT_TRUE(TranscriptHas("program: open-file dialog \"Please Select a Logo file\" [*.bmp (chosen), *.*(All)] "
                              "-> \"C:\\Windows\\logo.bmp\" (script line 2; no such file yet)"));
    EXPECT_TRUE(TranscriptHas("program: open-file dialog \"Please Select a Logo file\" [*.bmp (chosen), *.*(All)] "
                              "-> Cancel (script line 6)"));
    EXPECT_TRUE(TranscriptHas("program: open-file dialog \"Please Select a Logo file\" [*.bmp (chosen), *.*(All)] "
                              "-> fails: \"C:\\Windows\\a-name-longer-than-thirty-two.bmp\" is longer than the "
                              "program's buffer of 32 characters (script line 8)"));
    EXPECT_TRUE(TranscriptHas("program: open-file dialog \"Please Select a Logo file\" [*.bmp (chosen), *.*(All)] "
                              "-> Cancel (the script's next action is line 10: click IDOK)"));
}

}  // namespace
