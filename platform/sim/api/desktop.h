// The simulated desktop: mutexes and windows shared across the machine's processes, message
// boxes, the shell, and the transcript.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/last_error.h"
#include "platform/sim/state/machine.h"
#include "platform/sim/state/process_context.h"

namespace sim {

// What the person at the machine answers in a message box. The automation script answers
// (ui/message_boxes.h); without one every box takes its default button.
class MessageBoxAnswers {
public:
    virtual ~MessageBoxAnswers() = default;
    // The button pressed in the box that `boxLine` describes for the transcript, whose text is
    // `text` (UTF-8), with `how` set to the reason ("script line 3", "default button; ...").
    virtual int Answer(const std::string& boxLine, const std::string& text,
                       const std::vector<int>& buttons, int defaultButton, std::string& how) = 0;
};

// ShellExecuteA: documents and the programs the shell starts (process/shell.h).
class Shell {
public:
    virtual ~Shell() = default;
    virtual std::intptr_t ShellExecuteA(plat::WindowRef owner, const char* verb, const char* file,
                                        const char* parameters, const char* directory,
                                        int showCommand) = 0;
};

// The button's name as a message box shows it and the transcript writes it: IDOK is "OK",
// IDYES "Yes"; "button N" for others.
std::string ButtonName(int id);
// The buttons' names joined by "/": "Yes/No/Cancel".
std::string ButtonNames(const std::vector<int>& buttons);

// Texts from the program (titles, message box texts, transcript lines, mutex names) are in the
// machine's code page; the desktop keeps them, and the transcript shows them, as UTF-8.
//
// Message boxes are answered and the shell is run by the layers above, connected with Connect:
// the automation script and the process model. A desktop not connected gives every box its
// default button and simulates no shell.
//
// A script error (an answer the box cannot give, an expectation not met, a script that cannot
// be read) writes "script error: ..." to the transcript and ends the process with exit code 3,
// as a person following a script that no longer fits would stop.
class SimDesktop : public plat::Desktop {
public:
    SimDesktop(const Machine& machine, const ProcessContext& process, plat::LastError& error);

    void Connect(MessageBoxAnswers* answers, Shell* shell);

    std::unique_ptr<plat::Handle> CreateMutexA(bool initialOwner, const char* name) override;
    plat::WindowRef FindWindowA(const char* className, const char* title) override;
    bool SetForegroundWindow(plat::WindowRef window) override;
    bool IsIconic(plat::WindowRef window) override;
    bool OpenIcon(plat::WindowRef window) override;
    bool BringWindowToTop(plat::WindowRef window) override;
    std::intptr_t ShellExecuteA(plat::WindowRef owner, const char* verb, const char* file,
                                const char* parameters, const char* directory,
                                int showCommand) override;
    // No other program listens on the simulated desktop: the broadcast is a transcript line.
    bool BroadcastWinIniChange(const char* section, std::uint32_t timeoutMs) override;
    // SendNotifyMessageA's broadcast, also a transcript line. Both broadcasts fail with an
    // injected fault ("SendMessageTimeoutA", "SendNotifyMessageA"), keyed by the section.
    bool NotifyWinIniChange(const char* section) override;
    int MessageBoxA(plat::WindowRef owner, const char* text, const char* caption,
                    std::uint32_t type) override;
    void Transcript(const char* line) override;

    // For the layers above: the machine's code page to UTF-8, and this process's transcript.
    std::string ToUtf8(const char* text) const;
    // False (with the line on stderr) when the transcript cannot be written.
    bool Write(const std::string& utf8Line);
    // Writes the line, also to stderr, and ends the process with exit code 3.
    [[noreturn]] void Fail(const std::string& utf8Line);

private:
    // Moves a window to the top of the z-order and writes "brings window "TITLE" to WHERE" to
    // the transcript; ERROR_INVALID_WINDOW_HANDLE when there is no such window.
    bool BringToTop(plat::WindowRef window, const std::string& where);

    const Machine& machine_;
    ProcessContext process_;
    plat::LastError& error_;
    MessageBoxAnswers* answers_ = nullptr;
    Shell* shell_ = nullptr;
};

}  // namespace sim
