// The constants that <windows.h> and <commctrl.h> give a resource script: style bits, button
// ids, version-resource flags and the common controls' class names.
#pragma once
#include <optional>
#include <string>

namespace sim {

// The value of a system constant (WS_VISIBLE, BS_AUTORADIOBUTTON, IDOK, ...), if it is one.
std::optional<long> SystemRcConstant(const std::string& name);
// The window class a system name stands for (WC_LISTVIEW, PROGRESS_CLASS, ...), or the
// class keywords of CONTROL (BUTTON, EDIT, ...), if it is one.
std::optional<std::string> SystemRcClassName(const std::string& name);

}  // namespace sim
