// The "1D Code" page on the plug-in's document sheet: the slot a font name shows, the edits that
// write it at once, the height and font size it stands for, and the test print.
#include "tests/plugin/pages/SheetHarness.h"

#include <cstring>

#include "platform/win_constants.h"
#include "tests/plugin/pages/BarcodeBytes.h"

namespace {

using pagetest::Bytes;
using pagetest::Hex;
using pagetest::operator+;
using pagetest::kFeedAndCut;
using pagetest::SheetHarness;
using pagetest::SheetRun;
using pagetest::Text;

constexpr int k1DTab = 3;  // the sheet makes only the page it shows, so only this one reports

class Barcode1DPageTest : public SheetHarness {
protected:
    SheetRun Run(const std::string& script) { return RunDocumentSheet(script, k1DTab); }
    // A control line of `show`, from its id on.
    static bool Shows(const SheetRun& run, const std::string& control) {
        return run.Has("program:     " + control);
    }
    plugin::BarcodeSlot1D& slot(int index) { return devmode().barcode1D[index]; }
};

TEST_F(Barcode1DPageTest, OpeningShowsTheFirstSlotWithoutWritingIt) {
    const plugin::OemDevmode before = devmode();
    SheetRun run = Run("show\nclick IDOK\n");
    EXPECT_EQ(run.result, IDOK);
    EXPECT_TRUE(Shows(run, "1201 IDC_1D_FONT_NAME drop-down list \"\" [\"1D Code1\", \"1D Code2\", "
                           "\"1D Code3\", \"1D Code4\", \"1D Code5\", \"1D Code6\", \"1D Code7\", "
                           "\"1D Code8\"] selected #0"));
    EXPECT_TRUE(Shows(run, "1202 IDC_1D_TYPE drop-down list \"\" [\"UPC-A\", \"UPC-E\", \"EAN8\", "
                           "\"EAN13\", \"Code39\", \"ITF\", \"Codabar\", \"Code93\", \"Code128\"] "
                           "selected #0"));
    EXPECT_TRUE(Shows(run, "1203 IDC_1D_WIDTH edit \"3\""));
    EXPECT_TRUE(Shows(run, "1204 IDC_1D_WIDTH_SPIN up-down \"\" at 3 of 2..6"));
    EXPECT_TRUE(Shows(run, "1205 IDC_1D_WIDTH_RANGE static \"[ 2. . 6 ]\""));
    EXPECT_TRUE(Shows(run, "1206 IDC_1D_HEIGHT edit \"163\""));
    EXPECT_TRUE(Shows(run, "1207 IDC_1D_HEIGHT_SPIN up-down \"\" at 163 of 1..255"));
    EXPECT_TRUE(Shows(run, "1208 IDC_1D_HEIGHT_RANGE static \"[ 1 . . 255 ]\""));
    EXPECT_TRUE(Shows(run, "1209 IDC_1D_HRI_POSITION drop-down list \"\" [\"Not printed\", "
                           "\"Above the barcode\", \"Below the barcode\", \"Both above and below "
                           "the barcode\"] selected #0"));
    EXPECT_TRUE(Shows(run, "1210 IDC_1D_FONT_A auto radio button \"Font A\" checked disabled"));
    EXPECT_TRUE(Shows(run, "1211 IDC_1D_FONT_B auto radio button \"Font B\" unchecked disabled"));
    // 163 dots: 23.0 mm, 65.2 points shown as 65.0.
    EXPECT_TRUE(Shows(run, "1212 IDC_1D_MM read-only edit \" 23.0\" disabled"));
    EXPECT_TRUE(Shows(run, "1213 IDC_1D_POINT read-only edit \" 65.0\" disabled"));
    EXPECT_TRUE(Shows(run, "1214 IDC_1D_DATA edit \"123456789012\""));
    EXPECT_TRUE(Shows(run, "1215 IDC_1D_PRINT button \"Print\""));
    EXPECT_TRUE(run.Has("program:   12321 button \"&Apply\" disabled"));
    // Showing rewrote nothing, not even the stored total; OK still reports the page's result.
    EXPECT_EQ(std::memcmp(&before, &devmode(), sizeof before), 0);
    ASSERT_EQ(setResults().size(), 1u);
    EXPECT_EQ(setResults()[0].sheet, sheetHandle());
    EXPECT_EQ(setResults()[0].handle, reinterpret_cast<plugin::com::HANDLE>(1006));  // last page added
    EXPECT_EQ(setResults()[0].result, CPSUI_OK);
}

// Each edit writes the first slot; Apply then shows the height and font size of bar height
// plus allowance, and the total the edits stored is the rounded size in dots.
TEST_F(Barcode1DPageTest, EditsWriteTheSlotAndApplyShowsItsSize) {
    struct Case {
        const char* edits;
        int barHeight, moduleWidth, cellWidth, hriPosition, hriFont, totalHeight;
        const char* mm;
        const char* points;
    };
    const Case cases[] = {
        // 160 + 24 = 184 dots: 73.6 points round to 73.5, stored as 183 dots.
        {"type IDC_1D_HEIGHT 160\nchoose IDC_1D_HRI_POSITION Below the barcode\n",
         160, 3, 24, 2, 0, 183, " 26.0", " 73.5"},
        // 3 dots: 1.2 points round to 1.0, stored as 2 dots.
        {"type IDC_1D_HEIGHT 3\n", 3, 3, 24, 0, 0, 2, "  0.4", "  1.0"},
        // Both above and below: Font B adds 34 dots, Font A 48.
        {"choose IDC_1D_HRI_POSITION Both above and below the barcode\nclick IDC_1D_FONT_B\n",
         163, 3, 24, 3, 1, 197, " 27.8", " 79.0"},
        {"choose IDC_1D_HRI_POSITION Both above and below the barcode\n",
         163, 3, 24, 3, 0, 211, " 29.8", " 84.5"},
        // Above with Font B, then back to Font A.
        {"choose IDC_1D_HRI_POSITION Above the barcode\nclick IDC_1D_FONT_B\nclick IDC_1D_FONT_A\n",
         163, 3, 24, 1, 0, 187, " 26.4", " 75.0"},  // 187 dots: 74.8 points, 75.0
        // Bar height 1..255: 0 becomes 1 (0.4 points, 0.5 shown, 1 dot); 999 is cut to the
        // three characters the edit takes and becomes 255.
        {"type IDC_1D_HEIGHT 0\n", 1, 3, 24, 0, 0, 1, "  0.1", "  0.5"},
        {"type IDC_1D_HEIGHT 1\n", 1, 3, 24, 0, 0, 1, "  0.1", "  0.5"},
        {"type IDC_1D_HEIGHT 255\n", 255, 3, 24, 0, 0, 255, " 36.0", "102.0"},
        {"type IDC_1D_HEIGHT 999\n", 255, 3, 24, 0, 0, 255, " 36.0", "102.0"},
        // Module width 2..6 with the cell width eight times it; the total stays as stored.
        {"type IDC_1D_WIDTH 1\n", 163, 2, 16, 0, 0, 163, " 23.0", " 65.0"},
        {"type IDC_1D_WIDTH 2\n", 163, 2, 16, 0, 0, 163, " 23.0", " 65.0"},
        {"type IDC_1D_WIDTH 6\n", 163, 6, 48, 0, 0, 163, " 23.0", " 65.0"},
        {"type IDC_1D_WIDTH 7\n", 163, 6, 48, 0, 0, 163, " 23.0", " 65.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edits);
        devmode() = plugin::DefaultOemDevmode();
        SheetRun run = Run(std::string(c.edits) + "apply\nshow\nclick IDCANCEL\n");
        EXPECT_EQ(run.result, IDCANCEL);
        const plugin::BarcodeSlot1D& s = slot(0);
        EXPECT_EQ(s.barHeight, c.barHeight);
        EXPECT_EQ(s.moduleWidth, c.moduleWidth);
        EXPECT_EQ(s.cellWidth, c.cellWidth);
        EXPECT_EQ(s.hriPosition, c.hriPosition);
        EXPECT_EQ(s.hriFont, c.hriFont);
        EXPECT_EQ(s.totalHeight, c.totalHeight);
        EXPECT_EQ(s.symbology, 0);
        EXPECT_TRUE(Shows(run, std::string("1212 IDC_1D_MM read-only edit \"") + c.mm + "\" disabled"));
        EXPECT_TRUE(Shows(run, std::string("1213 IDC_1D_POINT read-only edit \"") + c.points +
                                   "\" disabled"));
        // The other slots are untouched.
        EXPECT_EQ(slot(1).barHeight, 163);
        EXPECT_EQ(slot(1).totalHeight, 163);
    }
}

// The edit and its up-down control show the value kept inside the range.
TEST_F(Barcode1DPageTest, ClampedNumbersShowInTheEditAndItsUpDownControl) {
    SheetRun run = Run("type IDC_1D_WIDTH 9\nexpect-text IDC_1D_WIDTH 6\n"
                       "type IDC_1D_HEIGHT 0\nexpect-text IDC_1D_HEIGHT 1\n"
                       "type IDC_1D_HEIGHT 42\nexpect-text IDC_1D_HEIGHT 42\nshow\nclick IDCANCEL\n");
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_TRUE(Shows(run, "1204 IDC_1D_WIDTH_SPIN up-down \"\" at 6 of 2..6"));
    EXPECT_TRUE(Shows(run, "1207 IDC_1D_HEIGHT_SPIN up-down \"\" at 42 of 1..255"));
}

// An edit enables Apply; the fields keep the old size until Apply, which reports the result
// and disables Apply again.
TEST_F(Barcode1DPageTest, TheSizeFieldsChangeOnApplyNotOnEachEdit) {
    SheetRun run = Run("type IDC_1D_HEIGHT 160\nchoose IDC_1D_HRI_POSITION Below the barcode\n"
                       "show\napply\nshow\nclick IDCANCEL\n");
    const std::vector<std::string> points = run.LinesWith("IDC_1D_POINT");
    ASSERT_EQ(points.size(), 2u);
    EXPECT_NE(points[0].find("\" 65.0\""), std::string::npos) << points[0];
    EXPECT_NE(points[1].find("\" 73.5\""), std::string::npos) << points[1];
    const std::vector<std::string> apply = run.LinesWith("12321 button \"&Apply\"");
    ASSERT_EQ(apply.size(), 2u);
    EXPECT_EQ(apply[0].find("disabled"), std::string::npos) << apply[0];
    EXPECT_NE(apply[1].find("disabled"), std::string::npos) << apply[1];
    ASSERT_EQ(setResults().size(), 1u);  // Apply; Cancel reports nothing
    EXPECT_EQ(setResults()[0].handle, reinterpret_cast<plugin::com::HANDLE>(1006));
    EXPECT_EQ(setResults()[0].result, CPSUI_OK);
}

// Every font name shows its own slot; edits go to that slot alone.
TEST_F(Barcode1DPageTest, AFontNameShowsItsSlotAndEditsGoThere) {
    struct Case {
        const char* font;
        int slot;
        const char* typeLine;
        const char* data;
    };
    const Case cases[] = {
        {"1D Code1", 0, "selected #0", "123456789012"},  // UPC-A
        {"1D Code3", 2, "selected #3", "1234567890123"},  // EAN13 (symbology 3)
        {"1D Code8", 7, "selected #8", "{A1234"},         // Code128
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.font);
        devmode() = plugin::DefaultOemDevmode();
        SheetRun run = Run(std::string("choose IDC_1D_FONT_NAME ") + c.font +
                           "\nshow\ntype IDC_1D_HEIGHT 100\nclick IDCANCEL\n");
        EXPECT_EQ(run.LinesWith("1202 IDC_1D_TYPE").size(), 1u);
        EXPECT_NE(run.LinesWith("1202 IDC_1D_TYPE")[0].find(c.typeLine), std::string::npos);
        EXPECT_TRUE(Shows(run, std::string("1214 IDC_1D_DATA edit \"") + c.data + "\""));
        for (int i = 0; i < 8; ++i) EXPECT_EQ(slot(i).barHeight, i == c.slot ? 100 : 163) << i;
    }
}

TEST_F(Barcode1DPageTest, ATypeIsStoredAndPutsItsSampleIntoData) {
    SheetRun run = Run("choose IDC_1D_TYPE EAN8\nexpect-text IDC_1D_DATA 12345678\n"
                       "choose IDC_1D_TYPE Code93\nexpect-text IDC_1D_DATA 123ABC\nclick IDCANCEL\n");
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_EQ(slot(0).symbology, 7);  // the list index, not the printer's code
}

TEST_F(Barcode1DPageTest, TheHriFontIsOfferedOnlyWhileTheTextIsPrinted) {
    SheetRun run = Run("choose IDC_1D_HRI_POSITION Above the barcode\nshow\n"
                       "choose IDC_1D_HRI_POSITION Not printed\nshow\nclick IDCANCEL\n");
    const std::vector<std::string> fontB = run.LinesWith("IDC_1D_FONT_B");
    ASSERT_EQ(fontB.size(), 2u);
    EXPECT_EQ(fontB[0].find("disabled"), std::string::npos) << fontB[0];
    EXPECT_NE(fontB[1].find("disabled"), std::string::npos) << fontB[1];
    EXPECT_EQ(slot(0).hriPosition, 0);
}

TEST_F(Barcode1DPageTest, PrintIsEnabledOnlyWithData) {
    SheetRun run = Run("type IDC_1D_DATA\nshow\ntype IDC_1D_DATA 1\nshow\nclick IDCANCEL\n");
    const std::vector<std::string> print = run.LinesWith("IDC_1D_PRINT");
    ASSERT_EQ(print.size(), 2u);
    EXPECT_NE(print[0].find("disabled"), std::string::npos) << print[0];
    EXPECT_EQ(print[1].find("disabled"), std::string::npos) << print[1];
}

// The test print sends the slot's settings, the data in the symbology's framing, then a feed
// and cut, as one raw job "Barcode" on the sheet's printer.
TEST_F(Barcode1DPageTest, PrintSendsTheSlotsBarcode) {
    struct Case {
        const char* edits;
        Bytes job;
    };
    const Case cases[] = {
        // The default slot: Font A, not printed, width 3, height 163 (A3), UPC-A.
        {"", Hex("1D 66 00 1D 48 00 1D 77 03 1D 68 A3 1D 6B 00") + Text("123456789012") +
                 Hex("00") + kFeedAndCut},
        {"choose IDC_1D_TYPE UPC-E\n", Hex("1D 66 00 1D 48 00 1D 77 03 1D 68 A3 1D 6B 01") +
                                           Text("023456789012") + Hex("00") + kFeedAndCut},
        {"type IDC_1D_WIDTH 2\ntype IDC_1D_HEIGHT 80\nchoose IDC_1D_HRI_POSITION Below the "
         "barcode\nclick IDC_1D_FONT_B\nchoose IDC_1D_TYPE Codabar\n",
         Hex("1D 66 01 1D 48 02 1D 77 02 1D 68 50 1D 6B 06") + Text("A123456789A") + Hex("00") +
             kFeedAndCut},
        // Code128 is length-prefixed after the settings a second time; set C digits are packed.
        {"choose IDC_1D_FONT_NAME 1D Code8\ntype IDC_1D_DATA {C1234\n",
         Hex("1D 66 00 1D 48 00 1D 77 03 1D 68 A3 1D 6B 49 00 1D 77 03 1D 68 A3 1D 6B 49 04") +
             Text("{C") + Hex("0C 22 00") + kFeedAndCut},
        {"choose IDC_1D_TYPE Code93\n",
         Hex("1D 66 00 1D 48 00 1D 77 03 1D 68 A3 1D 6B 48 00 1D 77 03 1D 68 A3 1D 6B 48 06") +
             Text("123ABC") + Hex("00") + kFeedAndCut},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edits);
        devmode() = plugin::DefaultOemDevmode();
        const std::size_t before = jobs().size();
        SheetRun run = Run(std::string(c.edits) + "click IDC_1D_PRINT\nclick IDCANCEL\n");
        EXPECT_TRUE(run.LinesWith("message box").empty());
        EXPECT_TRUE(SentOneRawJob(before, "Barcode", c.job));
    }
}

// Data the symbology cannot take is refused with a message and nothing is sent; the road
// beside each refusal prints.
TEST_F(Barcode1DPageTest, InvalidDataIsRefusedWithAMessage) {
    struct Case {
        std::string edits;
        bool printed;
    };
    const Case cases[] = {
        {"choose IDC_1D_TYPE UPC-E\ntype IDC_1D_DATA 123456789012\n", false},  // first byte '0'
        {"choose IDC_1D_TYPE UPC-E\ntype IDC_1D_DATA 023456789012\n", true},
        {"choose IDC_1D_TYPE Codabar\ntype IDC_1D_DATA B123\n", false},  // last byte
        {"choose IDC_1D_TYPE Code128\ntype IDC_1D_DATA 1234\n", false},  // no code set
        {"choose IDC_1D_TYPE Code128\ntype IDC_1D_DATA {C123\n", false},  // odd digits in set C
        {"choose IDC_1D_TYPE Code128\ntype IDC_1D_DATA {C12{A\n", true},
        {"choose IDC_1D_TYPE Code93\ntype IDC_1D_DATA " + std::string(256, 'A') + "\n", false},
        {"choose IDC_1D_TYPE Code93\ntype IDC_1D_DATA " + std::string(255, 'A') + "\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edits.substr(0, 60));
        const std::size_t before = jobs().size();
        std::string script = c.edits + "click IDC_1D_PRINT\n";
        if (!c.printed) script += "expect BarCode data error!\nanswer OK\n";
        SheetRun run = Run(script + "click IDCANCEL\n");
        EXPECT_EQ(run.result, IDCANCEL);
        EXPECT_EQ(jobs().size(), before + (c.printed ? 1 : 0));
        const std::vector<std::string> boxes = run.LinesWith("message box");
        if (c.printed) {
            EXPECT_TRUE(boxes.empty());
        } else {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_NE(boxes[0].find("message box \"Error\" [no icon, OK] \" BarCode data error!\""),
                      std::string::npos)
                << boxes[0];
        }
    }
}

}  // namespace
