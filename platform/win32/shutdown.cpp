// Restarting Windows: each method is the call it names.
#include <windows.h>

#include "platform/win32/shutdown.h"

namespace win32 {

namespace {

HANDLE AsHandle(plat::TokenHandle token) { return reinterpret_cast<HANDLE>(token); }

}  // namespace

bool Win32Shutdown::OpenProcessToken(std::uint32_t desiredAccess, plat::TokenHandle& out) {
    HANDLE token = nullptr;
    BOOL ok = ::OpenProcessToken(::GetCurrentProcess(), desiredAccess, &token);
    out = ok ? reinterpret_cast<plat::TokenHandle>(token) : 0;
    return ok != FALSE;
}

bool Win32Shutdown::LookupPrivilegeValueA(const char* systemName, const char* name,
                                          plat::Luid& out) {
    LUID luid{};
    BOOL ok = ::LookupPrivilegeValueA(systemName, name, &luid);
    out.LowPart = luid.LowPart;
    out.HighPart = luid.HighPart;
    return ok != FALSE;
}

bool Win32Shutdown::AdjustTokenPrivileges(plat::TokenHandle token, bool disableAll,
                                          const plat::Luid& privilege, std::uint32_t attributes) {
    TOKEN_PRIVILEGES state{};
    state.PrivilegeCount = 1;
    state.Privileges[0].Luid.LowPart = privilege.LowPart;
    state.Privileges[0].Luid.HighPart = privilege.HighPart;
    state.Privileges[0].Attributes = attributes;
    return ::AdjustTokenPrivileges(AsHandle(token), disableAll ? TRUE : FALSE, &state, 0, nullptr,
                                   nullptr) != FALSE;
}

bool Win32Shutdown::CloseToken(plat::TokenHandle token) {
    return ::CloseHandle(AsHandle(token)) != FALSE;
}

bool Win32Shutdown::ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) {
    return ::ExitWindowsEx(flags, reason) != FALSE;
}

}  // namespace win32
