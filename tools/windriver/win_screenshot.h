// A picture of a window as it is on the screen, saved as a 24-bit BMP file.
#pragma once
#include <windows.h>

#include <string>

namespace windriver {

// Copies the window's rectangle from the screen once it has painted. False when there is no
// screen to copy from or the file cannot be written.
bool SaveWindowBitmap(HWND window, const std::string& path);

}  // namespace windriver
