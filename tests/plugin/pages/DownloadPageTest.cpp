// The "Download" page on the device sheet: adding, deleting and converting logos, the preview,
// the jobs that store or clear logos, and the file download. Expected bytes are worked by hand
// from the printer's command layout.
#include "tests/plugin/pages/SheetHarness.h"

#include "platform/sim/state/faults.h"
#include "platform/win_constants.h"
#include "plugin/pages/LogoSettings.h"
#include "tests/plugin/imaging/TestBitmaps.h"

namespace {

using imagingtest::Bytes;
using imagingtest::kBlack;
using imagingtest::kWhite;
using pagetest::SheetHarness;
using pagetest::SheetRun;

const Bytes kEnter = {0x1B, 0x63, 0x3B, 0x01};
const Bytes kLeave = {0x1B, 0x63, 0x3B, 0x00};

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

// A one-bit file of the size with all pixels at palette index 0, `extra` bytes after its rows.
Bytes OneBit(std::int32_t width, std::int32_t height, common::RgbQuad entry0 = kBlack,
             common::RgbQuad entry1 = kWhite, std::size_t extra = 0) {
    Bytes f;
    const auto rowSize = static_cast<std::uint32_t>((width + 31) / 32 * 4);
    common::AppendBitmapFileHeader(f, {common::kBitmapSignature, 0, 0, 0, 62});
    common::BitmapInfoHeader info;
    info.biWidth = width;
    info.biHeight = height;
    info.biBitCount = 1;
    common::AppendBitmapInfoHeader(f, info);
    common::AppendRgbQuad(f, entry0);
    common::AppendRgbQuad(f, entry1);
    f.resize(f.size() + rowSize * static_cast<std::uint32_t>(height) + extra, 0);
    return f;
}

class DownloadPageTest : public SheetHarness {
protected:
    // The logo settings belong to the process: each test starts as a freshly loaded plug-in.
    void SetUp() override { plugin::ProcessLogoState() = {}; }

    void Put(const std::string& path, const Bytes& bytes) {
        auto process = Process("");
        ASSERT_TRUE(process->files().WriteWholeFile(path.c_str(), bytes)) << path;
    }
    bool Exists(const std::string& path) {
        auto process = Process("");
        Bytes ignored;
        return process->files().ReadWholeFile(path.c_str(), ignored);
    }
    // The device sheet on the Download page.
    SheetRun Run(const std::string& script) { return RunDeviceSheet("tab Download\n" + script); }
    static std::string Control(const std::string& rest) { return "program:     " + rest; }
    static std::vector<std::string> Messages(const SheetRun& run) { return run.LinesWith("message box"); }
};

std::string Add(const std::string& path) { return "click IDC_DOWNLOAD_ADD\npick-file " + path + "\n"; }
// Adds the logos, selects the first and makes `type` ("TRANSFORMATION", "GRAY") the list's type.
std::string AddAs(const std::vector<std::string>& paths, const std::string& type) {
    std::string script;
    for (const std::string& p : paths) script += Add(p);
    return script + "select-row IDC_DOWNLOAD_LOGOS #0\nclick IDC_DOWNLOAD_" + type + "\n";
}

constexpr char kList[] = "1101 IDC_DOWNLOAD_LOGOS list view \"\" rows ";
const std::string kTooBig =
    "\"The image is too big to be selected.\\nthe width must be less than 1024 Byte,and the height must be less than 768 Byte!\"";

TEST_F(DownloadPageTest, OpensWithOriginalNoneAndEverythingButAddAndBrowseWaiting) {
    SheetRun run = Run("show\nclick IDOK\n");
    EXPECT_TRUE(run.Has(Control(std::string(kList) + "[] full-row select")));
    EXPECT_TRUE(run.Has(Control("1107 IDC_DOWNLOAD_ORIGINAL auto radio button \"Original\" checked disabled")));
    EXPECT_TRUE(run.Has(Control("1108 IDC_DOWNLOAD_TRANSFORMATION auto radio button \"Transformation\" unchecked disabled")));
    EXPECT_TRUE(run.Has(Control("1110 IDC_DOWNLOAD_NONE auto radio button \"None\" checked disabled")));
    EXPECT_TRUE(run.Has(Control("1114 IDC_DOWNLOAD_CONTRAST trackbar \"\" disabled at 0 of -100..100")));
    EXPECT_TRUE(run.Has(Control("1116 IDC_DOWNLOAD_BRIGHTNESS trackbar \"\" disabled at 0 of -100..100")));
    EXPECT_TRUE(run.Has(Control("1115 IDC_DOWNLOAD_CONTRAST_VALUE static \"0\"")));
    EXPECT_TRUE(run.Has(Control("1104 IDC_DOWNLOAD_ALL button \"Download all\" disabled")));
    EXPECT_TRUE(run.Has(Control("1102 IDC_DOWNLOAD_ADD button \"Add\"")));
    EXPECT_TRUE(run.Has(Control("1121 IDC_DOWNLOAD_FILE_PATH read-only edit \"\"")));
    EXPECT_TRUE(run.Has(Control("1122 IDC_DOWNLOAD_BROWSE button \"Browse\"")));
    EXPECT_TRUE(run.Has(Control("1123 IDC_DOWNLOAD_FILE button \"Download\" disabled")));
    EXPECT_TRUE(run.Has(Control("painted: (118,123)-(181,204) filled with the brush value 15")));
}

TEST_F(DownloadPageTest, AddChecksTheFileAndRefusesWithItsMessage) {
    struct Case {
        const char* what;
        Bytes file;         // empty: no file at all
        std::string shown;  // the message, or "" when the logo is listed
    };
    const Bytes small = OneBit(8, 1);  // 62 bytes of headers and 4 of pixels
    const Case cases[] = {
        {"1024 x 768", OneBit(1024, 768), ""},
        {"1025 wide", OneBit(1025, 768), kTooBig},
        {"769 high", OneBit(1024, 769), kTooBig},
        {"62 bytes of headers only", Bytes(small.begin(), small.begin() + 62), ""},
        {"61 bytes", Bytes(small.begin(), small.begin() + 61), "\"Failed to get data from the file!\""},
        {"no such file", {}, "\"Fail to open the selected file!\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.file.empty()) Put("C:\\scratch\\logo.bmp", c.file);
        else Process("")->files().DeleteFileA("C:\\scratch\\logo.bmp");
        SheetRun run = Run(Add("C:\\scratch\\logo.bmp") + "show\nclick IDOK\n");
        if (c.shown.empty()) {
            EXPECT_TRUE(Messages(run).empty());
            EXPECT_TRUE(run.Has(Control(std::string(kList) +
                                        "[\"1\" | \"logo.bmp\" | \"C:\\scratch\\logo.bmp\"] full-row select focused")));
        } else {
            ASSERT_EQ(Messages(run).size(), 1u);
            EXPECT_NE(Messages(run)[0].find("message box \"Error\" [no icon, OK] " + c.shown + " -> OK"), std::string::npos);
            EXPECT_TRUE(run.Has(Control(std::string(kList) + "[] full-row select")));
        }
    }
}

TEST_F(DownloadPageTest, WhatATypeAddsAndConvertsFirst) {
    Put("C:\\scratch\\rgb.bmp", imagingtest::Uniform24(8, 2, {0, 0, 0}));
    Put("C:\\scratch\\one.bmp", OneBit(8, 2));
    Put("C:\\scratch\\text.bmp", Bytes(80, 0));  // long enough, but no bitmap
    Bytes fourBit = OneBit(8, 2);
    imagingtest::PutLe16(fourBit, 28, 4);
    Put("C:\\scratch\\four.bmp", fourBit);
    const std::string all = Add("C:\\scratch\\rgb.bmp") + Add("C:\\scratch\\one.bmp") + Add("C:\\scratch\\text.bmp") +
                            Add("C:\\scratch\\four.bmp");
    struct Case {
        plugin::LogoType type;
        std::vector<std::string> listed;  // the names after adding all four, in order
        const char* radio;                // the type's radio, checked from the start
    };
    const Case cases[] = {
        {plugin::LogoType::kOriginal, {"rgb", "one", "text", "four"}, "1107 IDC_DOWNLOAD_ORIGINAL auto radio button \"Original\" checked"},
        // Any bitmap; not the text file.
        {plugin::LogoType::kTransformation, {"rgb", "one", "four"},
         "1108 IDC_DOWNLOAD_TRANSFORMATION auto radio button \"Transformation\" checked"},
        // 24-, 8- and 1-bit bitmaps only.
        {plugin::LogoType::kGray, {"rgb", "one"}, "1109 IDC_DOWNLOAD_GRAY auto radio button \"Gray\" checked"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        plugin::ProcessLogoState().type = c.type;
        SheetRun run = Run(all + "show\nclick IDCANCEL\n");
        std::string rows;
        for (std::size_t i = 0; i < c.listed.size(); ++i)
            rows += std::string(i ? ", " : "") + "\"" + std::to_string(i + 1) + "\" | \"" + c.listed[i] +
                    ".bmp\" | \"C:\\scratch\\" + c.listed[i] + ".bmp\"";
        EXPECT_TRUE(run.Has(Control(std::string(kList) + "[" + rows + "] full-row select focused")));
        EXPECT_TRUE(Messages(run).empty());
        EXPECT_EQ(run.LinesWith(c.radio).size(), 1u);
    }
}

TEST_F(DownloadPageTest, NineLogosAtMostAndDeletingOneMakesRoomWithFreshSettings) {
    Put("C:\\scratch\\a.bmp", imagingtest::Uniform24(8, 2, {90, 90, 90}));
    std::string nine;
    for (int i = 0; i < 9; ++i) nine += Add("C:\\scratch\\a.bmp");
    // The tenth Add is refused before any file dialog opens. Entry 9 gets Error Diffuse and contrast 50; after deleting entry 1 the new ninth entry
    // starts as an add under Transformation makes it: Dither M3, 0, 0.
    SheetRun run = Run(nine + "select-row IDC_DOWNLOAD_LOGOS #0\n"
                       "click IDC_DOWNLOAD_TRANSFORMATION\n"
                       "select-row IDC_DOWNLOAD_LOGOS #8\nclick IDC_DOWNLOAD_ERROR_DIFFUSE\nslide IDC_DOWNLOAD_CONTRAST 50\n"
                       "click IDC_DOWNLOAD_ADD\nselect-row IDC_DOWNLOAD_LOGOS #0\nclick IDC_DOWNLOAD_DELETE\n" +
                       Add("C:\\scratch\\a.bmp") + "select-row IDC_DOWNLOAD_LOGOS #8\nshow\n" +
                       "select-row IDC_DOWNLOAD_LOGOS #7\nshow\nclick IDOK\n");
    ASSERT_EQ(Messages(run).size(), 1u);
    EXPECT_NE(Messages(run)[0].find("\"The total counts of the logos is 9,\\nplease delete some logos before "
                                    "selecting another logo!\""),
              std::string::npos);
    const std::vector<std::string> lists = run.LinesWith("IDC_DOWNLOAD_LOGOS list view");
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_NE(lists[0].find("\"9\" | \"a.bmp\" | \"C:\\scratch\\a.bmp\"] selected #8 full-row select focused"), std::string::npos);
    EXPECT_EQ(lists[0].find("\"10\""), std::string::npos);
    const auto dither = run.LinesWith("1111 IDC_DOWNLOAD_DITHER_M3");
    const auto diffuse = run.LinesWith("1113 IDC_DOWNLOAD_ERROR_DIFFUSE");
    const auto contrast = run.LinesWith("1114 IDC_DOWNLOAD_CONTRAST trackbar");
    ASSERT_EQ(dither.size(), 2u);
    // The new ninth entry: fresh settings.
    EXPECT_NE(dither[0].find("checked"), std::string::npos);
    EXPECT_EQ(dither[0].find("unchecked"), std::string::npos);
    EXPECT_NE(contrast[0].find("at 0 of"), std::string::npos);
    // The former ninth entry, now eighth, kept its own.
    EXPECT_NE(diffuse[1].find("\"Error Diffuse\" checked"), std::string::npos);
    EXPECT_NE(contrast[1].find("at 50 of"), std::string::npos);
    EXPECT_TRUE(run.Has(Control("1115 IDC_DOWNLOAD_CONTRAST_VALUE static \"50\"")));
}

TEST_F(DownloadPageTest, DeletingEntryTwoOfThreeRenumbersMovesSettingsAndRemovesItsWorkFile) {
    for (const char* name : {"a", "b", "c"})
        Put(std::string("C:\\scratch\\") + name + ".bmp", imagingtest::Uniform24(8, 2, {90, 90, 90}));
    SheetRun run = Run(AddAs({"C:\\scratch\\a.bmp", "C:\\scratch\\b.bmp", "C:\\scratch\\c.bmp"}, "TRANSFORMATION") +
                       "select-row IDC_DOWNLOAD_LOGOS #2\nclick IDC_DOWNLOAD_DITHER_M4\n"
                       "slide IDC_DOWNLOAD_CONTRAST 40\nslide IDC_DOWNLOAD_BRIGHTNESS -20\n"
                       "select-row IDC_DOWNLOAD_LOGOS #1\nclick IDC_DOWNLOAD_DELETE\nshow\n"
                       "select-row IDC_DOWNLOAD_LOGOS #1\nshow\nclick IDCANCEL\n");
    const std::vector<std::string> lists = run.LinesWith("IDC_DOWNLOAD_LOGOS list view");
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_EQ(lists[0], Control(std::string(kList) +
                                "[\"1\" | \"a.bmp\" | \"C:\\scratch\\a.bmp\", \"2\" | \"c.bmp\" | \"C:\\scratch\\c.bmp\"] "
                                "full-row select focused"));
    // Nothing selected after the delete: the preview is cleared.
    EXPECT_EQ(run.LinesWith("painted:")[0], Control("painted: (118,123)-(181,204) filled with the brush value 15"));
    EXPECT_NE(run.LinesWith("1112 IDC_DOWNLOAD_DITHER_M4")[1].find("checked"), std::string::npos);
    EXPECT_EQ(run.LinesWith("1112 IDC_DOWNLOAD_DITHER_M4")[1].find("unchecked"), std::string::npos);
    EXPECT_TRUE(run.Has(Control("1114 IDC_DOWNLOAD_CONTRAST trackbar \"\" at 40 of -100..100")));
    EXPECT_TRUE(run.Has(Control("1116 IDC_DOWNLOAD_BRIGHTNESS trackbar \"\" at -20 of -100..100")));
    EXPECT_TRUE(run.Has(Control("1117 IDC_DOWNLOAD_BRIGHTNESS_VALUE static \"-20\"")));
    // The records: moved up, the freed third one cleared.
    const auto& settings = plugin::ProcessLogoState().settings;
    EXPECT_EQ(settings[0], (plugin::LogoSettings{1, 0, 0}));
    EXPECT_EQ(settings[1], (plugin::LogoSettings{2, 40, -20}));
    EXPECT_EQ(settings[2], (plugin::LogoSettings{0, 0, 0}));
    // Cancel removed the remaining work files; the deleted entry's went with it.
    for (const char* work : {"C:\\scratch\\aTemp.bmp", "C:\\scratch\\bTemp.bmp", "C:\\scratch\\cTemp.bmp"})
        EXPECT_FALSE(Exists(work)) << work;
}

TEST_F(DownloadPageTest, DownloadAllIsOfferedForTransformationAndGrayOnly) {
    Put("C:\\scratch\\a.bmp", imagingtest::Uniform24(8, 2, {90, 90, 90}));
    SheetRun run = Run(AddAs({"C:\\scratch\\a.bmp"}, "TRANSFORMATION") + "show\nclick IDC_DOWNLOAD_ORIGINAL\nshow\n"
                       "click IDC_DOWNLOAD_GRAY\nshow\nclick IDOK\n");
    const std::vector<std::string> button = run.LinesWith("1104 IDC_DOWNLOAD_ALL");
    ASSERT_EQ(button.size(), 3u);
    EXPECT_EQ(button[0], Control("1104 IDC_DOWNLOAD_ALL button \"Download all\""));
    EXPECT_EQ(button[1], Control("1104 IDC_DOWNLOAD_ALL button \"Download all\" disabled"));
    EXPECT_EQ(button[2], Control("1104 IDC_DOWNLOAD_ALL button \"Download all\""));
    // Original also shows the source and offers neither halftone nor contrast; Gray offers
    // contrast and brightness only.
    EXPECT_EQ(run.LinesWith("1110 IDC_DOWNLOAD_NONE auto radio button \"None\" checked disabled").size(), 2u);
    const std::vector<std::string> contrast = run.LinesWith("1114 IDC_DOWNLOAD_CONTRAST");
    EXPECT_EQ(contrast[1].find(" disabled") != std::string::npos, true);
    EXPECT_EQ(contrast[2].find(" disabled") != std::string::npos, false);
}

// The 20 x 10 logo: a black top row and one black dot at the left of the bottom row. x = 4
// bytes a row, y = 2 bands of 8 dots; the picture fills band rows 6..15 under 6 blank rows, so
// its top row is bit 1 of each column's first byte and its bottom row bit 0 of the second byte.
TEST_F(DownloadPageTest, AOneBitLogoIsSentAsColumnsWithTheBlankRowsAtTheTop) {
    std::vector<std::vector<int>> rows(10, std::vector<int>(20, 1));  // file order: bottom first
    rows[0][0] = 0;
    rows[9] = std::vector<int>(20, 0);
    Put("C:\\scratch\\dots.bmp", imagingtest::Bitmap1(rows, kBlack, kWhite, 0xFF));
    SheetRun run = Run(AddAs({"C:\\scratch\\dots.bmp"}, "TRANSFORMATION") + "click IDC_DOWNLOAD_ALL\nclick IDOK\n");
    Bytes data;
    for (int column = 0; column < 32; ++column) {
        data.push_back(column < 20 ? 0x02 : 0x00);
        data.push_back(column == 0 ? 0x01 : 0x00);
    }
    EXPECT_TRUE(SentOneRawJob(0, "LOGO", Join({kEnter, {0x1C, 0x71, 0x01}, {0x04, 0x00, 0x02, 0x00}, data, {0x0A}, kLeave})));
    EXPECT_TRUE(Messages(run).empty());
}

// 8 x 2, left half black, right half white, halftone "None": the mean luma is 127, so the left
// half stays black. One band: the two rows are bits 1 and 0 of columns 0..3.
TEST_F(DownloadPageTest, ATransformationDownloadSendsTheConvertedLogo) {
    const imagingtest::Bgr k{0, 0, 0}, w{255, 255, 255};
    const std::vector<imagingtest::Bgr> row{k, k, k, k, w, w, w, w};
    Put("C:\\scratch\\half.bmp", imagingtest::Bitmap24({row, row}));
    Run(AddAs({"C:\\scratch\\half.bmp"}, "TRANSFORMATION") + "click IDC_DOWNLOAD_NONE\nclick IDC_DOWNLOAD_ALL\nclick IDOK\n");
    Bytes data(32, 0x00);
    for (int column = 0; column < 4; ++column) data[static_cast<std::size_t>(column)] = 0x03;
    EXPECT_TRUE(SentOneRawJob(0, "LOGO", Join({kEnter, {0x1C, 0x71, 0x01}, {0x04, 0x00, 0x01, 0x00}, data, {0x0A}, kLeave})));
    EXPECT_FALSE(Exists("C:\\scratch\\halfTemp.bmp"));  // OK removed the work file
}

// 2 x 1, black then white: gray 0 and 255, padded white to 4 pixels. Each of the four plane
// lines is the complement of the value bit: 1 0 0 0 -> 0x80; then 4 blank lines close the band.
TEST_F(DownloadPageTest, AGrayDownloadSendsTheFourPlanes) {
    Put("C:\\scratch\\pair.bmp", imagingtest::Bitmap24({{{0, 0, 0}, {255, 255, 255}}}));
    Run(AddAs({"C:\\scratch\\pair.bmp"}, "GRAY") + "click IDC_DOWNLOAD_ALL\nclick IDOK\n");
    EXPECT_TRUE(SentOneRawJob(0, "LOGO",
                              Join({kEnter, {0x1C, 0x72, 0x01}, {0x01, 0x00, 0x01, 0x00, 0x01, 0x00},
                                    {0x80, 0x80, 0x80, 0x80, 0x00, 0x00, 0x00, 0x00}, {0x0A}, kLeave})));
}

TEST_F(DownloadPageTest, DownloadAllStopsForTheSizeLimitAnUnusableLogoOrAnEmptyList) {
    // 1024 x 767 one-bit: 62 + 128 x 767 = 98238 bytes, and the bytes after the rows count too.
    struct Case {
        const char* what;
        Bytes file;
        std::string message;  // "" when the job is sent
    };
    const Case cases[] = {
        {"98303 bytes", OneBit(1024, 767, kBlack, kWhite, 65), ""},
        {"98304 bytes", OneBit(1024, 767, kBlack, kWhite, 66), "\"The total sizes of all the logos is greater 96K!\""},
        {"a palette of two grays", OneBit(16, 8, {0x40, 0x40, 0x40, 0}, {0xC0, 0xC0, 0xC0, 0}), "none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Put("C:\\scratch\\big.bmp", c.file);
        const std::size_t before = jobs().size();
        SheetRun run = Run(AddAs({"C:\\scratch\\big.bmp"}, "TRANSFORMATION") + "click IDC_DOWNLOAD_ALL\nclick IDOK\n");
        if (c.message.empty()) {
            EXPECT_EQ(jobs().size(), before + 1);
            EXPECT_EQ(jobs().back().document, "LOGO");
            EXPECT_TRUE(Messages(run).empty());
        } else {
            // Nothing at all is sent, not even the start of the download.
            EXPECT_EQ(jobs().size(), before);
            const std::vector<std::string> messages = Messages(run);
            if (c.message == "none") {
                EXPECT_TRUE(messages.empty());
            } else {
                ASSERT_EQ(messages.size(), 1u);
                EXPECT_NE(messages[0].find(c.message), std::string::npos);
            }
        }
    }
    // With the list emptied again.
    SheetRun run = Run(AddAs({"C:\\scratch\\big.bmp"}, "TRANSFORMATION") +
                       "click IDC_DOWNLOAD_DELETE\nclick IDC_DOWNLOAD_ALL\nclick IDOK\n");
    ASSERT_EQ(Messages(run).size(), 1u);
    EXPECT_NE(Messages(run)[0].find("\"Error\" [no icon, OK] \"Please select logos first!\""), std::string::npos);
}

TEST_F(DownloadPageTest, ClearAllLogosSendsItsJobAndAFailingWriteEndsIt) {
    Run("click IDC_DOWNLOAD_CLEAR_LOGOS\nclick IDOK\n");
    EXPECT_TRUE(SentOneRawJob(0, "SELFTEST", Join({kEnter, {0x1C, 0x71, 0x00, 0x00, 0x0A}, kLeave})));
    std::string message;
    ASSERT_TRUE(sim::AddFault(machine(), {"WritePrinter", 1167, 0, {}}, message)) << message;
    SheetRun run = Run("click IDC_DOWNLOAD_CLEAR_LOGOS\nclick IDOK\n");
    ASSERT_EQ(jobs().size(), 2u);
    EXPECT_TRUE(jobs()[1].completed);
    EXPECT_TRUE(Messages(run).empty());
}

TEST_F(DownloadPageTest, ThePreviewShowsTheSourceOrTheConvertedPictureOverTheWholeArea) {
    Put("C:\\scratch\\a.bmp", imagingtest::Uniform24(16, 8, {200, 100, 50}));
    Put("C:\\scratch\\one.bmp", OneBit(24, 4));
    const std::string area = "stretched over (118,123)-(181,204) (COLORONCOLOR)";
    SheetRun run = Run(Add("C:\\scratch\\a.bmp") + Add("C:\\scratch\\one.bmp") +
                       "select-row IDC_DOWNLOAD_LOGOS #0\nshow\n"
                       "click IDC_DOWNLOAD_TRANSFORMATION\nselect-row IDC_DOWNLOAD_LOGOS #1\nshow\n"
                       "click IDC_DOWNLOAD_GRAY\nshow\nclick IDOK\n");
    const std::vector<std::string> paints = run.LinesWith("painted:");
    ASSERT_EQ(paints.size(), 3u);
    EXPECT_EQ(paints[0], Control("painted: a 16x8 picture's (0,0)-(16,8) " + area));
    EXPECT_EQ(paints[1], Control("painted: a 24x4 picture's (0,0)-(24,4) " + area));
    EXPECT_EQ(paints[2], Control("painted: a 24x4 picture's (0,0)-(24,4) " + area));
    // A one-bit file under Transformation is shown as it is, without halftone or contrast.
    const std::vector<std::string> contrast = run.LinesWith("1114 IDC_DOWNLOAD_CONTRAST trackbar");
    EXPECT_NE(contrast[1].find("disabled"), std::string::npos);
    EXPECT_EQ(contrast[2].find("disabled"), std::string::npos);
}

TEST_F(DownloadPageTest, ReleasingATrackbarEnablesApply) {
    Put("C:\\scratch\\a.bmp", imagingtest::Uniform24(16, 8, {200, 100, 50}));
    SheetRun run = Run(AddAs({"C:\\scratch\\a.bmp"}, "GRAY") + "show\nslide IDC_DOWNLOAD_BRIGHTNESS 120\nshow\nclick IDOK\n");
    const std::vector<std::string> apply = run.LinesWith("12321 button \"&Apply\"");
    ASSERT_EQ(apply.size(), 2u);
    EXPECT_NE(apply[0].find("disabled"), std::string::npos);
    EXPECT_EQ(apply[1].find("disabled"), std::string::npos);
    EXPECT_TRUE(run.Has(Control("1117 IDC_DOWNLOAD_BRIGHTNESS_VALUE static \"100\"")));
    EXPECT_EQ(plugin::ProcessLogoState().settings[0], (plugin::LogoSettings{0, 0, 100}));
}

TEST_F(DownloadPageTest, CancellingFromAnotherTabAlsoRemovesTheWorkFiles) {
    Put("C:\\scratch\\a.bmp", imagingtest::Uniform24(16, 8, {200, 100, 50}));
    Run(Add("C:\\scratch\\a.bmp") + "tab Utility\nclick IDCANCEL\n");
    EXPECT_FALSE(Exists("C:\\scratch\\aTemp.bmp"));
    EXPECT_TRUE(Exists("C:\\scratch\\a.bmp"));
}

TEST_F(DownloadPageTest, FileDownloadSendsTheFileUnchangedAsFirmware) {
    const Bytes firmware = {0x00, 0x1B, 0x40, 0xFF, 0x0A, 0x0D, 0x1A};
    Put("C:\\scratch\\new.JK", firmware);
    Put("C:\\scratch\\empty.FNT", {});
    SheetRun run = Run("click IDC_DOWNLOAD_BROWSE\npick-file C:\\scratch\\new.JK\nshow\nclick IDC_DOWNLOAD_FILE\n"
                       "click IDC_DOWNLOAD_BROWSE\ncancel-file\nexpect-text IDC_DOWNLOAD_FILE_PATH C:\\scratch\\new.JK\n"
                       "click IDOK\n");
    EXPECT_TRUE(run.Has("program: open-file dialog \"Please select a file\" [*.JK(Firmware) (chosen), *.DAT(Data), "
                        "*.FNT(Font), *.ZK(Font), *.EEP(EEPROM), *.*(All)] -> \"C:\\scratch\\new.JK\" (script line 3)"));
    EXPECT_TRUE(run.Has(Control("1121 IDC_DOWNLOAD_FILE_PATH read-only edit \"C:\\scratch\\new.JK\"")));
    EXPECT_TRUE(run.Has(Control("1123 IDC_DOWNLOAD_FILE button \"Download\"")));
    EXPECT_TRUE(SentOneRawJob(0, "FIRMWARE", firmware));

    Run("click IDC_DOWNLOAD_BROWSE\npick-file C:\\scratch\\empty.FNT\nclick IDC_DOWNLOAD_FILE\nclick IDOK\n");
    EXPECT_TRUE(SentOneRawJob(1, "FIRMWARE", {}));
}

TEST_F(DownloadPageTest, FileDownloadRefusesAFileItCannotOpenOrRead) {
    Put("C:\\scratch\\held.DAT", {1, 2, 3});
    auto other = Process("");
    // Another program writes the file and lets others only read it.
    auto held = other->files().OpenExisting("C:\\scratch\\held.DAT", GENERIC_WRITE, FILE_SHARE_READ);
    ASSERT_TRUE(held);
    SheetRun run = Run("click IDC_DOWNLOAD_BROWSE\npick-file C:\\scratch\\held.DAT\nclick IDC_DOWNLOAD_FILE\nclick IDOK\n");
    ASSERT_EQ(Messages(run).size(), 1u);
    EXPECT_NE(Messages(run)[0].find("\"Error\" [no icon, OK] \"Fail to open the selected file!\""), std::string::npos);
    held.reset();
    std::string message;
    ASSERT_TRUE(sim::AddFault(machine(), {"StartDocPrinterW", 5, 0, {}}, message)) << message;
    run = Run("click IDC_DOWNLOAD_BROWSE\npick-file C:\\scratch\\held.DAT\nclick IDC_DOWNLOAD_FILE\nclick IDOK\n");
    EXPECT_TRUE(jobs().empty());
    EXPECT_TRUE(Messages(run).empty());  // spooler failures are silent
}

}  // namespace
