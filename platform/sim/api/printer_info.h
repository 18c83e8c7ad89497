// One printer as GetPrinterA and EnumPrintersA hand it out: PRINTER_INFO_2A or PRINTER_INFO_5A
// with its texts behind the records.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/sim/api/record_buffer.h"
#include "platform/sim/state/print_provider.h"

namespace sim {

// What the records say beyond the printer's key: the attributes with
// PRINTER_ATTRIBUTE_DEFAULT for the default printer, and the jobs not yet completed.
struct PrinterRow {
    SimPrinter printer;
    std::uint32_t attributes = 0;
    std::uint32_t jobs = 0;
};

// True for level 2 and 5, the levels simulated.
bool IsPrinterInfoLevel(std::uint32_t level);
// The size of one record of the level, and of the texts the row puts behind the records.
std::size_t PrinterRecordSize(std::uint32_t level);
std::uint32_t PrinterTextsSize(const PrinterRow& row, std::uint32_t level);
// Writes the row's record at `offset` and its texts where `out` has got to.
void PutPrinterRecord(RecordBuffer& out, std::size_t offset, const PrinterRow& row,
                      std::uint32_t level);

}  // namespace sim
