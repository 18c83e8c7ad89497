// Fuzz target: BMP reading and every conversion the logo and watermark pages make. A usable
// source keeps inside the file; each conversion that succeeds writes a bitmap that reads back
// with the source's size and the depth it promises, and the packed rasters have the size their
// headers state.
#include <cstring>

#include "common/bmp.h"
#include "plugin/imaging/ConvertBitmapTo24Bit.h"
#include "plugin/imaging/ConvertToGray.h"
#include "plugin/imaging/ConvertToMonochrome.h"
#include "plugin/imaging/LogoImages.h"
#include "plugin/imaging/PackGrayPlanes.h"
#include "plugin/imaging/SourceBitmap.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

constexpr unsigned kAllDepths[] = {1, 8, 24};

// The output must be a bitmap of one depth with the expected size.
void CheckOutput(const std::vector<std::uint8_t>& file, unsigned bitCount, std::int32_t width,
                 std::int32_t height, const char* what) {
    const unsigned depth[] = {bitCount};
    plugin::SourceBitmap out;
    FUZZ_CHECK(plugin::CheckSourceBitmap(file, depth, out) == plugin::SourceCheck::kUsable,
               std::string(what) + ": the output is not a usable bitmap");
    FUZZ_CHECK(out.width == width && out.height == height, std::string(what) + ": the output changed size");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    // Two choice bytes, then the file.
    const int method = data[0] % 5;  // 4 is no method: refused
    const int contrast = static_cast<int>(data[1] % 211) - 105;  // a little past -100..100
    std::span<const std::uint8_t> file(data + 2, size - 2);

    plugin::SourceBitmap source;
    const plugin::SourceCheck check = plugin::CheckSourceBitmap(file, kAllDepths, source);
    if (check == plugin::SourceCheck::kUsable) {
        FUZZ_CHECK(source.width > 0 && source.width <= plugin::kMaxBitmapDimension, "width");
        FUZZ_CHECK(source.height > 0 && source.height <= plugin::kMaxBitmapDimension, "height");
        FUZZ_CHECK(source.rowSize == common::BitmapRowSize(source.width, source.bitCount), "row size");
        FUZZ_CHECK(source.rows.data() >= file.data() &&
                       source.rows.data() + source.rows.size() <= file.data() + file.size() &&
                       source.rows.size() == static_cast<std::size_t>(source.height) * source.rowSize,
                   "the pixel rows lie outside the file");
    }
    (void)plugin::BitmapBitCount(file);

    std::vector<std::uint8_t> out;
    if (plugin::RenderBitmap24(file, out) == plugin::WatermarkSourceKind::kRefused) {
        FUZZ_CHECK(out.empty(), "a refused watermark source wrote output");
    } else {
        FUZZ_CHECK(check == plugin::SourceCheck::kUsable, "a watermark from a source that is not usable");
        CheckOutput(out, 24, source.width, source.height, "RenderBitmap24");
    }

    for (unsigned depth : kAllDepths) {
        const unsigned accepted[] = {depth};
        std::vector<std::uint8_t> gray;
        if (plugin::RenderGray(file, accepted, contrast, -contrast / 2, gray) == plugin::kGrayWritten) {
            FUZZ_CHECK(check == plugin::SourceCheck::kUsable && source.bitCount == depth, "gray from the wrong depth");
            CheckOutput(gray, 8, source.width, source.height, "RenderGray");
            std::vector<std::uint8_t> raster;
            std::uint16_t x = 0, y = 0;
            if (plugin::PackGrayPlanes(gray, raster, x, y)) {
                FUZZ_CHECK(x == (((source.width + 3) / 4 * 4) + 7) / 8 && y == (4 * source.height + 7) / 8,
                           "gray planes: x and y");
                FUZZ_CHECK(raster.size() == static_cast<std::size_t>(x) * y * 8, "gray planes: raster size");
            }
            std::vector<std::uint8_t> logo;
            if (plugin::EncodeGrayLogo(gray, logo))
                FUZZ_CHECK(logo.size() == raster.size() + 6, "gray logo: header and planes");
        }
    }

    std::vector<std::uint8_t> mono;
    if (plugin::RenderMonochrome(file, method, contrast, contrast / 3, mono) == plugin::kMonochromeWritten) {
        FUZZ_CHECK(method <= 3, "an unknown method converted");
        CheckOutput(mono, 1, source.width, source.height, "RenderMonochrome");
        std::vector<std::uint8_t> logo;
        FUZZ_CHECK(plugin::EncodeMonochromeLogo(mono, logo), "a converted bitmap is no monochrome logo");
        const std::size_t x = common::BitmapRowSize(source.width, 1);
        const std::size_t y = (static_cast<std::size_t>(source.height) + 7) / 8;
        FUZZ_CHECK(logo.size() == 4 + x * 8 * y, "monochrome logo size");
    }
    std::vector<std::uint8_t> logo;
    if (plugin::EncodeMonochromeLogo(file, logo))
        FUZZ_CHECK(check == plugin::SourceCheck::kUsable && source.bitCount == 1, "a logo from a file that is not one-bit");
    return 0;
}
