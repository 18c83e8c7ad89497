// Fills and nearest-neighbour stretching on 24-bit pictures.
#include "platform/sim/ui/pixel_painter.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/sim/api/font_renderer.h"

namespace sim {

namespace {

constexpr std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b) << 16;
}

// COLOR_SCROLLBAR (0) to COLOR_MENUBAR (30); 0xFFFFFFFF where Windows has none.
constexpr std::array<std::uint32_t, 31> kClassicColours = {
    Rgb(212, 208, 200), Rgb(58, 110, 165),  Rgb(10, 36, 106),   Rgb(128, 128, 128), Rgb(212, 208, 200),
    Rgb(255, 255, 255), Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(255, 255, 255),
    Rgb(212, 208, 200), Rgb(212, 208, 200), Rgb(128, 128, 128), Rgb(10, 36, 106),   Rgb(255, 255, 255),
    Rgb(212, 208, 200), Rgb(128, 128, 128), Rgb(128, 128, 128), Rgb(0, 0, 0),       Rgb(212, 208, 200),
    Rgb(255, 255, 255), Rgb(64, 64, 64),    Rgb(212, 208, 200), Rgb(0, 0, 0),       Rgb(255, 255, 225),
    0xFFFFFFFFu,        Rgb(0, 0, 128),     Rgb(166, 202, 240), Rgb(192, 192, 192), Rgb(10, 36, 106),
    Rgb(212, 208, 200),
};

// For one axis: the source index each target index samples, and the run it covers when
// shrinking [first, last).
struct AxisMap {
    std::vector<int> sample, first, last;
};

AxisMap MapAxis(int sourceStart, int sourceLength, int targetLength) {
    AxisMap map;
    for (int t = 0; t < targetLength; ++t) {
        const long long s2 = (2LL * t + 1) * sourceLength / (2LL * targetLength);
        map.sample.push_back(sourceStart + static_cast<int>(s2));
        const long long from = static_cast<long long>(t) * sourceLength / targetLength;
        long long to = static_cast<long long>(t + 1) * sourceLength / targetLength;
        if (to <= from) to = from + 1;
        map.first.push_back(sourceStart + static_cast<int>(from));
        map.last.push_back(sourceStart + static_cast<int>(to));
    }
    return map;
}

}  // namespace

std::optional<std::uint32_t> SystemColour(int index) {
    if (index < 0 || index >= static_cast<int>(kClassicColours.size()) || kClassicColours[static_cast<std::size_t>(index)] == 0xFFFFFFFFu)
        return std::nullopt;
    return kClassicColours[static_cast<std::size_t>(index)];
}

void FillPixels(plat::PixelImage& picture, const plat::Rect& box, std::uint32_t rgb) {
    const int left = std::max(box.left, 0), right = std::min(box.right, picture.width);
    const int top = std::max(box.top, 0), bottom = std::min(box.bottom, picture.height);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            std::uint8_t* p = picture.At(x, y);
            p[0] = static_cast<std::uint8_t>(rgb >> 16);
            p[1] = static_cast<std::uint8_t>(rgb >> 8);
            p[2] = static_cast<std::uint8_t>(rgb);
        }
}

void StretchPixels(plat::PixelImage& picture, const plat::PixelImage& image, const plat::Rect& source,
                   const plat::Rect& target, plat::StretchMode mode) {
    const int sw = source.right - source.left, sh = source.bottom - source.top;
    const int tw = target.right - target.left, th = target.bottom - target.top;
    if (sw <= 0 || sh <= 0 || tw <= 0 || th <= 0) return;
    if (image.bits.size() < image.Stride() * static_cast<std::size_t>(std::max(image.height, 0))) return;
    const AxisMap xs = MapAxis(source.left, sw, tw), ys = MapAxis(source.top, sh, th);
    const bool andX = mode == plat::StretchMode::BlackOnWhite && tw < sw;
    const bool andY = mode == plat::StretchMode::BlackOnWhite && th < sh;
    auto inside = [&](int x, int y) { return x >= 0 && y >= 0 && x < image.width && y < image.height; };
    for (int ty = 0; ty < th; ++ty) {
        const int py = target.top + ty;
        if (py < 0 || py >= picture.height) continue;
        const std::size_t iy = static_cast<std::size_t>(ty);
        const int y0 = andY ? ys.first[iy] : ys.sample[iy], y1 = andY ? ys.last[iy] : ys.sample[iy] + 1;
        for (int tx = 0; tx < tw; ++tx) {
            const int px = target.left + tx;
            if (px < 0 || px >= picture.width) continue;
            const std::size_t ix = static_cast<std::size_t>(tx);
            const int x0 = andX ? xs.first[ix] : xs.sample[ix], x1 = andX ? xs.last[ix] : xs.sample[ix] + 1;
            std::uint8_t colour[3] = {0xFF, 0xFF, 0xFF};
            bool any = false;
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x) {
                    if (!inside(x, y)) continue;
                    const std::uint8_t* s = image.At(x, y);
                    for (int c = 0; c < 3; ++c) colour[c] &= s[c];
                    any = true;
                }
            if (!any) continue;
            std::uint8_t* d = picture.At(px, py);
            for (int c = 0; c < 3; ++c) d[c] = colour[c];
        }
    }
}

void DrawCentredTextPixels(plat::PixelImage& picture, const plat::Rect& box, std::u16string_view text,
                           const plat::FontSpec& font, std::uint32_t rgb) {
    static const MachineFonts fonts;
    FontRenderer renderer(fonts);
    plat::LogFontW logFont;
    logFont.lfHeight = font.height;
    logFont.lfWidth = font.width;
    logFont.lfWeight = font.weight;
    logFont.lfItalic = font.italic;
    logFont.lfCharSet = font.charSet;
    logFont.lfPitchAndFamily = font.pitchAndFamily;
    std::u16string face;
    for (char c : font.face) face += static_cast<char16_t>(static_cast<unsigned char>(c));
    logFont.SetFaceName(face);
    if (!renderer.Select(logFont)) return;
    const plat::TextExtent extent = renderer.Measure(text);
    const FontMetrics& m = renderer.metrics();
    const int x = box.left + (box.right - box.left - extent.cx) / 2;
    const int y = box.top + (box.bottom - box.top - extent.cy) / 2 + m.ascent;
    const plat::Rect clip{std::max(box.left, 0), std::max(box.top, 0), std::min(box.right, picture.width),
                          std::min(box.bottom, picture.height)};
    const std::uint8_t colour[3] = {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                                    static_cast<std::uint8_t>(rgb)};
    renderer.Draw(text, x, y, clip, [&](int px, int py, std::uint8_t coverage) {
        std::uint8_t* p = picture.At(px, py);
        for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>((p[c] * (255 - coverage) + colour[c] * coverage + 127) / 255);
    });
}

}  // namespace sim
