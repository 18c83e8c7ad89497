// Helpers every winsim command shares: errors, opening machines, path arguments.
#include <cstdio>

#include "common/text.h"
#include "platform/sim/state/win_path.h"
#include "tools/winsim/winsim.h"

namespace winsim {

const Command* FindCommand(const std::string& name) {
    for (const Command& c : Commands())
        if (name == c.name) return &c;
    return nullptr;
}

int UsageError(const std::string& command, const std::string& message) {
    std::fprintf(stderr, "winsim %s: %s\n", command.c_str(), message.c_str());
    if (const Command* c = FindCommand(command))
        std::fprintf(stderr, "usage: winsim %s\n", c->synopsis);
    return kExitUsage;
}

int Failure(const std::string& message) {
    std::fprintf(stderr, "winsim: %s\n", message.c_str());
    return kExitFailed;
}

std::optional<sim::Machine> OpenMachine(const std::string& dir) {
    std::string error;
    auto machine = sim::Machine::Open(dir, error);
    if (!machine) Failure(error);
    return machine;
}

std::string WindowsPathArgument(const std::string& arg) {
    std::string path = sim::AbsoluteWindowsPath("C:\\", arg);
    if (path.size() < 2 || path[0] != 'C') return {};
    return path;
}

bool ParseNumberArgument(const std::string& word, unsigned long long min, unsigned long long max,
                         unsigned long long& out) {
    std::uint64_t n = 0;
    if (word.size() > 10 || !common::ParseDecimal(word, max, n) || n < min) return false;
    out = n;
    return true;
}

std::string OnOneLine(const std::string& text) {
    std::string out;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\t') out += "\\t";
        else if (c < 0x20 || c == 0x7F) {
            char buf[5];
            std::snprintf(buf, sizeof buf, "\\x%02X", static_cast<unsigned>(c));
            out += buf;
        } else out += ch;
    }
    return out;
}

void DumpHex(const std::vector<std::uint8_t>& data) {
    for (std::size_t row = 0; row < data.size(); row += 16) {
        std::printf("%08zX ", row);
        for (std::size_t i = row; i < row + 16; ++i) {
            if (i < data.size())
                std::printf(" %02X", data[i]);
            else
                std::printf("   ");
        }
        std::printf("  ");
        for (std::size_t i = row; i < row + 16 && i < data.size(); ++i)
            std::putchar(data[i] >= 0x20 && data[i] < 0x7F ? data[i] : '.');
        std::printf("\n");
    }
}

}  // namespace winsim
