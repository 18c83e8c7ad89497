// A throwaway machine with the example package, a setup process on it whose spooler, services,
// cabinets and WOW64 calls are fakes, and an engine context for one OS index and word size.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "package/LanguageText.h"
#include "setup/engine/EngineContext.h"
#include "tests/support/engine_fakes.h"
#include "tests/support/package_machine.h"

namespace enginetest {

inline constexpr const char* kDriverDir = "C:\\Windows\\System32\\spool\\drivers\\w32x86";
inline constexpr const char* kDriverDirX64 = "C:\\Windows\\System32\\spool\\drivers\\x64";
inline constexpr const char* kProcessorDir = "C:\\Windows\\System32\\spool\\prtprocs\\w32x86";

struct Engine {
    std::unique_ptr<testsupport::PackageMachine> machine;
    std::unique_ptr<testsupport::EngineTestPlatform> platform;
    std::unique_ptr<pkg::LanguageText> texts;
    std::unique_ptr<setup::EngineContext> ctx;

    std::string Text(const char* key) const { return texts->Get(key); }
    std::string FileOn(const std::string& path) const;  // "" when missing
    bool Exists(const std::string& path) const;
    bool Put(const std::string& path, const std::string& bytes) {
        return machine->WriteFile(path, bytes);
    }
};

// os: the OS index the engine installs for; the machine preset only supplies files.
std::unique_ptr<Engine> MakeEngine(int os, bool is64Bit,
                                   const std::string& preset = "windows-7-x86");

}  // namespace enginetest
