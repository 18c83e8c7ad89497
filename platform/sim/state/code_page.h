// Conversion of the programs' code-page and UTF-16 text to UTF-8, for the transcript and records.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace sim {

// The UTF-8 form of text in an 8-bit Windows code page. 1252 is converted by our own table
// (the five bytes Windows leaves undefined map to the C1 controls of the same value, as
// MultiByteToWideChar maps them); 936 and other code pages go through iconv. A byte sequence
// that is not valid in the code page becomes U+FFFD, one per offending byte, so no input is
// ever lost silently or read past its end.
std::string CodePageToUtf8(std::string_view bytes, std::uint32_t codePage);

// UTF-16 text in an 8-bit Windows code page, as WideCharToMultiByte makes it without flags:
// a character the code page lacks (and a lone surrogate) becomes '?'. 1252 goes through the
// same table as CodePageToUtf8, so the two are inverse; other code pages go through iconv.
std::string Utf16ToCodePage(std::u16string_view text, std::uint32_t codePage);

// The UTF-8 form of UTF-16 text; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// The UTF-16 form of UTF-8 text; a byte that starts no valid sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

// Appends one Unicode code point in UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace sim
