// The printer's resident fonts as dot cells: Font A, 12 x 24 dots, and Font B, 9 x 17 dots,
// drawn from DejaVu Sans Mono (Debian's fonts-dejavu-core) without antialiasing, as a print head
// prints them; emphasis uses the bold face. Bytes become characters through the selected code
// table, converted by the C library's iconv.
#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

namespace thermal {

struct GlyphCell {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> dots;  // row-major, 1 for a printed dot
    bool At(int x, int y) const { return dots[static_cast<std::size_t>(y * width + x)] != 0; }
};

class PrinterFont {
public:
    explicit PrinterFont(const std::filesystem::path& fontDir = "/usr/share/fonts/truetype/dejavu");
    ~PrinterFont();
    PrinterFont(const PrinterFont&) = delete;
    PrinterFont& operator=(const PrinterFont&) = delete;

    // The fonts every printer of the process shares: the faces are read and each cell drawn once.
    static PrinterFont& Shared();

    // The cell of a character (a blank cell when the font files are missing or lack it).
    const GlyphCell& Glyph(char32_t c, bool fontB, bool bold);
    static int CellWidth(bool fontB) { return fontB ? 9 : 12; }
    static int CellHeight(bool fontB) { return fontB ? 17 : 24; }

private:
    struct Faces;
    GlyphCell Draw(char32_t c, bool fontB, bool bold);
    std::unique_ptr<Faces> faces_;
    std::mutex lock_;
    std::map<std::tuple<char32_t, bool, bool>, GlyphCell> cache_;  // nodes stay put: cells are lent out
};

// The code tables the printer offers (the number the code-table command selects) and the name
// the printout uses for each. Empty for a table the printer does not have.
std::string CodeTableName(int table);
// The character byte `b` prints in code table `table` (a known one); U+FFFD where the table has
// none.
char32_t CharacterOf(std::uint8_t b, int table);

}  // namespace thermal
