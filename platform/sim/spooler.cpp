// PLACEHOLDER until the simulated spooler is written: every call fails loudly.
#include "platform/sim/spooler.h"

#include <cstdio>
#include <cstdlib>

namespace sim {

namespace {
[[noreturn]] void Missing(const char* function) {
    std::fprintf(stderr, "simulated spooler: %s is not built yet\n", function);
    std::abort();
}
}  // namespace

SimSpooler::SimSpooler(const Machine& machine, const ProcessContext& process, plat::LastError& error)
    : machine_(machine), process_(process), error_(error) {}

bool SimSpooler::OpenPrinterW(const std::u16string&, plat::PrinterHandle&) { Missing(__func__); }
bool SimSpooler::ClosePrinter(plat::PrinterHandle) { Missing(__func__); }
std::uint32_t SimSpooler::StartDocPrinterW(plat::PrinterHandle, const plat::DocInfo1&) {
    Missing(__func__);
}
bool SimSpooler::StartPagePrinter(plat::PrinterHandle) { Missing(__func__); }
bool SimSpooler::WritePrinter(plat::PrinterHandle, const void*, std::uint32_t, std::uint32_t&) {
    Missing(__func__);
}
bool SimSpooler::EndPagePrinter(plat::PrinterHandle) { Missing(__func__); }
bool SimSpooler::EndDocPrinter(plat::PrinterHandle) { Missing(__func__); }

}  // namespace sim
