// Windows bitmap (BMP) file records: the file header, the information header and palette entries,
// read from and written to bytes in the file's little-endian order.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace common {

// BITMAPFILEHEADER: 14 bytes at the start of every BMP file.
struct BitmapFileHeader {
    std::uint16_t bfType = 0;  // "BM" read as a little-endian word: 0x4D42
    std::uint32_t bfSize = 0;
    std::uint16_t bfReserved1 = 0;
    std::uint16_t bfReserved2 = 0;
    std::uint32_t bfOffBits = 0;  // where the pixel rows start
};

// BITMAPINFOHEADER: the 40-byte information header that follows the file header.
struct BitmapInfoHeader {
    std::uint32_t biSize = 40;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;  // positive: rows stored bottom row first
    std::uint16_t biPlanes = 1;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;  // 0 = BI_RGB, uncompressed
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};

// RGBQUAD: one palette entry, stored blue, green, red, reserved.
struct RgbQuad {
    std::uint8_t rgbBlue = 0;
    std::uint8_t rgbGreen = 0;
    std::uint8_t rgbRed = 0;
    std::uint8_t rgbReserved = 0;
};

inline constexpr std::uint16_t kBitmapSignature = 0x4D42;  // "BM"
inline constexpr std::size_t kBitmapFileHeaderSize = 14;
inline constexpr std::size_t kBitmapInfoHeaderSize = 40;
inline constexpr std::size_t kRgbQuadSize = 4;
inline constexpr std::uint32_t kBiRgb = 0;

// Little-endian fields at any offset; nullopt when the bytes end before the field does.
std::optional<std::uint16_t> ReadLe16(std::span<const std::uint8_t> bytes, std::size_t offset);
std::optional<std::uint32_t> ReadLe32(std::span<const std::uint8_t> bytes, std::size_t offset);
void AppendLe16(std::vector<std::uint8_t>& out, std::uint16_t value);
void AppendLe32(std::vector<std::uint8_t>& out, std::uint32_t value);

// The records at `offset`; nullopt when the bytes are too short to hold them. Reading checks no
// field: callers decide what they accept.
std::optional<BitmapFileHeader> ReadBitmapFileHeader(std::span<const std::uint8_t> bytes,
                                                     std::size_t offset = 0);
std::optional<BitmapInfoHeader> ReadBitmapInfoHeader(std::span<const std::uint8_t> bytes,
                                                     std::size_t offset = kBitmapFileHeaderSize);
std::optional<RgbQuad> ReadRgbQuad(std::span<const std::uint8_t> bytes, std::size_t offset);

// Appends the record's bytes as a file stores them.
void AppendBitmapFileHeader(std::vector<std::uint8_t>& out, const BitmapFileHeader& header);
void AppendBitmapInfoHeader(std::vector<std::uint8_t>& out, const BitmapInfoHeader& header);
void AppendRgbQuad(std::vector<std::uint8_t>& out, const RgbQuad& entry);

// Bytes of one stored pixel row of `width` pixels at `bitCount` bits, padded to a multiple of
// four; computed in 64 bits so that no width overflows it.
std::uint64_t BitmapRowSize(std::int64_t width, unsigned bitCount);

}  // namespace common
