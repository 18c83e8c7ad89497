// The stand-in spooler: records point to texts the object keeps.
#include "tests/uninstall/fake_spooler.h"

#include <algorithm>
#include <cstring>

#include "platform/win_constants.h"

namespace uninstalltest {

bool FakeSpooler::Succeeds(std::deque<std::uint32_t>& errors) {
    if (errors.empty()) return true;
    const std::uint32_t error = errors.front();
    errors.pop_front();
    lastError_.SetLastError(error);
    return error == 0;
}

bool FakeSpooler::GetPrintProcessorDirectoryA(const char* environment, std::uint32_t, char* out,
                                              std::uint32_t size, std::uint32_t& needed) {
    calls.push_back(std::string("GetPrintProcessorDirectoryA ") + (environment ? environment : "-"));
    const std::string dir = "C:\\Windows\\System32\\spool\\prtprocs\\w32x86";
    needed = static_cast<std::uint32_t>(dir.size() + 1);
    if (size < needed) return false;
    std::memcpy(out, dir.c_str(), needed);
    return true;
}

bool FakeSpooler::OpenPrinterA(const char* name, plat::PrinterHandle& out,
                               const plat::PRINTER_DEFAULTSA*) {
    for (const FakePrinter& p : printers)
        if (p.name == name && p.opens) {
            open_.push_back(name);
            out = open_.size();
            return true;
        }
    lastError_.SetLastError(ERROR_INVALID_PRINTER_NAME);
    return false;
}

bool FakeSpooler::GetPrinterA(plat::PrinterHandle handle, std::uint32_t level,
                              std::uint8_t* buffer, std::uint32_t size, std::uint32_t& needed) {
    needed = sizeof(plat::PRINTER_INFO_2A);
    const std::string& name = open_.at(handle - 1);
    auto it = std::find_if(printers.begin(), printers.end(),
                           [&](const FakePrinter& p) { return p.name == name; });
    if (level != 2 || it == printers.end()) {
        lastError_.SetLastError(ERROR_INVALID_PRINTER_NAME);
        return false;
    }
    if (size < needed) {
        lastError_.SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return false;
    }
    plat::PRINTER_INFO_2A info{};
    info.pPrinterName = texts_.emplace_back(it->name).data();
    info.pDriverName = texts_.emplace_back(it->driver).data();
    info.pPortName = texts_.emplace_back(it->port).data();
    info.cJobs = it->jobs;
    std::memcpy(buffer, &info, sizeof info);
    return true;
}

bool FakeSpooler::EnumNames(const std::vector<std::string>& names, std::size_t recordSize,
                            std::uint8_t* buffer, std::uint32_t size, std::uint32_t& needed, std::uint32_t& returned) {
    needed = static_cast<std::uint32_t>(names.size() * recordSize);
    returned = 0;
    if (size < needed || buffer == nullptr) {
        lastError_.SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return false;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        char* text = texts_.emplace_back(names[i]).data();
        std::memcpy(buffer + i * recordSize, &text, sizeof text);
    }
    returned = static_cast<std::uint32_t>(names.size());
    return true;
}

bool FakeSpooler::EnumPrintersA(std::uint32_t, std::uint32_t level, std::uint8_t* buffer,
                                std::uint32_t size, std::uint32_t& needed,
                                std::uint32_t& returned) {
    std::vector<std::string> names;
    for (const FakePrinter& p : printers) names.push_back(p.name);
    if (level != 5) return false;
    return EnumNames(names, sizeof(plat::PRINTER_INFO_5A), buffer, size, needed, returned);
}

bool FakeSpooler::EnumMonitorsA(std::uint32_t, std::uint8_t* buffer, std::uint32_t size,
                                std::uint32_t& needed, std::uint32_t& returned) {
    return EnumNames(monitors, sizeof(plat::MONITOR_INFO_1A), buffer, size, needed, returned);
}

bool FakeSpooler::EnumPrintProcessorsA(const char* environment, std::uint32_t,
                                       std::uint8_t* buffer, std::uint32_t size,
                                       std::uint32_t& needed, std::uint32_t& returned) {
    if (buffer == nullptr)
        calls.push_back(std::string("EnumPrintProcessorsA ") + (environment ? environment : "-"));
    return EnumNames(processors, sizeof(plat::PRINTPROCESSOR_INFO_1A), buffer, size, needed, returned);
}

bool FakeSpooler::DeletePrinter(plat::PrinterHandle handle) {
    const std::string name = open_.at(handle - 1);
    calls.push_back("DeletePrinter " + name);
    if (!Succeeds(deletePrinterErrors)) return false;
    printers.erase(std::remove_if(printers.begin(), printers.end(),
                                  [&](const FakePrinter& p) { return p.name == name; }),
                   printers.end());
    return true;
}

bool FakeSpooler::DeleteMonitorA(const char*, const char* name) {
    calls.push_back(std::string("DeleteMonitorA ") + name);
    if (!Succeeds(deleteMonitorErrors)) return false;
    monitors.erase(std::remove(monitors.begin(), monitors.end(), name), monitors.end());
    return true;
}

bool FakeSpooler::DeletePrintProcessorA(const char*, const char* name) {
    calls.push_back(std::string("DeletePrintProcessorA ") + name);
    if (!Succeeds(deleteProcessorErrors)) return false;
    processors.erase(std::remove(processors.begin(), processors.end(), name), processors.end());
    return true;
}

bool FakeSpooler::DeletePrinterDriverA(const char*, const char*, const char* driver) {
    calls.push_back(std::string("DeletePrinterDriverA ") + driver);
    return Succeeds(deleteDriverErrors);
}

bool FakeSpooler::DeletePrinterDriverExA(const char*, const char*, const char* driver,
                                         std::uint32_t deleteFlag, std::uint32_t versionFlag) {
    calls.push_back(std::string("DeletePrinterDriverExA ") + driver + " " +
                    std::to_string(deleteFlag) + " " + std::to_string(versionFlag));
    return Succeeds(deleteDriverErrors);
}

}  // namespace uninstalltest
