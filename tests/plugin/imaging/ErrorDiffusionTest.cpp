// "Error Diffuse" on random pictures against a plain reading of the method: two error rows, the
// column's position worked out per pixel, shares taken as trunc(0.375 e) and trunc(0.25 e) in
// floating point, one pixel's bit set at a time. The conversion must give the same work file
// byte for byte for both depths, any contrast and brightness, and any shape within the limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "plugin/imaging/AdjustLevel.h"
#include "plugin/imaging/ConvertToMonochrome.h"
#include "tests/plugin/imaging/TestBitmaps.h"

namespace {

using namespace imagingtest;

constexpr int kDiffuse = 3;

// A picture in file row order with its levels as the method sees them.
struct Picture {
    int width = 0, height = 0;
    Bytes file;
    std::vector<std::vector<int>> levels;  // [file row][column]
};

// The level of a pixel: the luma of the adjusted channels, or the adjusted sample.
int Luma(Bgr p, int c, int b) {
    const int red = plugin::AdjustLevel(p.red, c, b);
    const int green = plugin::AdjustLevel(p.green, c, b);
    const int blue = plugin::AdjustLevel(p.blue, c, b);
    return (red * 299 + green * 587 + blue * 114) / 1000;
}

// How the random pixels are drawn: any value, only the extremes (which push the errors
// furthest), or a noisy ramp (long runs on one side of the threshold).
enum class Kind { kAny, kExtremes, kRamp };

std::uint8_t Draw(std::mt19937& random, Kind kind, int x, int width) {
    switch (kind) {
        case Kind::kAny: return static_cast<std::uint8_t>(random() % 256);
        case Kind::kExtremes: return random() % 2 ? 255 : 0;
        case Kind::kRamp: {
            const int v = x * 255 / std::max(width - 1, 1) + static_cast<int>(random() % 21) - 10;
            return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
        }
    }
    return 0;
}

Picture Random(std::mt19937& random, int width, int height, int bitCount, Kind kind, int c, int b) {
    Picture p{width, height, {}, {}};
    if (bitCount == 24) {
        std::vector<std::vector<Bgr>> rows(height, std::vector<Bgr>(width));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                rows[y][x] = {Draw(random, kind, x, width), Draw(random, kind, x, width), Draw(random, kind, x, width)};
        p.file = Bitmap24(rows, static_cast<std::uint8_t>(random()));
        for (const auto& row : rows) {
            p.levels.emplace_back();
            for (Bgr pixel : row) p.levels.back().push_back(Luma(pixel, c, b));
        }
    } else {
        std::vector<std::vector<std::uint8_t>> rows(height, std::vector<std::uint8_t>(width));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) rows[y][x] = Draw(random, kind, x, width);
        p.file = Bitmap8(rows, static_cast<std::uint8_t>(random()));
        for (const auto& row : rows) {
            p.levels.emplace_back();
            for (std::uint8_t sample : row) p.levels.back().push_back(plugin::AdjustLevel(sample, c, b));
        }
    }
    return p;
}

// Serpentine error diffusion as the method describes it; returns the work file's pixel rows:
// ((width + 31) / 32) x 4 bytes per row, a set bit for white, bit 7 the leftmost pixel.
Bytes Reference(const Picture& p) {
    const int w = p.width;
    const std::size_t rowSize = static_cast<std::size_t>((w + 31) / 32 * 4);
    Bytes rows(rowSize * static_cast<std::size_t>(p.height), 0);
    std::vector<int> current(w + 1, 0), next(w + 1, 0);  // one integer per column plus a spare
    for (int y = 0; y < p.height; ++y) {
        current = next;
        std::fill(next.begin(), next.end(), 0);
        int carry = 0;
        const bool leftToRight = y % 2 == 1;
        const bool lastRow = y == p.height - 1;
        for (int i = 0; i < w; ++i) {
            const int x = leftToRight ? i : w - 1 - i;
            const int value = p.levels[y][x] + current[x] + carry;
            int error = value;
            if (value > 128) {
                rows[y * rowSize + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
                error = value - 255;
            }
            const int threeEighths = static_cast<int>(std::trunc(0.375 * error));
            const int quarter = static_cast<int>(std::trunc(0.25 * error));
            if (i != w - 1) carry = threeEighths;
            if (!lastRow) {
                next[x] += threeEighths;
                if (leftToRight) next[x + 1] += quarter;
                else if (x != 0) next[x - 1] += quarter;
            }
        }
    }
    return rows;
}

// The pixel rows of what the conversion writes, or a failure.
::testing::AssertionResult MatchesReference(const Picture& p, int c, int b) {
    Bytes work;
    if (plugin::RenderMonochrome(p.file, kDiffuse, c, b, work) != plugin::kMonochromeWritten)
        return ::testing::AssertionFailure() << "not converted";
    const Bytes expected = Reference(p);
    if (work.size() != 62 + expected.size())
        return ::testing::AssertionFailure() << "work file of " << work.size() << " bytes, expected " << 62 + expected.size();
    const std::size_t rowSize = expected.size() / static_cast<std::size_t>(p.height);
    for (std::size_t i = 0; i < expected.size(); ++i)
        if (work[62 + i] != expected[i])
            return ::testing::AssertionFailure() << "file row " << i / rowSize << ", byte " << i % rowSize << ": "
                                                 << int{work[62 + i]} << " instead of " << int{expected[i]};
    return ::testing::AssertionSuccess();
}

TEST(ErrorDiffusionAgainstReference, RandomPicturesOfEveryShapeGiveTheSameBits) {
    struct Shape {
        int width, height;
    };
    // One pixel, one row, one column, widths on and off multiples of 8 (and of 32, the row
    // padding), and the widest the error rows take.
    const Shape shapes[] = {{1, 1},  {13, 1}, {1, 17},  {8, 8},   {7, 5},    {9, 3},    {15, 4},
                            {16, 16}, {31, 7}, {33, 6},  {64, 9},  {100, 20}, {257, 11}, {1999, 2},
                            {2000, 3}};
    std::mt19937 random(20240611);
    int cases = 0;
    for (const Shape& shape : shapes)
        for (int bitCount : {24, 8})
            for (Kind kind : {Kind::kAny, Kind::kExtremes, Kind::kRamp}) {
                // Contrast and brightness at rest, at their ends, and at random.
                const int settings[][2] = {{0, 0},
                                           {-100, 100},
                                           {100, -100},
                                           {static_cast<int>(random() % 201) - 100, static_cast<int>(random() % 201) - 100}};
                for (const auto& [c, b] : settings) {
                    const Picture p = Random(random, shape.width, shape.height, bitCount, kind, c, b);
                    EXPECT_TRUE(MatchesReference(p, c, b))
                        << shape.width << " x " << shape.height << ", " << bitCount << "-bit, kind "
                        << static_cast<int>(kind) << ", contrast " << c << ", brightness " << b;
                    ++cases;
                }
            }
    EXPECT_EQ(cases, 15 * 2 * 3 * 4);
}

TEST(ErrorDiffusionAgainstReference, TallPicturesKeepTheirPassesApart) {
    // Many rows of a narrow picture: each row's direction and the errors it hands down.
    std::mt19937 random(77);
    for (int width : {1, 2, 3, 8, 11}) {
        const int c = static_cast<int>(random() % 201) - 100, b = static_cast<int>(random() % 201) - 100;
        const Picture p = Random(random, width, 300, 8, Kind::kAny, c, b);
        EXPECT_TRUE(MatchesReference(p, c, b)) << width;
    }
}

TEST(ErrorDiffusion, UnusedBitsAndPaddingStayClearInBothDirections) {
    // Nine white pixels: rows 0 (right to left) and 1 (left to right) are FF 80, padded to
    // four bytes with zeros.
    Bytes work;
    ASSERT_EQ(plugin::RenderMonochrome(Uniform8(9, 2, 255), kDiffuse, 0, 0, work), plugin::kMonochromeWritten);
    ASSERT_EQ(work.size(), 62u + 8u);
    EXPECT_EQ(Bytes(work.begin() + 62, work.end()), (Bytes{0xFF, 0x80, 0, 0, 0xFF, 0x80, 0, 0}));
}

TEST(ErrorDiffusion, ARowEndingInAPartByteRunsRightToLeftFromItsLastPixel) {
    // 10 x 1, samples 0 except 129 at x 9 and x 8. Row 0 runs right to left: x9 129 is white
    // (e -126, carry -47); x8 129 - 47 = 82 is black (e 82, carry 30); x7 0 + 30 = 30 black
    // (carry 11), then 4, 1, 0 ...: all black. Only x 9 is white: bytes 00 40.
    Bytes work;
    ASSERT_EQ(plugin::RenderMonochrome(Bitmap8({{0, 0, 0, 0, 0, 0, 0, 0, 129, 129}}), kDiffuse, 0, 0, work),
              plugin::kMonochromeWritten);
    EXPECT_EQ(Bytes(work.begin() + 62, work.begin() + 64), (Bytes{0x00, 0x40}));
}

}  // namespace
