// One-line text fields of the machine's state files: escaping that keeps any text on its line.
#pragma once
#include <string>
#include <string_view>

namespace sim {

// The field as it is written into a state file whose records are lines and whose texts are
// mostly Windows paths (so backslashes stay as they are): control characters (line breaks,
// tabs, ...), '%' and a blank at either end become "%XX" with two upper-case hex digits.
std::string EscapeLineField(std::string_view text);
// The text back. "%XX" with two hex digits is that byte; a '%' not followed by two hex digits
// stays as it is, so files written before fields were escaped read as they did.
std::string UnescapeLineField(std::string_view field);

}  // namespace sim
