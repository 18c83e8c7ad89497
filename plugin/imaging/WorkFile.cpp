// Work-file names and headers.
#include "plugin/imaging/WorkFile.h"

#include "common/bmp.h"

namespace plugin {
namespace {

std::vector<std::uint8_t> WorkFileHeader(std::int32_t width, std::int32_t height,
                                         std::uint16_t bitCount, std::uint32_t offset,
                                         std::size_t rowSize) {
    const auto imageSize = static_cast<std::uint32_t>(rowSize * static_cast<std::size_t>(height));
    std::vector<std::uint8_t> out;
    out.reserve(offset);
    common::BitmapFileHeader file;
    file.bfType = common::kBitmapSignature;
    file.bfSize = offset + imageSize;
    file.bfOffBits = offset;
    common::AppendBitmapFileHeader(out, file);
    common::BitmapInfoHeader info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = bitCount;
    info.biCompression = common::kBiRgb;
    info.biSizeImage = imageSize;
    common::AppendBitmapInfoHeader(out, info);
    return out;
}

}  // namespace

std::string WorkFilePath(std::string_view sourcePath) {
    const std::size_t keep = sourcePath.size() >= 4 ? sourcePath.size() - 4 : 0;
    std::string path(sourcePath.substr(0, keep));
    path += "Temp.bmp";
    return path;
}

std::size_t MonochromeRowSize(std::int32_t width) {
    return static_cast<std::size_t>(common::BitmapRowSize(width, 1));
}

std::size_t GrayRowSize(std::int32_t width) {
    return static_cast<std::size_t>(common::BitmapRowSize(width, 8));
}

std::vector<std::uint8_t> MonochromeWorkFileHeader(std::int32_t width, std::int32_t height) {
    auto out = WorkFileHeader(width, height, 1, kMonochromeWorkFileOffset, MonochromeRowSize(width));
    common::AppendRgbQuad(out, {0x00, 0x00, 0x00, 0x00});
    common::AppendRgbQuad(out, {0xFF, 0xFF, 0xFF, 0x00});
    return out;
}

std::vector<std::uint8_t> GrayWorkFileHeader(std::int32_t width, std::int32_t height) {
    auto out = WorkFileHeader(width, height, 8, kGrayWorkFileOffset, GrayRowSize(width));
    for (int i = 0; i < 256; ++i) {
        const auto level = static_cast<std::uint8_t>(i);
        common::AppendRgbQuad(out, {level, level, level, 0x00});
    }
    return out;
}

}  // namespace plugin
