// The simulated machine's file system: drive C below drive_c/, with Windows' error codes,
// attributes, sharing rules and listing order.
#include "platform/sim/api/files.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

#include "common/text.h"
#include "platform/sim/api/call_faults.h"
#include "platform/sim/state/file_state.h"
#include "platform/sim/state/spooler_modules.h"
#include "platform/sim/state/win_path.h"
#include "platform/sim/state/wow64_paths.h"
#include "platform/win_constants.h"

namespace sim {

namespace fs = std::filesystem;

namespace {

// Access and share modes of the whole-file operations, as their Win32 counterparts open files.
constexpr std::uint32_t kDeleteAccess = 0x00010000;
constexpr std::uint32_t kReadShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
constexpr std::uint32_t kWriteShare = FILE_SHARE_READ;
constexpr std::uint32_t kDeleteShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Attributes SetFileAttributesA can change; the others describe the file's kind.
constexpr std::uint32_t kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                              FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                              0x100 /* TEMPORARY */ | 0x1000 /* OFFLINE */ |
                                              0x2000 /* NOT_CONTENT_INDEXED */;

bool IsDirectory(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool Exists(const fs::path& p) {
    std::error_code ec;
    return fs::exists(p, ec);
}

// Characters Windows refuses in a file name.
bool ValidName(const std::string& name, bool wildcardsAllowed) {
    for (unsigned char c : name) {
        if (c < 32 || std::strchr("<>:\"|", c)) return false;
        if (!wildcardsAllowed && (c == '*' || c == '?')) return false;
    }
    return true;
}

// Copies text the way the Get...DirectoryA functions do: the length without the terminator, or
// the size needed with it when the buffer is too small (the buffer is then left alone).
std::uint32_t CopyOut(const std::string& text, char* out, std::uint32_t size) {
    if (text.size() + 1 > size || !out) return static_cast<std::uint32_t>(text.size() + 1);
    std::memcpy(out, text.c_str(), text.size() + 1);
    return static_cast<std::uint32_t>(text.size());
}

// Wildcard match without regard to letter case: '*' any run of characters, '?' one character.
bool MatchesPattern(const char* pattern, const char* name) {
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name) {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == '?' || (*pattern && common::ToUpperAscii(*pattern) == common::ToUpperAscii(*name))) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*') ++pattern;
    return *pattern == 0;
}

// Listing patterns follow the old DOS forms: "*.*" names every entry, and a pattern ending in a
// dot names only entries without an extension.
bool MatchesListingPattern(std::string pattern, const std::string& name) {
    if (pattern == "*.*") return true;
    if (!pattern.empty() && pattern.back() == '.') {
        while (!pattern.empty() && pattern.back() == '.') pattern.pop_back();
        if (name.find('.') != std::string::npos) return false;
    }
    return MatchesPattern(pattern.c_str(), name.c_str());
}

// NTFS lists a directory in the order of the upper-cased names.
bool ListingOrder(const plat::FindData& a, const plat::FindData& b) {
    return std::lexicographical_compare(
        a.name.begin(), a.name.end(), b.name.begin(), b.name.end(), [](char x, char y) {
            return static_cast<unsigned char>(common::ToUpperAscii(x)) <
                   static_cast<unsigned char>(common::ToUpperAscii(y));
        });
}

// An open handle recorded in the machine's open-files table until it is destroyed.
class SimOpenFile : public plat::OpenFile {
public:
    SimOpenFile(fs::path machineDir, fs::path stateDir, FileHold hold)
        : machineDir_(std::move(machineDir)), store_(std::move(stateDir)), hold_(std::move(hold)) {}
    ~SimOpenFile() override {
        MachineLock lock(machineDir_);
        std::vector<FileHold> holds = store_.ReadHolds();
        std::erase_if(holds, [&](const FileHold& h) {
            return !h.denied && h.id == hold_.id && h.owner.pid == hold_.owner.pid &&
                   h.owner.startTime == hold_.owner.startTime;
        });
        store_.WriteHolds(holds);
    }

private:
    fs::path machineDir_;
    FileStateStore store_;
    FileHold hold_;
};

// A host file's bytes, read in one piece (by its size) rather than byte by byte.
bool ReadHostBytes(const fs::path& host, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(host, std::ios::binary | std::ios::ate);
    if (!in.is_open()) return false;
    const std::streamoff size = in.tellg();
    if (size < 0) return false;
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    if (size > 0) in.read(reinterpret_cast<char*>(bytes.data()), size);
    return !in.bad() && in.gcount() == size;
}

std::uint64_t NextHandleId() {
    static std::atomic<std::uint64_t> next{1};
    return next++;
}

}  // namespace

SimFileSystem::SimFileSystem(const Machine& machine, const ProcessContext& process,
                             plat::LastError& error)
    : machine_(machine), process_(process), error_(error) {}

bool SimFileSystem::Fail(std::uint32_t code) {
    error_.SetLastError(code);
    return false;
}

bool SimFileSystem::Faulted(const char* call, const std::string& target) {
    const std::uint32_t code = InjectedFault(machine_, call, target);
    if (code == ERROR_SUCCESS) return false;
    error_.SetLastError(code);
    return true;
}

std::string SimFileSystem::Absolute(const char* path) const {
    if (!path) return {};
    std::lock_guard<std::mutex> guard(currentDirMutex_);
    return AbsoluteWindowsPath(process_.currentDir, path);
}

SimFileSystem::Resolved SimFileSystem::Resolve(const char* path) const {
    Resolved r;
    if (!path) {
        r.error = ERROR_INVALID_PARAMETER;
        return r;
    }
    r.windows = Absolute(path);
    if (r.windows.empty()) {
        r.error = ERROR_PATH_NOT_FOUND;
        return r;
    }
    if (Redirected()) r.windows = RedirectedPath(machine_.settings(), r.windows);
    for (const std::string& part : PathComponents(r.windows)) {
        if (!ValidName(part, false)) {
            r.error = ERROR_INVALID_NAME;
            return r;
        }
    }
    r.host = machine_.HostPath(r.windows);
    if (r.host.empty()) {
        r.error = ERROR_PATH_NOT_FOUND;  // another drive: the machine has only C
        return r;
    }
    r.key = FileKey(r.windows);
    return r;
}

std::uint32_t SimFileSystem::MissingError(const Resolved& r) const {
    return IsDirectory(r.host.parent_path()) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

std::uint32_t SimFileSystem::AttributesOf(const Resolved& r) const {
    return AttributesOf(r, FileStateStore(machine_.stateDir()).ReadAttributes());
}

std::uint32_t SimFileSystem::AttributesOf(
    const Resolved& r, const std::map<std::string, std::uint32_t>& stored) const {
    auto it = stored.find(r.key);
    if (IsDirectory(r.host))
        return FILE_ATTRIBUTE_DIRECTORY | (it == stored.end() ? 0 : it->second);
    // A file that was never given attributes carries ARCHIVE, as a newly written file does.
    std::uint32_t a = it == stored.end() ? FILE_ATTRIBUTE_ARCHIVE : it->second;
    return a ? a : FILE_ATTRIBUTE_NORMAL;
}

bool SimFileSystem::Redirected() const {
    return process_.bits == 32 && machine_.settings().is64Bit() && !redirectionSuspended_;
}

bool SimFileSystem::HeldBySpooler(const Resolved& r) const {
    // Only files below the Windows directory can be the spooler's; the others skip the
    // registry.
    if (r.key.rfind(FileKey(machine_.settings().windowsDir) + "\\", 0) != 0) return false;
    // A DLL that is not there was never loaded.
    if (!Exists(r.host)) return false;
    for (const std::string& module : SpoolerHeldModules(machine_))
        if (FileKey(module) == r.key) return true;
    return false;
}

bool SimFileSystem::ReplaceContent(const fs::path& host, const std::vector<std::uint8_t>& data) {
    FileStateStore store(machine_.stateDir());
    fs::path temp = store.TempPath();
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data.data()),
                  static_cast<std::streamsize>(data.size()));
        if (!out.flush()) {
            out.close();
            std::error_code ec;
            fs::remove(temp, ec);
            return Fail(ERROR_WRITE_FAULT);
        }
    }
    std::error_code ec;
    fs::rename(temp, host, ec);
    if (ec) {
        fs::remove(temp, ec);
        return Fail(ERROR_WRITE_FAULT);
    }
    return true;
}

std::uint32_t SimFileSystem::GetModuleFileNameA(char* out, std::uint32_t size) {
    // Unlike the directory functions, a short buffer receives the cut path with its
    // terminator, and the result is the buffer size.
    const std::string& path = process_.modulePath;
    if (!out || size == 0) {
        error_.SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() + 1 > size) {
        std::memcpy(out, path.data(), size - 1);
        out[size - 1] = 0;
        error_.SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::memcpy(out, path.c_str(), path.size() + 1);
    return static_cast<std::uint32_t>(path.size());
}

std::uint32_t SimFileSystem::GetCurrentDirectoryA(std::uint32_t size, char* out) {
    std::string dir;
    {
        std::lock_guard<std::mutex> guard(currentDirMutex_);
        dir = process_.currentDir;
    }
    return CopyOut(dir, out, size);
}

bool SimFileSystem::SetCurrentDirectoryA(const char* path) {
    Resolved r = Resolve(path);
    if (r.error) return Fail(r.error);
    MachineLock lock(machine_.dir());
    if (!Exists(r.host)) return Fail(MissingError(r));
    if (!IsDirectory(r.host)) return Fail(ERROR_DIRECTORY);
    std::lock_guard<std::mutex> guard(currentDirMutex_);
    process_.currentDir = r.windows;
    return true;
}

std::uint32_t SimFileSystem::GetWindowsDirectoryA(char* out, std::uint32_t size) {
    return CopyOut(machine_.settings().windowsDir, out, size);
}

std::uint32_t SimFileSystem::GetSystemDirectoryA(char* out, std::uint32_t size) {
    // A 32-bit program on 64-bit Windows is told System32 too; its file accesses there are
    // redirected to SysWOW64 (Resolve).
    return CopyOut(machine_.settings().systemDir(), out, size);
}

std::uint32_t SimFileSystem::GetTempPathA(std::uint32_t size, char* out) {
    return CopyOut(machine_.settings().tempDir + "\\", out, size);
}

std::uint32_t SimFileSystem::GetFileAttributesA(const char* path) {
    Resolved r = Resolve(path);
    if (r.error) {
        error_.SetLastError(r.error);
        return INVALID_FILE_ATTRIBUTES;
    }
    if (Faulted("GetFileAttributesA", r.windows)) return INVALID_FILE_ATTRIBUTES;
    MachineLock lock(machine_.dir());
    if (!Exists(r.host)) {
        error_.SetLastError(MissingError(r));
        return INVALID_FILE_ATTRIBUTES;
    }
    return AttributesOf(r);
}

bool SimFileSystem::SetFileAttributesA(const char* path, std::uint32_t attributes) {
    Resolved r = Resolve(path);
    if (r.error) return Fail(r.error);
    if (Faulted("SetFileAttributesA", r.windows)) return false;
    MachineLock lock(machine_.dir());
    if (!Exists(r.host)) return Fail(MissingError(r));
    FileStateStore store(machine_.stateDir());
    if (AccessDenied(store.ReadHolds(), r.key)) return Fail(ERROR_ACCESS_DENIED);
    auto stored = store.ReadAttributes();
    stored[r.key] = attributes & kSettableAttributes;
    if (!store.WriteAttributes(stored)) return Fail(ERROR_WRITE_FAULT);
    return true;
}

bool SimFileSystem::ReadWholeFile(const char* path, std::vector<std::uint8_t>& out) {
    Resolved r = Resolve(path);
    if (r.error) return Fail(r.error);
    if (Faulted("CreateFileA", r.windows)) return false;
    MachineLock lock(machine_.dir());
    if (!Exists(r.host)) return Fail(MissingError(r));
    if (IsDirectory(r.host)) return Fail(ERROR_ACCESS_DENIED);
    std::vector<FileHold> holds = FileStateStore(machine_.stateDir()).ReadHolds();
    if (AccessDenied(holds, r.key)) return Fail(ERROR_ACCESS_DENIED);
    if (!SharingAllows(holds, r.key, GENERIC_READ, kReadShare))
        return Fail(ERROR_SHARING_VIOLATION);
    std::vector<std::uint8_t> bytes;
    if (!ReadHostBytes(r.host, bytes)) return Fail(ERROR_READ_FAULT);
    out = std::move(bytes);
    return true;
}

bool SimFileSystem::WriteWholeFile(const char* path, const std::vector<std::uint8_t>& data) {
    Resolved r = Resolve(path);
    if (r.error) return Fail(r.error);
    if (Faulted("CreateFileA", r.windows)) return false;
    MachineLock lock(machine_.dir());
    if (!IsDirectory(r.host.parent_path())) return Fail(ERROR_PATH_NOT_FOUND);
    FileStateStore store(machine_.stateDir());
    std::vector<FileHold> holds = store.ReadHolds();
    if (AccessDenied(holds, r.key)) return Fail(ERROR_ACCESS_DENIED);
    if (Exists(r.host)) {
        if (IsDirectory(r.host)) return Fail(ERROR_ACCESS_DENIED);
        // Replacing a file as CREATE_ALWAYS with normal attributes does: a read-only, hidden
        // or system file refuses.
        std::uint32_t a = AttributesOf(r);
        if (a & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            return Fail(ERROR_ACCESS_DENIED);
    }
    if (!SharingAllows(holds, r.key, GENERIC_WRITE, kWriteShare) || HeldBySpooler(r))
        return Fail(ERROR_SHARING_VIOLATION);
    if (!ReplaceContent(r.host, data)) return false;
    store.ForgetAttributes(r.key);
    return true;
}

bool SimFileSystem::DeleteFileA(const char* path) {
    Resolved r = Resolve(path);
    if (r.error) return Fail(r.error);
    if (Faulted("DeleteFileA", r.windows)) return false;
    MachineLock lock(machine_.dir());
    if (!Exists(r.host)) return Fail(MissingError(r));
    if (IsDirectory(r.host)) return Fail(ERROR_ACCESS_DENIED);
    FileStateStore store(machine_.stateDir());
    std::vector<FileHold> holds = store.ReadHolds();
    if (AccessDenied(holds, r.key)) return Fail(ERROR_ACCESS_DENIED);
    if (AttributesOf(r) & FILE_ATTRIBUTE_READONLY) return Fail(ERROR_ACCESS_DENIED);
    if (!SharingAllows(holds, r.key, kDeleteAccess, kDeleteShare) || HeldBySpooler(r))
        return Fail(ERROR_SHARING_VIOLATION);
    std::error_code ec;
    if (!fs::remove(r.host, ec)) return Fail(ERROR_ACCESS_DENIED);
    store.ForgetAttributes(r.key);
    return true;
}

bool SimFileSystem::CreateDirectoryA(const char* path) {
    Resolved r = Resolve(path);
    if (r.error) return Fail(r.error);
    if (Faulted("CreateDirectoryA", r.windows)) return false;
    MachineLock lock(machine_.dir());
    if (Exists(r.host)) return Fail(ERROR_ALREADY_EXISTS);
    if (!IsDirectory(r.host.parent_path())) return Fail(ERROR_PATH_NOT_FOUND);
    FileStateStore store(machine_.stateDir());
    if (AccessDenied(store.ReadHolds(), r.key)) return Fail(ERROR_ACCESS_DENIED);
    std::error_code ec;
    if (!fs::create_directory(r.host, ec)) return Fail(ERROR_ACCESS_DENIED);
    store.ForgetAttributes(r.key);
    return true;
}

bool SimFileSystem::RemoveDirectoryA(const char* path) {
    Resolved r = Resolve(path);
    if (r.error) return Fail(r.error);
    if (Faulted("RemoveDirectoryA", r.windows)) return false;
    MachineLock lock(machine_.dir());
    if (!Exists(r.host)) return Fail(MissingError(r));
    if (!IsDirectory(r.host)) return Fail(ERROR_DIRECTORY);
    if (PathComponents(r.windows).empty()) return Fail(ERROR_ACCESS_DENIED);  // the root
    FileStateStore store(machine_.stateDir());
    if (AccessDenied(store.ReadHolds(), r.key)) return Fail(ERROR_ACCESS_DENIED);
    if (AttributesOf(r) & FILE_ATTRIBUTE_READONLY) return Fail(ERROR_ACCESS_DENIED);
    std::error_code ec;
    if (!fs::is_empty(r.host, ec)) return Fail(ERROR_DIR_NOT_EMPTY);
    {
        // The process holds its current directory open, so that one cannot go.
        std::lock_guard<std::mutex> guard(currentDirMutex_);
        if (FileKey(process_.currentDir) == r.key) return Fail(ERROR_SHARING_VIOLATION);
    }
    if (!fs::remove(r.host, ec)) return Fail(ERROR_ACCESS_DENIED);
    store.ForgetAttributes(r.key);
    return true;
}

bool SimFileSystem::CopyFileA(const char* from, const char* to, bool failIfExists) {
    Resolved src = Resolve(from);
    if (src.error) return Fail(src.error);
    Resolved dst = Resolve(to);
    if (dst.error) return Fail(dst.error);
    if (Faulted("CopyFileA", dst.windows)) return false;
    MachineLock lock(machine_.dir());
    FileStateStore store(machine_.stateDir());
    std::vector<FileHold> holds = store.ReadHolds();

    if (!Exists(src.host)) return Fail(MissingError(src));
    if (IsDirectory(src.host) || AccessDenied(holds, src.key)) return Fail(ERROR_ACCESS_DENIED);
    if (!SharingAllows(holds, src.key, GENERIC_READ, kReadShare))
        return Fail(ERROR_SHARING_VIOLATION);

    if (!IsDirectory(dst.host.parent_path())) return Fail(ERROR_PATH_NOT_FOUND);
    if (Exists(dst.host)) {
        if (failIfExists) return Fail(ERROR_FILE_EXISTS);
        if (IsDirectory(dst.host)) return Fail(ERROR_ACCESS_DENIED);
        if (AttributesOf(dst) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                 FILE_ATTRIBUTE_SYSTEM))
            return Fail(ERROR_ACCESS_DENIED);
    }
    if (AccessDenied(holds, dst.key)) return Fail(ERROR_ACCESS_DENIED);
    // The source is open for reading while the target is opened for writing: a file copied
    // onto itself meets its own handle.
    if (src.key == dst.key) return Fail(ERROR_SHARING_VIOLATION);
    if (!SharingAllows(holds, dst.key, GENERIC_WRITE, kWriteShare) || HeldBySpooler(dst))
        return Fail(ERROR_SHARING_VIOLATION);

    std::vector<std::uint8_t> bytes;
    if (!ReadHostBytes(src.host, bytes)) return Fail(ERROR_READ_FAULT);
    if (!ReplaceContent(dst.host, bytes)) return false;

    // The copy carries the source's attributes, read-only included.
    auto stored = store.ReadAttributes();
    auto it = stored.find(src.key);
    if (it != stored.end())
        stored[dst.key] = it->second;
    else
        stored.erase(dst.key);
    store.WriteAttributes(stored);
    return true;
}

std::unique_ptr<plat::OpenFile> SimFileSystem::OpenExisting(const char* path, std::uint32_t access,
                                                            std::uint32_t shareMode) {
    Resolved r = Resolve(path);
    if (r.error) {
        Fail(r.error);
        return nullptr;
    }
    if (Faulted("CreateFileA", r.windows)) return nullptr;
    MachineLock lock(machine_.dir());
    if (!Exists(r.host)) {
        Fail(MissingError(r));
        return nullptr;
    }
    FileStateStore store(machine_.stateDir());
    std::vector<FileHold> holds = store.ReadHolds();
    // A directory opens only with backup semantics, which this call does not ask for.
    if (IsDirectory(r.host) || AccessDenied(holds, r.key) ||
        (WritesOrDeletes(access) && (AttributesOf(r) & FILE_ATTRIBUTE_READONLY))) {
        Fail(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    if (!SharingAllows(holds, r.key, access, shareMode) ||
        (WritesOrDeletes(access) && HeldBySpooler(r))) {
        Fail(ERROR_SHARING_VIOLATION);
        return nullptr;
    }
    FileHold hold;
    hold.owner = CurrentProcess();
    hold.id = NextHandleId();
    hold.access = access;
    hold.shareMode = shareMode;
    hold.key = r.key;
    holds.push_back(hold);
    if (!store.WriteHolds(holds)) {
        Fail(ERROR_WRITE_FAULT);
        return nullptr;
    }
    return std::make_unique<SimOpenFile>(machine_.dir(), machine_.stateDir(), hold);
}

bool SimFileSystem::FindFiles(const char* pattern, std::vector<plat::FindData>& out) {
    out.clear();
    if (!pattern || !*pattern) return Fail(ERROR_PATH_NOT_FOUND);
    std::string text = pattern;
    // A pattern that ends in a separator names no entry.
    if (text.back() == '\\' || text.back() == '/') return Fail(ERROR_FILE_NOT_FOUND);
    std::string namePattern = FileNameOf(text);
    std::string dirPart = DirectoryOf(text);
    if (dirPart.empty() && text.size() >= 2 && text[1] == ':') {
        dirPart = text.substr(0, 2);  // "C:*.ini"
        namePattern = text.substr(2);
    }
    if (!ValidName(namePattern, true)) return Fail(ERROR_INVALID_NAME);
    Resolved dir = Resolve(dirPart.empty() ? "." : dirPart.c_str());
    if (dir.error) return Fail(dir.error);
    if (Faulted("FindFirstFileA", dir.windows + "\\" + namePattern)) return false;
    MachineLock lock(machine_.dir());
    if (!IsDirectory(dir.host)) return Fail(ERROR_PATH_NOT_FOUND);

    const auto stored = FileStateStore(machine_.stateDir()).ReadAttributes();
    std::error_code ec;
    for (fs::directory_iterator it(dir.host, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (!MatchesListingPattern(namePattern, name)) continue;
        Resolved entry;
        entry.windows = dir.windows + (dir.windows.back() == '\\' ? "" : "\\") + name;
        entry.key = FileKey(entry.windows);
        entry.host = it->path();
        plat::FindData data;
        data.name = name;
        data.attributes = AttributesOf(entry, stored);
        std::error_code sizeError;
        if (!(data.attributes & FILE_ATTRIBUTE_DIRECTORY))
            data.size = static_cast<std::uint64_t>(fs::file_size(entry.host, sizeError));
        if (sizeError) data.size = 0;
        out.push_back(std::move(data));
    }
    if (out.empty()) return Fail(ERROR_FILE_NOT_FOUND);
    std::sort(out.begin(), out.end(), ListingOrder);
    return true;
}

bool SimFileSystem::Wow64DisableWow64FsRedirection(void*& oldValue) {
    if (Faulted("Wow64DisableWow64FsRedirection", {})) return false;
    // The call exists where IsWow64Process does; only a 32-bit program on 64-bit Windows has
    // anything to redirect, any other fails as ntdll does (STATUS_NOT_IMPLEMENTED).
    if (!machine_.settings().hasIsWow64Process) return Fail(ERROR_PROC_NOT_FOUND);
    if (!machine_.settings().is64Bit() || process_.bits != 32) return Fail(ERROR_INVALID_FUNCTION);
    // The token is the previous state: null while redirection was on.
    oldValue = redirectionSuspended_.exchange(true) ? reinterpret_cast<void*>(1) : nullptr;
    return true;
}

bool SimFileSystem::Wow64RevertWow64FsRedirection(void* oldValue) {
    if (Faulted("Wow64RevertWow64FsRedirection", {})) return false;
    if (!machine_.settings().hasIsWow64Process) return Fail(ERROR_PROC_NOT_FOUND);
    if (!machine_.settings().is64Bit() || process_.bits != 32) return Fail(ERROR_INVALID_FUNCTION);
    redirectionSuspended_ = oldValue != nullptr;
    return true;
}

}  // namespace sim
