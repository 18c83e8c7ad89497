// winsim run: starts the native program behind a stand-in on the machine, with an automation
// script, and prints the transcript lines the run produced.
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/text.h"
#include "platform/sim/process/process_start.h"
#include "platform/sim/process/stand_in.h"
#include "platform/sim/state/host_file.h"
#include "platform/sim/state/transcript.h"
#include "platform/sim/state/win_path.h"
#include "platform/sim/ui/script.h"
#include "tools/winsim/winsim.h"

namespace winsim {

namespace fs = std::filesystem;

namespace {

// The program ended with 0 but left script actions untaken.
constexpr int kExitScriptNotFinished = 4;

struct RunOptions {
    std::string machineDir;
    std::string program;  // the Windows path of the stand-in
    std::vector<std::string> programArgs;
    std::string script;
    std::string cwd;
    std::string binDir;
    int bits = 0;  // 0: the stand-in's word size
};

int CannotRun(const std::string& message) { return CannotStart("run", message); }

// Options may stand anywhere after the machine; "--" makes every later word a program argument.
bool ParseRunOptions(const Args& args, RunOptions& o, std::string& error) {
    bool optionsEnded = false;
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
            continue;
        }
        bool takesValue = a == "--script" || a == "--cwd" || a == "--bits" || a == "--bin-dir";
        if (!optionsEnded && takesValue) {
            if (i + 1 == args.size()) {
                error = a + " needs a value";
                return false;
            }
            const std::string& value = args[++i];
            if (a == "--script") o.script = value;
            else if (a == "--cwd") o.cwd = value;
            else if (a == "--bin-dir") o.binDir = value;
            else if (value == "32" || value == "64") o.bits = value == "64" ? 64 : 32;
            else {
                error = "--bits takes 32 or 64, not '" + value + "'";
                return false;
            }
        } else if (!optionsEnded && a.rfind("--", 0) == 0 && positional.size() < 2) {
            error = "unknown option " + a;
            return false;
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() < 2) {
        error = "needs the machine directory and the program's Windows path";
        return false;
    }
    o.machineDir = positional[0];
    o.program = positional[1];
    o.programArgs.assign(positional.begin() + 2, positional.end());
    return true;
}


// The native build of a program: in --bin-dir, or in the build tree beside winsim's own
// (tools/winsim/winsim next to setup/setup, install/Install, uninstall/uninstall).
fs::path NativeProgram(const std::string& program, const std::string& binDir) {
    if (!binDir.empty()) return fs::path(binDir) / program;
    return OwnDirectory() / ".." / ".." / common::ToLowerAscii(program) / program;
}

}  // namespace

int CannotStart(const std::string& command, const std::string& message) {
    std::fprintf(stderr, "winsim %s: %s\n", command.c_str(), message.c_str());
    return kExitCannotRun;
}

fs::path OwnDirectory() {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : self.parent_path();
}

int StartAndWait(const std::string& command, const fs::path& binary,
                 const std::vector<std::string>& args, const sim::ProcessContext& context,
                 int& signal) {
    pid_t pid = 0;
    int rc = sim::SpawnProcess(context, binary, args, pid);
    if (rc != 0)
        return CannotStart(command, "cannot start " + binary.string() + ": " + std::strerror(rc));
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return CannotStart(command, "lost the program: " + std::string(std::strerror(errno)));
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return 128 + signal;
}

int RunRun(const Args& args) {
    RunOptions o;
    std::string error;
    if (!ParseRunOptions(args, o, error)) return UsageError("run", error);
    auto machine = OpenMachine(o.machineDir);
    if (!machine) return kExitCannotRun;

    std::string program = WindowsPathArgument(o.program);
    if (program.empty()) return CannotRun("'" + o.program + "' is not a path on drive C");
    std::error_code ec;
    fs::path host = machine->HostPath(program);
    if (!fs::is_regular_file(host, ec)) return CannotRun("no program " + program + " on the machine");
    std::string content;
    bool ok = sim::ReadWholeFile(host, content);
    auto standIn = sim::ParseStandIn(content);
    if (!ok || !standIn)
        return CannotRun(program + " is not a stand-in for a native program (winsim mount places them)");

    sim::ProcessContext context;
    context.machineDir = machine->dir();
    context.modulePath = program;
    context.bits = o.bits ? o.bits : standIn->bits;
    // run prints the program's transcript lines itself, so the program does not repeat its
    // script error on stderr.
    context.transcriptShown = true;
    // Programs that this one starts through the shell find their native builds where winsim
    // found this one's.
    context.binDir = o.binDir.empty() ? (OwnDirectory() / ".." / "..").lexically_normal() : fs::path(o.binDir);
    if (context.bits == 64 && !machine->settings().is64Bit())
        return CannotRun("a 64-bit program cannot run on this 32-bit machine");
    std::string programDir = sim::DirectoryOf(program);
    context.currentDir = o.cwd.empty() ? sim::AbsoluteWindowsPath(programDir, programDir)
                                       : sim::AbsoluteWindowsPath(programDir, o.cwd);
    if (context.currentDir.empty() || !fs::is_directory(machine->HostPath(context.currentDir), ec))
        return CannotRun("the current directory '" + o.cwd + "' is not a directory on the machine");

    fs::path binary = NativeProgram(standIn->program, o.binDir);
    if (!fs::is_regular_file(binary, ec))
        return CannotRun("the native program " + binary.string() + " is not built");

    return RunScripted("run", binary, o.programArgs, o.script, context);
}

int RunScripted(const std::string& command, const fs::path& binary,
                const std::vector<std::string>& args, const std::string& scriptFile,
                sim::ProcessContext& context) {
    std::unique_ptr<sim::ScriptRun> script;
    if (!scriptFile.empty()) {
        context.script = fs::absolute(scriptFile);
        script = std::make_unique<sim::ScriptRun>(context.machineDir, context.script);
        std::string error;
        if (!script->Load(error)) {
            std::fprintf(stderr, "winsim %s: script error: %s\n", command.c_str(), error.c_str());
            return 3;
        }
        script->Restart();
    }
    const std::uint64_t start = sim::TranscriptSize(context.machineDir);
    int signal = 0;
    int status = StartAndWait(command, binary, args, context, signal);
    std::fflush(stdout);
    for (const std::string& line : sim::ReadTranscript(context.machineDir, start))
        std::printf("%s\n", line.c_str());
    if (signal) std::printf("winsim: the program ended by signal %d\n", signal);
    if (script) {
        std::vector<sim::ScriptAction> left = script->Remaining();
        for (const sim::ScriptAction& a : left)
            std::printf("script not finished: %s\n", a.Describe().c_str());
        if (!left.empty() && status == 0) status = kExitScriptNotFinished;
    }
    return status;
}

}  // namespace winsim
