// A bitmap file checked for conversion: its geometry, palette and pixel rows, each proven to lie
// inside the file before any conversion reads it.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "common/bmp.h"

namespace plugin {

// Largest width or height any conversion accepts; the logo page itself stops at 1024 x 768.
inline constexpr std::int32_t kMaxBitmapDimension = 32767;

struct SourceBitmap {
    std::int32_t width = 0;
    std::int32_t height = 0;  // always positive: rows are stored bottom row first
    unsigned bitCount = 0;
    std::size_t rowSize = 0;                // bytes per stored row, padding included
    std::span<const std::uint8_t> rows;     // height x rowSize bytes, in the file's row order
    std::vector<common::RgbQuad> palette;   // empty for 24-bit sources

    std::span<const std::uint8_t> Row(std::int32_t fileRow) const {
        return rows.subspan(static_cast<std::size_t>(fileRow) * rowSize, rowSize);
    }
};

enum class SourceCheck {
    kUsable,
    kNotAccepted,  // not "BM", another depth or compression, a top-down, empty or absurd size,
                   // or a palette that does not fit its depth or overlaps the pixel rows
    kTruncated,    // the file ends before its headers, palette or pixel rows do
};

// Checks `file` as an uncompressed bitmap of one of `acceptedBitCounts` and, when usable, fills
// `out` with views into `file`. Pixel rows are taken from the file header's pixel offset, which
// is 54, 1078 or 62 for the usual 24-, 8- and 1-bit files and also right for files with larger
// information headers or shorter palettes. 1- and 8-bit files need a palette of at most 2 or 256
// entries (all 256 when the header says 0); 1-bit files need both entries.
SourceCheck CheckSourceBitmap(std::span<const std::uint8_t> file,
                              std::span<const unsigned> acceptedBitCounts, SourceBitmap& out);

// Just the bit count of a file that starts like a bitmap ("BM" and an information header), or 0.
unsigned BitmapBitCount(std::span<const std::uint8_t> file);

}  // namespace plugin
