// Memory bitmaps with text drawn by FreeType, as GDI draws it into a compatible bitmap.
#include "platform/sim/api/text_raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/sim/api/font_renderer.h"

namespace sim {

namespace {

// Bitmaps larger than this are refused, as CreateCompatibleBitmap fails for lack of memory.
constexpr long long kLargestPixelCount = 64LL * 1024 * 1024;

// 32 bits per pixel, top row first, blue, green, red, 0; black when made.
class SimTextSurface : public plat::TextSurface {
public:
    SimTextSurface(std::shared_ptr<const MachineFonts> fonts, int width, int height)
        : fonts_(std::move(fonts)),
          renderer_(*fonts_),
          width_(width),
          height_(height),
          pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0) {}

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void FillWhite() override {
        for (std::size_t i = 0; i < pixels_.size(); i += 4) {
            pixels_[i] = pixels_[i + 1] = pixels_[i + 2] = 0xFF;
            pixels_[i + 3] = 0;
        }
    }
    bool SelectFont(const plat::LogFontW& font) override { return renderer_.Select(font); }
    void SetTextAlign(std::uint32_t align) override { align_ = align; }
    void SetBkMode(int mode) override { bkMode_ = mode; }
    plat::TextExtent MeasureText(std::u16string_view text) override { return renderer_.Measure(text); }

    bool DrawText(int x, int y, const std::optional<plat::Rect>& clip, std::u16string_view text) override {
        plat::Rect bounds{0, 0, width_, height_};
        if (clip) {
            bounds.left = std::max(bounds.left, clip->left);
            bounds.top = std::max(bounds.top, clip->top);
            bounds.right = std::min(bounds.right, clip->right);
            bounds.bottom = std::min(bounds.bottom, clip->bottom);
        }
        const FontMetrics& m = renderer_.metrics();
        const int cx = renderer_.Measure(text).cx;
        // The reference point's place on the text: along the baseline by the horizontal
        // alignment, across it by the vertical one.
        double u = 0, v = 0;
        if ((align_ & plat::kTaCenter) == plat::kTaCenter) u = -(cx / 2);
        else if (align_ & plat::kTaRight) u = -cx;
        if ((align_ & plat::kTaBaseline) == plat::kTaBaseline) v = 0;
        else if (align_ & plat::kTaBottom) v = -m.descent;
        else v = m.ascent;
        const double angle = renderer_.angle();
        const double cosA = std::cos(angle), sinA = std::sin(angle);
        const double ox = x + u * cosA + v * sinA, oy = y - u * sinA + v * cosA;

        auto paint = [&](int px, int py, std::uint8_t coverage) { Blend(px, py, coverage); };
        if (bkMode_ == plat::kBkOpaque)
            renderer_.ForEachBoxPixel(ox, oy, 0, cx, -m.ascent, m.descent, bounds,
                                      [&](int px, int py) { Set(px, py, 0xFF); });
        renderer_.Draw(text, ox, oy, bounds, paint);
        if (renderer_.underline())
            renderer_.ForEachBoxPixel(ox, oy, 0, cx, m.underlineTop, m.underlineTop + m.underlineHeight, bounds,
                                      [&](int px, int py) { Set(px, py, 0); });
        if (renderer_.strikeOut())
            renderer_.ForEachBoxPixel(ox, oy, 0, cx, -m.strikeoutTop, -m.strikeoutTop + m.strikeoutHeight, bounds,
                                      [&](int px, int py) { Set(px, py, 0); });
        return true;
    }

    int ReadPixels32(std::span<std::uint8_t> bits) override {
        const std::size_t row = static_cast<std::size_t>(width_) * 4;
        if (bits.size() < pixels_.size()) return 0;
        for (int y = 0; y < height_; ++y)
            std::memcpy(bits.data() + static_cast<std::size_t>(height_ - 1 - y) * row,
                        pixels_.data() + static_cast<std::size_t>(y) * row, row);
        return height_;
    }

private:
    std::uint8_t* At(int x, int y) {
        return pixels_.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)) * 4;
    }
    void Set(int x, int y, std::uint8_t grey) {
        std::uint8_t* p = At(x, y);
        p[0] = p[1] = p[2] = grey;
    }
    // Black text over what is there, by the coverage (255: black).
    void Blend(int x, int y, std::uint8_t coverage) {
        std::uint8_t* p = At(x, y);
        for (int i = 0; i < 3; ++i) p[i] = static_cast<std::uint8_t>((p[i] * (255 - coverage) + 127) / 255);
    }

    std::shared_ptr<const MachineFonts> fonts_;
    FontRenderer renderer_;
    int width_;
    int height_;
    std::uint32_t align_ = plat::kTaLeft | plat::kTaTop;
    int bkMode_ = plat::kBkOpaque;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace

SimTextRaster::SimTextRaster() : fonts_(std::make_shared<MachineFonts>()) {}

SimTextRaster::SimTextRaster(const std::filesystem::path& fontDir)
    : fonts_(std::make_shared<MachineFonts>(fontDir)) {}

std::vector<plat::LogFontW> SimTextRaster::TrueTypeFaces(std::uint8_t charSet) {
    // Every face of the machine is TrueType and has the Western (ANSI) characters.
    std::vector<plat::LogFontW> faces;
    if (charSet != plat::kAnsiCharset && charSet != plat::kDefaultCharset) return faces;
    FontRenderer renderer(*fonts_);
    for (const MachineFace& face : fonts_->Faces()) faces.push_back(renderer.EnumeratedLogFont(face, plat::kAnsiCharset));
    return faces;
}

std::unique_ptr<plat::TextSurface> SimTextRaster::CreateSurface(int width, int height) {
    if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kLargestPixelCount) return nullptr;
    return std::make_unique<SimTextSurface>(fonts_, width, height);
}

}  // namespace sim
