// The checks uninstall makes when it starts: one running copy, and no setup beside it.
#pragma once
#include <memory>

#include "platform/platform.h"

namespace uninstall {

enum class StartOutcome {
    Proceed,         // show the main window
    AlreadyRunning,  // another uninstall runs; its window was brought forward
    SetupRunning,    // the installation wizard is open: refused with the text Uninstall/Close
};

struct StartResult {
    StartOutcome outcome = StartOutcome::Proceed;
    // The single-instance mutex, held for as long as the program runs.
    std::unique_ptr<plat::Handle> instanceMutex;
};

// The mutex's name: fixed and the uninstaller's own.
inline constexpr const char* kInstanceMutexName = "uninstall";

StartResult RunUninstallStart(plat::Platform& platform);

}  // namespace uninstall
