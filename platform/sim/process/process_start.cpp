// Starting native programs as processes of the simulated machine, their context in WINSIM_* variables.
#include "platform/sim/process/process_start.h"

#include <spawn.h>

#include <cctype>
#include <cstdlib>

#include "platform/sim/state/timing_journal.h"
#include "platform/sim/state/win_path.h"

extern char** environ;

namespace sim {

std::optional<ProcessContext> ProcessFromEnvironment(std::string& error) {
    auto get = [](const char* name) {
        const char* v = std::getenv(name);
        return std::string(v ? v : "");
    };
    ProcessContext c;
    std::string machine = get("WINSIM_MACHINE");
    c.modulePath = AbsoluteWindowsPath("C:\\", get("WINSIM_MODULE"));
    if (machine.empty() || c.modulePath.empty()) {
        error = "this program runs on a simulated Windows machine: start it with "
                "'winsim run MACHINE PROGRAM' (WINSIM_MACHINE and WINSIM_MODULE are not set)";
        return std::nullopt;
    }
    c.machineDir = machine;
    std::string module = c.modulePath;
    std::string dir = DirectoryOf(module);
    c.currentDir = AbsoluteWindowsPath(dir, get("WINSIM_CWD").empty() ? dir : get("WINSIM_CWD"));
    c.bits = get("WINSIM_BITS") == "64" ? 64 : 32;
    c.script = get("WINSIM_SCRIPT");
    c.binDir = get("WINSIM_BIN_DIR");
    c.transcriptShown = get("WINSIM_TRANSCRIPT_SHOWN") == "1";
    timing::SetProgram(c.programName());
    return c;
}

std::vector<std::pair<std::string, std::string>> EnvironmentOf(const ProcessContext& c) {
    return {{"WINSIM_MACHINE", c.machineDir.string()},
            {"WINSIM_MODULE", c.modulePath},
            {"WINSIM_CWD", c.currentDir},
            {"WINSIM_BITS", c.bits == 64 ? "64" : "32"},
            {"WINSIM_SCRIPT", c.script.string()},
            {"WINSIM_BIN_DIR", c.binDir.string()},
            {"WINSIM_TRANSCRIPT_SHOWN", c.transcriptShown ? "1" : "0"}};
}

std::filesystem::path NativeProgram(const ProcessContext& context, const std::string& program) {
    const std::filesystem::path& binDir = context.binDir;
    if (binDir.empty()) return {};
    std::error_code ec;
    std::filesystem::path flat = binDir / program;
    if (std::filesystem::is_regular_file(flat, ec)) return flat;
    std::string folder = program;
    for (char& c : folder) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return binDir / folder / program;
}

int SpawnProcess(const ProcessContext& context, const std::filesystem::path& binary,
                 const std::vector<std::string>& args, pid_t& pid) {
    std::vector<std::string> env;
    auto ours = EnvironmentOf(context);
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        bool replaced = false;
        for (const auto& [name, value] : ours) replaced = replaced || entry.rfind(name + "=", 0) == 0;
        if (!replaced) env.push_back(entry);
    }
    for (const auto& [name, value] : ours) env.push_back(name + "=" + value);

    std::vector<std::string> argvText = {binary.string()};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv, envp;
    for (std::string& a : argvText) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    return posix_spawn(&pid, binary.c_str(), nullptr, nullptr, argv.data(), envp.data());
}

}  // namespace sim
