// The four halftone methods. Each source row is first reduced to one level 0..255 per pixel (the
// luma of the adjusted channels, or the adjusted 8-bit sample); the method then decides white or
// black and the row's bits go straight into the work file. Only one row of levels is held at a
// time, and every step is a fixed amount of work per pixel.
#include "plugin/imaging/ConvertToMonochrome.h"

#include <array>
#include <new>
#include <utility>

#include "plugin/imaging/AdjustLevel.h"
#include "plugin/imaging/DitherMatrices.h"
#include "plugin/imaging/SourceBitmap.h"
#include "plugin/imaging/WorkFile.h"

namespace plugin {
namespace {

// The levels of a source's rows, made one row at a time.
class LevelRows {
public:
    // 24-bit sources: the luma of the channels adjusted through their own tables. Each table is
    // kept pre-multiplied by its channel's weight, which leaves one division per pixel.
    LevelRows(const SourceBitmap& src, const LevelTable& blue, const LevelTable& green,
              const LevelTable& red)
        : src_(src) {
        for (int i = 0; i < 256; ++i) {
            blue_[i] = blue[i] * 114;
            green_[i] = green[i] * 587;
            red_[i] = red[i] * 299;
        }
    }
    // 8-bit sources: each sample through the table (the palette is not consulted).
    LevelRows(const SourceBitmap& src, const LevelTable& samples) : src_(src), samples_(samples) {}

    bool TwentyFourBit() const { return src_.bitCount == 24; }

    // The level of a pixel of a 24-bit or an 8-bit row (a row of `src`).
    int LumaAt(const std::uint8_t* row, std::int32_t x) const {
        const std::uint8_t* pixel = row + 3 * x;
        return static_cast<int>((red_[pixel[2]] + green_[pixel[1]] + blue_[pixel[0]]) / 1000);
    }
    int SampleAt(const std::uint8_t* row, std::int32_t x) const { return samples_[row[x]]; }

    // The `width` levels of file row `y`.
    void Fill(std::int32_t y, std::uint8_t* levels) const {
        const std::uint8_t* row = src_.Row(y).data();
        if (TwentyFourBit()) {
            for (std::int32_t x = 0; x < src_.width; ++x) levels[x] = static_cast<std::uint8_t>(LumaAt(row, x));
        } else {
            for (std::int32_t x = 0; x < src_.width; ++x) levels[x] = static_cast<std::uint8_t>(SampleAt(row, x));
        }
    }

private:
    const SourceBitmap& src_;
    std::array<std::uint32_t, 256> blue_{}, green_{}, red_{};
    LevelTable samples_{};
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

std::uint64_t SampleSum(const SourceBitmap& src, const LevelTable& table) {
    std::uint64_t sum = 0;
    for (std::int32_t y = 0; y < src.height; ++y) {
        const auto row = src.Row(y);
        for (std::int32_t x = 0; x < src.width; ++x) sum += table[row[x]];
    }
    return sum;
}

LevelTable Identity() {
    LevelTable t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<std::uint8_t>(i);
    return t;
}

std::uint64_t PixelCount(const SourceBitmap& src) {
    return static_cast<std::uint64_t>(src.width) * static_cast<std::uint64_t>(src.height);
}

// The work file's bytes: headers, then rows of bits, all clear (black) to begin with.
class WorkFileBits {
public:
    WorkFileBits(std::int32_t width, std::int32_t height)
        : rowSize_(MonochromeRowSize(width)), bytes_(MonochromeWorkFileHeader(width, height)) {
        bytes_.resize(bytes_.size() + rowSize_ * static_cast<std::size_t>(height), 0);
    }
    std::uint8_t* Row(std::int32_t y) {
        return bytes_.data() + kMonochromeWorkFileOffset + static_cast<std::size_t>(y) * rowSize_;
    }
    std::vector<std::uint8_t>& bytes() { return bytes_; }

private:
    std::size_t rowSize_;
    std::vector<std::uint8_t> bytes_;
};

// The threshold methods: `isWhite(level, x, y)` decides each pixel on its own.
template <class IsWhite>
void Threshold(const SourceBitmap& src, const LevelRows& rows, IsWhite isWhite, WorkFileBits& out) {
    std::vector<std::uint8_t> levels(static_cast<std::size_t>(src.width));
    for (std::int32_t y = 0; y < src.height; ++y) {
        rows.Fill(y, levels.data());
        std::uint8_t* bits = out.Row(y);
        // Eight pixels gather in a register, leftmost in bit 7, before their byte is stored.
        unsigned byte = 0;
        for (std::int32_t x = 0; x < src.width; ++x) {
            byte = byte << 1 | (isWhite(levels[x], x, y) ? 1u : 0u);
            if (x % 8 == 7) {
                bits[x / 8] = static_cast<std::uint8_t>(byte);
                byte = 0;
            }
        }
        if (const std::int32_t rest = src.width % 8; rest != 0)
            bits[src.width / 8] = static_cast<std::uint8_t>(byte << (8 - rest));
    }
}

void Diffuse(const SourceBitmap& src, const LevelRows& rows, WorkFileBits& out) {
    ErrorDiffusion diffusion(src.width);
    for (std::int32_t y = 0; y < src.height; ++y) {
        const std::uint8_t* row = src.Row(y).data();
        if (rows.TwentyFourBit())
            diffusion.Row([&](std::int32_t x) { return rows.LumaAt(row, x); }, out.Row(y));
        else
            diffusion.Row([&](std::int32_t x) { return rows.SampleAt(row, x); }, out.Row(y));
    }
}

void Render24(const SourceBitmap& src, HalftoneMethod method, int c, int b, WorkFileBits& out) {
    const LevelTable adjust = AdjustLevelTable(c, b);
    const std::uint64_t count = PixelCount(src);
    switch (method) {
        case HalftoneMethod::kNone: {
            const Channels sums = ChannelSums(src, adjust);
            const auto meanB = static_cast<int>(sums.blue / count);
            const auto meanG = static_cast<int>(sums.green / count);
            const auto meanR = static_cast<int>(sums.red / count);
            const int threshold = (meanG * 587 + meanR * 299 + meanB * 114) / 1000;
            Threshold(src, LevelRows(src, adjust, adjust, adjust),
                      [threshold](int level, std::int32_t, std::int32_t) { return level > threshold; }, out);
            break;
        }
        case HalftoneMethod::kDitherM3:
            Threshold(src, LevelRows(src, adjust, adjust, adjust),
                      [](int level, std::int32_t x, std::int32_t y) { return level / 4 >= kBayer8[y % 8][x % 8]; },
                      out);
            break;
        case HalftoneMethod::kDitherM4: {
            // Each channel is stretched around its own (unadjusted) mean.
            const Channels sums = ChannelSums(src, Identity());
            const LevelTable blue = AdjustAroundMeanTable(c, b, static_cast<int>(sums.blue / count));
            const LevelTable green = AdjustAroundMeanTable(c, b, static_cast<int>(sums.green / count));
            const LevelTable red = AdjustAroundMeanTable(c, b, static_cast<int>(sums.red / count));
            Threshold(src, LevelRows(src, blue, green, red),
                      [](int level, std::int32_t x, std::int32_t y) { return level >= kBayer16[y % 16][x % 16]; },
                      out);
            break;
        }
        case HalftoneMethod::kErrorDiffuse:
            Diffuse(src, LevelRows(src, adjust, adjust, adjust), out);
            break;
    }
}

void Render8(const SourceBitmap& src, HalftoneMethod method, int c, int b, WorkFileBits& out) {
    const LevelTable adjust = AdjustLevelTable(c, b);
    const LevelRows rows(src, adjust);
    switch (method) {
        case HalftoneMethod::kNone: {
            const int mean = static_cast<int>(SampleSum(src, adjust) / PixelCount(src));
            Threshold(src, rows, [mean](int level, std::int32_t, std::int32_t) { return level > mean; }, out);
            break;
        }
        case HalftoneMethod::kDitherM3:
            Threshold(src, rows,
                      [](int level, std::int32_t x, std::int32_t y) { return kBayer8[y % 8][x % 8] < level / 4; },
                      out);
            break;
        case HalftoneMethod::kDitherM4:
            Threshold(src, rows,
                      [](int level, std::int32_t x, std::int32_t y) { return kBayer16[y % 16][x % 16] < level; },
                      out);
            break;
        case HalftoneMethod::kErrorDiffuse: Diffuse(src, rows, out); break;
    }
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
        FileView source;
        std::vector<std::uint8_t> workFile;
        if (!files.View(sourcePath, source)) return kMonochromeNotConverted;
        const int result = RenderMonochrome(source.bytes, method, contrast, brightness, workFile);
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
