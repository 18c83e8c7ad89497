// Text helpers for the programs' fixed-size character buffers.
#include "common/text.h"

#include <cctype>
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

static char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace common
