// The simulated desktop's pixels: fills clipped to the picture, the classic system colours, and
// StretchDIBits' nearest-neighbour mapping worked out by hand on small pictures.
#include <gtest/gtest.h>

#include "platform/sim/ui/pixel_painter.h"

namespace {

// A 4 x 4 picture whose pixel (x, y) has blue = 0xFF without bit x, green = 0xFF without bit y
// and red = 16x + y, so a copied pixel names its source and an AND of pixels shows every
// pixel it took.
plat::PixelImage Marked(int width, int height) {
    plat::PixelImage image = plat::PixelImage::White(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.At(x, y);
            p[0] = static_cast<std::uint8_t>(0xFF & ~(1 << x));
            p[1] = static_cast<std::uint8_t>(0xFF & ~(1 << y));
            p[2] = static_cast<std::uint8_t>(16 * x + y);
        }
    return image;
}

// Blue, green and red of a pixel as one number 0xBBGGRR.
std::uint32_t Bgr(const plat::PixelImage& image, int x, int y) {
    const std::uint8_t* p = image.At(x, y);
    return static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[2];
}

// Every pixel of a picture, row by row from the top.
std::vector<std::uint32_t> All(const plat::PixelImage& image) {
    std::vector<std::uint32_t> out;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) out.push_back(Bgr(image, x, y));
    return out;
}

constexpr std::uint32_t Source(int x, int y) {
    return static_cast<std::uint32_t>(0xFF & ~(1 << x)) << 16 | static_cast<std::uint32_t>(0xFF & ~(1 << y)) << 8 |
           static_cast<std::uint32_t>(16 * x + y);
}

TEST(PixelPainterTest, EnlargingRepeatsEachSourcePixelInBothModes) {
    for (plat::StretchMode mode : {plat::StretchMode::ColorOnColor, plat::StretchMode::BlackOnWhite}) {
        plat::PixelImage picture = plat::PixelImage::White(4, 4);
        sim::StretchPixels(picture, Marked(2, 2), {0, 0, 2, 2}, {0, 0, 4, 4}, mode);
        const auto a = Source(0, 0), b = Source(1, 0), c = Source(0, 1), d = Source(1, 1);
        EXPECT_EQ(All(picture), (std::vector<std::uint32_t>{a, a, b, b, a, a, b, b, c, c, d, d, c, c, d, d}));
    }
}

TEST(PixelPainterTest, ShrinkingKeepsTheCentrePixelOrAndsTheDroppedOnes) {
    plat::PixelImage colour = plat::PixelImage::White(2, 2), black = plat::PixelImage::White(2, 2);
    sim::StretchPixels(colour, Marked(4, 4), {0, 0, 4, 4}, {0, 0, 2, 2}, plat::StretchMode::ColorOnColor);
    sim::StretchPixels(black, Marked(4, 4), {0, 0, 4, 4}, {0, 0, 2, 2}, plat::StretchMode::BlackOnWhite);
    // Target pixel t samples (2t + 1) * 4 / 4 = 1 or 3.
    EXPECT_EQ(All(colour), (std::vector<std::uint32_t>{Source(1, 1), Source(3, 1), Source(1, 3), Source(3, 3)}));
    // Each target pixel is the AND of a 2 x 2 block: bits 0 and 1 (or 2 and 3) gone from blue and
    // green, red 0x00 & 0x10 & 0x01 & 0x11 = 0x00 (and so on).
    EXPECT_EQ(All(black), (std::vector<std::uint32_t>{0xFCFC00, 0xF3FC20, 0xFCF302, 0xF3F322}));
}

TEST(PixelPainterTest, EachAxisShrinksOrGrowsOnItsOwn) {
    // 4 x 2 onto 2 x 4: columns pair up, rows double.
    plat::PixelImage picture = plat::PixelImage::White(2, 4);
    sim::StretchPixels(picture, Marked(4, 2), {0, 0, 4, 2}, {0, 0, 2, 4}, plat::StretchMode::BlackOnWhite);
    const std::uint32_t top0 = 0xFCFE00, top1 = 0xF3FE20, bottom0 = 0xFCFD01, bottom1 = 0xF3FD21;
    EXPECT_EQ(All(picture), (std::vector<std::uint32_t>{top0, top1, top0, top1, bottom0, bottom1, bottom0, bottom1}));
}

TEST(PixelPainterTest, APartOfTheSourceLandsOnlyInsideThePicture) {
    plat::PixelImage picture = plat::PixelImage::White(3, 3);
    // The lower-right 2 x 2 of the source, one to one, at (2, 2): only its first pixel fits.
    sim::StretchPixels(picture, Marked(4, 4), {2, 2, 4, 4}, {2, 2, 4, 4}, plat::StretchMode::ColorOnColor);
    const std::uint32_t w = 0xFFFFFF;
    EXPECT_EQ(All(picture), (std::vector<std::uint32_t>{w, w, w, w, w, w, w, w, Source(2, 2)}));
    // Empty rectangles draw nothing.
    sim::StretchPixels(picture, Marked(4, 4), {0, 0, 0, 4}, {0, 0, 3, 3}, plat::StretchMode::ColorOnColor);
    sim::StretchPixels(picture, Marked(4, 4), {0, 0, 4, 4}, {3, 0, 0, 3}, plat::StretchMode::ColorOnColor);
    EXPECT_EQ(Bgr(picture, 0, 0), w);
}

TEST(PixelPainterTest, FillsStopAtThePictureAndSystemColoursAreTheClassicOnes) {
    plat::PixelImage picture = plat::PixelImage::White(3, 2);
    sim::FillPixels(picture, {-5, 1, 2, 9}, 0x0000FF);  // RGB(255, 0, 0)
    EXPECT_EQ(All(picture), (std::vector<std::uint32_t>{0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0x0000FF, 0x0000FF, 0xFFFFFF}));
    EXPECT_EQ(sim::SystemColour(14), 0xFFFFFFu);                  // COLOR_HIGHLIGHTTEXT: (HBRUSH)15
    EXPECT_EQ(sim::SystemColour(15), 212u | 208u << 8 | 200u << 16);  // COLOR_BTNFACE
    EXPECT_EQ(sim::SystemColour(13), 10u | 36u << 8 | 106u << 16);    // COLOR_HIGHLIGHT
    EXPECT_FALSE(sim::SystemColour(25).has_value());
    EXPECT_FALSE(sim::SystemColour(31).has_value());
    EXPECT_FALSE(sim::SystemColour(-1).has_value());
}

}  // namespace
