// What an operation works with: the platform, its window as parent of the device-installation
// calls, the program's own directory, and the log it writes to.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace install {

// The window's log box and error reports.
class InstallLog {
public:
    virtual ~InstallLog() = default;
    // Adds the text at the end of the log.
    virtual void Append(std::string_view text) = 0;
    // Shows the report of a failed step (ErrorReport.h) in a message box.
    virtual void ReportError(const char* operation, std::uint32_t code) = 0;
};

struct OperationContext {
    plat::Platform& platform;
    plat::WindowRef parent;
    std::string sourceDirectory;  // without a trailing backslash
    InstallLog& log;
};

}  // namespace install
