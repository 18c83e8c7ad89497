// The text watermark's geometry, its bitmap file and the preview's lightening, against values
// worked out by hand.
#include <gtest/gtest.h>

#include <vector>

#include "plugin/imaging/TextWatermark.h"
#include "tests/plugin/imaging/TestBitmaps.h"

namespace {

using imagingtest::Le16;
using imagingtest::Le32;

TEST(TextWatermark, MulDivRoundsHalfAwayFromZero) {
    struct Case {
        int a, b, c, expected;
    } cases[] = {
        {50, 96, 72, 67},    // 66.67
        {8, 96, 72, 11},     // 10.67
        {72, 96, 72, 96},
        {3, 1, 2, 2},        // 1.5 up
        {-3, 1, 2, -2},      // -1.5 away from zero
        {5, 1, 4, 1},        // 1.25 down
        {1, 1, 0, -1},       // no divisor
    };
    for (const Case& c : cases) EXPECT_EQ(plugin::MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(TextWatermark, TextMiddleLiesOnTheCentreAtEachAngle) {
    struct Case {
        int cx, cy, angle, x, y;
    } cases[] = {
        // Angle 0: the left end at 150 - cx/2 on the baseline 150 + cy/2 (halves truncated).
        {81, 21, 0, 110, 160},
        {80, 20, 0, 110, 160},
        // 45 degrees: hw = 40, hh = 10; 30 x 0.7071 = 21.2 and 50 x 0.7071 = 35.4, truncated.
        {80, 20, 45, 129, 185},
        // 90 degrees: the constant gives an angle a little past a right angle (cos = -2e-10),
        // so dx = trunc(-10.000000008) = -10 and dy = trunc(39.999999998) = 39.
        {80, 20, 90, 160, 189},
        // 180 degrees: sin is a little below zero (-4e-10), so dx = trunc(-39.999999996) = -39
        // and dy = trunc(-10.00000002) = -10.
        {80, 20, 180, 189, 140},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        const plugin::TextWatermarkOrigin origin = plugin::PlaceTextWatermark(c.cx, c.cy, c.angle);
        EXPECT_EQ(origin.x, c.x);
        EXPECT_EQ(origin.y, c.y);
    }
}

TEST(TextWatermark, FileHoldsTheThreeColourBytesOfEachPixel) {
    std::vector<std::uint8_t> pixels(300 * 300 * 4);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i % 251);
    const auto file = plugin::TextWatermarkFile(pixels);
    ASSERT_TRUE(file);
    ASSERT_EQ(file->size(), 270054u);
    EXPECT_EQ((*file)[0], 'B');
    EXPECT_EQ((*file)[1], 'M');
    EXPECT_EQ(Le32(*file, 2), 270054u);
    EXPECT_EQ(Le32(*file, 6), 0u);
    EXPECT_EQ(Le32(*file, 10), 54u);
    EXPECT_EQ(Le32(*file, 14), 40u);
    EXPECT_EQ(Le32(*file, 18), 300u);
    EXPECT_EQ(Le32(*file, 22), 300u);
    EXPECT_EQ(Le16(*file, 26), 1u);
    EXPECT_EQ(Le16(*file, 28), 24u);
    for (std::size_t offset = 30; offset < 54; offset += 4) EXPECT_EQ(Le32(*file, offset), 0u) << offset;
    // Pixel 0 is bytes 0..3 (0, 1, 2 kept; 3 dropped); pixel 1 starts at byte 4.
    EXPECT_EQ((*file)[54], 0);
    EXPECT_EQ((*file)[56], 2);
    EXPECT_EQ((*file)[57], 4);
    // The last pixel: bytes 359996..359998 of the read-back, 359996 % 251 = 62.
    EXPECT_EQ((*file)[270051], 62);
    EXPECT_EQ((*file)[270053], 64);

    EXPECT_FALSE(plugin::TextWatermarkFile(std::vector<std::uint8_t>(300 * 300 * 4 - 1)));
}

TEST(TextWatermark, LighteningAddsTheBrightnessUpToWhite) {
    plat::PixelImage picture{1, 2, {0, 100, 205, 0, 250, 255, 10, 0}};
    plugin::LightenPicture(picture, 50);
    EXPECT_EQ(picture.bits, (std::vector<std::uint8_t>{50, 150, 255, 50, 255, 255, 60, 50}));
}

}  // namespace
