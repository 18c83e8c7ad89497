// The engine's whole-machine tests: a throwaway machine of one preset, setup runs on it.
#include "tests/setup/engine/sim_engine_fixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "package/LanguageText.h"
#include "package/PackageConfig.h"
#include "platform/sim/state/faults.h"
#include "platform/win_constants.h"
#include "setup/engine/EngineContext.h"

namespace enginetest {

namespace {

constexpr const char* kPackageDir = "C:\\Pkg";
constexpr const char* kPortNameKey = "SOFTWARE\\VORTANE\\PORTNAME";

}  // namespace

std::unique_ptr<SimEngine> SimEngine::Make(const PresetCase& preset) {
    std::unique_ptr<SimEngine> engine(new SimEngine(preset));
    testsupport::PackageMachineOptions options;
    options.preset = preset.preset;
    options.packageDir = kPackageDir;
    std::string error;
    engine->machine_ =
        testsupport::PackageMachine::Create(testsupport::ExamplePackage(), options, error);
    if (!engine->machine_) {
        ADD_FAILURE() << preset.preset << ": " << error;
        return nullptr;
    }
    // The engine waits seconds for the spooler; the simulated clock need not.
    sim::MachineSettings settings = engine->machine_->machine().settings();
    settings.timeScale = 0;
    if (!engine->machine_->machine().SaveSettings(settings, error)) {
        ADD_FAILURE() << error;
        return nullptr;
    }
    return engine;
}

Outcome SimEngine::Install(const Choice& choice) {
    // Each press of Install is a new setup process; setup is a 32-bit program everywhere.
    auto process = machine_->Process(32, std::string(kPackageDir) + "\\setup.exe", kPackageDir);
    pkg::LanguageText texts(*process, "Message");
    setup::EngineContext ctx(*process, texts, preset_.os, preset_.x64);
    pkg::PackageConfig config(*process, preset_.x64);

    setup::InstallRequest request;
    request.model = choice.model;
    request.series = choice.series;
    request.os = preset_.os;
    request.flavour = choice.flavour;
    request.portName = choice.port;
    request.is64Bit = preset_.x64;
    request.setAsDefault = choice.setAsDefault;

    Outcome outcome;
    setup::InstallPlan plan;
    std::string error;
    if (!setup::BuildInstallPlan(config, request, plan, error)) {
        ADD_FAILURE() << "no plan for " << choice.port << ": " << error;
        outcome.status = setup::kInstallFailed;
        return outcome;
    }
    setup::InstallStatus status{setup::kInstallRunning};
    const setup::InstallRunResult run = setup::RunInstallPlan(ctx, plan, status);
    outcome.status = status.load();
    outcome.text = ctx.result.str();
    outcome.printerName = run.printerName;
    outcome.upgradeFlags = run.upgradeFlags;
    return outcome;
}

std::string SimEngine::FileOn(const std::string& windowsPath) const {
    std::ifstream in(machine_->HostPath(windowsPath), std::ios::binary);
    if (!in) return "";
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool SimEngine::Exists(const std::string& windowsPath) const {
    return std::filesystem::exists(machine_->HostPath(windowsPath));
}

namespace {

// A native process of the machine, for reading and writing what a test arranges.
std::unique_ptr<sim::SimPlatform> NativeTool(const testsupport::PackageMachine& machine,
                                             bool x64) {
    return machine.Process(x64 ? 64 : 32, "C:\\Tools\\tool.exe", "C:\\Tools");
}

}  // namespace

std::optional<std::uint32_t> SimEngine::DwordValue(const std::string& key,
                                                   const char* name) const {
    auto tool = NativeTool(*machine_, preset_.x64);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    if (tool->registry().QueryValue(plat::RegRoot::LocalMachine, key.c_str(), name, type, data,
                                    plat::RegView::Default) != ERROR_SUCCESS ||
        type != REG_DWORD || data.size() != 4)
        return std::nullopt;
    return static_cast<std::uint32_t>(data[0] | data[1] << 8 | data[2] << 16 | data[3] << 24);
}

std::optional<std::string> SimEngine::StringValue(const std::string& key,
                                                  const char* name) const {
    auto tool = NativeTool(*machine_, preset_.x64);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    if (tool->registry().QueryValue(plat::RegRoot::LocalMachine, key.c_str(), name, type, data,
                                    plat::RegView::Default) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    std::string text(data.begin(), data.end());
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

bool SimEngine::SetDword(const std::string& key, const char* name, std::uint32_t value) const {
    auto tool = NativeTool(*machine_, preset_.x64);
    auto& reg = tool->registry();
    const std::vector<std::uint8_t> data = {
        static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    return reg.CreateKey(plat::RegRoot::LocalMachine, key.c_str(), plat::RegView::Default) ==
               ERROR_SUCCESS &&
           reg.SetValue(plat::RegRoot::LocalMachine, key.c_str(), name, REG_DWORD, data,
                        plat::RegView::Default) == ERROR_SUCCESS;
}

bool SimEngine::SetString(const std::string& key, const char* name,
                          const std::string& value) const {
    auto tool = NativeTool(*machine_, preset_.x64);
    auto& reg = tool->registry();
    std::vector<std::uint8_t> data(value.begin(), value.end());
    data.push_back(0);
    return reg.CreateKey(plat::RegRoot::LocalMachine, key.c_str(), plat::RegView::Default) ==
               ERROR_SUCCESS &&
           reg.SetValue(plat::RegRoot::LocalMachine, key.c_str(), name, REG_SZ, data,
                        plat::RegView::Default) == ERROR_SUCCESS;
}

bool SimEngine::RecordUsbPort(const std::string& port, std::uint32_t deviceNumber) const {
    return SetDword(kPortNameKey, port.c_str(), deviceNumber);
}

void SimEngine::Fail(const std::string& call, std::uint32_t error, std::uint32_t times,
                     const std::string& target) const {
    std::string message;
    if (!sim::AddFault(machine(), {call, error, times, target}, message)) ADD_FAILURE() << message;
}

std::string SimEngine::driverDir() const {
    return systemDir() + "\\spool\\drivers\\" + preset_.directory;
}

std::string SimEngine::processorDir() const {
    return systemDir() + "\\spool\\prtprocs\\" + preset_.directory;
}

std::string SimEngine::systemDir() const { return machine().settings().systemDir(); }

}  // namespace enginetest
