// The bitmap records: their bytes in a file, little-endian fields, and reads that stop at the end.
#include <gtest/gtest.h>

#include "common/bmp.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(BmpRecords, FileHeaderIsFourteenLittleEndianBytes) {
    Bytes out;
    common::AppendBitmapFileHeader(out, {0x4D42, 0x00012345, 1, 2, 0x436});
    EXPECT_EQ(out, (Bytes{'B', 'M', 0x45, 0x23, 0x01, 0x00, 0x01, 0x00, 0x02, 0x00, 0x36, 0x04, 0x00, 0x00}));
    const auto back = common::ReadBitmapFileHeader(out);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->bfSize, 0x00012345u);
    EXPECT_EQ(back->bfReserved2, 2);
    EXPECT_EQ(back->bfOffBits, 0x436u);
}

TEST(BmpRecords, InfoHeaderKeepsSignedFieldsThroughTheirBits) {
    common::BitmapInfoHeader info;
    info.biWidth = 13;
    info.biHeight = -2;  // a top-down file
    info.biBitCount = 24;
    info.biXPelsPerMeter = -1;
    info.biClrUsed = 256;
    Bytes out{0xAA};  // a record at an odd offset is read without a misaligned access
    common::AppendBitmapInfoHeader(out, info);
    ASSERT_EQ(out.size(), 41u);
    EXPECT_EQ(out[1], 40);
    EXPECT_EQ((Bytes{out[9], out[10], out[11], out[12]}), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
    const auto back = common::ReadBitmapInfoHeader(out, 1);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->biWidth, 13);
    EXPECT_EQ(back->biHeight, -2);
    EXPECT_EQ(back->biBitCount, 24);
    EXPECT_EQ(back->biXPelsPerMeter, -1);
    EXPECT_EQ(back->biClrUsed, 256u);
}

TEST(BmpRecords, ReadsPastTheEndGiveNothing) {
    const Bytes thirteen(13, 0);
    EXPECT_FALSE(common::ReadBitmapFileHeader(thirteen));
    const Bytes fifty(50, 0);
    EXPECT_FALSE(common::ReadBitmapInfoHeader(fifty, 14));
    EXPECT_FALSE(common::ReadRgbQuad(Bytes(3, 0), 0));
    EXPECT_FALSE(common::ReadLe32(Bytes(4, 0), 1));
    EXPECT_FALSE(common::ReadLe16(Bytes(4, 0), 100));  // an offset past the end
    EXPECT_EQ(*common::ReadLe16(Bytes{0x34, 0x12}, 0), 0x1234);
}

TEST(BmpRecords, RowSizesArePaddedToFourBytes) {
    struct Case { std::int64_t width; unsigned bits; std::uint64_t size; };
    for (const Case& c : {Case{13, 1, 4}, Case{32, 1, 4}, Case{33, 1, 8}, Case{13, 8, 16}, Case{4, 8, 4},
                          Case{10, 24, 32}, Case{1, 24, 4}, Case{0, 24, 0}, Case{-5, 8, 0},
                          Case{0x7FFFFFFF, 24, 6442450944ull}}) {
        EXPECT_EQ(common::BitmapRowSize(c.width, c.bits), c.size) << c.width << " x " << c.bits;
    }
}

}  // namespace
