// The pictures the benchmarks convert: gradients with some noise, so that every halftone method
// has work to do, written as uncompressed bitmap files. The same width and height always give
// the same bytes.
#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

#include "common/bmp.h"

namespace bench {

inline std::uint8_t Sample(std::int64_t x, std::int64_t y, int channel) {
    const std::uint32_t noise = static_cast<std::uint32_t>(x * 73856093 ^ y * 19349663 ^ channel * 83492791);
    return static_cast<std::uint8_t>((x * 255 / 1024 + y * 255 / 768 + (noise % 64)) / 2 + channel * 20);
}

// A 24-, 8- or 1-bit file; 8- and 1-bit files get a gray palette.
inline std::vector<std::uint8_t> Picture(std::int32_t width, std::int32_t height, unsigned bitCount) {
    const std::size_t rowSize = static_cast<std::size_t>(common::BitmapRowSize(width, bitCount));
    const std::uint32_t offset = bitCount == 24 ? 54 : bitCount == 8 ? 1078 : 62;
    std::vector<std::uint8_t> out;
    out.reserve(offset + rowSize * static_cast<std::size_t>(height));
    common::AppendBitmapFileHeader(
        out, {common::kBitmapSignature, static_cast<std::uint32_t>(offset + rowSize * height), 0, 0, offset});
    common::BitmapInfoHeader info;
    info.biWidth = width;
    info.biHeight = height;
    info.biBitCount = static_cast<std::uint16_t>(bitCount);
    info.biSizeImage = static_cast<std::uint32_t>(rowSize * height);
    common::AppendBitmapInfoHeader(out, info);
    const int entries = bitCount == 24 ? 0 : 1 << bitCount;
    for (int i = 0; i < entries; ++i) {
        const auto level = static_cast<std::uint8_t>(i * 255 / (entries - 1));
        common::AppendRgbQuad(out, {level, level, level, 0});
    }
    std::vector<std::uint8_t> row(rowSize);
    for (std::int32_t y = 0; y < height; ++y) {
        std::fill(row.begin(), row.end(), 0);
        for (std::int32_t x = 0; x < width; ++x) {
            if (bitCount == 24) {
                for (int c = 0; c < 3; ++c) row[3 * x + c] = Sample(x, y, c);
            } else if (bitCount == 8) {
                row[x] = Sample(x, y, 0);
            } else if (Sample(x, y, 0) > 128) {
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace bench
