// Parsing of logoconv's command line.
#include "logoconv_options.h"

#include <charconv>

#include "common/text.h"

namespace logoconv {

const char kUsage[] =
    "Usage: logoconv convert [--gray] [SETTINGS] [-o OUTPUT] SOURCE.bmp\n"
    "       logoconv download [--gray] -o JOB.bin [SETTINGS] LOGO.bmp [[SETTINGS] LOGO.bmp ...]\n"
    "       logoconv clear -o JOB.bin\n"
    "       logoconv --help\n"
    "\n"
    "Converts logo bitmaps exactly as the printer driver's \"Download\" page does, and writes the\n"
    "bytes the printer receives when logos are downloaded or cleared.\n"
    "\n"
    "Commands:\n"
    "  convert    Converts SOURCE (a 24- or 8-bit bitmap; with --gray also 1-bit) to a one-bit\n"
    "             (or 8-bit gray) bitmap. It is written to OUTPUT, or by default next to the\n"
    "             source as the page names its work file: SOURCE without its last four\n"
    "             characters, followed by \"Temp.bmp\" (logo.bmp gives logoTemp.bmp).\n"
    "  download   Writes the whole \"Download all\" job for up to nine logos, in the order given,\n"
    "             to JOB.bin. One-bit bitmaps are sent as they are; 24- and 8-bit ones are\n"
    "             converted first, each with the settings given before it, and their work files\n"
    "             are left next to them as previews of what is sent. With --gray every logo is\n"
    "             converted to gray and sent as sixteen-level gray image. The logos' files may\n"
    "             add up to 98303 bytes, as the printer's logo memory holds.\n"
    "  clear      Writes the \"Clear All Logos\" job to JOB.bin.\n"
    "\n"
    "Settings (each applies to the logos named after it):\n"
    "  --method M         none (threshold at the mean, the default), m3 (8x8 ordered dither),\n"
    "                     m4 (16x16 ordered dither), diffuse (error diffusion); or 0..3.\n"
    "                     Gray images have no method.\n"
    "  --contrast N       -100..100, default 0\n"
    "  --brightness N     -100..100, default 0\n"
    "\n"
    "Options:\n"
    "  --gray             gray images instead of one-bit ones\n"
    "  -o, --output PATH  where the result goes\n"
    "  -h, --help         this text\n"
    "\n"
    "Sources must be regular files of at most 64 MiB; no output may be one of the sources.\n"
    "\n"
    "Exit status: 0 done, 1 a logo could not be read, converted or downloaded, 2 usage error.\n";

namespace {

bool ParseMethod(const std::string& text, int& method) {
    static const char* const kNames[] = {"none", "m3", "m4", "diffuse"};
    for (int i = 0; i < 4; ++i) {
        if (common::EqualsNoCase(text, kNames[i]) || text == std::to_string(i)) {
            method = i;
            return true;
        }
    }
    return false;
}

bool ParseAdjustment(const std::string& text, int& value) {
    int parsed = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, parsed);
    if (ec != std::errc() || ptr != end || parsed < -100 || parsed > 100) return false;
    value = parsed;
    return true;
}

}  // namespace

bool ParseOptions(const std::vector<std::string>& args, Options& out, std::string& error) {
    Options options;
    if (args.empty()) {
        error = "no command given";
        return false;
    }
    const std::string& command = args[0];
    if (command == "-h" || command == "--help" || command == "help") {
        out = options;
        return true;
    }
    if (command == "convert") options.command = Command::kConvert;
    else if (command == "download") options.command = Command::kDownload;
    else if (command == "clear") options.command = Command::kClear;
    else {
        error = "unknown command '" + command + "'";
        return false;
    }

    LogoSettings settings;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "-o" || arg == "--output" || arg == "--method" ||
                                arg == "--contrast" || arg == "--brightness";
        if (takesValue && i + 1 >= args.size()) {
            error = arg + " needs a value";
            return false;
        }
        if (arg == "-h" || arg == "--help") {
            options.command = Command::kHelp;
            out = options;
            return true;
        } else if (arg == "--gray") {
            options.gray = true;
        } else if (arg == "-o" || arg == "--output") {
            options.output = args[++i];
        } else if (arg == "--method") {
            if (!ParseMethod(args[++i], settings.method)) {
                error = "unknown method '" + args[i] + "' (none, m3, m4, diffuse or 0..3)";
                return false;
            }
        } else if (arg == "--contrast" || arg == "--brightness") {
            int& target = arg == "--contrast" ? settings.contrast : settings.brightness;
            if (!ParseAdjustment(args[++i], target)) {
                error = arg + " takes a whole number from -100 to 100, not '" + args[i] + "'";
                return false;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option '" + arg + "'";
            return false;
        } else {
            options.logos.push_back({arg, settings});
        }
    }

    switch (options.command) {
        case Command::kConvert:
            if (options.logos.size() != 1) {
                error = "convert takes one source bitmap";
                return false;
            }
            break;
        case Command::kDownload:
            if (options.logos.empty()) {
                error = "download needs at least one logo";
                return false;
            }
            if (options.logos.size() > 9) {
                error = "the printer stores at most nine logos";
                return false;
            }
            [[fallthrough]];
        case Command::kClear:
            if (options.output.empty()) {
                error = "give the job file with -o";
                return false;
            }
            if (options.command == Command::kClear && !options.logos.empty()) {
                error = "clear takes no logos";
                return false;
            }
            break;
        case Command::kHelp: break;
    }
    out = std::move(options);
    return true;
}

}  // namespace logoconv
