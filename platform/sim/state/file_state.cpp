// Machine-wide file state: the open-files table and the attributes table in the state directory.
#include "platform/sim/state/file_state.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <system_error>

#include "common/text.h"
#include "platform/sim/state/host_file.h"
#include "platform/sim/state/line_escape.h"
#include "platform/win_constants.h"

namespace sim {

namespace fs = std::filesystem;

namespace {

// Access rights as the sharing check sees them.
constexpr std::uint32_t kFileReadData = 0x0001;
constexpr std::uint32_t kFileWriteData = 0x0002;
constexpr std::uint32_t kFileAppendData = 0x0004;
constexpr std::uint32_t kFileExecute = 0x0020;
constexpr std::uint32_t kDelete = 0x00010000;
constexpr std::uint32_t kGenericAll = 0x10000000;
constexpr std::uint32_t kGenericExecute = 0x20000000;

bool Reads(std::uint32_t access) {
    return access & (GENERIC_READ | kGenericExecute | kGenericAll | kFileReadData | kFileExecute);
}
bool Writes(std::uint32_t access) {
    return access & (GENERIC_WRITE | kGenericAll | kFileWriteData | kFileAppendData);
}
bool Deletes(std::uint32_t access) { return access & (kDelete | kGenericAll); }

// True when a handle with access `access` fits beside one whose share mode is `share`.
bool Allowed(std::uint32_t access, std::uint32_t share) {
    if (Reads(access) && !(share & FILE_SHARE_READ)) return false;
    if (Writes(access) && !(share & FILE_SHARE_WRITE)) return false;
    if (Deletes(access) && !(share & FILE_SHARE_DELETE)) return false;
    return true;
}

fs::path HoldsFile(const fs::path& dir) { return dir / "open_files.txt"; }
fs::path AttributesFile(const fs::path& dir) { return dir / "file_attributes.txt"; }

}  // namespace

bool WritesOrDeletes(std::uint32_t access) { return Writes(access) || Deletes(access); }

std::string FileKey(const std::string& absoluteWindowsPath) {
    return common::ToUpperAscii(absoluteWindowsPath);
}

bool SharingAllows(const std::vector<FileHold>& holds, const std::string& key,
                   std::uint32_t access, std::uint32_t shareMode) {
    for (const FileHold& h : holds) {
        if (h.denied || h.key != key) continue;
        if (!Allowed(access, h.shareMode) || !Allowed(h.access, shareMode)) return false;
    }
    return true;
}

bool AccessDenied(const std::vector<FileHold>& holds, const std::string& key) {
    for (const FileHold& h : holds)
        if (h.denied && h.key == key) return true;
    return false;
}

// One line per record: pid start-time id access share kind path. The path comes last because
// it may hold blanks; it is escaped (line_escape.h), so no path breaks its line.
std::vector<FileHold> FileStateStore::ReadHolds() const {
    std::vector<FileHold> holds;
    std::ifstream in(HoldsFile(dir_));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        FileHold h;
        std::string kind;
        fields >> h.owner.pid >> h.owner.startTime >> h.id >> std::hex >> h.access >>
            h.shareMode >> std::dec >> kind;
        if (!fields || (kind != "open" && kind != "deny")) continue;
        fields.get();  // the blank before the path
        std::string key;
        std::getline(fields, key);
        h.key = UnescapeLineField(key);
        if (h.key.empty()) continue;
        h.denied = kind == "deny";
        if (IsAlive(h.owner)) holds.push_back(h);
    }
    return holds;
}

bool FileStateStore::WriteHolds(const std::vector<FileHold>& holds) const {
    std::ostringstream out;
    for (const FileHold& h : holds) {
        out << h.owner.pid << ' ' << h.owner.startTime << ' ' << h.id << ' ' << std::hex
            << h.access << ' ' << h.shareMode << std::dec << ' ' << (h.denied ? "deny" : "open")
            << ' ' << EscapeLineField(h.key) << '\n';
    }
    return Replace(HoldsFile(dir_), out.str());
}

std::map<std::string, std::uint32_t> FileStateStore::ReadAttributes() const {
    std::map<std::string, std::uint32_t> attributes;
    std::ifstream in(AttributesFile(dir_));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::uint32_t value = 0;
        std::string key;
        fields >> std::hex >> value;
        if (!fields) continue;
        fields.get();
        std::getline(fields, key);
        if (!key.empty()) attributes[UnescapeLineField(key)] = value;
    }
    return attributes;
}

bool FileStateStore::WriteAttributes(const std::map<std::string, std::uint32_t>& attributes) const {
    std::ostringstream out;
    for (const auto& [key, value] : attributes)
        out << std::hex << value << ' ' << EscapeLineField(key) << '\n';
    return Replace(AttributesFile(dir_), out.str());
}

void FileStateStore::ForgetAttributes(const std::string& key) const {
    auto attributes = ReadAttributes();
    if (attributes.erase(key)) WriteAttributes(attributes);
}

fs::path FileStateStore::TempPath() const {
    static std::atomic<std::uint64_t> counter{0};
    std::error_code ec;
    fs::create_directories(dir_ / "tmp", ec);
    return dir_ / "tmp" /
           ("t" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
}

bool FileStateStore::Replace(const fs::path& file, const std::string& text) const {
    return ReplaceWholeFile(file, text, TempPath());
}

}  // namespace sim
