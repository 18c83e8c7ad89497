// The records the package configuration gives for one model: values that own their texts, cut
// to the configuration's buffer sizes when read, so any number of them can be held at once.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "package/PackageTypes.h"

namespace pkg {

// Text buffer sizes of the configuration's keys (each counts the terminating zero).
inline constexpr std::uint32_t kShortText = 50;   // names: driver, monitor, processor
inline constexpr std::uint32_t kLongText = 200;   // file names, model entries, section names

// The dependent-file list of a driver record is a 200-byte buffer.
inline constexpr std::size_t kDependentFilesCapacity = 200;

// The driver of one model on one Windows version, for AddPrinterDriverA (level 3).
struct DriverRecord {
    std::uint32_t version = 0;    // cVersion
    std::string name;             // at most 49 characters
    std::string environment;      // "Windows 4.0" on the 9x row; empty: none (the system's own)
    std::string driverPath;       // each file name at most 199 characters
    std::string dataFile;
    std::string configFile;
    std::string helpFile;
    // Zero-terminated names followed by the extra zero that ends the list, at most 200 bytes;
    // empty when no list is built or when the list was refused for being too long.
    std::string dependentFiles;
    std::string monitorName;      // the language monitor of a USB printer; empty otherwise
};

// A printer for AddPrinterA (level 2): the model name as printer name (the engine appends the
// port suffix), driver name, print processor and attributes. The engine sets the port.
struct PrinterRecord {
    std::string printerName;      // at most 199 characters
    std::string driverName;       // at most 49
    std::string printProcessor;   // at most 49
    std::string portName;         // empty until the engine sets it
    std::uint32_t attributes = 0;
};

// A port monitor: what AddMonitorA takes, plus the UI DLL and the version the engine records.
struct PortMonitorRecord {
    std::string name;             // at most 49 characters
    std::string environment;      // "Windows 4.0" on the 9x row; empty: none
    std::string dllName;          // at most 199
    std::string uiDllName;        // at most 49
    std::uint32_t version = 0;
};

struct PortMonitorRecords {
    PortMonitorRecord usb;
    PortMonitorRecord serial;
};

// The USB language monitor. When it is absent its name and DLL are empty and its version 0.
struct LanguageMonitorRecord {
    std::string name;
    std::string environment;
    std::string dllName;
    std::uint32_t version = 0;
    bool present = false;
};

// The eleven files of one model on one Windows version in one flavour, in the order the
// installation stages them.
enum DriverFileSlot {
    kDriverPathFile,     // pDriverPath
    kDataFile,           // pDataFile
    kConfigFile,         // pConfigFile
    kHelpFile,           // pHelpFile
    kProcessorFile,      // the model's print processor
    kExtraDataFile,      // DataFileDLLName
    kRenderPluginFile,   // DataOemuniDLL
    kPluginIniFile,      // DataOemuniini
    kUiPluginFile,       // DataOemuiDLL
    kControlFontFile,    // ControlFontFile (same key in both flavours)
    kUsbInternalIdFile,  // USBInternalID (same key in both flavours)
    kDriverFileSlotCount
};

// The series-file key that names a slot's file in a flavour ("GDIDataFile", "ControlFontFile").
std::string DriverFileKey(DriverFileSlot slot, Flavour flavour);

// The eleven file names, each at most 199 characters.
struct DriverFileSet {
    std::array<std::string, kDriverFileSlotCount> names;
    const std::string& operator[](DriverFileSlot slot) const { return names[slot]; }
};

// A value of the configuration names a file unless it is empty or starts with '0'.
bool NamesFile(const std::string& value);

}  // namespace pkg
