// The desktop: named mutexes, top-level windows by title, message boxes and the transcript.
#pragma once
#include <cstdint>
#include <memory>

namespace plat {

// An opaque top-level window reference (an HWND on Windows); 0 means none.
using WindowRef = std::uintptr_t;

// A kernel object handle; closing it (destruction) releases the object.
class Handle {
public:
    virtual ~Handle() = default;
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // CreateMutexA(nullptr, initialOwner, name). When a mutex of that name already exists the
    // returned handle refers to it and the last error is ERROR_ALREADY_EXISTS (else 0). Null
    // with the last error on failure.
    virtual std::unique_ptr<Handle> CreateMutexA(bool initialOwner, const char* name) = 0;

    // FindWindowA(className, title): the first top-level window with that exact title (and
    // class, when one is given), 0 when there is none.
    virtual WindowRef FindWindowA(const char* className, const char* title) = 0;
    virtual bool SetForegroundWindow(WindowRef window) = 0;
    virtual bool IsIconic(WindowRef window) = 0;
    // Restores a minimised window.
    virtual bool OpenIcon(WindowRef window) = 0;
    // Puts the window on top of the z-order (and activates it).
    virtual bool BringWindowToTop(WindowRef window) = 0;

    // ShellExecuteA(owner, verb, file, parameters, directory, showCommand) with an SW_* show
    // command. Returns the instance value: above 32 on success, else the error (2 the file
    // does not exist, 3 the path does not, 31 no program for the file, ...).
    virtual std::intptr_t ShellExecuteA(WindowRef owner, const char* verb, const char* file,
                                        const char* parameters, const char* directory,
                                        int showCommand) = 0;

    // SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, section, SMTO_NORMAL, timeout):
    // tells every top-level window that a win.ini section (null: any) changed. False when a
    // window did not answer in time.
    virtual bool BroadcastWinIniChange(const char* section, std::uint32_t timeoutMs) = 0;
    // SendNotifyMessageA(HWND_BROADCAST, WM_WININICHANGE, 0, section): the same news without
    // waiting for the windows to take it.
    virtual bool NotifyWinIniChange(const char* section) = 0;

    // MessageBoxA: shows text and caption with the MB_* type; returns the button pressed
    // (IDOK, IDYES, ...).
    virtual int MessageBoxA(WindowRef owner, const char* text, const char* caption,
                            std::uint32_t type) = 0;

    // One line of what a person would have seen, for the simulated machine's transcript. The
    // line is in the system code page like every text the programs hold; the transcript shows
    // it in UTF-8 for people. Windows keeps no transcript; there it goes to the debugger output.
    virtual void Transcript(const char* line) = 0;
};

}  // namespace plat
