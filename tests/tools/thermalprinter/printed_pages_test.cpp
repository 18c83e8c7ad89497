// The property pages' printer jobs printed on the virtual thermal printer: each barcode and code
// the 1D and 2D pages offer is read back from the printed paper by an independent reader
// (zxing-cpp) and compared with the data the page was given, and logos stored from the Download
// page print back dot for dot as their converted work files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/imaging/ConvertToGray.h"
#include "plugin/imaging/ConvertToMonochrome.h"
#include "plugin/pages/LogoSettings.h"
#include "tests/plugin/imaging/TestBitmaps.h"
#include "tests/plugin/pages/SheetHarness.h"
#include "tests/tools/thermalprinter/zxing_reader.h"
#include "tools/thermalprinter/thermal_printer.h"

namespace {

using imagingtest::Bgr;
using imagingtest::Bytes;
using pagetest::SheetHarness;
using pagetest::SheetRun;

constexpr int k1DTab = 3;
constexpr int k2DTab = 4;

class PrintedPagesTest : public SheetHarness {
protected:
    void SetUp() override { plugin::ProcessLogoState() = {}; }

    // The last job's bytes, printed after the jobs before it were replayed.
    std::unique_ptr<thermal::ThermalPrinter> PrintJobs() {
        auto printer = std::make_unique<thermal::ThermalPrinter>(thermal::ModelNamed("VTX-80R"));
        const auto all = jobs();
        for (std::size_t i = 0; i < all.size(); ++i) {
            const auto bytes = jobData(all[i].id);
            const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
            if (i + 1 < all.size()) printer->Replay(view);
            else printer->Receive(view);
        }
        return printer;
    }

    // What the reader finds on the paper, with a white border for the quiet zone.
    static std::vector<thermaltest::ReadCode> Read(const thermal::Paper& paper) {
        constexpr int kBorder = 40;
        const int width = paper.width() + 2 * kBorder, height = paper.rows() + 2 * kBorder;
        std::vector<std::uint8_t> gray(static_cast<std::size_t>(width) * height, 255);
        for (int y = 0; y < paper.rows(); ++y)
            for (int x = 0; x < paper.width(); ++x)
                gray[static_cast<std::size_t>(y + kBorder) * width + x + kBorder] =
                    static_cast<std::uint8_t>(255 - paper.InkAt(x, y));
        return thermaltest::ReadCodes(width, height, gray);
    }

    // Runs the page's script with a fresh device mode, prints the job it sent and expects the
    // one code on the paper to read back as `format` and `text`, with no note beside it.
    void ExpectReadBack(const std::string& script, int tab, const std::string& format, const std::string& text) {
        devmode() = plugin::DefaultOemDevmode();
        const SheetRun run = RunDocumentSheet(script, tab);
        ASSERT_TRUE(run.LinesWith("message box").empty());
        const auto printer = PrintJobs();
        for (const auto& e : printer->paper().events())
            EXPECT_NE(e.kind, thermal::PaperEventKind::Note) << e.text;
        const auto codes = Read(printer->paper());
        ASSERT_EQ(codes.size(), 1u);
        EXPECT_EQ(codes[0].format, format);
        EXPECT_EQ(codes[0].text, text);
    }

    void Put(const std::string& path, const Bytes& bytes) {
        auto process = Process("");
        ASSERT_TRUE(process->files().WriteWholeFile(path.c_str(), bytes)) << path;
    }
};

TEST_F(PrintedPagesTest, EveryLinearSymbologyOfThe1DPageReadsBackAsItsData) {
    struct Case {
        const char* type;
        const char* data;     // typed into "Data"
        const char* format;   // the reader's name for the symbology
        const char* decoded;  // worked by hand: check digits added, start/stop characters dropped
    };
    const Case cases[] = {
        {"UPC-A", "12345678901", "UPC-A", "123456789012"},
        // 0 12000 00345 (check 5) suppresses to UPC-E 0 123450 5.
        {"UPC-E", "01200000345", "UPC-E", "01234505"},
        {"EAN8", "1234567", "EAN-8", "12345670"},
        {"EAN13", "123456789012", "EAN-13", "1234567890128"},
        {"Code39", "CODE 39*", "Code39", "CODE 39"},
        {"ITF", "12345678", "ITF", "12345678"},
        {"Codabar", "A40156B", "Codabar", "A40156B"},
        {"Code93", "TEST93", "Code93", "TEST93"},
        {"Code128", "{BShop 42", "Code128", "Shop 42"},
        {"Code128", "{C123456", "Code128", "123456"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + c.data);
        ExpectReadBack(std::string("choose IDC_1D_TYPE ") + c.type + "\ntype IDC_1D_DATA " + c.data +
                           "\nclick IDC_1D_PRINT\nclick IDCANCEL\n",
                       k1DTab, c.format, c.decoded);
    }
}

TEST_F(PrintedPagesTest, TheHumanReadableLineDoesNotDisturbTheBarcode) {
    const SheetRun run = RunDocumentSheet(
        "choose IDC_1D_HRI_POSITION Both above and below the barcode\nclick IDC_1D_FONT_B\n"
        "type IDC_1D_WIDTH 2\ntype IDC_1D_HEIGHT 60\nclick IDC_1D_PRINT\nclick IDCANCEL\n",
        k1DTab);
    const auto printer = PrintJobs();
    const auto codes = Read(printer->paper());
    ASSERT_EQ(codes.size(), 1u);
    EXPECT_EQ(codes[0].text, "123456789012");
    // Font B above and below: 17 + 60 + 17 dots, then the line feed and the feed to the cutter.
    EXPECT_EQ(printer->paper().cursor(), 17 + 60 + 17 + 30 + thermal::kCutterDistance);
}

TEST_F(PrintedPagesTest, DataTheSymbologyCannotHoldIsANoteNotABarcode) {
    // The 1D page's own sample for EAN13 ends in 3 where the check digit is 8: the page sends
    // it, the printer does not print it.
    RunDocumentSheet("choose IDC_1D_TYPE EAN13\nclick IDC_1D_PRINT\nclick IDCANCEL\n", k1DTab);
    const auto printer = PrintJobs();
    EXPECT_TRUE(Read(printer->paper()).empty());
    bool noted = false;
    for (const auto& e : printer->paper().events())
        noted = noted || (e.kind == thermal::PaperEventKind::Note && e.text.find("check digit") != std::string::npos);
    EXPECT_TRUE(noted);
}

TEST_F(PrintedPagesTest, BothCodesOfThe2DPageReadBackAsTheirData) {
    struct Case {
        const char* edits;
        const char* format;
        const char* data;
    };
    const Case cases[] = {
        {"", "PDF417", "01234567890123"},  // the default slot and data
        {"type IDC_2D_PDF_COLUMNS 6\nchoose IDC_2D_PDF_ERROR Error Correction Level 2\ntype IDC_2D_DATA Order 1042, table 7\n",
         "PDF417", "Order 1042, table 7"},
        {"choose IDC_2D_TYPE QR Code\nchoose IDC_2D_QR_MODEL 2\ntype IDC_2D_DATA https://example.com/r/1042\n",
         "QRCode", "https://example.com/r/1042"},
        {"choose IDC_2D_TYPE QR Code\nchoose IDC_2D_QR_ERROR H\ntype IDC_2D_QR_SIZE 5\ntype IDC_2D_DATA 0123456789\n",
         "QRCode", "0123456789"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edits);
        ExpectReadBack(std::string(c.edits) + "click IDC_2D_PRINT\nclick IDCANCEL\n", k2DTab, c.format, c.data);
    }
}

// A 40 x 21 picture of colour bands and a diagonal, rows in file order (bottom first).
Bytes Picture24() {
    std::vector<std::vector<Bgr>> rows;
    for (int y = 0; y < 21; ++y) {
        std::vector<Bgr> row;
        for (int x = 0; x < 40; ++x) {
            const auto level = static_cast<std::uint8_t>(x * 6 + y * 3);
            row.push_back(x == y ? Bgr{0, 0, 0} : Bgr{level, static_cast<std::uint8_t>(255 - level), level});
        }
        rows.push_back(row);
    }
    return imagingtest::Bitmap24(rows);
}

constexpr int kWidth = 40, kHeight = 21;
// Prints stored logo 1 at its own size.
const std::string kPrintLogo1("\x1cp\x01\x00", 4);

TEST_F(PrintedPagesTest, AOneBitLogoStoredFromTheDownloadPagePrintsAsItsWorkFile) {
    const Bytes source = Picture24();
    Put("C:\\Windows\\Temp\\bands.bmp", source);
    RunDeviceSheet("tab Download\nclick IDC_DOWNLOAD_ADD\npick-file C:\\Windows\\Temp\\bands.bmp\n"
                   "select-row IDC_DOWNLOAD_LOGOS #0\nclick IDC_DOWNLOAD_TRANSFORMATION\n"
                   "click IDC_DOWNLOAD_ALL\nclick IDCANCEL\n");
    const auto printer = PrintJobs();  // the download, printed
    printer->Receive(kPrintLogo1);
    // The work file the page made: "Transformation" is Dither M3 at contrast and brightness 0.
    std::vector<std::uint8_t> work;
    ASSERT_EQ(plugin::RenderMonochrome(source, 1, 0, 0, work), plugin::kMonochromeWritten);
    const thermal::Paper& paper = printer->paper();
    // The logo is 24 dots high (three bands): the 3 blank rows lie above the picture.
    const int top = paper.cursor() - 24 + 3;
    int differences = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const bool black = imagingtest::WorkFileBit(work, kWidth, kHeight - 1 - y, x) == 0;
            differences += black != (paper.InkAt(x, top + y) != 0);
        }
    EXPECT_EQ(differences, 0);
    for (int x = 0; x < 64; ++x)  // the blank rows and the padding columns stay blank
        for (int y = paper.cursor() - 24; y < top; ++y) EXPECT_EQ(paper.InkAt(x, y), 0);
}

TEST_F(PrintedPagesTest, AGrayLogoStoredFromTheDownloadPagePrintsItsSixteenLevels) {
    const Bytes source = Picture24();
    Put("C:\\Windows\\Temp\\bands.bmp", source);
    RunDeviceSheet("tab Download\nclick IDC_DOWNLOAD_ADD\npick-file C:\\Windows\\Temp\\bands.bmp\n"
                   "select-row IDC_DOWNLOAD_LOGOS #0\nclick IDC_DOWNLOAD_GRAY\n"
                   "click IDC_DOWNLOAD_ALL\nclick IDCANCEL\n");
    const auto printer = PrintJobs();
    const int before = printer->paper().cursor();
    printer->Receive(kPrintLogo1);
    std::vector<std::uint8_t> work;
    const unsigned depths[] = {24};
    ASSERT_EQ(plugin::RenderGray(source, depths, 0, 0, work), plugin::kGrayWritten);
    const std::size_t rowSize = (kWidth + 3) / 4 * 4;
    int differences = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const std::uint8_t gray = work[1078 + static_cast<std::size_t>(kHeight - 1 - y) * rowSize + x];
            differences += printer->paper().InkAt(x, before + y) != 255 - (gray >> 4) * 17;
        }
    EXPECT_EQ(differences, 0);
}

}  // namespace
