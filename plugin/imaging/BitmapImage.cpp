// Loading bitmap files for previews: sizes are checked in 64 bits against the file before any
// pixel is read or the picture is allocated.
#include "plugin/imaging/BitmapImage.h"

#include <vector>

#include "common/bmp.h"
#include "plugin/imaging/SourceBitmap.h"

namespace plugin {
namespace {

bool IsShownDepth(unsigned bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24 || bitCount == 32;
}

// Palette index of pixel `x` in a stored row of 1, 4 or 8 bits per pixel; the leftmost pixel is
// in the high bits of the first byte.
unsigned PaletteIndex(std::span<const std::uint8_t> row, unsigned bitCount, std::int32_t x) {
    const std::size_t bit = static_cast<std::size_t>(x) * bitCount;
    const unsigned byte = row[bit / 8];
    const unsigned shift = 8 - bitCount - static_cast<unsigned>(bit % 8);
    return (byte >> shift) & ((1u << bitCount) - 1);
}

}  // namespace

std::optional<plat::PixelImage> DecodeBitmapImage(std::span<const std::uint8_t> file) {
    const auto fileHeader = common::ReadBitmapFileHeader(file);
    const auto info = common::ReadBitmapInfoHeader(file);
    if (!fileHeader || !info || fileHeader->bfType != common::kBitmapSignature) return std::nullopt;
    // Smaller (core) headers lay their fields out differently; larger ones (V4, V5) extend this one.
    if (info->biSize < common::kBitmapInfoHeaderSize) return std::nullopt;
    const unsigned bitCount = info->biBitCount;
    if (!IsShownDepth(bitCount) || info->biCompression != common::kBiRgb) return std::nullopt;

    // A negative height stores the top row first.
    const bool topDown = info->biHeight < 0;
    const std::int64_t width = info->biWidth;
    const std::int64_t height = topDown ? -std::int64_t{info->biHeight} : info->biHeight;
    if (width <= 0 || height <= 0 || width > kMaxBitmapDimension || height > kMaxBitmapDimension)
        return std::nullopt;

    // The palette follows the information header; a count of 0 means the depth's full palette.
    const std::uint64_t paletteStart = common::kBitmapFileHeaderSize + std::uint64_t{info->biSize};
    std::uint64_t paletteEntries = 0;
    if (bitCount <= 8) {
        const std::uint64_t full = std::uint64_t{1} << bitCount;
        paletteEntries = (info->biClrUsed == 0 || info->biClrUsed > full) ? full : info->biClrUsed;
    }
    const std::uint64_t paletteEnd = paletteStart + paletteEntries * common::kRgbQuadSize;
    if (paletteEnd > file.size()) return std::nullopt;
    if (fileHeader->bfOffBits < paletteEnd) return std::nullopt;  // rows would overlap the palette

    const std::uint64_t rowSize = common::BitmapRowSize(width, bitCount);
    const std::uint64_t pixelBytes = rowSize * static_cast<std::uint64_t>(height);
    if (fileHeader->bfOffBits > file.size() || file.size() - fileHeader->bfOffBits < pixelBytes)
        return std::nullopt;

    std::vector<common::RgbQuad> palette;
    for (std::uint64_t i = 0; i < paletteEntries; ++i)
        palette.push_back(*common::ReadRgbQuad(file, static_cast<std::size_t>(paletteStart + i * 4)));

    plat::PixelImage image = plat::PixelImage::White(static_cast<int>(width), static_cast<int>(height));
    const auto rows = file.subspan(fileHeader->bfOffBits, static_cast<std::size_t>(pixelBytes));
    for (std::int64_t stored = 0; stored < height; ++stored) {
        const auto row = rows.subspan(static_cast<std::size_t>(stored * static_cast<std::int64_t>(rowSize)),
                                      static_cast<std::size_t>(rowSize));
        const int y = static_cast<int>(topDown ? stored : height - 1 - stored);
        for (int x = 0; x < static_cast<int>(width); ++x) {
            std::uint8_t* pixel = image.At(x, y);
            if (bitCount <= 8) {
                const unsigned index = PaletteIndex(row, bitCount, x);
                const common::RgbQuad colour = index < palette.size() ? palette[index] : common::RgbQuad{};
                pixel[0] = colour.rgbBlue;
                pixel[1] = colour.rgbGreen;
                pixel[2] = colour.rgbRed;
            } else {
                const std::size_t at = static_cast<std::size_t>(x) * (bitCount / 8);
                pixel[0] = row[at];
                pixel[1] = row[at + 1];
                pixel[2] = row[at + 2];
            }
        }
    }
    return image;
}

std::optional<plat::PixelImage> LoadBitmapImage(plat::FileSystem& files, const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (!files.ReadWholeFile(path.c_str(), bytes)) return std::nullopt;
    return DecodeBitmapImage(bytes);
}

}  // namespace plugin
