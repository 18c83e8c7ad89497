// Reading and matching the inventory.
#include "uninstall/Inventory.h"

#include <algorithm>
#include <cstdlib>

namespace uninstall {

Inventory::Inventory(plat::Platform& platform, std::string path, int osIndex)
    : platform_(platform), path_(std::move(path)), osIndex_(osIndex) {
    printers_ = ReadEntries("KXPRINTER", "PRINTERNUM", "PRINTERNAME");
    monitors_ = ReadEntries("KXMONITOR", "MonitorNUM", "MONITORNAME");
    processors_ = ReadEntries("KXPROC", "PROCNUM", "PROCNAME");
}

std::string Inventory::Value(const std::string& section, const std::string& key) const {
    char buffer[kValueSize] = {};
    platform_.profile().GetPrivateProfileStringA(section.c_str(), key.c_str(), "0", buffer,
                                                 sizeof buffer, path_.c_str());
    buffer[kValueSize - 1] = '\0';
    return buffer;
}

std::vector<std::string> Inventory::ReadEntries(const char* section, const char* countKey,
                                                const char* baseKey) const {
    // Counts past the printable key characters ('1' + 77 is '~') are cut: a damaged file must
    // not make the program read a flood of meaningless keys.
    const int count = std::min(std::atoi(Value(section, countKey).c_str()), kMaxEntries);
    std::vector<std::string> entries;
    for (int i = 0; i < count; ++i) entries.push_back(Value(section, EntryKey(baseKey, i)));
    return entries;
}

ItemKind Inventory::KindOf(const std::string& name) const {
    if (MatchesAny(name, monitors_)) return ItemKind::Monitor;
    if (MatchesAny(name, processors_)) return ItemKind::Processor;
    return ItemKind::Printer;
}

MonitorFiles Inventory::ReadMonitorFiles(const std::string& monitorName) const {
    MonitorFiles files;
    files.section = MonitorSection(monitorName, osIndex_);
    auto read = [&](const char* key) {
        std::string value = Value(files.section, key);
        return MeansNothing(value) ? std::string() : value;
    };
    files.dll = read("MonitorPDLLName");
    files.uiDll = read("MONitorPUIDLLName");
    if (files.section.find("USB") != std::string::npos) files.usbDll = read("USBMONitorDLLName");
    files.keyName = read("USBMONitorName");
    return files;
}

std::string Inventory::ReadProcessorDll(const std::string& processorName) const {
    std::string value = Value(ProcessorSection(processorName, osIndex_), "ProcessorDllName");
    return MeansNothing(value) ? std::string() : value;
}

bool MatchesAny(const std::string& installedName, const std::vector<std::string>& entries) {
    for (const std::string& entry : entries)
        if (installedName.find(entry) != std::string::npos) return true;
    return false;
}

std::string EntryKey(const std::string& baseName, int index) {
    return baseName + static_cast<char>('1' + index);
}

const char* OsSuffix(int osIndex) {
    static const char* const kSuffixes[] = {".98",   ".NT",    ".2K",   ".2K",
                                            ".2003", ".Vista", ".2008", ".Win7"};
    return osIndex >= 0 && osIndex < 8 ? kSuffixes[osIndex] : "";
}

std::string MonitorSection(const std::string& monitorName, int osIndex) {
    std::string section;
    for (char c : monitorName)
        if (c != ' ') section += c;
    return section + OsSuffix(osIndex);
}

std::string ProcessorSection(const std::string& processorName, int osIndex) {
    return processorName + OsSuffix(osIndex);
}

bool MeansNothing(const std::string& value) { return value.empty() || value[0] == '0'; }

}  // namespace uninstall
