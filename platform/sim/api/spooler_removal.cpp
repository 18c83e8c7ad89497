// The simulated spooler's enumerations and deletions, as the uninstaller uses them.
#include <cstdio>

#include "platform/sim/api/spooler.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

// Not simulated yet: the call says so on stderr and fails, so nothing mistakes it for success.
bool NotSimulated(plat::LastError& error, const char* call) {
    std::fprintf(stderr, "simulated spooler: %s is not simulated yet\n", call);
    error.SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return false;
}

}  // namespace

bool SimSpooler::EnumPrintersA(std::uint32_t, std::uint32_t, std::uint8_t*, std::uint32_t,
                               std::uint32_t& needed, std::uint32_t& returned) {
    needed = returned = 0;
    return NotSimulated(error_, "EnumPrintersA");
}

bool SimSpooler::EnumMonitorsA(std::uint32_t, std::uint8_t*, std::uint32_t, std::uint32_t& needed,
                               std::uint32_t& returned) {
    needed = returned = 0;
    return NotSimulated(error_, "EnumMonitorsA");
}

bool SimSpooler::EnumPrintProcessorsA(const char*, std::uint32_t, std::uint8_t*, std::uint32_t,
                                      std::uint32_t& needed, std::uint32_t& returned) {
    needed = returned = 0;
    return NotSimulated(error_, "EnumPrintProcessorsA");
}

bool SimSpooler::DeletePrinter(plat::PrinterHandle) { return NotSimulated(error_, "DeletePrinter"); }

bool SimSpooler::DeleteMonitorA(const char*, const char*) {
    return NotSimulated(error_, "DeleteMonitorA");
}

bool SimSpooler::DeletePrintProcessorA(const char*, const char*) {
    return NotSimulated(error_, "DeletePrintProcessorA");
}

bool SimSpooler::DeletePrinterDriverA(const char*, const char*, const char*) {
    return NotSimulated(error_, "DeletePrinterDriverA");
}

bool SimSpooler::DeletePrinterDriverExA(const char*, const char*, const char*, std::uint32_t,
                                        std::uint32_t) {
    return NotSimulated(error_, "DeletePrinterDriverExA");
}

}  // namespace sim
