// The operation dialog on a simulated machine, driven by automation scripts: what it shows for a
// stored block, how its controls follow each other, "Default" per moment, and what OK stores.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win_constants.h"
#include "plugin/pages/OperationDialog.h"
#include "tests/support/scripted_machine.h"
#include "tests/support/transcript_checks.h"

namespace {

using namespace plugin;
using testsupport::ControlStates;

constexpr OperationMoment kStartDocument = OperationMoment::StartDocument;
constexpr OperationMoment kStartPage = OperationMoment::StartPage;
constexpr OperationMoment kEndPage = OperationMoment::EndPage;
constexpr OperationMoment kEndDocument = OperationMoment::EndDocument;

// The controls as `show` names them.
constexpr const char* kSend = "1311 IDC_OPERATION_SEND_COMMAND";
constexpr const char* kCommand = "1312 IDC_OPERATION_COMMAND";
constexpr const char* kOpenDrawer = "1313 IDC_OPERATION_OPEN_DRAWER";
constexpr const char* kDrawer = "1314 IDC_OPERATION_DRAWER";
constexpr const char* kHerald = "1315 IDC_OPERATION_HERALD";
constexpr const char* kEnable = "1316 IDC_OPERATION_BUZZER_ENABLE";
constexpr const char* kBeep = "1317 IDC_OPERATION_BEEP";
constexpr const char* kFeed = "1318 IDC_OPERATION_FEED";
constexpr const char* kFeedUpDown = "1319 IDC_OPERATION_FEED_UPDOWN";
constexpr const char* kFeedBeforeCut = "1320 IDC_OPERATION_FEED_BEFORE_CUT";
constexpr const char* kCut = "1321 IDC_OPERATION_CUT";
constexpr const char* kLogo = "1322 IDC_OPERATION_LOGO";
constexpr const char* kLeft = "1323 IDC_OPERATION_ALIGN_LEFT";
constexpr const char* kCentered = "1324 IDC_OPERATION_ALIGN_CENTERED";
constexpr const char* kRight = "1325 IDC_OPERATION_ALIGN_RIGHT";
constexpr const char* kBeforeCut = "1326 IDC_OPERATION_BEFORE_CUT";
constexpr const char* kAfterCut = "1327 IDC_OPERATION_AFTER_CUT";

bool Has(const std::string& line, const std::string& part) { return line.find(part) != std::string::npos; }
bool Enabled(const std::string& line) { return !line.empty() && !Has(line, " disabled"); }
bool Checked(const std::string& line) { return Has(line, " checked"); }

OperationBlock WithCommand(std::initializer_list<std::uint8_t> bytes) {
    OperationBlock block;
    std::copy(bytes.begin(), bytes.end(), block.command.begin());
    block.commandLength = static_cast<std::uint8_t>(bytes.size());
    return block;
}

// `count` byte values "00 " in a row.
std::string ZeroBytesText(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "00 ";
    return text;
}

class OperationDialogTest : public testsupport::ScriptedMachineTest {
protected:
    struct Outcome {
        int result = 0;
        OperationBlock block;
        std::string transcript;
        // The control's line in the n-th `show` of the run (0: the first).
        std::string State(const char* control, std::size_t show = 0) const {
            std::vector<std::string> lines = ControlStates(transcript, control);
            return show < lines.size() ? lines[show] : std::string();
        }
    };

    // The machine's transcript grows over a test's runs; an outcome holds its own run's lines.
    Outcome Run(OperationMoment moment, const OperationBlock& stored, const std::string& script) {
        const std::size_t before = Transcript().size();
        auto process = Process(script);
        OperationDialog dialog(moment, stored);
        Outcome out;
        out.result = process->dialogs().RunModal(OperationDialog::kTemplateId, dialog);
        out.block = dialog.block();
        const std::vector<std::string> lines = Transcript();
        for (std::size_t i = before; i < lines.size(); ++i) out.transcript += lines[i] + "\n";
        return out;
    }
};

TEST_F(OperationDialogTest, OpensWithEveryStoredChoiceShownAndOnlyTheMatchingControlsEnabled) {
    OperationBlock herald;  // no command, the buzzer, a logo centred after the cut
    herald.drawerOrBuzzer = 1;
    herald.cashDrawer = 5;
    herald.buzzerEnable = 1;
    herald.beep = 4;
    herald.paperFeed = 42;
    herald.feedBeforeCut = 1;
    herald.paperCut = 2;
    herald.logo = 3;
    herald.logoAlignment = 1;
    herald.logoPosition = 1;
    Outcome out = Run(kStartPage, herald, "show\nclick IDCANCEL\n");
    ASSERT_EQ(out.result, IDCANCEL) << out.transcript;
    EXPECT_TRUE(testsupport::TextFitWarnings(out.transcript).empty()) << out.transcript;
    EXPECT_FALSE(Checked(out.State(kSend)));
    EXPECT_TRUE(Has(out.State(kCommand), "edit \"\""));
    EXPECT_FALSE(Enabled(out.State(kCommand)));
    EXPECT_TRUE(Checked(out.State(kHerald)));
    EXPECT_FALSE(Checked(out.State(kOpenDrawer)));
    EXPECT_FALSE(Enabled(out.State(kDrawer)));  // the drawer list only with "Open Drawer"
    EXPECT_TRUE(Has(out.State(kDrawer), "selected #5"));
    EXPECT_TRUE(Enabled(out.State(kEnable)));
    EXPECT_TRUE(Has(out.State(kEnable), "[\"Enable\", \"Disable\"] selected #1"));
    EXPECT_TRUE(Has(out.State(kBeep), "selected #4"));
    EXPECT_TRUE(Has(out.State(kFeed), "\"42\""));
    EXPECT_TRUE(Has(out.State(kFeedUpDown), "at 42 of 0..100"));
    EXPECT_TRUE(Checked(out.State(kFeedBeforeCut)));
    EXPECT_TRUE(Has(out.State(kCut), "[\"No Cut\", \"Partial Cut\", \"Full Cut\"] selected #2"));
    EXPECT_TRUE(Has(out.State(kLogo), "selected #3"));
    for (const char* radio : {kLeft, kCentered, kRight, kBeforeCut, kAfterCut}) EXPECT_TRUE(Enabled(out.State(radio))) << radio;
    EXPECT_TRUE(Checked(out.State(kCentered)));
    EXPECT_FALSE(Checked(out.State(kLeft)));
    EXPECT_TRUE(Checked(out.State(kAfterCut)));
    EXPECT_EQ(out.block, herald);  // Cancel stores nothing

    // Without a logo the placement radios are off; "Open Drawer" swaps the lists' states.
    Outcome plain = Run(kStartPage, OperationBlock{}, "show\nclick IDCANCEL\n");
    for (const char* radio : {kLeft, kCentered, kRight, kBeforeCut, kAfterCut}) EXPECT_FALSE(Enabled(plain.State(radio))) << radio;
    EXPECT_TRUE(Checked(plain.State(kLeft)));
    EXPECT_TRUE(Checked(plain.State(kBeforeCut)));
    EXPECT_TRUE(Checked(plain.State(kOpenDrawer)));
    EXPECT_TRUE(Enabled(plain.State(kDrawer)));
    EXPECT_FALSE(Enabled(plain.State(kEnable)));
}

TEST_F(OperationDialogTest, ControlsFollowTheCheckBoxTheRadiosAndTheLogoChoice) {
    Outcome out = Run(kEndPage, OperationBlock{},
                      "tick IDC_OPERATION_SEND_COMMAND\n"
                      "click IDC_OPERATION_HERALD\n"
                      "choose IDC_OPERATION_LOGO Print Logo1\n"
                      "show\n"
                      "untick IDC_OPERATION_SEND_COMMAND\n"
                      "click IDC_OPERATION_OPEN_DRAWER\n"
                      "choose IDC_OPERATION_LOGO Not Print Logo\n"
                      "show\n"
                      "click IDCANCEL\n");
    ASSERT_EQ(out.result, IDCANCEL) << out.transcript;
    EXPECT_TRUE(Enabled(out.State(kCommand, 0)));
    EXPECT_FALSE(Enabled(out.State(kDrawer, 0)));
    EXPECT_TRUE(Enabled(out.State(kEnable, 0)));
    for (const char* radio : {kLeft, kCentered, kRight, kBeforeCut, kAfterCut}) EXPECT_TRUE(Enabled(out.State(radio, 0))) << radio;

    EXPECT_FALSE(Enabled(out.State(kCommand, 1)));
    EXPECT_TRUE(Enabled(out.State(kDrawer, 1)));
    EXPECT_FALSE(Enabled(out.State(kEnable, 1)));
    for (const char* radio : {kLeft, kCentered, kRight, kBeforeCut, kAfterCut}) EXPECT_FALSE(Enabled(out.State(radio, 1))) << radio;
}

TEST_F(OperationDialogTest, OkStoresEveryControl) {
    OperationBlock stored;
    stored.cashDrawer = 7;       // the drawer list keeps its choice while "Herald" is chosen
    stored.reservedBuzzer = 9;   // confirmed dialogs clear it
    stored.command.fill(0xEE);   // bytes after the old length are cleared too
    stored.commandLength = 1;
    Outcome out = Run(kStartDocument, stored,
                      "tick IDC_OPERATION_SEND_COMMAND\n"
                      "type IDC_OPERATION_COMMAND 1d 56 42 00\n"
                      "click IDC_OPERATION_HERALD\n"
                      "choose IDC_OPERATION_BUZZER_ENABLE Disable\n"
                      "choose IDC_OPERATION_BEEP Beep 600 ms\n"
                      "type IDC_OPERATION_FEED 30\n"
                      "tick IDC_OPERATION_FEED_BEFORE_CUT\n"
                      "choose IDC_OPERATION_CUT Full Cut\n"
                      "choose IDC_OPERATION_LOGO Print Logo9\n"
                      "click IDC_OPERATION_ALIGN_RIGHT\n"
                      "click IDC_OPERATION_AFTER_CUT\n"
                      "click IDOK\n");
    ASSERT_EQ(out.result, IDOK) << out.transcript;
    OperationBlock expected = WithCommand({0x1D, 0x56, 0x42, 0x00});
    expected.sendCommand = 1;
    expected.feedBeforeCut = 1;
    expected.cashDrawer = 7;
    expected.paperCut = 2;
    expected.paperFeed = 30;
    expected.buzzerEnable = 1;
    expected.reservedBuzzer = 0;
    expected.drawerOrBuzzer = 1;
    expected.beep = 2;
    expected.logo = 9;
    expected.logoAlignment = 2;
    expected.logoPosition = 1;
    EXPECT_EQ(out.block, expected);
}

// The codec's own cases are its tests'; here the dialog's use of it: OK stores the parsed bytes
// zero-filled after them, an emptied edit stores none, and a refused command keeps the dialog
// open with its message.
TEST_F(OperationDialogTest, OkStoresTheParsedCommandAndRefusesMoreThan128Bytes) {
    struct Case {
        std::string text;
        bool accepted;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"1D564200", true, {0x1D, 0x56, 0x42, 0x00}},
        {"", true, {}},
        {ZeroBytesText(129), false, {}},
    };
    OperationBlock stored = WithCommand({0x1B, 0x40, 0x1B, 0x40, 0x1B, 0x40});
    stored.sendCommand = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string script = "type IDC_OPERATION_COMMAND " + c.text + "\nclick IDOK\n" +
                                   (c.accepted ? "" : "answer OK\nexpect-title Start Page Operation\nclick IDCANCEL\n");
        Outcome out = Run(kStartPage, stored, script);
        if (c.accepted) {
            ASSERT_EQ(out.result, IDOK) << out.transcript;
            ASSERT_EQ(out.block.commandLength, c.bytes.size());
            EXPECT_TRUE(std::equal(c.bytes.begin(), c.bytes.end(), out.block.command.begin()));
            EXPECT_TRUE(std::all_of(out.block.command.begin() + c.bytes.size(), out.block.command.end(),
                                    [](std::uint8_t b) { return b == 0; }));
        } else {
            EXPECT_EQ(out.result, IDCANCEL) << out.transcript;
            const std::vector<std::string> boxes = testsupport::MessageBoxes(out.transcript);
            ASSERT_EQ(boxes.size(), 1u) << out.transcript;
            EXPECT_TRUE(Has(boxes[0], "message box \"Error\" [no icon, OK] \"Command length error\"")) << boxes[0];
            EXPECT_EQ(out.block, stored);
        }
    }
}

// Without Ctrl only hex digits, space, '-' and '.' reach the command edit; '-' and '.' then
// count as 0 digits.
TEST_F(OperationDialogTest, TheCommandEditDropsWhatIsNoHexText) {
    Outcome out = Run(kEndPage, OperationBlock{},
                      "tick IDC_OPERATION_SEND_COMMAND\n"
                      "type IDC_OPERATION_COMMAND 1b,-4G0zq\n"
                      "show\n"
                      "click IDOK\n");
    ASSERT_EQ(out.result, IDOK) << out.transcript;
    EXPECT_TRUE(Has(out.State(kCommand), "\"1b-40\"")) << out.State(kCommand);
    const std::vector<std::string> typed = testsupport::TranscriptLines(out.transcript, "the edit drops");
    ASSERT_EQ(typed.size(), 1u);
    EXPECT_TRUE(Has(typed[0], "drops \",Gzq\""));
    EXPECT_EQ(out.block.commandLength, 3);
    EXPECT_EQ(out.block.command[0], 0x1B);
    EXPECT_EQ(out.block.command[1], 0x04);  // "-4"
    EXPECT_EQ(out.block.command[2], 0x00);  // "0", the last character
}

TEST_F(OperationDialogTest, TypingTheFeedMovesTheUpDownUpTo100AndOkStoresAtMost100) {
    struct Case {
        const char* typed;
        int position;  // the up-down after typing
        int stored;
    } cases[] = {
        {"250", 100, 100},
        {"101", 100, 100},
        {"100", 100, 100},
        {"99", 99, 99},
        {"0", 0, 0},
        {"1000", 100, 100},  // the edit takes three characters: "100"
    };
    OperationBlock stored;
    stored.paperFeed = 12;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Outcome out = Run(kStartDocument, stored,
                          std::string("type IDC_OPERATION_FEED ") + c.typed + "\nshow\nclick IDOK\n");
        ASSERT_EQ(out.result, IDOK) << out.transcript;
        EXPECT_TRUE(Has(out.State(kFeedUpDown), "at " + std::to_string(c.position) + " of 0..100"))
            << out.State(kFeedUpDown);
        EXPECT_EQ(out.block.paperFeed, c.stored);
    }
}

TEST_F(OperationDialogTest, DefaultResetsToTheMomentsDefaultsAndKeepsTheDialogOpen) {
    struct Case {
        OperationMoment moment;
        std::uint8_t drawer;
        std::uint8_t feedBeforeCut;
        std::uint8_t cut;
    } cases[] = {
        {kStartDocument, 12, 0, 0},  // "Cash Drawer #1+#2 Waiting 60ms"
        {kStartPage, 0, 0, 0},
        {kEndPage, 0, 0, 0},
        {kEndDocument, 0, 1, 1},     // feed to the cutter, "Partial Cut"
    };
    OperationBlock busy = WithCommand({0x1B, 0x70, 0x00});
    busy.sendCommand = 1;
    busy.feedBeforeCut = 1;
    busy.cashDrawer = 3;
    busy.paperCut = 2;
    busy.paperFeed = 50;
    busy.buzzerEnable = 1;
    busy.reservedBuzzer = 4;
    busy.drawerOrBuzzer = 1;
    busy.beep = 5;
    busy.logo = 5;
    busy.logoAlignment = 2;
    busy.logoPosition = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.moment));
        Outcome out = Run(c.moment, busy, "click IDC_OPERATION_DEFAULT\nshow\nclick IDOK\n");
        ASSERT_EQ(out.result, IDOK) << out.transcript;
        EXPECT_FALSE(Checked(out.State(kSend)));
        EXPECT_TRUE(Has(out.State(kCommand), "edit \"\""));
        EXPECT_FALSE(Enabled(out.State(kCommand)));
        EXPECT_TRUE(Checked(out.State(kOpenDrawer)));
        EXPECT_FALSE(Checked(out.State(kHerald)));
        EXPECT_TRUE(Enabled(out.State(kDrawer)));
        EXPECT_FALSE(Enabled(out.State(kEnable)));
        EXPECT_TRUE(Has(out.State(kFeed), "\"0\""));
        EXPECT_TRUE(Has(out.State(kFeedUpDown), "at 0 of 0..100"));
        for (const char* radio : {kLeft, kCentered, kRight, kBeforeCut, kAfterCut}) EXPECT_FALSE(Enabled(out.State(radio))) << radio;
        EXPECT_TRUE(Checked(out.State(kLeft)));
        EXPECT_FALSE(Checked(out.State(kRight)));
        EXPECT_TRUE(Checked(out.State(kBeforeCut)));
        EXPECT_FALSE(Checked(out.State(kAfterCut)));

        OperationBlock expected;
        expected.feedBeforeCut = c.feedBeforeCut;
        expected.cashDrawer = c.drawer;
        expected.paperCut = c.cut;
        EXPECT_EQ(out.block, expected);
    }
}

// A block from elsewhere may hold a length past the 128 command bytes and indexes past the
// lists: the dialog shows the 128 bytes, and OK keeps an index the list could not show.
TEST_F(OperationDialogTest, ABlockWithOutOfRangeValuesOpensSafelyAndKeepsWhatNoListShows) {
    OperationBlock damaged;
    damaged.command.fill(0x41);
    damaged.commandLength = 200;
    damaged.cashDrawer = 40;
    damaged.beep = 6;
    damaged.paperFeed = 180;
    damaged.logoAlignment = 7;
    Outcome out = Run(kEndDocument, damaged, "show\nclick IDOK\n");
    ASSERT_EQ(out.result, IDOK) << out.transcript;
    EXPECT_TRUE(Has(out.State(kDrawer), "no selection"));
    EXPECT_TRUE(Checked(out.State(kRight)));
    EXPECT_EQ(out.block.commandLength, 128);
    EXPECT_EQ(out.block.command, damaged.command);
    EXPECT_EQ(out.block.cashDrawer, 40);
    EXPECT_EQ(out.block.beep, 6);
    EXPECT_EQ(out.block.paperFeed, 100);
    EXPECT_EQ(out.block.logoAlignment, 2);
}

}  // namespace
