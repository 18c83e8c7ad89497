// The print spooler on Windows: winspool's own calls, raw printing and printer setup.
#pragma once
#include <windows.h>

#include "platform/forms.h"
#include "platform/printer_setup.h"
#include "platform/raw_printing.h"

namespace win32 {

class Win32Spooler : public plat::RawPrinting, public plat::PrinterSetup, public plat::Forms {
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

    bool GetPrinterDriverDirectoryA(const char* environment, std::uint32_t level, char* out,
                                    std::uint32_t size, std::uint32_t& needed) override;
    bool GetPrintProcessorDirectoryA(const char* environment, std::uint32_t level, char* out,
                                     std::uint32_t size, std::uint32_t& needed) override;
    bool AddPrinterDriverA(std::uint32_t level, const plat::DRIVER_INFO_3A& info) override;
    bool AddMonitorA(std::uint32_t level, const plat::MONITOR_INFO_2A& info) override;
    bool AddPrintProcessorA(const char* environment, const char* pathName,
                            const char* printProcessorName) override;
    bool AddPrinterA(std::uint32_t level, const plat::PRINTER_INFO_2A& info,
                     plat::PrinterHandle& out) override;
    bool OpenPrinterA(const char* name, plat::PrinterHandle& out) override;
    bool OpenPrinterA(const char* name, plat::PrinterHandle& out,
                      const plat::PRINTER_DEFAULTSA* defaults) override;
    bool XcvDataW(plat::PrinterHandle xcv, const char16_t* dataName, const std::uint8_t* input,
                  std::uint32_t inputSize, std::uint8_t* output, std::uint32_t outputSize,
                  std::uint32_t& needed, std::uint32_t& status) override;
    bool GetPrinterA(plat::PrinterHandle printer, std::uint32_t level, std::uint8_t* buffer,
                     std::uint32_t size, std::uint32_t& needed) override;
    bool SetPrinterA(plat::PrinterHandle printer, std::uint32_t level, const void* info,
                     std::uint32_t command) override;
    // Looked up in "winspool.drv" at run time: Windows before 2000 lacks it.
    bool SetDefaultPrinterA(const char* name) override;
    bool EnumPortsA(std::uint32_t level, std::uint8_t* buffer, std::uint32_t size,
                    std::uint32_t& needed, std::uint32_t& returned) override;
    bool EnumPrintersA(std::uint32_t flags, std::uint32_t level, std::uint8_t* buffer,
                       std::uint32_t size, std::uint32_t& needed, std::uint32_t& returned) override;
    bool EnumMonitorsA(std::uint32_t level, std::uint8_t* buffer, std::uint32_t size,
                       std::uint32_t& needed, std::uint32_t& returned) override;
    bool EnumPrintProcessorsA(const char* environment, std::uint32_t level, std::uint8_t* buffer,
                              std::uint32_t size, std::uint32_t& needed,
                              std::uint32_t& returned) override;
    bool DeletePrinter(plat::PrinterHandle printer) override;
    bool DeleteMonitorA(const char* environment, const char* monitorName) override;
    bool DeletePrintProcessorA(const char* environment, const char* processorName) override;
    bool DeletePrinterDriverA(const char* server, const char* environment,
                              const char* driverName) override;
    bool DeletePrinterDriverExA(const char* server, const char* environment, const char* driverName,
                                std::uint32_t deleteFlag, std::uint32_t versionFlag) override;

    // Forms (spooler_forms.cpp).
    bool EnumFormsW(plat::PrinterHandle printer, std::uint32_t level, std::uint8_t* buffer,
                    std::uint32_t size, std::uint32_t& needed, std::uint32_t& returned) override;
    bool AddFormW(plat::PrinterHandle printer, std::uint32_t level,
                  const plat::FORM_INFO_1W& form) override;
    bool SetFormW(plat::PrinterHandle printer, const char16_t* name, std::uint32_t level,
                  const plat::FORM_INFO_1W& form) override;
    bool DeleteFormW(plat::PrinterHandle printer, const char16_t* name) override;
};

}  // namespace win32
