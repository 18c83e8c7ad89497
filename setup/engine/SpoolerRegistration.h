// Registering monitors, print processors, drivers and printers with the spooler, the default
// printer and the spooler's port list. Every failure leaves its text in the result text.
#pragma once
#include <cstdint>
#include <string>

#include "package/PackageRecords.h"
#include "setup/engine/EngineContext.h"

namespace setup {

// AddMonitorA level 2; a monitor already installed counts as registered.
bool RegisterMonitor(EngineContext& ctx, const std::string& name, const std::string& dllName);
// AddPrintProcessorA with the DLL's file name; every failure is IDS_ERR_ADDPROCESSOR.
bool RegisterPrintProcessor(EngineContext& ctx, const std::string& dllName,
                            const std::string& name);
// AddPrinterDriverA level 3.
bool RegisterDriver(EngineContext& ctx, const pkg::DriverRecord& record);

// The highest number tried behind a taken printer name: "name(1)" .. "name(98)".
inline constexpr int kMaxPrinterNameNumber = 98;
// AddPrinterA level 2. A taken name fails with `keepName`, else "(n)" is appended until a free
// name is found; the record then carries that name. On failure its name is cleared.
bool RegisterPrinter(EngineContext& ctx, pkg::PrinterRecord& record, bool keepName);

// Makes the printer the default one in the way of the running Windows; failures are silent.
void MakeDefaultPrinter(EngineContext& ctx, const std::string& printerName);

// EnumPortsA level 1: proves that the spooler answers.
bool CheckSpoolerPorts(EngineContext& ctx);

}  // namespace setup
