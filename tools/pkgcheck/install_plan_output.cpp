// Prints the installation plan as setup's engine builds it, without running any step.
#include "tools/pkgcheck/install_plan_output.h"

#include <iomanip>

#include "package/PackageConfig.h"
#include "setup/engine/InstallPlan.h"

namespace pkgcheck {

bool ParsePlanOs(const std::string& name, int& os, bool& is64Bit) {
    static const char* const kNames[] = {"98", "nt4", "2000", "xp", "2003", "vista", "2008", "win7"};
    for (int i = 0; i < 8; ++i) {
        const std::string base = kNames[i];
        if (name == base + "-x86") {
            os = i;
            is64Bit = false;
            return true;
        }
        // Windows 98 and NT 4.0 had no 64-bit edition.
        if (i >= 2 && name == base + "-x64") {
            os = i;
            is64Bit = true;
            return true;
        }
    }
    return false;
}

bool PrintInstallPlan(plat::Platform& platform, const PlanOptions& options, std::ostream& out) {
    setup::InstallRequest request;
    if (!ParsePlanOs(options.os, request.os, request.is64Bit)) {
        out << "unknown system " << options.os << "\n";
        return false;
    }
    pkg::PackageConfig config(platform, request.is64Bit);
    request.series = -1;
    for (int number : config.ListedModelNumbers()) {
        const pkg::ModelEntry entry = config.GetModelEntry(number);
        if (entry.series >= 0 && entry.name == options.model) {
            request.series = entry.series;
            break;
        }
    }
    if (request.series < 0) {
        out << "no model " << options.model << " in the package\n";
        return false;
    }
    request.model = options.model;
    request.portName = options.port;
    request.flavour = options.raster ? pkg::Flavour::Raster : pkg::Flavour::Standard;

    setup::InstallPlan plan;
    std::string error;
    if (!setup::BuildInstallPlan(config, request, plan, error)) {
        out << "port " << options.port << " is of no known kind (" << error << ")\n";
        return false;
    }
    const auto& records = plan.records;
    out << "Installation plan: " << options.model << " on " << options.os << ", port "
        << options.port << ", " << (options.raster ? "raster" : "standard") << " flavour\n"
        << "printer \"" << records.printer.printerName << "\" on port \""
        << records.printer.portName << "\", driver \"" << records.driver.name
        << "\", print processor \"" << records.printer.printProcessor << "\"\n";
    for (const auto& step : plan.steps) {
        out << std::setw(3) << step.workerStep << "  " << std::left << std::setw(24)
            << setup::StepKindName(step.kind) << std::right << step.target;
        if (step.kind == setup::StepKind::CopyFile)
            out << "  from " << step.source << " to " << setup::DestinationName(step.destination);
        if (!step.failureKey.empty())
            out << "  (fails with " << step.failureKey << ")";
        out << "\n";
    }
    return true;
}

}  // namespace pkgcheck
