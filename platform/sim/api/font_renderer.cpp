// GDI's text drawing rebuilt on FreeType for the simulated machine.
#include "platform/sim/api/font_renderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sim {

namespace {

constexpr int kLargestPpem = 4096;
constexpr int kDefaultCellHeight = 16;   // lfHeight 0
constexpr int kEnumeratedPpem = 32;      // the size the enumerated faces are described at
constexpr double kSlant = 0.2;           // a synthesised italic leans x by 0.2 of y

// a * b / c rounded to the nearest whole number (c > 0).
int ScaleRound(long a, long b, long c) {
    const long p = a * b;
    return static_cast<int>(p >= 0 ? (p + c / 2) / c : -((-p + c / 2) / c));
}

struct WinMetrics {
    long upem = 2048, ascent = 0, descent = 0, avg = 0, strikePos = 0, strikeSize = 0;
};

WinMetrics ReadMetrics(FT_Face face) {
    WinMetrics m;
    m.upem = face->units_per_EM ? face->units_per_EM : 2048;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF) {
        m.ascent = os2->usWinAscent;
        m.descent = os2->usWinDescent;
        m.avg = os2->xAvgCharWidth;
        m.strikePos = os2->yStrikeoutPosition;
        m.strikeSize = os2->yStrikeoutSize;
    } else {
        m.ascent = face->ascender;
        m.descent = -face->descender;
        m.avg = face->max_advance_width / 2;
        m.strikePos = m.upem / 4;
        m.strikeSize = m.upem / 20;
    }
    if (m.ascent + m.descent <= 0) m.ascent = m.upem;
    return m;
}

FT_Fixed Fixed(double v) { return static_cast<FT_Fixed>(std::lround(v * 65536.0)); }

}  // namespace

// One FreeType library and the faces it opened, by file.
struct FontRenderer::Library {
    FT_Library library = nullptr;
    std::map<std::filesystem::path, FT_Face> faces;
    Library() {
        if (FT_Init_FreeType(&library)) library = nullptr;
    }
    ~Library() {
        for (auto& [path, face] : faces) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
    FT_Face Open(const std::filesystem::path& file) {
        if (!library) return nullptr;
        auto at = faces.find(file);
        if (at != faces.end()) return at->second;
        FT_Face face = nullptr;
        if (FT_New_Face(library, file.c_str(), 0, &face)) return nullptr;
        faces.emplace(file, face);
        return face;
    }
};

std::u32string CodePoints(std::u16string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        out += c;
    }
    return out;
}

FontRenderer::FontRenderer(const MachineFonts& fonts) : ft_(std::make_unique<Library>()), fonts_(fonts) {
    plat::LogFontW system;
    system.lfHeight = kDefaultCellHeight;
    system.lfWeight = plat::kFontWeightNormal;
    Select(system);  // the context's first font
}

FontRenderer::~FontRenderer() = default;

plat::LogFontW FontRenderer::EnumeratedLogFont(const MachineFace& face, std::uint8_t charSet) {
    plat::LogFontW font;
    font.lfWeight = plat::kFontWeightNormal;
    font.lfCharSet = charSet;
    font.lfOutPrecision = 3;   // OUT_STROKE_PRECIS
    font.lfClipPrecision = 2;  // CLIP_STROKE_PRECIS
    font.lfQuality = 1;        // DRAFT_QUALITY
    font.lfPitchAndFamily = face.pitchAndFamily;
    font.SetFaceName(face.name);
    if (FT_Face ft = ft_->Open(face.regular)) {
        const WinMetrics m = ReadMetrics(ft);
        font.lfHeight = ScaleRound(m.ascent + m.descent, kEnumeratedPpem, m.upem);
        font.lfWidth = ScaleRound(m.avg, kEnumeratedPpem, m.upem);
    }
    return font;
}

bool FontRenderer::Select(const plat::LogFontW& font) {
    const MachineFace* face = fonts_.Match(font);
    if (!face) return false;
    const FontFileChoice choice = MachineFonts::FileFor(*face, font);
    FT_Face ft = ft_->Open(choice.file);
    if (!ft) return false;
    const WinMetrics m = ReadMetrics(ft);
    const long cell = m.ascent + m.descent;
    // Sizes past the largest are refused before any arithmetic on them.
    if (font.lfHeight < -kLargestPpem || font.lfHeight > 2 * kLargestPpem || font.lfWidth > kLargestPpem) return false;
    int ppem = font.lfHeight < 0 ? -font.lfHeight
                                 : ScaleRound(font.lfHeight ? font.lfHeight : kDefaultCellHeight, m.upem, cell);
    if (ppem > kLargestPpem) return false;
    ppem = std::max(ppem, 1);
    if (FT_Set_Pixel_Sizes(ft, 0, static_cast<FT_UInt>(ppem))) return false;

    face_ = ft;
    metrics_.ppem = ppem;
    metrics_.ascent = ScaleRound(m.ascent, ppem, m.upem);
    metrics_.descent = ScaleRound(m.descent, ppem, m.upem);
    metrics_.averageWidth = std::max(1, ScaleRound(m.avg, ppem, m.upem));
    metrics_.underlineTop = std::max(1, ScaleRound(-ft->underline_position, ppem, m.upem));
    metrics_.underlineHeight = std::max(1, ScaleRound(ft->underline_thickness, ppem, m.upem));
    metrics_.strikeoutTop = ScaleRound(m.strikePos, ppem, m.upem);
    metrics_.strikeoutHeight = std::max(1, ScaleRound(m.strikeSize, ppem, m.upem));
    xScale_ = font.lfWidth > 0 ? static_cast<double>(font.lfWidth) / metrics_.averageWidth : 1.0;
    angle_ = font.lfEscapement / 10.0 * std::numbers::pi / 180.0;
    emboldened_ = choice.emboldened;
    slanted_ = choice.slanted;
    mono_ = font.lfQuality == plat::kNonAntialiasedQuality;
    underline_ = font.lfUnderline != 0;
    strikeOut_ = font.lfStrikeOut != 0;
    return true;
}

int FontRenderer::Advance(char32_t c) {
    FT_Fixed units = 0;
    const FT_UInt glyph = FT_Get_Char_Index(face_, c);
    if (FT_Get_Advance(face_, glyph, FT_LOAD_NO_SCALE, &units)) units = 0;
    const WinMetrics m = ReadMetrics(face_);
    int advance = xScale_ == 1.0 ? ScaleRound(units, metrics_.ppem, m.upem)
                                 : static_cast<int>(std::lround(units * xScale_ * metrics_.ppem / m.upem));
    // A synthesised bold is one pixel wider per character, as GDI's.
    return advance + (emboldened_ ? 1 : 0);
}

plat::TextExtent FontRenderer::Measure(std::u16string_view text) {
    plat::TextExtent extent{0, metrics_.ascent + metrics_.descent};
    if (!face_) return extent;  // a machine without fonts
    for (char32_t c : CodePoints(text)) extent.cx += Advance(c);
    return extent;
}

void FontRenderer::Draw(std::u16string_view text, double x, double y, const plat::Rect& clip,
                        const CoverageSink& sink) {
    if (!face_) return;
    const double cosA = std::cos(angle_), sinA = std::sin(angle_);
    // The glyph transformation in FreeType's y-up axes: width scale, slant, then rotation.
    const double a = xScale_, b = slanted_ ? kSlant : 0.0;
    FT_Matrix matrix;
    matrix.xx = Fixed(cosA * a);
    matrix.xy = Fixed(cosA * b - sinA);
    matrix.yx = Fixed(sinA * a);
    matrix.yy = Fixed(sinA * b + cosA);
    const FT_Pos bold = std::max<FT_Pos>(64, metrics_.ppem * 64 / 24);

    double penX = x, penY = y;
    for (char32_t c : CodePoints(text)) {
        const FT_UInt glyph = FT_Get_Char_Index(face_, c);
        const int advance = Advance(c);
        if (!FT_Load_Glyph(face_, glyph, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) &&
            face_->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
            FT_Outline& outline = face_->glyph->outline;
            if (emboldened_) FT_Outline_Embolden(&outline, bold);
            FT_Outline_Transform(&outline, &matrix);
            const double baseX = std::floor(penX), baseY = std::floor(penY);
            // The pen's fraction moves the outline; y grows downwards on the target.
            FT_Outline_Translate(&outline, static_cast<FT_Pos>(std::lround((penX - baseX) * 64)),
                                 -static_cast<FT_Pos>(std::lround((penY - baseY) * 64)));
            if (!FT_Render_Glyph(face_->glyph, mono_ ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL)) {
                const FT_Bitmap& bitmap = face_->glyph->bitmap;
                const int left = static_cast<int>(baseX) + face_->glyph->bitmap_left;
                const int top = static_cast<int>(baseY) - face_->glyph->bitmap_top;
                for (unsigned row = 0; row < bitmap.rows; ++row) {
                    const int ty = top + static_cast<int>(row);
                    if (ty < clip.top || ty >= clip.bottom) continue;
                    const unsigned char* line = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
                    for (unsigned col = 0; col < bitmap.width; ++col) {
                        const int tx = left + static_cast<int>(col);
                        if (tx < clip.left || tx >= clip.right) continue;
                        const std::uint8_t coverage =
                            mono_ ? ((line[col / 8] >> (7 - col % 8)) & 1 ? 255 : 0) : line[col];
                        if (coverage) sink(tx, ty, coverage);
                    }
                }
            }
        }
        penX += advance * cosA;
        penY -= advance * sinA;
    }
}

void FontRenderer::ForEachBoxPixel(double x, double y, double u0, double u1, double v0, double v1,
                                   const plat::Rect& clip, const std::function<void(int, int)>& pixel) const {
    const double cosA = std::cos(angle_), sinA = std::sin(angle_);
    // The box's corners on the target: u runs along (cos, -sin), v along (sin, cos).
    double minX = 1e18, maxX = -1e18, minY = 1e18, maxY = -1e18;
    for (double u : {u0, u1})
        for (double v : {v0, v1}) {
            const double px = x + u * cosA + v * sinA, py = y - u * sinA + v * cosA;
            minX = std::min(minX, px), maxX = std::max(maxX, px);
            minY = std::min(minY, py), maxY = std::max(maxY, py);
        }
    const int left = std::max(clip.left, static_cast<int>(std::floor(minX)));
    const int right = std::min(clip.right, static_cast<int>(std::ceil(maxX)) + 1);
    const int top = std::max(clip.top, static_cast<int>(std::floor(minY)));
    const int bottom = std::min(clip.bottom, static_cast<int>(std::ceil(maxY)) + 1);
    // Rounding noise of the rotation must not move an edge by a pixel at the right angles.
    constexpr double kEps = 1e-9;
    for (int py = top; py < bottom; ++py)
        for (int px = left; px < right; ++px) {
            const double dx = px + 0.5 - x, dy = py + 0.5 - y;
            const double u = dx * cosA - dy * sinA, v = dx * sinA + dy * cosA;
            if (u >= u0 - kEps && u < u1 - kEps && v >= v0 - kEps && v < v1 - kEps) pixel(px, py);
        }
}

}  // namespace sim
