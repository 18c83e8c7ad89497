// The wizard's one reading of the package configuration.
#include "setup/PackageCatalog.h"

#include "common/text.h"

namespace setup {

namespace {

ModelRules ReadRules(plat::Platform& platform, const PortSection& port) {
    ModelRules rules;
    rules.advancedSetup = AdvancedSetupAllowed(platform, port);
    rules.support = ReadOsSupport(platform, port);
    rules.baudRate = ReadBaudRate(platform, port);
    return rules;
}

}  // namespace

PackageCatalog PackageCatalog::Read(plat::Platform& platform, bool is64Bit) {
    pkg::PackageConfig config(platform, is64Bit);
    PackageCatalog catalog;
    catalog.setupIniPath_ = config.setupIniPath();
    for (int series = 0; series < pkg::kSeriesCount; ++series)
        catalog.seriesFilePaths_[series] = config.SeriesFilePath(series);

    for (int i : config.ListedModelNumbers()) {
        pkg::ModelEntry entry = config.GetModelEntry(i);
        if (entry.series < 0) continue;
        catalog.models_.push_back(entry);
        PortSection port = MakePortSection(catalog.SeriesFilePath(entry.series), entry.name);
        catalog.rules_.push_back({port, ReadRules(platform, port)});
    }
    catalog.defaultModel_ = config.DefaultModel();
    return catalog;
}

std::string PackageCatalog::SeriesFilePath(int series) const {
    return series >= 0 && series < pkg::kSeriesCount ? seriesFilePaths_[series] : std::string();
}

ModelRules PackageCatalog::RulesOf(int series, const std::string& modelName) const {
    PortSection wanted = MakePortSection(SeriesFilePath(series), modelName);
    // Section names compare as the profile functions compare them: without regard to case.
    for (const ListedRules& listed : rules_)
        if (listed.port.file == wanted.file &&
            common::EqualsNoCase(listed.port.section, wanted.section))
            return listed.rules;
    return {};
}

}  // namespace setup
