// Contrast and brightness adjustment, the luma weights and the ordered-dither matrices.
#include <gtest/gtest.h>

#include <set>

#include "plugin/imaging/AdjustLevel.h"
#include "plugin/imaging/DitherMatrices.h"

namespace {

using plugin::AdjustAroundMean;
using plugin::AdjustLevel;

struct LevelCase {
    int v, c, b, expected;
};

TEST(AdjustLevel, FollowsTheContrastFormulasAndClampsTheBrightness) {
    const LevelCase cases[] = {
        {0, 0, 0, 0}, {128, 0, 0, 128}, {255, 0, 0, 255},  // contrast 0 changes nothing
        // Contrast 100: up to 100 black, from 155 up white, between (v - 100) x 255 / 55.
        {100, 100, 0, 0}, {101, 100, 0, 4}, {154, 100, 0, 250}, {155, 100, 0, 255},
        // Contrast 50: (v - 50) x 255 / 155; 128 -> 78 x 255 / 155 = 128.3.
        {50, 50, 0, 0}, {51, 50, 0, 1}, {128, 50, 0, 128}, {204, 50, 0, 253}, {205, 50, 0, 255},
        // Contrast -100: v x 55 / 255 + 100, the range [100, 155]; 128 -> 27.6 + 100.
        {0, -100, 0, 100}, {128, -100, 0, 127}, {255, -100, 0, 155},
        // Contrast -50: v x 155 / 255 + 50, the range [50, 205].
        {0, -50, 0, 50}, {255, -50, 0, 205},
        // Brightness is added last and the sum clamped.
        {100, 0, -30, 70}, {200, 0, 100, 255}, {50, 0, -100, 0}, {0, -100, -100, 0},
        // Values outside the trackbars' range count as their ends.
        {128, 300, 0, 129}, {128, 100, 0, 129}, {128, 0, 500, 228},
    };
    for (const LevelCase& t : cases)
        EXPECT_EQ(AdjustLevel(t.v, t.c, t.b), t.expected) << "v=" << t.v << " c=" << t.c << " b=" << t.b;
}

struct MeanCase {
    int v, c, b, m, expected;
};

TEST(AdjustAroundMean, StretchesAroundTheMeanAndTruncatesTowardZero) {
    const MeanCase cases[] = {
        {37, 0, 0, 100, 37}, {37, 0, 10, 100, 47},        // k = 1: the sample plus brightness
        {120, 10, 0, 100, 140}, {60, 10, 0, 100, 20},     // k = 2
        {20, 10, 0, 100, 0},                              // 2 x -80 + 100 = -60, clamped
        {101, 5, 0, 100, 101}, {99, 5, 0, 100, 98},       // k = 1.5: 101.5 and 98.5
        {1, 7, 100, 100, 32},   // k = 1.7: -168.3 + 100 = -68.3 truncates to -68, not -69
        {0, -100, 0, 77, 77}, {255, -100, 20, 77, 97},    // k = 0: the mean plus brightness
        {200, -25, 0, 100, 150}, {101, -25, 0, 100, 100}, {99, -25, 0, 100, 99},  // k = 0.5
        {110, -4, 0, 100, 108}, {90, -4, 0, 100, 92},     // k = 0.8: exactly 108 and 92
        {10, -9, 0, 0, 7}, {0, -9, 0, 10, 3},             // k = 0.7: exactly 7 and 3
        {200, -2, 0, 0, 171}, {0, -2, 0, 200, 28},        // k = 1 - 0.1 sqrt 2: 171.7, 28.3
    };
    for (const MeanCase& t : cases)
        EXPECT_EQ(AdjustAroundMean(t.v, t.c, t.b, t.m), t.expected)
            << "v=" << t.v << " c=" << t.c << " b=" << t.b << " m=" << t.m;
}

TEST(Luma, UsesTheBt601WeightsInIntegers) {
    EXPECT_EQ(plugin::Luma(255, 255, 255), 255);
    EXPECT_EQ(plugin::Luma(255, 0, 0), 76);   // 76245 / 1000
    EXPECT_EQ(plugin::Luma(0, 255, 0), 149);  // 149685 / 1000
    EXPECT_EQ(plugin::Luma(0, 0, 255), 29);   // 29070 / 1000
    EXPECT_EQ(plugin::Luma(128, 128, 128), 128);
}

TEST(DitherMatrices, Bayer8IsAPermutationWithTheStandardFirstRows) {
    std::set<int> seen;
    for (const auto& row : plugin::kBayer8) seen.insert(row.begin(), row.end());
    EXPECT_EQ(seen.size(), 64u);
    EXPECT_EQ(*seen.rbegin(), 63);
    EXPECT_EQ(plugin::kBayer8[0], (std::array<std::uint8_t, 8>{0, 32, 8, 40, 2, 34, 10, 42}));
    EXPECT_EQ(plugin::kBayer8[1], (std::array<std::uint8_t, 8>{48, 16, 56, 24, 50, 18, 58, 26}));
}

TEST(DitherMatrices, Bayer16QuartersAreFourTimesBayer8PlusTheirOffsets) {
    std::set<int> seen;
    for (const auto& row : plugin::kBayer16) seen.insert(row.begin(), row.end());
    EXPECT_EQ(seen.size(), 256u);
    EXPECT_EQ(plugin::kBayer16[0][0], 0);
    EXPECT_EQ(plugin::kBayer16[0][8], 3);    // top right: 4 x 0 + 3
    EXPECT_EQ(plugin::kBayer16[8][0], 2);    // bottom left: 4 x 0 + 2
    EXPECT_EQ(plugin::kBayer16[8][8], 1);    // bottom right: 4 x 0 + 1
    EXPECT_EQ(plugin::kBayer16[1][1], 64);   // 4 x 16
    EXPECT_EQ(plugin::kBayer16[15][15], 85); // 4 x 21 + 1
    EXPECT_EQ(plugin::kBayer16[7][8], 255);  // 4 x 63 + 3
}

}  // namespace
