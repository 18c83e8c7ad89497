// winsim transcript, reg, files and cat: looking at what is on a machine.
#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>

#include "common/text.h"
#include "platform/sim/state/code_page.h"
#include "platform/sim/state/file_state.h"
#include "platform/sim/state/host_file.h"
#include "platform/sim/state/transcript.h"
#include "platform/win_constants.h"
#include "tools/winsim/winsim.h"

namespace winsim {

namespace fs = std::filesystem;

namespace {

// The registry file as UTF-8 lines: regedit writes version 5 files in UTF-16LE, so such a file
// is read as that; any other is taken as it stands.
std::vector<std::string> RegistryLines(const fs::path& file) {
    std::string bytes;
    sim::ReadWholeFile(file, bytes);  // a registry that cannot be read shows no keys
    std::string text;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            char32_t c = static_cast<unsigned char>(bytes[i]) |
                         (static_cast<unsigned char>(bytes[i + 1]) << 8);
            if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
                char32_t low = static_cast<unsigned char>(bytes[i + 2]) |
                               (static_cast<unsigned char>(bytes[i + 3]) << 8);
                if (low >= 0xDC00 && low < 0xE000) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                    i += 2;
                }
            }
            sim::AppendUtf8(text, c);
        }
    } else {
        text = bytes;
        if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    }
    std::vector<std::string> lines;
    std::istringstream in2(text);
    std::string line;
    while (std::getline(in2, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The root's full name for the short forms people type (HKLM\SOFTWARE).
std::string ExpandRoot(std::string key) {
    while (!key.empty() && key.back() == '\\') key.pop_back();
    const std::pair<const char*, const char*> roots[] = {
        {"HKLM", "HKEY_LOCAL_MACHINE"}, {"HKCU", "HKEY_CURRENT_USER"},
        {"HKCR", "HKEY_CLASSES_ROOT"},  {"HKU", "HKEY_USERS"}};
    for (const auto& [shortName, longName] : roots) {
        std::string prefix = shortName;
        if (common::StartsWithNoCase(key, prefix) &&
            (key.size() == prefix.size() || key[prefix.size()] == '\\'))
            return longName + key.substr(prefix.size());
    }
    return key;
}

// True when the section's key is `key` or below it, ignoring letter case.
bool AtOrBelow(const std::string& section, const std::string& key) {
    if (key.empty()) return true;
    if (!common::StartsWithNoCase(section, key)) return false;
    return section.size() == key.size() || section[key.size()] == '\\';
}

// The notes `files` adds to an entry: stored attributes, open handles, access-denied marks.
std::string FileNotes(const std::string& key, std::uint32_t attributes,
                      const std::vector<sim::FileHold>& holds) {
    std::string notes;
    if (attributes & FILE_ATTRIBUTE_READONLY) notes += " [read-only]";
    if (attributes & FILE_ATTRIBUTE_HIDDEN) notes += " [hidden]";
    if (attributes & FILE_ATTRIBUTE_SYSTEM) notes += " [system]";
    for (const sim::FileHold& h : holds) {
        if (h.key != key) continue;
        if (h.denied) {
            notes += " [access denied]";
            continue;
        }
        std::string share;
        if (h.shareMode & FILE_SHARE_READ) share += "read";
        if (h.shareMode & FILE_SHARE_WRITE) share += share.empty() ? "write" : "+write";
        if (h.shareMode & FILE_SHARE_DELETE) share += share.empty() ? "delete" : "+delete";
        notes += " [open by " + (h.owner.held() ? std::string("winsim") : "pid " + std::to_string(h.owner.pid)) +
                 ", shares " + (share.empty() ? "nothing" : share) + "]";
    }
    return notes;
}

struct Listing {
    std::map<std::string, std::uint32_t> attributes;
    std::vector<sim::FileHold> holds;
};

void ListTree(const fs::path& host, const std::string& windows, int depth, const Listing& state) {
    std::vector<fs::directory_entry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(host, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(*it);
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return common::ToLowerAscii(a.path().filename().string()) <
               common::ToLowerAscii(b.path().filename().string());
    });
    std::string indent(static_cast<size_t>(depth) * 2, ' ');
    for (const fs::directory_entry& e : entries) {
        std::string name = e.path().filename().string();
        std::string path = windows + (windows.back() == '\\' ? "" : "\\") + name;
        std::string key = sim::FileKey(path);
        auto attr = state.attributes.find(key);
        std::uint32_t attributes = attr == state.attributes.end() ? 0 : attr->second;
        if (e.is_directory(ec)) {
            std::printf("%s%s\\%s\n", indent.c_str(), name.c_str(),
                        FileNotes(key, attributes, state.holds).c_str());
            ListTree(e.path(), path, depth + 1, state);
        } else {
            std::printf("%s%s  %llu bytes%s\n", indent.c_str(), name.c_str(),
                        static_cast<unsigned long long>(e.file_size(ec)),
                        FileNotes(key, attributes, state.holds).c_str());
        }
    }
}

}  // namespace

int RunTranscript(const Args& args) {
    bool clear = args.size() == 2 && args[1] == "--clear";
    if (args.empty() || args.size() > 2 || (args.size() == 2 && !clear))
        return UsageError("transcript", "needs the machine directory and optionally --clear");
    auto machine = OpenMachine(args[0]);
    if (!machine) return kExitFailed;
    if (clear) {
        if (!sim::ClearTranscript(machine->dir())) return Failure("cannot clear the transcript");
        return kExitOk;
    }
    for (const std::string& line : sim::ReadTranscript(machine->dir()))
        std::printf("%s\n", line.c_str());
    return kExitOk;
}

int RunReg(const Args& args) {
    if (args.empty() || args.size() > 2)
        return UsageError("reg", "needs the machine directory and optionally a key path");
    auto machine = OpenMachine(args[0]);
    if (!machine) return kExitFailed;
    std::string key = args.size() == 2 ? ExpandRoot(args[1]) : "";
    std::vector<std::string> lines;
    {
        sim::MachineLock lock(machine->dir());
        lines = RegistryLines(machine->registryFile());
    }
    bool printing = false, found = false;
    for (const std::string& line : lines) {
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            printing = AtOrBelow(line.substr(1, line.size() - 2), key);
            if (printing && found) std::printf("\n");
            found = found || printing;
            if (printing) std::printf("%s\n", line.c_str());
        } else if (printing && !line.empty()) {
            std::printf("%s\n", line.c_str());
        }
    }
    if (!found) return key.empty() ? kExitOk : Failure("no key " + key + " in the registry");
    return kExitOk;
}

int RunFiles(const Args& args) {
    if (args.empty() || args.size() > 2)
        return UsageError("files", "needs the machine directory and optionally a Windows path");
    auto machine = OpenMachine(args[0]);
    if (!machine) return kExitFailed;
    std::string path = WindowsPathArgument(args.size() == 2 ? args[1] : "C:\\");
    if (path.empty()) return UsageError("files", "'" + args[1] + "' is not a path on drive C");
    sim::MachineLock lock(machine->dir());
    Listing state;
    sim::FileStateStore store(machine->stateDir());
    state.attributes = store.ReadAttributes();
    state.holds = store.ReadHolds();
    fs::path host = machine->HostPath(path);
    std::error_code ec;
    if (fs::is_directory(host, ec)) {
        std::printf("%s%s\n", path.c_str(), path.back() == '\\' ? "" : "\\");
        ListTree(host, path, 1, state);
    } else if (fs::is_regular_file(host, ec)) {
        std::string key = sim::FileKey(path);
        auto attr = state.attributes.find(key);
        std::printf("%s  %llu bytes%s\n", path.c_str(),
                    static_cast<unsigned long long>(fs::file_size(host, ec)),
                    FileNotes(key, attr == state.attributes.end() ? 0 : attr->second, state.holds)
                        .c_str());
    } else {
        return Failure("no file or directory " + path + " on the machine");
    }
    return kExitOk;
}

int RunCat(const Args& args) {
    if (args.size() != 2) return UsageError("cat", "needs the machine directory and a Windows path");
    auto machine = OpenMachine(args[0]);
    if (!machine) return kExitFailed;
    std::string path = WindowsPathArgument(args[1]);
    if (path.empty()) return UsageError("cat", "'" + args[1] + "' is not a path on drive C");
    fs::path host = machine->HostPath(path);
    std::error_code ec;
    if (!fs::is_regular_file(host, ec)) return Failure("no file " + path + " on the machine");
    std::string bytes;
    if (!sim::ReadWholeFile(host, bytes)) return Failure("cannot read " + path);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    return kExitOk;
}

}  // namespace winsim
