// The simulated system's texts for Win32 error codes, as FormatMessageA returns them.
#pragma once
#include <cstdint>

namespace sim {

// The English text Windows gives for the code, ending in "\r\n" as system messages do; null
// for a code the simulated system has no text for.
const char* ErrorText(std::uint32_t code);

}  // namespace sim
