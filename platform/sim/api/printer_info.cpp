// PRINTER_INFO_2A and PRINTER_INFO_5A records of the simulated spooler.
#include "platform/sim/api/printer_info.h"

#include <array>

#include "platform/spooler_records.h"

namespace sim {

namespace {

// Level 5's timeouts in milliseconds: what Windows gives a printer it was never told otherwise.
constexpr std::uint32_t kDeviceNotSelectedTimeout = 15000;
constexpr std::uint32_t kTransmissionRetryTimeout = 45000;

// Level 2's texts in the order they go into the buffer: name, port, driver, comment, location,
// separator file, print processor, data type, parameters.
std::array<const char*, 9> Level2Texts(const PrinterRow& row) {
    const SimPrinter& p = row.printer;
    return {p.name.c_str(), p.port.c_str(), p.driver.c_str(), "", "", "",
            p.processor.c_str(), p.dataType.c_str(), ""};
}

}  // namespace

bool IsPrinterInfoLevel(std::uint32_t level) { return level == 2 || level == 5; }

std::size_t PrinterRecordSize(std::uint32_t level) {
    return level == 5 ? sizeof(plat::PRINTER_INFO_5A) : sizeof(plat::PRINTER_INFO_2A);
}

std::uint32_t PrinterTextsSize(const PrinterRow& row, std::uint32_t level) {
    if (level == 5) return TextSize(row.printer.name.c_str()) + TextSize(row.printer.port.c_str());
    std::uint32_t size = 0;
    for (const char* text : Level2Texts(row)) size += TextSize(text);
    return size;
}

void PutPrinterRecord(RecordBuffer& out, std::size_t offset, const PrinterRow& row,
                      std::uint32_t level) {
    if (level == 5) {
        plat::PRINTER_INFO_5A info{};
        info.pPrinterName = out.Put(row.printer.name.c_str());
        info.pPortName = out.Put(row.printer.port.c_str());
        info.Attributes = row.attributes;
        info.DeviceNotSelectedTimeout = kDeviceNotSelectedTimeout;
        info.TransmissionRetryTimeout = kTransmissionRetryTimeout;
        out.PutRecord(offset, info);
        return;
    }
    const auto texts = Level2Texts(row);
    plat::PRINTER_INFO_2A info{};
    info.pPrinterName = out.Put(texts[0]);
    info.pPortName = out.Put(texts[1]);
    info.pDriverName = out.Put(texts[2]);
    info.pComment = out.Put(texts[3]);
    info.pLocation = out.Put(texts[4]);
    info.pSepFile = out.Put(texts[5]);
    info.pPrintProcessor = out.Put(texts[6]);
    info.pDatatype = out.Put(texts[7]);
    info.pParameters = out.Put(texts[8]);
    info.Attributes = row.attributes;
    info.Priority = 1;
    info.cJobs = row.jobs;
    out.PutRecord(offset, info);
}

}  // namespace sim
