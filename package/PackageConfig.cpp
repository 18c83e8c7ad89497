// The package configuration reader: model list, driver, printer and monitor records, driver
// files, all read through the profile functions with the package's conventions.
#include "package/PackageConfig.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "common/text.h"
#include "package/ProfileReaders.h"
#include "platform/win_constants.h"

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

// The key listing of a section is read into a buffer grown up to this size; a listing cut there
// still yields every name before the cut. 16 MiB holds over a million entry names.
constexpr std::uint32_t kFirstListing = 1 << 16;
constexpr std::uint32_t kLargestListing = 1 << 24;

// The n of a key named "DEVICENAME<n>" as the entry reader spells it (decimal, no sign, no
// leading zero, any letter case); 0 for any other name.
int EntryNumber(std::string_view key) {
    constexpr std::string_view kPrefix = "DEVICENAME";
    if (key.size() <= kPrefix.size() || !common::EqualsNoCase(key.substr(0, kPrefix.size()), kPrefix))
        return 0;
    std::string_view digits = key.substr(kPrefix.size());
    if (digits[0] < '1' || digits[0] > '9') return 0;
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return error == std::errc() && end == digits.data() + digits.size() ? number : 0;
}

// Monitor versions are recorded as REG_DWORD; a negative text wraps as the DWORD would.
std::uint32_t AsDword(std::int32_t value) { return static_cast<std::uint32_t>(value); }

void AppendName(std::string& list, const std::string& name) {
    list.append(name);
    list.push_back('\0');
}

std::string EnvironmentOf(int os) {
    return UsesWindows40Environment(os) ? kWindows40Environment : "";
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

bool NamesFile(const std::string& value) { return !value.empty() && value[0] != '0'; }

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

std::string PackageConfig::ReadSetupIni(const std::string& section, const std::string& key,
                                        std::uint32_t size) {
    std::string buffer(size, '\0');
    ReadConfigText(platform_.profile(), setupIni_.c_str(), section.c_str(), key.c_str(),
                   buffer.data(), size);
    return common::FromBuffer(buffer.data(), size);
}

std::string PackageConfig::ReadSeries(const std::string& section, const std::string& key,
                                      std::uint32_t size) {
    // An unknown OS index or port kind names no section or key: the default, as for a
    // missing one.
    if (section.empty() || key.empty()) return size > 1 ? "0" : "";
    std::string buffer(size, '\0');
    ReadConfigText(platform_.profile(), seriesFile_.c_str(), section.c_str(), key.c_str(),
                   buffer.data(), size);
    return common::FromBuffer(buffer.data(), size);
}

std::int32_t PackageConfig::SeriesNumber(const std::string& section, const char* key,
                                         std::uint32_t size) {
    return ParseLeadingNumber(ReadSeries(section, key, size).c_str());
}

int PackageConfig::ModelCount() {
    return ReadConfigNumber(platform_.profile(), setupIni_.c_str(), "DEVICENAME", "DEVICENUMBER",
                            kCountText);
}

ModelEntry PackageConfig::GetModelEntry(int i) {
    return ParseModelEntry(ReadSetupIni("DEVICENAME", "DEVICENAME" + std::to_string(i), kLongText));
}

int PackageConfig::LastModelNumber() { return std::min(ModelCount(), kMaxModelEntries); }

std::vector<int> PackageConfig::ModelKeyNumbers() {
    std::vector<char> listing;
    std::uint32_t length = 0;
    for (std::uint32_t size = kFirstListing;; size *= 4) {
        listing.assign(size, '\0');
        length = platform_.profile().GetPrivateProfileStringA(
            "DEVICENAME", nullptr, "", listing.data(), size, setupIni_.c_str());
        const bool cut = length + 2 >= size;  // a cut list returns size - 2
        if (!cut) break;
        if (size >= kLargestListing) {
            // The last name may be incomplete: it is dropped.
            while (length > 0 && listing[length - 1] != '\0') --length;
            break;
        }
    }
    std::vector<int> numbers;
    for (std::size_t at = 0; at < length && listing[at] != '\0';) {
        std::string_view name(listing.data() + at);
        if (const int number = EntryNumber(name); number > 0) numbers.push_back(number);
        at += name.size() + 1;
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

std::vector<int> PackageConfig::ListedModelNumbers() {
    std::vector<int> numbers = ModelKeyNumbers();
    const int last = LastModelNumber();
    numbers.erase(std::upper_bound(numbers.begin(), numbers.end(), last), numbers.end());
    return numbers;
}

int PackageConfig::DefaultModelIndex() {
    return ReadConfigNumber(platform_.profile(), setupIni_.c_str(), "DEVICENAME", "DEFAULTNAME",
                            kDefaultText);
}

ModelEntry PackageConfig::DefaultModel() {
    int index = DefaultModelIndex();
    if (index < 1 || index > LastModelNumber()) return {};
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
    std::string dataFile = ReadSeries(section, DriverFileKey(kDataFile, flavour), kLongText);
    // An empty name would end the list early and hide every name after it.
    if (!dataFile.empty()) AppendName(list, dataFile);
    for (const char* universal : {"TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD"})
        AppendName(list, universal);
    for (DriverFileSlot slot : {kExtraDataFile, kUiPluginFile, kRenderPluginFile, kPluginIniFile}) {
        std::string name = ReadSeries(section, DriverFileKey(slot, flavour), kLongText);
        if (NamesFile(name)) AppendName(list, name);
    }
    list.push_back('\0');
    return list;
}

std::uint32_t PackageConfig::ReadDriverRecord(const std::string& model, int os, PortKind kind,
                                              Flavour flavour, DriverRecord& record) {
    std::string section = ModelOsSection(model, os);
    record = {};
    record.version = DriverRecordVersion(os);
    record.name = ReadSeries(section, DriverNameKey(os, kind), kShortText);
    record.environment = EnvironmentOf(os);
    record.driverPath = ReadSeries(section, DriverFileKey(kDriverPathFile, flavour), kLongText);
    record.dataFile = ReadSeries(section, DriverFileKey(kDataFile, flavour), kLongText);
    record.configFile = ReadSeries(section, DriverFileKey(kConfigFile, flavour), kLongText);
    record.helpFile = ReadSeries(section, DriverFileKey(kHelpFile, flavour), kLongText);

    std::uint32_t result = ERROR_SUCCESS;
    std::string list = DependentFileList(model, os, flavour);
    if (list.size() <= kDependentFilesCapacity)
        record.dependentFiles = list;
    else
        result = ERROR_INSUFFICIENT_BUFFER;

    // A USB printer talks through the language monitor when the package has one.
    if (kind == kUsbPort) record.monitorName = ReadLanguageMonitorKeys(os).name;
    return result;
}

PrinterRecord PackageConfig::ReadPrinterRecord(const std::string& model, int os, PortKind kind,
                                               Flavour flavour) {
    std::string section = ModelOsSection(model, os);
    PrinterRecord printer;
    char name[kLongText];
    common::CopyCut(name, sizeof name, model);
    printer.printerName = name;
    printer.driverName = ReadSeries(section, DriverNameKey(os, kind), kShortText);
    printer.printProcessor =
        ReadSeries(section, std::string(FlavourPrefix(flavour)) + "PrintProcessor", kShortText);
    printer.attributes = AsDword(SeriesNumber(section, "ATTRIBUTES", kShortText));
    return printer;
}

DriverFileSet PackageConfig::DriverFiles(const std::string& model, int os, Flavour flavour) {
    std::string section = ModelOsSection(model, os);
    DriverFileSet set;
    for (int slot = 0; slot < kDriverFileSlotCount; ++slot) {
        auto key = DriverFileKey(static_cast<DriverFileSlot>(slot), flavour);
        set.names[slot] = ReadSeries(section, key, kLongText);
    }
    return set;
}

bool PackageConfig::MinidriverFlag(const std::string& model, int os, Flavour flavour) {
    std::string key = std::string(FlavourPrefix(flavour)) + "2KDDKDEV";
    return ReadSeries(ModelOsSection(model, os), key, kSwitchText).rfind('1', 0) == 0;
}

PortMonitorRecords PackageConfig::ReadPortMonitors(int os) {
    std::string section =
        os >= 0 && os < kOsCount ? std::string("COMMON-MONITOR") + OsSuffix(os) : std::string();
    auto read = [&](const std::string& key, std::uint32_t size) {
        return section.empty() ? std::string("0") : ReadSetupIni(section, key, size);
    };
    // The USB and the serial monitor have the same keys under their own prefix.
    auto monitor = [&](const std::string& prefix) {
        PortMonitorRecord record;
        record.name = read(prefix + "PName", kShortText);
        record.environment = EnvironmentOf(os);
        record.dllName = read(prefix + "PDLLName", kLongText);
        record.uiDllName = read(prefix + "PUIDLLName", kShortText);
        record.version =
            AsDword(ParseLeadingNumber(read(prefix + "Version", kVersionText).c_str()));
        return record;
    };
    return PortMonitorRecords{monitor("USBMONitor"), monitor("COMMONitor")};
}

LanguageMonitorRecord PackageConfig::ReadLanguageMonitorKeys(int os) {
    LanguageMonitorRecord record;
    std::string version = "0";
    if (os < 0 || os >= kOsCount) {
        // assign(1, '0') rather than = "0": mingw's g++ 12 at -O3 reports a false overlap in
        // the inlined copy of the literal.
        record.name.assign(1, '0');
        record.dllName.assign(1, '0');
    } else {
        std::string section = std::string("COMMON-MONITOR") + OsSuffix(os);
        record.name = ReadSetupIni(section, "USBLMONitorName", kShortText);
        record.dllName = ReadSetupIni(section, "USBLMONitorDLLName", kLongText);
        version = ReadSetupIni(section, "USBLMONitorVersion", kVersionText);
    }
    // Three one-character values are the three absent keys' "0": no language monitor.
    if (record.name.size() == 1 && record.dllName.size() == 1 && version.size() == 1)
        return LanguageMonitorRecord{};
    record.version = AsDword(ParseLeadingNumber(version.c_str()));
    record.present = true;
    return record;
}

LanguageMonitorRecord PackageConfig::ReadLanguageMonitor(int os, PortKind kind) {
    LanguageMonitorRecord record;
    if (kind == kUsbPort) record = ReadLanguageMonitorKeys(os);
    record.environment = EnvironmentOf(os);
    return record;
}

std::uint32_t PackageConfig::ProcessorVersion() {
    return AsDword(ReadConfigNumber(platform_.profile(), setupIni_.c_str(), "ProcessorVersion",
                                    "DriverVersion", kProcessorText));
}

}  // namespace pkg
