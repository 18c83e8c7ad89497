// Building an error report's text.
#include "install/ErrorReport.h"

#include <cstdio>

#include "install/SetupApiErrorNames.h"

namespace install {

std::string FormatErrorReport(plat::SystemInfo& system, const char* operation,
                              std::uint32_t code) {
    char message[kReportBufferSize] = {};
    char report[kReportBufferSize] = {};
    // snprintf cuts at the buffer's end, so a long system message or operation name shortens
    // the report instead of overrunning it.
    if (system.FormatMessageA(code, message, sizeof message) > 0) {
        std::snprintf(report, sizeof report, "Error %d in %s: %s\n", static_cast<int>(code),
                      operation, message);
    } else if (const char* name = FindSetupApiErrorName(code)) {
        std::snprintf(report, sizeof report, "Error %8.8lX in %s: %s\n",
                      static_cast<unsigned long>(code), operation, name);
    } else {
        std::snprintf(report, sizeof report, "Error %8.8lX in %s\n",
                      static_cast<unsigned long>(code), operation);
    }
    return report;
}

}  // namespace install
