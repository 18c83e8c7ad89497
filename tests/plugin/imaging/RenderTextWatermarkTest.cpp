// Rendering the text watermark through a recording text raster: the font asked for, the steps
// on the surface in order, where the text is drawn, and the pixels handed back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/imaging/RenderTextWatermark.h"

namespace {

struct Recorded {
    std::vector<std::string> steps;
    plat::LogFontW font;
    int x = 0, y = 0;
    plat::Rect clip;
    std::u16string text;
};

class RecordingSurface : public plat::TextSurface {
public:
    explicit RecordingSurface(Recorded& r) : r_(r) {}
    int Width() const override { return 300; }
    int Height() const override { return 300; }
    void FillWhite() override { r_.steps.push_back("fill white"); }
    bool SelectFont(const plat::LogFontW& font) override {
        r_.steps.push_back("font");
        r_.font = font;
        return true;
    }
    void SetTextAlign(std::uint32_t align) override { r_.steps.push_back("align " + std::to_string(align)); }
    void SetBkMode(int mode) override { r_.steps.push_back("background " + std::to_string(mode)); }
    plat::TextExtent MeasureText(std::u16string_view) override {
        r_.steps.push_back("measure");
        return {121, 37};  // halves 60 and 18
    }
    bool DrawText(int x, int y, const std::optional<plat::Rect>& clip, std::u16string_view text) override {
        r_.steps.push_back("draw");
        r_.x = x;
        r_.y = y;
        if (clip) r_.clip = *clip;
        r_.text = text;
        return true;
    }
    int ReadPixels32(std::span<std::uint8_t> bits) override {
        r_.steps.push_back("read");
        if (bits.size() < 360000) return 0;
        bits[0] = 7;  // the bottom-left pixel's blue byte
        bits[359999] = 9;
        return 300;
    }

private:
    Recorded& r_;
};

class RecordingRaster : public plat::TextRaster {
public:
    Recorded recorded;
    bool makesSurfaces = true;
    std::vector<plat::LogFontW> TrueTypeFaces(std::uint8_t charSet) override {
        EXPECT_EQ(charSet, plat::kAnsiCharset);
        plat::LogFontW serif;
        serif.SetFaceName(u"Serifed Face");
        serif.lfCharSet = 0;
        serif.lfPitchAndFamily = plat::kFamilyRoman;
        serif.lfOutPrecision = 3;
        plat::LogFontW sans;
        sans.SetFaceName(u"Plain Sans");
        sans.lfPitchAndFamily = plat::kFamilySwiss;
        return {serif, sans};
    }
    int ScreenLogPixelsY() override { return 120; }
    std::unique_ptr<plat::TextSurface> CreateSurface(int width, int height) override {
        EXPECT_EQ(width, 300);
        EXPECT_EQ(height, 300);
        if (!makesSurfaces) return nullptr;
        return std::make_unique<RecordingSurface>(recorded);
    }
};

TEST(RenderTextWatermark, TheFontIsTheListedFaceAtTheChosenSizeStyleAndAngle) {
    struct Case {
        int style, weight, italic;
    } cases[] = {{0, 400, 0}, {1, 400, 1}, {2, 700, 0}, {3, 700, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        RecordingRaster raster;
        // 36 points at 120 pixels an inch: 36 x 120 / 72 = 60 pixels.
        const plat::LogFontW font = plugin::TextWatermarkFont(raster, {u"DRAFT", u"serifed face", 36, c.style, 30});
        EXPECT_EQ(std::u16string(font.FaceName()), u"Serifed Face");
        EXPECT_EQ(font.lfPitchAndFamily, plat::kFamilyRoman);  // the listed face's own record
        EXPECT_EQ(font.lfOutPrecision, 3);
        EXPECT_EQ(font.lfHeight, -60);
        EXPECT_EQ(font.lfWeight, c.weight);
        EXPECT_EQ(font.lfItalic, c.italic);
        EXPECT_EQ(font.lfEscapement, 300);
        EXPECT_EQ(font.lfOrientation, 300);
        EXPECT_EQ(font.lfClipPrecision, plat::kClipLhAngles);
    }
    RecordingRaster raster;
    const plat::LogFontW unlisted = plugin::TextWatermarkFont(raster, {u"DRAFT", u"Not Installed", 8, 0, 0});
    EXPECT_EQ(std::u16string(unlisted.FaceName()), u"Not Installed");
    EXPECT_EQ(unlisted.lfHeight, -13);  // 8 x 120 / 72 = 13.3
}

TEST(RenderTextWatermark, TextIsDrawnClippedThroughTheCentreOfAWhiteSquare) {
    RecordingRaster raster;
    const auto pixels = plugin::RenderTextWatermark(raster, {u"TOP SECRET", u"Plain Sans", 50, 0, 0});
    ASSERT_TRUE(pixels);
    const std::vector<std::string> steps = {"font", "align 24", "background 2", "fill white", "measure", "draw", "read"};
    EXPECT_EQ(raster.recorded.steps, steps);
    // Angle 0, text 121 x 37: x = 150 - 60, baseline y = 150 + 18.
    EXPECT_EQ(raster.recorded.x, 90);
    EXPECT_EQ(raster.recorded.y, 168);
    EXPECT_EQ(raster.recorded.clip.right, 300);
    EXPECT_EQ(raster.recorded.clip.bottom, 300);
    EXPECT_EQ(raster.recorded.text, u"TOP SECRET");
    ASSERT_EQ(pixels->size(), 360000u);
    EXPECT_EQ((*pixels)[0], 7);
    EXPECT_EQ((*pixels)[1], 0xFF);  // bytes the surface did not write stay white
    EXPECT_EQ((*pixels)[359999], 9);
}

TEST(RenderTextWatermark, NoSurfaceGivesNoPixels) {
    RecordingRaster raster;
    raster.makesSurfaces = false;
    EXPECT_FALSE(plugin::RenderTextWatermark(raster, {u"DRAFT", u"Plain Sans", 50, 0, 45}));
}

}  // namespace
