// GDI painting of a dialog: stretched bitmaps, centred text, the minimised window's icon.
#include "platform/win32/dialog_canvas.h"

namespace win32 {

plat::Rect Win32Canvas::ClientRect() {
    RECT r{};
    ::GetClientRect(window_.hwnd(), &r);
    return {r.left, r.top, r.right, r.bottom};
}

void Win32Canvas::StretchBitmap(int bitmapId, const plat::Rect& target) {
    HBITMAP bitmap = window_.Bitmap(bitmapId);
    BITMAP info{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof info, &info)) return;
    HDC memory = ::CreateCompatibleDC(dc_);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::SetStretchBltMode(dc_, COLORONCOLOR);
    ::StretchBlt(dc_, target.left, target.top, target.right - target.left, target.bottom - target.top,
                 memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}

void Win32Canvas::DrawCentredText(const plat::Rect& box, std::string_view text,
                                  const plat::FontSpec& font, std::uint32_t rgb) {
    HFONT handle = CreateFontFromSpec(font);
    HGDIOBJ old = ::SelectObject(dc_, handle);
    int oldMode = ::SetBkMode(dc_, TRANSPARENT);
    COLORREF oldColour = ::SetTextColor(dc_, rgb);
    RECT r{box.left, box.top, box.right, box.bottom};
    ::DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SetTextColor(dc_, oldColour);
    ::SetBkMode(dc_, oldMode);
    ::SelectObject(dc_, old);
    ::DeleteObject(handle);
}

void Win32Canvas::DrawIconCentred() {
    HICON icon = reinterpret_cast<HICON>(::SendMessageA(window_.hwnd(), WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = ::LoadIconA(window_.module(), MAKEINTRESOURCEA(128));
    RECT r{};
    ::GetClientRect(window_.hwnd(), &r);
    int x = (r.right - r.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (r.bottom - r.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc_, x, y, icon);
}

void Win32Canvas::FillRect(const plat::Rect& box, std::uint32_t rgb) {
    RECT r{box.left, box.top, box.right, box.bottom};
    HBRUSH brush = ::CreateSolidBrush(rgb);
    ::FillRect(dc_, &r, brush);
    ::DeleteObject(brush);
}

void Win32Canvas::FillRectWithBrushValue(const plat::Rect& box, int value) {
    RECT r{box.left, box.top, box.right, box.bottom};
    ::FillRect(dc_, &r, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(value)));
}

void Win32Canvas::StretchImage(const plat::PixelImage& image, const plat::Rect& source,
                               const plat::Rect& target, plat::StretchMode mode) {
    if (image.width <= 0 || image.height <= 0 || image.bits.size() < image.Stride() * static_cast<size_t>(image.height))
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = image.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    int oldMode = ::SetStretchBltMode(dc_, static_cast<int>(mode));
    // A bottom-up DIB counts the source's y from its bottom row.
    ::StretchDIBits(dc_, target.left, target.top, target.right - target.left, target.bottom - target.top,
                    source.left, image.height - source.bottom, source.right - source.left,
                    source.bottom - source.top, image.bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    ::SetStretchBltMode(dc_, oldMode);
}

}  // namespace win32
