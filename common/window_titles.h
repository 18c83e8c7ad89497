// Top-level window titles by which setup and uninstall find each other, in the system code page.
// Each program has an English and a Chinese title (the Chinese in GB2312 bytes), depending on
// its language file.
#pragma once

namespace common {

inline constexpr const char* kSetupTitle = "Printer Driver Setup";
// "打印机驱动安装程序"
inline constexpr const char* kSetupTitleChinese =
    "\xB4\xF2\xD3\xA1\xBB\xFA\xC7\xFD\xB6\xAF\xB0\xB2\xD7\xB0\xB3\xCC\xD0\xF2";
inline constexpr const char* kUninstallTitle = "Uninstall";
// "打印机卸载程序"
inline constexpr const char* kUninstallTitleChinese =
    "\xB4\xF2\xD3\xA1\xBB\xFA\xD0\xB6\xD4\xD8\xB3\xCC\xD0\xF2";

}  // namespace common
