// The "Font" page on the device sheet: the tree of the printer's fonts as it opens, the hidden
// list of the same fonts, and an apply that changes nothing.
#include "tests/plugin/pages/SheetHarness.h"

#include <string>
#include <vector>

#include "platform/win_constants.h"

namespace {

using pagetest::SheetHarness;
using pagetest::SheetRun;

class FontPageTest : public SheetHarness {};

// The tree's lines under the page's `show`: every item, children two columns further in,
// opened ("[-]") where it has children, with its image by level; the root selected.
const char* const kTreeLines[] = {
    "[-] \"Printer Fonts and Font Sizes\" image 0 selected",
    "  [-] \"Font A\" image 1",
    "    \"FontA11    9.5\" image 2",
    "    \"FontA12    19.0\" image 2",
    "    \"FontA21    9.5\" image 2",
    "    \"FontA22   19.0\" image 2",
    "    \"FontA24   38.5\" image 2",
    "    \"FontA42   19.0\" image 2",
    "    \"FontA44   38.5\" image 2",
    "  [-] \"Font B\" image 1",
    "    \"FontB11    7.0\" image 2",
    "    \"FontB12    13.5\" image 2",
    "    \"FontB21    7.0\" image 2",
    "    \"FontB22   13.5\" image 2",
    "    \"FontB24   27.0\" image 2",
    "    \"FontB42   13.5\" image 2",
    "    \"FontB44   27.0\" image 2",
    "  [-] \"Control Font\" image 1",
    "    \"Control    1.0\" image 2",
};

TEST_F(FontPageTest, TheTreeOpensFullyExpandedWithTheRootSelectedAndNineteenItemsInOrder) {
    SheetRun run = RunDeviceSheet("tab Font\nshow\nclick IDOK\n");
    ASSERT_EQ(run.result, IDOK);
    const std::string control = "program:     1069 IDC_FONT_TREE tree view \"\"";
    ASSERT_TRUE(run.Has(control + " icons [125, 126, 127] 16 px")) << "the tree's line";
    // The item lines follow the tree's own line, in order, and nothing else is an item.
    std::size_t at = 0;
    while (at < run.transcript.size() && run.transcript[at].rfind(control, 0) != 0) ++at;
    ASSERT_LT(at + std::size(kTreeLines), run.transcript.size());
    for (std::size_t i = 0; i < std::size(kTreeLines); ++i)
        EXPECT_EQ(run.transcript[at + 1 + i], std::string("program:       ") + kTreeLines[i]);
    EXPECT_EQ(run.transcript[at + 1 + std::size(kTreeLines)].find("program:       "), std::string::npos)
        << run.transcript[at + 1 + std::size(kTreeLines)];
    EXPECT_TRUE(run.Has("program:     -1 static \"Select this font size in the application. \""));
}

TEST_F(FontPageTest, TheHiddenListHoldsEachFontWithTheSizeItHasAlwaysCarried) {
    SheetRun run = RunDeviceSheet("tab Font\nshow\nclick IDOK\n");
    // Font A's largest sizes read 38.0 here, against 38.5 in the tree.
    EXPECT_TRUE(run.Has(
        "program:     1068 IDC_FONT_LIST list view \"\" hidden rows ["
        "\"FontA11\" | \"9.5\", \"FontA12\" | \"19.0\", \"FontA21\" | \"9.5\", \"FontA22\" | \"19.0\", "
        "\"FontA24\" | \"38.0\", \"FontA42\" | \"19.0\", \"FontA44\" | \"38.0\", "
        "\"FontB11\" | \"7.0\", \"FontB12\" | \"13.5\", \"FontB21\" | \"7.0\", \"FontB22\" | \"13.5\", "
        "\"FontB24\" | \"27.0\", \"FontB42\" | \"13.5\", \"FontB44\" | \"27.0\", "
        "\"Control\" | \"1.0\"] full-row select"));
}

// The printer's settings as a device sheet can change them: its forms (name and size), the
// device mode the driver handed in, and the jobs sent.
std::string Settings(sim::Machine& machine, const plugin::OemDevmode& devmode) {
    std::string text;
    for (const sim::SimForm& f : sim::PrintProvider(machine).Forms())
        text += f.name + " " + std::to_string(f.cx) + "x" + std::to_string(f.cy) + "\n";
    const auto* bytes = reinterpret_cast<const unsigned char*>(&devmode);
    for (std::size_t i = 0; i < sizeof devmode; ++i) text += std::to_string(bytes[i]) + ",";
    return text;
}

TEST_F(FontPageTest, ApplyingWithThePageVisitedChangesNothingAndReportsTheLastPage) {
    // The Utility page, shown first, makes the model's form on the first run; from then on the
    // settings stand still.
    RunDeviceSheet("click IDOK\n");
    const std::string before = Settings(machine(), devmode());
    const std::size_t resultsBefore = setResults().size();

    SheetRun run = RunDeviceSheet("tab Font\nshow\nclick IDOK\n");
    ASSERT_EQ(run.result, IDOK);
    // Nothing on the page reports a change, so Apply stays disabled.
    EXPECT_TRUE(run.Has("program:   12321 button \"&Apply\" disabled"));
    EXPECT_EQ(Settings(machine(), devmode()), before);
    EXPECT_TRUE(jobs().empty());
    EXPECT_TRUE(updateCalls().empty());
    // OK applies both pages made, Utility and Font; each answers with the last page added.
    ASSERT_EQ(setResults().size(), resultsBefore + 2);
    for (std::size_t i = resultsBefore; i < setResults().size(); ++i) {
        EXPECT_EQ(setResults()[i].sheet, sheetHandle());
        EXPECT_EQ(setResults()[i].handle, reinterpret_cast<plugin::com::HANDLE>(1004));  // the 4th page
        EXPECT_EQ(setResults()[i].result, CPSUI_OK);
    }
}

}  // namespace
