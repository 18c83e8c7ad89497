// The package configuration: "DRVCONFIG\setup.ini" and the series files, read into value
// records (package/PackageRecords.h) from which the installation builds the spooler's records.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "package/PackageRecords.h"
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

// The highest entry number read, whatever DEVICENUMBER says: far above any real package, low
// enough that a mistyped count cannot stall the wizard's start.
inline constexpr int kMaxModelEntries = 1000;

class PackageConfig {
public:
    // Computes the module-relative paths of setup.ini and of the four series files for the
    // word size of the running Windows. No series is selected yet.
    PackageConfig(plat::Platform& platform, bool is64Bit);

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

    int ModelCount();                 // DEVICENUMBER as written
    ModelEntry GetModelEntry(int i);  // DEVICENAME<i>, 1-based
    // The last entry number the model list reaches: DEVICENUMBER, at most kMaxModelEntries.
    int LastModelNumber();
    // The numbers n >= 1 of the DEVICENAME<n> keys setup.ini holds, ascending, each once.
    std::vector<int> ModelKeyNumbers();
    // The entries of the model list: the numbers of ModelKeyNumbers() from 1 to
    // LastModelNumber(). A number without a key would read as "0", which is no model, so the
    // walk costs what the file holds rather than what DEVICENUMBER claims.
    std::vector<int> ListedModelNumbers();
    int DefaultModelIndex();          // DEFAULTNAME as written
    // The entry DEFAULTNAME names; an index outside 1..LastModelNumber() names no model
    // (series -1).
    ModelEntry DefaultModel();

    // A key of the model's ".PORT" section in the selected series file, as a number.
    int PortSetting(const std::string& model, const char* key);

    // Reads the driver record for AddPrinterDriverA. Returns ERROR_SUCCESS, or
    // ERROR_INSUFFICIENT_BUFFER when the dependent-file list does not fit its 200 bytes: the
    // record must then not be registered (its list is left empty rather than cut, since a cut
    // list would install a driver without some of its files). `record` is set either way.
    std::uint32_t ReadDriverRecord(const std::string& model, int os, PortKind kind,
                                   Flavour flavour, DriverRecord& record);
    // The dependent-file list as the driver record would hold it, however long: zero-terminated
    // names and the final extra zero (empty when the list is not built). Its size is the number
    // of bytes the record needs.
    std::string DependentFileList(const std::string& model, int os, Flavour flavour);

    // The printer record for AddPrinterA, without its port.
    PrinterRecord ReadPrinterRecord(const std::string& model, int os, PortKind kind,
                                    Flavour flavour);

    DriverFileSet DriverFiles(const std::string& model, int os, Flavour flavour);

    // True when the flavour's 2KDDKDEV value starts with '1'.
    bool MinidriverFlag(const std::string& model, int os, Flavour flavour);

    // The USB and serial port monitors of an OS index.
    PortMonitorRecords ReadPortMonitors(int os);
    // The language monitor for a port kind (absent for every kind but USB).
    LanguageMonitorRecord ReadLanguageMonitor(int os, PortKind kind);

    std::uint32_t ProcessorVersion();  // ProcessorVersion/DriverVersion

    // The driver-name key for an OS index and port kind; empty for an unknown kind.
    static const char* DriverNameKey(int os, PortKind kind);
    // "model.XP": the model/OS section; empty for an OS index outside 0..7.
    static std::string ModelOsSection(const std::string& model, int os);

private:
    // A key of setup.ini or of the selected series file, cut to `size` bytes with the
    // terminator, "0" when missing.
    std::string ReadSetupIni(const std::string& section, const std::string& key,
                             std::uint32_t size);
    std::string ReadSeries(const std::string& section, const std::string& key, std::uint32_t size);
    std::int32_t SeriesNumber(const std::string& section, const char* key, std::uint32_t size);
    // The language monitor's keys of an OS row; absent when all three are one character long.
    LanguageMonitorRecord ReadLanguageMonitorKeys(int os);

    plat::Platform& platform_;
    bool is64Bit_;
    std::string packageRoot_;
    std::string setupIni_;
    std::string seriesFile_;
    int series_ = -1;
};

}  // namespace pkg
