// The package's inventory "Uninstall.ini": which printers (by driver name), monitors and print
// processors belong to the package, and the files of each component per Windows version.
#pragma once
#include <string>
#include <vector>

#include "platform/platform.h"

namespace uninstall {

// What a candidate is, found again from its name: a monitor when it matches the monitor
// entries, else a processor when it matches the processor entries, else a printer.
enum class ItemKind { Printer, Monitor, Processor };

// The files and registry key of one monitor, from its per-OS section. A value that means
// "nothing" (empty or beginning with '0') is returned empty.
struct MonitorFiles {
    std::string section;
    std::string dll;        // MonitorPDLLName
    std::string uiDll;      // MONitorPUIDLLName
    std::string usbDll;     // USBMONitorDLLName, read only for a section containing "USB"
    std::string keyName;    // USBMONitorName: the monitor's key below Print\Monitors
};

class Inventory {
public:
    // Every value is read into a 30-byte buffer (29 characters), default "0".
    static constexpr std::size_t kValueSize = 30;
    // At most this many entries per list are read.
    static constexpr int kMaxEntries = 78;

    // Reads the three entry lists of the file now; `osIndex` picks the per-OS sections.
    Inventory(plat::Platform& platform, std::string path, int osIndex);

    const std::vector<std::string>& printerEntries() const { return printers_; }
    const std::vector<std::string>& monitorEntries() const { return monitors_; }
    const std::vector<std::string>& processorEntries() const { return processors_; }

    ItemKind KindOf(const std::string& name) const;
    MonitorFiles ReadMonitorFiles(const std::string& monitorName) const;
    // ProcessorDllName of the processor's section; empty for "nothing".
    std::string ReadProcessorDll(const std::string& processorName) const;

    // One value of the file, cut to 29 characters, "0" when missing.
    std::string Value(const std::string& section, const std::string& key) const;

private:
    std::vector<std::string> ReadEntries(const char* section, const char* countKey,
                                         const char* baseKey) const;

    plat::Platform& platform_;
    std::string path_;
    int osIndex_;
    std::vector<std::string> printers_, monitors_, processors_;
};

// True when `installedName` contains one of the entries (letter case counts).
bool MatchesAny(const std::string& installedName, const std::vector<std::string>& entries);
// The key of entry `index` (from 0): the base name followed by the character '1' + index.
std::string EntryKey(const std::string& baseName, int index);
// The per-OS section suffix: ".98", ".NT", ".2K" (indexes 2 and 3), ".2003", ".Vista",
// ".2008", ".Win7"; empty for an index outside 0..7.
const char* OsSuffix(int osIndex);
// A monitor's section: its name without blanks and the suffix. A processor's: name + suffix.
std::string MonitorSection(const std::string& monitorName, int osIndex);
std::string ProcessorSection(const std::string& processorName, int osIndex);
// A component value meaning "nothing": empty or beginning with '0'.
bool MeansNothing(const std::string& value);

}  // namespace uninstall
