// Starting native programs as processes of the simulated machine, and a process learning which
// one it is: the WINSIM_* environment variables carry the process context.
#pragma once
#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/sim/state/process_context.h"

namespace sim {

// The context from the WINSIM_* variables. Null with a message when WINSIM_MACHINE or
// WINSIM_MODULE is missing; the current directory defaults to the module's directory.
std::optional<ProcessContext> ProcessFromEnvironment(std::string& error);

// The WINSIM_* variables that describe a context, for starting a child process.
std::vector<std::pair<std::string, std::string>> EnvironmentOf(const ProcessContext& context);

// The native build of a program ("Install"): BIN_DIR/Install when that file exists (a directory
// of programs), else BIN_DIR/install/Install (the top of a build tree). Empty without a bin
// directory.
std::filesystem::path NativeProgram(const ProcessContext& context, const std::string& program);

// Starts a native program as a process of the context: its arguments follow the binary's path,
// and its environment is this process's with the context's WINSIM_* variables in place of any
// of the same names. Sets pid and returns 0, or returns posix_spawn's error number. The caller
// collects the child's exit.
int SpawnProcess(const ProcessContext& context, const std::filesystem::path& binary,
                 const std::vector<std::string>& args, pid_t& pid);

}  // namespace sim
