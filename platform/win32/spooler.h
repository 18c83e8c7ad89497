// The print spooler on Windows: winspool's own calls, raw printing and printer setup.
#pragma once
#include <windows.h>

#include "platform/printer_setup.h"
#include "platform/raw_printing.h"

namespace win32 {

class Win32Spooler : public plat::RawPrinting, public plat::PrinterSetup {
public:
    bool OpenPrinterW(const std::u16string& name, plat::PrinterHandle& out) override;
    bool ClosePrinter(plat::PrinterHandle printer) override;
    std::uint32_t StartDocPrinterW(plat::PrinterHandle printer,
                                   const plat::DocInfo1& document) override;
    bool StartPagePrinter(plat::PrinterHandle printer) override;
    bool WritePrinter(plat::PrinterHandle printer, const void* data, std::uint32_t size,
                      std::uint32_t& written) override;
    bool EndPagePrinter(plat::PrinterHandle printer) override;
    bool EndDocPrinter(plat::PrinterHandle printer) override;
};

}  // namespace win32
