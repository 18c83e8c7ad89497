// FreeType drawing a line of text as GDI's ExtTextOutW draws it with a LOGFONTW: the size from
// lfHeight (negative: the character height in pixels; positive: the cell height) and lfWidth,
// the face's weight and italic style (synthesised when the face has no such file), the glyphs
// and the baseline rotated counter-clockwise by lfEscapement (GM_COMPATIBLE: lfOrientation
// follows the escapement), whole-pixel advances from the font's advance widths without kerning.
//
// Coverage is 8-bit grey (FreeType's smooth rasteriser), or black and white for
// NONANTIALIASED_QUALITY.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string_view>

#include "platform/sim/api/machine_fonts.h"
#include "platform/text_raster.h"

struct FT_FaceRec_;

namespace sim {

// The selected font's sizes in whole pixels (GDI's TEXTMETRIC): ascent and descent from the
// OS/2 table's Windows ascent and descent, rounded.
struct FontMetrics {
    int ppem = 0;            // pixels per em
    int ascent = 0;
    int descent = 0;
    int averageWidth = 0;    // xAvgCharWidth
    int underlineTop = 0;    // below the baseline, in pixels
    int underlineHeight = 1;
    int strikeoutTop = 0;    // above the baseline, in pixels (the stroke's top)
    int strikeoutHeight = 1;
};

// A pixel the text covers: x, y on the target, coverage 1 to 255 (255 fully black).
using CoverageSink = std::function<void(int x, int y, std::uint8_t coverage)>;

class FontRenderer {
public:
    explicit FontRenderer(const MachineFonts& fonts);
    ~FontRenderer();
    FontRenderer(const FontRenderer&) = delete;
    FontRenderer& operator=(const FontRenderer&) = delete;

    // The LOGFONTW that EnumFontFamiliesExW reports for the face, described at 32 pixels per em
    // as Wine describes it: the cell height and the average width at that size (not zero: a
    // caller that keeps lfWidth keeps that width), weight 400, OUT_STROKE_PRECIS,
    // CLIP_STROKE_PRECIS, DRAFT_QUALITY, the face's pitch and family.
    plat::LogFontW EnumeratedLogFont(const MachineFace& face, std::uint8_t charSet);

    // Makes the font current. False (the current font kept) when no face is installed, the
    // file cannot be read, or the size or the width is over 4096 pixels.
    bool Select(const plat::LogFontW& font);
    const FontMetrics& metrics() const { return metrics_; }
    // Radians counter-clockwise on the screen, from lfEscapement.
    double angle() const { return angle_; }

    // GetTextExtentPoint32W: the sum of the advances and ascent + descent.
    plat::TextExtent Measure(std::u16string_view text);
    // The glyphs with the baseline starting at (x, y), a point on the target (fractions allowed),
    // only the pixels inside `clip`.
    void Draw(std::u16string_view text, double x, double y, const plat::Rect& clip, const CoverageSink& sink);
    // Every pixel whose centre lies in the box u0 <= u < u1, v0 <= v < v1 of the text's own axes
    // from (x, y): u along the baseline, v across it towards the glyphs' bottoms. For the opaque
    // background, the underline and the strikeout.
    void ForEachBoxPixel(double x, double y, double u0, double u1, double v0, double v1, const plat::Rect& clip,
                         const std::function<void(int, int)>& pixel) const;
    // The selected font's underline and strikeout flags.
    bool underline() const { return underline_; }
    bool strikeOut() const { return strikeOut_; }

private:
    struct Library;
    int Advance(char32_t c);
    std::unique_ptr<Library> ft_;
    const MachineFonts& fonts_;
    FontMetrics metrics_;
    double angle_ = 0;
    double xScale_ = 1;
    bool emboldened_ = false;
    bool slanted_ = false;
    bool mono_ = false;
    bool underline_ = false;
    bool strikeOut_ = false;
    FT_FaceRec_* face_ = nullptr;  // the current FT_Face; the library's cache owns it
};

// The code points of a UTF-16 text; a lone surrogate stands for itself.
std::u32string CodePoints(std::u16string_view text);

}  // namespace sim
