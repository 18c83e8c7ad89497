// The printer's stored-logo images: a one-bit bitmap as vertical dot columns, a gray work file as
// four bit planes, each with the header the download command expects.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

namespace plugin {

// A one-bit bitmap file (palette black then white, or white then black) as the printer takes it
// in a monochrome logo download: xL xH yL yH, then x * 8 columns of y bytes each, top to bottom,
// top dot in bit 7, a set bit printing a dot. x is the bitmap's row size in bytes and
// y = (height + 7) / 8; the blank rows that fill the last band lie above the picture. Padding
// bytes and bits past the width never print, whichever palette order the file has.
// False, leaving `out` untouched, for any other file (another depth or palette, compressed,
// top-down, truncated).
bool EncodeMonochromeLogo(std::span<const std::uint8_t> oneBitFile, std::vector<std::uint8_t>& out);

// A gray work file as the printer takes it in a gray logo download: 01 00 xL xH yL yH, then
// the x * y * 8 bytes of PackGrayPlanes. False, leaving `out` untouched, when the file cannot
// be packed.
bool EncodeGrayLogo(std::span<const std::uint8_t> grayFile, std::vector<std::uint8_t>& out);

}  // namespace plugin
