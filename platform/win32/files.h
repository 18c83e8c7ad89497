// The file system on Windows: each method is the kernel32 call it names.
#pragma once
#include <windows.h>

#include "platform/files.h"

namespace win32 {

class Win32FileSystem : public plat::FileSystem {
public:
    std::uint32_t GetModuleFileNameA(char* out, std::uint32_t size) override;
    std::uint32_t GetCurrentDirectoryA(std::uint32_t size, char* out) override;
    bool SetCurrentDirectoryA(const char* path) override;
    std::uint32_t GetWindowsDirectoryA(char* out, std::uint32_t size) override;
    std::uint32_t GetWindowsDirectoryW(char16_t* out, std::uint32_t size) override;
    std::uint32_t GetSystemDirectoryA(char* out, std::uint32_t size) override;
    std::uint32_t GetTempPathA(std::uint32_t size, char* out) override;
    std::uint32_t GetFileAttributesA(const char* path) override;
    bool SetFileAttributesA(const char* path, std::uint32_t attributes) override;
    bool ReadWholeFile(const char* path, std::vector<std::uint8_t>& out) override;
    bool WriteWholeFile(const char* path, const std::vector<std::uint8_t>& data) override;
    bool DeleteFileA(const char* path) override;
    bool CreateDirectoryA(const char* path) override;
    bool RemoveDirectoryA(const char* path) override;
    bool CopyFileA(const char* from, const char* to, bool failIfExists) override;
    std::unique_ptr<plat::OpenFile> OpenExisting(const char* path, std::uint32_t access,
                                                 std::uint32_t shareMode) override;
    bool FindFiles(const char* pattern, std::vector<plat::FindData>& out) override;
    // Looked up in kernel32 each time, never imported: older systems lack them.
    bool Wow64DisableWow64FsRedirection(void*& oldValue) override;
    bool Wow64RevertWow64FsRedirection(void* oldValue) override;
};

}  // namespace win32
