// The text watermark's geometry and bitmap file.
#include "plugin/imaging/TextWatermark.h"

#include <algorithm>
#include <cmath>

#include "common/bmp.h"

namespace plugin {

namespace {

constexpr double kRadiansPerDegree = 0.017453292522222223;
constexpr int kCentre = kTextWatermarkSide / 2;

}  // namespace

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const std::int64_t product = std::int64_t{a} * b;
    const std::int64_t half = std::abs(std::int64_t{c}) / 2;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (std::abs(product) + half) / std::abs(std::int64_t{c});
    return static_cast<int>(negative ? -magnitude : magnitude);
}

TextWatermarkOrigin PlaceTextWatermark(int cx, int cy, int angleDegrees) {
    const int hw = cx / 2, hh = cy / 2;
    const double theta = angleDegrees * kRadiansPerDegree;
    const int dx = static_cast<int>(std::trunc(hw * std::cos(theta) - hh * std::sin(theta)));
    const int dy = static_cast<int>(std::trunc(hw * std::sin(theta) + hh * std::cos(theta)));
    return {kCentre - dx, kCentre + dy};
}

std::optional<std::vector<std::uint8_t>> TextWatermarkFile(std::span<const std::uint8_t> pixels32) {
    if (pixels32.size() < kTextWatermarkPixelBytes) return std::nullopt;
    std::vector<std::uint8_t> file;
    file.reserve(kTextWatermarkFileSize);
    common::BitmapFileHeader header;
    header.bfType = common::kBitmapSignature;
    header.bfSize = static_cast<std::uint32_t>(kTextWatermarkFileSize);
    header.bfOffBits = 54;
    common::AppendBitmapFileHeader(file, header);
    common::BitmapInfoHeader info;
    info.biWidth = kTextWatermarkSide;
    info.biHeight = kTextWatermarkSide;
    info.biBitCount = 24;
    common::AppendBitmapInfoHeader(file, info);
    for (std::size_t i = 0; i < kTextWatermarkPixelBytes; i += 4)
        file.insert(file.end(), pixels32.begin() + static_cast<std::ptrdiff_t>(i),
                    pixels32.begin() + static_cast<std::ptrdiff_t>(i + 3));
    return file;
}

std::optional<plat::PixelImage> TextWatermarkPicture(std::span<const std::uint8_t> pixels32) {
    if (pixels32.size() < kTextWatermarkPixelBytes) return std::nullopt;
    // 900-byte rows are already a multiple of four: the picture's rows are the file's.
    plat::PixelImage picture{kTextWatermarkSide, kTextWatermarkSide, {}};
    picture.bits.reserve(kTextWatermarkSide * picture.Stride());
    for (std::size_t i = 0; i < kTextWatermarkPixelBytes; i += 4)
        picture.bits.insert(picture.bits.end(), pixels32.begin() + static_cast<std::ptrdiff_t>(i),
                            pixels32.begin() + static_cast<std::ptrdiff_t>(i + 3));
    return picture;
}

void LightenPicture(plat::PixelImage& picture, int brightness) {
    const int add = std::clamp(brightness, 0, 255);
    for (std::uint8_t& byte : picture.bits) byte = static_cast<std::uint8_t>(std::min(byte + add, 255));
}

}  // namespace plugin
