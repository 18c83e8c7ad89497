// A throwaway machine with the example package, a 32-bit setup process on it with the
// simulator's own spooler, services, cabinets and WOW64 calls, and an engine context for one
// OS index and word size. Errors come from the machine's call faults.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "package/LanguageText.h"
#include "platform/sim/process/platform.h"
#include "platform/sim/state/print_provider.h"
#include "platform/win_constants.h"
#include "setup/engine/EngineContext.h"
#include "tests/support/package_machine.h"

namespace enginetest {

inline constexpr const char* kDriverDir = "C:\\Windows\\System32\\spool\\drivers\\w32x86";
inline constexpr const char* kDriverDirX64 = "C:\\Windows\\System32\\spool\\drivers\\x64";
inline constexpr const char* kProcessorDir = "C:\\Windows\\System32\\spool\\prtprocs\\w32x86";

struct Engine {
    std::unique_ptr<testsupport::PackageMachine> machine;
    std::unique_ptr<sim::SimPlatform> platform;  // the setup process
    std::unique_ptr<pkg::LanguageText> texts;
    std::unique_ptr<setup::EngineContext> ctx;

    std::string Text(const char* key) const { return texts->Get(key); }
    std::string FileOn(const std::string& path) const;  // "" when missing
    bool Exists(const std::string& path) const;
    bool Put(const std::string& path, const std::string& bytes) {
        return machine->WriteFile(path, bytes);
    }
    sim::PrintProvider provider() const { return sim::PrintProvider(machine->machine()); }
    // A fault on a call, as winsim's fault list holds it.
    void Fail(const std::string& call, std::uint32_t error, std::uint32_t times = 0,
              const std::string& target = "") const;
};

// os: the OS index the engine installs for; the machine (Windows 7, 32- or 64-bit as is64Bit
// says, unless a preset is named) supplies the files and the spooler.
std::unique_ptr<Engine> MakeEngine(int os, bool is64Bit, const std::string& preset = "");

}  // namespace enginetest
