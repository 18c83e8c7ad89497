// The spooler's client side on the simulated machine: printer handles of this process over the
// machine's print provider.
#include "platform/sim/api/spooler.h"

#include <cstdio>

#include "platform/sim/api/call_faults.h"
#include "platform/sim/state/code_page.h"
#include "platform/sim/state/service_state.h"
#include "platform/sim/state/usb_printers.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

// Printer names live in the registry, which holds 8-bit text; the simulated printers are
// named in ASCII, where every code page agrees.
bool ToAscii(const std::u16string& text, std::string& out) {
    out.clear();
    for (char16_t c : text) {
        if (c == 0 || c > 0x7F) return false;
        out += static_cast<char>(c);
    }
    return true;
}
}  // namespace

SimSpooler::SimSpooler(const Machine& machine, const ProcessContext& process, plat::LastError& error)
    : machine_(machine), process_(process), error_(error), provider_(machine) {}

bool SimSpooler::Fail(std::uint32_t code) {
    error_.SetLastError(code);
    return false;
}

bool SimSpooler::Faulted(const char* call, const std::string& printer) {
    const std::uint32_t code = InjectedFault(machine_, call, printer);
    if (code == ERROR_SUCCESS) return false;
    error_.SetLastError(code);
    return true;
}

bool SimSpooler::SpoolerDown() {
    if (machine_.settings().platformId != 2 || SpoolerRunning(machine_)) return false;
    error_.SetLastError(RPC_S_SERVER_UNAVAILABLE);
    return true;
}

bool SimSpooler::OpenByName(const std::string& name, plat::PrinterHandle& out) {
    auto printer = provider_.FindPrinter(name);
    if (!printer) return Fail(ERROR_INVALID_PRINTER_NAME);
    out = nextHandle_;
    nextHandle_ += 4;
    handles_[out] = OpenPrinter{*printer, false, {}, {}};
    return true;
}

std::string SimSpooler::PrinterOf(plat::PrinterHandle printer) const {
    auto it = handles_.find(printer);
    return it == handles_.end() ? std::string() : it->second.printer.name;
}

SimSpooler::OpenPrinter* SimSpooler::Find(plat::PrinterHandle printer) {
    auto it = handles_.find(printer);
    if (it == handles_.end()) {
        error_.SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return &it->second;
}

SimSpooler::OpenPrinter* SimSpooler::FindInJob(plat::PrinterHandle printer) {
    OpenPrinter* open = Find(printer);
    if (open && !open->inJob) {
        error_.SetLastError(ERROR_SPL_NO_STARTDOC);
        return nullptr;
    }
    return open;
}

bool SimSpooler::OpenPrinterW(const std::u16string& name, plat::PrinterHandle& out) {
    out = 0;
    if (Faulted("OpenPrinterW", Utf16ToUtf8(name)) || SpoolerDown()) return false;
    std::string narrow;
    if (!ToAscii(name, narrow)) {
        std::fprintf(stderr, "simulated spooler: printer names outside ASCII are not simulated\n");
        return Fail(ERROR_INVALID_PRINTER_NAME);
    }
    return OpenByName(narrow, out);
}

bool SimSpooler::ClosePrinter(plat::PrinterHandle printer) {
    if (Faulted("ClosePrinter", PrinterOf(printer)) || SpoolerDown()) return false;
    if (!Find(printer)) return false;
    handles_.erase(printer);
    return true;
}

std::uint32_t SimSpooler::StartDocPrinterW(plat::PrinterHandle printer,
                                           const plat::DocInfo1& document) {
    if (Faulted("StartDocPrinterW", PrinterOf(printer)) || SpoolerDown()) return 0;
    OpenPrinter* open = Find(printer);
    if (!open) return 0;
    if (open->inJob) return Fail(ERROR_INVALID_PRINTER_STATE), 0;
    if (!document.outputFile.empty()) {
        std::fprintf(stderr, "simulated spooler: printing to a file is not simulated\n");
        return Fail(ERROR_NOT_SUPPORTED), 0;
    }
    SimJob job;
    job.printer = open->printer.name;
    job.document = Utf16ToUtf8(document.documentName);
    job.dataType = Utf16ToUtf8(document.dataType);
    job.port = open->printer.port;
    job.id = provider_.StartJob(job);
    if (job.id == 0) return Fail(ERROR_WRITE_FAULT), 0;
    open->inJob = true;
    open->job = job;
    return job.id;
}

bool SimSpooler::StartPagePrinter(plat::PrinterHandle printer) {
    if (Faulted("StartPagePrinter", PrinterOf(printer)) || SpoolerDown()) return false;
    OpenPrinter* open = FindInJob(printer);
    if (!open) return false;
    ++open->job.pages;
    if (!provider_.UpdateJob(open->job)) return Fail(ERROR_WRITE_FAULT);
    return true;
}

bool SimSpooler::WritePrinter(plat::PrinterHandle printer, const void* data, std::uint32_t size,
                              std::uint32_t& written) {
    written = 0;
    if (Faulted("WritePrinter", PrinterOf(printer)) || SpoolerDown()) return false;
    OpenPrinter* open = FindInJob(printer);
    if (!open) return false;
    if (!data && size > 0) return Fail(ERROR_INVALID_PARAMETER);
    if (size > 0 && !provider_.AppendJobData(open->job.id, data, size))
        return Fail(ERROR_WRITE_FAULT);
    written = size;
    return true;
}

bool SimSpooler::EndPagePrinter(plat::PrinterHandle printer) {
    if (Faulted("EndPagePrinter", PrinterOf(printer)) || SpoolerDown()) return false;
    return FindInJob(printer) != nullptr;
}

bool SimSpooler::EndDocPrinter(plat::PrinterHandle printer) {
    if (Faulted("EndDocPrinter", PrinterOf(printer)) || SpoolerDown()) return false;
    OpenPrinter* open = FindInJob(printer);
    if (!open) return false;
    open->job.completed = true;
    open->inJob = false;
    if (!provider_.UpdateJob(open->job)) return Fail(ERROR_WRITE_FAULT);
    // The job goes on to the printer on its port; one that is not attached leaves the job in the
    // spool, which is all the spooler promises its caller.
    if (UsbPortNumberOfName(open->job.port) != 0) {
        std::vector<std::uint8_t> bytes;
        if (provider_.JobData(open->job.id, bytes))
            DeliverJobToUsbPrinter(machine_, open->job.port, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    }
    return true;
}

}  // namespace sim
