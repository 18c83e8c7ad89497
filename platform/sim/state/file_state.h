// Machine-wide state of drive C's files that the host file system does not keep: attributes,
// open handles with their share modes, and access-denied marks.
#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/sim/state/desktop_state.h"

namespace sim {

// One record of the open-files table: an open handle, or a mark that denies all access.
struct FileHold {
    ProcessOwner owner;             // pid 0: held by winsim until released
    std::uint64_t id = 0;           // the handle's number within its owner
    std::uint32_t access = 0;       // GENERIC_* / FILE_*_DATA / DELETE
    std::uint32_t shareMode = 0;    // FILE_SHARE_*
    bool denied = false;            // an access-denied mark rather than a handle
    std::string key;                // FileKey of the path
};

// The key under which a file's state is kept: its absolute Windows path in upper case, since
// drive C ignores letter case.
std::string FileKey(const std::string& absoluteWindowsPath);

// True when the access asks to change or delete the file (a read-only file refuses it).
bool WritesOrDeletes(std::uint32_t access);

// True when a new handle with this access and share mode may be opened beside the handles
// already open on the file: each side's access must be allowed by the other's share mode.
bool SharingAllows(const std::vector<FileHold>& holds, const std::string& key,
                   std::uint32_t access, std::uint32_t shareMode);
bool AccessDenied(const std::vector<FileHold>& holds, const std::string& key);

// The state files below the machine's state directory. Callers hold the MachineLock for the
// whole read-change-write; writes replace the file atomically.
class FileStateStore {
public:
    explicit FileStateStore(std::filesystem::path stateDir) : dir_(std::move(stateDir)) {}

    // Holds of live processes and winsim's own; those of ended processes are dropped.
    std::vector<FileHold> ReadHolds() const;
    bool WriteHolds(const std::vector<FileHold>& holds) const;

    // Stored FILE_ATTRIBUTE_* by key. A file without an entry has its default attributes.
    std::map<std::string, std::uint32_t> ReadAttributes() const;
    bool WriteAttributes(const std::map<std::string, std::uint32_t>& attributes) const;
    // Drops a file's stored attributes, as a file written anew or removed has none.
    void ForgetAttributes(const std::string& key) const;

    // A fresh path in the state directory for a file to be renamed into place.
    std::filesystem::path TempPath() const;

private:
    bool Replace(const std::filesystem::path& file, const std::string& text) const;
    std::filesystem::path dir_;
};

}  // namespace sim
