// The watermark preview's placement, against placements worked out by hand from the rules: a
// copy s% of the area wide, as many source rows as fit the area's height at that scale, placed
// by column and row or tiled in columns.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "plugin/imaging/WatermarkPlacement.h"

namespace {

using plat::Rect;
using plugin::PlaceWatermark;
using plugin::WatermarkPlacement;

bool Same(const Rect& a, const Rect& b) {
    return std::tie(a.left, a.top, a.right, a.bottom) == std::tie(b.left, b.top, b.right, b.bottom);
}

std::string Text(const Rect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// Every pixel of the area is covered exactly once by the stretches and the white fills.
void ExpectAreaCoveredOnce(const WatermarkPlacement& p, int width, int height) {
    std::vector<int> cover(static_cast<std::size_t>(width * height), 0);
    auto paint = [&](const Rect& r) {
        for (int y = std::max(r.top, 0); y < std::min(r.bottom, height); ++y)
            for (int x = std::max(r.left, 0); x < std::min(r.right, width); ++x) ++cover[static_cast<std::size_t>(y * width + x)];
    };
    for (const auto& s : p.stretches) paint(s.target);
    for (const Rect& r : p.whiteFills) paint(r);
    for (int i = 0; i < width * height; ++i)
        ASSERT_EQ(cover[static_cast<std::size_t>(i)], 1) << "pixel " << i % width << "," << i / width;
}

TEST(WatermarkPlacement, PlacedCopiesByColumnRowAndSourceRows) {
    struct Case {
        const char* what;
        int W, H, imageW, imageH, position, size;
        Rect source, target;
    } cases[] = {
        // 200 x 150 area, 100 x 50 picture, 50%: w = 100; h_src = 150*100*100/(50*200) = 150,
        // more than the picture's 50 rows, so 50; h = 50*50*200/(100*100) = 50.
        {"centre-middle", 200, 150, 100, 50, 4, 50, {0, 0, 100, 50}, {50, 50, 150, 100}},
        {"left-top", 200, 150, 100, 50, 0, 50, {0, 0, 100, 50}, {0, 0, 100, 50}},
        {"right-bottom", 200, 150, 100, 50, 8, 50, {0, 0, 100, 50}, {100, 100, 200, 150}},
        {"center-top", 200, 150, 100, 50, 1, 50, {0, 0, 100, 50}, {50, 0, 150, 50}},
        {"left-middle, odd rest halved down", 201, 151, 100, 50, 3, 50, {0, 0, 100, 50}, {0, 50, 100, 100}},
        // A tall picture: 200 x 100 area, 100 x 400 picture, 100%: w = 200; h_src =
        // 100*100*100/(100*200) = 50 rows; h = 100*50*200/(100*100) = 100.
        {"tall picture, top rows", 200, 100, 100, 400, 1, 100, {0, 0, 100, 50}, {0, 0, 200, 100}},
        {"tall picture, middle rows", 200, 100, 100, 400, 4, 100, {0, 175, 100, 225}, {0, 0, 200, 100}},
        {"tall picture, bottom rows", 200, 100, 100, 400, 6, 100, {0, 350, 100, 400}, {0, 0, 200, 100}},
        // 30%: w = 60; h_src = 100*100*100/(30*200) = 166 of 400; h = 30*166*200/(100*100) = 99.
        {"tall picture at 30%", 200, 100, 100, 400, 5, 30, {0, 117, 100, 283}, {140, 0, 200, 99}},
        // A size above 100 from a foreign device mode is taken as 100.
        {"size 150 as 100", 200, 150, 100, 50, 0, 150, {0, 0, 100, 50}, {0, 0, 200, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const WatermarkPlacement p = PlaceWatermark(c.W, c.H, c.imageW, c.imageH, c.position, c.size);
        ASSERT_EQ(p.stretches.size(), 1u);
        EXPECT_TRUE(Same(p.stretches[0].source, c.source)) << Text(p.stretches[0].source);
        EXPECT_TRUE(Same(p.stretches[0].target, c.target)) << Text(p.stretches[0].target);
        ExpectAreaCoveredOnce(p, c.W, c.H);
    }
}

TEST(WatermarkPlacement, NothingToDrawLeavesTheAreaWhite) {
    struct Case {
        const char* what;
        int imageW, imageH, position, size;
    } cases[] = {
        {"size 0", 100, 50, 4, 0},
        {"no picture", 0, 0, 4, 50},
        {"no position chosen", 100, 50, -1, 50},
        {"a position past Tiled", 100, 50, 10, 50},
        // 1%: w = 2, h_src = 150*10000*100/(1*200) capped at 1, h = 1*1*200/1000000 = 0.
        {"a copy too flat to draw", 10000, 1, 4, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const WatermarkPlacement p = PlaceWatermark(200, 150, c.imageW, c.imageH, c.position, c.size);
        EXPECT_TRUE(p.stretches.empty());
        ASSERT_EQ(p.whiteFills.size(), 1u);
        EXPECT_TRUE(Same(p.whiteFills[0], {0, 0, 200, 150}));
    }
}

TEST(WatermarkPlacement, TiledColumnsOfWholeCopiesAndACutLastCopy) {
    // 200 x 160 area, 100 x 50 picture, 30%: columns of 60, 100 / 30 = 3 whole ones, then one of
    // 20 showing 100 * 20 / 60 = 33 source columns. h_src = 160*100*100/(30*200) = 266, so all
    // 50 rows; h = 30*50*200/(100*100) = 30: five whole copies (150), then 10 rows showing
    // 50 * 10 / 30 = 16 source rows.
    const WatermarkPlacement p = PlaceWatermark(200, 160, 100, 50, 9, 30);
    ASSERT_EQ(p.stretches.size(), 4u * 6u);
    EXPECT_TRUE(Same(p.stretches[0].source, {0, 0, 100, 50}));
    EXPECT_TRUE(Same(p.stretches[0].target, {0, 0, 60, 30}));
    EXPECT_TRUE(Same(p.stretches[4].target, {0, 120, 60, 150}));
    EXPECT_TRUE(Same(p.stretches[5].source, {0, 0, 100, 16}));
    EXPECT_TRUE(Same(p.stretches[5].target, {0, 150, 60, 160}));
    EXPECT_TRUE(Same(p.stretches[6].target, {60, 0, 120, 30}));
    EXPECT_TRUE(Same(p.stretches[18].source, {0, 0, 33, 50}));
    EXPECT_TRUE(Same(p.stretches[18].target, {180, 0, 200, 30}));
    EXPECT_TRUE(Same(p.stretches[23].source, {0, 0, 33, 16}));
    EXPECT_TRUE(Same(p.stretches[23].target, {180, 150, 200, 160}));
    ExpectAreaCoveredOnce(p, 200, 160);
}

TEST(WatermarkPlacement, TiledSizeIsAtLeastTwenty) {
    // 5% tiles as 20%: columns of 40, five whole ones and no narrower one; h_src = 150*100*100
    // /(20*200) = 375 capped at 50; h = 20*50*200/10000 = 20, seven copies and 10 rows of 25.
    const WatermarkPlacement p = PlaceWatermark(200, 150, 100, 50, 9, 5);
    ASSERT_EQ(p.stretches.size(), 5u * 8u);
    EXPECT_TRUE(Same(p.stretches[0].target, {0, 0, 40, 20}));
    EXPECT_TRUE(Same(p.stretches[7].source, {0, 0, 100, 25}));
    EXPECT_TRUE(Same(p.stretches[39].target, {160, 140, 200, 150}));
    ExpectAreaCoveredOnce(p, 200, 150);
}

}  // namespace
