// The simulated desktop: mutexes and windows shared across the machine's processes, message
// boxes answered by the automation script, and the transcript.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/last_error.h"
#include "platform/sim/api/top_level_window.h"
#include "platform/sim/state/machine.h"
#include "platform/sim/state/process_context.h"
#include "platform/sim/ui/script.h"

namespace sim {

// Texts from the program (titles, message box texts, transcript lines, mutex names) are in the
// machine's code page; the desktop keeps them, and the transcript shows them, as UTF-8.
//
// ShellExecuteA opens documents in a viewer window titled "NAME - Viewer" and starts the
// native program behind a stand-in (winsim mount places them) as a new process on the machine,
// without waiting for it, as Windows does.
//
// A script error (an answer the box cannot give, an expectation not met, a script that cannot
// be read) writes "script error: ..." to the transcript and ends the process with exit code 3,
// as a person following a script that no longer fits would stop.
class SimDesktop : public plat::Desktop {
public:
    SimDesktop(const Machine& machine, const ProcessContext& process, plat::LastError& error);

    std::unique_ptr<plat::Handle> CreateMutexA(bool initialOwner, const char* name) override;
    plat::WindowRef FindWindowA(const char* className, const char* title) override;
    bool SetForegroundWindow(plat::WindowRef window) override;
    bool IsIconic(plat::WindowRef window) override;
    bool OpenIcon(plat::WindowRef window) override;
    bool BringWindowToTop(plat::WindowRef window) override;
    std::intptr_t ShellExecuteA(plat::WindowRef owner, const char* verb, const char* file,
                                const char* parameters, const char* directory,
                                int showCommand) override;
    int MessageBoxA(plat::WindowRef owner, const char* text, const char* caption,
                    std::uint32_t type) override;
    void Transcript(const char* line) override;

private:
    std::string ToUtf8(const char* text) const;
    // False (with the line on stderr) when the transcript cannot be written.
    bool Write(const std::string& utf8Line);
    [[noreturn]] void Fail(const std::string& utf8Line);
    // The answer the script gives the box (taking its expect and answer lines), or the default
    // button with the reason, for the transcript.
    int AnswerFromScript(const std::string& boxLine, const std::string& text,
                         const std::vector<int>& buttons, int defaultButton, std::string& how);

    // Moves a window to the top of the z-order and writes "brings window "TITLE" to WHERE" to
    // the transcript; ERROR_INVALID_WINDOW_HANDLE when there is no such window.
    bool BringToTop(plat::WindowRef window, const std::string& where);

    // Starts the native program behind a stand-in; false when it cannot be started.
    bool StartStandIn(const std::string& program, int bits, const std::string& file,
                      const std::string& parameters, const std::string& directory);

    const Machine& machine_;
    ProcessContext process_;
    plat::LastError& error_;
    std::unique_ptr<ScriptRun> script_;  // loaded at the first message box
    // Documents opened through the shell: each shows in a viewer window that stays open while
    // this program runs.
    std::vector<std::unique_ptr<TopLevelWindow>> viewers_;
};

}  // namespace sim
