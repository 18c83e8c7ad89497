// Text drawn by FreeType as GDI draws it: the machine's face list and its fallbacks, extents
// worked out by hand from the faces' advance widths (the Liberation faces carry Arial's and
// Courier New's widths: Arial "H" 1479, "i" 455, "M" 1706 units of 2048, Arial Bold "i" 569,
// Courier New 1229 for every character; Arial's Windows ascent 1854 and descent 434), and where
// the ink lands for the alignment, the angle and the clip rectangle.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>

#include "platform/sim/api/text_raster.h"

namespace {

namespace fs = std::filesystem;

plat::LogFontW Font(std::u16string_view face, int height, int weight = 400, int escapement = 0,
                    std::uint8_t pitchAndFamily = 0) {
    plat::LogFontW font;
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfEscapement = font.lfOrientation = escapement;
    font.lfClipPrecision = plat::kClipLhAngles;
    font.lfPitchAndFamily = pitchAndFamily;
    font.SetFaceName(face);
    return font;
}

std::vector<std::u16string> Names(const std::vector<plat::LogFontW>& faces) {
    std::vector<std::u16string> names;
    for (const plat::LogFontW& f : faces) names.emplace_back(f.FaceName());
    return names;
}

// The ink of a surface read back with ReadPixels32, addressed from the top-left corner.
struct Ink {
    int width = 0, height = 0;
    std::vector<std::uint8_t> bits;
    int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;  // bounding box of dark pixels

    explicit Ink(plat::TextSurface& s) : width(s.Width()), height(s.Height()) {
        bits.assign(static_cast<std::size_t>(width * height * 4), 0xFF);
        EXPECT_EQ(s.ReadPixels32(bits), height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (Dark(x, y)) left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
    }
    const std::uint8_t* At(int x, int y) const { return &bits[static_cast<std::size_t>(((height - 1 - y) * width + x) * 4)]; }
    bool Dark(int x, int y) const { return At(x, y)[1] < 128; }
};

std::unique_ptr<plat::TextSurface> WhiteSurface(plat::TextRaster& raster, const plat::LogFontW& font) {
    auto surface = raster.CreateSurface(300, 300);
    surface->FillWhite();
    EXPECT_TRUE(surface->SelectFont(font));
    surface->SetTextAlign(plat::kTaBaseline | plat::kTaLeft);
    surface->SetBkMode(plat::kBkOpaque);
    return surface;
}

TEST(TextRasterTest, TheMachineListsItsTrueTypeFacesInOrderForTheWesternCharacterSet) {
    sim::SimTextRaster raster;
    const auto faces = raster.TrueTypeFaces(plat::kAnsiCharset);
    EXPECT_EQ(Names(faces), (std::vector<std::u16string>{u"Arial", u"Arial Narrow", u"Courier New", u"DejaVu Sans",
                                                         u"DejaVu Sans Mono", u"DejaVu Serif", u"Times New Roman"}));
    ASSERT_EQ(faces.size(), 7u);
    EXPECT_EQ(faces[0].lfHeight, 36);  // 32 pixels per em: (1854 + 434) * 32 / 2048 = 35.75
    EXPECT_EQ(faces[0].lfWeight, 400);
    EXPECT_EQ(faces[0].lfCharSet, plat::kAnsiCharset);
    EXPECT_EQ(faces[0].lfPitchAndFamily, 0x22);  // VARIABLE_PITCH | FF_SWISS
    EXPECT_EQ(faces[2].lfPitchAndFamily, 0x31);  // FIXED_PITCH | FF_MODERN
    EXPECT_GT(faces[0].lfWidth, 0);
    EXPECT_TRUE(raster.TrueTypeFaces(128).empty());  // SHIFTJIS_CHARSET: no such face here
    EXPECT_EQ(raster.ScreenLogPixelsY(), 96);
}

TEST(TextRasterTest, AFaceWithoutItsRegularFileIsNotListedAndNamesFallBack) {
    const fs::path dir = fs::temp_directory_path() / ("fonts-" + std::to_string(::getpid()));
    fs::create_directories(dir / "liberation");
    const fs::path debian = "/usr/share/fonts/truetype/liberation";
    fs::copy_file(debian / "LiberationSans-Regular.ttf", dir / "liberation/LiberationSans-Regular.ttf");
    fs::copy_file(debian / "LiberationMono-Regular.ttf", dir / "liberation/LiberationMono-Regular.ttf");
    fs::copy_file(debian / "LiberationSerif-Bold.ttf", dir / "liberation/LiberationSerif-Bold.ttf");  // no regular
    {
        sim::SimTextRaster raster(dir);
        EXPECT_EQ(Names(raster.TrueTypeFaces(plat::kAnsiCharset)), (std::vector<std::u16string>{u"Arial", u"Courier New"}));
        auto s = raster.CreateSurface(10, 10);
        struct Case {
            plat::LogFontW font;
            int cx;  // of "HiM"
        } cases[] = {
            {Font(u"arial", -48), 35 + 11 + 40},                  // letter case ignored
            {Font(u"Garamond", -48, 400, 0, 0x31), 3 * 29},        // fixed pitch: Courier New, 1229 * 48 / 2048
            {Font(u"", -48, 400, 0, 0x22), 86},                    // swiss: Arial
            {Font(u"Times New Roman", -48), 86},                   // not installed: Arial
            {Font(u"Arial", -48, 700), 86 + 3},                    // no bold file: emboldened, a pixel wider each
        };
        for (const Case& c : cases) {
            ASSERT_TRUE(s->SelectFont(c.font));
            EXPECT_EQ(s->MeasureText(u"HiM").cx, c.cx) << std::string(c.font.FaceName().begin(), c.font.FaceName().end());
        }
    }
    fs::remove_all(dir);
    sim::SimTextRaster none(dir);
    EXPECT_TRUE(none.TrueTypeFaces(plat::kAnsiCharset).empty());
    auto bare = none.CreateSurface(10, 10);
    EXPECT_FALSE(bare->SelectFont(Font(u"Arial", -20)));
    EXPECT_EQ(bare->MeasureText(u"HiM").cx, 0);  // no font to measure with, and no crash
    EXPECT_TRUE(bare->DrawText(0, 5, std::nullopt, u"HiM"));
}

TEST(TextRasterTest, ExtentsAreTheRoundedAdvanceWidthsAndTheCellHeight) {
    sim::SimTextRaster raster;
    auto s = raster.CreateSurface(10, 10);
    struct Case {
        plat::LogFontW font;
        std::u16string text;
        int cx, cy;
    } cases[] = {
        {Font(u"Arial", -48), u"HiM", 35 + 11 + 40, 43 + 10},  // 1479*48/2048 = 34.7, 10.7, 40.0; 43.5, 10.2
        {Font(u"Arial", -24), u"HiM", 17 + 5 + 20, 22 + 5},    // 17.3, 5.3, 20.0; 21.7, 5.1
        {Font(u"Arial", -48), u"", 0, 53},
        {Font(u"Arial", -48), u"M", 40, 53},
        {Font(u"Arial", -48), u"i", 11, 53},
        {Font(u"Arial", -48, 700), u"i", 13, 53},              // the bold file's own width: 569*48/2048 = 13.3
        {Font(u"Courier New", -20), u"iM", 12 + 12, 23},       // 1229*20/2048 = 12.0 each
        {Font(u"Arial", 53), u"HiM", 34 + 10 + 39, 53},       // a cell of 53: 53*2048/2288 = 47.4 pixels per em
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(s->SelectFont(c.font));
        const plat::TextExtent e = s->MeasureText(c.text);
        EXPECT_EQ(e.cx, c.cx) << c.font.lfHeight << " " << c.text.size();
        EXPECT_EQ(e.cy, c.cy) << c.font.lfHeight << " " << c.text.size();
    }
}

TEST(TextRasterTest, SizesPastTheLargestAreRefusedAndTheFontKept) {
    sim::SimTextRaster raster;
    auto s = raster.CreateSurface(10, 10);
    ASSERT_TRUE(s->SelectFont(Font(u"Arial", -4096)));
    ASSERT_TRUE(s->SelectFont(Font(u"Arial", -48)));
    plat::LogFontW wide = Font(u"Arial", -48);
    wide.lfWidth = 4097;
    for (const plat::LogFontW& f : {Font(u"Arial", -4097), Font(u"Arial", INT_MIN), Font(u"Arial", INT_MAX), wide})
        EXPECT_FALSE(s->SelectFont(f)) << f.lfHeight;
    EXPECT_EQ(s->MeasureText(u"HiM").cx, 86);  // still the -48 font
}

TEST(TextRasterTest, ANewSurfaceIsBlackUntilFilledWhiteAndShortBuffersAreRefused) {
    sim::SimTextRaster raster;
    auto s = raster.CreateSurface(3, 2);
    std::vector<std::uint8_t> bits(3 * 2 * 4, 0x77);
    ASSERT_EQ(s->ReadPixels32(bits), 2);
    EXPECT_EQ(std::count(bits.begin(), bits.end(), 0), 24);
    s->FillWhite();
    std::vector<std::uint8_t> shortBuffer(23, 0x77);
    EXPECT_EQ(s->ReadPixels32(shortBuffer), 0);
    EXPECT_EQ(std::count(shortBuffer.begin(), shortBuffer.end(), 0x77), 23);
    ASSERT_EQ(s->ReadPixels32(bits), 2);
    for (std::size_t i = 0; i < bits.size(); ++i) EXPECT_EQ(bits[i], i % 4 == 3 ? 0 : 0xFF) << i;
    EXPECT_EQ(raster.CreateSurface(0, 5), nullptr);
}

TEST(TextRasterTest, AtAngleZeroTheInkSitsOnTheBaselineRightOfTheReferencePoint) {
    sim::SimTextRaster raster;
    auto s = WhiteSurface(raster, Font(u"Arial", -48));
    ASSERT_TRUE(s->DrawText(50, 150, plat::Rect{0, 0, 300, 300}, u"HiM"));
    Ink ink(*s);
    EXPECT_GE(ink.left, 50);
    EXPECT_LE(ink.left, 50 + 5);       // H's left side bearing: 150 units = 3.5 pixels
    EXPECT_LT(ink.right, 50 + 86);     // inside the advance
    EXPECT_GE(ink.right, 50 + 86 - 6);
    EXPECT_EQ(ink.bottom, 149);        // the letters stand on the baseline, nothing below it
    EXPECT_NEAR(ink.top, 150 - 35, 1); // the cap height: 1466 units = 34.4 pixels

    // Descenders go below the baseline, at most the descent.
    auto d = WhiteSurface(raster, Font(u"Arial", -48));
    d->DrawText(50, 150, std::nullopt, u"gjpq");
    Ink descending(*d);
    EXPECT_GT(descending.bottom, 150 + 5);
    EXPECT_LT(descending.bottom, 150 + 10);
}

TEST(TextRasterTest, TopAlignmentPutsTheBaselineOneAscentLower) {
    sim::SimTextRaster raster;
    auto s = WhiteSurface(raster, Font(u"Arial", -48));
    s->SetTextAlign(plat::kTaTop | plat::kTaLeft);
    s->DrawText(50, 100, std::nullopt, u"HiM");
    EXPECT_EQ(Ink(*s).bottom, 100 + 43 - 1);
}

TEST(TextRasterTest, AtNinetyDegreesTheTextRunsUpwardsWithItsTopToTheLeft) {
    sim::SimTextRaster raster;
    auto s = WhiteSurface(raster, Font(u"Arial", -48, 400, 900));
    s->DrawText(150, 250, std::nullopt, u"HiM");
    Ink ink(*s);
    EXPECT_LE(ink.bottom, 250 - 1);
    EXPECT_GE(ink.bottom, 250 - 5);     // the H's side bearing, now below the first stroke
    EXPECT_GE(ink.top, 250 - 86);
    EXPECT_LE(ink.top, 250 - 80);
    EXPECT_EQ(ink.right, 149);          // the baseline is the vertical line x = 150
    EXPECT_NEAR(ink.left, 150 - 35, 1);
}

TEST(TextRasterTest, NothingIsDrawnOutsideTheClipRectangle) {
    sim::SimTextRaster raster;
    auto s = WhiteSurface(raster, Font(u"Arial", -48));
    s->DrawText(50, 150, plat::Rect{0, 0, 80, 140}, u"HiM");
    Ink ink(*s);
    EXPECT_EQ(ink.right, 79);
    EXPECT_EQ(ink.bottom, 139);
    EXPECT_LT(ink.left, 60);
    // Text entirely off the surface draws nothing and does not fail.
    auto off = WhiteSurface(raster, Font(u"Arial", -48));
    EXPECT_TRUE(off->DrawText(-500, -500, std::nullopt, u"HiM"));
    EXPECT_EQ(Ink(*off).right, -1);
}

TEST(TextRasterTest, GreyEdgesUnlessTheFontAsksForNoSmoothing) {
    sim::SimTextRaster raster;
    for (std::uint8_t quality : {plat::kDefaultQuality, plat::kNonAntialiasedQuality}) {
        plat::LogFontW font = Font(u"Arial", -30, 400, 450);
        font.lfQuality = quality;
        auto s = WhiteSurface(raster, font);
        s->DrawText(100, 200, std::nullopt, u"DRAFT");
        Ink ink(*s);
        int grey = 0;
        for (std::size_t i = 0; i < ink.bits.size(); i += 4) grey += ink.bits[i] != 0 && ink.bits[i] != 0xFF;
        if (quality == plat::kNonAntialiasedQuality) EXPECT_EQ(grey, 0);
        else EXPECT_GT(grey, 50);
    }
}

}  // namespace
