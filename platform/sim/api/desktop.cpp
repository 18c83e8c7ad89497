// The simulated desktop: machine-wide mutexes and windows, message boxes, transcript.
#include "platform/sim/api/desktop.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/sim/api/call_faults.h"
#include "platform/sim/state/code_page.h"
#include "platform/sim/state/desktop_state.h"
#include "platform/sim/state/transcript.h"
#include "platform/win_constants.h"

namespace sim {

namespace fs = std::filesystem;

namespace {

// A handle to a named mutex: one record in the desktop state, removed when the handle closes.
class MutexHandle : public plat::Handle {
public:
    MutexHandle(fs::path machineDir, std::uint64_t id) : machineDir_(std::move(machineDir)), id_(id) {}
    ~MutexHandle() override {
        MachineLock lock(machineDir_);
        DesktopState state = LoadDesktopState(machineDir_);
        std::erase_if(state.mutexes, [&](const MutexRecord& m) { return m.id == id_; });
        SaveDesktopState(machineDir_, state);
    }

private:
    fs::path machineDir_;
    std::uint64_t id_;
};

// An unnamed mutex is private to the process: nothing on the desktop refers to it.
class UnnamedHandle : public plat::Handle {};

// The buttons of a MessageBox type, in the order they appear (MB_DEFBUTTONn counts in it).
std::vector<int> ButtonsOf(std::uint32_t type) {
    switch (type & 0xF) {
        case MB_OK: return {IDOK};
        case MB_OKCANCEL: return {IDOK, IDCANCEL};
        case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
        case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
        case MB_YESNO: return {IDYES, IDNO};
        case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
        default: return {};
    }
}

std::string IconOf(std::uint32_t type) {
    switch (type & 0xF0) {
        case 0: return "no icon";
        case MB_ICONERROR: return "error icon";
        case MB_ICONQUESTION: return "question icon";
        case MB_ICONWARNING: return "warning icon";
        case MB_ICONINFORMATION: return "information icon";
        default: return {};
    }
}

std::string Hex(std::uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%X", value);
    return buffer;
}

// "Global\" and "Local\" name the session namespace; there is one session on this desktop.
std::string WithoutNamespace(const std::string& name) {
    for (const char* prefix : {"Global\\", "Local\\"})
        if (name.rfind(prefix, 0) == 0) return name.substr(std::string(prefix).size());
    return name;
}

}  // namespace

std::string ButtonName(int id) {
    switch (id) {
        case IDOK: return "OK";
        case IDCANCEL: return "Cancel";
        case IDABORT: return "Abort";
        case IDRETRY: return "Retry";
        case IDIGNORE: return "Ignore";
        case IDYES: return "Yes";
        case IDNO: return "No";
        default: return "button " + std::to_string(id);
    }
}

std::string ButtonNames(const std::vector<int>& buttons) {
    std::string out;
    for (int id : buttons) out += (out.empty() ? "" : "/") + ButtonName(id);
    return out;
}

SimDesktop::SimDesktop(const Machine& machine, const ProcessContext& process,
                       plat::LastError& error)
    : machine_(machine), process_(process), error_(error) {}

void SimDesktop::Connect(MessageBoxAnswers* answers, Shell* shell) {
    answers_ = answers;
    shell_ = shell;
}

std::intptr_t SimDesktop::ShellExecuteA(plat::WindowRef owner, const char* verb, const char* file,
                                        const char* parameters, const char* directory,
                                        int showCommand) {
    if (!shell_) Fail("simulator error: ShellExecuteA is not simulated without a process model");
    return shell_->ShellExecuteA(owner, verb, file, parameters, directory, showCommand);
}

std::string SimDesktop::ToUtf8(const char* text) const {
    return CodePageToUtf8(text ? text : "", machine_.settings().codePage);
}

bool SimDesktop::Write(const std::string& utf8Line) {
    if (AppendTranscript(machine_.dir(), process_.programName(), utf8Line)) return true;
    std::fprintf(stderr, "%s: cannot write the transcript: %s\n", process_.programName().c_str(),
                 utf8Line.c_str());
    return false;
}

void SimDesktop::Fail(const std::string& utf8Line) {
    // Said once: when winsim run shows the transcript, the transcript line is enough; a line
    // the transcript did not take is already on stderr.
    if (Write(utf8Line) && !process_.transcriptShown)
        std::fprintf(stderr, "%s: %s\n", process_.programName().c_str(), utf8Line.c_str());
    std::exit(3);
}

std::unique_ptr<plat::Handle> SimDesktop::CreateMutexA(bool, const char* name) {
    // Ownership is not modelled: the programs only ask whether the name already existed.
    if (!name) {
        error_.SetLastError(ERROR_SUCCESS);
        return std::make_unique<UnnamedHandle>();
    }
    std::string utf8 = WithoutNamespace(ToUtf8(name));
    if (utf8.find('\\') != std::string::npos) {
        error_.SetLastError(ERROR_PATH_NOT_FOUND);
        return nullptr;
    }
    MachineLock lock(machine_.dir());
    DesktopState state = LoadDesktopState(machine_.dir());
    bool existed = state.MutexExists(utf8);
    MutexRecord record;
    record.id = state.nextId++;
    record.owner = CurrentProcess();
    record.name = utf8;
    state.mutexes.push_back(record);
    if (!SaveDesktopState(machine_.dir(), state)) {
        error_.SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    error_.SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return std::make_unique<MutexHandle>(machine_.dir(), record.id);
}

plat::WindowRef SimDesktop::FindWindowA(const char* className, const char* title) {
    std::string classUtf8 = ToUtf8(className);
    std::string titleUtf8 = ToUtf8(title);
    MachineLock lock(machine_.dir());
    DesktopState state = LoadDesktopState(machine_.dir());
    const WindowRecord* w = state.FindWindowByTitle(className ? classUtf8.c_str() : nullptr,
                                                    title ? titleUtf8.c_str() : nullptr);
    return w ? static_cast<plat::WindowRef>(w->id) : 0;
}

bool SimDesktop::BringToTop(plat::WindowRef window, const std::string& where) {
    MachineLock lock(machine_.dir());
    DesktopState state = LoadDesktopState(machine_.dir());
    const WindowRecord* w = state.FindWindowById(window);
    if (!w) {
        error_.SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    std::string title = w->title;
    state.BringToTop(window);
    SaveDesktopState(machine_.dir(), state);
    Write("brings window \"" + title + "\" to " + where);
    return true;
}

bool SimDesktop::SetForegroundWindow(plat::WindowRef window) {
    return BringToTop(window, "the foreground");
}

bool SimDesktop::IsIconic(plat::WindowRef window) {
    MachineLock lock(machine_.dir());
    DesktopState state = LoadDesktopState(machine_.dir());
    const WindowRecord* w = state.FindWindowById(window);
    return w && w->minimized;
}

bool SimDesktop::OpenIcon(plat::WindowRef window) {
    MachineLock lock(machine_.dir());
    DesktopState state = LoadDesktopState(machine_.dir());
    WindowRecord* w = state.FindWindowById(window);
    if (!w) {
        error_.SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    // OpenIcon restores and activates; only a minimised window visibly changes.
    bool wasMinimized = w->minimized;
    std::string title = w->title;
    w->minimized = false;
    state.BringToTop(window);
    SaveDesktopState(machine_.dir(), state);
    if (wasMinimized) Write("restores window \"" + title + "\"");
    return true;
}

bool SimDesktop::BringWindowToTop(plat::WindowRef window) {
    return BringToTop(window, "the top");
}

int SimDesktop::MessageBoxA(plat::WindowRef, const char* text, const char* caption,
                            std::uint32_t type) {
    // Windows titles a box without a caption "Error".
    std::string captionUtf8 = caption ? ToUtf8(caption) : "Error";
    std::string textUtf8 = ToUtf8(text);
    std::vector<int> buttons = ButtonsOf(type);
    std::string icon = IconOf(type);
    if (buttons.empty() || icon.empty())
        Fail("simulator error: message box type " + Hex(type) + " is not simulated (\"" +
             textUtf8 + "\")");
    std::size_t defaultIndex = (type >> 8) & 0xF;
    int defaultButton = buttons[defaultIndex < buttons.size() ? defaultIndex : 0];

    std::string boxLine = "message box \"" + captionUtf8 + "\" [" + icon + ", " +
                          ButtonNames(buttons) + "] \"" + textUtf8 + "\"";
    std::string how = "default button; no script";
    int answer = answers_ ? answers_->Answer(boxLine, textUtf8, buttons, defaultButton, how)
                          : defaultButton;
    Write(boxLine + " -> " + ButtonName(answer) + " (" + how + ")");
    return answer;
}

void SimDesktop::Transcript(const char* line) { Write(ToUtf8(line)); }

namespace {

std::string WinIniChangeLine(const std::string& how, const char* section,
                             const std::string& sectionUtf8) {
    if (section) return how + " every window that the win.ini section [" + sectionUtf8 + "] changed";
    return how + " every window that the win.ini settings changed";
}

}  // namespace

bool SimDesktop::BroadcastWinIniChange(const char* section, std::uint32_t) {
    const std::uint32_t fault = InjectedFault(machine_, "SendMessageTimeoutA", section ? section : "");
    if (fault != ERROR_SUCCESS) {
        error_.SetLastError(fault);
        return false;
    }
    Write(WinIniChangeLine("tells", section, section ? ToUtf8(section) : ""));
    return true;
}

bool SimDesktop::NotifyWinIniChange(const char* section) {
    const std::uint32_t fault = InjectedFault(machine_, "SendNotifyMessageA", section ? section : "");
    if (fault != ERROR_SUCCESS) {
        error_.SetLastError(fault);
        return false;
    }
    Write(WinIniChangeLine("notifies", section, section ? ToUtf8(section) : ""));
    return true;
}

}  // namespace sim
