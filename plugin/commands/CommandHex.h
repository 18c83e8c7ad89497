// The hex text form of raw printer commands: "1D 56 42 00 " and back.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plugin {

// Each byte as two upper-case hex digits and one space: {0x1B, 0x40} gives "1B 40 ". No bytes
// give an empty text.
std::u16string FormatCommandHex(std::span<const std::uint8_t> bytes);

// The bytes of a hex text, read leniently as users type it. Spaces separate bytes and are
// otherwise skipped. A byte is two characters, or one when it is the text's last character or a
// space follows it (that space is taken with it). '0'-'9', 'A'-'F' and 'a'-'f' have their hex
// values; any other character counts as 0. So "ABC" gives AB 0C, "1 D" gives 01 0D, and "" none.
// The result may be longer than a stored command can hold; see StoreCommandHex.
std::vector<std::uint8_t> ParseCommandHex(std::u16string_view text);
std::vector<std::uint8_t> ParseCommandHex(std::string_view text);

// Parses `text` into a stored command field: on success the bytes, the rest of the field zeros,
// and `length` their count. Returns false, leaving field and length untouched, when the text
// holds more bytes than the field (the dialogs then show "Command length error").
bool StoreCommandHex(std::u16string_view text, std::span<std::uint8_t> field,
                     std::uint8_t& length);

}  // namespace plugin
