// How the host writes the values it reports: result codes, mode names and texts.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace driverui {

// "S_OK", "E_FAIL", ... for the codes the plug-in returns, else "0x80070057".
std::string HresultText(std::int32_t hr);
// "0x51454C4D": eight upper-case hex digits.
std::string Hex32(std::uint32_t value);
// A UTF-16 text for a report line: ASCII as it is, every other character as "?", so a line never
// carries bytes the transcript's code page would read otherwise.
std::string Narrow(std::u16string_view text);
// The other way, for names the host was given: bytes below 0x80 as they are, others as U+00xx
// (the Latin-1 reading; printer names are ASCII in practice).
std::u16string Widen(std::string_view text);

}  // namespace driverui
