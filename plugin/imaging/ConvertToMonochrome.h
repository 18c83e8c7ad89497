// Conversion of a 24- or 8-bit bitmap to the one-bit work file with one of four halftone methods.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "plugin/imaging/ErrorDiffusion.h"  // kDiffusionColumns: wider sources are refused for "Error Diffuse"
#include "plugin/imaging/ImageFiles.h"

namespace plugin {

// Halftone method codes, as the logo settings store them.
enum class HalftoneMethod : int {
    kNone = 0,          // "None": threshold at the image's mean
    kDitherM3 = 1,      // "Dither M3": 8x8 ordered dither
    kDitherM4 = 2,      // "Dither M4": 16x16 ordered dither around the channel means
    kErrorDiffuse = 3,  // "Error Diffuse": serpentine error diffusion
};

// Results of ConvertToMonochrome.
inline constexpr int kMonochromeWritten = 1;          // work file written, its path returned
inline constexpr int kMonochromeNotConverted = -1;    // not a usable 24/8-bit bitmap, unreadable,
                                                      // an unknown method, or memory short
inline constexpr int kMonochromeWorkFileFailed = 255; // the work file cannot be created

// The one-bit work file's bytes for a source bitmap file: kMonochromeWritten with `workFile`
// filled, or kMonochromeNotConverted with `workFile` untouched.
int RenderMonochrome(std::span<const std::uint8_t> source, int method, int contrast,
                     int brightness, std::vector<std::uint8_t>& workFile);

// Reads `sourcePath`, converts it and writes the work file (WorkFilePath of the source). On
// success returns kMonochromeWritten and sets `workFilePath`; on failure nothing is written and
// `workFilePath` is left as it was, so the caller keeps using the source.
int ConvertToMonochrome(ImageFiles& files, const std::string& sourcePath,
                        std::string& workFilePath, int method, int contrast, int brightness);

}  // namespace plugin
