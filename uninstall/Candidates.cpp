// Building the candidate list from the spooler and the inventory.
#include "uninstall/Candidates.h"

#include "uninstall/SpoolerReads.h"

namespace uninstall {

const char* ProcessorListEnvironment(int osIndex, bool is64Bit) {
    if (osIndex == 0) return "Windows 4.0";
    return is64Bit ? "Windows x64" : "Windows NT x86";
}

const char* DeletionEnvironment(bool is64Bit) { return is64Bit ? "Windows x64" : nullptr; }

std::vector<std::string> FillCandidates(plat::Platform& platform, const Inventory& inventory,
                                        int osIndex, bool is64Bit) {
    plat::PrinterSetup& spooler = platform.printerSetup();
    std::vector<std::string> candidates;
    for (const std::string& printer : LocalPrinterNames(spooler)) {
        PrinterRecord record;
        if (ReadPrinter(spooler, printer, record) != PrinterRead::Ok) continue;
        if (MatchesAny(record.driverName, inventory.printerEntries()))
            candidates.push_back(printer);
    }
    for (const std::string& monitor : InstalledMonitors(spooler))
        if (MatchesAny(monitor, inventory.monitorEntries())) candidates.push_back(monitor);
    if (osIndex != 0) {
        for (const std::string& processor :
             InstalledProcessors(spooler, ProcessorListEnvironment(osIndex, is64Bit)))
            if (MatchesAny(processor, inventory.processorEntries()))
                candidates.push_back(processor);
    }
    return candidates;
}

}  // namespace uninstall
