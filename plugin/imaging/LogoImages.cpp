// Encoding of stored-logo images for the download commands.
#include "plugin/imaging/LogoImages.h"

#include <new>

#include "common/bmp.h"
#include "plugin/imaging/PackGrayPlanes.h"
#include "plugin/imaging/SourceBitmap.h"

namespace plugin {
namespace {

bool IsColour(const common::RgbQuad& e, std::uint8_t level) {
    return e.rgbRed == level && e.rgbGreen == level && e.rgbBlue == level;
}

}  // namespace

bool EncodeMonochromeLogo(std::span<const std::uint8_t> oneBitFile, std::vector<std::uint8_t>& out) {
    static constexpr unsigned kDepth[] = {1};
    SourceBitmap src;
    if (CheckSourceBitmap(oneBitFile, kDepth, src) != SourceCheck::kUsable) return false;
    bool invert;
    if (IsColour(src.palette[0], 0x00) && IsColour(src.palette[1], 0xFF)) invert = true;
    else if (IsColour(src.palette[0], 0xFF) && IsColour(src.palette[1], 0x00)) invert = false;
    else return false;

    const std::size_t x = src.rowSize;
    const std::size_t height = static_cast<std::size_t>(src.height);
    const std::size_t y = (height + 7) / 8;
    if (x > 0xFFFF || y > 0xFFFF) return false;

    try {
        // The rows, inverted where needed so that a set bit is a printed dot, with the bytes after
        // the data bytes and the unused low bits of the last data byte cleared.
        const std::size_t dataBytes = (static_cast<std::size_t>(src.width) + 7) / 8;
        const unsigned usedBits = static_cast<unsigned>(src.width % 8);
        const std::uint8_t lastMask = usedBits == 0 ? 0xFF : static_cast<std::uint8_t>(0xFF << (8 - usedBits));
        std::vector<std::uint8_t> dots(x * height, 0);
        for (std::size_t r = 0; r < height; ++r) {
            const auto row = src.Row(static_cast<std::int32_t>(r));
            std::uint8_t* target = dots.data() + r * x;
            for (std::size_t i = 0; i < dataBytes; ++i)
                target[i] = invert ? static_cast<std::uint8_t>(~row[i]) : row[i];
            target[dataBytes - 1] &= lastMask;
        }

        std::vector<std::uint8_t> encoded;
        encoded.reserve(4 + x * 8 * y);
        common::AppendLe16(encoded, static_cast<std::uint16_t>(x));
        common::AppendLe16(encoded, static_cast<std::uint16_t>(y));
        // The picture fills the bottom of y * 8 rows: padded row t (from the top) is picture row
        // t - blank from the top, which the bottom-up file stores as file row height - 1 - that.
        const std::size_t blank = y * 8 - height;
        for (std::size_t column = 0; column < x * 8; ++column) {
            const std::size_t byteInRow = column / 8;
            const unsigned bit = 7 - static_cast<unsigned>(column % 8);
            for (std::size_t band = 0; band < y; ++band) {
                std::uint8_t packed = 0;
                for (unsigned k = 0; k < 8; ++k) {
                    const std::size_t t = band * 8 + k;
                    if (t < blank) continue;
                    const std::size_t fileRow = height - 1 - (t - blank);
                    if ((dots[fileRow * x + byteInRow] >> bit) & 1)
                        packed |= static_cast<std::uint8_t>(0x80u >> k);
                }
                encoded.push_back(packed);
            }
        }
        out = std::move(encoded);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool EncodeGrayLogo(std::span<const std::uint8_t> grayFile, std::vector<std::uint8_t>& out) {
    std::vector<std::uint8_t> raster;
    std::uint16_t x = 0, y = 0;
    if (!PackGrayPlanes(grayFile, raster, x, y)) return false;
    try {
        std::vector<std::uint8_t> encoded = {0x01, 0x00};
        common::AppendLe16(encoded, x);
        common::AppendLe16(encoded, y);
        encoded.insert(encoded.end(), raster.begin(), raster.end());
        out = std::move(encoded);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

}  // namespace plugin
