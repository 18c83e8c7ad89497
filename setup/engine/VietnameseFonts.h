// Copies the package's Vietnamese fonts (the "TCVN3 Font" and "VNI Font" folders) into the
// Windows font directory when the person asks for them on the OS page.
#pragma once
#include "platform/platform.h"

namespace setup {

inline constexpr const char* kTcvn3FontFolder = "TCVN3 Font";
inline constexpr const char* kVniFontFolder = "VNI Font";

// Every entry of "<current directory>\TCVN3 Font\", then of "\VNI Font\", is copied into
// "<Windows directory>\Fonts\" under its own name; a font already there is kept, and failed
// copies are ignored. The fonts are only copied, not registered. False when a directory could
// not be read or a folder not listed; a missing TCVN3 folder leaves the VNI folder unvisited.
bool InstallVietnameseFonts(plat::Platform& platform);

}  // namespace setup
