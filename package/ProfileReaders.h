// The package configuration's reading conventions: every key is text with the default "0", and a
// number is the decimal value at the start of that text. Also the two small readers of the wizard.
#pragma once
#include <cstdint>

#include "platform/platform.h"

namespace pkg {

// The decimal number at the start of a text as the C library's atol reads it: optional leading
// blanks, an optional sign, then digits; anything else gives 0. A value beyond the 32-bit range
// is held at the nearest limit instead of overflowing.
std::int32_t ParseLeadingNumber(const char* text);

// Reads a key as text into a buffer of `size` bytes, cut to fit, with the default "0" for a
// missing file, section or key. An empty file path stands for no file and gives the default.
void ReadConfigText(plat::Profile& profile, const char* file, const char* section,
                    const char* key, char* out, std::uint32_t size);

// Reads a key as text into a buffer of `size` bytes and returns its leading number.
std::int32_t ReadConfigNumber(plat::Profile& profile, const char* file, const char* section,
                              const char* key, std::uint32_t size);

// A key of section DEVICENAME of "DRVCONFIG\setup.ini" relative to the current directory, as a
// number (default "0").
int ReadSwitch(plat::Platform& platform, const char* key);

// A key of a file as a number: the path used unchanged, default "0", read into 200 characters.
int ReadProfileInt(plat::Platform& platform, const char* file, const char* section,
                   const char* key);

}  // namespace pkg
