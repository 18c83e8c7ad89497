// Stand-in files for the Windows programs on the simulated drive.
#include "platform/sim/process/stand_in.h"

#include <sstream>

namespace sim {

namespace {
constexpr const char* kMagic = "winsim stand-in";
}

std::string FormatStandIn(const StandIn& standIn) {
    return std::string(kMagic) + "\r\nprogram=" + standIn.program +
           "\r\nbits=" + std::to_string(standIn.bits) + "\r\n";
}

std::optional<StandIn> ParseStandIn(const std::string& content) {
    std::istringstream in(content);
    std::string line;
    auto next = [&]() {
        if (!std::getline(in, line)) return false;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return true;
    };
    if (!next() || line != kMagic) return std::nullopt;
    StandIn s;
    while (next()) {
        if (line.rfind("program=", 0) == 0) s.program = line.substr(8);
        else if (line.rfind("bits=", 0) == 0) s.bits = line == "bits=64" ? 64 : line == "bits=32" ? 32 : 0;
    }
    bool safeName = !s.program.empty() && s.program.find_first_of("/\\") == std::string::npos &&
                    s.program != "." && s.program != "..";
    if (!safeName || s.bits == 0) return std::nullopt;
    return s;
}

}  // namespace sim
