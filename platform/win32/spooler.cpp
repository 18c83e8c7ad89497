// The print spooler on Windows: each method is the winspool call it names.
#include <windows.h>
#include <winspool.h>

#include "platform/win32/spooler.h"

#include "platform/win32/module_lookup.h"

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

// ---- Printer setup ----

bool Win32Spooler::GetPrinterDriverDirectoryA(const char* environment, std::uint32_t level,
                                              char* out, std::uint32_t size,
                                              std::uint32_t& needed) {
    DWORD got = 0;
    BOOL ok = ::GetPrinterDriverDirectoryA(nullptr, const_cast<LPSTR>(environment), level,
                                           reinterpret_cast<LPBYTE>(out), size, &got);
    needed = got;
    return ok != FALSE;
}

bool Win32Spooler::GetPrintProcessorDirectoryA(const char* environment, std::uint32_t level,
                                               char* out, std::uint32_t size,
                                               std::uint32_t& needed) {
    DWORD got = 0;
    BOOL ok = ::GetPrintProcessorDirectoryA(nullptr, const_cast<LPSTR>(environment), level,
                                            reinterpret_cast<LPBYTE>(out), size, &got);
    needed = got;
    return ok != FALSE;
}

// The records have winspool's layout (spooler_records.cpp checks it), so they go as they are.
bool Win32Spooler::AddPrinterDriverA(std::uint32_t level, const plat::DRIVER_INFO_3A& info) {
    return ::AddPrinterDriverA(nullptr, level,
                               reinterpret_cast<LPBYTE>(const_cast<plat::DRIVER_INFO_3A*>(&info))) !=
           FALSE;
}

bool Win32Spooler::AddMonitorA(std::uint32_t level, const plat::MONITOR_INFO_2A& info) {
    return ::AddMonitorA(nullptr, level,
                         reinterpret_cast<LPBYTE>(const_cast<plat::MONITOR_INFO_2A*>(&info))) !=
           FALSE;
}

bool Win32Spooler::AddPrintProcessorA(const char* environment, const char* pathName,
                                      const char* printProcessorName) {
    return ::AddPrintProcessorA(nullptr, const_cast<LPSTR>(environment),
                                const_cast<LPSTR>(pathName),
                                const_cast<LPSTR>(printProcessorName)) != FALSE;
}

bool Win32Spooler::AddPrinterA(std::uint32_t level, const plat::PRINTER_INFO_2A& info,
                               plat::PrinterHandle& out) {
    HANDLE handle = ::AddPrinterA(
        nullptr, level, reinterpret_cast<LPBYTE>(const_cast<plat::PRINTER_INFO_2A*>(&info)));
    out = reinterpret_cast<plat::PrinterHandle>(handle);
    return handle != nullptr;
}

bool Win32Spooler::OpenPrinterA(const char* name, plat::PrinterHandle& out) {
    HANDLE handle = nullptr;
    BOOL ok = ::OpenPrinterA(const_cast<LPSTR>(name), &handle, nullptr);
    out = ok ? reinterpret_cast<plat::PrinterHandle>(handle) : 0;
    return ok != FALSE;
}

bool Win32Spooler::GetPrinterA(plat::PrinterHandle printer, std::uint32_t level,
                               std::uint8_t* buffer, std::uint32_t size, std::uint32_t& needed) {
    DWORD got = 0;
    BOOL ok = ::GetPrinterA(AsHandle(printer), level, buffer, size, &got);
    needed = got;
    return ok != FALSE;
}

bool Win32Spooler::SetPrinterA(plat::PrinterHandle printer, std::uint32_t level, const void* info,
                               std::uint32_t command) {
    return ::SetPrinterA(AsHandle(printer), level,
                         reinterpret_cast<LPBYTE>(const_cast<void*>(info)), command) != FALSE;
}

bool Win32Spooler::SetDefaultPrinterA(const char* name) {
    using SetDefaultPrinterFn = BOOL(WINAPI*)(LPCSTR);
    LoadedModule winspool("winspool.drv");
    auto fn = FindExport<SetDefaultPrinterFn>(winspool.get(), "SetDefaultPrinterA");
    if (!fn) {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return false;
    }
    return fn(name) != FALSE;
}

bool Win32Spooler::EnumPortsA(std::uint32_t level, std::uint8_t* buffer, std::uint32_t size,
                              std::uint32_t& needed, std::uint32_t& returned) {
    DWORD got = 0, count = 0;
    BOOL ok = ::EnumPortsA(nullptr, level, buffer, size, &got, &count);
    needed = got;
    returned = count;
    return ok != FALSE;
}

bool Win32Spooler::EnumPrintersA(std::uint32_t flags, std::uint32_t level, std::uint8_t* buffer,
                                 std::uint32_t size, std::uint32_t& needed,
                                 std::uint32_t& returned) {
    DWORD got = 0, count = 0;
    BOOL ok = ::EnumPrintersA(flags, nullptr, level, buffer, size, &got, &count);
    needed = got;
    returned = count;
    return ok != FALSE;
}

bool Win32Spooler::EnumMonitorsA(std::uint32_t level, std::uint8_t* buffer, std::uint32_t size,
                                 std::uint32_t& needed, std::uint32_t& returned) {
    DWORD got = 0, count = 0;
    BOOL ok = ::EnumMonitorsA(nullptr, level, buffer, size, &got, &count);
    needed = got;
    returned = count;
    return ok != FALSE;
}

bool Win32Spooler::EnumPrintProcessorsA(const char* environment, std::uint32_t level,
                                        std::uint8_t* buffer, std::uint32_t size,
                                        std::uint32_t& needed, std::uint32_t& returned) {
    DWORD got = 0, count = 0;
    BOOL ok = ::EnumPrintProcessorsA(nullptr, const_cast<LPSTR>(environment), level, buffer, size,
                                     &got, &count);
    needed = got;
    returned = count;
    return ok != FALSE;
}

bool Win32Spooler::DeletePrinter(plat::PrinterHandle printer) {
    return ::DeletePrinter(AsHandle(printer)) != FALSE;
}

bool Win32Spooler::DeleteMonitorA(const char* environment, const char* monitorName) {
    return ::DeleteMonitorA(nullptr, const_cast<LPSTR>(environment),
                            const_cast<LPSTR>(monitorName)) != FALSE;
}

bool Win32Spooler::DeletePrintProcessorA(const char* environment, const char* processorName) {
    return ::DeletePrintProcessorA(nullptr, const_cast<LPSTR>(environment),
                                   const_cast<LPSTR>(processorName)) != FALSE;
}

bool Win32Spooler::DeletePrinterDriverA(const char* server, const char* environment,
                                        const char* driverName) {
    return ::DeletePrinterDriverA(const_cast<LPSTR>(server), const_cast<LPSTR>(environment),
                                  const_cast<LPSTR>(driverName)) != FALSE;
}

bool Win32Spooler::DeletePrinterDriverExA(const char* server, const char* environment,
                                          const char* driverName, std::uint32_t deleteFlag,
                                          std::uint32_t versionFlag) {
    using DeletePrinterDriverExFn = BOOL(WINAPI*)(LPSTR, LPSTR, LPSTR, DWORD, DWORD);
    LoadedModule winspool("winspool.drv");
    auto fn = FindExport<DeletePrinterDriverExFn>(winspool.get(), "DeletePrinterDriverExA");
    if (!fn) {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return false;
    }
    return fn(const_cast<LPSTR>(server), const_cast<LPSTR>(environment),
              const_cast<LPSTR>(driverName), deleteFlag, versionFlag) != FALSE;
}

bool Win32Spooler::OpenPrinterA(const char* name, plat::PrinterHandle& out,
                                const plat::PRINTER_DEFAULTSA* defaults) {
    HANDLE handle = nullptr;
    // The portable record has winspool's layout (spooler_records.cpp checks it).
    auto* given = reinterpret_cast<PRINTER_DEFAULTSA*>(const_cast<plat::PRINTER_DEFAULTSA*>(defaults));
    BOOL ok = ::OpenPrinterA(const_cast<LPSTR>(name), &handle, given);
    out = ok ? reinterpret_cast<plat::PrinterHandle>(handle) : 0;
    return ok != FALSE;
}

bool Win32Spooler::XcvDataW(plat::PrinterHandle xcv, const char16_t* dataName,
                            const std::uint8_t* input, std::uint32_t inputSize,
                            std::uint8_t* output, std::uint32_t outputSize,
                            std::uint32_t& needed, std::uint32_t& status) {
    DWORD neededOut = 0, statusOut = 0;
    BOOL ok = ::XcvDataW(AsHandle(xcv), reinterpret_cast<PCWSTR>(dataName),
                         const_cast<PBYTE>(input), inputSize, output, outputSize, &neededOut,
                         &statusOut);
    needed = neededOut;
    status = statusOut;
    return ok != FALSE;
}

}  // namespace win32
