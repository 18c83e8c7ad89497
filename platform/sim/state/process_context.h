// The process a deliverable runs as on the simulated machine: which machine, which program,
// its current directory, word size and automation script. winsim passes these in the
// environment of the native program it starts.
#pragma once
#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

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

    // Reads the WINSIM_* variables. Null with a message when WINSIM_MACHINE or WINSIM_MODULE is
    // missing; the current directory defaults to the module's directory.
    static std::optional<ProcessContext> FromEnvironment(std::string& error);
    // The native build of a program ("Install"): BIN_DIR/Install when that file exists (a
    // directory of programs), else BIN_DIR/install/Install (the top of a build tree). Empty
    // without a bin directory.
    std::filesystem::path NativeProgram(const std::string& program) const;
    // The WINSIM_* variables that describe this context, for starting a child process.
    std::vector<std::pair<std::string, std::string>> Environment() const;
    // Starts a native program as a process of this context: its arguments follow the binary's
    // path, and its environment is this process's with the WINSIM_* variables above in place of
    // any of the same names. Sets pid and returns 0, or returns posix_spawn's error number.
    // The caller collects the child's exit.
    int Spawn(const std::filesystem::path& binary, const std::vector<std::string>& args, pid_t& pid) const;
};

}  // namespace sim
