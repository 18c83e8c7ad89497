// File system access: paths of the process, file queries, whole-file reads and writes, listings.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plat {

// One entry of a directory listing (FindFirstFileA/FindNextFileA).
struct FindData {
    std::string name;             // file name without directory
    std::uint32_t attributes = 0; // FILE_ATTRIBUTE_*
    std::uint64_t size = 0;
};

// An open file handle; closing it (destruction) releases any sharing restriction it holds.
class OpenFile {
public:
    virtual ~OpenFile() = default;
};

// Paths are Windows paths ("C:\\Windows\\win.ini", "DRVCONFIG\\setup.ini"); relative paths
// resolve against the current directory. Letter case is ignored. Functions that return a
// length behave as their Windows namesakes: the length copied without the terminator, or the
// size needed (with terminator) when the buffer is too small, 0 on failure.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Full path of the running program (or of the loaded module for a plug-in).
    virtual std::uint32_t GetModuleFileNameA(char* out, std::uint32_t size) = 0;
    virtual std::uint32_t GetCurrentDirectoryA(std::uint32_t size, char* out) = 0;
    // False and ERROR_FILE_NOT_FOUND / ERROR_PATH_NOT_FOUND / ERROR_DIRECTORY when no directory.
    virtual bool SetCurrentDirectoryA(const char* path) = 0;
    virtual std::uint32_t GetWindowsDirectoryA(char* out, std::uint32_t size) = 0;
    // The same in UTF-16 (the plug-in's text). By default the 8-bit answer widened, which is
    // exact for ASCII paths; a path with other bytes gives 0. The Win32 implementation calls
    // GetWindowsDirectoryW itself.
    virtual std::uint32_t GetWindowsDirectoryW(char16_t* out, std::uint32_t size) {
        char narrow[260];
        const std::uint32_t n = GetWindowsDirectoryA(narrow, sizeof narrow);
        if (n == 0 || n >= sizeof narrow) return 0;
        for (std::uint32_t i = 0; i < n; ++i)
            if (static_cast<unsigned char>(narrow[i]) > 0x7F) return 0;
        if (n >= size) return n + 1;  // the size needed, terminator included
        for (std::uint32_t i = 0; i < n; ++i) out[i] = static_cast<char16_t>(narrow[i]);
        out[n] = u'\0';
        return n;
    }
    virtual std::uint32_t GetSystemDirectoryA(char* out, std::uint32_t size) = 0;
    // The temporary directory, ending in a backslash.
    virtual std::uint32_t GetTempPathA(std::uint32_t size, char* out) = 0;

    // FILE_ATTRIBUTE_* of a file or directory, or INVALID_FILE_ATTRIBUTES with the last error.
    virtual std::uint32_t GetFileAttributesA(const char* path) = 0;
    virtual bool SetFileAttributesA(const char* path, std::uint32_t attributes) = 0;

    // The whole content of a file. False with the last error (ERROR_FILE_NOT_FOUND,
    // ERROR_PATH_NOT_FOUND, ERROR_SHARING_VIOLATION, ERROR_ACCESS_DENIED).
    virtual bool ReadWholeFile(const char* path, std::vector<std::uint8_t>& out) = 0;
    // Creates or replaces a file with the given bytes. False with the last error
    // (ERROR_PATH_NOT_FOUND, ERROR_SHARING_VIOLATION, ERROR_ACCESS_DENIED for read-only files).
    virtual bool WriteWholeFile(const char* path, const std::vector<std::uint8_t>& data) = 0;
    virtual bool DeleteFileA(const char* path) = 0;
    virtual bool CreateDirectoryA(const char* path) = 0;
    virtual bool RemoveDirectoryA(const char* path) = 0;
    virtual bool CopyFileA(const char* from, const char* to, bool failIfExists) = 0;

    // Opens an existing file as CreateFileA(OPEN_EXISTING) does, with the given access and
    // share mode (FILE_SHARE_*). Null with the last error when it cannot be opened.
    virtual std::unique_ptr<OpenFile> OpenExisting(const char* path, std::uint32_t access,
                                                   std::uint32_t shareMode) = 0;

    // Entries matching a pattern such as "C:\\dir\\*" or "C:\\dir\\*.ini", in listing order,
    // without "." and "..". False with ERROR_FILE_NOT_FOUND when nothing matches, or
    // ERROR_PATH_NOT_FOUND when the directory does not exist.
    virtual bool FindFiles(const char* pattern, std::vector<FindData>& out) = 0;

    // A 32-bit program on 64-bit Windows sees System32 as SysWOW64 (its exempt subdirectories,
    // such as spool, aside) until it suspends that redirection for its thread.
    // Wow64DisableWow64FsRedirection gives the token that Wow64RevertWow64FsRedirection takes
    // back. Both exist from XP SP2 on and are looked up by name ("Kernel32.dll") first, see
    // SystemInfo::LookUpFunction; on 32-bit Windows they fail with ERROR_INVALID_FUNCTION.
    virtual bool Wow64DisableWow64FsRedirection(void*& oldValue) = 0;
    virtual bool Wow64RevertWow64FsRedirection(void* oldValue) = 0;
};

}  // namespace plat
