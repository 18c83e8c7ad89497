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
static_assert(sizeof(plat::PRINTER_INFO_5A) == sizeof(::PRINTER_INFO_5A));
static_assert(offsetof(plat::PRINTER_INFO_5A, Attributes) == offsetof(::PRINTER_INFO_5A, Attributes));
static_assert(offsetof(plat::PRINTER_INFO_5A, TransmissionRetryTimeout) ==
              offsetof(::PRINTER_INFO_5A, TransmissionRetryTimeout));
static_assert(sizeof(plat::MONITOR_INFO_1A) == sizeof(::MONITOR_INFO_1A));
static_assert(sizeof(plat::PRINTPROCESSOR_INFO_1A) == sizeof(::PRINTPROCESSOR_INFO_1A));
PKG_SAME_FIELD(PORT_INFO_1A, PORT_INFO_1A, pName);

static_assert(sizeof(plat::PRINTER_DEFAULTSA) == sizeof(::PRINTER_DEFAULTSA));
PKG_SAME_FIELD(PRINTER_DEFAULTSA, PRINTER_DEFAULTSA, pDatatype);
PKG_SAME_FIELD(PRINTER_DEFAULTSA, PRINTER_DEFAULTSA, pDevMode);
PKG_SAME_FIELD(PRINTER_DEFAULTSA, PRINTER_DEFAULTSA, DesiredAccess);

#undef PKG_SAME_FIELD

// PORT_DATA_1 comes from the DDK's tcpxcv.h, which mingw-w64 does not ship: its offsets as
// that header lays the record out (WCHAR arrays of 64, 49, 33, 33 and 16, BYTE[540]).
static_assert(sizeof(plat::PORT_DATA_1) == 964);
static_assert(sizeof(plat::PORT_DATA_1::sztPortName) == 64 * sizeof(WCHAR));
static_assert(offsetof(plat::PORT_DATA_1, dwVersion) == 128);
static_assert(offsetof(plat::PORT_DATA_1, cbSize) == 136);
static_assert(offsetof(plat::PORT_DATA_1, sztHostAddress) == 144);
static_assert(offsetof(plat::PORT_DATA_1, sztSNMPCommunity) == 242);
static_assert(offsetof(plat::PORT_DATA_1, dwDoubleSpool) == 308);
static_assert(offsetof(plat::PORT_DATA_1, sztQueue) == 312);
static_assert(offsetof(plat::PORT_DATA_1, sztIPAddress) == 378);
static_assert(offsetof(plat::PORT_DATA_1, Reserved) == 410);
static_assert(offsetof(plat::PORT_DATA_1, dwPortNumber) == 952);
static_assert(offsetof(plat::PORT_DATA_1, dwSNMPEnabled) == 956);
static_assert(offsetof(plat::PORT_DATA_1, dwSNMPDevIndex) == 960);

}  // namespace win32
