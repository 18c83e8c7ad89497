// The package configuration: "DRVCONFIG\setup.ini" and the series files, read into the
// records the installation hands to the spooler.
#pragma once
#include <cstdint>
#include <string>
#include <cstddef>

#include "platform/platform.h"
#include "platform/spooler_records.h"
#include "package/PackageTypes.h"

namespace pkg {

// Series of a model: the suffix of its DEVICENAME entry selects its series file.
enum Series { kReceipt = 0, kTicket = 1, kLabel = 2, kEmbedded = 3, kSeriesCount = 4 };

// "DRVCONFIG\setup_receipt.ini" ... (or the "_64" files for 64-bit Windows), relative to the
// package root; empty for an index outside 0..3.
std::string SeriesFileName(int series, bool is64Bit);

// One DEVICENAME entry: the model name with its series suffix cut off, and the series index,
// -1 when the entry carries no suffix (it is then not a model).
struct ModelEntry {
    std::string name;
    int series = -1;
};

// Splits an entry value into model name and series (the suffixes are searched in series order).
ModelEntry ParseModelEntry(const std::string& value);

// Text buffer sizes of the configuration's keys (each counts the terminating zero).
inline constexpr std::uint32_t kShortText = 50;   // names: driver, monitor, processor
inline constexpr std::uint32_t kLongText = 200;   // file names, model entries, section names

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

struct DriverFileSet {
    char names[kDriverFileSlotCount][kLongText] = {};
    const char* operator[](DriverFileSlot slot) const { return names[slot]; }
};

// A port monitor: what AddMonitorA takes, plus the UI DLL and the version the engine records.
struct PortMonitorRecord {
    plat::MONITOR_INFO_2A info{};
    const char* uiDllName = nullptr;
    std::uint32_t version = 0;
};

struct PortMonitorRecords {
    PortMonitorRecord usb;
    PortMonitorRecord serial;
};

// The USB language monitor. When it is absent its name and DLL are empty and its version 0.
struct LanguageMonitorRecord {
    plat::MONITOR_INFO_2A info{};
    std::uint32_t version = 0;
    bool present = false;
};

// The dependent-file list of a driver record is a 200-byte buffer.
inline constexpr std::size_t kDependentFilesCapacity = 200;

class PackageConfig {
public:
    // Computes the module-relative paths of setup.ini and of the four series files for the
    // word size of the running Windows. No series is selected yet.
    PackageConfig(plat::Platform& platform, bool is64Bit);
    // The records point into this object's buffers.
    PackageConfig(const PackageConfig&) = delete;
    PackageConfig& operator=(const PackageConfig&) = delete;

    bool is64Bit() const { return is64Bit_; }
    // The directory of the running program with its trailing backslash (the package root).
    const std::string& packageRoot() const { return packageRoot_; }
    const std::string& setupIniPath() const { return setupIni_; }
    // Module-relative path of a series file for this word size; empty outside 0..3.
    std::string SeriesFilePath(int series) const;

    // Sets the series file of the model/OS and ".PORT" reads; an index outside 0..3 selects no
    // file, and every series read then yields the defaults.
    void SelectSeries(int series);
    int selectedSeries() const { return series_; }

    int ModelCount();                 // DEVICENUMBER
    ModelEntry GetModelEntry(int i);  // DEVICENAME<i>, 1-based
    int DefaultModelIndex();          // DEFAULTNAME as written
    // The entry DEFAULTNAME names; an index outside 1..ModelCount() names no model (series -1).
    ModelEntry DefaultModel();

    // A key of the model's ".PORT" section in the selected series file, as a number.
    int PortSetting(const std::string& model, const char* key);

    // Fills the driver record for AddPrinterDriverA. Returns ERROR_SUCCESS, or
    // ERROR_INSUFFICIENT_BUFFER when the dependent-file list does not fit its 200 bytes: the
    // record must then not be registered (its list is left empty rather than cut, since a cut
    // list would install a driver without some of its files). `record` is set either way and
    // stays valid until the next driver-record read.
    std::uint32_t ReadDriverRecord(const std::string& model, int os, PortKind kind,
                                   Flavour flavour, plat::DRIVER_INFO_3A*& record);
    // The dependent-file list as the driver record would hold it, however long: zero-terminated
    // names and the final extra zero (empty when the list is not built). Its size is the number
    // of bytes the record needs.
    std::string DependentFileList(const std::string& model, int os, Flavour flavour);

    // Fills the printer record for AddPrinterA: the model name as printer name (the engine
    // appends the port suffix and sets the port), driver name, print processor, attributes.
    // Valid until the next printer-record read.
    plat::PRINTER_INFO_2A& PrinterRecord(const std::string& model, int os, PortKind kind,
                                         Flavour flavour);

    DriverFileSet DriverFiles(const std::string& model, int os, Flavour flavour);

    // True when the flavour's 2KDDKDEV value starts with '1'.
    bool MinidriverFlag(const std::string& model, int os, Flavour flavour);

    // The USB and serial port monitors of an OS index; valid until the next such read.
    const PortMonitorRecords& PortMonitors(int os);
    // The language monitor for a port kind (absent for every kind but USB); valid until the
    // next such read.
    const LanguageMonitorRecord& LanguageMonitor(int os, PortKind kind);

    std::uint32_t ProcessorVersion();  // ProcessorVersion/DriverVersion

    // The driver-name key for an OS index and port kind; empty for an unknown kind.
    static const char* DriverNameKey(int os, PortKind kind);
    // "model.XP": the model/OS section; empty for an OS index outside 0..7.
    static std::string ModelOsSection(const std::string& model, int os);

private:
    void ReadSetupIni(const char* section, const char* key, char* out, std::uint32_t size);
    void ReadSeries(const std::string& section, const char* key, char* out, std::uint32_t size);
    std::int32_t SeriesNumber(const std::string& section, const char* key, std::uint32_t size);
    // Reads the language monitor of an OS section into the given buffers.
    bool ReadLanguageMonitor(int os, char* name, char* dll, std::uint32_t& version);

    plat::Platform& platform_;
    bool is64Bit_;
    std::string packageRoot_;
    std::string setupIni_;
    std::string seriesFile_;
    int series_ = -1;

    // Driver record buffers.
    char driverName_[kShortText] = {};
    char driverEnvironment_[12] = {};
    char driverPath_[kLongText] = {};
    char dataFile_[kLongText] = {};
    char configFile_[kLongText] = {};
    char helpFile_[kLongText] = {};
    char dependentFiles_[kDependentFilesCapacity] = {};
    char driverMonitorName_[kShortText] = {};
    plat::DRIVER_INFO_3A driver_{};

    // Printer record buffers.
    char printerName_[kLongText] = {};
    char printerDriverName_[kShortText] = {};
    char printProcessor_[kShortText] = {};
    plat::PRINTER_INFO_2A printer_{};

    // Port monitor buffers.
    char monitorEnvironment_[12] = {};
    char usbMonitorName_[kShortText] = {};
    char usbMonitorDll_[kLongText] = {};
    char usbMonitorUiDll_[kShortText] = {};
    char serialMonitorName_[kShortText] = {};
    char serialMonitorDll_[kLongText] = {};
    char serialMonitorUiDll_[kShortText] = {};
    PortMonitorRecords monitors_;

    // Language monitor buffers.
    char languageEnvironment_[12] = {};
    char languageMonitorName_[kShortText] = {};
    char languageMonitorDll_[kLongText] = {};
    LanguageMonitorRecord languageMonitor_;
};

}  // namespace pkg
