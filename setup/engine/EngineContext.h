// What every step of the installation works with: the platform, the language texts, the target
// system (OS index and word size), the run-wide cabinet switch and the result text.
#pragma once
#include <cstdint>
#include <string>

#include "package/LanguageText.h"
#include "platform/platform.h"
#include "platform/registry.h"
#include "setup/engine/ResultText.h"

namespace setup {

inline constexpr const char* kWindowsX64Environment = "Windows x64";
inline constexpr const char* kWindowsNtX86Environment = "Windows NT x86";

struct EngineContext {
    EngineContext(plat::Platform& p, const pkg::LanguageText& t, int osIndex, bool x64)
        : platform(p), texts(t), os(osIndex), is64Bit(x64) {}

    plat::Platform& platform;
    const pkg::LanguageText& texts;  // the "Message" section of setup's language file
    int os;                          // 0..7
    bool is64Bit;                    // a 32-bit setup on 64-bit Windows
    // The window and caption of the few message boxes the worker itself shows.
    plat::WindowRef owner = 0;
    std::string caption;
    // The "Driver Cache" cabinets are searched at most once per run.
    bool cabinetExtractionAllowed = true;
    ResultText result;

    std::string Text(const char* key) const { return texts.Get(key); }
    // The system's message for a code, without Windows' closing CR LF; empty when it has none.
    std::string SystemMessage(std::uint32_t code) const;
    std::uint32_t LastError() const { return platform.lastError().GetLastError(); }
    // The language text, then a line feed and the system's message when it has one.
    void SetFailure(const char* key, std::uint32_t code);

    // The registry view the spooler's own keys live in: the native one on 64-bit Windows.
    plat::RegView SpoolerView() const {
        return is64Bit ? plat::RegView::View64 : plat::RegView::Default;
    }
    // The environment given to the spooler's directory, driver, processor and monitor calls.
    // A 32-bit program's null environment is "Windows NT x86" also on 64-bit Windows, where
    // AddPrinterA looks for the driver in "Windows x64": there it is named explicitly.
    const char* SpoolerEnvironment() const;
    // The same for GetPrinterDriverDirectoryA / GetPrintProcessorDirectoryA, which otherwise
    // ask for the caller's own (null) environment on every system.
    const char* DirectoryEnvironment() const { return is64Bit ? kWindowsX64Environment : nullptr; }
};

}  // namespace setup
