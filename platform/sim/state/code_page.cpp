// Conversion of the programs' 8-bit code-page text to UTF-8.
#include "platform/sim/state/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <string>

namespace sim {

namespace {

// Windows-1252 bytes 0x80..0x9F; the rest of the upper half is ISO 8859-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t kReplacement = 0xFFFD;

std::string FromCp1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b < 0xA0)
            AppendUtf8(out, kCp1252High[b - 0x80]);
        else
            AppendUtf8(out, b);
    }
    return out;
}

// Everything above ASCII becomes U+FFFD: the fallback when iconv does not know the code page.
std::string AsciiOnly(std::string_view bytes) {
    std::string out;
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        AppendUtf8(out, b < 0x80 ? static_cast<char32_t>(b) : kReplacement);
    }
    return out;
}

std::string ThroughIconv(std::string_view bytes, const std::string& charset) {
    iconv_t cd = iconv_open("UTF-8", charset.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return AsciiOnly(bytes);
    std::string out;
    std::string input(bytes);
    char* in = input.data();
    size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (r != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // An invalid or truncated sequence: mark the offending byte and go on after it.
        AppendUtf8(out, kReplacement);
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

// One character in code page 1252, or '?' when the code page lacks it.
char ToCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (unsigned i = 0; i < 32; ++i)
        if (kCp1252High[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

// One character through an open iconv descriptor (from UTF-32LE), or '?' when the code page
// lacks it.
std::string ThroughIconvOne(iconv_t cd, char32_t c) {
    if (cd == reinterpret_cast<iconv_t>(-1)) return "?";
    char in[4] = {static_cast<char>(c & 0xFF), static_cast<char>((c >> 8) & 0xFF),
                  static_cast<char>((c >> 16) & 0xFF), static_cast<char>(c >> 24)};
    char converted[8];
    char* inPtr = in;
    char* outPtr = converted;
    std::size_t inLeft = sizeof in, outLeft = sizeof converted;
    const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // no state carried to the next character
    return ok ? std::string(converted, outPtr) : "?";
}

// The code point at text[i], a surrogate pair taken whole (i then stands on its second
// half); a surrogate without its partner is kLoneSurrogate.
constexpr char32_t kLoneSurrogate = 0xFFFFFFFF;
char32_t NextCodePoint(std::u16string_view text, std::size_t& i) {
    const char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
        ++i;
        return 0x10000 + ((c - 0xD800) << 10) + (text[i] - 0xDC00);
    }
    return c >= 0xD800 && c <= 0xDFFF ? kLoneSurrogate : c;
}

}  // namespace

std::string Utf16ToCodePage(std::u16string_view text, std::uint32_t codePage) {
    iconv_t cd = reinterpret_cast<iconv_t>(-1);
    if (codePage != 1252) cd = iconv_open(("CP" + std::to_string(codePage)).c_str(), "UTF-32LE");
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = NextCodePoint(text, i);
        if (c == kLoneSurrogate) {
            out += '?';
            continue;
        }
        if (c < 0x80)
            out += static_cast<char>(c);
        else if (codePage == 1252)
            out += ToCp1252(c);
        else
            out += ThroughIconvOne(cd, c);
    }
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    return out;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string CodePageToUtf8(std::string_view bytes, std::uint32_t codePage) {
    bool ascii = true;
    for (char ch : bytes) ascii = ascii && static_cast<unsigned char>(ch) < 0x80;
    if (ascii) return std::string(bytes);
    switch (codePage) {
        case 1252: return FromCp1252(bytes);
        case 65001: return ThroughIconv(bytes, "UTF-8");
        case 936: return ThroughIconv(bytes, "CP936");
        default: return ThroughIconv(bytes, "CP" + std::to_string(codePage));
    }
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = NextCodePoint(text, i);
        AppendUtf8(out, c == kLoneSurrogate ? 0xFFFD : c);
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                                                   : (lead >> 3) == 0x1E ? 4 : 0;
        char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F
                                                                                 : lead & 0x07;
        bool valid = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are no characters either.
        static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (valid && (c < kLeast[length] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF))
            valid = false;
        if (!valid) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
        i += length;
    }
    return out;
}

}  // namespace sim
