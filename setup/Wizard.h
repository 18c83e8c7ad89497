// The wizard as the program runs it: the frame with its pages, shown modally until it closes.
#pragma once
#include "platform/platform.h"

namespace setup {

// Reads the agreement and font switches, runs the frame (template 102) and returns the
// program's exit code: 0 when the wizard was cancelled or refused to continue; when Install ran,
// 0 for a successful installation and 1 for a failed one; 2 when the frame could not be shown.
int RunWizard(plat::Platform& platform, bool is64Bit);

}  // namespace setup
