// Building an error report's text.
#include "install/ErrorReport.h"

#include <cstdio>

#include "install/SetupApiErrorNames.h"

namespace install {

namespace {

std::string Hex8(std::uint32_t code) {
    char digits[16] = {};
    std::snprintf(digits, sizeof digits, "%8.8lX", static_cast<unsigned long>(code));
    return digits;
}

}  // namespace

std::string FormatErrorReport(plat::SystemInfo& system, const char* operation,
                              std::uint32_t code) {
    char message[kReportBufferSize] = {};
    std::string report;
    if (system.FormatMessageA(code, message, sizeof message) > 0) {
        report = "Error " + std::to_string(static_cast<std::int32_t>(code)) + " in " + operation +
                 ": " + message + "\n";
    } else if (const char* name = FindSetupApiErrorName(code)) {
        report = "Error " + Hex8(code) + " in " + operation + ": " + name + "\n";
    } else {
        report = "Error " + Hex8(code) + " in " + operation + "\n";
    }
    // The report buffer holds 511 characters and its zero: a longer text is cut, never overrun.
    if (report.size() > kReportBufferSize - 1) report.resize(kReportBufferSize - 1);
    return report;
}

}  // namespace install
