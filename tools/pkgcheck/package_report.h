// What setup will offer and install from a package, read through PackageConfig for both word
// sizes, and the problems a package author would want to know about.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "package/PackageConfig.h"

namespace pkgcheck {

struct Problem {
    std::string kind;  // "model-without-series", "missing-file", ... (see docs/pkgcheck.md)
    std::string message;
};

struct ModelListing {
    int index = 0;  // DEVICENAME<index>
    std::string entry;
    std::string name;
    int series = -1;
};

struct MonitorView {
    bool present = true;
    std::string name, dll, uiDll;
    std::optional<std::string> environment;
    std::uint32_t version = 0;
};

struct OsMonitors {
    int os = 0;
    MonitorView usb, serial, language;
};

struct DriverView {
    std::uint32_t error = 0;  // ERROR_SUCCESS, or ERROR_INSUFFICIENT_BUFFER when refused
    std::uint32_t cVersion = 0;
    std::string name;
    std::optional<std::string> environment;
    std::string driverPath, dataFile, configFile, helpFile, monitorName;
};

struct PrinterView {
    std::string printerName, driverName, printProcessor;
    std::uint32_t attributes = 0;
};

struct KindView {
    int kind = 0;
    DriverView driver;
    PrinterView printer;
};

struct FlavourView {
    pkg::Flavour flavour = pkg::Flavour::Raster;
    bool minidriver = false;
    // The minidriver switch is on while the data-file DLL (DataFileDLLName) is empty or starts
    // with '0': installing this flavour fails with Message/IDS_ERR_LOSTDRIVERFILE.
    bool minidriverWithoutDataDll = false;
    std::array<std::string, pkg::kDriverFileSlotCount> files;
    std::vector<std::string> dependentFiles;
    std::size_t dependentBytes = 0;  // bytes the list needs, terminators included
    std::array<KindView, pkg::kPortKindCount> kinds;
};

struct OsView {
    int os = 0;
    bool sectionPresent = false;
    bool supported = false;  // the model's system gate lets setup install on this row
    std::array<FlavourView, 2> flavours;
};

struct ModelView {
    std::string name;
    int series = -1;
    std::string seriesFile;  // relative to the package root
    bool seriesFilePresent = false;
    bool portSectionPresent = false;
    std::vector<std::pair<std::string, int>> portSettings;
    std::vector<OsView> systems;
};

struct WordSizeView {
    int bits = 32;
    std::string driverDirectory;  // "W32" or "W64"
    std::vector<ModelView> models;
};

struct Report {
    std::string package;  // the host directory checked
    int modelCount = 0;
    std::vector<ModelListing> entries;
    int defaultIndex = 0;
    ModelListing defaultModel;
    std::uint32_t processorVersion = 0;
    std::vector<OsMonitors> monitors;
    std::vector<WordSizeView> wordSizes;
    std::vector<Problem> problems;
};

// Reads the package that lies at "C:\Pkg" of the platform's machine (the program running as
// "C:\Pkg\setup.exe" with that directory current).
Report BuildReport(plat::Platform& platform, const std::string& hostPackage);

const char* SeriesName(int series);        // "Receipt", ...
const char* PortKindName(int kind);        // "serial", "parallel", "USB", "network"
const char* FlavourName(pkg::Flavour f);  // "raster", "standard"

}  // namespace pkgcheck
