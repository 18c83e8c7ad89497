// How the profile functions fill the caller's buffer: values, defaults, name lists and numbers.
#include "platform/sim/api/profile_buffers.h"

#include <cstring>

namespace sim::ini {

std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::uint32_t CopyText(std::string_view text, char* out, std::uint32_t size) {
    if (!out || size == 0) return 0;
    std::size_t zero = text.find('\0');
    if (zero != std::string_view::npos) text = text.substr(0, zero);
    std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return static_cast<std::uint32_t>(n);
}

std::uint32_t CopyValue(std::string_view value, char* out, std::uint32_t size) {
    return CopyText(StripQuotes(value), out, size);
}

std::uint32_t CopyDefault(const char* defaultValue, char* out, std::uint32_t size) {
    std::string_view d = defaultValue ? defaultValue : "";
    while (!d.empty() && d.back() == ' ') d.remove_suffix(1);
    return CopyText(d, out, size);
}

std::uint32_t CopyNameList(const std::vector<std::string>& names, char* out, std::uint32_t size) {
    if (!out || size == 0) return 0;
    if (size == 1) {
        out[0] = '\0';
        return 0;
    }
    // room counts what is left for names and their terminators; the list's final zero always
    // has its place after it.
    std::uint32_t room = size - 1;
    std::uint32_t pos = 0;
    for (const std::string& full : names) {
        std::string_view name = full;
        std::size_t zero = name.find('\0');
        if (zero != std::string_view::npos) name = name.substr(0, zero);
        if (name.empty()) continue;
        std::size_t needed = name.size() + 1;
        if (needed >= room) {
            std::memcpy(out + pos, name.data(), room - 1);
            pos += room - 1;
            out[pos++] = '\0';
            out[pos] = '\0';
            return size - 2;
        }
        std::memcpy(out + pos, name.data(), name.size());
        pos += static_cast<std::uint32_t>(name.size());
        out[pos++] = '\0';
        room -= static_cast<std::uint32_t>(needed);
    }
    out[pos] = '\0';
    return pos;
}

std::uint32_t ParseProfileInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::uint32_t base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        switch (text[i + 1]) {
            case 'x': base = 16; i += 2; break;
            case 'o': base = 8; i += 2; break;
            case 'b': base = 2; i += 2; break;
            default: break;
        }
    }
    std::uint32_t total = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        std::uint32_t digit;
        if (c >= '0' && c <= '9') digit = static_cast<std::uint32_t>(c - '0');
        else if (c >= 'a' && c <= 'z') digit = static_cast<std::uint32_t>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'Z') digit = static_cast<std::uint32_t>(c - 'A' + 10);
        else break;
        if (digit >= base) break;
        total = total * base + digit;  // unsigned arithmetic wraps modulo 2^32
    }
    return negative ? 0u - total : total;
}

}  // namespace sim::ini
