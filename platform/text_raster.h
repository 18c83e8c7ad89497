// Text drawn into a memory bitmap as GDI draws it: the TrueType faces the system lists, the
// screen's vertical resolution, and a white surface to draw a (rotated) line of text into and
// read back as pixels. The watermark is rendered this way, for its image file and its preview.
//
// On Windows each call is the GDI call it names; on the simulated machine FreeType renders the
// machine's fonts (platform/sim/api/text_raster.h lists them).
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/dialog.h"

namespace plat {

// Values of the fields below and of the calls, with Windows' numbers.
enum : std::uint8_t {
    kAnsiCharset = 0,            // ANSI_CHARSET
    kDefaultCharset = 1,         // DEFAULT_CHARSET
    kOutDefaultPrecision = 0,    // OUT_DEFAULT_PRECIS
    kClipDefaultPrecision = 0,   // CLIP_DEFAULT_PRECIS
    kClipLhAngles = 0x10,        // CLIP_LH_ANGLES: escapement counter-clockwise on the screen
    kDefaultQuality = 0,         // DEFAULT_QUALITY: smoothed as the system smooths (simulator: grey)
    kNonAntialiasedQuality = 3,  // NONANTIALIASED_QUALITY: black and white pixels only
    kFixedPitch = 0x01,          // FIXED_PITCH
    kFamilyRoman = 0x10,         // FF_ROMAN
    kFamilySwiss = 0x20,         // FF_SWISS
    kFamilyModern = 0x30,        // FF_MODERN
};
enum : std::uint32_t {
    kTaLeft = 0,       // TA_LEFT
    kTaRight = 2,      // TA_RIGHT
    kTaCenter = 6,     // TA_CENTER
    kTaTop = 0,        // TA_TOP
    kTaBottom = 8,     // TA_BOTTOM
    kTaBaseline = 24,  // TA_BASELINE
};
enum : int {
    kBkTransparent = 1,  // TRANSPARENT
    kBkOpaque = 2,       // OPAQUE
};

// LOGFONTW, with its layout: the Windows build checks it against the real record.
struct LogFontW {
    std::int32_t lfHeight = 0;       // < 0: character (em) height in pixels; > 0: cell height; 0: default
    std::int32_t lfWidth = 0;        // average character width; 0: the face's own proportions
    std::int32_t lfEscapement = 0;   // tenths of a degree, counter-clockwise
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;       // 400 normal, 700 bold
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char16_t lfFaceName[32] = {};    // LF_FACESIZE: 31 units and the terminating zero

    // The face name up to its terminating zero.
    std::u16string_view FaceName() const {
        std::size_t n = 0;
        while (n < 31 && lfFaceName[n]) ++n;
        return {lfFaceName, n};
    }
    // Sets the face name, cut to 31 units.
    void SetFaceName(std::u16string_view name) {
        std::size_t n = name.size() < 31 ? name.size() : 31;
        for (std::size_t i = 0; i < 32; ++i) lfFaceName[i] = i < n ? name[i] : u'\0';
    }
};

struct TextExtent {
    int cx = 0;  // the advance of the whole text, unrotated
    int cy = 0;  // the font's cell height (ascent + descent)
};

// A memory device context with a selected bitmap of width x height pixels compatible with the
// screen (CreateCompatibleDC and CreateCompatibleBitmap of the screen's DC). A new surface's
// pixels are black, as a new compatible bitmap's. Text is drawn black; the OPAQUE background is
// white (the context's default colours).
class TextSurface {
public:
    virtual ~TextSurface() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Paints the whole bitmap white.
    virtual void FillWhite() = 0;
    // CreateFontIndirectW and SelectObject, replacing the font selected before. False when the
    // font cannot be made; the context then keeps the font it had (the system font at first).
    virtual bool SelectFont(const LogFontW& font) = 0;
    virtual void SetTextAlign(std::uint32_t align) = 0;  // TA_* (horizontal | vertical)
    virtual void SetBkMode(int mode) = 0;                // kBkTransparent, kBkOpaque
    // GetTextExtentPoint32W with the selected font.
    virtual TextExtent MeasureText(std::u16string_view text) = 0;
    // ExtTextOutW at (x, y), the reference point the alignment names; with a clip rectangle
    // (ETO_CLIPPED) nothing is drawn outside it. False when the call fails.
    virtual bool DrawText(int x, int y, const std::optional<Rect>& clip, std::u16string_view text) = 0;
    // GetDIBits with a 32-bit BI_RGB header and a positive height: Height() rows of Width()
    // pixels, bottom row first, each pixel blue, green, red and a fourth byte. Writes
    // Width() x Height() x 4 bytes at the start of `bits` and returns the number of rows copied;
    // 0, writing nothing, when `bits` is shorter than that.
    virtual int ReadPixels32(std::span<std::uint8_t> bits) = 0;
};

class TextRaster {
public:
    virtual ~TextRaster() = default;
    // EnumFontFamiliesExW with the character set and an empty face name: one LOGFONTW per face,
    // in the system's enumeration order, keeping only faces whose font type includes
    // TRUETYPE_FONTTYPE.
    virtual std::vector<LogFontW> TrueTypeFaces(std::uint8_t charSet) = 0;
    // GetDeviceCaps(LOGPIXELSY) of the screen's device context.
    virtual int ScreenLogPixelsY() = 0;
    // A memory context and bitmap of the size; null when either cannot be made.
    virtual std::unique_ptr<TextSurface> CreateSurface(int width, int height) = 0;
};

}  // namespace plat
