// The four halftone methods. Each source pixel is first reduced to one level 0..255 (the luma of
// the adjusted channels, or the adjusted 8-bit sample); the method then decides white or black.
// Every step is a fixed amount of work per pixel.
#include "plugin/imaging/ConvertToMonochrome.h"

#include <algorithm>
#include <array>
#include <utility>
#include <new>

#include "plugin/imaging/AdjustLevel.h"
#include "plugin/imaging/DitherMatrices.h"
#include "plugin/imaging/SourceBitmap.h"
#include "plugin/imaging/WorkFile.h"

namespace plugin {
namespace {

// One level per pixel, rows in the file's order (row 0 is the first row in the file).
struct LevelPlane {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> levels;
    std::uint8_t At(std::int32_t x, std::int32_t y) const {
        return levels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
};

// How a level and the pixel's place become white or black.
enum class Rule {
    kAboveThreshold,     // level > threshold
    kQuarterAtLeastB8,   // level / 4 >= B8   (24-bit "Dither M3")
    kQuarterAboveB8,     // B8 < level / 4    (8-bit "Dither M3")
    kAtLeastB16,         // level >= B16      (24-bit "Dither M4")
    kAboveB16,           // B16 < level       (8-bit "Dither M4")
};

struct Channels {
    std::uint64_t blue = 0, green = 0, red = 0;
};

Channels ChannelSums(const SourceBitmap& src, const LevelTable& table) {
    Channels sums;
    for (std::int32_t y = 0; y < src.height; ++y) {
        const auto row = src.Row(y);
        for (std::int32_t x = 0; x < src.width; ++x) {
            sums.blue += table[row[3 * x]];
            sums.green += table[row[3 * x + 1]];
            sums.red += table[row[3 * x + 2]];
        }
    }
    return sums;
}

LevelTable Identity() {
    LevelTable t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<std::uint8_t>(i);
    return t;
}

LevelPlane LumaPlane(const SourceBitmap& src, const LevelTable& blue, const LevelTable& green,
                     const LevelTable& red) {
    LevelPlane plane{src.width, src.height, {}};
    plane.levels.resize(static_cast<std::size_t>(src.width) * static_cast<std::size_t>(src.height));
    std::size_t i = 0;
    for (std::int32_t y = 0; y < src.height; ++y) {
        const auto row = src.Row(y);
        for (std::int32_t x = 0; x < src.width; ++x)
            plane.levels[i++] = static_cast<std::uint8_t>(
                Luma(red[row[3 * x + 2]], green[row[3 * x + 1]], blue[row[3 * x]]));
    }
    return plane;
}

LevelPlane SamplePlane(const SourceBitmap& src, const LevelTable& table) {
    LevelPlane plane{src.width, src.height, {}};
    plane.levels.resize(static_cast<std::size_t>(src.width) * static_cast<std::size_t>(src.height));
    std::size_t i = 0;
    for (std::int32_t y = 0; y < src.height; ++y) {
        const auto row = src.Row(y);
        for (std::int32_t x = 0; x < src.width; ++x) plane.levels[i++] = table[row[x]];
    }
    return plane;
}

std::uint64_t PixelCount(const SourceBitmap& src) {
    return static_cast<std::uint64_t>(src.width) * static_cast<std::uint64_t>(src.height);
}

class WorkFileBits {
public:
    WorkFileBits(std::int32_t width, std::int32_t height)
        : rowSize_(MonochromeRowSize(width)), bytes_(MonochromeWorkFileHeader(width, height)) {
        bytes_.resize(bytes_.size() + rowSize_ * static_cast<std::size_t>(height), 0);
    }
    void SetWhite(std::int32_t x, std::int32_t y) {
        bytes_[kMonochromeWorkFileOffset + static_cast<std::size_t>(y) * rowSize_ + static_cast<std::size_t>(x / 8)] |=
            static_cast<std::uint8_t>(0x80u >> (x % 8));
    }
    std::vector<std::uint8_t>& bytes() { return bytes_; }

private:
    std::size_t rowSize_;
    std::vector<std::uint8_t> bytes_;
};

bool IsWhite(Rule rule, int level, int threshold, std::int32_t x, std::int32_t y) {
    switch (rule) {
        case Rule::kAboveThreshold: return level > threshold;
        case Rule::kQuarterAtLeastB8: return level / 4 >= kBayer8[y % 8][x % 8];
        case Rule::kQuarterAboveB8: return kBayer8[y % 8][x % 8] < level / 4;
        case Rule::kAtLeastB16: return level >= kBayer16[y % 16][x % 16];
        case Rule::kAboveB16: return kBayer16[y % 16][x % 16] < level;
    }
    return false;
}

void Threshold(const LevelPlane& plane, Rule rule, int threshold, WorkFileBits& out) {
    for (std::int32_t y = 0; y < plane.height; ++y)
        for (std::int32_t x = 0; x < plane.width; ++x)
            if (IsWhite(rule, plane.At(x, y), threshold, x, y)) out.SetWhite(x, y);
}

// Serpentine error diffusion with threshold 128. Odd file rows run left to right, even rows
// (row 0 among them) right to left. Three eighths of a pixel's error go on to the next pixel of
// the pass, three eighths to the pixel below, a quarter to the pixel below and one step on.
// (3e / 8 and e / 4 truncate toward zero exactly as trunc(0.375 e) and trunc(0.25 e) do.)
void Diffuse(const LevelPlane& plane, WorkFileBits& out) {
    // One entry per column plus a spare that takes the push past the right edge.
    std::array<int, kDiffusionColumns + 1> rowA{};
    std::array<int, kDiffusionColumns + 1> rowB{};
    int* current = rowA.data();
    int* next = rowB.data();
    const std::int32_t w = plane.width;
    for (std::int32_t y = 0; y < plane.height; ++y) {
        // The next row becomes the current one; only the image's columns and the spare are
        // cleared, so a row costs its width and not the rows' capacity.
        std::swap(current, next);
        std::fill(next, next + w + 1, 0);
        int carry = 0;
        const bool leftToRight = y % 2 == 1;
        const bool lastRow = y == plane.height - 1;
        for (std::int32_t i = 0; i < w; ++i) {
            const std::int32_t x = leftToRight ? i : w - 1 - i;
            const int value = plane.At(x, y) + current[x] + carry;
            int error;
            if (value > 128) {
                out.SetWhite(x, y);
                error = value - 255;
            } else {
                error = value;
            }
            if (i != w - 1) carry = error * 3 / 8;
            if (!lastRow) {
                next[x] += error * 3 / 8;
                if (leftToRight) next[x + 1] += error / 4;
                else if (x != 0) next[x - 1] += error / 4;
            }
        }
    }
}

int Render24(const SourceBitmap& src, HalftoneMethod method, int c, int b, WorkFileBits& out) {
    const LevelTable adjust = AdjustLevelTable(c, b);
    const std::uint64_t count = PixelCount(src);
    switch (method) {
        case HalftoneMethod::kNone: {
            const Channels sums = ChannelSums(src, adjust);
            const auto meanB = static_cast<int>(sums.blue / count);
            const auto meanG = static_cast<int>(sums.green / count);
            const auto meanR = static_cast<int>(sums.red / count);
            const int threshold = (meanG * 587 + meanR * 299 + meanB * 114) / 1000;
            Threshold(LumaPlane(src, adjust, adjust, adjust), Rule::kAboveThreshold, threshold, out);
            break;
        }
        case HalftoneMethod::kDitherM3:
            Threshold(LumaPlane(src, adjust, adjust, adjust), Rule::kQuarterAtLeastB8, 0, out);
            break;
        case HalftoneMethod::kDitherM4: {
            // Each channel is stretched around its own (unadjusted) mean.
            const Channels sums = ChannelSums(src, Identity());
            const LevelTable blue = AdjustAroundMeanTable(c, b, static_cast<int>(sums.blue / count));
            const LevelTable green = AdjustAroundMeanTable(c, b, static_cast<int>(sums.green / count));
            const LevelTable red = AdjustAroundMeanTable(c, b, static_cast<int>(sums.red / count));
            Threshold(LumaPlane(src, blue, green, red), Rule::kAtLeastB16, 0, out);
            break;
        }
        case HalftoneMethod::kErrorDiffuse:
            Diffuse(LumaPlane(src, adjust, adjust, adjust), out);
            break;
    }
    return kMonochromeWritten;
}

int Render8(const SourceBitmap& src, HalftoneMethod method, int c, int b, WorkFileBits& out) {
    // The palette is not consulted: each sample is a gray level.
    const LevelPlane plane = SamplePlane(src, AdjustLevelTable(c, b));
    switch (method) {
        case HalftoneMethod::kNone: {
            std::uint64_t sum = 0;
            for (std::uint8_t s : plane.levels) sum += s;
            Threshold(plane, Rule::kAboveThreshold, static_cast<int>(sum / PixelCount(src)), out);
            break;
        }
        case HalftoneMethod::kDitherM3: Threshold(plane, Rule::kQuarterAboveB8, 0, out); break;
        case HalftoneMethod::kDitherM4: Threshold(plane, Rule::kAboveB16, 0, out); break;
        case HalftoneMethod::kErrorDiffuse: Diffuse(plane, out); break;
    }
    return kMonochromeWritten;
}

bool KnownMethod(int method) { return method >= 0 && method <= 3; }

}  // namespace

int RenderMonochrome(std::span<const std::uint8_t> source, int method, int contrast,
                     int brightness, std::vector<std::uint8_t>& workFile) {
    if (!KnownMethod(method)) return kMonochromeNotConverted;
    static constexpr unsigned kAccepted[] = {24, 8};
    SourceBitmap src;
    if (CheckSourceBitmap(source, kAccepted, src) != SourceCheck::kUsable) return kMonochromeNotConverted;
    const auto halftone = static_cast<HalftoneMethod>(method);
    if (halftone == HalftoneMethod::kErrorDiffuse && src.width > kDiffusionColumns)
        return kMonochromeNotConverted;
    try {
        WorkFileBits out(src.width, src.height);
        if (src.bitCount == 24) Render24(src, halftone, contrast, brightness, out);
        else Render8(src, halftone, contrast, brightness, out);
        workFile = std::move(out.bytes());
        return kMonochromeWritten;
    } catch (const std::bad_alloc&) {
        return kMonochromeNotConverted;
    }
}

int ConvertToMonochrome(ImageFiles& files, const std::string& sourcePath,
                        std::string& workFilePath, int method, int contrast, int brightness) {
    try {
        std::vector<std::uint8_t> source, workFile;
        if (!files.Read(sourcePath, source)) return kMonochromeNotConverted;
        const int result = RenderMonochrome(source, method, contrast, brightness, workFile);
        if (result != kMonochromeWritten) return result;
        std::string path = WorkFilePath(sourcePath);
        if (!files.Write(path, workFile)) return kMonochromeWorkFileFailed;
        workFilePath = std::move(path);
        return kMonochromeWritten;
    } catch (const std::bad_alloc&) {
        return kMonochromeNotConverted;  // no exception leaves for the page's dialog procedure
    }
}

}  // namespace plugin
