// Painting a dialog with GDI during WM_PAINT.
#pragma once
#include <windows.h>

#include "platform/dialog.h"
#include "platform/win32/dialog_window.h"

namespace win32 {

class Win32Canvas : public plat::Canvas {
public:
    Win32Canvas(HDC dc, Win32DialogWindow& window) : dc_(dc), window_(window) {}
    plat::Rect ClientRect() override;
    void StretchBitmap(int bitmapId, const plat::Rect& target) override;
    void DrawCentredText(const plat::Rect& box, std::string_view text, const plat::FontSpec& font,
                         std::uint32_t rgb) override;
    void DrawIconCentred() override;
    void FillRect(const plat::Rect& box, std::uint32_t rgb) override;
    void FillRectWithBrushValue(const plat::Rect& box, int value) override;
    void StretchImage(const plat::PixelImage& image, const plat::Rect& source, const plat::Rect& target,
                      plat::StretchMode mode) override;

private:
    HDC dc_;
    Win32DialogWindow& window_;
};

}  // namespace win32
