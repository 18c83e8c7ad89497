// The engine tests' machine: the example package at C:\Pkg and a setup process on it.
#include "tests/setup/engine/engine_fixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/sim/state/faults.h"

namespace enginetest {

namespace {
constexpr const char* kPackageDir = "C:\\Pkg";
}

std::string Engine::FileOn(const std::string& path) const {
    std::ifstream in(machine->HostPath(path), std::ios::binary);
    if (!in) return "";
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool Engine::Exists(const std::string& path) const {
    return std::filesystem::exists(machine->HostPath(path));
}

void Engine::Fail(const std::string& call, std::uint32_t error, std::uint32_t times,
                  const std::string& target) const {
    std::string message;
    if (!sim::AddFault(machine->machine(), {call, error, times, target}, message))
        ADD_FAILURE() << message;
}

std::unique_ptr<Engine> MakeEngine(int os, bool is64Bit, const std::string& preset) {
    auto engine = std::make_unique<Engine>();
    testsupport::PackageMachineOptions options;
    options.preset = !preset.empty() ? preset : is64Bit ? "windows-7-x64" : "windows-7-x86";
    options.packageDir = kPackageDir;
    std::string error;
    engine->machine =
        testsupport::PackageMachine::Create(testsupport::ExamplePackage(), options, error);
    if (!engine->machine) {
        ADD_FAILURE() << error;
        return nullptr;
    }
    // The engine waits for the spooler in 300 ms steps; the simulated clock need not.
    sim::MachineSettings settings = engine->machine->machine().settings();
    settings.timeScale = 0;
    if (!engine->machine->machine().SaveSettings(settings, error)) {
        ADD_FAILURE() << error;
        return nullptr;
    }
    // Setup is a 32-bit program everywhere.
    engine->platform =
        engine->machine->Process(32, std::string(kPackageDir) + "\\setup.exe", kPackageDir);
    engine->texts = std::make_unique<pkg::LanguageText>(*engine->platform, "Message");
    engine->ctx =
        std::make_unique<setup::EngineContext>(*engine->platform, *engine->texts, os, is64Bit);
    return engine;
}

}  // namespace enginetest
