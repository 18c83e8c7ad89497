// The package report as text for people.
#include <string>

#include "package/PackageTypes.h"
#include "tools/pkgcheck/report_output.h"

namespace pkgcheck {

namespace {

std::string Env(const std::optional<std::string>& e) { return e ? *e : "(none)"; }

void PrintMonitor(std::ostream& out, const char* what, const MonitorView& m, bool withUi) {
    out << "    " << what << ": ";
    if (!m.present) {
        out << "none\n";
        return;
    }
    out << '"' << m.name << "\" " << m.dll;
    if (withUi) out << ", UI " << m.uiDll;
    out << ", version " << m.version << ", environment " << Env(m.environment) << "\n";
}

void PrintFlavour(std::ostream& out, const FlavourView& f) {
    const DriverView& d = f.kinds[0].driver;
    out << "      " << FlavourName(f.flavour) << (f.minidriver ? " (minidriver)" : "")
        << (f.minidriverWithoutDataDll ? ", NO DATA-FILE DLL: installation fails" : "") << "\n";
    out << "        driver record: cVersion " << d.cVersion << ", environment "
        << Env(d.environment) << ", path " << d.driverPath << ", data " << d.dataFile
        << ", config " << d.configFile << ", help " << d.helpFile << "\n";
    out << "        dependent files (" << f.dependentBytes << " of 200 bytes"
        << (f.dependentBytes > 200 ? ", REFUSED" : "") << "):";
    if (f.dependentFiles.empty()) out << " none";
    for (const std::string& n : f.dependentFiles) out << ' ' << n;
    out << "\n";
    for (const KindView& k : f.kinds) {
        out << "        " << PortKindName(k.kind) << ": driver \"" << k.driver.name << "\"";
        if (!k.driver.monitorName.empty()) out << ", language monitor \"" << k.driver.monitorName << "\"";
        out << "; printer \"" << k.printer.printerName << "\", processor "
            << k.printer.printProcessor << ", attributes " << k.printer.attributes << "\n";
    }
    out << "        files:";
    for (int slot = 0; slot < pkg::kDriverFileSlotCount; ++slot)
        out << ' ' << pkg::DriverFileKey(static_cast<pkg::DriverFileSlot>(slot), f.flavour)
            << '=' << f.files[slot];
    out << "\n";
}

void PrintModel(std::ostream& out, const ModelView& m) {
    out << "  " << m.name << " (" << SeriesName(m.series) << ", " << m.seriesFile
        << (m.seriesFilePresent ? "" : ", MISSING") << ")\n";
    out << "    ports:";
    bool any = false;
    static const char* const portKeys[][2] = {{"USBSUPPORTED", "USB"},
                                              {"LPTSUPPORTED", "parallel"},
                                              {"COMSUPPORTED", "serial"},
                                              {"NETSUPPORTED", "network"}};
    for (const auto& [key, label] : portKeys)
        for (const auto& [k, v] : m.portSettings)
            if (k == key && v != 0) {
                out << ' ' << label;
                any = true;
            }
    if (!any) out << " none";
    out << (m.portSectionPresent ? "" : " (no .PORT section)") << "\n";
    out << "    settings:";
    for (const auto& [k, v] : m.portSettings) out << ' ' << k << '=' << v;
    out << "\n    systems:";
    for (const OsView& s : m.systems)
        out << ' ' << pkg::OsSuffix(s.os) << (s.supported ? "" : "(refused)")
            << (s.sectionPresent ? "" : "(no section)");
    out << "\n";
    for (const OsView& s : m.systems) {
        if (!s.sectionPresent) continue;
        out << "    " << m.name << pkg::OsSuffix(s.os) << "\n";
        for (const FlavourView& f : s.flavours) PrintFlavour(out, f);
    }
}

}  // namespace

void PrintText(const Report& r, std::ostream& out) {
    out << "Package " << r.package << "\n\n";
    out << "Models (" << r.modelCount << " entries)\n";
    for (int series = 0; series < pkg::kSeriesCount; ++series) {
        out << "  " << SeriesName(series) << ":";
        bool any = false;
        for (const ModelListing& e : r.entries)
            if (e.series == series) {
                out << ' ' << e.name;
                any = true;
            }
        out << (any ? "" : " none") << "\n";
    }
    for (const ModelListing& e : r.entries)
        if (e.series < 0) out << "  ignored: DEVICENAME" << e.index << " \"" << e.entry << "\"\n";
    out << "  default: DEFAULTNAME=" << r.defaultIndex << " -> "
        << (r.defaultModel.series >= 0 ? r.defaultModel.name : "no model") << "\n";
    out << "Print processor version: " << r.processorVersion << "\n\n";

    out << "Monitors\n";
    for (const OsMonitors& m : r.monitors) {
        out << "  COMMON-MONITOR" << pkg::OsSuffix(m.os) << "\n";
        PrintMonitor(out, "USB port monitor", m.usb, true);
        PrintMonitor(out, "serial port monitor", m.serial, true);
        PrintMonitor(out, "language monitor (USB ports)", m.language, false);
    }
    for (const WordSizeView& ws : r.wordSizes) {
        out << "\n" << ws.bits << "-bit Windows (driver files from " << ws.driverDirectory
            << ")\n";
        for (const ModelView& m : ws.models) PrintModel(out, m);
    }
    out << "\n";
    if (r.problems.empty()) {
        out << "No problems found.\n";
        return;
    }
    out << "Problems (" << r.problems.size() << ")\n";
    for (const Problem& p : r.problems) out << "  " << p.kind << ": " << p.message << "\n";
}

}  // namespace pkgcheck
