// The desktop on Windows: named mutexes, top-level windows, message boxes, debugger output.
#pragma once
#include <windows.h>

#include "platform/desktop.h"

namespace win32 {

class Win32Desktop : public plat::Desktop {
public:
    std::unique_ptr<plat::Handle> CreateMutexA(bool initialOwner, const char* name) override;
    plat::WindowRef FindWindowA(const char* className, const char* title) override;
    bool SetForegroundWindow(plat::WindowRef window) override;
    bool IsIconic(plat::WindowRef window) override;
    bool OpenIcon(plat::WindowRef window) override;
    bool BringWindowToTop(plat::WindowRef window) override;
    std::intptr_t ShellExecuteA(plat::WindowRef owner, const char* verb, const char* file,
                                const char* parameters, const char* directory,
                                int showCommand) override;
    bool BroadcastWinIniChange(const char* section, std::uint32_t timeoutMs) override;
    bool NotifyWinIniChange(const char* section) override;
    int MessageBoxA(plat::WindowRef owner, const char* text, const char* caption,
                    std::uint32_t type) override;
    void Transcript(const char* line) override;
};

}  // namespace win32
