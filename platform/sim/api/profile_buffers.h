// How the profile functions fill the caller's buffer: values, defaults, name lists and numbers.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sim::ini {

// A value enclosed in one matching pair of quotes ("..." or '...') without them; anything
// else as it is.
std::string_view StripQuotes(std::string_view value);

// Copies text into out: at most size - 1 characters (up to an embedded zero), always
// terminated. Returns the number of characters copied; 0 and nothing written when out is
// null or size is 0.
std::uint32_t CopyText(std::string_view text, char* out, std::uint32_t size);
// A value as read from the file: quotes stripped, then copied.
std::uint32_t CopyValue(std::string_view value, char* out, std::uint32_t size);
// The caller's default: trailing blanks dropped, null taken as the empty text.
std::uint32_t CopyDefault(const char* defaultValue, char* out, std::uint32_t size);

// Names, each terminated, the list ended by an extra zero; returns the count without the
// final zero. When the list does not fit, the last name that starts is cut, the buffer ends in
// two zeros and the return value is size - 2. Empty names are left out.
std::uint32_t CopyNameList(const std::vector<std::string>& names, char* out, std::uint32_t size);

// The number GetPrivateProfileIntA makes of a value: blanks skipped, an optional sign, "0x",
// "0o" or "0b" selecting the base, digits up to the first other character, wrapping modulo
// 2^32; a negative number is the two's complement. No digits give 0.
std::uint32_t ParseProfileInt(std::string_view text);

}  // namespace sim::ini
