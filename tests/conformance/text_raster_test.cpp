// Text drawn into a memory bitmap: what holds for GDI and for the simulated machine alike,
// whichever faces the system has: the faces are TrueType ones of the character set asked for, a
// larger font measures larger, the ink stands on the baseline and stays inside the clip.
#include "tests/conformance/fixture.h"

namespace conformance {
namespace {

class TextRasterTest : public ConformanceTest {
protected:
    plat::TextRaster& R() { return P().textRaster(); }
    // The first face at a character height, with its own proportions.
    plat::LogFontW FirstFace(int height) {
        std::vector<plat::LogFontW> faces = R().TrueTypeFaces(plat::kAnsiCharset);
        plat::LogFontW font = faces.empty() ? plat::LogFontW{} : faces.front();
        font.lfHeight = -height;
        font.lfWidth = 0;
        return font;
    }
};

TEST_F(TextRasterTest, TheFacesAreNamedAndOfTheCharacterSetAsked) {
    const std::vector<plat::LogFontW> faces = R().TrueTypeFaces(plat::kAnsiCharset);
    ASSERT_FALSE(faces.empty());
    for (const plat::LogFontW& face : faces) {
        EXPECT_FALSE(face.FaceName().empty());
        EXPECT_EQ(face.lfCharSet, plat::kAnsiCharset);
    }
    EXPECT_GE(R().ScreenLogPixelsY(), 72);
}

TEST_F(TextRasterTest, ALargerFontMeasuresLarger) {
    auto surface = R().CreateSurface(10, 10);
    ASSERT_NE(surface, nullptr);
    ASSERT_TRUE(surface->SelectFont(FirstFace(20)));
    const plat::TextExtent small = surface->MeasureText(u"Water Mark");
    ASSERT_TRUE(surface->SelectFont(FirstFace(40)));
    const plat::TextExtent large = surface->MeasureText(u"Water Mark");
    EXPECT_GT(small.cx, 20);
    EXPECT_GE(small.cy, 20);
    EXPECT_GT(large.cx, small.cx * 3 / 2);
    EXPECT_GT(large.cy, small.cy * 3 / 2);
    EXPECT_EQ(surface->MeasureText(u"").cx, 0);
}

TEST_F(TextRasterTest, InkStandsOnTheBaselineInsideTheClip) {
    constexpr int kWidth = 120, kHeight = 80, kBaseline = 50, kClipRight = 60;
    auto surface = R().CreateSurface(kWidth, kHeight);
    ASSERT_NE(surface, nullptr);
    surface->FillWhite();
    ASSERT_TRUE(surface->SelectFont(FirstFace(30)));
    surface->SetTextAlign(plat::kTaBaseline | plat::kTaLeft);
    surface->SetBkMode(plat::kBkOpaque);
    ASSERT_TRUE(surface->DrawText(5, kBaseline, plat::Rect{0, 0, kClipRight, kHeight}, u"HHHHHHHH"));
    std::vector<std::uint8_t> bits(kWidth * kHeight * 4, 0x55);
    ASSERT_EQ(surface->ReadPixels32(bits), kHeight);
    int inkAbove = 0, inkBelow = 0, inkOutside = 0, notWhite = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const std::uint8_t* p = &bits[static_cast<std::size_t>(((kHeight - 1 - y) * kWidth + x) * 4)];
            if (p[0] != 0xFF) ++notWhite;
            if (p[1] >= 128) continue;
            if (x >= kClipRight) ++inkOutside;
            (y < kBaseline ? inkAbove : inkBelow)++;
        }
    EXPECT_GT(inkAbove, 100);
    EXPECT_EQ(inkBelow, 0);   // "H" has no descender
    EXPECT_EQ(inkOutside, 0);
    EXPECT_LT(notWhite, kWidth * kHeight / 2);  // filled white, then the letters
}

}  // namespace
}  // namespace conformance
