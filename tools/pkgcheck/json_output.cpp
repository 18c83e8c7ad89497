// The package report as JSON for scripts.
#include "package/PackageTypes.h"
#include "tools/pkgcheck/json_writer.h"
#include "tools/pkgcheck/report_output.h"

namespace pkgcheck {

namespace {

void OptionalString(JsonWriter& j, const std::optional<std::string>& s) {
    if (s)
        j.String(*s);
    else
        j.Null();
}

void Monitor(JsonWriter& j, const MonitorView& m, bool withUi) {
    j.BeginObject();
    j.Key("present"); j.Bool(m.present);
    j.Key("name"); j.String(m.name);
    j.Key("dll"); j.String(m.dll);
    if (withUi) { j.Key("uiDll"); j.String(m.uiDll); }
    j.Key("version"); j.Number(m.version);
    j.Key("environment"); OptionalString(j, m.environment);
    j.EndObject();
}

void Flavour(JsonWriter& j, const FlavourView& f) {
    j.BeginObject();
    j.Key("flavour"); j.String(FlavourName(f.flavour));
    j.Key("minidriver"); j.Bool(f.minidriver);
    j.Key("minidriverWithoutDataDll"); j.Bool(f.minidriverWithoutDataDll);
    j.Key("files");
    j.BeginObject();
    for (int slot = 0; slot < pkg::kDriverFileSlotCount; ++slot) {
        j.Key(pkg::DriverFileKey(static_cast<pkg::DriverFileSlot>(slot), f.flavour));
        j.String(f.files[slot]);
    }
    j.EndObject();
    j.Key("dependentFiles");
    j.BeginArray();
    for (const std::string& n : f.dependentFiles) j.String(n);
    j.EndArray();
    j.Key("dependentBytes"); j.Number(static_cast<std::int64_t>(f.dependentBytes));
    j.Key("dependentFits"); j.Bool(f.dependentBytes <= pkg::kDependentFilesCapacity);
    j.Key("kinds");
    j.BeginArray();
    for (const KindView& k : f.kinds) {
        j.BeginObject();
        j.Key("kind"); j.String(PortKindName(k.kind));
        j.Key("driver");
        j.BeginObject();
        j.Key("error"); j.Number(k.driver.error);
        j.Key("cVersion"); j.Number(k.driver.cVersion);
        j.Key("pName"); j.String(k.driver.name);
        j.Key("pEnvironment"); OptionalString(j, k.driver.environment);
        j.Key("pDriverPath"); j.String(k.driver.driverPath);
        j.Key("pDataFile"); j.String(k.driver.dataFile);
        j.Key("pConfigFile"); j.String(k.driver.configFile);
        j.Key("pHelpFile"); j.String(k.driver.helpFile);
        j.Key("pMonitorName"); j.String(k.driver.monitorName);
        j.EndObject();
        j.Key("printer");
        j.BeginObject();
        j.Key("pPrinterName"); j.String(k.printer.printerName);
        j.Key("pDriverName"); j.String(k.printer.driverName);
        j.Key("pPrintProcessor"); j.String(k.printer.printProcessor);
        j.Key("Attributes"); j.Number(k.printer.attributes);
        j.EndObject();
        j.EndObject();
    }
    j.EndArray();
    j.EndObject();
}

void Model(JsonWriter& j, const ModelView& m) {
    j.BeginObject();
    j.Key("name"); j.String(m.name);
    j.Key("series"); j.String(SeriesName(m.series));
    j.Key("seriesFile"); j.String(m.seriesFile);
    j.Key("seriesFilePresent"); j.Bool(m.seriesFilePresent);
    j.Key("portSection"); j.Bool(m.portSectionPresent);
    j.Key("ports");
    j.BeginObject();
    for (const auto& [k, v] : m.portSettings) { j.Key(k); j.Number(v); }
    j.EndObject();
    j.Key("systems");
    j.BeginArray();
    for (const OsView& s : m.systems) {
        j.BeginObject();
        j.Key("os"); j.Number(s.os);
        j.Key("suffix"); j.String(pkg::OsSuffix(s.os));
        j.Key("section"); j.Bool(s.sectionPresent);
        j.Key("supported"); j.Bool(s.supported);
        j.Key("flavours");
        j.BeginArray();
        for (const FlavourView& f : s.flavours) Flavour(j, f);
        j.EndArray();
        j.EndObject();
    }
    j.EndArray();
    j.EndObject();
}

}  // namespace

void PrintJson(const Report& r, std::ostream& out) {
    JsonWriter j(out);
    j.BeginObject();
    j.Key("package"); j.Utf8String(r.package);
    j.Key("problems");
    j.BeginArray();
    for (const Problem& p : r.problems) {
        j.BeginObject();
        j.Key("kind"); j.String(p.kind);
        j.Key("message"); j.String(p.message);
        j.EndObject();
    }
    j.EndArray();
    j.Key("modelCount"); j.Number(r.modelCount);
    j.Key("entries");
    j.BeginArray();
    for (const ModelListing& e : r.entries) {
        j.BeginObject();
        j.Key("index"); j.Number(e.index);
        j.Key("entry"); j.String(e.entry);
        j.Key("model"); j.String(e.name);
        j.Key("series"); e.series >= 0 ? j.String(SeriesName(e.series)) : j.Null();
        j.EndObject();
    }
    j.EndArray();
    j.Key("defaultModel");
    j.BeginObject();
    j.Key("index"); j.Number(r.defaultIndex);
    j.Key("model"); r.defaultModel.series >= 0 ? j.String(r.defaultModel.name) : j.Null();
    j.EndObject();
    j.Key("processorVersion"); j.Number(r.processorVersion);
    j.Key("monitors");
    j.BeginArray();
    for (const OsMonitors& m : r.monitors) {
        j.BeginObject();
        j.Key("os"); j.Number(m.os);
        j.Key("suffix"); j.String(pkg::OsSuffix(m.os));
        j.Key("usb"); Monitor(j, m.usb, true);
        j.Key("serial"); Monitor(j, m.serial, true);
        j.Key("language"); Monitor(j, m.language, false);
        j.EndObject();
    }
    j.EndArray();
    j.Key("wordSizes");
    j.BeginArray();
    for (const WordSizeView& ws : r.wordSizes) {
        j.BeginObject();
        j.Key("bits"); j.Number(ws.bits);
        j.Key("driverDirectory"); j.String(ws.driverDirectory);
        j.Key("models");
        j.BeginArray();
        for (const ModelView& m : ws.models) Model(j, m);
        j.EndArray();
        j.EndObject();
    }
    j.EndArray();
    j.EndObject();
}

}  // namespace pkgcheck
