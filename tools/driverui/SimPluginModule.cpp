// The plug-in on the simulated machine: the file the printer's driver names, loaded as the
// native build of the library that stands behind it (as winsim run starts a program's native
// build for its stand-in).
#include <dlfcn.h>

#include <filesystem>
#include <optional>

#include "common/text.h"
#include "platform/sim/api/module.h"
#include "platform/sim/process/process_start.h"
#include "platform/sim/state/machine.h"
#include "platform/sim/state/print_environments.h"
#include "platform/sim/state/print_provider.h"
#include "platform/sim/state/win_path.h"
#include "tools/driverui/PluginModule.h"

namespace driverui {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPluginFile = "ZK450iUI.DLL";
constexpr const char* kPluginBuild = "ZK450iUI.so";

class SimPluginModule final : public PluginModule {
public:
    SimPluginModule(void* library, std::string windowsPath, HostReport& report)
        : library_(library), windowsPath_(std::move(windowsPath)), report_(report) {}
    ~SimPluginModule() override {
        dlclose(library_);
        report_.Line("unloads " + windowsPath_);
    }
    GetClassObjectFn getClassObject() const override {
        return reinterpret_cast<GetClassObjectFn>(dlsym(library_, "DllGetClassObject"));
    }
    CanUnloadNowFn canUnloadNow() const override {
        return reinterpret_cast<CanUnloadNowFn>(dlsym(library_, "DllCanUnloadNow"));
    }
    plat::ModuleRef module() const override { return sim::ModuleOfLoadedLibrary(library_); }

private:
    void* library_;
    std::string windowsPath_;
    HostReport& report_;
};

// The driver of that name in the environment, when it has one.
std::optional<sim::SimDriver> FindDriver(const sim::PrintProvider& provider,
                                         const std::string& environment, const std::string& name) {
    for (const sim::SimDriver& d : provider.Drivers())
        if (common::EqualsNoCase(d.environment, environment) && common::EqualsNoCase(d.name, name))
            return d;
    return std::nullopt;
}

struct PluginLocation {
    std::string path;          // the Windows path; empty: none, after a report line
    bool namedByDriver = false;
};

// Where the printer's UI plug-in is. A printer without a driver (winsim printer add makes such
// printers) gets the package's plug-in as if from the version-3 directory of the process's
// environment, so its sheets can be shown at all.
PluginLocation PluginPath(const sim::Machine& machine, const std::string& printerName, int bits,
                       HostReport& report) {
    sim::PrintProvider provider(machine);
    std::optional<sim::SimPrinter> printer = provider.FindPrinter(printerName);
    if (!printer) {
        report.Line("no printer \"" + printerName + "\" on this machine");
        return {};
    }
    const std::string environment = sim::CallerEnvironment(machine.settings(), bits);
    std::optional<sim::PrintEnvironment> env =
        sim::FindPrintEnvironment(machine.settings(), environment);
    if (!env) {
        report.Line("this machine has no print environment \"" + environment + "\"");
        return {};
    }
    if (printer->driver.empty())
        return {sim::DriverVersionDirectory(machine.settings(), *env, 3) + "\\" + kPluginFile,
                false};
    std::optional<sim::SimDriver> driver = FindDriver(provider, environment, printer->driver);
    if (!driver) {
        report.Line("the driver \"" + printer->driver + "\" is not installed for " + environment);
        return {};
    }
    for (const std::string& file : driver->dependentFiles)
        if (common::EqualsNoCase(sim::FileNameOf(file), kPluginFile))
            return {sim::DriverVersionDirectory(machine.settings(), *env, driver->version) +
                        "\\" + sim::FileNameOf(file),
                    true};
    report.Line("the driver \"" + driver->name + "\" names no UI plug-in " + kPluginFile);
    return {};
}

}  // namespace

std::unique_ptr<PluginModule> LoadPluginModule(const HostRequest& request, HostReport& report) {
    std::string error;
    std::optional<sim::ProcessContext> context = sim::ProcessFromEnvironment(error);
    if (!context) {
        report.Line(error);
        return nullptr;
    }
    std::optional<sim::Machine> machine = sim::Machine::Open(context->machineDir, error);
    if (!machine) {
        report.Line(error);
        return nullptr;
    }
    const PluginLocation location = PluginPath(*machine, request.printer, context->bits, report);
    const std::string& path = location.path;
    if (path.empty()) return nullptr;
    // A driver's file must be there; a printer without a driver has none to look for.
    std::error_code ec;
    if (location.namedByDriver && !fs::is_regular_file(machine->HostPath(path), ec)) {
        report.Line("cannot load " + path + ": the file is missing");
        return nullptr;
    }
    fs::path build = context->binDir / kPluginBuild;
    if (!fs::is_regular_file(build, ec)) build = context->binDir / "plugin" / kPluginBuild;
    void* library = dlopen(build.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        report.Line("cannot load " + path + ": " + dlerror());
        return nullptr;
    }
    report.Line("loads " + path + (location.namedByDriver ? "" : " (the printer has no driver)"));
    return std::make_unique<SimPluginModule>(library, path, report);
}

}  // namespace driverui
