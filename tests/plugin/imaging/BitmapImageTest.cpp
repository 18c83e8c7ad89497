// Bitmap files loaded for previews, built byte by byte so that every expected colour is read off
// the bytes written here.
#include <gtest/gtest.h>

#include <cstdio>

#include "plugin/imaging/BitmapImage.h"
#include "tests/plugin/imaging/TestBitmaps.h"
#include "tests/support/temp_machine.h"

namespace {

using imagingtest::Bytes;

// File header and 40-byte information header; the palette and rows follow as given.
Bytes Headers(std::int32_t width, std::int32_t height, std::uint16_t bitCount, std::uint32_t clrUsed,
              std::uint32_t paletteEntries, std::uint32_t compression = 0) {
    Bytes f;
    const std::uint32_t offBits = 54 + paletteEntries * 4;
    common::AppendBitmapFileHeader(f, {common::kBitmapSignature, 0, 0, 0, offBits});
    common::BitmapInfoHeader info;
    info.biWidth = width;
    info.biHeight = height;
    info.biBitCount = bitCount;
    info.biCompression = compression;
    info.biClrUsed = clrUsed;
    common::AppendBitmapInfoHeader(f, info);
    return f;
}

void Append(Bytes& f, std::initializer_list<std::uint8_t> bytes) { f.insert(f.end(), bytes); }

// The pixel at (x, y) from the top-left as "RRGGBB".
std::string Colour(const plat::PixelImage& image, int x, int y) {
    const std::uint8_t* p = image.At(x, y);
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", p[2], p[1], p[0]);
    return text;
}

// 2 x 2, one bit: palette 0 red, 1 blue; stored bottom row 0 1, top row 1 0.
Bytes TwoByTwoOneBit(std::int32_t height = 2) {
    Bytes f = Headers(2, height, 1, 0, 2);
    Append(f, {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00});
    Append(f, {0x40, 0, 0, 0});  // first stored row: pixels 0, 1
    Append(f, {0x80, 0, 0, 0});  // second stored row: pixels 1, 0
    return f;
}

TEST(BitmapImage, OneBitPaletteAppliedBottomUp) {
    const auto image = plugin::DecodeBitmapImage(TwoByTwoOneBit());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(Colour(*image, 0, 0), "0000FF");  // top row is the second stored row: 1 0
    EXPECT_EQ(Colour(*image, 1, 0), "FF0000");
    EXPECT_EQ(Colour(*image, 0, 1), "FF0000");  // bottom row: 0 1
    EXPECT_EQ(Colour(*image, 1, 1), "0000FF");
}

TEST(BitmapImage, NegativeHeightStoresTheTopRowFirst) {
    const auto image = plugin::DecodeBitmapImage(TwoByTwoOneBit(-2));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(Colour(*image, 0, 0), "FF0000");  // top row is the first stored row: 0 1
    EXPECT_EQ(Colour(*image, 1, 0), "0000FF");
    EXPECT_EQ(Colour(*image, 0, 1), "0000FF");
}

TEST(BitmapImage, FourBitNibblesLeftPixelHigh) {
    Bytes f = Headers(3, 1, 4, 4, 4);
    Append(f, {0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60, 0, 0x70, 0x80, 0x90, 0, 0xA0, 0xB0, 0xC0, 0});
    Append(f, {0x12, 0x30, 0, 0});  // indices 1, 2, 3
    const auto image = plugin::DecodeBitmapImage(f);
    ASSERT_TRUE(image);
    EXPECT_EQ(Colour(*image, 0, 0), "605040");
    EXPECT_EQ(Colour(*image, 1, 0), "908070");
    EXPECT_EQ(Colour(*image, 2, 0), "C0B0A0");
}

TEST(BitmapImage, EightBitShortPaletteAndIndexPastItIsBlack) {
    Bytes f = Headers(3, 1, 8, 2, 2);
    Append(f, {0x11, 0x22, 0x33, 0, 0x44, 0x55, 0x66, 0});
    Append(f, {1, 0, 7, 0xEE});  // index 7 is past the two entries; 0xEE is row padding
    const auto image = plugin::DecodeBitmapImage(f);
    ASSERT_TRUE(image);
    EXPECT_EQ(Colour(*image, 0, 0), "665544");
    EXPECT_EQ(Colour(*image, 1, 0), "332211");
    EXPECT_EQ(Colour(*image, 2, 0), "000000");
}

TEST(BitmapImage, TwentyFourBitRowPaddingIsSkipped) {
    Bytes f = Headers(2, 2, 24, 0, 0);
    Append(f, {1, 2, 3, 4, 5, 6, 0xEE, 0xEE});        // bottom row, two padding bytes
    Append(f, {7, 8, 9, 10, 11, 12, 0xEE, 0xEE});     // top row
    const auto image = plugin::DecodeBitmapImage(f);
    ASSERT_TRUE(image);
    // The picture's own rows are bottom-up with zero padding: the file's bytes without 0xEE.
    EXPECT_EQ(image->bits, (Bytes{1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}));
    EXPECT_EQ(Colour(*image, 0, 0), "090807");
}

TEST(BitmapImage, ThirtyTwoBitIgnoresTheFourthByte) {
    Bytes f = Headers(2, 1, 32, 0, 0);
    Append(f, {0x01, 0x02, 0x03, 0xFF, 0x04, 0x05, 0x06, 0x80});
    const auto image = plugin::DecodeBitmapImage(f);
    ASSERT_TRUE(image);
    EXPECT_EQ(Colour(*image, 0, 0), "030201");
    EXPECT_EQ(Colour(*image, 1, 0), "060504");
}

TEST(BitmapImage, RefusesWhatAPreviewCannotShowOrWouldReadPastTheFile) {
    auto changed = [](Bytes f, std::size_t at, std::uint32_t value) {
        imagingtest::PutLe32(f, at, value);
        return f;
    };
    Bytes sixteen = Headers(1, 1, 16, 0, 0);
    Append(sixteen, {0, 0, 0, 0});
    Bytes bitfields = Headers(1, 1, 32, 0, 0, 3);
    Append(bitfields, {0, 0, 0, 0});
    const Bytes good = TwoByTwoOneBit();
    Bytes notBm = good;
    notBm[1] = 'A';
    const struct {
        const char* what;
        Bytes file;
    } cases[] = {
        {"empty", {}},
        {"cut in the information header", Bytes(good.begin(), good.begin() + 40)},
        {"cut in the palette", Bytes(good.begin(), good.begin() + 58)},
        {"cut in the last row", Bytes(good.end() - 1 - static_cast<long>(good.size()) + 1 + static_cast<long>(good.size()) - 1 == good.end() - 1 ? Bytes(good.begin(), good.end() - 1) : Bytes{})},
        {"not BM", changed(good, 0, 0x4D41 | (good[2] << 16) | (good[3] << 24))},
        {"core header", changed(good, 14, 12)},
        {"sixteen bits", sixteen},
        {"bit fields", bitfields},
        {"zero width", changed(good, 18, 0)},
        {"absurd height", changed(good, 22, 0x40000000)},
        {"more rows than stored", changed(good, 22, 3)},
        {"pixel offset inside the palette", changed(good, 10, 58)},
        {"pixel offset past the end", changed(good, 10, 0xFFFFFFF0)},
    };
    for (const auto& c : cases) EXPECT_FALSE(plugin::DecodeBitmapImage(c.file)) << c.what;
}

TEST(BitmapImage, LoadsFromTheMachinesFilesOrGivesNothing) {
    testsupport::TempMachine machine;
    auto process = machine.Process();
    ASSERT_TRUE(process->files().CreateDirectoryA("C:\\logos"));
    ASSERT_TRUE(process->files().WriteWholeFile("C:\\logos\\two.bmp", TwoByTwoOneBit()));
    const auto image = plugin::LoadBitmapImage(process->files(), "c:\\LOGOS\\two.bmp");
    ASSERT_TRUE(image);
    EXPECT_EQ(Colour(*image, 1, 1), "0000FF");
    EXPECT_FALSE(plugin::LoadBitmapImage(process->files(), "C:\\logos\\none.bmp"));
}

}  // namespace
