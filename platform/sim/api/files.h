// The simulated machine's file system: Windows paths on drive C mapped into drive_c/.
//
// Attributes, open handles and access-denied marks are kept machine-wide in the state
// directory (see file_state.h), so every process of the machine sees them. The current
// directory belongs to this object: SetCurrentDirectoryA changes it for this process only.
//
// Where Windows' behaviour has several forms, this one follows a current NTFS volume: a new
// file carries ARCHIVE, one without attributes reads NORMAL; a file deleted while others hold
// it open with FILE_SHARE_DELETE disappears at once; listings come in the order of the
// upper-cased names, "*.*" names every entry and "*." the entries without an extension, and '?'
// stands for exactly one character. A 32-bit program on a 64-bit machine is redirected from
// System32 to SysWOW64 (wow64_paths.h) until it suspends that; the DLLs the running spooler
// has loaded cannot be written or deleted (spooler_modules.h).
#pragma once
#include <atomic>
#include <filesystem>
#include <map>
#include <mutex>

#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/sim/state/machine.h"
#include "platform/sim/state/process_context.h"

namespace sim {

class SimFileSystem : public plat::FileSystem {
public:
    SimFileSystem(const Machine& machine, const ProcessContext& process, plat::LastError& error);

    std::uint32_t GetModuleFileNameA(char* out, std::uint32_t size) override;
    std::uint32_t GetCurrentDirectoryA(std::uint32_t size, char* out) override;
    bool SetCurrentDirectoryA(const char* path) override;
    std::uint32_t GetWindowsDirectoryA(char* out, std::uint32_t size) override;
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
    bool Wow64DisableWow64FsRedirection(void*& oldValue) override;
    bool Wow64RevertWow64FsRedirection(void* oldValue) override;

    // The absolute Windows path of a path as this process sees it (current directory applied).
    std::string Absolute(const char* path) const;

private:
    // A path as the file operations need it: its absolute Windows form, its state key and its
    // place below drive_c. `error` is set when the path cannot name a file on drive C.
    struct Resolved {
        std::string windows;
        std::string key;
        std::filesystem::path host;
        std::uint32_t error = 0;
    };
    Resolved Resolve(const char* path) const;
    // FILE_NOT_FOUND when the parent directory exists, else PATH_NOT_FOUND.
    std::uint32_t MissingError(const Resolved& r) const;
    // FILE_ATTRIBUTE_* of an existing file or directory (the caller holds the MachineLock).
    std::uint32_t AttributesOf(const Resolved& r) const;
    std::uint32_t AttributesOf(const Resolved& r,
                               const std::map<std::string, std::uint32_t>& stored) const;
    bool Fail(std::uint32_t code);
    // True when an injected fault fails this call on that absolute path (the last error is
    // then set).
    bool Faulted(const char* call, const std::string& target);
    // True while this process's System32 leads to SysWOW64.
    bool Redirected() const;
    // True when the running spooler has the existing file loaded (the caller holds the
    // MachineLock).
    bool HeldBySpooler(const Resolved& r) const;
    // Writes bytes to a temporary file and renames it over the target.
    bool ReplaceContent(const std::filesystem::path& host, const std::vector<std::uint8_t>& data);

    const Machine& machine_;
    ProcessContext process_;
    plat::LastError& error_;
    // The current directory is process-wide; the worker thread reads it while the user
    // interface thread may change it.
    mutable std::mutex currentDirMutex_;
    // Windows keeps the suspension per thread; the simulated process keeps it once for all its
    // threads, which is the same for a program that suspends and restores it on one thread.
    std::atomic<bool> redirectionSuspended_{false};
};

}  // namespace sim
