// A stand-in spooler for the worker's tests: printers, monitors and processors held in lists,
// deletions recorded, and the errors a test asks for. Every other concern is the simulated
// machine's.
#pragma once
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/forwarding_platform.h"

namespace uninstalltest {

struct FakePrinter {
    std::string name, driver, port;
    std::uint32_t jobs = 0;
    bool opens = true;
};

class FakeSpooler : public plat::PrinterSetup {
public:
    explicit FakeSpooler(plat::LastError& lastError) : lastError_(lastError) {}

    std::vector<FakePrinter> printers;
    std::vector<std::string> monitors, processors;
    // Errors the next calls of a kind give, one per call; empty: success.
    std::deque<std::uint32_t> deleteMonitorErrors, deleteProcessorErrors, deletePrinterErrors,
        deleteDriverErrors;
    // What was asked, one entry a call: "DeleteMonitorA VTX USB Port Monitor", ...
    std::vector<std::string> calls;

    bool GetPrinterDriverDirectoryA(const char*, std::uint32_t, char*, std::uint32_t,
                                    std::uint32_t&) override { return false; }
    bool GetPrintProcessorDirectoryA(const char* environment, std::uint32_t, char* out,
                                     std::uint32_t size, std::uint32_t& needed) override;
    bool AddPrinterDriverA(std::uint32_t, const plat::DRIVER_INFO_3A&) override { return false; }
    bool AddMonitorA(std::uint32_t, const plat::MONITOR_INFO_2A&) override { return false; }
    bool AddPrintProcessorA(const char*, const char*, const char*) override { return false; }
    bool AddPrinterA(std::uint32_t, const plat::PRINTER_INFO_2A&, plat::PrinterHandle&) override {
        return false;
    }
    bool OpenPrinterA(const char* name, plat::PrinterHandle& out) override {
        return OpenPrinterA(name, out, nullptr);
    }
    bool OpenPrinterA(const char* name, plat::PrinterHandle& out,
                      const plat::PRINTER_DEFAULTSA* defaults) override;
    bool XcvDataW(plat::PrinterHandle, const char16_t*, const std::uint8_t*, std::uint32_t,
                  std::uint8_t*, std::uint32_t, std::uint32_t&, std::uint32_t&) override {
        return false;
    }
    bool ClosePrinter(plat::PrinterHandle) override { return true; }
    bool GetPrinterA(plat::PrinterHandle printer, std::uint32_t level, std::uint8_t* buffer,
                     std::uint32_t size, std::uint32_t& needed) override;
    bool SetPrinterA(plat::PrinterHandle, std::uint32_t, const void*, std::uint32_t) override {
        return false;
    }
    bool SetDefaultPrinterA(const char*) override { return false; }
    bool EnumPortsA(std::uint32_t, std::uint8_t*, std::uint32_t, std::uint32_t&,
                    std::uint32_t&) override { return false; }
    bool EnumPrintersA(std::uint32_t flags, std::uint32_t level, std::uint8_t* buffer,
                       std::uint32_t size, std::uint32_t& needed,
                       std::uint32_t& returned) override;
    bool EnumMonitorsA(std::uint32_t level, std::uint8_t* buffer, std::uint32_t size,
                       std::uint32_t& needed, std::uint32_t& returned) override;
    bool EnumPrintProcessorsA(const char* environment, std::uint32_t level, std::uint8_t* buffer,
                              std::uint32_t size, std::uint32_t& needed,
                              std::uint32_t& returned) override;
    bool DeletePrinter(plat::PrinterHandle printer) override;
    bool DeleteMonitorA(const char* environment, const char* name) override;
    bool DeletePrintProcessorA(const char* environment, const char* name) override;
    bool DeletePrinterDriverA(const char* server, const char* environment,
                              const char* driver) override;
    bool DeletePrinterDriverExA(const char* server, const char* environment, const char* driver,
                                std::uint32_t deleteFlag, std::uint32_t versionFlag) override;

private:
    // Pops the next error of a kind: false (with the last error set) when there is one.
    bool Succeeds(std::deque<std::uint32_t>& errors);
    // Records of `recordSize` bytes whose first field points to the name.
    bool EnumNames(const std::vector<std::string>& names, std::size_t recordSize,
                   std::uint8_t* buffer,
                   std::uint32_t size, std::uint32_t& needed, std::uint32_t& returned);

    plat::LastError& lastError_;
    std::vector<std::string> open_;  // open handles: index + 1 -> printer name
    std::deque<std::string> texts_;
};

// The simulated machine's platform with the stand-in spooler.
class FakeSpoolerPlatform : public plat::ForwardingPlatform {
public:
    explicit FakeSpoolerPlatform(plat::Platform& inner)
        : ForwardingPlatform(inner), spooler(inner.lastError()) {}
    plat::PrinterSetup& printerSetup() override { return spooler; }
    FakeSpooler spooler;
};

}  // namespace uninstalltest
