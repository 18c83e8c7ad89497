// The print spooler's records that the programs fill and hand over, with Windows' layout.
//
// Field names and order are those of winspool's ANSI structures; the Windows build checks each
// layout against the real headers. The text pointers point into buffers their filler owns.
#pragma once
#include <cstdint>

namespace plat {

// DRIVER_INFO_3A: a printer driver for AddPrinterDriverA level 3.
struct DRIVER_INFO_3A {
    std::uint32_t cVersion;
    char* pName;
    char* pEnvironment;
    char* pDriverPath;
    char* pDataFile;
    char* pConfigFile;
    char* pHelpFile;
    char* pDependentFiles;  // zero-terminated names, ended by an extra zero
    char* pMonitorName;
    char* pDefaultDataType;
};

// PRINTER_INFO_2A: a printer for AddPrinterA / GetPrinterA level 2.
struct PRINTER_INFO_2A {
    char* pServerName;
    char* pPrinterName;
    char* pShareName;
    char* pPortName;
    char* pDriverName;
    char* pComment;
    char* pLocation;
    void* pDevMode;  // DEVMODEA*
    char* pSepFile;
    char* pPrintProcessor;
    char* pDatatype;
    char* pParameters;
    void* pSecurityDescriptor;  // PSECURITY_DESCRIPTOR
    std::uint32_t Attributes;
    std::uint32_t Priority;
    std::uint32_t DefaultPriority;
    std::uint32_t StartTime;
    std::uint32_t UntilTime;
    std::uint32_t Status;
    std::uint32_t cJobs;
    std::uint32_t AveragePPM;
};

// MONITOR_INFO_2A: a port or language monitor for AddMonitorA level 2.
struct MONITOR_INFO_2A {
    char* pName;
    char* pEnvironment;
    char* pDLLName;
};

// PORT_INFO_1A: one port as EnumPortsA level 1 lists it.
struct PORT_INFO_1A {
    char* pName;
};

// PRINTER_INFO_5A: one printer as EnumPrintersA level 5 lists it.
struct PRINTER_INFO_5A {
    char* pPrinterName;
    char* pPortName;
    std::uint32_t Attributes;
    std::uint32_t DeviceNotSelectedTimeout;
    std::uint32_t TransmissionRetryTimeout;
};

// MONITOR_INFO_1A: one monitor as EnumMonitorsA level 1 lists it.
struct MONITOR_INFO_1A {
    char* pName;
};

// PRINTPROCESSOR_INFO_1A: one print processor as EnumPrintProcessorsA level 1 lists it.
struct PRINTPROCESSOR_INFO_1A {
    char* pName;
};

// PRINTER_DEFAULTSA: what OpenPrinterA asks for: data type, device mode and access
// (PRINTER_ACCESS_USE, SERVER_ACCESS_ADMINISTER, ...).
struct PRINTER_DEFAULTSA {
    char* pDatatype;
    void* pDevMode;  // DEVMODEA*
    std::uint32_t DesiredAccess;
};

// PORT_DATA_1: a Standard TCP/IP port as XcvDataW "AddPort" takes it, 964 bytes. The texts
// are wide and zero-terminated within their arrays.
struct PORT_DATA_1 {
    char16_t sztPortName[64];
    std::uint32_t dwVersion;   // 1
    std::uint32_t dwProtocol;  // PROTOCOL_RAWTCP_TYPE or PROTOCOL_LPR_TYPE
    std::uint32_t cbSize;      // sizeof(PORT_DATA_1)
    std::uint32_t dwReserved;
    char16_t sztHostAddress[49];
    char16_t sztSNMPCommunity[33];
    std::uint32_t dwDoubleSpool;
    char16_t sztQueue[33];
    char16_t sztIPAddress[16];
    std::uint8_t Reserved[540];
    std::uint32_t dwPortNumber;
    std::uint32_t dwSNMPEnabled;
    std::uint32_t dwSNMPDevIndex;
};
static_assert(sizeof(PORT_DATA_1) == 964, "PORT_DATA_1 is 964 bytes on every Windows");

}  // namespace plat
