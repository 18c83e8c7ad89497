// The work files the conversions write: where they go and the headers they start with.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plugin {

// The work file of a source: the source path without its last four characters (".bmp"),
// followed by "Temp.bmp": C:\logos\shop.bmp gives C:\logos\shopTemp.bmp. A path shorter than
// four characters loses all of them.
std::string WorkFilePath(std::string_view sourcePath);

inline constexpr std::uint32_t kMonochromeWorkFileOffset = 62;
inline constexpr std::uint32_t kGrayWorkFileOffset = 1078;

// Bytes per stored row: one bit per pixel in 32-bit units, or one byte per pixel in 4-byte units.
std::size_t MonochromeRowSize(std::int32_t width);
std::size_t GrayRowSize(std::int32_t width);

// File header, information header and palette of a one-bit work file: pixels at offset 62,
// palette black (entry 0) then white (entry 1), so a set bit is a white pixel.
std::vector<std::uint8_t> MonochromeWorkFileHeader(std::int32_t width, std::int32_t height);

// The same for a gray work file: pixels at offset 1078 after 256 entries (i, i, i, 0).
std::vector<std::uint8_t> GrayWorkFileHeader(std::int32_t width, std::int32_t height);

}  // namespace plugin
