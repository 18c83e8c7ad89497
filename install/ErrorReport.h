// The text of an error report: the system's message for the code, else the SetupAPI name of
// the code, else the code alone.
#pragma once
#include <cstdint>
#include <string>

#include "platform/system_info.h"

namespace install {

// Report texts are built in a 512-byte buffer: at most 511 characters reach the user.
constexpr std::size_t kReportBufferSize = 512;

//   "Error %d in %s: %s\n"    the code in decimal and the system's message for it;
//   "Error %8.8lX in %s: %s\n" the code in hex and its SetupAPI name;
//   "Error %8.8lX in %s\n"    a code neither knows.
std::string FormatErrorReport(plat::SystemInfo& system, const char* operation,
                              std::uint32_t code);

}  // namespace install
