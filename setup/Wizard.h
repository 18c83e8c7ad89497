// The wizard as the program runs it: the frame with its pages, shown modally until it closes.
#pragma once
#include "platform/platform.h"
#include "setup/InstallEngine.h"

namespace setup {

// Reads the agreement and font switches, runs the frame (template 102) and returns the
// program's exit code: 0 when the wizard was cancelled or refused to continue, the engine's
// code when Install ran, 2 when the frame could not be shown.
int RunWizard(plat::Platform& platform, bool is64Bit, InstallEngine& engine);

}  // namespace setup
