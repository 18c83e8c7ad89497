// The package configuration reader: model list, driver, printer and monitor records, driver
// files, all read through the profile functions with the package's conventions.
#include "package/PackageConfig.h"

#include <cstring>

#include "common/text.h"
#include "platform/win_constants.h"
#include "package/ProfileReaders.h"

namespace pkg {

namespace {

constexpr const char* kSeriesSuffixes[kSeriesCount] = {"-ReceiptPrinter", "-TicketPrinter",
                                                       "-LabelPrinter", "-EmbeddedPrinter"};
constexpr const char* kSeriesFileStems[kSeriesCount] = {"setup_receipt", "setup_ticket",
                                                        "setup_lable", "setup_embedded"};

// Key names without their flavour prefix, by slot; the last two slots have no prefix.
constexpr const char* kDriverFileKeys[kDriverFileSlotCount] = {
    "DriverPath",      "DataFile",      "ConfigFile",    "HelpFile",
    "ProcessorDLLName", "DataFileDLLName", "DataOemuniDLL", "DataOemuniini",
    "DataOemuiDLL",    "ControlFontFile", "USBInternalID"};

// Capacities of the numeric keys' text buffers.
constexpr std::uint32_t kCountText = 32;      // DEVICENUMBER
constexpr std::uint32_t kDefaultText = 260;   // DEFAULTNAME
constexpr std::uint32_t kVersionText = 10;    // monitor versions
constexpr std::uint32_t kProcessorText = 12;  // ProcessorVersion/DriverVersion
constexpr std::uint32_t kSwitchText = 5;      // 2KDDKDEV as a switch
constexpr std::uint32_t kDependentText = 10;  // GDI2KDDKDEV as a number

// Monitor versions are recorded as REG_DWORD; a negative text wraps as the DWORD would.
std::uint32_t AsDword(std::int32_t value) { return static_cast<std::uint32_t>(value); }

// A name of the dependent-file list is left out when it is empty or starts with '0'.
bool IsSetName(const char* name) { return name[0] != '\0' && name[0] != '0'; }

void AppendName(std::string& list, const char* name) {
    list.append(name);
    list.push_back('\0');
}

}  // namespace

std::string SeriesFileName(int series, bool is64Bit) {
    if (series < 0 || series >= kSeriesCount) return {};
    return std::string("DRVCONFIG\\") + kSeriesFileStems[series] + (is64Bit ? "_64.ini" : ".ini");
}

ModelEntry ParseModelEntry(const std::string& value) {
    for (int series = 0; series < kSeriesCount; ++series) {
        size_t at = value.find(kSeriesSuffixes[series]);
        if (at != std::string::npos) return {value.substr(0, at), series};
    }
    return {};
}

std::string DriverFileKey(DriverFileSlot slot, Flavour flavour) {
    if (slot < 0 || slot >= kDriverFileSlotCount) return {};
    if (slot == kControlFontFile || slot == kUsbInternalIdFile) return kDriverFileKeys[slot];
    return std::string(FlavourPrefix(flavour)) + kDriverFileKeys[slot];
}

PackageConfig::PackageConfig(plat::Platform& platform, bool is64Bit)
    : platform_(platform), is64Bit_(is64Bit) {
    // The package root is the program's own directory: its path read into 200 characters and
    // cut after the last backslash, which is kept.
    char module[kLongText] = {};
    platform_.files().GetModuleFileNameA(module, sizeof module);
    std::string path = common::FromBuffer(module, sizeof module);
    size_t slash = path.find_last_of('\\');
    packageRoot_ = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    setupIni_ = packageRoot_ + "DRVCONFIG\\setup.ini";
}

std::string PackageConfig::SeriesFilePath(int series) const {
    std::string name = SeriesFileName(series, is64Bit_);
    return name.empty() ? name : packageRoot_ + name;
}

void PackageConfig::SelectSeries(int series) {
    series_ = series >= 0 && series < kSeriesCount ? series : -1;
    seriesFile_ = SeriesFilePath(series_);
}

void PackageConfig::ReadSetupIni(const char* section, const char* key, char* out,
                                 std::uint32_t size) {
    ReadConfigText(platform_.profile(), setupIni_.c_str(), section, key, out, size);
}

void PackageConfig::ReadSeries(const std::string& section, const char* key, char* out,
                               std::uint32_t size) {
    // An unknown OS index or port kind names no section or key: the default, as for a
    // missing one.
    if (section.empty() || key == nullptr || key[0] == '\0') {
        common::CopyCut(out, size, "0");
        return;
    }
    ReadConfigText(platform_.profile(), seriesFile_.c_str(), section.c_str(), key, out, size);
}

std::int32_t PackageConfig::SeriesNumber(const std::string& section, const char* key,
                                         std::uint32_t size) {
    char text[kLongText];
    ReadSeries(section, key, text, size < sizeof text ? size : sizeof text);
    return ParseLeadingNumber(text);
}

int PackageConfig::ModelCount() {
    return ReadConfigNumber(platform_.profile(), setupIni_.c_str(), "DEVICENAME", "DEVICENUMBER",
                            kCountText);
}

ModelEntry PackageConfig::GetModelEntry(int i) {
    std::string key = "DEVICENAME" + std::to_string(i);
    char value[kLongText];
    ReadSetupIni("DEVICENAME", key.c_str(), value, sizeof value);
    return ParseModelEntry(value);
}

int PackageConfig::DefaultModelIndex() {
    return ReadConfigNumber(platform_.profile(), setupIni_.c_str(), "DEVICENAME", "DEFAULTNAME",
                            kDefaultText);
}

ModelEntry PackageConfig::DefaultModel() {
    int index = DefaultModelIndex();
    if (index < 1 || index > ModelCount()) return {};
    return GetModelEntry(index);
}

int PackageConfig::PortSetting(const std::string& model, const char* key) {
    char section[kLongText];
    common::CopyCut(section, sizeof section, model + ".PORT");
    return SeriesNumber(section, key, kLongText);
}

const char* PackageConfig::DriverNameKey(int os, PortKind kind) {
    if (os == 0 || os == 1) return "GDIDriverName";
    switch (kind) {
        case kSerialPort: return "DriverNameS";
        case kParallelPort: return "DriverNameP";
        case kUsbPort: return "DriverNameU";
        case kNetworkPort: return "DriverNameN";
    }
    return "";
}

std::string PackageConfig::ModelOsSection(const std::string& model, int os) {
    if (os < 0 || os >= kOsCount) return {};
    // Section names are formed in 200-character buffers, so a very long model name is cut.
    char section[kLongText];
    common::CopyCut(section, sizeof section, model + OsSuffix(os));
    return section;
}

std::string PackageConfig::DependentFileList(const std::string& model, int os, Flavour flavour) {
    if (os < 2 || os >= kOsCount) return {};
    std::string section = ModelOsSection(model, os);
    // The list belongs to minidrivers of the universal driver, whatever flavour is installed.
    if (SeriesNumber(section, "GDI2KDDKDEV", kDependentText) == 0) return {};

    std::string list;
    char name[kLongText];
    ReadSeries(section, DriverFileKey(kDataFile, flavour).c_str(), name, sizeof name);
    // An empty name would end the list early and hide every name after it.
    if (name[0] != '\0') AppendName(list, name);
    for (const char* universal : {"TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD"})
        AppendName(list, universal);
    for (DriverFileSlot slot : {kExtraDataFile, kUiPluginFile, kRenderPluginFile, kPluginIniFile}) {
        ReadSeries(section, DriverFileKey(slot, flavour).c_str(), name, sizeof name);
        if (IsSetName(name)) AppendName(list, name);
    }
    list.push_back('\0');
    return list;
}

std::uint32_t PackageConfig::ReadDriverRecord(const std::string& model, int os, PortKind kind,
                                              Flavour flavour, plat::DRIVER_INFO_3A*& record) {
    std::string section = ModelOsSection(model, os);
    driver_ = {};
    driver_.cVersion = DriverRecordVersion(os);

    ReadSeries(section, DriverNameKey(os, kind), driverName_, sizeof driverName_);
    driver_.pName = driverName_;
    if (UsesWindows40Environment(os)) {
        common::CopyCut(driverEnvironment_, sizeof driverEnvironment_, kWindows40Environment);
        driver_.pEnvironment = driverEnvironment_;
    }

    struct {
        DriverFileSlot slot;
        char* buffer;
        char** field;
    } const files[] = {{kDriverPathFile, driverPath_, &driver_.pDriverPath},
                       {kDataFile, dataFile_, &driver_.pDataFile},
                       {kConfigFile, configFile_, &driver_.pConfigFile},
                       {kHelpFile, helpFile_, &driver_.pHelpFile}};
    for (const auto& f : files) {
        ReadSeries(section, DriverFileKey(f.slot, flavour).c_str(), f.buffer, kLongText);
        *f.field = f.buffer;
    }

    std::uint32_t result = ERROR_SUCCESS;
    std::memset(dependentFiles_, 0, sizeof dependentFiles_);
    std::string list = DependentFileList(model, os, flavour);
    if (list.size() <= sizeof dependentFiles_)
        std::memcpy(dependentFiles_, list.data(), list.size());
    else
        result = ERROR_INSUFFICIENT_BUFFER;
    driver_.pDependentFiles = dependentFiles_;

    // A USB printer talks through the language monitor when the package has one.
    driverMonitorName_[0] = '\0';
    if (kind == kUsbPort) {
        char dll[kLongText];
        std::uint32_t version = 0;
        if (!ReadLanguageMonitor(os, driverMonitorName_, dll, version)) driverMonitorName_[0] = '\0';
    }
    driver_.pMonitorName = driverMonitorName_;

    record = &driver_;
    return result;
}

plat::PRINTER_INFO_2A& PackageConfig::PrinterRecord(const std::string& model, int os,
                                                    PortKind kind, Flavour flavour) {
    std::string section = ModelOsSection(model, os);
    printer_ = {};
    common::CopyCut(printerName_, sizeof printerName_, model);
    printer_.pPrinterName = printerName_;
    ReadSeries(section, DriverNameKey(os, kind), printerDriverName_, sizeof printerDriverName_);
    printer_.pDriverName = printerDriverName_;
    std::string processorKey = std::string(FlavourPrefix(flavour)) + "PrintProcessor";
    ReadSeries(section, processorKey.c_str(), printProcessor_, sizeof printProcessor_);
    printer_.pPrintProcessor = printProcessor_;
    printer_.Attributes = AsDword(SeriesNumber(section, "ATTRIBUTES", kShortText));
    return printer_;
}

DriverFileSet PackageConfig::DriverFiles(const std::string& model, int os, Flavour flavour) {
    std::string section = ModelOsSection(model, os);
    DriverFileSet set;
    for (int slot = 0; slot < kDriverFileSlotCount; ++slot) {
        auto s = static_cast<DriverFileSlot>(slot);
        ReadSeries(section, DriverFileKey(s, flavour).c_str(), set.names[slot], kLongText);
    }
    return set;
}

bool PackageConfig::MinidriverFlag(const std::string& model, int os, Flavour flavour) {
    char value[kSwitchText];
    std::string key = std::string(FlavourPrefix(flavour)) + "2KDDKDEV";
    ReadSeries(ModelOsSection(model, os), key.c_str(), value, sizeof value);
    return value[0] == '1';
}

const PortMonitorRecords& PackageConfig::PortMonitors(int os) {
    monitors_ = {};
    if (UsesWindows40Environment(os))
        common::CopyCut(monitorEnvironment_, sizeof monitorEnvironment_, kWindows40Environment);
    char* environment = UsesWindows40Environment(os) ? monitorEnvironment_ : nullptr;
    std::string section = std::string("COMMON-MONITOR") + OsSuffix(os);
    if (os < 0 || os >= kOsCount) section.clear();

    struct {
        const char* prefix;
        PortMonitorRecord& record;
        char* name;
        char* dll;
        char* uiDll;
    } const monitors[] = {
        {"USBMONitor", monitors_.usb, usbMonitorName_, usbMonitorDll_, usbMonitorUiDll_},
        {"COMMONitor", monitors_.serial, serialMonitorName_, serialMonitorDll_,
         serialMonitorUiDll_}};
    char version[kVersionText];
    for (const auto& m : monitors) {
        std::string prefix = m.prefix;
        auto read = [&](const std::string& key, char* out, std::uint32_t size) {
            if (section.empty())
                common::CopyCut(out, size, "0");
            else
                ReadSetupIni(section.c_str(), key.c_str(), out, size);
        };
        read(prefix + "PName", m.name, kShortText);
        read(prefix + "PDLLName", m.dll, kLongText);
        read(prefix + "PUIDLLName", m.uiDll, kShortText);
        read(prefix + "Version", version, sizeof version);
        m.record.info.pName = m.name;
        m.record.info.pEnvironment = environment;
        m.record.info.pDLLName = m.dll;
        m.record.uiDllName = m.uiDll;
        m.record.version = AsDword(ParseLeadingNumber(version));
    }
    return monitors_;
}

bool PackageConfig::ReadLanguageMonitor(int os, char* name, char* dll, std::uint32_t& version) {
    char versionText[kVersionText] = "0";
    if (os < 0 || os >= kOsCount) {
        common::CopyCut(name, kShortText, "0");
        common::CopyCut(dll, kLongText, "0");
    } else {
        std::string section = std::string("COMMON-MONITOR") + OsSuffix(os);
        ReadSetupIni(section.c_str(), "USBLMONitorName", name, kShortText);
        ReadSetupIni(section.c_str(), "USBLMONitorDLLName", dll, kLongText);
        ReadSetupIni(section.c_str(), "USBLMONitorVersion", versionText, sizeof versionText);
    }
    // Three one-character values are the three absent keys' "0": no language monitor.
    bool absent = std::strlen(name) == 1 && std::strlen(dll) == 1 && std::strlen(versionText) == 1;
    if (absent) {
        name[0] = '\0';
        dll[0] = '\0';
        version = 0;
        return false;
    }
    version = AsDword(ParseLeadingNumber(versionText));
    return true;
}

const LanguageMonitorRecord& PackageConfig::LanguageMonitor(int os, PortKind kind) {
    languageMonitor_ = {};
    languageMonitorName_[0] = '\0';
    languageMonitorDll_[0] = '\0';
    if (kind == kUsbPort)
        languageMonitor_.present = ReadLanguageMonitor(os, languageMonitorName_,
                                                       languageMonitorDll_,
                                                       languageMonitor_.version);
    if (UsesWindows40Environment(os)) {
        common::CopyCut(languageEnvironment_, sizeof languageEnvironment_, kWindows40Environment);
        languageMonitor_.info.pEnvironment = languageEnvironment_;
    }
    languageMonitor_.info.pName = languageMonitorName_;
    languageMonitor_.info.pDLLName = languageMonitorDll_;
    return languageMonitor_;
}

std::uint32_t PackageConfig::ProcessorVersion() {
    return AsDword(ReadConfigNumber(platform_.profile(), setupIni_.c_str(), "ProcessorVersion",
                                    "DriverVersion", kProcessorText));
}

}  // namespace pkg
