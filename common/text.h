// Text helpers: the programs' fixed-size character buffers, letter case and trimming.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace common {

// Copies text into a buffer of `capacity` bytes the way the programs' fixed buffers behave:
// at most capacity - 1 characters, always terminated, the rest silently cut. Nothing is
// written when capacity is 0.
void CopyCut(char* out, std::size_t capacity, std::string_view text);

// The text of a zero-terminated buffer that may lack its terminator: at most `capacity` bytes.
std::string FromBuffer(const char* buffer, std::size_t capacity);

// ASCII letter-case-insensitive comparisons, as Windows compares INI, file and registry names.
// Bytes outside ASCII compare as they are.
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// ASCII letters in upper or lower case; every other byte unchanged.
char ToUpperAscii(char c);
char ToLowerAscii(char c);
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);

// The text without any of `characters` at either end: by default blanks, tabs and line ends.
// The result views the same characters as `text`.
std::string_view Trim(std::string_view text, std::string_view characters = " \t\r\n");

// A whole text of decimal digits (no sign, no blanks, not empty) whose value is at most `max`;
// false for anything else, leaving `out` as it was. Leading zeros are allowed.
bool ParseDecimal(std::string_view text, std::uint64_t max, std::uint64_t& out);

// The same with an optional leading '-': a whole text of digits whose value lies from `min` to
// `max`; false for anything else (a number too large for the range never wraps into it),
// leaving `out` as it was.
bool ParseSignedDecimal(std::string_view text, std::int64_t min, std::int64_t max, std::int64_t& out);

}  // namespace common
