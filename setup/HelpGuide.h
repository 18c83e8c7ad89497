// F1 help: bring the open help document forward, or open it with the shell.
#pragma once
#include "platform/platform.h"

namespace setup {

// The help document's name is cut to this many characters (the path ".\" + name fits 100).
inline constexpr std::size_t kHelpNameLimit = 97;

// Looks for the window titled Help Guide/Caption: when one is open it is brought to the top and
// restored; otherwise ".\" + Help Guide/Name is opened with the shell's "open" verb.
void OpenHelpGuide(plat::Platform& platform, plat::WindowRef owner);

}  // namespace setup
