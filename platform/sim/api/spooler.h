// The spooler's client side on the simulated machine: what a program's winspool does, over the
// machine's print provider.
#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "platform/last_error.h"
#include "platform/printer_setup.h"
#include "platform/raw_printing.h"
#include "platform/sim/state/machine.h"
#include "platform/sim/state/print_provider.h"
#include "platform/sim/state/process_context.h"

namespace sim {

// Printer handles belong to the process (this object); printers and jobs are the print
// provider's (print_provider.h), shared by every process on the machine. An injected fault
// for a call (call_faults.h) is tried before anything else.
class SimSpooler : public plat::RawPrinting, public plat::PrinterSetup {
public:
    SimSpooler(const Machine& machine, const ProcessContext& process, plat::LastError& error);

    // ERROR_INVALID_PRINTER_NAME when no printer has that name (letter case aside).
    bool OpenPrinterW(const std::u16string& name, plat::PrinterHandle& out) override;
    // A job still open stays recorded as not completed.
    bool ClosePrinter(plat::PrinterHandle printer) override;
    // Records a new job; ERROR_INVALID_PRINTER_STATE while a job is open on the handle.
    // Printing to a file (an output file name) is not simulated and fails with
    // ERROR_NOT_SUPPORTED and a message.
    std::uint32_t StartDocPrinterW(plat::PrinterHandle printer,
                                   const plat::DocInfo1& document) override;
    // The page and write calls give ERROR_SPL_NO_STARTDOC without an open job.
    bool StartPagePrinter(plat::PrinterHandle printer) override;
    bool WritePrinter(plat::PrinterHandle printer, const void* data, std::uint32_t size,
                      std::uint32_t& written) override;
    bool EndPagePrinter(plat::PrinterHandle printer) override;
    bool EndDocPrinter(plat::PrinterHandle printer) override;

    // Printer setup, not built yet: every call fails.
    bool GetPrinterDriverDirectoryA(const char*, std::uint32_t, char*, std::uint32_t,
                                    std::uint32_t&) override { return false; }
    bool GetPrintProcessorDirectoryA(const char*, std::uint32_t, char*, std::uint32_t,
                                     std::uint32_t&) override { return false; }
    bool AddPrinterDriverA(std::uint32_t, const plat::DRIVER_INFO_3A&) override { return false; }
    bool AddMonitorA(std::uint32_t, const plat::MONITOR_INFO_2A&) override { return false; }
    bool AddPrintProcessorA(const char*, const char*, const char*) override { return false; }
    bool AddPrinterA(std::uint32_t, const plat::PRINTER_INFO_2A&, plat::PrinterHandle&) override {
        return false;
    }
    bool OpenPrinterA(const char*, plat::PrinterHandle&) override { return false; }
    bool GetPrinterA(plat::PrinterHandle, std::uint32_t, std::uint8_t*, std::uint32_t,
                     std::uint32_t&) override { return false; }
    bool SetPrinterA(plat::PrinterHandle, std::uint32_t, const void*, std::uint32_t) override {
        return false;
    }
    bool SetDefaultPrinterA(const char*) override { return false; }
    bool EnumPortsA(std::uint32_t, std::uint8_t*, std::uint32_t, std::uint32_t&,
                    std::uint32_t&) override { return false; }

private:
    struct OpenPrinter {
        SimPrinter printer;
        bool inJob = false;
        SimJob job;
    };

    bool Fail(std::uint32_t code);
    // The handle's state, or null with ERROR_INVALID_HANDLE.
    OpenPrinter* Find(plat::PrinterHandle printer);
    // The handle's open job, or null with ERROR_INVALID_HANDLE / ERROR_SPL_NO_STARTDOC.
    OpenPrinter* FindInJob(plat::PrinterHandle printer);
    // True when an injected fault fails this call on that printer (the last error is then set).
    bool Faulted(const char* call, const std::string& printer);
    // The name of the handle's printer; empty for a handle that is not open.
    std::string PrinterOf(plat::PrinterHandle printer) const;

    const Machine& machine_;
    const ProcessContext& process_;
    plat::LastError& error_;
    PrintProvider provider_;
    std::map<plat::PrinterHandle, OpenPrinter> handles_;
    plat::PrinterHandle nextHandle_ = 0x1000;
};

}  // namespace sim
