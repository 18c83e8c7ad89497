// Builds the package report through PackageConfig and collects the problems it finds.
#include "tools/pkgcheck/package_report.h"

#include <algorithm>
#include <set>

#include "common/text.h"
#include "platform/win_constants.h"
#include "package/ProfileReaders.h"
#include "tools/pkgcheck/access_keys.h"
#include "tools/pkgcheck/language_keys.h"

namespace pkgcheck {

namespace {

constexpr const char* kRoot = "C:\\Pkg\\";

// The ".PORT" keys in the order the wizard documents them.
constexpr const char* kPortKeys[] = {
    "USBSUPPORTED",        "LPTSUPPORTED",         "COMSUPPORTED",        "NETSUPPORTED",
    "LPTDEFAULT",          "RASTERVISIABLE",       "AdvancedSetup",       "BaudRate",
    "SystemNTSupported",   "System2003Supported",  "SystemVistaSupported", "System2008Supported",
    "SystemWin7Supported"};

// The support key of each OS row; rows without one are never refused.
const char* SystemGateKey(int os) {
    switch (os) {
        case 1: return "SystemNTSupported";
        case 4: return "System2003Supported";
        case 5: return "SystemVistaSupported";
        case 6: return "System2008Supported";
        case 7: return "SystemWin7Supported";
    }
    return nullptr;
}

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

// Names from a zero-separated profile list.
std::vector<std::string> SplitZeroList(const char* list, std::size_t size) {
    std::vector<std::string> names;
    std::size_t i = 0;
    while (i < size && list[i] != '\0') {
        std::string name = common::FromBuffer(list + i, size - i);
        i += name.size() + 1;
        names.push_back(name);
    }
    return names;
}

class Builder {
public:
    Builder(plat::Platform& platform, Report& report) : platform_(platform), report_(report) {}

    void Run();

private:
    void Problem(const std::string& kind, const std::string& message) {
        report_.problems.push_back({kind, message});
    }
    bool FileExists(const std::string& relative) {
        std::uint32_t a = platform_.files().GetFileAttributesA((kRoot + relative).c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }
    std::vector<std::string> SectionNames(const std::string& file);
    std::vector<std::string> KeyNames(const std::string& file, const char* section);
    static bool Contains(const std::vector<std::string>& names, const std::string& name) {
        for (const std::string& n : names)
            if (common::EqualsNoCase(n, name)) return true;
        return false;
    }

    void ReadModels(pkg::PackageConfig& config);
    void CheckModelCount(pkg::PackageConfig& config);
    void ReadMonitors(pkg::PackageConfig& config);
    void ReadWordSize(bool is64Bit);
    ModelView ReadModel(pkg::PackageConfig& config, const ModelListing& model, bool is64Bit,
                        const std::vector<std::string>& sections);
    void NeedFile(const std::string& dir, const std::string& name, const std::string& namedBy);
    void CheckStartupPortCheck(pkg::PackageConfig& config, bool is64Bit);
    void CheckMinidriverDataFile(FlavourView& flavour, const ModelView& model,
                                 const std::string& section, const std::string& word);
    void CheckLanguage(const char* file, const std::vector<LanguageSection>& keys);
    void CheckPackageFiles(bool loadLicense);

    plat::Platform& platform_;
    Report& report_;
    std::vector<ModelListing> models_;  // the entries with a series, each (name, series) once
    std::set<std::string> reportedFiles_;
};

std::vector<std::string> Builder::SectionNames(const std::string& file) {
    std::vector<char> buffer(1 << 16);
    std::uint32_t n = platform_.profile().GetPrivateProfileSectionNamesA(
        buffer.data(), static_cast<std::uint32_t>(buffer.size()), file.c_str());
    return SplitZeroList(buffer.data(), n + 1);
}

std::vector<std::string> Builder::KeyNames(const std::string& file, const char* section) {
    std::vector<char> buffer(1 << 16);
    std::uint32_t n = platform_.profile().GetPrivateProfileStringA(
        section, nullptr, "", buffer.data(), static_cast<std::uint32_t>(buffer.size()),
        file.c_str());
    return SplitZeroList(buffer.data(), n + 1);
}

// "DEVICENAME7", or "DEVICENAME7 to DEVICENAME1000" for each run of numbers, the first few runs.
std::string EntryRuns(const std::vector<int>& numbers) {
    constexpr std::size_t kRunsShown = 5;
    std::string text;
    std::size_t runs = 0;
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1) ++j;
        if (runs == kRunsShown) return text + " and more";
        if (runs > 0) text += ", ";
        text += "DEVICENAME" + std::to_string(numbers[i]);
        if (j > i) text += " to DEVICENAME" + std::to_string(numbers[j]);
        ++runs;
        i = j + 1;
    }
    return text;
}

// DEVICENUMBER set against the entries that exist: a count beyond the last entry, numbers
// without an entry, entries the count leaves out.
void Builder::CheckModelCount(pkg::PackageConfig& config) {
    const int count = report_.modelCount;
    const int last = config.LastModelNumber();
    const std::string countText = "DEVICENUMBER=" + std::to_string(count);
    const std::string cap = "DEVICENAME" + std::to_string(pkg::kMaxModelEntries);
    const std::vector<int> keys = config.ModelKeyNumbers();

    int highest = 0;  // the last entry setup reads
    std::vector<int> beyond;
    for (int key : keys) {
        if (key <= last)
            highest = key;
        else
            beyond.push_back(key);
    }
    if (count > highest)
        Problem("model-count",
                countText + " but " +
                    (highest > 0 ? "the last entry is DEVICENAME" + std::to_string(highest)
                                 : std::string("there is no DEVICENAME entry")) +
                    (count > pkg::kMaxModelEntries
                         ? "; setup reads no entry beyond " + cap + " whatever the count"
                         : ""));

    std::vector<int> missing;
    for (int n = 1; n < highest; ++n)  // fewer than kMaxModelEntries numbers
        if (!std::binary_search(keys.begin(), keys.end(), n)) missing.push_back(n);
    if (!missing.empty())
        Problem("model-count", countText + " but " + EntryRuns(missing) +
                                   (missing.size() == 1 ? " is" : " are") +
                                   " missing; those numbers offer no model");
    if (!beyond.empty())
        Problem("model-count",
                "entries beyond " +
                    (count > last ? "the " + cap + " setup reads at most" : countText) + ": " +
                    EntryRuns(beyond) + "; setup ignores them");
}

void Builder::ReadModels(pkg::PackageConfig& config) {
    report_.modelCount = config.ModelCount();
    std::set<std::pair<std::string, int>> seen;
    for (int i : config.ListedModelNumbers()) {
        char value[pkg::kLongText];
        std::string key = "DEVICENAME" + std::to_string(i);
        pkg::ReadConfigText(platform_.profile(), config.setupIniPath().c_str(), "DEVICENAME",
                              key.c_str(), value, sizeof value);
        pkg::ModelEntry entry = config.GetModelEntry(i);
        ModelListing listing{i, value, entry.name, entry.series};
        report_.entries.push_back(listing);
        if (entry.series < 0) {
            Problem("model-without-series",
                    key + " " + Quote(value) +
                        " carries no series suffix (-ReceiptPrinter, -TicketPrinter, "
                        "-LabelPrinter or -EmbeddedPrinter); setup ignores it");
        } else if (seen.insert({entry.name, entry.series}).second) {
            models_.push_back(listing);
        }
    }
    CheckModelCount(config);
    if (models_.empty()) Problem("no-models", "DRVCONFIG\\setup.ini lists no model");

    report_.defaultIndex = config.DefaultModelIndex();
    pkg::ModelEntry def = config.DefaultModel();
    report_.defaultModel = {report_.defaultIndex, "", def.name, def.series};
    if (def.series < 0)
        Problem("default-names-no-model",
                "DEFAULTNAME=" + std::to_string(report_.defaultIndex) +
                    " names no model entry, so the model page preselects nothing");
}

MonitorView View(const pkg::PortMonitorRecord& r) {
    MonitorView v;
    v.name = r.name;
    v.dll = r.dllName;
    v.uiDll = r.uiDllName;
    if (!r.environment.empty()) v.environment = r.environment;
    v.version = r.version;
    return v;
}

void Builder::ReadMonitors(pkg::PackageConfig& config) {
    report_.processorVersion = config.ProcessorVersion();
    for (int os = 0; os < pkg::kOsCount; ++os) {
        OsMonitors m;
        m.os = os;
        pkg::PortMonitorRecords ports = config.ReadPortMonitors(os);
        m.usb = View(ports.usb);
        m.serial = View(ports.serial);
        pkg::LanguageMonitorRecord lm = config.ReadLanguageMonitor(os, pkg::kUsbPort);
        m.language.present = lm.present;
        m.language.name = lm.name;
        m.language.dll = lm.dllName;
        if (!lm.environment.empty()) m.language.environment = lm.environment;
        m.language.version = lm.version;
        report_.monitors.push_back(m);
    }
}

void Builder::NeedFile(const std::string& dir, const std::string& name,
                       const std::string& namedBy) {
    if (!pkg::NamesFile(name)) return;
    std::string relative = dir + "\\" + name;
    if (FileExists(relative)) return;
    // One problem per missing file, naming the first place that asks for it.
    if (!reportedFiles_.insert(common::ToUpperAscii(relative)).second) return;
    Problem("missing-file", relative + " is missing (named by " + namedBy + ")");
}

ModelView Builder::ReadModel(pkg::PackageConfig& config, const ModelListing& model,
                             bool is64Bit, const std::vector<std::string>& sections) {
    ModelView view;
    view.name = model.name;
    view.series = model.series;
    view.seriesFile = pkg::SeriesFileName(model.series, is64Bit);
    view.seriesFilePresent = FileExists(view.seriesFile);
    std::string word = is64Bit ? "64-bit" : "32-bit";
    std::string dir = is64Bit ? "W64" : "W32";

    view.portSectionPresent = Contains(sections, model.name + ".PORT");
    for (const char* key : kPortKeys) view.portSettings.push_back({key, config.PortSetting(model.name, key)});
    if (view.seriesFilePresent && !view.portSectionPresent)
        Problem("missing-port-section", "model " + model.name + " has no section [" + model.name +
                                            ".PORT] in " + view.seriesFile +
                                            " (no port, Typical mode only, gated systems refused)");

    for (int os = 0; os < pkg::kOsCount; ++os) {
        OsView sys;
        sys.os = os;
        std::string section = pkg::PackageConfig::ModelOsSection(model.name, os);
        sys.sectionPresent = Contains(sections, section);
        const char* gate = SystemGateKey(os);
        sys.supported = gate == nullptr || config.PortSetting(model.name, gate) != 0;
        if (view.seriesFilePresent && !sys.sectionPresent)
            Problem("missing-os-section", "model " + model.name + " has no section [" + section +
                                              "] in " + view.seriesFile);
        for (int f = 0; f < 2; ++f) {
            auto flavour = f == 0 ? pkg::Flavour::Raster : pkg::Flavour::Standard;
            FlavourView& fv = sys.flavours[f];
            fv.flavour = flavour;
            fv.minidriver = config.MinidriverFlag(model.name, os, flavour);
            pkg::DriverFileSet files = config.DriverFiles(model.name, os, flavour);
            for (int slot = 0; slot < pkg::kDriverFileSlotCount; ++slot) {
                auto s = static_cast<pkg::DriverFileSlot>(slot);
                fv.files[slot] = files[s];
                if (sys.sectionPresent)
                    NeedFile(dir, fv.files[slot],
                             "[" + section + "] " + pkg::DriverFileKey(s, flavour) + " in " +
                                 view.seriesFile);
            }
            CheckMinidriverDataFile(fv, view, section, word);
            std::string list = config.DependentFileList(model.name, os, flavour);
            fv.dependentBytes = list.size();
            fv.dependentFiles = SplitZeroList(list.data(), list.size());
            if (list.size() > pkg::kDependentFilesCapacity)
                Problem("dependent-list-too-long",
                        "on " + word + " Windows the " + FlavourName(flavour) +
                            " dependent-file list of [" + section + "] needs " +
                            std::to_string(list.size()) + " of " +
                            std::to_string(pkg::kDependentFilesCapacity) +
                            " bytes; setup refuses to register that driver");
            for (int kind = 0; kind < pkg::kPortKindCount; ++kind) {
                KindView& kv = fv.kinds[kind];
                kv.kind = kind;
                auto portKind = static_cast<pkg::PortKind>(kind);
                pkg::DriverRecord d;
                kv.driver.error = config.ReadDriverRecord(model.name, os, portKind, flavour, d);
                kv.driver.cVersion = d.version;
                kv.driver.name = d.name;
                if (!d.environment.empty()) kv.driver.environment = d.environment;
                kv.driver.driverPath = d.driverPath;
                kv.driver.dataFile = d.dataFile;
                kv.driver.configFile = d.configFile;
                kv.driver.helpFile = d.helpFile;
                kv.driver.monitorName = d.monitorName;
                pkg::PrinterRecord p = config.ReadPrinterRecord(model.name, os, portKind, flavour);
                kv.printer.printerName = p.printerName;
                kv.printer.driverName = p.driverName;
                kv.printer.printProcessor = p.printProcessor;
                kv.printer.attributes = p.attributes;
            }
        }
        view.systems.push_back(sys);
    }
    return view;
}

// The installation stops with Message/IDS_ERR_LOSTDRIVERFILE when the flavour's minidriver
// switch is on and its data-file DLL names no file.
void Builder::CheckMinidriverDataFile(FlavourView& fv, const ModelView& model,
                                      const std::string& section, const std::string& word) {
    const std::string& dll = fv.files[pkg::kExtraDataFile];
    fv.minidriverWithoutDataDll = fv.minidriver && !pkg::NamesFile(dll);
    if (!fv.minidriverWithoutDataDll) return;
    std::string prefix = pkg::FlavourPrefix(fv.flavour);
    Problem("minidriver-without-data-dll",
            "on " + word + " Windows the " + FlavourName(fv.flavour) + " driver of [" + section +
                "] in " + model.seriesFile + " has " + prefix + "2KDDKDEV on but " +
                pkg::DriverFileKey(pkg::kExtraDataFile, fv.flavour) + "=" + Quote(dll) +
                " names no file: installing it fails with Message/IDS_ERR_LOSTDRIVERFILE");
}

// setup refuses to start when the last listed model offers no USB, parallel or serial port in
// any series file of the word size.
void Builder::CheckStartupPortCheck(pkg::PackageConfig& config, bool is64Bit) {
    if (models_.empty()) return;
    std::string model;
    for (const ModelListing& e : report_.entries)
        if (e.series >= 0) model = e.name;
    std::string section = model + ".PORT";
    for (int series = 0; series < pkg::kSeriesCount; ++series) {
        std::string file = config.SeriesFilePath(series);
        for (const char* key : {"USBSUPPORTED", "LPTSUPPORTED", "COMSUPPORTED"})
            if (pkg::ReadConfigNumber(platform_.profile(), file.c_str(), section.c_str(), key,
                                        pkg::kLongText) != 0)
                return;
    }
    Problem("startup-port-check",
            std::string("on ") + (is64Bit ? "64-bit" : "32-bit") +
                " Windows setup stops at start with Setup/PortNull: the last listed model " +
                model + " offers no USB, parallel or serial port in any series file");
}

void Builder::ReadWordSize(bool is64Bit) {
    pkg::PackageConfig config(platform_, is64Bit);
    WordSizeView ws;
    ws.bits = is64Bit ? 64 : 32;
    ws.driverDirectory = is64Bit ? "W64" : "W32";
    std::string word = is64Bit ? "64-bit" : "32-bit";

    for (int series = 0; series < pkg::kSeriesCount; ++series) {
        bool used = false;
        for (const ModelListing& m : models_) used = used || m.series == series;
        if (!used) continue;
        std::string file = pkg::SeriesFileName(series, is64Bit);
        if (!FileExists(file))
            Problem("missing-series-file", file + " is missing: the " + SeriesName(series) +
                                               " models offer nothing on " + word + " Windows");
        config.SelectSeries(series);
        std::vector<std::string> sections = SectionNames(config.SeriesFilePath(series));
        for (const ModelListing& m : models_)
            if (m.series == series) ws.models.push_back(ReadModel(config, m, is64Bit, sections));
    }

    // The monitor DLLs come from the same driver directory.
    for (const OsMonitors& m : report_.monitors) {
        std::string where = std::string("[COMMON-MONITOR") + pkg::OsSuffix(m.os) +
                            "] in DRVCONFIG\\setup.ini";
        NeedFile(ws.driverDirectory, m.usb.dll, "USBMONitorPDLLName of " + where);
        NeedFile(ws.driverDirectory, m.usb.uiDll, "USBMONitorPUIDLLName of " + where);
        NeedFile(ws.driverDirectory, m.serial.dll, "COMMONitorPDLLName of " + where);
        NeedFile(ws.driverDirectory, m.serial.uiDll, "COMMONitorPUIDLLName of " + where);
        if (m.language.present)
            NeedFile(ws.driverDirectory, m.language.dll, "USBLMONitorDLLName of " + where);
    }
    CheckStartupPortCheck(config, is64Bit);
    report_.wordSizes.push_back(std::move(ws));
}

void Builder::CheckLanguage(const char* file, const std::vector<LanguageSection>& keys) {
    std::string path = std::string(kRoot) + file;
    if (!FileExists(file)) {
        Problem("missing-package-file", std::string(file) + " is missing: every text is empty");
        return;
    }
    std::vector<std::string> sections = SectionNames(path);
    for (const LanguageSection& s : keys) {
        std::vector<std::string> present =
            Contains(sections, s.section) ? KeyNames(path, s.section) : std::vector<std::string>{};
        for (const char* key : s.keys)
            if (!Contains(present, key))
                Problem("missing-language-key", std::string(file) + " lacks [" + s.section + "] " +
                                                    key + " (the text shows empty)");
    }
}

void Builder::CheckPackageFiles(bool loadLicense) {
    std::vector<std::pair<std::string, const char*>> files = {
        {"DRVCONFIG\\Left.bmp", "setup stops at start without its side picture"},
        {"DRVCONFIG\\Uninstall.ini", "uninstall has no inventory"},
    };
    if (loadLicense) files.push_back({"License.txt", "LOADLICENSE is on and setup stops at start"});
    for (const char* dir : {"USBDrv\\USBDriver\\", "USBDrv\\USBDriver_x64\\"})
        for (const char* name : {"Install.exe", "WNZK450USB.INF", "ZADO450DEZ.ure"})
            files.push_back({std::string(dir) + name, "USB installation cannot deploy its driver"});
    for (const auto& [file, consequence] : files)
        if (!FileExists(file))
            Problem("missing-package-file", file + " is missing: " + consequence);
}

void Builder::Run() {
    pkg::PackageConfig config(platform_, false);
    ReadModels(config);
    ReadMonitors(config);
    ReadWordSize(false);
    ReadWordSize(true);
    CheckLanguage("language\\setup.ini", SetupLanguageKeys());
    CheckLanguage("language\\uninstall.ini", UninstallLanguageKeys());
    CheckPackageFiles(pkg::ReadSwitch(platform_, "LOADLICENSE") != 0);
}

}  // namespace

const char* SeriesName(int series) {
    static const char* const names[] = {"Receipt", "Ticket", "Label", "Embedded"};
    return series >= 0 && series < pkg::kSeriesCount ? names[series] : "none";
}

const char* PortKindName(int kind) {
    static const char* const names[] = {"serial", "parallel", "USB", "network"};
    return kind >= 0 && kind < pkg::kPortKindCount ? names[kind] : "unknown";
}

const char* FlavourName(pkg::Flavour f) {
    return f == pkg::Flavour::Raster ? "raster" : "standard";
}

Report BuildReport(plat::Platform& platform, const std::string& hostPackage) {
    Report report;
    report.package = hostPackage;
    Builder(platform, report).Run();
    for (Problem& p : CheckAccessKeys(platform)) report.problems.push_back(std::move(p));
    return report;
}

}  // namespace pkgcheck
