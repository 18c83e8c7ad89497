// Packing of gray rows into four bit planes per row.
#include "plugin/imaging/PackGrayPlanes.h"

#include <new>

#include "plugin/imaging/SourceBitmap.h"

namespace plugin {

bool PackGrayPlanes(std::span<const std::uint8_t> grayFile, std::vector<std::uint8_t>& raster,
                    std::uint16_t& x, std::uint16_t& y) {
    static constexpr unsigned kDepth[] = {8};
    SourceBitmap src;
    if (CheckSourceBitmap(grayFile, kDepth, src) != SourceCheck::kUsable) return false;
    const std::size_t w = static_cast<std::size_t>(src.width);
    const std::size_t h = static_cast<std::size_t>(src.height);
    const std::size_t w4 = (w + 3) / 4 * 4;
    const std::size_t lineBytes = (w4 + 7) / 8;
    const std::size_t units = (4 * h + 7) / 8;
    if (lineBytes > 0xFFFF || units > 0xFFFF) return false;
    try {
        // Zero-filled: the bits past w4 and the trailing blank lines stay 0, and so do the
        // columns w .. w4 - 1, which are white (the complement of 255's bits).
        std::vector<std::uint8_t> out(lineBytes * units * 8, 0);
        for (std::size_t top = 0; top < h; ++top) {
            const auto row = src.Row(static_cast<std::int32_t>(h - 1 - top));  // bottom-up file
            for (unsigned plane = 0; plane < 4; ++plane) {
                const unsigned valueBit = 7 - plane;
                std::uint8_t* line = out.data() + (top * 4 + plane) * lineBytes;
                for (std::size_t px = 0; px < w; ++px)
                    if (((row[px] >> valueBit) & 1) == 0)
                        line[px / 8] |= static_cast<std::uint8_t>(0x80u >> (px % 8));
            }
        }
        raster = std::move(out);
    } catch (const std::bad_alloc&) {
        return false;
    }
    x = static_cast<std::uint16_t>(lineBytes);
    y = static_cast<std::uint16_t>(units);
    return true;
}

bool PackGrayPlanes(ImageFiles& files, const std::string& grayWorkFilePath,
                    std::vector<std::uint8_t>& raster, std::uint16_t& x, std::uint16_t& y) {
    std::vector<std::uint8_t> file;
    try {
        if (!files.Read(grayWorkFilePath, file)) return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    return PackGrayPlanes(file, raster, x, y);
}

}  // namespace plugin
