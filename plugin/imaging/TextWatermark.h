// The text watermark's picture: a 300 x 300 white square with the text drawn through its centre
// at the chosen angle, kept as a 24-bit bitmap file for the driver's rendering side.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/pixel_image.h"

namespace plugin {

inline constexpr int kTextWatermarkSide = 300;
inline constexpr std::size_t kTextWatermarkPixelBytes = 300u * 300u * 4u;  // as read back, 32 bits a pixel
inline constexpr std::size_t kTextWatermarkFileSize = 54u + 300u * 300u * 3u;  // 270054

// The font styles in list order: their weight and whether they are italic.
struct WatermarkFontStyle {
    const char16_t* name;
    int weight;
    bool italic;
};
inline constexpr WatermarkFontStyle kWatermarkFontStyles[] = {
    {u"Regular", 400, false},
    {u"Italic", 400, true},
    {u"Bold", 700, false},
    {u"Bold Italic", 700, true},
};

// MulDiv: a x b / c in 64 bits, rounded half away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c);

// Where the text is drawn (left end of its baseline) so that its middle lies on the square's
// centre: with hw = cx / 2 and hh = cy / 2 (the measured text halved), turned by the angle,
// x = 150 - trunc(hw cos a - hh sin a) and y = 150 + trunc(hw sin a + hh cos a).
struct TextWatermarkOrigin {
    int x = 0;
    int y = 0;
};
TextWatermarkOrigin PlaceTextWatermark(int cx, int cy, int angleDegrees);

// The bitmap file of the square from its pixels as GetDIBits reads them (32 bits a pixel,
// bottom row first, 360,000 bytes): "BM", size 270054, pixel offset 54, a 300 x 300 24-bit
// uncompressed information header with every other member 0, then each pixel's blue, green and
// red bytes (rows of 900 bytes need no padding). Nothing when fewer bytes are given.
std::optional<std::vector<std::uint8_t>> TextWatermarkFile(std::span<const std::uint8_t> pixels32);

// The same pixels as a picture for the preview.
std::optional<plat::PixelImage> TextWatermarkPicture(std::span<const std::uint8_t> pixels32);

// Lightens a picture for the preview: the brightness is added to every byte, capped at 255.
void LightenPicture(plat::PixelImage& picture, int brightness);

}  // namespace plugin
