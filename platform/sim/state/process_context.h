// The process a deliverable runs as on the simulated machine: which machine, which program,
// its current directory, word size and automation script.
//
// Every stand-in call knows the process it is made for; winsim passes these in the environment
// of the native program it starts (process/process_start.h).
#pragma once
#include <filesystem>
#include <string>

namespace sim {

struct ProcessContext {
    std::filesystem::path machineDir;  // WINSIM_MACHINE
    std::string modulePath;            // WINSIM_MODULE: "C:\\pkg\\setup.exe"
    std::string currentDir;            // WINSIM_CWD: "C:\\pkg"
    int bits = 32;                     // WINSIM_BITS: 32 or 64, the program's word size
    std::filesystem::path script;      // WINSIM_SCRIPT: automation script, may be empty
    std::filesystem::path binDir;      // WINSIM_BIN_DIR: where the native programs are, may be empty
    // WINSIM_TRANSCRIPT_SHOWN=1: whoever started the program shows its transcript lines (winsim
    // run prints them), so a script error goes to the transcript only, not to stderr as well.
    bool transcriptShown = false;

    // The program's name without directory and extension ("setup"), as the transcript shows it.
    std::string programName() const;
};

}  // namespace sim
