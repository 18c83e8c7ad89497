// Spooler enumerations and printer records, each read in two calls: the size, then the data.
#include "uninstall/SpoolerReads.h"

#include <cstddef>
#include <functional>
#include <new>

#include "platform/win_constants.h"

namespace uninstall {

namespace {

// A buffer aligned for the records (they hold pointers) that the spooler fills.
struct RecordBuffer {
    std::vector<std::uint64_t> words;
    std::uint8_t* bytes() { return reinterpret_cast<std::uint8_t*>(words.data()); }
    void Resize(std::uint32_t size) { words.assign((size + 7) / 8, 0); }
};

using EnumCall = std::function<bool(std::uint8_t*, std::uint32_t, std::uint32_t&,
                                    std::uint32_t&)>;

// Runs an enumeration and gives each record's first field, the name.
std::vector<std::string> EnumNames(const EnumCall& call, std::size_t recordSize,
                                   std::size_t nameOffset) {
    std::vector<std::string> names;
    RecordBuffer buffer;
    std::uint32_t needed = 0, returned = 0;
    if (!call(nullptr, 0, needed, returned) && needed == 0) return names;
    if (needed == 0) return names;
    try {
        buffer.Resize(needed);
    } catch (const std::bad_alloc&) {
        return names;
    }
    if (!call(buffer.bytes(), needed, needed, returned)) return names;
    for (std::uint32_t i = 0; i < returned; ++i) {
        const std::uint8_t* record = buffer.bytes() + i * recordSize + nameOffset;
        const char* name = *reinterpret_cast<char* const*>(record);
        if (name) names.emplace_back(name);
    }
    return names;
}

std::string Text(const char* text) { return text ? text : ""; }

}  // namespace

std::vector<std::string> LocalPrinterNames(plat::PrinterSetup& spooler) {
    return EnumNames(
        [&](std::uint8_t* b, std::uint32_t s, std::uint32_t& n, std::uint32_t& r) {
            return spooler.EnumPrintersA(PRINTER_ENUM_LOCAL, 5, b, s, n, r);
        },
        sizeof(plat::PRINTER_INFO_5A), offsetof(plat::PRINTER_INFO_5A, pPrinterName));
}

std::vector<std::string> InstalledMonitors(plat::PrinterSetup& spooler) {
    return EnumNames(
        [&](std::uint8_t* b, std::uint32_t s, std::uint32_t& n, std::uint32_t& r) {
            return spooler.EnumMonitorsA(1, b, s, n, r);
        },
        sizeof(plat::MONITOR_INFO_1A), offsetof(plat::MONITOR_INFO_1A, pName));
}

std::vector<std::string> InstalledProcessors(plat::PrinterSetup& spooler,
                                             const char* environment) {
    return EnumNames(
        [&](std::uint8_t* b, std::uint32_t s, std::uint32_t& n, std::uint32_t& r) {
            return spooler.EnumPrintProcessorsA(environment, 1, b, s, n, r);
        },
        sizeof(plat::PRINTPROCESSOR_INFO_1A), offsetof(plat::PRINTPROCESSOR_INFO_1A, pName));
}

OpenedPrinter::OpenedPrinter(plat::PrinterSetup& spooler, const std::string& name)
    : spooler_(spooler) {
    plat::PRINTER_DEFAULTSA defaults{};
    defaults.DesiredAccess = PRINTER_ALL_ACCESS;
    if (!spooler_.OpenPrinterA(name.c_str(), handle_, &defaults)) handle_ = 0;
}

OpenedPrinter::~OpenedPrinter() {
    if (handle_ != 0) spooler_.ClosePrinter(handle_);
}

PrinterRead OpenedPrinter::Read(PrinterRecord& record) {
    if (handle_ == 0) return PrinterRead::OpenFailed;
    std::uint32_t needed = 0;
    spooler_.GetPrinterA(handle_, 2, nullptr, 0, needed);
    if (needed < sizeof(plat::PRINTER_INFO_2A)) return PrinterRead::ReadFailed;
    RecordBuffer buffer;
    try {
        buffer.Resize(needed);
    } catch (const std::bad_alloc&) {
        return PrinterRead::NoMemory;
    }
    if (!spooler_.GetPrinterA(handle_, 2, buffer.bytes(), needed, needed))
        return PrinterRead::ReadFailed;
    const auto* info = reinterpret_cast<const plat::PRINTER_INFO_2A*>(buffer.bytes());
    record.serverName = Text(info->pServerName);
    record.driverName = Text(info->pDriverName);
    record.portName = Text(info->pPortName);
    record.jobs = info->cJobs;
    return PrinterRead::Ok;
}

PrinterRead ReadPrinter(plat::PrinterSetup& spooler, const std::string& name,
                        PrinterRecord& record) {
    OpenedPrinter printer(spooler, name);
    return printer.Read(record);
}

}  // namespace uninstall
