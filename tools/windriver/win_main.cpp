// windriver: runs a Windows program and takes an automation script's actions on its real
// windows, writing the transcript in the simulator's format. Used under Wine by
// scripts/compare-scenarios; docs/windriver.md describes it.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/windriver/win_driver.h"

namespace {

const char* const kUsage =
    "usage: windriver --script FILE --transcript FILE [--names HEADER] [--name PREFIX]\n"
    "                 [--screenshots DIR --shot-name STEM] [--window TITLE]... PROGRAM [ARGUMENTS...]\n"
    "Exit status: the program's own; 4 it ended with 0 but script actions are left;\n"
    "3 a script error; 125 the program could not be started; 2 a wrong command line.\n";

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    text = bytes.str();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    windriver::DriverOptions options;
    std::string scriptPath, transcriptPath, namesPath;
    std::vector<std::string> otherWindows;
    int i = 1;
    for (; i < argc && argv[i][0] == '-'; i += 2) {
        std::string option = argv[i];
        if (i + 1 >= argc) break;
        std::string value = argv[i + 1];
        if (option == "--script") scriptPath = value;
        else if (option == "--transcript") transcriptPath = value;
        else if (option == "--names") namesPath = value;
        else if (option == "--name") options.programName = value;
        else if (option == "--screenshots") options.screenshotDir = value;
        else if (option == "--shot-name") options.screenshotStem = value;
        else if (option == "--window") otherWindows.push_back(value);
        else {
            std::fprintf(stderr, "windriver: unknown option %s\n%s", option.c_str(), kUsage);
            return 2;
        }
    }
    if (i >= argc || scriptPath.empty() || transcriptPath.empty()) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    options.program = argv[i];
    for (++i; i < argc; ++i) {
        if (!options.arguments.empty()) options.arguments += ' ';
        options.arguments += argv[i];
    }
    if (options.programName.empty()) {
        std::string file = options.program.substr(options.program.find_last_of("\\/") + 1);
        options.programName = file.substr(0, file.find('.'));
    }
    if (options.screenshotStem.empty()) options.screenshotStem = options.programName;

    std::string text, error;
    if (!ReadFile(scriptPath, text) || !windriver::ParseDriverScript(text, options.script, error)) {
        std::fprintf(stderr, "windriver: script %s: %s\n", scriptPath.c_str(), error.empty() ? "cannot be read" : error.c_str());
        return 3;
    }
    if (!namesPath.empty()) {
        if (!ReadFile(namesPath, text)) {
            std::fprintf(stderr, "windriver: cannot read %s\n", namesPath.c_str());
            return 2;
        }
        options.names = windriver::ResourceNames::Parse(text);
    }
    std::FILE* transcript = std::fopen(transcriptPath.c_str(), "wb");
    if (!transcript) {
        std::fprintf(stderr, "windriver: cannot write %s\n", transcriptPath.c_str());
        return 2;
    }
    // Windows another program would have open (the uninstaller's), found by their titles.
    for (const std::string& title : otherWindows)
        ::CreateWindowExA(0, "STATIC", title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    windriver::Driver driver(std::move(options), transcript);
    int status = driver.Run();
    std::fclose(transcript);
    return status;
}
