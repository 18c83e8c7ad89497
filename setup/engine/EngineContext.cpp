// The engine context's texts: language texts with the system's message behind them.
#include "setup/engine/EngineContext.h"

#include "package/PackageTypes.h"

namespace setup {

std::string EngineContext::SystemMessage(std::uint32_t code) const {
    char buffer[1024] = {};
    const std::uint32_t n = platform.system().FormatMessageA(code, buffer, sizeof buffer);
    std::string text(buffer, n < sizeof buffer ? n : sizeof buffer - 1);
    // Windows ends its messages with CR LF; the result text puts its own line breaks.
    TrimLineEnd(text);
    return text;
}

void EngineContext::SetFailure(const char* key, std::uint32_t code) {
    result.Set(Text(key));
    const std::string message = SystemMessage(code);
    if (!message.empty()) {
        result.Append("\n");
        result.Append(message);
    }
}

const char* EngineContext::SpoolerEnvironment() const {
    if (pkg::UsesWindows40Environment(os)) return pkg::kWindows40Environment;
    // A 32-bit program's null environment is "Windows NT x86" even on 64-bit Windows.
    if (is64Bit) return kWindowsX64Environment;
    return nullptr;
}

}  // namespace setup
