// ConvertToGray on hand-made 24-, 8- and 1-bit pictures; the gray work file's header; results.
#include <gtest/gtest.h>

#include "plugin/imaging/ConvertToGray.h"
#include "tests/plugin/imaging/TestBitmaps.h"

namespace {

using namespace imagingtest;

// The gray values of the work file made from `source`, rows in file order.
std::vector<Bytes> GrayRows(const Bytes& source, int c = 0, int b = 0) {
    static constexpr unsigned kAll[] = {24, 8, 1};
    Bytes work;
    EXPECT_EQ(plugin::RenderGray(source, kAll, c, b, work), plugin::kGrayWritten);
    if (work.empty()) return {};
    const std::size_t width = Le32(source, 18), height = Le32(source, 22);
    const std::size_t rowSize = (width + 3) / 4 * 4;
    std::vector<Bytes> rows;
    for (std::size_t y = 0; y < height; ++y) {
        const auto start = work.begin() + 1078 + static_cast<std::ptrdiff_t>(y * rowSize);
        rows.emplace_back(start, start + static_cast<std::ptrdiff_t>(width));
    }
    return rows;
}

TEST(GrayWorkFile, HeaderDescribesAnEightBitImageWithAGrayPalette) {
    MemoryFiles files;
    files.files["C:\\logo.bmp"] = Uniform24(13, 2, {1, 2, 3});
    std::string workPath;
    ASSERT_EQ(plugin::ConvertToGray(files, "C:\\logo.bmp", workPath, 0, 0), 1);
    EXPECT_EQ(workPath, "C:\\logoTemp.bmp");
    const Bytes& w = files.files.at(workPath);
    // 13 pixels: rows of 16 bytes, 32 bytes of pixels after 1078 of headers and palette.
    ASSERT_EQ(w.size(), 1110u);
    EXPECT_EQ(Le16(w, 0), 0x4D42);
    EXPECT_EQ(Le32(w, 2), 1110u);
    EXPECT_EQ(Le32(w, 10), 1078u);
    EXPECT_EQ(Le32(w, 14), 40u);
    EXPECT_EQ(Le32(w, 18), 13u);
    EXPECT_EQ(Le32(w, 22), 2u);
    EXPECT_EQ(Le16(w, 26), 1);
    EXPECT_EQ(Le16(w, 28), 8);
    EXPECT_EQ(Le32(w, 30), 0u);
    EXPECT_EQ(Le32(w, 34), 32u);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(Le32(w, 54 + 4 * i), static_cast<std::uint32_t>(i | i << 8 | i << 16)) << i;
    // The three padding bytes of each row are zero.
    EXPECT_EQ((Bytes(w.begin() + 1078 + 13, w.begin() + 1078 + 16)), (Bytes{0, 0, 0}));
}

TEST(Gray, TwentyFourBitPixelsBecomeTheLumaOfTheAdjustedChannels) {
    const Bytes source = Bitmap24({{{0, 0, 255}, {255, 0, 0}, {0, 255, 0}}});
    EXPECT_EQ(GrayRows(source), (std::vector<Bytes>{{76, 29, 149}}));
    // Brightness 50 lifts the zero channels to 50: red (255 x 299 + 50 x 587 + 50 x 114) /
    // 1000 = 111, blue (50 x 299 + 50 x 587 + 255 x 114) / 1000 = 73, green 50 x 413 / 1000
    // + 255 x 587 / 1000 = (14950 + 149685 + 5700) / 1000 = 170.
    EXPECT_EQ(GrayRows(source, 0, 50), (std::vector<Bytes>{{111, 73, 170}}));
}

TEST(Gray, EightBitSamplesGoThroughAdjustLevelWithoutThePalette) {
    const Bytes source = Bitmap8({{0, 100, 101, 154, 155, 255}});
    EXPECT_EQ(GrayRows(source), (std::vector<Bytes>{{0, 100, 101, 154, 155, 255}}));
    EXPECT_EQ(GrayRows(source, 100, 0), (std::vector<Bytes>{{0, 0, 4, 250, 255, 255}}));
}

TEST(Gray, OneBitPixelsFollowThePalette) {
    struct Case {
        const char* what;
        common::RgbQuad entry0, entry1;
        Bytes expected;  // for bits 1 0 1
    };
    const Case cases[] = {
        {"black then white: bits as they are", kBlack, kWhite, {255, 0, 255}},
        {"white then black: inverted", kWhite, kBlack, {0, 255, 0}},
        {"two grays: inverted", {0x40, 0x40, 0x40, 0}, {0x80, 0x80, 0x80, 0}, {0, 255, 0}},
        {"black then almost white: inverted", kBlack, {0xFF, 0xFF, 0xFE, 0}, {0, 255, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GrayRows(Bitmap1({{1, 0, 1}}, c.entry0, c.entry1, 0xFF)), std::vector<Bytes>{c.expected})
            << c.what;
    // White 255 and black 0 are adjusted as samples: contrast -100 gives 155 and 100.
    EXPECT_EQ(GrayRows(Bitmap1({{1, 0}}, kBlack, kWhite), -100, 0), (std::vector<Bytes>{{155, 100}}));
}

TEST(Gray, RowsStayInTheSourcesOrder) {
    EXPECT_EQ(GrayRows(Bitmap8({{1, 2}, {3, 4}, {5, 6}})), (std::vector<Bytes>{{1, 2}, {3, 4}, {5, 6}}));
}

TEST(Gray, EachVariantTakesOnlyItsDepth) {
    struct Case {
        int (*convert)(plugin::ImageFiles&, const std::string&, std::string&, int, int);
        Bytes source;
        int expected;
    };
    const Bytes d24 = Uniform24(2, 2, {1, 1, 1}), d8 = Uniform8(2, 2, 1);
    const Bytes d1 = Bitmap1({{1, 0}}, kBlack, kWhite);
    const Case cases[] = {
        {plugin::ConvertToGray24, d24, 1}, {plugin::ConvertToGray24, d8, -2}, {plugin::ConvertToGray24, d1, -2},
        {plugin::ConvertToGray8, d8, 1},   {plugin::ConvertToGray8, d24, -2}, {plugin::ConvertToGray8, d1, -2},
        {plugin::ConvertToGray1, d1, 1},   {plugin::ConvertToGray1, d24, -2}, {plugin::ConvertToGray1, d8, -2},
    };
    int i = 0;
    for (const Case& c : cases) {
        MemoryFiles files;
        files.files["C:\\s.bmp"] = c.source;
        std::string workPath;
        EXPECT_EQ(c.convert(files, "C:\\s.bmp", workPath, 0, 0), c.expected) << "case " << i;
        EXPECT_EQ(files.Has("C:\\sTemp.bmp"), c.expected == 1) << "case " << i;
        ++i;
    }
}

TEST(Gray, ReadAndWriteFailuresHaveTheirOwnCodes) {
    MemoryFiles files;
    std::string workPath = "kept";
    EXPECT_EQ(plugin::ConvertToGray(files, "C:\\none.bmp", workPath, 0, 0), plugin::kGrayReadFailed);
    files.files["C:\\s.bmp"] = Uniform8(3, 3, 50);
    files.unwritable.insert("C:\\sTemp.bmp");
    EXPECT_EQ(plugin::ConvertToGray(files, "C:\\s.bmp", workPath, 0, 0), plugin::kGrayWriteFailed);
    EXPECT_EQ(workPath, "kept");
    EXPECT_EQ(files.writes, 0);
}

}  // namespace
