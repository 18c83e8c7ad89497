// The layout of dialog templates: a header, the menu, class and title fields, the font when
// DS_SETFONT is set, then the items, each aligned to four bytes.
#include "tools/windriver/dialog_template.h"

namespace windriver {

namespace {

constexpr std::uint32_t kSetFont = 0x40;  // DS_SETFONT (DS_SHELLFONT includes it)

// A little-endian reader that refuses to go past the end.
class Reader {
public:
    Reader(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    bool Skip(std::size_t n) {
        if (size_ - pos_ < n) return fail();
        pos_ += n;
        return true;
    }
    bool Word(std::uint16_t& value) {
        if (size_ - pos_ < 2) return fail();
        value = static_cast<std::uint16_t>(bytes_[pos_] | bytes_[pos_ + 1] << 8);
        pos_ += 2;
        return true;
    }
    bool Dword(std::uint32_t& value) {
        std::uint16_t low = 0, high = 0;
        if (!Word(low) || !Word(high)) return false;
        value = low | static_cast<std::uint32_t>(high) << 16;
        return true;
    }
    // A zero-terminated UTF-16 string.
    bool String() {
        std::uint16_t c = 1;
        while (c != 0)
            if (!Word(c)) return false;
        return true;
    }
    // The menu, class and title fields: 0, 0xFFFF and an ordinal, or a string.
    bool StringOrOrdinal() {
        std::uint16_t first = 0;
        if (!Word(first)) return false;
        if (first == 0) return true;
        if (first == 0xFFFF) return Skip(2);
        return String();
    }
    bool AlignToDword() { return Skip((4 - pos_ % 4) % 4); }

private:
    bool fail() {
        pos_ = size_;
        return false;
    }
    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace

bool ReadDialogTemplate(const std::uint8_t* bytes, std::size_t size, DialogTemplateInfo& out) {
    out = {};
    Reader r(bytes, size);
    std::uint16_t version = 0, signature = 0, count = 0;
    std::uint32_t exStyle = 0, helpId = 0;
    if (!r.Word(version) || !r.Word(signature)) return false;
    bool extended = version == 1 && signature == 0xFFFF;
    if (extended) {
        if (!r.Dword(helpId) || !r.Dword(exStyle) || !r.Dword(out.style)) return false;
    } else {
        // DLGTEMPLATE starts with the style; its first two words were read above.
        out.style = version | static_cast<std::uint32_t>(signature) << 16;
        if (!r.Dword(exStyle)) return false;
    }
    if (!r.Word(count) || !r.Skip(8) || !r.StringOrOrdinal() || !r.StringOrOrdinal() || !r.StringOrOrdinal())
        return false;
    if (out.style & kSetFont) {
        // Point size, then (extended only) weight, italic and character set, then the face.
        if (!r.Skip(extended ? 6 : 2) || !r.String()) return false;
    }
    for (std::uint16_t i = 0; i < count; ++i) {
        std::uint32_t itemStyle = 0, itemExStyle = 0, itemHelp = 0, id32 = 0;
        std::uint16_t id16 = 0, extra = 0;
        if (!r.AlignToDword()) return false;
        if (extended) {
            if (!r.Dword(itemHelp) || !r.Dword(itemExStyle) || !r.Dword(itemStyle) || !r.Skip(8) || !r.Dword(id32))
                return false;
            out.controlIds.push_back(static_cast<int>(id32));
        } else {
            if (!r.Dword(itemStyle) || !r.Dword(itemExStyle) || !r.Skip(8) || !r.Word(id16)) return false;
            out.controlIds.push_back(static_cast<std::int16_t>(id16));
        }
        if (!r.StringOrOrdinal() || !r.StringOrOrdinal() || !r.Word(extra) || !r.Skip(extra)) return false;
    }
    return true;
}

}  // namespace windriver
