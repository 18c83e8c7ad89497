// FormatCommandHex and ParseCommandHex.
#include "plugin/commands/CommandHex.h"

#include <algorithm>

namespace plugin {

namespace {

unsigned HexValue(char32_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

template <typename Char>
std::vector<std::uint8_t> Parse(std::basic_string_view<Char> text) {
    std::vector<std::uint8_t> bytes;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (text[i] == Char(' ')) continue;
        const unsigned high = HexValue(static_cast<char32_t>(text[i]));
        if (i + 1 == n || text[i + 1] == Char(' ')) {
            bytes.push_back(static_cast<std::uint8_t>(high));
            ++i;  // the space that ends a one-digit byte goes with it
        } else {
            const unsigned low = HexValue(static_cast<char32_t>(text[++i]));
            bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
        }
    }
    return bytes;
}

}  // namespace

std::u16string FormatCommandHex(std::span<const std::uint8_t> bytes) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string text;
    text.reserve(bytes.size() * 3);
    for (std::uint8_t b : bytes) {
        text.push_back(kDigits[b >> 4]);
        text.push_back(kDigits[b & 0x0F]);
        text.push_back(u' ');
    }
    return text;
}

std::vector<std::uint8_t> ParseCommandHex(std::u16string_view text) { return Parse(text); }
std::vector<std::uint8_t> ParseCommandHex(std::string_view text) { return Parse(text); }

bool StoreCommandHex(std::u16string_view text, std::span<std::uint8_t> field,
                     std::uint8_t& length) {
    const std::vector<std::uint8_t> bytes = ParseCommandHex(text);
    if (bytes.size() > field.size() || bytes.size() > 0xFF) return false;
    std::fill(std::copy(bytes.begin(), bytes.end(), field.begin()), field.end(), 0);
    length = static_cast<std::uint8_t>(bytes.size());
    return true;
}

}  // namespace plugin
