// The printer's sixteen-level gray raster: four bit planes per pixel row, made from a gray work file.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "plugin/imaging/ImageFiles.h"

namespace plugin {

// For a gray work file of width w and height h (w4 = w rounded up to a multiple of 4):
// x = (w4 + 7) / 8 bytes per plane line and y = (4h + 7) / 8 units of eight plane lines. Each
// pixel row, top row first, gives four lines: value bit 7, then 6, 5 and 4, each bit the
// complement of the pixel's (so darker pixels set more bits), leftmost pixel in bit 7; pixels
// w .. w4 - 1 count as white and bits past w4 are 0. When h is odd four blank lines follow,
// so the raster is exactly x * y * 8 bytes.
//
// False, leaving the outputs untouched, when `grayFile` is not an uncompressed 8-bit bitmap
// whose rows it fully holds, or when x or y would not fit the 16-bit fields of the printer
// command.
bool PackGrayPlanes(std::span<const std::uint8_t> grayFile, std::vector<std::uint8_t>& raster,
                    std::uint16_t& x, std::uint16_t& y);

// The same on a file.
bool PackGrayPlanes(ImageFiles& files, const std::string& grayWorkFilePath,
                    std::vector<std::uint8_t>& raster, std::uint16_t& x, std::uint16_t& y);

}  // namespace plugin
