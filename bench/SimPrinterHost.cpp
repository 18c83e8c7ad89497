// The benchmark's simulated machine and the host run on it.
#include "SimPrinterHost.h"

#include <dlfcn.h>

#include <cstdlib>
#include <fstream>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/process/process_start.h"
#include "platform/sim/state/print_provider.h"
#include "platform/sim/ui/script.h"
#include "tools/driverui/CallText.h"
#include "tools/driverui/DriverUiHost.h"
#include "tools/driverui/HostSetup.h"
#include "tools/driverui/SpoolerForms.h"

namespace bench {

namespace {

// Where this process is in the machine's eyes: the environment `winsim props` gives driverui.
sim::ProcessContext HostContext(const sim::Machine& machine, const std::filesystem::path& script) {
    sim::ProcessContext context;
    context.machineDir = machine.dir();
    context.modulePath = machine.settings().systemDir() + "\\driverui.exe";
    context.currentDir = machine.settings().systemDir();
    context.bits = machine.settings().is64Bit() ? 64 : 32;
    context.script = script;
    context.binDir = PLUGIN_BUILD_DIR;  // where LoadPluginModule finds ZK450iUI.so
    return context;
}

std::vector<std::string> EnvironmentNames(const sim::ProcessContext& context) {
    std::vector<std::string> names;
    for (const auto& [name, value] : sim::EnvironmentOf(context)) names.push_back(name);
    return names;
}

}  // namespace

SimPrinterHost::SimPrinterHost(std::unique_ptr<sim::ThrowawayMachine> machine)
    : machine_(std::move(machine)), script_(machine_->machine().dir() / "bench-script.txt") {}

std::unique_ptr<SimPrinterHost> SimPrinterHost::Create(std::string& error) {
    auto machine = sim::ThrowawayMachine::Create("windows-7-x64", "plugin-bench", error);
    if (!machine) return nullptr;
    // A printer without a driver: the host takes the package's plug-in for it (as winsim
    // printer add makes such printers).
    if (!sim::AddSimPrinter(machine->machine(), kBenchPrinter, "", error)) return nullptr;
    std::unique_ptr<SimPrinterHost> host(new SimPrinterHost(std::move(machine)));
    host->SetScript("click IDCANCEL\n");
    for (const auto& [name, value] : sim::EnvironmentOf(HostContext(host->machine_->machine(), host->script_)))
        setenv(name.c_str(), value.c_str(), 1);
    return host;
}

SimPrinterHost::~SimPrinterHost() {
    for (const std::string& name : EnvironmentNames(HostContext(machine_->machine(), script_)))
        unsetenv(name.c_str());
}

void SimPrinterHost::SetScript(const std::string& text) {
    std::ofstream(script_, std::ios::trunc) << text;
}

bool SimPrinterHost::ScriptFinished() const {
    sim::ScriptRun run(machine_->machine().dir(), script_);
    std::string error;
    return run.Load(error) && run.Remaining().empty();
}

bool SimPrinterHost::PluginUnloaded() {
    const std::string library = std::string(PLUGIN_BUILD_DIR) + "/ZK450iUI.so";
    void* loaded = dlopen(library.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (loaded) dlclose(loaded);
    return loaded == nullptr;
}

std::unique_ptr<driverui::PluginModule> SimPrinterHost::LoadPlugin(driverui::HostReport& report) {
    driverui::HostRequest request;
    request.printer = kBenchPrinter;
    return driverui::LoadPluginModule(request, report);
}

HostResult SimPrinterHost::ShowDocumentSheet() {
    sim::ScriptRun(machine_->machine().dir(), script_).Restart();
    HostResult result;
    const Clock::time_point start = Clock::now();
    {
        std::unique_ptr<plat::Platform> platform = plat::MakeProcessPlatform();
        if (!platform) return result;
        std::unique_ptr<driverui::HostReport> transcript = driverui::MakeHostReport(*platform);
        TimedReport report(*transcript, result.times);
        driverui::HostRequest request;
        request.printer = kBenchPrinter;
        request.sheet = driverui::SheetKind::kDocument;

        plat::PrinterHandle printer = 0;
        if (!platform->rawPrinting().OpenPrinterW(driverui::Widen(request.printer), printer))
            return result;
        report.Line("OpenPrinterW(\"" + request.printer + "\") -> a printer handle");
        std::vector<driverui::FormChoice> forms;
        if (auto listed = driverui::ListSpoolerForms(*platform, printer)) forms = std::move(*listed);
        report.Line("EnumFormsW -> " + std::to_string(forms.size()) + " forms");
        if (std::unique_ptr<driverui::PluginModule> plugin = driverui::LoadPluginModule(request, report)) {
            std::unique_ptr<driverui::DevmodeStore> store = driverui::MakeDevmodeStore(*platform);
            TimedDialogs dialogs(platform->dialogs(), result.times);
            driverui::HostRun run{dialogs, report, *store, *plugin, printer, std::move(forms)};
            result.status = driverui::RunDriverUi(request, run);
        }
        platform->rawPrinting().ClosePrinter(printer);
    }
    result.whole = Clock::now() - start;
    return result;
}

}  // namespace bench
