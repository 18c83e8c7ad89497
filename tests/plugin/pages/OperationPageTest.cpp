// The "Operation" page on the plug-in's document sheet: each moment's button edits its own block
// of the device mode through the operation dialog, OK writes the block back and enables Apply,
// Cancel leaves block and Apply alone, and Apply reports success to the driver.
#include "tests/plugin/pages/SheetHarness.h"

#include <cstring>

#include "platform/win_constants.h"
#include "plugin/devmode/OemDevmode.h"

namespace {

using pagetest::SheetHarness;
using pagetest::SheetRun;
using plugin::OperationBlock;
using plugin::OperationMoment;
using plugin::ReadOperationBlock;
using plugin::WriteOperationBlock;

constexpr OperationMoment kMoments[] = {OperationMoment::StartDocument, OperationMoment::StartPage,
                                        OperationMoment::EndPage, OperationMoment::EndDocument};

class OperationPageTest : public SheetHarness {
protected:
    std::array<OperationBlock, 4> Blocks() {
        std::array<OperationBlock, 4> blocks;
        for (std::size_t i = 0; i < blocks.size(); ++i) blocks[i] = ReadOperationBlock(devmode(), kMoments[i]);
        return blocks;
    }
    const std::uint8_t* Bytes() { return reinterpret_cast<const std::uint8_t*>(&devmode()); }
};

// Whether the sheet's Apply button was enabled at the n-th `show` of the run (0: the first).
bool ApplyEnabledAt(const SheetRun& run, std::size_t show) {
    const std::vector<std::string> lines = run.LinesWith("12321 button \"&Apply\"");
    return show < lines.size() && lines[show].find(" disabled") == std::string::npos;
}

bool AnyLineHas(const std::vector<std::string>& lines, const std::string& part) {
    for (const std::string& line : lines)
        if (line.find(part) != std::string::npos) return true;
    return false;
}

TEST_F(OperationPageTest, EachButtonEditsItsOwnMomentsBlock) {
    struct Case {
        const char* button;
        OperationMoment moment;
        const char* title;
        std::size_t feedOffset;  // where the block's paper feed lies in the stored device mode
    } cases[] = {
        {"IDC_OPERATION_START_DOCUMENT", OperationMoment::StartDocument, "Start Document Operation", 149},
        {"IDC_OPERATION_START_PAGE", OperationMoment::StartPage, "Start Page Operation", 294},
        {"IDC_OPERATION_END_PAGE", OperationMoment::EndPage, "End Page Operation", 585},
        {"IDC_OPERATION_END_DOCUMENT", OperationMoment::EndDocument, "End Document Operation", 441},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.title);
        plugin::WriteOemDevmodeDefaults(devmode());
        const std::array<OperationBlock, 4> before = Blocks();
        SheetRun run = RunDocumentSheet(std::string("tab Operation\nclick ") + c.button + "\n" +
                                        "expect-title " + c.title + "\n"
                                        "tick IDC_OPERATION_SEND_COMMAND\n"
                                        "type IDC_OPERATION_COMMAND 1b 40\n"
                                        "type IDC_OPERATION_FEED 7\n"
                                        "click IDOK\n"
                                        "click IDOK\n");
        ASSERT_EQ(run.result, IDOK);

        OperationBlock expected = before[i];
        expected.sendCommand = 1;
        expected.command[0] = 0x1B;
        expected.command[1] = 0x40;
        expected.commandLength = 2;
        expected.paperFeed = 7;
        const std::array<OperationBlock, 4> after = Blocks();
        for (std::size_t j = 0; j < after.size(); ++j)
            EXPECT_EQ(after[j], j == i ? expected : before[j]) << "block " << j;
        EXPECT_EQ(Bytes()[c.feedOffset], 7);
    }
}

TEST_F(OperationPageTest, TheDialogShowsTheStoredCommandAsHexText) {
    OperationBlock stored = ReadOperationBlock(devmode(), OperationMoment::StartDocument);
    stored.sendCommand = 1;
    stored.command[0] = 0x1B;
    stored.command[1] = 0x40;
    stored.commandLength = 2;
    WriteOperationBlock(devmode(), OperationMoment::StartDocument, stored);
    SheetRun run = RunDocumentSheet(
        "tab Operation\nclick IDC_OPERATION_START_DOCUMENT\nshow\nclick IDCANCEL\nclick IDCANCEL\n");
    EXPECT_TRUE(run.Has("program:   1312 IDC_OPERATION_COMMAND edit \"1B 40 \""));
}

TEST_F(OperationPageTest, CancelLeavesTheBlocksAndApplyAsTheyWere) {
    // OK also applies the Main page, which stores the driver's paper (Letter) by name.
    devmode().paperSizeName.assign(u"Letter");
    const plugin::OemDevmode untouched = devmode();
    const std::string changes =
        "tick IDC_OPERATION_SEND_COMMAND\ntype IDC_OPERATION_COMMAND 10 04 01\n"
        "click IDC_OPERATION_HERALD\nchoose IDC_OPERATION_CUT Full Cut\nclick IDC_OPERATION_DEFAULT\n";

    // Nothing applied yet: Apply stays disabled.
    SheetRun first = RunDocumentSheet("tab Operation\nclick IDC_OPERATION_END_PAGE\n" + changes +
                                      "click IDCANCEL\nshow\nclick IDOK\n");
    ASSERT_EQ(first.result, IDOK);
    EXPECT_FALSE(ApplyEnabledAt(first, 0));
    EXPECT_EQ(std::memcmp(&untouched, &devmode(), sizeof untouched), 0);

    // After a confirmed change: Apply stays enabled, and only the confirmed block changed.
    SheetRun second = RunDocumentSheet("tab Operation\n"
                                       "click IDC_OPERATION_START_PAGE\ntype IDC_OPERATION_FEED 5\nclick IDOK\n"
                                       "click IDC_OPERATION_END_PAGE\n" + changes + "click IDCANCEL\n"
                                       "show\nclick IDCANCEL\n");
    EXPECT_TRUE(ApplyEnabledAt(second, 0));
    EXPECT_EQ(ReadOperationBlock(devmode(), OperationMoment::StartPage).paperFeed, 5);
    EXPECT_EQ(ReadOperationBlock(devmode(), OperationMoment::EndPage),
              ReadOperationBlock(untouched, OperationMoment::EndPage));
}

TEST_F(OperationPageTest, ApplyReportsSuccessForTheLastPageAddedAndDisablesApply) {
    SheetRun run = RunDocumentSheet("tab Operation\nclick IDC_OPERATION_END_DOCUMENT\nclick IDOK\n"
                                    "show\napply\nshow\nclick IDCANCEL\n");
    EXPECT_TRUE(ApplyEnabledAt(run, 0));
    EXPECT_FALSE(ApplyEnabledAt(run, 1));
    // Every document page that reports (the Operation page among them) reports the same way.
    ASSERT_FALSE(setResults().empty());
    for (const pagetest::SetResultCall& call : setResults()) {
        EXPECT_EQ(call.sheet, sheetHandle());
        EXPECT_EQ(call.result, CPSUI_OK);
        // The harness's callback answers the six page additions with 1001 to 1006.
        EXPECT_EQ(call.handle, reinterpret_cast<plugin::com::HANDLE>(1000 + pageRecords().size()));
    }
}

TEST_F(OperationPageTest, AFeedOf250IsStoredAs100) {
    SheetRun run = RunDocumentSheet("tab Operation\nclick IDC_OPERATION_START_PAGE\n"
                                    "type IDC_OPERATION_FEED 250\nshow\nclick IDOK\nclick IDOK\n");
    ASSERT_EQ(run.result, IDOK);
    EXPECT_TRUE(run.Has("program:   1319 IDC_OPERATION_FEED_UPDOWN up-down \"\" at 100 of 0..100"));
    EXPECT_EQ(ReadOperationBlock(devmode(), OperationMoment::StartPage).paperFeed, 100);
}

TEST_F(OperationPageTest, ACommandOf129BytesIsRefusedAnd128AreStored) {
    auto zeros = [](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) text += "00 ";
        return text;
    };
    const OperationBlock before = ReadOperationBlock(devmode(), OperationMoment::EndDocument);
    SheetRun refused = RunDocumentSheet("tab Operation\nclick IDC_OPERATION_END_DOCUMENT\n"
                                        "tick IDC_OPERATION_SEND_COMMAND\n"
                                        "type IDC_OPERATION_COMMAND " + zeros(129) + "\nclick IDOK\n"
                                        "expect Command length error\nanswer OK\n"
                                        "expect-title End Document Operation\nclick IDCANCEL\n"
                                        "show\nclick IDOK\n");
    ASSERT_EQ(refused.result, IDOK);
    EXPECT_TRUE(AnyLineHas(refused.transcript, "message box \"Error\" [no icon, OK] \"Command length error\""));
    EXPECT_FALSE(ApplyEnabledAt(refused, 0));
    EXPECT_EQ(ReadOperationBlock(devmode(), OperationMoment::EndDocument), before);

    SheetRun accepted = RunDocumentSheet("tab Operation\nclick IDC_OPERATION_END_DOCUMENT\n"
                                         "tick IDC_OPERATION_SEND_COMMAND\n"
                                         "type IDC_OPERATION_COMMAND " + zeros(128) + "\nclick IDOK\n"
                                         "click IDOK\n");
    ASSERT_EQ(accepted.result, IDOK);
    EXPECT_FALSE(AnyLineHas(accepted.transcript, "Command length error"));
    EXPECT_EQ(ReadOperationBlock(devmode(), OperationMoment::EndDocument).commandLength, 128);
}

TEST_F(OperationPageTest, DefaultOnEndOfDocumentKeepsTheFeedToTheCutterAndThePartialCut) {
    OperationBlock changed = ReadOperationBlock(devmode(), OperationMoment::EndDocument);
    changed.feedBeforeCut = 0;
    changed.paperCut = 2;
    changed.beep = 3;
    WriteOperationBlock(devmode(), OperationMoment::EndDocument, changed);
    SheetRun run = RunDocumentSheet("tab Operation\nclick IDC_OPERATION_END_DOCUMENT\n"
                                    "click IDC_OPERATION_DEFAULT\nclick IDOK\nclick IDOK\n");
    ASSERT_EQ(run.result, IDOK);
    const OperationBlock block = ReadOperationBlock(devmode(), OperationMoment::EndDocument);
    EXPECT_EQ(block.feedBeforeCut, 1);
    EXPECT_EQ(block.paperCut, 1);  // "Partial Cut"
    EXPECT_EQ(block.beep, 0);
    EXPECT_EQ(block.cashDrawer, 0);
}

}  // namespace
