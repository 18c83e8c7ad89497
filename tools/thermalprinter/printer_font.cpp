#include "tools/thermalprinter/printer_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <iconv.h>

#include <array>

namespace thermal {

struct PrinterFont::Faces {
    FT_Library library = nullptr;
    FT_Face regular = nullptr;
    FT_Face bold = nullptr;
    ~Faces() {
        if (regular) FT_Done_Face(regular);
        if (bold) FT_Done_Face(bold);
        if (library) FT_Done_FreeType(library);
    }
};

PrinterFont::PrinterFont(const std::filesystem::path& fontDir) : faces_(std::make_unique<Faces>()) {
    if (FT_Init_FreeType(&faces_->library) != 0) return;
    const auto regular = (fontDir / "DejaVuSansMono.ttf").string();
    const auto bold = (fontDir / "DejaVuSansMono-Bold.ttf").string();
    if (FT_New_Face(faces_->library, regular.c_str(), 0, &faces_->regular) != 0) faces_->regular = nullptr;
    if (FT_New_Face(faces_->library, bold.c_str(), 0, &faces_->bold) != 0) faces_->bold = faces_->regular;
    if (faces_->bold == faces_->regular) faces_->bold = nullptr;
}

PrinterFont::~PrinterFont() = default;

PrinterFont& PrinterFont::Shared() {
    static PrinterFont shared;
    return shared;
}

const GlyphCell& PrinterFont::Glyph(char32_t c, bool fontB, bool bold) {
    std::lock_guard<std::mutex> hold(lock_);
    const auto key = std::make_tuple(c, fontB, bold);
    auto found = cache_.find(key);
    if (found == cache_.end()) found = cache_.emplace(key, Draw(c, fontB, bold)).first;
    return found->second;
}

GlyphCell PrinterFont::Draw(char32_t c, bool fontB, bool bold) {
    GlyphCell cell;
    cell.width = CellWidth(fontB);
    cell.height = CellHeight(fontB);
    cell.dots.assign(static_cast<std::size_t>(cell.width * cell.height), 0);
    FT_Face face = bold && faces_->bold ? faces_->bold : faces_->regular;
    if (!face || c == U' ') return cell;
    // The em is chosen so that the face's advance fills the cell's width; the baseline sits
    // where the cell keeps room for descenders.
    const int em = fontB ? 15 : 20;
    const int baseline = fontB ? 13 : 19;
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(em)) != 0) return cell;
    if (FT_Load_Char(face, c, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) return cell;
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO) return cell;
    const int left = face->glyph->bitmap_left;
    const int top = baseline - face->glyph->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* line = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        for (unsigned col = 0; col < bitmap.width; ++col) {
            if (!(line[col / 8] & (0x80 >> (col % 8)))) continue;
            const int x = left + static_cast<int>(col);
            const int y = top + static_cast<int>(row);
            if (x >= 0 && x < cell.width && y >= 0 && y < cell.height)
                cell.dots[static_cast<std::size_t>(y * cell.width + x)] = 1;
        }
    }
    return cell;
}

namespace {

struct CodeTable {
    int number;
    const char* name;
    const char* iconvName;
};

constexpr std::array<CodeTable, 8> kTables = {{
    {0, "PC437", "CP437"},
    {2, "PC850", "CP850"},
    {3, "PC860", "CP860"},
    {4, "PC863", "CP863"},
    {5, "PC865", "CP865"},
    {16, "WPC1252", "CP1252"},
    {17, "PC866", "CP866"},
    {18, "PC852", "CP852"},
}};

const CodeTable* FindTable(int table) {
    for (const CodeTable& t : kTables)
        if (t.number == table) return &t;
    return nullptr;
}

// The table's 256 characters, converted once with iconv.
std::array<char32_t, 256> MakeTable(const char* iconvName) {
    std::array<char32_t, 256> chars{};
    iconv_t cd = iconv_open("UTF-32LE", iconvName);
    for (int b = 0; b < 256; ++b) {
        chars[static_cast<std::size_t>(b)] = b < 0x80 ? static_cast<char32_t>(b) : U'\uFFFD';
        if (cd == reinterpret_cast<iconv_t>(-1) || b < 0x80) continue;
        char in = static_cast<char>(b);
        unsigned char out[4] = {};
        char* inPtr = &in;
        char* outPtr = reinterpret_cast<char*>(out);
        std::size_t inLeft = 1, outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) && outLeft == 0)
            chars[static_cast<std::size_t>(b)] = static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
    }
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    return chars;
}

}  // namespace

std::string CodeTableName(int table) {
    const CodeTable* t = FindTable(table);
    return t ? t->name : "";
}

char32_t CharacterOf(std::uint8_t b, int table) {
    static std::mutex lock;
    static std::map<int, std::array<char32_t, 256>> tables;
    const CodeTable* t = FindTable(table);
    if (!t) t = &kTables[0];
    std::lock_guard<std::mutex> hold(lock);
    auto found = tables.find(t->number);
    if (found == tables.end()) found = tables.emplace(t->number, MakeTable(t->iconvName)).first;
    return found->second[b];
}

}  // namespace thermal
