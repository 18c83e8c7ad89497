// The checks setup makes when it starts, before the wizard is shown: one running copy, no
// uninstaller beside it, a supported Windows, the package's word size, and a port to offer.
#pragma once
#include <memory>

#include "platform/platform.h"

namespace setup {

enum class StartOutcome {
    Proceed,             // every check passed: show the wizard
    AlreadyRunning,      // another setup runs; its window was brought forward
    UninstallerRunning,  // the uninstaller's window is open
    UnsupportedWindows,  // Windows 98/Me or NT 4.0
    PackageIs32BitOnly,  // the package serves 32-bit Windows only and this is 64-bit Windows
    PackageIs64BitOnly,  // the package serves 64-bit Windows only and this is 32-bit Windows
    NoPort,              // the last listed model supports no USB, parallel or serial port
};

struct StartResult {
    StartOutcome outcome = StartOutcome::Proceed;
    // The program runs under WOW64 on 64-bit Windows: the "_64" series files and the 64-bit
    // driver directories apply for the whole run.
    bool is64Bit = false;
    // The single-instance mutex, held for as long as the program runs.
    std::unique_ptr<plat::Handle> instanceMutex;
};

// Runs the start-up checks in order; every refusal has shown its message when this returns.
StartResult RunProgramStart(plat::Platform& platform);

}  // namespace setup
