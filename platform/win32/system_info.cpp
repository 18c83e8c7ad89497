// System information on Windows: version, processor, WOW64, administrator, error texts, time.
#include <windows.h>

#include "platform/win32/system_info.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/win32/module_lookup.h"

namespace win32 {

namespace {

using GetNativeSystemInfoFn = void(WINAPI*)(LPSYSTEM_INFO);
using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);

// A token handle, closed on destruction.
class TokenHandle {
public:
    HANDLE handle = nullptr;
    TokenHandle() = default;
    ~TokenHandle() {
        if (handle) ::CloseHandle(handle);
    }
    TokenHandle(const TokenHandle&) = delete;
    TokenHandle& operator=(const TokenHandle&) = delete;
};

// The SID of the built-in Administrators group (S-1-5-32-544), freed on destruction.
class AdministratorsSid {
public:
    AdministratorsSid() {
        SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
        if (!::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                        DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &sid_))
            sid_ = nullptr;
    }
    ~AdministratorsSid() {
        if (sid_) ::FreeSid(sid_);
    }
    AdministratorsSid(const AdministratorsSid&) = delete;
    AdministratorsSid& operator=(const AdministratorsSid&) = delete;
    PSID get() const { return sid_; }

private:
    PSID sid_ = nullptr;
};

}  // namespace

bool Win32SystemInfo::GetVersionExA(plat::OsVersion& out) {
    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return false;
    out.major = info.dwMajorVersion;
    out.minor = info.dwMinorVersion;
    out.build = info.dwBuildNumber;
    out.platformId = info.dwPlatformId;
    out.productType = info.wProductType;
    static_assert(sizeof out.csdVersion == sizeof info.szCSDVersion);
    std::memcpy(out.csdVersion, info.szCSDVersion, sizeof out.csdVersion);
    out.csdVersion[sizeof out.csdVersion - 1] = '\0';
    return true;
}

bool Win32SystemInfo::GetNativeProcessorArchitecture(std::uint16_t& out) {
    auto getNativeSystemInfo = FindExport<GetNativeSystemInfoFn>(
        ::GetModuleHandleA("kernel32.dll"), "GetNativeSystemInfo");
    if (!getNativeSystemInfo) return false;
    SYSTEM_INFO info{};
    getNativeSystemInfo(&info);
    out = info.wProcessorArchitecture;
    return true;
}

std::uint16_t Win32SystemInfo::GetProcessorArchitecture() {
    SYSTEM_INFO info{};
    ::GetSystemInfo(&info);
    return info.wProcessorArchitecture;
}

bool Win32SystemInfo::IsWow64Process(bool& wow64) {
    char systemDir[MAX_PATH] = {};
    char kernel32Path[MAX_PATH + 16] = {};
    UINT length = ::GetSystemDirectoryA(systemDir, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        std::snprintf(kernel32Path, sizeof kernel32Path, "%s\\kernel32.dll", systemDir);
    LoadedModule fromSystemDir(kernel32Path);
    auto isWow64Process = FindExport<IsWow64ProcessFn>(fromSystemDir.get(), "IsWow64Process");
    LoadedModule byName(isWow64Process ? "" : "kernel32.dll");
    if (!isWow64Process)
        isWow64Process = FindExport<IsWow64ProcessFn>(byName.get(), "IsWow64Process");
    if (!isWow64Process) return false;
    BOOL result = FALSE;
    if (!isWow64Process(::GetCurrentProcess(), &result)) return false;
    wow64 = result != FALSE;
    return true;
}

bool Win32SystemInfo::IsUserAdministrator() {
    TokenHandle token;
    if (!::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, &token.handle)) {
        token.handle = nullptr;
        if (::GetLastError() != ERROR_NO_TOKEN) return false;
        if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token.handle)) {
            token.handle = nullptr;
            return false;
        }
    }
    DWORD needed = 0;
    ::GetTokenInformation(token.handle, TokenGroups, nullptr, 0, &needed);
    if (needed == 0) return false;
    // Kept in pointer-sized words so that the TOKEN_GROUPS record inside is aligned.
    std::vector<ULONG_PTR> buffer(needed / sizeof(ULONG_PTR) + 1);
    auto* groups = reinterpret_cast<TOKEN_GROUPS*>(buffer.data());
    if (!::GetTokenInformation(token.handle, TokenGroups, groups,
                               static_cast<DWORD>(buffer.size() * sizeof(ULONG_PTR)), &needed))
        return false;
    AdministratorsSid administrators;
    if (!administrators.get()) return false;
    for (DWORD i = 0; i < groups->GroupCount; ++i) {
        if (::EqualSid(groups->Groups[i].Sid, administrators.get())) return true;
    }
    return false;
}

std::uint32_t Win32SystemInfo::FormatMessageA(std::uint32_t code, char* out, std::uint32_t size) {
    if (!out || size == 0) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    out[0] = '\0';
    // FormatMessageA fails outright on a short buffer; the contract here is to cut instead, so
    // the text is taken whole and then copied within the caller's size.
    char* text = nullptr;
    DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
        nullptr, code, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    if (length == 0 || !text) return 0;
    DWORD copied = length < size ? length : size - 1;
    std::memcpy(out, text, copied);
    out[copied] = '\0';
    ::LocalFree(text);
    return copied;
}

std::uint32_t Win32SystemInfo::GetACP() { return ::GetACP(); }

std::string Win32SystemInfo::WideCharToAnsi(std::u16string_view text) {
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int size = ::WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    const int written =
        ::WideCharToMultiByte(CP_ACP, 0, wide, length, out.data(), size, nullptr, nullptr);
    out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return out;
}

void Win32SystemInfo::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

std::uint32_t Win32SystemInfo::GetTickCount() { return ::GetTickCount(); }

plat::FunctionLookup Win32SystemInfo::LookUpFunction(const char* library, const char* function) {
    if (!library || !*library) {
        ::SetLastError(ERROR_MOD_NOT_FOUND);
        return plat::FunctionLookup::NoLibrary;
    }
    HMODULE module = ::LoadLibraryA(library);
    if (!module) return plat::FunctionLookup::NoLibrary;
    const bool found = function && ::GetProcAddress(module, function) != nullptr;
    // Freeing the library must not hide why the lookup failed.
    const DWORD error = ::GetLastError();
    ::FreeLibrary(module);
    ::SetLastError(error);
    return found ? plat::FunctionLookup::Found : plat::FunctionLookup::NoFunction;
}

}  // namespace win32
