// GDI text into memory bitmaps: each call is the GDI call it names.
#include <windows.h>

#include "platform/win32/text_raster.h"

#include <cstddef>
#include <cstring>
#include <type_traits>

namespace win32 {

// plat::LogFontW is LOGFONTW byte for byte, so the two are copied as bytes.
static_assert(std::is_trivially_copyable_v<plat::LogFontW>);
static_assert(sizeof(plat::LogFontW) == sizeof(LOGFONTW));
static_assert(offsetof(plat::LogFontW, lfEscapement) == offsetof(LOGFONTW, lfEscapement));
static_assert(offsetof(plat::LogFontW, lfItalic) == offsetof(LOGFONTW, lfItalic));
static_assert(offsetof(plat::LogFontW, lfPitchAndFamily) == offsetof(LOGFONTW, lfPitchAndFamily));
static_assert(offsetof(plat::LogFontW, lfFaceName) == offsetof(LOGFONTW, lfFaceName));
static_assert(sizeof(WCHAR) == sizeof(char16_t));
static_assert(plat::kClipLhAngles == CLIP_LH_ANGLES && plat::kTaBaseline == TA_BASELINE && plat::kBkOpaque == OPAQUE);

namespace {

LOGFONTW ToWin(const plat::LogFontW& font) {
    LOGFONTW out;
    std::memcpy(&out, &font, sizeof out);
    return out;
}

plat::LogFontW FromWin(const LOGFONTW& font) {
    plat::LogFontW out;
    std::memcpy(static_cast<void*>(&out), &font, sizeof out);
    return out;
}

int CALLBACK CollectTrueType(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM list) {
    if (type & TRUETYPE_FONTTYPE) reinterpret_cast<std::vector<plat::LogFontW>*>(list)->push_back(FromWin(*font));
    return 1;
}

// A memory context compatible with the screen holding a compatible bitmap.
class Win32TextSurface : public plat::TextSurface {
public:
    Win32TextSurface(HDC dc, HBITMAP bitmap, int width, int height)
        : dc_(dc), bitmap_(bitmap), width_(width), height_(height) {
        oldBitmap_ = ::SelectObject(dc_, bitmap_);
    }
    ~Win32TextSurface() override {
        ::SelectObject(dc_, oldBitmap_);
        if (oldFont_) ::SelectObject(dc_, oldFont_);
        if (font_) ::DeleteObject(font_);
        ::DeleteObject(bitmap_);
        ::DeleteDC(dc_);
    }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void FillWhite() override {
        RECT all{0, 0, width_, height_};
        ::FillRect(dc_, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    bool SelectFont(const plat::LogFontW& font) override {
        LOGFONTW record = ToWin(font);
        HFONT made = ::CreateFontIndirectW(&record);
        if (!made) return false;
        HGDIOBJ previous = ::SelectObject(dc_, made);
        if (!oldFont_) oldFont_ = previous;
        if (font_) ::DeleteObject(font_);
        font_ = made;
        return true;
    }
    void SetTextAlign(std::uint32_t align) override { ::SetTextAlign(dc_, align); }
    void SetBkMode(int mode) override { ::SetBkMode(dc_, mode); }
    plat::TextExtent MeasureText(std::u16string_view text) override {
        SIZE size{};
        ::GetTextExtentPoint32W(dc_, reinterpret_cast<LPCWSTR>(text.data()), static_cast<int>(text.size()), &size);
        return {size.cx, size.cy};
    }
    bool DrawText(int x, int y, const std::optional<plat::Rect>& clip, std::u16string_view text) override {
        RECT r{};
        if (clip) r = RECT{clip->left, clip->top, clip->right, clip->bottom};
        return ::ExtTextOutW(dc_, x, y, clip ? ETO_CLIPPED : 0, clip ? &r : nullptr,
                             reinterpret_cast<LPCWSTR>(text.data()), static_cast<UINT>(text.size()), nullptr) != FALSE;
    }
    int ReadPixels32(std::span<std::uint8_t> bits) override {
        if (bits.size() < static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4) return 0;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        // GetDIBits wants the bitmap not selected into a context.
        ::SelectObject(dc_, oldBitmap_);
        const int rows = ::GetDIBits(dc_, bitmap_, 0, static_cast<UINT>(height_), bits.data(), &info, DIB_RGB_COLORS);
        ::SelectObject(dc_, bitmap_);
        return rows;
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    HFONT font_ = nullptr;
    int width_;
    int height_;
};

}  // namespace

std::vector<plat::LogFontW> Win32TextRaster::TrueTypeFaces(std::uint8_t charSet) {
    std::vector<plat::LogFontW> faces;
    LOGFONTW query{};
    query.lfCharSet = charSet;
    HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesExW(screen, &query, reinterpret_cast<FONTENUMPROCW>(CollectTrueType),
                          reinterpret_cast<LPARAM>(&faces), 0);
    ::ReleaseDC(nullptr, screen);
    return faces;
}

int Win32TextRaster::ScreenLogPixelsY() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

std::unique_ptr<plat::TextSurface> Win32TextRaster::CreateSurface(int width, int height) {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = dc ? ::CreateCompatibleBitmap(screen, width, height) : nullptr;
    ::ReleaseDC(nullptr, screen);
    if (!bitmap) {
        if (dc) ::DeleteDC(dc);
        return nullptr;
    }
    return std::make_unique<Win32TextSurface>(dc, bitmap, width, height);
}

}  // namespace win32
