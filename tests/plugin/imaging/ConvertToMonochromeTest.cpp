// ConvertToMonochrome on small hand-made pictures whose white and black pixels are worked out in
// the comments; the work file's name and header; failures that leave no work file.
#include <gtest/gtest.h>

#include "plugin/imaging/ConvertToMonochrome.h"
#include "plugin/imaging/DitherMatrices.h"
#include "plugin/imaging/WorkFile.h"
#include "tests/plugin/imaging/TestBitmaps.h"

namespace {

using namespace imagingtest;
using plugin::ConvertToMonochrome;
using plugin::RenderMonochrome;

constexpr int kNone = 0, kM3 = 1, kM4 = 2, kDiffuse = 3;

Bgr Gray(std::uint8_t v) { return {v, v, v}; }

// The bits of the work file made from `source`, rows in file order.
std::vector<std::string> Bits(const Bytes& source, int method, int c = 0, int b = 0) {
    Bytes work;
    EXPECT_EQ(RenderMonochrome(source, method, c, b, work), plugin::kMonochromeWritten);
    const int width = static_cast<int>(Le32(source, 18));
    const int height = static_cast<int>(Le32(source, 22));
    if (work.empty()) return {};
    return WorkFileBits(work, width, height);
}

int CountWhite(const std::vector<std::string>& rows) {
    int n = 0;
    for (const auto& r : rows) n += static_cast<int>(std::count(r.begin(), r.end(), '1'));
    return n;
}

TEST(MonochromeWorkFile, IsNamedAfterTheSourceWithTempBmp) {
    EXPECT_EQ(plugin::WorkFilePath("C:\\logos\\shop.bmp"), "C:\\logos\\shopTemp.bmp");
    EXPECT_EQ(plugin::WorkFilePath("logo.bmp"), "logoTemp.bmp");
    EXPECT_EQ(plugin::WorkFilePath("C:\\a\\logo.jpeg"), "C:\\a\\logo.Temp.bmp");  // four characters, whatever they are
    EXPECT_EQ(plugin::WorkFilePath("ab"), "Temp.bmp");
}

TEST(MonochromeWorkFile, HeaderDescribesAOneBitBlackThenWhiteImage) {
    MemoryFiles files;
    files.files["C:\\in\\logo.bmp"] = Uniform24(13, 2, Gray(200));
    std::string workPath;
    ASSERT_EQ(ConvertToMonochrome(files, "C:\\in\\logo.bmp", workPath, kNone, 0, 0), 1);
    EXPECT_EQ(workPath, "C:\\in\\logoTemp.bmp");
    const Bytes& w = files.files.at(workPath);
    // 13 pixels take one 32-bit unit: rows of 4 bytes, 8 bytes of pixels after 62 of headers.
    ASSERT_EQ(w.size(), 70u);
    EXPECT_EQ(w[0], 'B');
    EXPECT_EQ(w[1], 'M');
    EXPECT_EQ(Le32(w, 2), 70u);      // file size
    EXPECT_EQ(Le32(w, 6), 0u);       // reserved words
    EXPECT_EQ(Le32(w, 10), 62u);     // pixel offset
    EXPECT_EQ(Le32(w, 14), 40u);     // header size
    EXPECT_EQ(Le32(w, 18), 13u);     // width
    EXPECT_EQ(Le32(w, 22), 2u);      // height
    EXPECT_EQ(Le16(w, 26), 1);       // planes
    EXPECT_EQ(Le16(w, 28), 1);       // bit count
    EXPECT_EQ(Le32(w, 30), 0u);      // compression
    EXPECT_EQ(Le32(w, 34), 8u);      // image size
    for (std::size_t at = 38; at < 54; at += 4) EXPECT_EQ(Le32(w, at), 0u) << at;
    EXPECT_EQ((Bytes(w.begin() + 54, w.begin() + 62)), (Bytes{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0}));
}

TEST(MonochromeNone, UniformPictureBecomesAllBlack) {
    // Every luma equals the mean, and only lumas above the mean are white.
    for (const Bytes& source : {Uniform24(5, 3, {10, 200, 90}), Uniform8(5, 3, 77)})
        for (const auto& row : Bits(source, kNone)) EXPECT_EQ(row, "00000");
}

TEST(MonochromeNone, ThresholdIsTheMeanOfTheAdjustedLevels) {
    // 24-bit grays 0, 100, 200, 255: each channel's mean is 555 / 4 = 138, the threshold
    // 138; only 200 and 255 lie above it.
    EXPECT_EQ(Bits(Bitmap24({{Gray(0), Gray(100), Gray(200), Gray(255)}}), kNone),
              std::vector<std::string>{"0011"});
    // 8-bit 10, 20, 30, 40: the mean is 25.
    EXPECT_EQ(Bits(Bitmap8({{10, 20, 30, 40}}), kNone), std::vector<std::string>{"0011"});
    // 8-bit 90, 100, 160, 200 under contrast 100 become 0, 0, 255, 255 (mean 127); under
    // brightness -100 instead 0, 0, 60, 100 (mean 40).
    EXPECT_EQ(Bits(Bitmap8({{90, 100, 160, 200}}), kNone, 100, 0), std::vector<std::string>{"0011"});
    EXPECT_EQ(Bits(Bitmap8({{90, 100, 160, 200}}), kNone, 0, -100), std::vector<std::string>{"0011"});
}

TEST(MonochromeNone, TwentyFourBitThresholdWeightsTheChannelMeans) {
    // Red (76) and blue (29) pixels: channel means R 127, G 0, B 127 give the threshold
    // (127 x 299 + 127 x 114) / 1000 = 52; red lies above it, blue below.
    EXPECT_EQ(Bits(Bitmap24({{{0, 0, 255}, {255, 0, 0}}}), kNone), std::vector<std::string>{"10"});
}

TEST(MonochromeDitherM3, TwentyFourBitIsWhereQuarterLumaReachesTheMatrix) {
    // Luma 128 gives 32: white where B8 <= 32. Row 0 of B8 is 0 32 8 40 2 34 10 42, row 1
    // 48 16 56 24 50 18 58 26. The rows are file rows: the first stored row uses B8 row 0.
    const auto rows = Bits(Uniform24(8, 8, Gray(128)), kM3);
    EXPECT_EQ(rows[0], "11101010");
    EXPECT_EQ(rows[1], "01010101");
    EXPECT_EQ(CountWhite(rows), 33);  // values 0..32
}

TEST(MonochromeDitherM3, EightBitIsWhereTheMatrixLiesBelowTheQuarterSample) {
    // Sample 128 gives 32: white where B8 < 32, so the 32 of row 0 stays black.
    const auto rows = Bits(Uniform8(8, 8, 128), kM3);
    EXPECT_EQ(rows[0], "10101010");
    EXPECT_EQ(rows[1], "01010101");
    EXPECT_EQ(CountWhite(rows), 32);
}

TEST(MonochromeDitherM3, MatrixRepeatsEveryEightPixels) {
    const auto rows = Bits(Uniform8(16, 9, 128), kM3);
    EXPECT_EQ(rows[0], "1010101010101010");
    EXPECT_EQ(rows[8], rows[0]);
}

TEST(MonochromeDitherM4, TwentyFourBitIsWhereLumaReachesTheMatrix) {
    // Row 0 of B16: 4 x B8 row 0 (0 128 32 160 8 136 40 168), then the same plus 3
    // (3 131 35 163 11 139 43 171). Luma 128: white where B16 <= 128, 129 values.
    const auto rows = Bits(Uniform24(16, 16, Gray(128)), kM4);
    EXPECT_EQ(rows[0], "1110101010101010");
    EXPECT_EQ(CountWhite(rows), 129);
}

TEST(MonochromeDitherM4, EightBitIsWhereTheMatrixLiesBelowTheSample) {
    const auto rows = Bits(Uniform8(16, 16, 128), kM4);
    EXPECT_EQ(rows[0], "1010101010101010");
    EXPECT_EQ(CountWhite(rows), 128);
}

TEST(MonochromeDitherM4, ContrastMinus100SetsEveryChannelToItsMeanPlusBrightness) {
    // Half the rows black, half gray 200: every channel's mean is 100. With k = 0 each pixel
    // becomes 100 + 20 = 120, exactly as a uniform 120 picture without adjustment.
    std::vector<std::vector<Bgr>> rows(16, std::vector<Bgr>(16, Gray(0)));
    for (int y = 8; y < 16; ++y) rows[y].assign(16, Gray(200));
    const auto mixed = Bits(Bitmap24(rows), kM4, -100, 20);
    EXPECT_EQ(mixed, Bits(Uniform24(16, 16, Gray(120)), kM4));
    EXPECT_EQ(CountWhite(mixed), 121);  // B16 values 0..120
}

TEST(MonochromeDitherM4, EightBitUsesAdjustLevelNotTheMean) {
    // Contrast -100 on 8-bit samples is AdjustLevel's squeeze: 0 -> 100, 255 -> 155, whatever
    // the mean. So a black picture dithers like a uniform 100 one.
    EXPECT_EQ(Bits(Uniform8(16, 16, 0), kM4, -100, 0), Bits(Uniform8(16, 16, 100), kM4));
}

TEST(MonochromeErrorDiffuse, SerpentinePassesCarryTheErrorAsWorkedOut) {
    // File rows: row 0 = 120 60 100 (right to left), row 1 = 100 100 100 (left to right).
    // Row 0: x2 100 black, e 100: carry 37, below[2] 37, below[1] 25.
    //        x1 60 + 37 = 97 black, e 97: carry 36, below[1] 61, below[0] 24.
    //        x0 120 + 36 = 156 white, e -99: below[0] 24 - 37 = -13 (leftmost: no push on).
    // Row 1: x0 100 - 13 = 87 black, carry 32; x1 100 + 61 + 32 = 193 white, e -62,
    //        carry -23; x2 100 + 37 - 23 = 114 black.
    const std::vector<std::string> expected{"100", "010"};
    EXPECT_EQ(Bits(Bitmap8({{120, 60, 100}, {100, 100, 100}}), kDiffuse), expected);
    // A 24-bit gray picture gives the same lumas and so the same bits.
    EXPECT_EQ(Bits(Bitmap24({{Gray(120), Gray(60), Gray(100)}, {Gray(100), Gray(100), Gray(100)}}), kDiffuse),
              expected);
}

TEST(MonochromeErrorDiffuse, ThirdRowRunsRightToLeftWithAFreshCarry) {
    // Rows 0 and 1 of 200 200: row 0 (right to left) x1 200 white, e -55: carry -20,
    // below[1] -20, below[0] -13; x0 200 - 20 = 180 white, e -75: below[0] -13 - 28 = -41.
    // Row 1 (left to right): x0 200 - 41 = 159 white, e -96: carry -36, below[0] -36,
    // below[1] -24; x1 200 - 20 - 36 = 144 white, e -111: below[1] -24 - 41 = -65, below[2]
    // (the spare) -27. Row 2 = 150 150 (right to left, carry 0): x1 150 - 65 = 85 black,
    // e 85: carry 31; x0 150 - 36 + 31 = 145 white.
    EXPECT_EQ(Bits(Bitmap8({{200, 200}, {200, 200}, {150, 150}}), kDiffuse),
              (std::vector<std::string>{"11", "11", "10"}));
}

TEST(MonochromeErrorDiffuse, WidthIsLimitedToTheDiffusionRows) {
    Bytes work;
    // 2000 columns fit (the left-to-right pass of row 1 pushes into the spare entry).
    EXPECT_EQ(RenderMonochrome(Uniform8(plugin::kDiffusionColumns, 2, 90), kDiffuse, 0, 0, work), 1);
    const Bytes wide = Uniform8(plugin::kDiffusionColumns + 1, 2, 90);
    EXPECT_EQ(RenderMonochrome(wide, kDiffuse, 0, 0, work), -1);
    // The other methods have no such rows.
    EXPECT_EQ(RenderMonochrome(wide, kM3, 0, 0, work), 1);
}

TEST(Monochrome, PaddingBytesOfTheSourceDoNotChangeTheResult) {
    const std::vector<std::vector<std::uint8_t>> rows{{10, 200, 30}, {250, 5, 128}};
    for (int method : {kNone, kM3, kM4, kDiffuse})
        EXPECT_EQ(Bits(Bitmap8(rows, 0x00), method), Bits(Bitmap8(rows, 0xFF), method)) << method;
}

TEST(Monochrome, ResultsAndWorkFile) {
    struct Case {
        const char* what;
        Bytes source;
        int method;
        int expected;
    };
    const Case cases[] = {
        {"24-bit", Uniform24(3, 2, Gray(9)), kM4, 1},
        {"8-bit", Uniform8(3, 2, 9), kDiffuse, 1},
        {"1-bit", Bitmap1({{1, 0, 1}}, kBlack, kWhite), kNone, -1},
        {"unknown method", Uniform8(3, 2, 9), 4, -1},
        {"negative method", Uniform8(3, 2, 9), -1, -1},
    };
    for (const Case& c : cases) {
        MemoryFiles files;
        files.files["C:\\l\\a.bmp"] = c.source;
        std::string workPath = "unchanged";
        EXPECT_EQ(ConvertToMonochrome(files, "C:\\l\\a.bmp", workPath, c.method, 0, 0), c.expected) << c.what;
        EXPECT_EQ(files.Has("C:\\l\\aTemp.bmp"), c.expected == 1) << c.what;
        EXPECT_EQ(workPath, c.expected == 1 ? "C:\\l\\aTemp.bmp" : "unchanged") << c.what;
    }
}

TEST(Monochrome, UnreadableSourceGivesMinusOneAndNoWorkFile) {
    MemoryFiles files;
    std::string workPath;
    EXPECT_EQ(ConvertToMonochrome(files, "C:\\missing.bmp", workPath, kNone, 0, 0), -1);
    files.files["C:\\held.bmp"] = Uniform8(2, 2, 1);
    files.unreadable.insert("C:\\held.bmp");
    EXPECT_EQ(ConvertToMonochrome(files, "C:\\held.bmp", workPath, kNone, 0, 0), -1);
    EXPECT_EQ(files.writes, 0);
}

TEST(Monochrome, WorkFileThatCannotBeCreatedGives255AndKeepsThePath) {
    MemoryFiles files;
    files.files["C:\\l\\a.bmp"] = Uniform8(2, 2, 1);
    files.unwritable.insert("C:\\l\\aTemp.bmp");
    std::string workPath = "C:\\l\\a.bmp";
    EXPECT_EQ(ConvertToMonochrome(files, "C:\\l\\a.bmp", workPath, kNone, 0, 0), 255);
    EXPECT_EQ(workPath, "C:\\l\\a.bmp");
}

TEST(Monochrome, FailureLeavesAnEarlierWorkFileAsItWas) {
    MemoryFiles files;
    files.files["C:\\l\\a.bmp"] = Bitmap1({{1}}, kBlack, kWhite);
    files.files["C:\\l\\aTemp.bmp"] = {1, 2, 3};
    std::string workPath;
    EXPECT_EQ(ConvertToMonochrome(files, "C:\\l\\a.bmp", workPath, kM3, 0, 0), -1);
    EXPECT_EQ(files.files.at("C:\\l\\aTemp.bmp"), (Bytes{1, 2, 3}));
}

}  // namespace
