// Gray conversions: one gray byte per pixel through the same level adjustment as the
// monochrome methods, written in the source's row order.
#include "plugin/imaging/ConvertToGray.h"

#include <new>

#include "plugin/imaging/AdjustLevel.h"
#include "plugin/imaging/SourceBitmap.h"
#include "plugin/imaging/WorkFile.h"

namespace plugin {
namespace {

bool IsBlack(const common::RgbQuad& e) { return e.rgbRed == 0 && e.rgbGreen == 0 && e.rgbBlue == 0; }
bool IsWhite(const common::RgbQuad& e) {
    return e.rgbRed == 0xFF && e.rgbGreen == 0xFF && e.rgbBlue == 0xFF;
}

// Writes the gray value of every pixel of file row `y` into `out` (width bytes).
void GrayRow(const SourceBitmap& src, std::int32_t y, const LevelTable& adjust, bool bitsAreWhite,
             std::uint8_t* out) {
    const auto row = src.Row(y);
    switch (src.bitCount) {
        case 24:
            for (std::int32_t x = 0; x < src.width; ++x)
                out[x] = static_cast<std::uint8_t>(
                    Luma(adjust[row[3 * x + 2]], adjust[row[3 * x + 1]], adjust[row[3 * x]]));
            break;
        case 8:
            for (std::int32_t x = 0; x < src.width; ++x) out[x] = adjust[row[x]];
            break;
        case 1:
            // Inverting a row and reading set bits as white is reading clear bits as white.
            for (std::int32_t x = 0; x < src.width; ++x) {
                const bool set = (row[x / 8] >> (7 - x % 8)) & 1;
                out[x] = adjust[set == bitsAreWhite ? 255 : 0];
            }
            break;
    }
}

int ConvertFile(ImageFiles& files, const std::string& sourcePath, std::string& workFilePath,
                std::span<const unsigned> accepted, int contrast, int brightness) {
    try {
        FileView source;
        std::vector<std::uint8_t> workFile;
        if (!files.View(sourcePath, source)) return kGrayReadFailed;
        const int result = RenderGray(source.bytes, accepted, contrast, brightness, workFile);
        if (result != kGrayWritten) return result;
        std::string path = WorkFilePath(sourcePath);
        if (!files.Write(path, workFile)) return kGrayWriteFailed;
        workFilePath = std::move(path);
        return kGrayWritten;
    } catch (const std::bad_alloc&) {
        return kGrayReadFailed;  // no exception leaves for the page's dialog procedure
    }
}

}  // namespace

int RenderGray(std::span<const std::uint8_t> source, std::span<const unsigned> acceptedBitCounts,
               int contrast, int brightness, std::vector<std::uint8_t>& workFile) {
    SourceBitmap src;
    switch (CheckSourceBitmap(source, acceptedBitCounts, src)) {
        case SourceCheck::kUsable: break;
        case SourceCheck::kNotAccepted: return kGrayNotAccepted;
        case SourceCheck::kTruncated: return kGrayReadFailed;
    }
    // Anything but black then white is inverted, so that a set bit means white afterwards.
    const bool bitsAreWhite =
        src.bitCount == 1 && IsBlack(src.palette[0]) && IsWhite(src.palette[1]);
    try {
        const LevelTable adjust = AdjustLevelTable(contrast, brightness);
        std::vector<std::uint8_t> out = GrayWorkFileHeader(src.width, src.height);
        const std::size_t rowSize = GrayRowSize(src.width);
        out.resize(out.size() + rowSize * static_cast<std::size_t>(src.height), 0);
        for (std::int32_t y = 0; y < src.height; ++y)
            GrayRow(src, y, adjust, bitsAreWhite,
                    out.data() + kGrayWorkFileOffset + static_cast<std::size_t>(y) * rowSize);
        workFile = std::move(out);
        return kGrayWritten;
    } catch (const std::bad_alloc&) {
        return kGrayReadFailed;
    }
}

int ConvertToGray24(ImageFiles& files, const std::string& sourcePath, std::string& workFilePath,
                    int contrast, int brightness) {
    static constexpr unsigned kDepth[] = {24};
    return ConvertFile(files, sourcePath, workFilePath, kDepth, contrast, brightness);
}

int ConvertToGray8(ImageFiles& files, const std::string& sourcePath, std::string& workFilePath,
                   int contrast, int brightness) {
    static constexpr unsigned kDepth[] = {8};
    return ConvertFile(files, sourcePath, workFilePath, kDepth, contrast, brightness);
}

int ConvertToGray1(ImageFiles& files, const std::string& sourcePath, std::string& workFilePath,
                   int contrast, int brightness) {
    static constexpr unsigned kDepth[] = {1};
    return ConvertFile(files, sourcePath, workFilePath, kDepth, contrast, brightness);
}

int ConvertToGray(ImageFiles& files, const std::string& sourcePath, std::string& workFilePath,
                  int contrast, int brightness) {
    static constexpr unsigned kDepths[] = {24, 8, 1};
    return ConvertFile(files, sourcePath, workFilePath, kDepths, contrast, brightness);
}

}  // namespace plugin
