// Sends a raw job through the spooler on a printer handle the driver gave the plug-in.
#pragma once
#include <cstdint>

#include "platform/last_error.h"
#include "platform/spooler.h"
#include "plugin/commands/RawJob.h"

namespace plugin {

// StartDocPrinterW (level 1, the job's document name, data type "RAW"), StartPagePrinter, one
// WritePrinter per write, EndPagePrinter, EndDocPrinter. A failing call ends whatever was opened
// (the page, then the document) and the job stops there; nothing is shown to the user.
// Returns ERROR_SUCCESS, or the last error of the call that failed (ERROR_WRITE_FAULT when
// WritePrinter reports success but takes no bytes). The printer handle is neither opened nor
// closed here.
std::uint32_t SendRawJob(plat::RawPrinting& spooler, plat::LastError& lastError,
                         plat::PrinterHandle printer, const RawJob& job);

}  // namespace plugin
