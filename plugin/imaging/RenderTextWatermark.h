// Rendering the text watermark: the text drawn through the centre of a 300 x 300 white square
// in the chosen TrueType face, size, style and angle, read back as 32-bit pixels.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/text_raster.h"

namespace plugin {

struct TextWatermarkLook {
    std::u16string text;
    std::u16string face;
    int pointSize = 50;
    int style = 0;  // index into kWatermarkFontStyles
    int angle = 45;
};

// The font of the watermark: the face's own LOGFONTW as the ANSI enumeration gives it (a face
// the system does not list keeps only its name), its height the point size at the screen's
// resolution (-MulDiv(points, LOGPIXELSY, 72)), weight and italic by style, escapement and
// orientation the angle in tenths of a degree, and CLIP_LH_ANGLES so that the angle turns
// counter-clockwise on the screen.
plat::LogFontW TextWatermarkFont(plat::TextRaster& raster, const TextWatermarkLook& look);

// The square's pixels as GetDIBits reads them (32 bits a pixel, bottom row first, 360,000
// bytes; white where nothing could be read). Nothing when no surface can be made.
std::optional<std::vector<std::uint8_t>> RenderTextWatermark(plat::TextRaster& raster,
                                                             const TextWatermarkLook& look);

}  // namespace plugin
