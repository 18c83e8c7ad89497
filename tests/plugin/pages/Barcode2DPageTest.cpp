// The "2D Code" page on the plug-in's document sheet: the slot a font name shows, the groups its
// symbology enables, the range rules on typing and on leaving a field, and the test print.
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

constexpr int k2DTab = 4;  // the sheet makes only the page it shows, so only this one reports

class Barcode2DPageTest : public SheetHarness {
protected:
    SheetRun Run(const std::string& script) { return RunDocumentSheet(script, k2DTab); }
    static bool Shows(const SheetRun& run, const std::string& control) {
        return run.Has("program:     " + control);
    }
    plugin::BarcodeSlot2D& slot(int index) { return devmode().barcode2D[index]; }
    // The line `show` printed for a control, "" when there is none.
    static std::string Line(const SheetRun& run, const std::string& name) {
        const std::vector<std::string> lines = run.LinesWith(" " + name + " ");
        return lines.empty() ? "" : lines.back();
    }
    static bool Disabled(const std::string& line) {
        return line.find(" disabled") != std::string::npos;
    }
};

TEST_F(Barcode2DPageTest, OpeningShowsTheFirstSlotWithThePdf417GroupEnabled) {
    const plugin::OemDevmode before = devmode();
    SheetRun run = Run("show\nclick IDOK\n");
    EXPECT_EQ(run.result, IDOK);
    EXPECT_TRUE(Shows(run, "1301 IDC_2D_FONT_NAME drop-down list \"\" [\"2D Code1\", \"2D Code2\"] "
                           "selected #0"));
    EXPECT_TRUE(Shows(run, "1302 IDC_2D_TYPE drop-down list \"\" [\"PDF417\", \"QR Code\"] selected #0"));
    EXPECT_TRUE(Shows(run, "1303 IDC_2D_POINT read-only edit \"9.5\" disabled"));
    EXPECT_TRUE(Shows(run, "1312 IDC_2D_PDF_COLUMNS edit \"3\""));
    EXPECT_TRUE(Shows(run, "1313 IDC_2D_PDF_COLUMNS_SPIN up-down \"\" at 3 of 1..30"));
    EXPECT_TRUE(Shows(run, "1314 IDC_2D_PDF_COLUMNS_RANGE static \"[ 1. . 30 ]\""));
    EXPECT_TRUE(Shows(run, "1317 IDC_2D_PDF_WIDTH_SPIN up-down \"\" at 3 of 1..4"));
    EXPECT_TRUE(Shows(run, "1318 IDC_2D_PDF_WIDTH_RANGE static \"[ 1. . 4 ]\""));
    EXPECT_TRUE(Shows(run, "1321 IDC_2D_PDF_ROWS_SPIN up-down \"\" at 3 of 3..90"));
    EXPECT_TRUE(Shows(run, "1322 IDC_2D_PDF_ROWS_RANGE static \"[ 3 . . 90 ]\""));
    EXPECT_TRUE(Shows(run, "1325 IDC_2D_PDF_HEIGHT_SPIN up-down \"\" at 3 of 2..25"));
    EXPECT_TRUE(Shows(run, "1326 IDC_2D_PDF_HEIGHT_RANGE static \"[ 2 . . 25 ]\""));
    EXPECT_NE(Line(run, "IDC_2D_PDF_ERROR").find("\"Error Correction Level 8\"] selected #5"),
              std::string::npos);
    EXPECT_TRUE(Shows(run, "1343 IDC_2D_QR_SIZE_SPIN up-down \"\" disabled at 3 of 1..24"));
    EXPECT_TRUE(Shows(run, "1345 IDC_2D_QR_LANGUAGE drop-down list \"\" disabled [\"Chinese\", "
                           "\"Japanese\"] selected #0"));
    EXPECT_TRUE(Shows(run, "1347 IDC_2D_QR_MODEL drop-down list \"\" disabled [\"1\", \"2\"] selected #0"));
    EXPECT_TRUE(Shows(run, "1349 IDC_2D_QR_ERROR drop-down list \"\" disabled [\"L\", \"M\", \"H\", "
                           "\"Q\"] selected #1"));
    EXPECT_TRUE(Shows(run, "1360 IDC_2D_DATA edit \"01234567890123\""));
    EXPECT_TRUE(Shows(run, "1361 IDC_2D_PRINT button \"Print\""));
    EXPECT_FALSE(Disabled(Line(run, "IDC_2D_PDF_ROWS")));
    EXPECT_TRUE(run.Has("program:   12321 button \"&Apply\" disabled"));
    EXPECT_EQ(std::memcmp(&before, &devmode(), sizeof before), 0);
    ASSERT_EQ(setResults().size(), 1u);
    EXPECT_EQ(setResults()[0].sheet, sheetHandle());
    EXPECT_EQ(setResults()[0].handle, reinterpret_cast<plugin::com::HANDLE>(1006));
    EXPECT_EQ(setResults()[0].result, CPSUI_OK);
}

// The type is stored and enables its own group only; Data gets the sample again.
TEST_F(Barcode2DPageTest, TheTypeEnablesItsGroupAndDisablesTheOther) {
    SheetRun run = Run("type IDC_2D_DATA abc\nchoose IDC_2D_TYPE QR Code\nshow\n"
                       "choose IDC_2D_TYPE PDF417\nshow\nchoose IDC_2D_TYPE QR Code\nclick IDCANCEL\n");
    const std::vector<std::string> rows = run.LinesWith(" IDC_2D_PDF_ROWS ");
    const std::vector<std::string> qr = run.LinesWith(" IDC_2D_QR_LANGUAGE ");
    const std::vector<std::string> group = run.LinesWith(" IDC_2D_QR_GROUP ");
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_EQ(qr.size(), 2u);
    ASSERT_EQ(group.size(), 2u);
    EXPECT_TRUE(Disabled(rows[0]));
    EXPECT_FALSE(Disabled(qr[0]));
    EXPECT_FALSE(Disabled(group[0]));
    EXPECT_FALSE(Disabled(rows[1]));
    EXPECT_TRUE(Disabled(qr[1]));
    EXPECT_TRUE(run.Has("program:     1360 IDC_2D_DATA edit \"01234567890123\""));
    EXPECT_EQ(slot(0).symbology, 1);
    EXPECT_EQ(slot(1).symbology, 0);
}

// Fields read as they are typed: above the range becomes the top, 0 becomes 1.
TEST_F(Barcode2DPageTest, TypedNumbersAreKeptInTheirRanges) {
    struct Case {
        const char* script;
        std::uint8_t plugin::BarcodeSlot2D::*field;
        int stored;
        const char* shown;
    };
    const Case cases[] = {
        {"type IDC_2D_PDF_COLUMNS 0\n", &plugin::BarcodeSlot2D::pdfColumns, 1, "1"},
        {"type IDC_2D_PDF_COLUMNS 1\n", &plugin::BarcodeSlot2D::pdfColumns, 1, "1"},
        {"type IDC_2D_PDF_COLUMNS 30\n", &plugin::BarcodeSlot2D::pdfColumns, 30, "30"},
        {"type IDC_2D_PDF_COLUMNS 45\n", &plugin::BarcodeSlot2D::pdfColumns, 30, "30"},
        {"type IDC_2D_PDF_WIDTH 0\n", &plugin::BarcodeSlot2D::pdfModuleWidth, 1, "1"},
        {"type IDC_2D_PDF_WIDTH 4\n", &plugin::BarcodeSlot2D::pdfModuleWidth, 4, "4"},
        {"type IDC_2D_PDF_WIDTH 5\n", &plugin::BarcodeSlot2D::pdfModuleWidth, 4, "4"},
        {"choose IDC_2D_TYPE QR Code\ntype IDC_2D_QR_SIZE 0\n", &plugin::BarcodeSlot2D::qrModuleSize, 1, "1"},
        {"choose IDC_2D_TYPE QR Code\ntype IDC_2D_QR_SIZE 24\n", &plugin::BarcodeSlot2D::qrModuleSize, 24, "24"},
        {"choose IDC_2D_TYPE QR Code\ntype IDC_2D_QR_SIZE 25\n", &plugin::BarcodeSlot2D::qrModuleSize, 24, "24"},
        // Rows and element height wait for the focus to leave: typing alone stores nothing.
        {"type IDC_2D_PDF_ROWS 50\n", &plugin::BarcodeSlot2D::pdfRows, 3, "50"},
        {"type IDC_2D_PDF_HEIGHT 20\n", &plugin::BarcodeSlot2D::pdfModuleHeight, 3, "20"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        devmode() = plugin::DefaultOemDevmode();
        const std::string edit = std::string(c.script).substr(std::string(c.script).rfind("type ") + 5);
        const std::string id = edit.substr(0, edit.find(' '));
        SheetRun run = Run(std::string(c.script) + "expect-text " + id + " " + c.shown +
                           "\nclick IDCANCEL\n");
        EXPECT_EQ(run.result, IDCANCEL);
        EXPECT_EQ(slot(0).*c.field, c.stored);
    }
}

// Rows and element height are checked when the focus leaves them: above the range becomes the
// top silently, below it is said in a message and becomes the bottom.
TEST_F(Barcode2DPageTest, LeavingRowsOrHeightCorrectsTheValue) {
    struct Case {
        const char* id;
        const char* typed;
        std::uint8_t plugin::BarcodeSlot2D::*field;
        int stored;
        const char* message;  // null: none
    };
    const Case cases[] = {
        {"IDC_2D_PDF_ROWS", "2", &plugin::BarcodeSlot2D::pdfRows, 3, "The Number(Row) Should >=3 !"},
        {"IDC_2D_PDF_ROWS", "3", &plugin::BarcodeSlot2D::pdfRows, 3, nullptr},
        {"IDC_2D_PDF_ROWS", "90", &plugin::BarcodeSlot2D::pdfRows, 90, nullptr},
        {"IDC_2D_PDF_ROWS", "95", &plugin::BarcodeSlot2D::pdfRows, 90, nullptr},
        {"IDC_2D_PDF_HEIGHT", "1", &plugin::BarcodeSlot2D::pdfModuleHeight, 2,
         "The Number(Element Height) Should >=2 !"},
        {"IDC_2D_PDF_HEIGHT", "2", &plugin::BarcodeSlot2D::pdfModuleHeight, 2, nullptr},
        {"IDC_2D_PDF_HEIGHT", "25", &plugin::BarcodeSlot2D::pdfModuleHeight, 25, nullptr},
        {"IDC_2D_PDF_HEIGHT", "26", &plugin::BarcodeSlot2D::pdfModuleHeight, 25, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.id) + " " + c.typed);
        devmode() = plugin::DefaultOemDevmode();
        std::string script = std::string("type ") + c.id + " " + c.typed + "\nleave " + c.id + "\n";
        if (c.message) script += std::string("expect ") + c.message + "\nanswer OK\n";
        script += std::string("expect-text ") + c.id + " " + std::to_string(c.stored) + "\nclick IDCANCEL\n";
        SheetRun run = Run(script);
        EXPECT_EQ(run.result, IDCANCEL);
        EXPECT_EQ(slot(0).*c.field, c.stored);
        const std::vector<std::string> boxes = run.LinesWith("message box");
        if (c.message) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_NE(boxes[0].find(std::string("message box \"PDF417\" [information icon, OK] \"") +
                                    c.message + "\""),
                      std::string::npos)
                << boxes[0];
        } else {
            EXPECT_TRUE(boxes.empty());
        }
    }
}

TEST_F(Barcode2DPageTest, ListsStoreTheirIndexAndTheModelItsNumber) {
    Run("choose IDC_2D_PDF_ERROR Error Correction Level 8\nchoose IDC_2D_TYPE QR Code\n"
        "choose IDC_2D_QR_LANGUAGE Japanese\nchoose IDC_2D_QR_MODEL 2\nchoose IDC_2D_QR_ERROR Q\n"
        "click IDCANCEL\n");
    EXPECT_EQ(slot(0).pdfErrorLevel, 8);
    EXPECT_EQ(slot(0).qrLanguage, 1);
    EXPECT_EQ(slot(0).qrModel, 2);
    EXPECT_EQ(slot(0).qrErrorCorrection, 3);
}

// The second font shows and takes its own slot.
TEST_F(Barcode2DPageTest, TheSecondFontNameEditsTheSecondSlot) {
    slot(1).symbology = 1;
    slot(1).qrModuleSize = 7;
    slot(1).qrModel = 2;
    SheetRun run = Run("choose IDC_2D_FONT_NAME 2D Code2\nshow\ntype IDC_2D_QR_SIZE 9\n"
                       "apply\nshow\nclick IDCANCEL\n");
    EXPECT_TRUE(run.Has("program:     1342 IDC_2D_QR_SIZE edit \"7\""));
    EXPECT_NE(Line(run, "IDC_2D_QR_MODEL").find("selected #1"), std::string::npos);
    EXPECT_EQ(slot(1).qrModuleSize, 9);
    EXPECT_EQ(slot(0).qrModuleSize, 3);
    // Apply reported the result and left Apply disabled again.
    ASSERT_EQ(setResults().size(), 1u);
    EXPECT_EQ(setResults()[0].result, CPSUI_OK);
    EXPECT_TRUE(Disabled(Line(run, "button \"&Apply\"")));
}

TEST_F(Barcode2DPageTest, PrintIsEnabledOnlyWithData) {
    SheetRun run = Run("type IDC_2D_DATA\nshow\ntype IDC_2D_DATA x\nshow\nclick IDCANCEL\n");
    const std::vector<std::string> print = run.LinesWith("IDC_2D_PRINT");
    ASSERT_EQ(print.size(), 2u);
    EXPECT_TRUE(Disabled(print[0]));
    EXPECT_FALSE(Disabled(print[1]));
}

TEST_F(Barcode2DPageTest, PrintSendsTheSlotsCode) {
    struct Case {
        const char* edits;
        Bytes job;
    };
    const Case cases[] = {
        // The default slot and data: rows, columns, width, height 3, level 5.
        {"", Hex("1D 70 01 01 03 03 03 03 1D 71 05 1D 6B 0A") + Text("01234567890123") + Hex("00") +
                 kFeedAndCut},
        {"type IDC_2D_PDF_COLUMNS 12\ntype IDC_2D_PDF_ROWS 40\nleave IDC_2D_PDF_ROWS\n"
         "type IDC_2D_PDF_WIDTH 2\ntype IDC_2D_PDF_HEIGHT 9\nleave IDC_2D_PDF_HEIGHT\n"
         "choose IDC_2D_PDF_ERROR Error Correction Level 0\ntype IDC_2D_DATA A\n",
         Hex("1D 70 01 01 28 0C 02 09 1D 71 00 1D 6B 0A 41 00") + kFeedAndCut},
        // QR Code: module size, language, model, then the error correction letter.
        {"choose IDC_2D_TYPE QR Code\n", Hex("1D 6F 00 03 00 01 1D 6B 0B 4D 41 2C") +
                                             Text("01234567890123") + Hex("00") + kFeedAndCut},
        {"choose IDC_2D_TYPE QR Code\nchoose IDC_2D_QR_ERROR Q\nchoose IDC_2D_QR_MODEL 2\n"
         "type IDC_2D_QR_SIZE 8\nchoose IDC_2D_QR_LANGUAGE Japanese\ntype IDC_2D_DATA 99\n",
         Hex("1D 6F 00 08 01 02 1D 6B 0B 51 41 2C 39 39 00") + kFeedAndCut},
        {"choose IDC_2D_TYPE QR Code\nchoose IDC_2D_QR_ERROR H\ntype IDC_2D_DATA 1\n",
         Hex("1D 6F 00 03 00 01 1D 6B 0B 48 41 2C 31 00") + kFeedAndCut},
        {"choose IDC_2D_TYPE QR Code\nchoose IDC_2D_QR_ERROR L\ntype IDC_2D_DATA 1\n",
         Hex("1D 6F 00 03 00 01 1D 6B 0B 4C 41 2C 31 00") + kFeedAndCut},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edits);
        devmode() = plugin::DefaultOemDevmode();
        const std::size_t before = jobs().size();
        SheetRun run = Run(std::string(c.edits) + "click IDC_2D_PRINT\nclick IDCANCEL\n");
        EXPECT_TRUE(run.LinesWith("message box").empty());
        EXPECT_TRUE(SentOneRawJob(before, "2Dcode", c.job));
    }
}

// Both symbologies take 1 to 255 bytes of data; 256 are refused with a message.
TEST_F(Barcode2DPageTest, DataOver255BytesIsRefused) {
    struct Case {
        const char* type;
        std::size_t length;
        bool printed;
    };
    const Case cases[] = {
        {"PDF417", 255, true}, {"PDF417", 256, false},
        {"QR Code", 255, true}, {"QR Code", 256, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + std::to_string(c.length));
        const std::size_t before = jobs().size();
        std::string script = std::string("choose IDC_2D_TYPE ") + c.type + "\ntype IDC_2D_DATA " +
                             std::string(c.length, '7') + "\nclick IDC_2D_PRINT\n";
        if (!c.printed) script += "expect BarCode data error!\nanswer OK\n";
        SheetRun run = Run(script + "click IDCANCEL\n");
        EXPECT_EQ(run.result, IDCANCEL);
        ASSERT_EQ(jobs().size(), before + (c.printed ? 1 : 0));
        if (c.printed) {
            const Bytes data = jobData(jobs().back().id);
            EXPECT_EQ(data.size(), (c.type[0] == 'P' ? 14u : 12u) + c.length + 1 + kFeedAndCut.size());
        } else {
            const std::vector<std::string> boxes = run.LinesWith("message box");
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_NE(boxes[0].find("message box \"Error\" [no icon, OK] \" BarCode data error!\""),
                      std::string::npos)
                << boxes[0];
        }
    }
}

}  // namespace
