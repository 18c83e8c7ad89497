// The "1D Code" page's arithmetic: HRI allowance, half-point rounding, the stored total, and
// the two display fields.
#include <gtest/gtest.h>

#include "plugin/commands/BarcodeHeight.h"

namespace plugintest {
namespace {

TEST(HriAllowanceDots, DependsOnPositionAndFont) {
    struct Case { std::uint8_t position, font; int dots; };
    const Case cases[] = {
        {0, 0, 0},  {0, 1, 0},                // not printed
        {1, 0, 24}, {1, 1, 17},               // above
        {2, 0, 24}, {2, 1, 17},               // below
        {3, 0, 48}, {3, 1, 34},               // both
        {4, 0, 0},  {255, 1, 0},              // not a list entry
    };
    for (const Case& c : cases)
        EXPECT_EQ(plugin::HriAllowanceDots(c.position, c.font), c.dots)
            << "position " << int(c.position) << " font " << int(c.font);
}

// Points are total x 0.4; the half-point rounding takes fractions .0 and .2 down, .4 and .6 to
// the half, .8 up. Results in half points.
TEST(FontHalfPoints, RoundsToTheHalfPoint) {
    struct Case { std::int32_t total; std::int64_t halfPoints; };
    const Case cases[] = {
        {0, 0},      // 0.0
        {1, 1},      // 0.4 -> 0.5
        {2, 2},      // 0.8 -> 1.0
        {3, 2},      // 1.2 -> 1.0
        {4, 3},      // 1.6 -> 1.5
        {5, 4},      // 2.0
        {6, 5},      // 2.4 -> 2.5 (binary 2.4 lies just below; must still count as .4)
        {41, 33},    // 16.4 -> 16.5
        {163, 130},  // 65.2 -> 65.0
        {184, 147},  // 73.6 -> 73.5
        {186, 149},  // 74.4 -> 74.5
        {289, 231},  // 115.6 -> 115.5
    };
    for (const Case& c : cases)
        EXPECT_EQ(plugin::FontHalfPoints(c.total), c.halfPoints) << "total " << c.total;
}

TEST(QuantisedTotalHeight, StoresTheDotsOfTheRoundedFontSize) {
    struct Case { std::int32_t bar; std::uint8_t position, font; std::int32_t stored; };
    const Case cases[] = {
        {160, 2, 0, 183},  // 184 dots, 73.5 pt, 183.75 -> 183
        {3, 0, 0, 2},      // 1.0 pt, 2.5 -> 2
        {186, 0, 0, 186},  // 74.5 pt, 186.25 -> 186
        {163, 0, 0, 162},  // 65.0 pt, 162.5 -> 162
        {6, 0, 0, 6},      // 2.5 pt, 6.25 -> 6
        {1, 0, 0, 1},      // 0.5 pt, 1.25 -> 1
        {0, 0, 0, 2},      // 0 pt gives 0 dots, stored as 2
        {255, 3, 1, 288},  // 289 dots, 115.5 pt, 288.75 -> 288
        {255, 3, 0, 302},  // 303 dots, 121.0 pt, 302.5 -> 302
        {100, 3, 1, 133},  // 134 dots, 53.6 -> 53.5 pt, 133.75 -> 133
    };
    for (const Case& c : cases)
        EXPECT_EQ(plugin::QuantisedTotalHeight(c.bar, c.position, c.font), c.stored)
            << "bar " << c.bar << " position " << int(c.position) << " font " << int(c.font);
}

TEST(QuantisedTotalHeight, AbsurdStoredBarHeightsStayInRange) {
    EXPECT_EQ(plugin::QuantisedTotalHeight(INT32_MAX, 3, 0), INT32_MAX);
    EXPECT_LT(plugin::QuantisedTotalHeight(INT32_MIN, 0, 0), 0);
}

TEST(BarAndHriHeight, AddsTheAllowanceAndStaysInRange) {
    EXPECT_EQ(plugin::BarAndHriHeight(160, 2, 0), 184);
    EXPECT_EQ(plugin::BarAndHriHeight(163, 3, 1), 197);
    EXPECT_EQ(plugin::BarAndHriHeight(163, 0, 1), 163);
    EXPECT_EQ(plugin::BarAndHriHeight(INT32_MAX - 10, 3, 0), INT32_MAX);
}

TEST(BarcodeHeightFields, ShowMillimetresAndRoundedPointsWithOneDecimal) {
    // The default slot: 163 dots are 23.0 mm and 65.2 points, shown as 65.0.
    EXPECT_EQ(plugin::FormatHeightMillimetres(163), " 23.0");
    EXPECT_EQ(plugin::FormatFontPoints(163), " 65.0");
    // 184 dots: 25.96 mm; 73.6 points shown as 73.5.
    EXPECT_EQ(plugin::FormatHeightMillimetres(184), " 26.0");
    EXPECT_EQ(plugin::FormatFontPoints(184), " 73.5");
    // Wider than five characters: printf widens, nothing is cut.
    EXPECT_EQ(plugin::FormatHeightMillimetres(1000000), "141111.1");
    EXPECT_EQ(plugin::FormatFontPoints(2), "  1.0");
}

}  // namespace
}  // namespace plugintest
