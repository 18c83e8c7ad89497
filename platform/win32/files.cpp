// The file system on Windows: each method is the kernel32 call it names.
#include <windows.h>

#include "platform/win32/files.h"

#include <algorithm>

#include "platform/win32/module_lookup.h"

namespace win32 {

namespace {

// A file handle from CreateFileA, closed on destruction without disturbing the last error.
class Win32OpenFile : public plat::OpenFile {
public:
    explicit Win32OpenFile(HANDLE handle) : handle_(handle) {}
    ~Win32OpenFile() override {
        DWORD error = ::GetLastError();
        ::CloseHandle(handle_);
        ::SetLastError(error);
    }
    Win32OpenFile(const Win32OpenFile&) = delete;
    Win32OpenFile& operator=(const Win32OpenFile&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// A search handle from FindFirstFileA, closed on destruction.
class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle() {
        DWORD error = ::GetLastError();
        ::FindClose(handle_);
        ::SetLastError(error);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

private:
    HANDLE handle_;
};

// Any address inside this module: GetModuleHandleExA then names the program or the plug-in
// DLL that the platform layer is linked into.
void ModuleMarker() {}

}  // namespace

std::uint32_t Win32FileSystem::GetModuleFileNameA(char* out, std::uint32_t size) {
    HMODULE self = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&ModuleMarker), &self);
    std::uint32_t length = ::GetModuleFileNameA(self, out, size);
    // Windows XP leaves a cut path unterminated; later versions terminate it.
    if (length == size && size > 0) out[size - 1] = '\0';
    return length;
}

std::uint32_t Win32FileSystem::GetCurrentDirectoryA(std::uint32_t size, char* out) {
    return ::GetCurrentDirectoryA(size, out);
}

bool Win32FileSystem::SetCurrentDirectoryA(const char* path) {
    return ::SetCurrentDirectoryA(path) != FALSE;
}

std::uint32_t Win32FileSystem::GetWindowsDirectoryA(char* out, std::uint32_t size) {
    return ::GetWindowsDirectoryA(out, size);
}

std::uint32_t Win32FileSystem::GetSystemDirectoryA(char* out, std::uint32_t size) {
    return ::GetSystemDirectoryA(out, size);
}

std::uint32_t Win32FileSystem::GetTempPathA(std::uint32_t size, char* out) {
    return ::GetTempPathA(size, out);
}

std::uint32_t Win32FileSystem::GetFileAttributesA(const char* path) {
    return ::GetFileAttributesA(path);
}

bool Win32FileSystem::SetFileAttributesA(const char* path, std::uint32_t attributes) {
    return ::SetFileAttributesA(path, attributes) != FALSE;
}

bool Win32FileSystem::ReadWholeFile(const char* path, std::vector<std::uint8_t>& out) {
    HANDLE handle = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    Win32OpenFile file(handle);
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(handle, &size)) return false;
    out.assign(static_cast<std::size_t>(size.QuadPart), 0);
    std::size_t done = 0;
    while (done < out.size()) {
        DWORD chunk = 0;
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(out.size() - done, 1u << 30));
        if (!::ReadFile(handle, out.data() + done, want, &chunk, nullptr)) return false;
        if (chunk == 0) break;  // the file shrank since its size was taken
        done += chunk;
    }
    out.resize(done);
    return true;
}

bool Win32FileSystem::WriteWholeFile(const char* path, const std::vector<std::uint8_t>& data) {
    HANDLE handle = ::CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    Win32OpenFile file(handle);
    std::size_t done = 0;
    while (done < data.size()) {
        DWORD chunk = 0;
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 30));
        if (!::WriteFile(handle, data.data() + done, want, &chunk, nullptr)) return false;
        done += chunk;
    }
    return true;
}

bool Win32FileSystem::DeleteFileA(const char* path) { return ::DeleteFileA(path) != FALSE; }

bool Win32FileSystem::CreateDirectoryA(const char* path) {
    return ::CreateDirectoryA(path, nullptr) != FALSE;
}

bool Win32FileSystem::RemoveDirectoryA(const char* path) {
    return ::RemoveDirectoryA(path) != FALSE;
}

bool Win32FileSystem::CopyFileA(const char* from, const char* to, bool failIfExists) {
    return ::CopyFileA(from, to, failIfExists ? TRUE : FALSE) != FALSE;
}

std::unique_ptr<plat::OpenFile> Win32FileSystem::OpenExisting(const char* path,
                                                              std::uint32_t access,
                                                              std::uint32_t shareMode) {
    HANDLE handle = ::CreateFileA(path, access, shareMode, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32OpenFile>(handle);
}

bool Win32FileSystem::FindFiles(const char* pattern, std::vector<plat::FindData>& out) {
    out.clear();
    WIN32_FIND_DATAA entry{};
    HANDLE handle = ::FindFirstFileA(pattern, &entry);
    if (handle == INVALID_HANDLE_VALUE) return false;
    FindHandle search(handle);
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        out.push_back({name, entry.dwFileAttributes,
                       (std::uint64_t{entry.nFileSizeHigh} << 32) | entry.nFileSizeLow});
    } while (::FindNextFileA(handle, &entry));
    if (::GetLastError() != ERROR_NO_MORE_FILES) return false;
    // A pattern that only matched "." and ".." matched nothing the caller can use.
    if (out.empty()) {
        ::SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    return true;
}

namespace {

using Wow64DisableFn = BOOL(WINAPI*)(PVOID*);
using Wow64RevertFn = BOOL(WINAPI*)(PVOID);

}  // namespace

bool Win32FileSystem::Wow64DisableWow64FsRedirection(void*& oldValue) {
    auto disable = FindExport<Wow64DisableFn>(::GetModuleHandleA("kernel32.dll"),
                                              "Wow64DisableWow64FsRedirection");
    if (!disable) {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return false;
    }
    PVOID old = nullptr;
    if (!disable(&old)) return false;
    oldValue = old;
    return true;
}

bool Win32FileSystem::Wow64RevertWow64FsRedirection(void* oldValue) {
    auto revert = FindExport<Wow64RevertFn>(::GetModuleHandleA("kernel32.dll"),
                                            "Wow64RevertWow64FsRedirection");
    if (!revert) {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return false;
    }
    return revert(oldValue) != FALSE;
}

}  // namespace win32
