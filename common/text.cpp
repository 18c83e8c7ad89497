// Text helpers: fixed-size buffers, letter case and trimming.
#include "common/text.h"

#include <cstring>

namespace common {

void CopyCut(char* out, std::size_t capacity, std::string_view text) {
    if (capacity == 0) return;
    std::size_t n = text.size() < capacity - 1 ? text.size() : capacity - 1;
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

std::string FromBuffer(const char* buffer, std::size_t capacity) {
    const void* end = std::memchr(buffer, '\0', capacity);
    return std::string(buffer, end ? static_cast<const char*>(end) - buffer : capacity);
}

char ToUpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

char ToLowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string ToUpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = ToUpperAscii(c);
    return out;
}

std::string ToLowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = ToLowerAscii(c);
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ToLowerAscii(a[i]) != ToLowerAscii(b[i])) return false;
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string_view Trim(std::string_view text, std::string_view characters) {
    const std::size_t begin = text.find_first_not_of(characters);
    if (begin == std::string_view::npos) return {};
    const std::size_t end = text.find_last_not_of(characters);
    return text.substr(begin, end - begin + 1);
}

bool ParseDecimal(std::string_view text, std::uint64_t max, std::uint64_t& out) {
    if (text.empty()) return false;
    std::uint64_t n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        const auto digit = static_cast<unsigned>(c - '0');
        // Stops before n * 10 + digit can pass max (and so before it can overflow).
        if (digit > max || n > (max - digit) / 10) return false;
        n = n * 10 + digit;
    }
    out = n;
    return true;
}

bool ParseSignedDecimal(std::string_view text, std::int64_t min, std::int64_t max, std::int64_t& out) {
    if (min > max) return false;
    const bool negative = !text.empty() && text[0] == '-';
    std::uint64_t magnitude = 0;
    // The largest magnitude the range allows on that side; 0 when the side is empty.
    const std::uint64_t limit = negative ? (min < 0 ? 0 - static_cast<std::uint64_t>(min) : 0)
                                         : (max > 0 ? static_cast<std::uint64_t>(max) : 0);
    if (!ParseDecimal(negative ? text.substr(1) : text, limit, magnitude)) return false;
    const std::int64_t value = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    if (value < min || value > max) return false;
    out = value;
    return true;
}

}  // namespace common
