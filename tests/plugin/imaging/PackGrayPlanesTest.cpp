// PackGrayPlanes: plane order, complemented bits, the white fill to a multiple of four pixels and
// the trailing blank lines, worked out by hand.
#include <gtest/gtest.h>

#include "plugin/imaging/PackGrayPlanes.h"
#include "tests/plugin/imaging/TestBitmaps.h"

namespace {

using namespace imagingtest;

struct Packed {
    bool ok = false;
    Bytes raster;
    std::uint16_t x = 0, y = 0;
};

Packed Pack(const Bytes& grayFile) {
    Packed p;
    p.ok = plugin::PackGrayPlanes(grayFile, p.raster, p.x, p.y);
    return p;
}

TEST(PackGrayPlanes, ThirteenByThreeGivesTwoByTwoWithFourBlankLines) {
    const Packed p = Pack(Uniform8(13, 3, 0));
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.x, 2);  // w4 = 16, (16 + 7) / 8
    EXPECT_EQ(p.y, 2);  // (12 + 7) / 8
    ASSERT_EQ(p.raster.size(), 32u);
    // Black pixels set every plane bit of pixels 0..12; 13..15 are white, so FF F8.
    for (int line = 0; line < 12; ++line) {
        EXPECT_EQ(p.raster[2 * line], 0xFF) << line;
        EXPECT_EQ(p.raster[2 * line + 1], 0xF8) << line;
    }
    for (int i = 24; i < 32; ++i) EXPECT_EQ(p.raster[i], 0) << i;
}

TEST(PackGrayPlanes, PlanesAreValueBitsSevenToFourComplemented) {
    // One pixel a row; the top row (the file's last) comes first.
    // Top 0x30 = 0011 0000: bits 7..4 are 0 0 1 1, complemented 1 1 0 0: lines 80 80 00 00.
    // Bottom 0xA5 = 1010 0101: bits 7..4 are 1 0 1 0, complemented 0 1 0 1: lines 00 80 00 80.
    const Packed p = Pack(Bitmap8({{0xA5}, {0x30}}));
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.x, 1);
    EXPECT_EQ(p.y, 1);  // 4 x 2 lines fill exactly one unit: no blank lines
    EXPECT_EQ(p.raster, (Bytes{0x80, 0x80, 0x00, 0x00, 0x00, 0x80, 0x00, 0x80}));
}

TEST(PackGrayPlanes, ColumnsUpToTheNextFourAreWhiteAndLaterBitsZero) {
    // Nine black pixels: w4 = 12, x = 2. Pixels 0..8 set their bits (FF 80), 9..11 are the
    // white fill, 12..15 lie past w4. One row of 4 lines, then 4 blank lines.
    const Packed p = Pack(Uniform8(9, 1, 0x00));
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.x, 2);
    EXPECT_EQ(p.y, 1);
    EXPECT_EQ(p.raster, (Bytes{0xFF, 0x80, 0xFF, 0x80, 0xFF, 0x80, 0xFF, 0x80, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(PackGrayPlanes, SourcePaddingIsNotReadAsPixels) {
    // Black padding bytes in the stored rows would print if they were taken as pixels.
    EXPECT_EQ(Pack(Bitmap8({{0x00, 0xFF}}, 0x00)).raster, (Bytes{0x80, 0x80, 0x80, 0x80, 0, 0, 0, 0}));
}

TEST(PackGrayPlanes, ReadsTheFileThroughTheGivenFiles) {
    MemoryFiles files;
    files.files["C:\\gTemp.bmp"] = Bitmap8({{0xA5}, {0x30}});
    Bytes raster;
    std::uint16_t x = 0, y = 0;
    ASSERT_TRUE(plugin::PackGrayPlanes(files, "C:\\gTemp.bmp", raster, x, y));
    EXPECT_EQ(raster.size(), 8u);
    EXPECT_FALSE(plugin::PackGrayPlanes(files, "C:\\missing.bmp", raster, x, y));
}

TEST(PackGrayPlanes, RefusesWhatIsNotAnEightBitBitmapAndLeavesTheOutputs) {
    Bytes truncated = Uniform8(4, 4, 9);
    truncated.resize(truncated.size() - 1);
    for (const Bytes& file : {Uniform24(4, 4, {1, 2, 3}), Bitmap1({{1}}, kBlack, kWhite), truncated, Bytes{}}) {
        Bytes raster{7};
        std::uint16_t x = 5, y = 6;
        EXPECT_FALSE(plugin::PackGrayPlanes(file, raster, x, y));
        EXPECT_EQ(raster, Bytes{7});
        EXPECT_EQ(x, 5);
        EXPECT_EQ(y, 6);
    }
}

}  // namespace
