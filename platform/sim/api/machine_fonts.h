// The TrueType fonts of a simulated machine: a fixed list of faces, each backed by freely
// licensed font files that Debian installs (fonts-liberation, fonts-dejavu-core). The Liberation
// faces have the advance widths of the Windows faces whose names they stand in for, so texts
// measure as on Windows.
//
// Faces, in enumeration order (alphabetical): "Arial", "Arial Narrow", "Courier New",
// "DejaVu Sans", "DejaVu Sans Mono", "DejaVu Serif", "Times New Roman". A face whose regular file
// is missing is not installed; a missing bold or italic file is synthesised from the regular one
// (as GDI emboldens and slants a face that has no such style).
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/text_raster.h"

namespace sim {

struct MachineFace {
    std::u16string name;
    std::uint8_t pitchAndFamily = 0;            // as EnumFontFamiliesExW reports it
    std::filesystem::path regular, bold, italic, boldItalic;  // empty when that file is missing
};

// The file that draws a font, and what GDI would have to synthesise for it.
struct FontFileChoice {
    std::filesystem::path file;
    bool emboldened = false;
    bool slanted = false;
};

class MachineFonts {
public:
    // The faces whose regular file exists under `fontDir` (Debian's /usr/share/fonts/truetype,
    // with its liberation/ and dejavu/ folders).
    explicit MachineFonts(const std::filesystem::path& fontDir = DefaultFontDir());
    static std::filesystem::path DefaultFontDir();

    const std::vector<MachineFace>& Faces() const { return faces_; }
    // The face a LOGFONTW gets, as GDI's font mapper picks it: the face of that name (letter case
    // ignored); for another or an empty name, "Courier New" for a fixed pitch or the modern
    // family, "Times New Roman" for the roman family, otherwise "Arial"; the first installed face
    // when the picked one is not installed. Null when no face is installed.
    const MachineFace* Match(const plat::LogFontW& font) const;
    // The file for the font's weight (600 or more is bold) and italic flag.
    static FontFileChoice FileFor(const MachineFace& face, const plat::LogFontW& font);

private:
    const MachineFace* ByName(std::u16string_view name) const;
    std::vector<MachineFace> faces_;
};

}  // namespace sim
