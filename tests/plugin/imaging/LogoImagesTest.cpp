// The stored-logo image encodings, checked against bytes worked out by hand.
#include <gtest/gtest.h>

#include "plugin/imaging/LogoImages.h"
#include "tests/plugin/imaging/TestBitmaps.h"

namespace {

using namespace imagingtest;

// A 20 x 10 picture, rows from the top, with dots (1) at the top-left and bottom-right corners.
std::vector<std::vector<int>> CornerDotsFromTop() {
    std::vector<std::vector<int>> rows(10, std::vector<int>(20, 0));
    rows[0][0] = 1;
    rows[9][19] = 1;
    return rows;
}

// The same picture as file rows (bottom first), with palette indices for dot and blank.
std::vector<std::vector<int>> FileRows(int dot, int blank) {
    auto top = CornerDotsFromTop();
    std::vector<std::vector<int>> rows;
    for (auto it = top.rbegin(); it != top.rend(); ++it) {
        std::vector<int> row;
        for (int v : *it) row.push_back(v ? dot : blank);
        rows.push_back(row);
    }
    return rows;
}

// x = 4 (the row size), y = 2; 32 columns of 2 bytes. Six blank rows lie on top, so the
// top-left dot is row 6 of band 0 (bit 0x80 >> 6 = 0x02 of column 0) and the bottom-right dot
// row 7 of band 1 (0x01 in the second byte of column 19).
Bytes ExpectedCornerDots() {
    Bytes expected{0x04, 0x00, 0x02, 0x00};
    Bytes data(64, 0);
    data[0] = 0x02;
    data[19 * 2 + 1] = 0x01;
    expected.insert(expected.end(), data.begin(), data.end());
    return expected;
}

TEST(MonochromeLogo, TwentyByTenIsFourByTwoWithBlankRowsOnTop) {
    // Black then white: index 0 is a dot; the file's bits are inverted. Its zero padding
    // would invert into dots, so the padding is cleared.
    Bytes out;
    ASSERT_TRUE(plugin::EncodeMonochromeLogo(Bitmap1(FileRows(0, 1), kBlack, kWhite, 0x00), out));
    EXPECT_EQ(out, ExpectedCornerDots());
}

TEST(MonochromeLogo, WhiteThenBlackKeepsTheBitsAndStillDropsThePadding) {
    // Index 1 is black, a dot as stored. Padding bits set to 1 would print outside the picture.
    Bytes out;
    ASSERT_TRUE(plugin::EncodeMonochromeLogo(Bitmap1(FileRows(1, 0), kWhite, kBlack, 0xFF), out));
    EXPECT_EQ(out, ExpectedCornerDots());
}

TEST(MonochromeLogo, ColumnsRunTopToBottomWithTheTopDotInBitSeven) {
    // 8 x 8, a diagonal from the top-left: column c has its dot in row c from the top.
    std::vector<std::vector<int>> fileRows(8, std::vector<int>(8, 0));
    for (int top = 0; top < 8; ++top) fileRows[7 - top][top] = 1;
    Bytes out;
    ASSERT_TRUE(plugin::EncodeMonochromeLogo(Bitmap1(fileRows, kWhite, kBlack), out));
    Bytes expected{0x04, 0x00, 0x01, 0x00, 0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};
    expected.resize(4 + 32, 0);
    EXPECT_EQ(out, expected);
}

TEST(MonochromeLogo, RefusesOtherPalettesAndDepths) {
    Bytes out{42};
    const std::vector<std::vector<int>> one{{1}};
    EXPECT_FALSE(plugin::EncodeMonochromeLogo(Bitmap1(one, {0x40, 0x40, 0x40, 0}, {0x80, 0x80, 0x80, 0}), out));
    EXPECT_FALSE(plugin::EncodeMonochromeLogo(Bitmap1(one, kBlack, kBlack), out));
    EXPECT_FALSE(plugin::EncodeMonochromeLogo(Bitmap1(one, kWhite, kWhite), out));
    EXPECT_FALSE(plugin::EncodeMonochromeLogo(Uniform8(8, 8, 0), out));
    EXPECT_EQ(out, Bytes{42});
}

TEST(GrayLogo, IsOneZeroThenXAndYThenThePlanes) {
    // 0x00 and 0xFF, w4 = 4: each of the four planes of the one row is 0x80 (only the black
    // pixel sets bits); 4 x 1 lines are not a multiple of 8, so four blank lines follow.
    Bytes out;
    ASSERT_TRUE(plugin::EncodeGrayLogo(Bitmap8({{0x00, 0xFF}}), out));
    EXPECT_EQ(out, (Bytes{0x01, 0x00, 0x01, 0x00, 0x01, 0x00, 0x80, 0x80, 0x80, 0x80, 0, 0, 0, 0}));
}

TEST(GrayLogo, RefusesWhatPackGrayPlanesRefuses) {
    Bytes out;
    EXPECT_FALSE(plugin::EncodeGrayLogo(Uniform24(2, 2, {0, 0, 0}), out));
    EXPECT_TRUE(out.empty());
}

}  // namespace
