// logoconv's command line: the command, the logos with the settings that apply to each, the output.
#pragma once
#include <string>
#include <vector>

namespace logoconv {

enum class Command { kHelp, kConvert, kDownload, kClear };

// How one logo is turned into a printer image: the logo page's settings record.
struct LogoSettings {
    int method = 0;  // 0 "None", 1 "Dither M3", 2 "Dither M4", 3 "Error Diffuse"
    int contrast = 0;
    int brightness = 0;
};

struct Logo {
    std::string path;
    LogoSettings settings;
};

struct Options {
    Command command = Command::kHelp;
    bool gray = false;   // gray images instead of one-bit ones
    std::string output;  // -o; empty: the work file next to the source (convert only)
    std::vector<Logo> logos;
};

// Parses the arguments after the program name. Settings options apply to the logos named after
// them. False with a message in `error` on a usage error.
bool ParseOptions(const std::vector<std::string>& args, Options& out, std::string& error);

extern const char kUsage[];

}  // namespace logoconv
