// The "Water Mark" page on the document sheet: switching a watermark on and off with the text-as-
// graphics flag and the Main page, choosing bitmaps of each depth, the settings' rules (tiled
// size, font size), the preview's placement, and the text watermark's file written on apply.
#include "tests/plugin/pages/SheetHarness.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/sim/state/faults.h"
#include "platform/win_constants.h"
#include "plugin/pages/WatermarkModuleState.h"
#include "tests/plugin/imaging/TestBitmaps.h"

namespace {

using imagingtest::Bytes;
using imagingtest::Le16;
using pagetest::SheetHarness;
using pagetest::SheetRun;
using plugin::WatermarkMode;

constexpr char kWatermarkFile[] = "C:\\Windows\\Temp\\VTX-80R1.bmp";
constexpr char kGraphicsMessage[] = "All Text will be printed as graphics image!";
constexpr char kDepthMessage[] = "Make sure the specified bitmap is 1/8/24/ bits!";

class WatermarkPageTest : public SheetHarness {
protected:
    // Every sheet starts from a freshly loaded module's watermark state.
    WatermarkPageTest() { plugin::ResetWatermarkState(); }

    void PutFile(const std::string& path, const Bytes& bytes) {
        const std::filesystem::path host = machine().HostPath(path);
        std::filesystem::create_directories(host.parent_path());
        std::ofstream(host, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                     static_cast<std::streamsize>(bytes.size()));
    }
    std::optional<Bytes> ReadFile(const std::string& path) {
        std::ifstream in(machine().HostPath(path), std::ios::binary);
        if (!in) return std::nullopt;
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    // The line `show` prints for a control of the page.
    static std::string Control(const std::string& rest) { return "program:     " + rest; }
    static int Count(const SheetRun& run, const std::string& part) {
        return static_cast<int>(run.LinesWith(part).size());
    }
};

// A 2 x 1 bitmap of 4 bits a pixel: pixel data at offset 118, after 16 palette entries.
Bytes FourBitBitmap() {
    Bytes file;
    common::BitmapFileHeader header;
    header.bfType = common::kBitmapSignature;
    header.bfSize = 122;
    header.bfOffBits = 118;
    common::AppendBitmapFileHeader(file, header);
    common::BitmapInfoHeader info;
    info.biWidth = 2;
    info.biHeight = 1;
    info.biBitCount = 4;
    common::AppendBitmapInfoHeader(file, info);
    for (int i = 0; i < 16; ++i) common::AppendRgbQuad(file, {static_cast<std::uint8_t>(i * 16), 0, 0, 0});
    file.insert(file.end(), {0x1F, 0, 0, 0});
    return file;
}

TEST_F(WatermarkPageTest, AWatermarkPrintsTextAsGraphicsAndNoWatermarkGivesTheChoiceBack) {
    ASSERT_FALSE(devmode().textAsGraphics);
    SheetRun run = RunDocumentSheet(
        "tab Water Mark\n"
        "click IDC_WATERMARK_TEXT\nexpect " + std::string(kGraphicsMessage) + "\nanswer OK\n"
        "click IDC_WATERMARK_IMAGE\n"   // the flag is up now: no second message
        "tab Main\nshow\n"
        "tab Water Mark\nclick IDC_WATERMARK_NONE\n"
        "tab Main\nshow\nclick IDOK\n");
    ASSERT_EQ(run.result, IDOK);
    EXPECT_EQ(Count(run, kGraphicsMessage), 1);
    const auto yes = run.LinesWith("1061 IDC_MAIN_TEXT_AS_GRAPHICS_YES");
    const auto no = run.LinesWith("1062 IDC_MAIN_TEXT_AS_GRAPHICS_NO");
    ASSERT_EQ(yes.size(), 2u);
    ASSERT_EQ(no.size(), 2u);
    // With the watermark on: "Yes", both locked.
    EXPECT_NE(yes[0].find("\"Yes\" checked disabled"), std::string::npos) << yes[0];
    EXPECT_NE(no[0].find("\"No\" unchecked disabled"), std::string::npos) << no[0];
    // Switched off: "No", both free.
    EXPECT_NE(yes[1].find("\"Yes\" unchecked"), std::string::npos) << yes[1];
    EXPECT_EQ(yes[1].find("disabled"), std::string::npos) << yes[1];
    EXPECT_NE(no[1].find("\"No\" checked"), std::string::npos) << no[1];
    EXPECT_EQ(devmode().watermarkMode, WatermarkMode::None);
    EXPECT_FALSE(devmode().textAsGraphics);
}

TEST_F(WatermarkPageTest, AWatermarkWithTextAlreadyAsGraphicsAsksNothing) {
    devmode().textAsGraphics = true;
    SheetRun run = RunDocumentSheet("tab Water Mark\nclick IDC_WATERMARK_IMAGE\nclick IDOK\n");
    ASSERT_EQ(run.result, IDOK);
    EXPECT_EQ(Count(run, kGraphicsMessage), 0);
    EXPECT_EQ(devmode().watermarkMode, WatermarkMode::Image);
    EXPECT_TRUE(devmode().textAsGraphics);
}

TEST_F(WatermarkPageTest, ChosenBitmapsAreConvertedOrRefusedByDepth) {
    using imagingtest::Bitmap1;
    using imagingtest::kBlack;
    using imagingtest::kWhite;
    const Bytes twentyFour = imagingtest::Uniform24(3, 2, {10, 20, 30});
    // Width 10, two rows: 30 pixel bytes and 2 of padding a row.
    const Bytes oneBit = Bitmap1({{1, 0, 1, 0, 1, 0, 1, 0, 1, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 1}}, kBlack, kWhite);
    const std::string longFolder = "C:\\scratch\\" + std::string(100, 'd');
    // 11 + 100 + 1 + 8 + 4 characters: 124 fit the device mode, one more does not.
    const std::string path124 = longFolder + "\\" + std::string(8, 'f') + ".bmp";
    const std::string path125 = longFolder + "\\" + std::string(9, 'f') + ".bmp";
    ASSERT_EQ(path124.size(), 124u);
    struct Case {
        const char* what;
        std::string path;
        Bytes content;
        const char* message;  // null: accepted
        std::size_t fileSize;
    } cases[] = {
        {"4 bits", "C:\\scratch\\four.bmp", FourBitBitmap(), kDepthMessage, 0},
        {"24 bits", "C:\\scratch\\true.bmp", twentyFour, nullptr, twentyFour.size()},
        {"1 bit", "C:\\scratch\\mono.bmp", oneBit, nullptr, 54 + 2 * 32},
        {"124 characters", path124, twentyFour, nullptr, twentyFour.size()},
        {"125 characters", path125, twentyFour, "The path of the bitmap is too long!", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        plugin::WriteOemDevmodeDefaults(devmode());
        devmode().textAsGraphics = true;
        std::filesystem::remove(machine().HostPath(kWatermarkFile));
        PutFile(c.path, c.content);
        SheetRun run = RunDocumentSheet(
            "tab Water Mark\nclick IDC_WATERMARK_IMAGE\nclick IDC_WATERMARK_BROWSE\npick-file " + c.path + "\n" +
            (c.message ? "expect " + std::string(c.message) + "\nanswer OK\n" : std::string()) + "click IDOK\n");
        ASSERT_EQ(run.result, IDOK);
        const std::optional<Bytes> written = ReadFile(kWatermarkFile);
        if (c.message) {
            EXPECT_EQ(devmode().watermarkPath.str(), u"");
            EXPECT_FALSE(written);
            continue;
        }
        EXPECT_EQ(devmode().watermarkPath.str(), std::u16string(c.path.begin(), c.path.end()));
        ASSERT_TRUE(written);
        ASSERT_EQ(written->size(), c.fileSize);
        EXPECT_EQ(Le16(*written, 28), 24u);
        if (c.content[28] == 24) {
            EXPECT_EQ(*written, c.content);
        }
    }
}

TEST_F(WatermarkPageTest, CancellingTheFileDialogChangesNothing) {
    devmode().textAsGraphics = true;
    devmode().watermarkPath.assign(u"C:\\scratch\\before.bmp");
    // The preview cannot read the stored path; its message comes as the image is chosen.
    SheetRun run = RunDocumentSheet("tab Water Mark\nclick IDC_WATERMARK_IMAGE\nexpect does not exist\nanswer OK\n"
                                    "click IDC_WATERMARK_BROWSE\ncancel-file\nclick IDOK\n");
    ASSERT_EQ(run.result, IDOK);
    EXPECT_EQ(devmode().watermarkPath.str(), u"C:\\scratch\\before.bmp");
    EXPECT_FALSE(ReadFile(kWatermarkFile));
}

TEST_F(WatermarkPageTest, APreviewErrorIsShownOncePerLoadedModule) {
    devmode().textAsGraphics = true;
    devmode().watermarkMode = WatermarkMode::Image;
    devmode().watermarkPath.assign(u"C:\\scratch\\missing.bmp");
    SheetRun first = RunDocumentSheet("tab Water Mark\nexpect The specified file does not exist!\nanswer OK\n"
                                      "click IDC_WATERMARK_TEXT\nclick IDC_WATERMARK_IMAGE\nshow\nclick IDCANCEL\n");
    ASSERT_EQ(first.result, IDCANCEL);
    EXPECT_EQ(Count(first, "The specified file does not exist!"), 1);
    // A white preview, whatever the bitmap was.
    EXPECT_EQ(Count(first, "painted: (246,97)-(366,240) filled with RGB(255, 255, 255)"), 1);
    SheetRun second = RunDocumentSheet("tab Water Mark\nshow\nclick IDCANCEL\n");
    EXPECT_EQ(Count(second, "does not exist"), 0);
}

TEST_F(WatermarkPageTest, TiledNeedsASizeOfAtLeastTwenty) {
    devmode().textAsGraphics = true;
    devmode().watermarkMode = WatermarkMode::Text;
    struct Case {
        const char* what;
        const char* actions;
        const char* label;
    } cases[] = {
        {"tiled, then size 5", "choose IDC_WATERMARK_POSITION Tiled\nslide IDC_WATERMARK_SIZE 5\n", "\"20%\""},
        {"size 5, then tiled", "slide IDC_WATERMARK_SIZE 5\nchoose IDC_WATERMARK_POSITION Tiled\n", "\"20\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        devmode().watermarkPosition = 4;
        devmode().watermarkSize = 100;
        SheetRun run = RunDocumentSheet(std::string("tab Water Mark\n") + c.actions + "show\nclick IDOK\n");
        ASSERT_EQ(run.result, IDOK);
        EXPECT_EQ(devmode().watermarkPosition, 9);
        EXPECT_EQ(devmode().watermarkSize, 20);
        EXPECT_TRUE(run.Has(Control("1082 IDC_WATERMARK_SIZE trackbar \"\" at 20 of 0..100")));
        EXPECT_TRUE(run.Has(Control(std::string("1084 IDC_WATERMARK_SIZE_VALUE static ") + c.label)));
    }
    // Not tiled, 5 stays 5.
    SheetRun free = RunDocumentSheet("tab Water Mark\nchoose IDC_WATERMARK_POSITION Left-Top\n"
                                     "slide IDC_WATERMARK_SIZE 5\nclick IDOK\n");
    ASSERT_EQ(free.result, IDOK);
    EXPECT_EQ(devmode().watermarkSize, 5);
}

TEST_F(WatermarkPageTest, FontSizeIsKeptBetweenEightAndSeventyTwo) {
    devmode().textAsGraphics = true;
    devmode().watermarkMode = WatermarkMode::Text;
    struct Case {
        const char* actions;
        const char* shown;
        int stored;
    } cases[] = {
        {"type IDC_WATERMARK_FONT_SIZE 90\n", "72", 72},         // at once, while typing
        {"type IDC_WATERMARK_FONT_SIZE 5\nleave IDC_WATERMARK_FONT_SIZE\n", "8", 8},
        {"type IDC_WATERMARK_FONT_SIZE 8\nleave IDC_WATERMARK_FONT_SIZE\n", "8", 8},
        {"type IDC_WATERMARK_FONT_SIZE 72\nleave IDC_WATERMARK_FONT_SIZE\n", "72", 72},
        {"type IDC_WATERMARK_FONT_SIZE 30\nspin IDC_WATERMARK_FONT_SIZE_UPDOWN up\n", "31", 31},
        {"type IDC_WATERMARK_FONT_SIZE 72\nspin IDC_WATERMARK_FONT_SIZE_UPDOWN up\n", "72", 72},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.actions);
        devmode().watermarkFontSize = 50;
        SheetRun run = RunDocumentSheet(std::string("tab Water Mark\n") + c.actions +
                                        "expect-text IDC_WATERMARK_FONT_SIZE " + c.shown + "\nclick IDCANCEL\n");
        ASSERT_EQ(run.result, IDCANCEL);
        EXPECT_EQ(devmode().watermarkFontSize, c.stored);
    }
}

TEST_F(WatermarkPageTest, TheTextKeepsFifteenCharacters) {
    devmode().textAsGraphics = true;
    devmode().watermarkMode = WatermarkMode::Text;
    SheetRun run = RunDocumentSheet("tab Water Mark\ntype IDC_WATERMARK_TEXT_BOX ABCDEFGHIJKLMNOPQ\n"
                                    "expect-text IDC_WATERMARK_TEXT_BOX ABCDEFGHIJKLMNO\nclick IDOK\n");
    ASSERT_EQ(run.result, IDOK);
    EXPECT_EQ(devmode().watermarkText.str(), u"ABCDEFGHIJKLMNO");
    // A chosen entry is stored as chosen.
    RunDocumentSheet("tab Water Mark\nchoose IDC_WATERMARK_TEXT_BOX TOP SECRET\nclick IDCANCEL\n");
    EXPECT_EQ(devmode().watermarkText.str(), u"TOP SECRET");
}

TEST_F(WatermarkPageTest, ThePreviewPlacesTheBitmapByPositionAndSize) {
    // The preview area is 120 x 143 pixels at (246, 97). A 200 x 100 bitmap at 50%: w = 60;
    // h_src = 143 x 200 x 100 / (50 x 120) = 476, so all 100 rows; h = 50 x 100 x 120 /
    // (200 x 100) = 30.
    PutFile("C:\\scratch\\wide.bmp", imagingtest::Uniform24(200, 100, {0, 0, 255}));
    devmode().textAsGraphics = true;
    devmode().watermarkMode = WatermarkMode::Image;
    devmode().watermarkPath.assign(u"C:\\scratch\\wide.bmp");
    devmode().watermarkSize = 50;
    struct Case {
        const char* position;
        const char* target;
    } cases[] = {
        {"Left-Top", "(246,97)-(306,127)"},
        {"Center-Middle", "(276,153)-(336,183)"},  // (120 - 60) / 2, (143 - 30) / 2 = 56
        {"Right-Bottom", "(306,210)-(366,240)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        SheetRun run = RunDocumentSheet(std::string("tab Water Mark\nchoose IDC_WATERMARK_POSITION ") + c.position +
                                        "\nshow\nclick IDCANCEL\n");
        EXPECT_EQ(Count(run, std::string("painted: a 200x100 picture's (0,0)-(200,100) stretched over ") + c.target +
                                 " (COLORONCOLOR)"),
                  1);
    }
}

TEST_F(WatermarkPageTest, ApplyingATextWatermarkStoresItsFieldsAndWritesItsPicture) {
    SheetRun run = RunDocumentSheet(
        "tab Water Mark\nclick IDC_WATERMARK_TEXT\nanswer OK\n"
        "type IDC_WATERMARK_TEXT_BOX HIHIH\n"  // no descenders: the ink ends on the baseline
        "choose IDC_WATERMARK_FONT_TYPE DejaVu Sans\nchoose IDC_WATERMARK_FONT_STYLE Bold\n"
        "type IDC_WATERMARK_FONT_SIZE 40\nslide IDC_WATERMARK_ANGLE 0\n"
        "choose IDC_WATERMARK_POSITION Center-Top\nslide IDC_WATERMARK_SIZE 60\n"
        "slide IDC_WATERMARK_BRIGHTNESS 30\napply\nshow\nclick IDCANCEL\n");
    EXPECT_EQ(devmode().watermarkMode, WatermarkMode::Text);
    EXPECT_TRUE(devmode().textAsGraphics);
    EXPECT_EQ(devmode().watermarkText.str(), u"HIHIH");
    EXPECT_EQ(devmode().watermarkFontFace.str(), u"DejaVu Sans");
    EXPECT_EQ(devmode().watermarkFontSize, 40);
    EXPECT_EQ(devmode().watermarkFontStyle, 2);
    EXPECT_EQ(devmode().watermarkAngle, 0);
    EXPECT_EQ(devmode().watermarkPosition, 1);
    EXPECT_EQ(devmode().watermarkSize, 60);
    EXPECT_EQ(devmode().watermarkBrightness, 30);
    ASSERT_FALSE(setResults().empty());
    EXPECT_EQ(setResults().back().result, CPSUI_OK);
    EXPECT_TRUE(run.Has("program:   12321 button \"&Apply\" disabled"));

    const std::optional<Bytes> file = ReadFile(kWatermarkFile);
    ASSERT_TRUE(file);
    // The file's headers are checked field by field in TextWatermarkTest; here its pixels.
    ASSERT_EQ(file->size(), 270054u);
    // The ink's box, in top-down rows: the file's rows run bottom-up, 900 bytes each.
    int left = 300, right = -1, top = 300, bottom = -1, darkest = 255;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x) {
            const std::uint8_t* p = file->data() + 54 + (299 - y) * 900 + x * 3;
            const int level = std::min({p[0], p[1], p[2]});
            darkest = std::min(darkest, level);
            if (level >= 128) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    EXPECT_LT(darkest, 64);  // the file is not lightened: that is the preview's
    // The same font measured on the machine: 40 points at 96 pixels an inch are 53 pixels.
    auto platform = Process("");
    auto surface = platform->textRaster().CreateSurface(300, 300);
    ASSERT_TRUE(surface);
    plat::LogFontW font;
    font.SetFaceName(u"DejaVu Sans");
    font.lfHeight = -53;
    font.lfWeight = 700;
    ASSERT_TRUE(surface->SelectFont(font));
    const plat::TextExtent extent = surface->MeasureText(u"HIHIH");
    ASSERT_GT(extent.cx, 0);
    // At angle 0 the text starts at x = 150 - cx / 2 on the baseline y = 150 + cy / 2; an H's
    // ink starts a few pixels right of its origin and ends just above the baseline.
    const int startX = 150 - extent.cx / 2, baseline = 150 + extent.cy / 2;
    EXPECT_GE(left, startX);
    EXPECT_LE(left, startX + 8);
    EXPECT_LE(right, startX + extent.cx);
    EXPECT_GE(right, startX + extent.cx - 8);
    EXPECT_LE(bottom, baseline);
    EXPECT_GE(bottom, baseline - 2);
    EXPECT_LT(top, bottom - 20);
}

TEST_F(WatermarkPageTest, ATextWatermarkFileThatCannotBeWrittenReportsNoResult) {
    devmode().textAsGraphics = true;
    std::string error;
    ASSERT_TRUE(sim::AddFault(machine(), {"CreateFileA", ERROR_ACCESS_DENIED, 0, kWatermarkFile}, error)) << error;
    // The sheet made two pages, Main and Water Mark: only Main reports.
    std::size_t before = setResults().size();
    RunDocumentSheet("tab Water Mark\nclick IDC_WATERMARK_TEXT\napply\nclick IDCANCEL\n");
    EXPECT_FALSE(ReadFile(kWatermarkFile));
    EXPECT_EQ(setResults().size() - before, 1u);
    // Without a text watermark there is no file to write, and both report.
    before = setResults().size();
    RunDocumentSheet("tab Water Mark\nclick IDC_WATERMARK_NONE\napply\nclick IDCANCEL\n");
    EXPECT_EQ(setResults().size() - before, 2u);
}

}  // namespace
