// Checks that the portable spooler records have exactly the layout of winspool's own, so that
// the Windows build can hand them to the spooler as they are.
#include <windows.h>
#include <winspool.h>

#include <cstddef>

#include "platform/spooler_records.h"

namespace win32 {

#define PKG_SAME_FIELD(ours, theirs, field)                                            \
    static_assert(offsetof(plat::ours, field) == offsetof(::theirs, field) &&          \
                      sizeof(plat::ours::field) == sizeof(::theirs::field),             \
                  #ours "::" #field " differs from winspool's")

static_assert(sizeof(plat::DRIVER_INFO_3A) == sizeof(::DRIVER_INFO_3A));
PKG_SAME_FIELD(DRIVER_INFO_3A, DRIVER_INFO_3A, cVersion);
PKG_SAME_FIELD(DRIVER_INFO_3A, DRIVER_INFO_3A, pName);
PKG_SAME_FIELD(DRIVER_INFO_3A, DRIVER_INFO_3A, pEnvironment);
PKG_SAME_FIELD(DRIVER_INFO_3A, DRIVER_INFO_3A, pDriverPath);
PKG_SAME_FIELD(DRIVER_INFO_3A, DRIVER_INFO_3A, pDataFile);
PKG_SAME_FIELD(DRIVER_INFO_3A, DRIVER_INFO_3A, pConfigFile);
PKG_SAME_FIELD(DRIVER_INFO_3A, DRIVER_INFO_3A, pHelpFile);
PKG_SAME_FIELD(DRIVER_INFO_3A, DRIVER_INFO_3A, pDependentFiles);
PKG_SAME_FIELD(DRIVER_INFO_3A, DRIVER_INFO_3A, pMonitorName);
PKG_SAME_FIELD(DRIVER_INFO_3A, DRIVER_INFO_3A, pDefaultDataType);

static_assert(sizeof(plat::PRINTER_INFO_2A) == sizeof(::PRINTER_INFO_2A));
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, pServerName);
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, pPrinterName);
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, pShareName);
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, pPortName);
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, pDriverName);
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, pComment);
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, pLocation);
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, pDevMode);
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, pSepFile);
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, pPrintProcessor);
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, pDatatype);
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, pParameters);
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, pSecurityDescriptor);
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, Attributes);
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, Priority);
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, DefaultPriority);
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, StartTime);
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, UntilTime);
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, Status);
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, cJobs);
PKG_SAME_FIELD(PRINTER_INFO_2A, PRINTER_INFO_2A, AveragePPM);

static_assert(sizeof(plat::MONITOR_INFO_2A) == sizeof(::MONITOR_INFO_2A));
PKG_SAME_FIELD(MONITOR_INFO_2A, MONITOR_INFO_2A, pName);
PKG_SAME_FIELD(MONITOR_INFO_2A, MONITOR_INFO_2A, pEnvironment);
PKG_SAME_FIELD(MONITOR_INFO_2A, MONITOR_INFO_2A, pDLLName);

static_assert(sizeof(plat::PORT_INFO_1A) == sizeof(::PORT_INFO_1A));
PKG_SAME_FIELD(PORT_INFO_1A, PORT_INFO_1A, pName);

#undef PKG_SAME_FIELD

}  // namespace win32
