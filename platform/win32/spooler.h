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
};

}  // namespace win32
