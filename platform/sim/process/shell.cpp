// The shell of the simulated machine: documents open in a viewer window, stand-ins start
// their native program as another process on the machine.
#include <sys/wait.h>

#include <cstring>
#include <thread>

#include "common/text.h"
#include "platform/sim/api/last_error.h"
#include "platform/sim/process/process_start.h"
#include "platform/sim/process/shell.h"
#include "platform/sim/process/stand_in.h"
#include "platform/sim/state/host_file.h"
#include "platform/sim/state/win_path.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

// ShellExecuteA's error values (SE_ERR_*).
constexpr std::intptr_t kFileNotFound = 2;
constexpr std::intptr_t kPathNotFound = 3;
constexpr std::intptr_t kStarted = 42;  // any value above 32 means success

// Splits a parameter line at blanks, keeping quoted parts together, as the C runtime does.
std::vector<std::string> SplitParameters(const std::string& line) {
    std::vector<std::string> out;
    std::string current;
    bool quoted = false, any = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (any) out.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any) out.push_back(current);
    return out;
}

}  // namespace

ProcessShell::ProcessShell(const Machine& machine, const ProcessContext& process,
                           SimDesktop& desktop, SimFileSystem& files)
    : machine_(machine), process_(process), desktop_(desktop), files_(files) {}

std::intptr_t ProcessShell::ShellExecuteA(plat::WindowRef, const char* verb, const char* file,
                                          const char* parameters, const char* directory, int) {
    std::string verbText = verb ? verb : "open";
    std::string fileText = file ? file : "";
    std::string params = parameters ? parameters : "";
    if (verbText != "open")
        desktop_.Fail("simulator error: the shell verb \"" + desktop_.ToUtf8(verbText.c_str()) +
                      "\" is not simulated");
    const std::string currentDir = files_.Absolute(".");
    std::string base = directory && *directory ? AbsoluteWindowsPath(currentDir, directory) : currentDir;
    std::string path = AbsoluteWindowsPath(base, fileText);
    std::string line = "shell: open " + desktop_.ToUtf8(path.c_str()) +
                       (params.empty() ? "" : " " + desktop_.ToUtf8(params.c_str()));

    std::error_code ec;
    std::filesystem::path host = path.empty() ? std::filesystem::path() : machine_.HostPath(path);
    if (host.empty() || !std::filesystem::is_regular_file(host, ec)) {
        bool folder = !host.empty() && std::filesystem::is_directory(host.parent_path(), ec);
        desktop_.Write(line + (folder ? " -> file not found" : " -> path not found"));
        // Windows sets the thread's error as well, which programs show as the reason.
        SimLastError().SetLastError(folder ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
        return folder ? kFileNotFound : kPathNotFound;
    }
    std::string content;
    ReadWholeFile(host, content);  // one that cannot be read is no stand-in
    std::optional<StandIn> standIn = ParseStandIn(content);
    if (standIn) {
        desktop_.Write(line);
        std::string workDir = directory && *directory ? base : currentDir;
        if (!StartStandIn(standIn->program, standIn->bits, path, params, workDir))
            desktop_.Fail("simulator error: the native program " + standIn->program +
                          " cannot be started");
        return kStarted;
    }
    // A document: it opens in a viewer, whose window title names it as Windows' own viewers
    // do (a text file in Notepad).
    desktop_.Write(line);
    std::string name = FileNameOf(path);
    bool text = name.size() > 4 && common::EqualsNoCase(name.substr(name.size() - 4), ".txt");
    std::string viewerName = text ? "Notepad" : "Viewer";
    auto viewer = OpenTopLevelWindow(machine_, process_, name + " - " + viewerName, viewerName);
    if (!viewer) desktop_.Fail("simulator error: the desktop state cannot be written");
    viewers_.push_back(std::move(viewer));
    return kStarted;
}

bool ProcessShell::StartStandIn(const std::string& program, int bits, const std::string& file,
                              const std::string& parameters, const std::string& directory) {
    std::filesystem::path binary = NativeProgram(process_, program);
    std::error_code ec;
    if (binary.empty() || !std::filesystem::is_regular_file(binary, ec)) return false;
    ProcessContext child = process_;
    child.modulePath = file;
    child.currentDir = directory;
    child.bits = bits;

    pid_t pid = 0;
    if (SpawnProcess(child, binary, SplitParameters(parameters), pid) != 0) return false;
    // The shell does not wait for the program; someone must still collect its exit.
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

}  // namespace sim
