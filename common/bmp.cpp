// Windows bitmap records read from and written to little-endian bytes, one field at a time.
#include "common/bmp.h"

namespace common {

std::optional<std::uint16_t> ReadLe16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < 2) return std::nullopt;
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

std::optional<std::uint32_t> ReadLe32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < 4) return std::nullopt;
    return static_cast<std::uint32_t>(bytes[offset]) |
           (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

void AppendLe16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void AppendLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::optional<BitmapFileHeader> ReadBitmapFileHeader(std::span<const std::uint8_t> bytes,
                                                     std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < kBitmapFileHeaderSize) return std::nullopt;
    BitmapFileHeader h;
    h.bfType = *ReadLe16(bytes, offset);
    h.bfSize = *ReadLe32(bytes, offset + 2);
    h.bfReserved1 = *ReadLe16(bytes, offset + 6);
    h.bfReserved2 = *ReadLe16(bytes, offset + 8);
    h.bfOffBits = *ReadLe32(bytes, offset + 10);
    return h;
}

std::optional<BitmapInfoHeader> ReadBitmapInfoHeader(std::span<const std::uint8_t> bytes,
                                                     std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < kBitmapInfoHeaderSize) return std::nullopt;
    // Signed fields go through their unsigned bits: a conversion, never a misaligned cast.
    auto s32 = [&](std::size_t at) { return static_cast<std::int32_t>(*ReadLe32(bytes, offset + at)); };
    BitmapInfoHeader h;
    h.biSize = *ReadLe32(bytes, offset);
    h.biWidth = s32(4);
    h.biHeight = s32(8);
    h.biPlanes = *ReadLe16(bytes, offset + 12);
    h.biBitCount = *ReadLe16(bytes, offset + 14);
    h.biCompression = *ReadLe32(bytes, offset + 16);
    h.biSizeImage = *ReadLe32(bytes, offset + 20);
    h.biXPelsPerMeter = s32(24);
    h.biYPelsPerMeter = s32(28);
    h.biClrUsed = *ReadLe32(bytes, offset + 32);
    h.biClrImportant = *ReadLe32(bytes, offset + 36);
    return h;
}

std::optional<RgbQuad> ReadRgbQuad(std::span<const std::uint8_t> bytes, std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < kRgbQuadSize) return std::nullopt;
    return RgbQuad{bytes[offset], bytes[offset + 1], bytes[offset + 2], bytes[offset + 3]};
}

void AppendBitmapFileHeader(std::vector<std::uint8_t>& out, const BitmapFileHeader& h) {
    AppendLe16(out, h.bfType);
    AppendLe32(out, h.bfSize);
    AppendLe16(out, h.bfReserved1);
    AppendLe16(out, h.bfReserved2);
    AppendLe32(out, h.bfOffBits);
}

void AppendBitmapInfoHeader(std::vector<std::uint8_t>& out, const BitmapInfoHeader& h) {
    AppendLe32(out, h.biSize);
    AppendLe32(out, static_cast<std::uint32_t>(h.biWidth));
    AppendLe32(out, static_cast<std::uint32_t>(h.biHeight));
    AppendLe16(out, h.biPlanes);
    AppendLe16(out, h.biBitCount);
    AppendLe32(out, h.biCompression);
    AppendLe32(out, h.biSizeImage);
    AppendLe32(out, static_cast<std::uint32_t>(h.biXPelsPerMeter));
    AppendLe32(out, static_cast<std::uint32_t>(h.biYPelsPerMeter));
    AppendLe32(out, h.biClrUsed);
    AppendLe32(out, h.biClrImportant);
}

void AppendRgbQuad(std::vector<std::uint8_t>& out, const RgbQuad& e) {
    out.push_back(e.rgbBlue);
    out.push_back(e.rgbGreen);
    out.push_back(e.rgbRed);
    out.push_back(e.rgbReserved);
}

std::uint64_t BitmapRowSize(std::int64_t width, unsigned bitCount) {
    if (width <= 0) return 0;
    const std::uint64_t bits = static_cast<std::uint64_t>(width) * bitCount;
    return (bits + 31) / 32 * 4;
}

}  // namespace common
