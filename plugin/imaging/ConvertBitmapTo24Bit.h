// The watermark page's conversion of a 1-, 8- or 24-bit bitmap file into a 24-bit bitmap file.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/files.h"

namespace plugin {

// Results of ConvertBitmapTo24Bit.
inline constexpr int kWatermarkNotConverted = 0;  // unreadable, not "BM", another layout or depth
inline constexpr int kWatermarkConverted = 1;
inline constexpr int kWatermarkOutputFailed = 2;  // the output file cannot be created

// How a source is recognised: by its pixel-data offset, which must agree with its bit count.
enum class WatermarkSourceKind {
    kRefused,
    kOneBit,    // offset 62: two palette entries
    kEightBit,  // offset 1078: 256 palette entries
    kCopy,      // offset 54 and 24 bits: already what the page needs, copied unchanged
};

// The output bytes for a source file. For kOneBit and kEightBit `out` is the 24-bit file: the
// source's file header with pixel offset 54 and the new size, its information header with 24
// bits, image size 0 and no colours used or important (a 24-bit file announcing a palette it
// does not have would be read shifted), then each pixel as its palette entry's blue, green and
// red, rows padded to four bytes. For kCopy `out` is the source itself. Sources that are not
// uncompressed, bottom-up, non-empty bitmaps whose rows the file holds are kRefused.
WatermarkSourceKind RenderBitmap24(std::span<const std::uint8_t> source,
                                   std::vector<std::uint8_t>& out);

// Reads `sourcePath` and writes the 24-bit file to `outputPath`, replacing it; a copied 24-bit
// source gets the archive attribute and succeeds only when that can be set. The output is
// written only for a usable source, so a refused bitmap leaves the previous output intact.
int ConvertBitmapTo24Bit(plat::FileSystem& files, const std::string& sourcePath,
                         const std::string& outputPath);

}  // namespace plugin
