// Rendering the text watermark into its 300 x 300 square.
#include "plugin/imaging/RenderTextWatermark.h"

#include <algorithm>

#include "plugin/imaging/TextWatermark.h"

namespace plugin {

namespace {

char16_t FoldAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool SameFace(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                               [](char16_t x, char16_t y) { return FoldAscii(x) == FoldAscii(y); });
}

}  // namespace

plat::LogFontW TextWatermarkFont(plat::TextRaster& raster, const TextWatermarkLook& look) {
    plat::LogFontW font;
    font.SetFaceName(look.face);
    for (const plat::LogFontW& listed : raster.TrueTypeFaces(plat::kAnsiCharset))
        if (SameFace(listed.FaceName(), look.face)) {
            font = listed;
            break;
        }
    const WatermarkFontStyle& style =
        kWatermarkFontStyles[look.style >= 0 && look.style < 4 ? look.style : 0];
    font.lfHeight = -MulDiv(look.pointSize, raster.ScreenLogPixelsY(), 72);
    // The listed face carries the average width of its enumeration size; kept, it would squeeze
    // or stretch the text at any other height. Zero lets the width follow the height.
    font.lfWidth = 0;
    font.lfWeight = style.weight;
    font.lfItalic = style.italic ? 1 : 0;
    font.lfEscapement = font.lfOrientation = look.angle * 10;
    font.lfClipPrecision = plat::kClipLhAngles;
    return font;
}

std::optional<std::vector<std::uint8_t>> RenderTextWatermark(plat::TextRaster& raster,
                                                             const TextWatermarkLook& look) {
    std::unique_ptr<plat::TextSurface> surface = raster.CreateSurface(kTextWatermarkSide, kTextWatermarkSide);
    if (!surface) return std::nullopt;
    surface->SelectFont(TextWatermarkFont(raster, look));  // a refused font leaves the system's
    surface->SetTextAlign(plat::kTaBaseline | plat::kTaLeft);
    surface->SetBkMode(plat::kBkOpaque);
    surface->FillWhite();
    const plat::TextExtent extent = surface->MeasureText(look.text);
    const TextWatermarkOrigin origin = PlaceTextWatermark(extent.cx, extent.cy, look.angle);
    surface->DrawText(origin.x, origin.y, plat::Rect{0, 0, kTextWatermarkSide, kTextWatermarkSide}, look.text);
    std::vector<std::uint8_t> pixels(kTextWatermarkPixelBytes, 0xFF);
    surface->ReadPixels32(pixels);
    return pixels;
}

}  // namespace plugin
