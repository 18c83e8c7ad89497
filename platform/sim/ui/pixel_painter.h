// What a paint does to the pixels of a simulated window: solid fills, the system colours of the
// classic Windows scheme, and StretchDIBits' nearest-neighbour stretching.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/dialog.h"
#include "platform/pixel_image.h"

namespace sim {

// GetSysColor(index) of the "Windows Standard" scheme as Windows 2000 ships it (COLOR_BTNFACE
// 212,208,200; COLOR_WINDOW white; COLOR_HIGHLIGHT 10,36,106; COLOR_HIGHLIGHTTEXT white; ...),
// as a COLORREF; nothing for an index Windows has no colour for (25, or past 30).
std::optional<std::uint32_t> SystemColour(int index);

// FillRect: the part of the box inside the picture gets the colour (a COLORREF).
void FillPixels(plat::PixelImage& picture, const plat::Rect& box, std::uint32_t rgb);

// StretchDIBits(SRCCOPY) of `source` (counted from the image's top-left corner) onto `target`,
// clipped to the picture. Each axis maps on its own: target pixel t takes the source pixel under
// its centre, s = left + (2t + 1) * sourceWidth / (2 * targetWidth). When an axis shrinks,
// BLACKONWHITE instead ANDs every source pixel of the run that maps to t (so black survives),
// COLORONCOLOR keeps the sampled one. Source pixels outside the image leave the target as it
// is; an empty or inverted rectangle draws nothing.
void StretchPixels(plat::PixelImage& picture, const plat::PixelImage& image, const plat::Rect& source,
                   const plat::Rect& target, plat::StretchMode mode);

// DrawTextA(DT_CENTER | DT_VCENTER | DT_SINGLELINE) on a transparent background: the line
// centred in the box, drawn with the machine's fonts in the colour, clipped to the box.
void DrawCentredTextPixels(plat::PixelImage& picture, const plat::Rect& box, std::u16string_view text,
                           const plat::FontSpec& font, std::uint32_t rgb);

}  // namespace sim
