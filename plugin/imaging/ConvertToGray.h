// Conversion of a 24-, 8- or 1-bit bitmap to the 8-bit gray work file.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "plugin/imaging/ImageFiles.h"

namespace plugin {

// Results of the ConvertToGray variants.
inline constexpr int kGrayWritten = 1;
inline constexpr int kGrayReadFailed = -1;     // unreadable or truncated source, or memory short
inline constexpr int kGrayNotAccepted = -2;    // not an uncompressed "BM" file of the expected depth
inline constexpr int kGrayWriteFailed = -3;    // the work file cannot be written

// The gray work file's bytes for a source bitmap file whose depth is one of `acceptedBitCounts`
// (24, 8, 1): kGrayWritten with `workFile` filled, or a failure code with it untouched.
//   24-bit: gray = luma of the channels adjusted with AdjustLevel;
//   8-bit:  gray = AdjustLevel(sample) (the palette is not consulted);
//   1-bit:  a set bit is white when the palette is black then white, otherwise the bits are
//           inverted; gray = AdjustLevel(255 for white, 0 for black).
int RenderGray(std::span<const std::uint8_t> source, std::span<const unsigned> acceptedBitCounts,
               int contrast, int brightness, std::vector<std::uint8_t>& workFile);

// Each variant reads `sourcePath`, which must have its depth, and writes the work file
// (WorkFilePath of the source). On success returns kGrayWritten and sets `workFilePath`; on
// failure nothing is written and `workFilePath` is left as it was.
int ConvertToGray24(ImageFiles& files, const std::string& sourcePath, std::string& workFilePath,
                    int contrast, int brightness);
int ConvertToGray8(ImageFiles& files, const std::string& sourcePath, std::string& workFilePath,
                   int contrast, int brightness);
int ConvertToGray1(ImageFiles& files, const std::string& sourcePath, std::string& workFilePath,
                   int contrast, int brightness);

// Any of the three depths, the variant chosen by the file's bit count.
int ConvertToGray(ImageFiles& files, const std::string& sourcePath, std::string& workFilePath,
                  int contrast, int brightness);

}  // namespace plugin
