// Top-level windows of the simulated machine's processes, kept in the machine's desktop state.
#include "platform/sim/api/top_level_window.h"

#include "platform/sim/state/code_page.h"
#include "platform/sim/state/desktop_state.h"
#include "platform/sim/state/transcript.h"

namespace sim {

TopLevelWindow::TopLevelWindow(const Machine& machine, const ProcessContext& process,
                               plat::WindowRef id, std::string titleUtf8)
    : machineDir_(machine.dir()),
      codePage_(machine.settings().codePage),
      program_(process.programName()),
      id_(id),
      titleUtf8_(std::move(titleUtf8)) {}

TopLevelWindow::~TopLevelWindow() {
    MachineLock lock(machineDir_);
    DesktopState state = LoadDesktopState(machineDir_);
    std::erase_if(state.windows, [&](const WindowRecord& w) { return w.id == id_; });
    if (state.foreground == id_) state.foreground = 0;
    SaveDesktopState(machineDir_, state);
    AppendTranscript(machineDir_, program_, "closes window \"" + titleUtf8_ + "\"");
}

void TopLevelWindow::SetTitle(const std::string& title) {
    std::string utf8 = CodePageToUtf8(title, codePage_);
    if (utf8 == titleUtf8_) return;
    MachineLock lock(machineDir_);
    DesktopState state = LoadDesktopState(machineDir_);
    if (WindowRecord* w = state.FindWindowById(id_)) w->title = utf8;
    SaveDesktopState(machineDir_, state);
    AppendTranscript(machineDir_, program_,
                     "window \"" + titleUtf8_ + "\" is now titled \"" + utf8 + "\"");
    titleUtf8_ = utf8;
}

bool TopLevelWindow::IsMinimized() const {
    MachineLock lock(machineDir_);
    DesktopState state = LoadDesktopState(machineDir_);
    const WindowRecord* w = state.FindWindowById(id_);
    return w && w->minimized;
}

void TopLevelWindow::Minimize() {
    MachineLock lock(machineDir_);
    DesktopState state = LoadDesktopState(machineDir_);
    WindowRecord* w = state.FindWindowById(id_);
    if (!w || w->minimized) return;
    w->minimized = true;
    if (state.foreground == id_) state.foreground = 0;
    SaveDesktopState(machineDir_, state);
    AppendTranscript(machineDir_, program_, "minimises window \"" + titleUtf8_ + "\"");
}

std::unique_ptr<TopLevelWindow> OpenTopLevelWindow(const Machine& machine,
                                                   const ProcessContext& process,
                                                   const std::string& title,
                                                   const std::string& className, bool minimized) {
    std::uint32_t codePage = machine.settings().codePage;
    WindowRecord w;
    w.owner = CurrentProcess();
    w.minimized = minimized;
    w.className = CodePageToUtf8(className, codePage);
    w.title = CodePageToUtf8(title, codePage);
    MachineLock lock(machine.dir());
    DesktopState state = LoadDesktopState(machine.dir());
    w.id = state.nextId++;
    state.windows.insert(state.windows.begin(), w);
    if (!minimized) state.foreground = w.id;
    if (!SaveDesktopState(machine.dir(), state)) return nullptr;
    AppendTranscript(machine.dir(), process.programName(),
                     "opens window \"" + w.title + (minimized ? "\" (minimised)" : "\""));
    return std::unique_ptr<TopLevelWindow>(
        new TopLevelWindow(machine, process, static_cast<plat::WindowRef>(w.id), w.title));
}

}  // namespace sim
