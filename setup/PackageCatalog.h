// What the wizard shows and decides from the package, read once when the wizard starts: the
// models in list order, the default model, each model's ".PORT" rules and the paths the
// installation is handed.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "package/PackageConfig.h"
#include "platform/platform.h"
#include "setup/PortRules.h"

namespace setup {

// A model's ".PORT" rules as the page switch applies them.
struct ModelRules {
    bool advancedSetup = false;  // AdvancedSetup
    OsSupport support;           // the gated systems
    int baudRate = 0;            // BaudRate
};

class PackageCatalog {
public:
    // Reads the model list, the default model and every listed model's ".PORT" section through
    // the module-relative configuration of this word size.
    static PackageCatalog Read(plat::Platform& platform, bool is64Bit);

    // The DEVICENAME entries that carry a series, in the order of their numbers.
    const std::vector<pkg::ModelEntry>& models() const { return models_; }
    // The entry DEFAULTNAME names; series -1 when it names no model.
    const pkg::ModelEntry& defaultModel() const { return defaultModel_; }

    const std::string& setupIniPath() const { return setupIniPath_; }
    // The module-relative series file of a series; empty outside 0..3.
    std::string SeriesFilePath(int series) const;

    // The rules of the model chosen on the model page. A choice that names no listed model
    // (no series) gets the defaults of a missing section: nothing allowed, baud rate 0.
    ModelRules RulesOf(int series, const std::string& modelName) const;

private:
    struct ListedRules {
        PortSection port;
        ModelRules rules;
    };

    std::vector<pkg::ModelEntry> models_;
    pkg::ModelEntry defaultModel_;
    std::string setupIniPath_;
    std::array<std::string, pkg::kSeriesCount> seriesFilePaths_;
    std::vector<ListedRules> rules_;
};

}  // namespace setup
