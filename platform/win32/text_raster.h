// The text raster on Windows: GDI's own font enumeration, memory contexts and text output.
#pragma once
#include <windows.h>

#include "platform/text_raster.h"

namespace win32 {

class Win32TextRaster : public plat::TextRaster {
public:
    std::vector<plat::LogFontW> TrueTypeFaces(std::uint8_t charSet) override;
    int ScreenLogPixelsY() override;
    std::unique_ptr<plat::TextSurface> CreateSurface(int width, int height) override;
};

}  // namespace win32
