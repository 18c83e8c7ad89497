// The desktop on Windows: named mutexes, top-level windows, message boxes, debugger output.
#include <windows.h>
#include <shellapi.h>

#include "platform/win32/desktop.h"

#include <string>

namespace win32 {

namespace {

// A kernel object handle, closed on destruction without disturbing the last error.
class KernelHandle : public plat::Handle {
public:
    explicit KernelHandle(HANDLE handle) : handle_(handle) {}
    ~KernelHandle() override {
        DWORD error = ::GetLastError();
        ::CloseHandle(handle_);
        ::SetLastError(error);
    }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;

private:
    HANDLE handle_;
};

HWND ToHwnd(plat::WindowRef window) { return reinterpret_cast<HWND>(window); }

}  // namespace

std::unique_ptr<plat::Handle> Win32Desktop::CreateMutexA(bool initialOwner, const char* name) {
    HANDLE mutex = ::CreateMutexA(nullptr, initialOwner ? TRUE : FALSE, name);
    // ERROR_ALREADY_EXISTS is the answer the caller looks for; the allocation must not lose it.
    DWORD error = ::GetLastError();
    if (!mutex) return nullptr;
    auto handle = std::make_unique<KernelHandle>(mutex);
    ::SetLastError(error);
    return handle;
}

plat::WindowRef Win32Desktop::FindWindowA(const char* className, const char* title) {
    return reinterpret_cast<plat::WindowRef>(::FindWindowA(className, title));
}

bool Win32Desktop::SetForegroundWindow(plat::WindowRef window) {
    return ::SetForegroundWindow(ToHwnd(window)) != FALSE;
}

bool Win32Desktop::IsIconic(plat::WindowRef window) { return ::IsIconic(ToHwnd(window)) != FALSE; }

bool Win32Desktop::OpenIcon(plat::WindowRef window) { return ::OpenIcon(ToHwnd(window)) != FALSE; }

bool Win32Desktop::BringWindowToTop(plat::WindowRef window) {
    return ::BringWindowToTop(ToHwnd(window)) != FALSE;
}

std::intptr_t Win32Desktop::ShellExecuteA(plat::WindowRef owner, const char* verb,
                                          const char* file, const char* parameters,
                                          const char* directory, int showCommand) {
    HINSTANCE instance =
        ::ShellExecuteA(ToHwnd(owner), verb, file, parameters, directory, showCommand);
    return reinterpret_cast<std::intptr_t>(instance);
}

int Win32Desktop::MessageBoxA(plat::WindowRef owner, const char* text, const char* caption,
                              std::uint32_t type) {
    return ::MessageBoxA(ToHwnd(owner), text, caption, type);
}

void Win32Desktop::Transcript(const char* line) {
    ::OutputDebugStringA((std::string(line ? line : "") + "\n").c_str());
}

bool Win32Desktop::BroadcastWinIniChange(const char* section, std::uint32_t timeoutMs) {
    DWORD_PTR answer = 0;
    return ::SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0,
                                 reinterpret_cast<LPARAM>(section), SMTO_NORMAL, timeoutMs,
                                 &answer) != 0;
}

bool Win32Desktop::NotifyWinIniChange(const char* section) {
    return ::SendNotifyMessageA(HWND_BROADCAST, WM_WININICHANGE, 0,
                                reinterpret_cast<LPARAM>(section)) != 0;
}

}  // namespace win32
