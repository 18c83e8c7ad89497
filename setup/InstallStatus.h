// The status word the installation worker sets once, last, and the progress dialog polls.
#pragma once
#include <atomic>

namespace setup {

enum InstallStatusValue : int {
    kInstallRunning = 0,
    kInstallFailed = 1,
    kInstallSucceeded = 2,
};

// Written by the worker only, read by the user-interface thread; the worker completes the result
// text before it stores the status, and the atomic store publishes that text with it.
using InstallStatus = std::atomic<int>;

}  // namespace setup
