// Sends a raw job through the spooler, ending what was opened when a call fails.
#include "plugin/commands/SendRawJob.h"

#include "platform/win_constants.h"

namespace plugin {

namespace {

// The error of the call that just failed, read before any clean-up call can overwrite it. A
// failure that left no code still must not read as success.
std::uint32_t FailureCode(plat::LastError& lastError) {
    const std::uint32_t code = lastError.GetLastError();
    return code != ERROR_SUCCESS ? code : ERROR_WRITE_FAULT;
}

// WritePrinter may take fewer bytes than offered; the rest is offered again so that nothing
// the printer must receive is dropped while the job reports success.
std::uint32_t WriteAll(plat::RawPrinting& spooler, plat::LastError& lastError,
                       plat::PrinterHandle printer, const ByteString& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::uint32_t size = static_cast<std::uint32_t>(bytes.size() - done);
        std::uint32_t written = 0;
        if (!spooler.WritePrinter(printer, bytes.data() + done, size, written))
            return FailureCode(lastError);
        // A call that takes nothing (or claims more than it was given) would loop for ever.
        if (written == 0 || written > size) return ERROR_WRITE_FAULT;
        done += written;
    }
    return ERROR_SUCCESS;
}

}  // namespace

std::uint32_t SendRawJob(plat::RawPrinting& spooler, plat::LastError& lastError,
                         plat::PrinterHandle printer, const RawJob& job) {
    const plat::DocInfo1 document{job.documentName, u"", u"RAW"};
    if (spooler.StartDocPrinterW(printer, document) == 0) return FailureCode(lastError);

    if (!spooler.StartPagePrinter(printer)) {
        const std::uint32_t code = FailureCode(lastError);
        spooler.EndDocPrinter(printer);
        return code;
    }

    std::uint32_t result = ERROR_SUCCESS;
    for (const ByteString& write : job.writes) {
        result = WriteAll(spooler, lastError, printer, write);
        if (result != ERROR_SUCCESS) break;
    }

    if (!spooler.EndPagePrinter(printer) && result == ERROR_SUCCESS)
        result = FailureCode(lastError);
    if (!spooler.EndDocPrinter(printer) && result == ERROR_SUCCESS)
        result = FailureCode(lastError);
    return result;
}

}  // namespace plugin
