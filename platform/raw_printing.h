// Raw printing: a printer opened by name and jobs whose bytes go to it unchanged, as winspool's
// OpenPrinterW, StartDocPrinterW, WritePrinter, ... give them.
#pragma once
#include <cstdint>
#include <string>

namespace plat {

// A printer handle as OpenPrinter gives it (a HANDLE on Windows); 0 is no printer.
using PrinterHandle = std::uintptr_t;

// DOC_INFO_1W: the document of a raw job.
struct DocInfo1 {
    std::u16string documentName;
    std::u16string outputFile;  // empty: none
    std::u16string dataType;    // "RAW"
};

// The spooler's calls for raw jobs, as the plug-in's tests and downloads send them. Functions
// that return a BOOL on Windows return bool and set the thread's last error.
class RawPrinting {
public:
    virtual ~RawPrinting() = default;

    virtual bool OpenPrinterW(const std::u16string& name, PrinterHandle& out) = 0;
    virtual bool ClosePrinter(PrinterHandle printer) = 0;

    // StartDocPrinterW level 1: the job id, or 0 with the last error.
    virtual std::uint32_t StartDocPrinterW(PrinterHandle printer, const DocInfo1& document) = 0;
    virtual bool StartPagePrinter(PrinterHandle printer) = 0;
    // WritePrinter: `written` receives the bytes taken.
    virtual bool WritePrinter(PrinterHandle printer, const void* data, std::uint32_t size,
                              std::uint32_t& written) = 0;
    virtual bool EndPagePrinter(PrinterHandle printer) = 0;
    virtual bool EndDocPrinter(PrinterHandle printer) = 0;
};

}  // namespace plat
