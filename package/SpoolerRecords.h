// The spooler's ANSI records built from the package's value records. Each record points into
// the value record it was built from, which the caller keeps alive for as long as the spooler
// record is used; building from a temporary does not compile.
#pragma once
#include "package/PackageRecords.h"
#include "platform/spooler_records.h"

namespace pkg {

plat::DRIVER_INFO_3A AsDriverInfo3(const DriverRecord& record);
plat::DRIVER_INFO_3A AsDriverInfo3(const DriverRecord&& record) = delete;

plat::PRINTER_INFO_2A AsPrinterInfo2(const PrinterRecord& record);
plat::PRINTER_INFO_2A AsPrinterInfo2(const PrinterRecord&& record) = delete;

plat::MONITOR_INFO_2A AsMonitorInfo2(const PortMonitorRecord& record);
plat::MONITOR_INFO_2A AsMonitorInfo2(const PortMonitorRecord&& record) = delete;
plat::MONITOR_INFO_2A AsMonitorInfo2(const LanguageMonitorRecord& record);
plat::MONITOR_INFO_2A AsMonitorInfo2(const LanguageMonitorRecord&& record) = delete;

}  // namespace pkg
