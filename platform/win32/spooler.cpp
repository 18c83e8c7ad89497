// The print spooler on Windows: each method is the winspool call it names.
#include <windows.h>
#include <winspool.h>

#include "platform/win32/spooler.h"

namespace win32 {

namespace {

HANDLE AsHandle(plat::PrinterHandle printer) { return reinterpret_cast<HANDLE>(printer); }

// Windows' wide strings are UTF-16 in wchar_t; a null pointer stands for an empty text.
LPWSTR Wide(const std::u16string& text) {
    return text.empty() ? nullptr
                        : reinterpret_cast<LPWSTR>(const_cast<char16_t*>(text.c_str()));
}

}  // namespace

bool Win32Spooler::OpenPrinterW(const std::u16string& name, plat::PrinterHandle& out) {
    HANDLE handle = nullptr;
    BOOL ok = ::OpenPrinterW(Wide(name), &handle, nullptr);
    out = ok ? reinterpret_cast<plat::PrinterHandle>(handle) : 0;
    return ok != FALSE;
}

bool Win32Spooler::ClosePrinter(plat::PrinterHandle printer) {
    return ::ClosePrinter(AsHandle(printer)) != FALSE;
}

std::uint32_t Win32Spooler::StartDocPrinterW(plat::PrinterHandle printer,
                                             const plat::DocInfo1& document) {
    DOC_INFO_1W info{Wide(document.documentName), Wide(document.outputFile),
                     Wide(document.dataType)};
    return ::StartDocPrinterW(AsHandle(printer), 1, reinterpret_cast<LPBYTE>(&info));
}

bool Win32Spooler::StartPagePrinter(plat::PrinterHandle printer) {
    return ::StartPagePrinter(AsHandle(printer)) != FALSE;
}

bool Win32Spooler::WritePrinter(plat::PrinterHandle printer, const void* data, std::uint32_t size,
                                std::uint32_t& written) {
    DWORD taken = 0;
    BOOL ok = ::WritePrinter(AsHandle(printer), const_cast<void*>(data), size, &taken);
    written = taken;
    return ok != FALSE;
}

bool Win32Spooler::EndPagePrinter(plat::PrinterHandle printer) {
    return ::EndPagePrinter(AsHandle(printer)) != FALSE;
}

bool Win32Spooler::EndDocPrinter(plat::PrinterHandle printer) {
    return ::EndDocPrinter(AsHandle(printer)) != FALSE;
}

}  // namespace win32
