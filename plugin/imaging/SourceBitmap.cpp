// Checks of source bitmaps: every size is computed in 64 bits and compared with the file's
// length before a view into the file is made.
#include "plugin/imaging/SourceBitmap.h"

#include <algorithm>

namespace plugin {

SourceCheck CheckSourceBitmap(std::span<const std::uint8_t> file,
                              std::span<const unsigned> acceptedBitCounts, SourceBitmap& out) {
    const auto fileHeader = common::ReadBitmapFileHeader(file);
    if (!fileHeader) return SourceCheck::kTruncated;
    if (fileHeader->bfType != common::kBitmapSignature) return SourceCheck::kNotAccepted;
    const auto info = common::ReadBitmapInfoHeader(file);
    if (!info) return SourceCheck::kTruncated;

    // Smaller headers (OS/2 core headers) lay their fields out differently.
    if (info->biSize < common::kBitmapInfoHeaderSize) return SourceCheck::kNotAccepted;
    const unsigned bitCount = info->biBitCount;
    if (std::find(acceptedBitCounts.begin(), acceptedBitCounts.end(), bitCount) ==
        acceptedBitCounts.end())
        return SourceCheck::kNotAccepted;
    if (info->biCompression != common::kBiRgb) return SourceCheck::kNotAccepted;
    if (info->biWidth <= 0 || info->biHeight <= 0 || info->biWidth > kMaxBitmapDimension ||
        info->biHeight > kMaxBitmapDimension)
        return SourceCheck::kNotAccepted;

    const std::uint64_t paletteStart = common::kBitmapFileHeaderSize + std::uint64_t{info->biSize};
    std::uint64_t paletteEntries = 0;
    if (bitCount <= 8) {
        const std::uint64_t full = std::uint64_t{1} << bitCount;
        paletteEntries = info->biClrUsed == 0 ? full : info->biClrUsed;
        if (paletteEntries > full) return SourceCheck::kNotAccepted;
        if (bitCount == 1 && paletteEntries != 2) return SourceCheck::kNotAccepted;
    }
    const std::uint64_t paletteEnd = paletteStart + paletteEntries * common::kRgbQuadSize;
    if (fileHeader->bfOffBits < paletteEnd) return SourceCheck::kNotAccepted;

    const std::uint64_t rowSize = common::BitmapRowSize(info->biWidth, bitCount);
    const std::uint64_t pixelBytes = rowSize * static_cast<std::uint64_t>(info->biHeight);
    if (fileHeader->bfOffBits > file.size() || file.size() - fileHeader->bfOffBits < pixelBytes)
        return SourceCheck::kTruncated;

    out.width = info->biWidth;
    out.height = info->biHeight;
    out.bitCount = bitCount;
    out.rowSize = static_cast<std::size_t>(rowSize);
    out.rows = file.subspan(fileHeader->bfOffBits, static_cast<std::size_t>(pixelBytes));
    out.palette.clear();
    for (std::uint64_t i = 0; i < paletteEntries; ++i)
        out.palette.push_back(*common::ReadRgbQuad(file, static_cast<std::size_t>(paletteStart + i * 4)));
    return SourceCheck::kUsable;
}

unsigned BitmapBitCount(std::span<const std::uint8_t> file) {
    const auto fileHeader = common::ReadBitmapFileHeader(file);
    const auto info = common::ReadBitmapInfoHeader(file);
    if (!fileHeader || !info || fileHeader->bfType != common::kBitmapSignature) return 0;
    return info->biBitCount;
}

}  // namespace plugin
