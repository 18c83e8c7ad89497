// The text raster on the simulated machine: the machine's fonts (machine_fonts.h) drawn by
// FreeType (font_renderer.h) into memory bitmaps. The screen has 96 pixels per logical inch.
// A new surface's first font is "Arial" with a cell height of 16 pixels (standing in for the
// System font), its alignment TA_LEFT | TA_TOP and its background mode OPAQUE, as a new GDI
// context's.
#pragma once
#include <memory>

#include "platform/sim/api/machine_fonts.h"
#include "platform/text_raster.h"

namespace sim {

class SimTextRaster : public plat::TextRaster {
public:
    // The fonts of Debian's font folder.
    SimTextRaster();
    // The fonts found under another folder (tests: a folder with some files missing).
    explicit SimTextRaster(const std::filesystem::path& fontDir);

    std::vector<plat::LogFontW> TrueTypeFaces(std::uint8_t charSet) override;
    int ScreenLogPixelsY() override { return 96; }
    std::unique_ptr<plat::TextSurface> CreateSurface(int width, int height) override;

private:
    std::shared_ptr<const MachineFonts> fonts_;
};

}  // namespace sim
