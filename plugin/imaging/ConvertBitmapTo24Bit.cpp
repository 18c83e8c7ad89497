// 1- and 8-bit bitmaps expanded through their palettes to 24 bits; 24-bit bitmaps copied.
#include "plugin/imaging/ConvertBitmapTo24Bit.h"

#include <new>

#include "common/bmp.h"
#include "platform/win_constants.h"
#include "plugin/imaging/SourceBitmap.h"

namespace plugin {
namespace {

constexpr std::uint32_t kOneBitOffset = 62;
constexpr std::uint32_t kEightBitOffset = 1078;
constexpr std::uint32_t kTrueColourOffset = 54;

void AppendExpanded(const SourceBitmap& src, std::vector<std::uint8_t>& out) {
    const std::size_t rowSize = static_cast<std::size_t>(common::BitmapRowSize(src.width, 24));
    const std::size_t padding = rowSize - static_cast<std::size_t>(src.width) * 3;
    for (std::int32_t y = 0; y < src.height; ++y) {
        const auto row = src.Row(y);
        for (std::int32_t x = 0; x < src.width; ++x) {
            const unsigned index =
                src.bitCount == 1 ? (row[x / 8] >> (7 - x % 8)) & 1u : row[x];
            const common::RgbQuad entry = src.palette[index];
            out.push_back(entry.rgbBlue);
            out.push_back(entry.rgbGreen);
            out.push_back(entry.rgbRed);
        }
        out.insert(out.end(), padding, 0);
    }
}

}  // namespace

WatermarkSourceKind RenderBitmap24(std::span<const std::uint8_t> source,
                                   std::vector<std::uint8_t>& out) {
    const auto fileHeader = common::ReadBitmapFileHeader(source);
    const auto info = common::ReadBitmapInfoHeader(source);
    if (!fileHeader || !info || fileHeader->bfType != common::kBitmapSignature)
        return WatermarkSourceKind::kRefused;

    unsigned expectedBits;
    WatermarkSourceKind kind;
    switch (fileHeader->bfOffBits) {
        case kOneBitOffset: expectedBits = 1; kind = WatermarkSourceKind::kOneBit; break;
        case kEightBitOffset: expectedBits = 8; kind = WatermarkSourceKind::kEightBit; break;
        case kTrueColourOffset: expectedBits = 24; kind = WatermarkSourceKind::kCopy; break;
        default: return WatermarkSourceKind::kRefused;
    }
    // The offset fixes the layout: a 40-byte header and a full palette for the depth.
    const unsigned accepted[] = {expectedBits};
    SourceBitmap src;
    if (info->biSize != common::kBitmapInfoHeaderSize ||
        CheckSourceBitmap(source, accepted, src) != SourceCheck::kUsable)
        return WatermarkSourceKind::kRefused;

    if (kind == WatermarkSourceKind::kCopy) {
        out.assign(source.begin(), source.end());
        return kind;
    }
    const std::uint64_t rowSize = common::BitmapRowSize(src.width, 24);
    const std::uint64_t imageSize = rowSize * static_cast<std::uint64_t>(src.height);
    if (imageSize > 0xFFFFFFFFu - kTrueColourOffset) return WatermarkSourceKind::kRefused;

    // An 8-bit source's palette is read whole, as its 1078-byte offset says it is there.
    if (kind == WatermarkSourceKind::kEightBit) {
        src.palette.clear();
        for (std::size_t i = 0; i < 256; ++i)
            src.palette.push_back(*common::ReadRgbQuad(source, kTrueColourOffset + i * common::kRgbQuadSize));
    }

    std::vector<std::uint8_t> result;
    result.reserve(static_cast<std::size_t>(kTrueColourOffset + imageSize));
    common::BitmapFileHeader newFile = *fileHeader;
    newFile.bfOffBits = kTrueColourOffset;
    newFile.bfSize = static_cast<std::uint32_t>(imageSize + kTrueColourOffset);
    common::AppendBitmapFileHeader(result, newFile);
    common::BitmapInfoHeader newInfo = *info;
    newInfo.biBitCount = 24;
    newInfo.biSizeImage = 0;
    newInfo.biClrUsed = 0;
    newInfo.biClrImportant = 0;
    common::AppendBitmapInfoHeader(result, newInfo);
    AppendExpanded(src, result);
    out = std::move(result);
    return kind;
}

int ConvertBitmapTo24Bit(plat::FileSystem& files, const std::string& sourcePath,
                         const std::string& outputPath) {
    try {
        std::vector<std::uint8_t> source, output;
        if (!files.ReadWholeFile(sourcePath.c_str(), source)) return kWatermarkNotConverted;
        const WatermarkSourceKind kind = RenderBitmap24(source, output);
        if (kind == WatermarkSourceKind::kRefused) return kWatermarkNotConverted;
        if (!files.WriteWholeFile(outputPath.c_str(), output)) return kWatermarkOutputFailed;
        if (kind == WatermarkSourceKind::kCopy &&
            !files.SetFileAttributesA(outputPath.c_str(), FILE_ATTRIBUTE_ARCHIVE))
            return kWatermarkNotConverted;
        return kWatermarkConverted;
    } catch (const std::bad_alloc&) {
        return kWatermarkNotConverted;  // no exception leaves for the page's dialog procedure
    }
}

}  // namespace plugin
