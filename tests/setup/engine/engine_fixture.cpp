// The engine tests' machine: the example package at C:\Pkg and the spooler's directories.
#include "tests/setup/engine/engine_fixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace enginetest {

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

std::unique_ptr<Engine> MakeEngine(int os, bool is64Bit, const std::string& preset) {
    auto engine = std::make_unique<Engine>();
    testsupport::PackageMachineOptions options;
    options.preset = preset;
    std::string error;
    engine->machine =
        testsupport::PackageMachine::Create(testsupport::ExamplePackage(), options, error);
    if (!engine->machine) {
        ADD_FAILURE() << error;
        return nullptr;
    }
    // The spool directories exist on every Windows; their version subdirectories do not.
    for (const char* dir : {kDriverDir, kDriverDirX64, kProcessorDir}) {
        engine->machine->WriteFile(std::string(dir) + "\\keep.tmp", "");
        engine->machine->RemoveFile(std::string(dir) + "\\keep.tmp");
    }
    engine->platform =
        std::make_unique<testsupport::EngineTestPlatform>(engine->machine->platform());
    engine->texts = std::make_unique<pkg::LanguageText>(*engine->platform, "Message");
    engine->ctx =
        std::make_unique<setup::EngineContext>(*engine->platform, *engine->texts, os, is64Bit);
    return engine;
}

}  // namespace enginetest
