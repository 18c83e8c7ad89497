// The simulated machine's TrueType faces and how a LOGFONTW maps onto their files.
#include "platform/sim/api/machine_fonts.h"

namespace sim {

namespace fs = std::filesystem;

namespace {

struct FaceFiles {
    const char16_t* name;
    std::uint8_t pitchAndFamily;  // VARIABLE_PITCH (2) or FIXED_PITCH (1) | FF_*
    const char* regular;
    const char* bold;
    const char* italic;
    const char* boldItalic;
};

constexpr FaceFiles kFaces[] = {
    {u"Arial", 0x22, "liberation/LiberationSans-Regular.ttf", "liberation/LiberationSans-Bold.ttf",
     "liberation/LiberationSans-Italic.ttf", "liberation/LiberationSans-BoldItalic.ttf"},
    {u"Arial Narrow", 0x22, "liberation/LiberationSansNarrow-Regular.ttf", "liberation/LiberationSansNarrow-Bold.ttf",
     "liberation/LiberationSansNarrow-Italic.ttf", "liberation/LiberationSansNarrow-BoldItalic.ttf"},
    {u"Courier New", 0x31, "liberation/LiberationMono-Regular.ttf", "liberation/LiberationMono-Bold.ttf",
     "liberation/LiberationMono-Italic.ttf", "liberation/LiberationMono-BoldItalic.ttf"},
    {u"DejaVu Sans", 0x22, "dejavu/DejaVuSans.ttf", "dejavu/DejaVuSans-Bold.ttf", "dejavu/DejaVuSans-Oblique.ttf",
     "dejavu/DejaVuSans-BoldOblique.ttf"},
    {u"DejaVu Sans Mono", 0x31, "dejavu/DejaVuSansMono.ttf", "dejavu/DejaVuSansMono-Bold.ttf",
     "dejavu/DejaVuSansMono-Oblique.ttf", "dejavu/DejaVuSansMono-BoldOblique.ttf"},
    {u"DejaVu Serif", 0x12, "dejavu/DejaVuSerif.ttf", "dejavu/DejaVuSerif-Bold.ttf", "dejavu/DejaVuSerif-Italic.ttf",
     "dejavu/DejaVuSerif-BoldItalic.ttf"},
    {u"Times New Roman", 0x12, "liberation/LiberationSerif-Regular.ttf", "liberation/LiberationSerif-Bold.ttf",
     "liberation/LiberationSerif-Italic.ttf", "liberation/LiberationSerif-BoldItalic.ttf"},
};

fs::path IfPresent(const fs::path& dir, const char* relative) {
    std::error_code ec;
    fs::path path = dir / relative;
    return fs::is_regular_file(path, ec) ? path : fs::path();
}

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

}  // namespace

fs::path MachineFonts::DefaultFontDir() { return "/usr/share/fonts/truetype"; }

MachineFonts::MachineFonts(const fs::path& fontDir) {
    for (const FaceFiles& f : kFaces) {
        MachineFace face{f.name, f.pitchAndFamily, IfPresent(fontDir, f.regular), IfPresent(fontDir, f.bold),
                         IfPresent(fontDir, f.italic), IfPresent(fontDir, f.boldItalic)};
        if (!face.regular.empty()) faces_.push_back(std::move(face));
    }
}

const MachineFace* MachineFonts::ByName(std::u16string_view name) const {
    for (const MachineFace& face : faces_)
        if (EqualsNoCase(face.name, name)) return &face;
    return nullptr;
}

const MachineFace* MachineFonts::Match(const plat::LogFontW& font) const {
    if (faces_.empty()) return nullptr;
    if (const MachineFace* named = ByName(font.FaceName())) return named;
    const std::uint8_t family = font.lfPitchAndFamily & 0xF0;
    const char16_t* substitute = u"Arial";
    if ((font.lfPitchAndFamily & 0x03) == plat::kFixedPitch || family == plat::kFamilyModern)
        substitute = u"Courier New";
    else if (family == plat::kFamilyRoman)
        substitute = u"Times New Roman";
    const MachineFace* face = ByName(substitute);
    return face ? face : &faces_.front();
}

FontFileChoice MachineFonts::FileFor(const MachineFace& face, const plat::LogFontW& font) {
    const bool bold = font.lfWeight >= 600;
    const bool italic = font.lfItalic != 0;
    if (bold && italic) {
        if (!face.boldItalic.empty()) return {face.boldItalic, false, false};
        if (!face.bold.empty()) return {face.bold, false, true};
        if (!face.italic.empty()) return {face.italic, true, false};
        return {face.regular, true, true};
    }
    if (bold) return face.bold.empty() ? FontFileChoice{face.regular, true, false} : FontFileChoice{face.bold, false, false};
    if (italic) return face.italic.empty() ? FontFileChoice{face.regular, false, true} : FontFileChoice{face.italic, false, false};
    return {face.regular, false, false};
}

}  // namespace sim
