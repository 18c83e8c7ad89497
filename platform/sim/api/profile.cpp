// The profile (INI) functions on the simulated machine, reading and editing files through its file system.
#include "platform/sim/api/profile.h"

#include <vector>

#include "platform/sim/api/ini_text.h"
#include "platform/sim/api/profile_buffers.h"
#include "platform/win_constants.h"

namespace sim {

SimProfile::SimProfile(plat::FileSystem& files, plat::LastError& error)
    : files_(files), error_(error) {}

std::string SimProfile::ResolvePath(const char* file) {
    std::string name = file ? file : "win.ini";
    if (name.find_first_of("\\/:") != std::string::npos) return name;
    char dir[260];
    std::uint32_t n = files_.GetWindowsDirectoryA(dir, sizeof dir);
    if (n == 0 || n >= sizeof dir) return name;
    std::string path(dir, n);
    if (path.back() != '\\') path += '\\';
    return path + name;
}

bool SimProfile::Load(const std::string& path, std::string& text) {
    if (path.empty()) return false;
    std::vector<std::uint8_t> bytes;
    if (!files_.ReadWholeFile(path.c_str(), bytes)) return false;
    text.assign(bytes.begin(), bytes.end());
    return true;
}

std::shared_ptr<const ini::Document> SimProfile::Parsed(const std::string& path, std::string text) {
    std::lock_guard hold(parsedLock_);
    ParsedFile& file = parsed_[path];
    if (!file.document || file.text != text) {
        file.document = std::make_shared<const ini::Document>(text);
        file.text = std::move(text);
    }
    return file.document;
}

std::uint32_t SimProfile::GetPrivateProfileStringA(const char* section, const char* key,
                                                   const char* defaultValue, char* out,
                                                   std::uint32_t size, const char* file) {
    if (!out || size == 0) return 0;
    std::string text;
    const std::string path = ResolvePath(file);
    if (!Load(path, text)) {
        if (!section || !key) {
            out[0] = '\0';  // a list from a missing file is empty
            return 0;
        }
        return ini::CopyDefault(defaultValue, out, size);
    }
    const std::shared_ptr<const ini::Document> parsed = Parsed(path, std::move(text));
    const ini::Document& doc = *parsed;
    if (!section) return ini::CopyNameList(doc.SectionNames(), out, size);
    if (!key) {
        auto keys = doc.KeyNames(section);
        if (keys && !keys->empty()) {
            std::uint32_t n = ini::CopyNameList(*keys, out, size);
            if (out[0] != '\0') return n;
        }
        return ini::CopyDefault(defaultValue, out, size);
    }
    auto value = doc.FindValue(section, key);
    if (!value) return ini::CopyDefault(defaultValue, out, size);
    return ini::CopyValue(*value, out, size);
}

std::uint32_t SimProfile::GetPrivateProfileIntA(const char* section, const char* key,
                                                int defaultValue, const char* file) {
    // Windows reads the value into a small buffer first, so only its first 29 characters count.
    char buffer[30];
    if (GetPrivateProfileStringA(section, key, "", buffer, sizeof buffer, file) == 0)
        return static_cast<std::uint32_t>(defaultValue);
    return ini::ParseProfileInt(buffer);
}

bool SimProfile::WritePrivateProfileStringA(const char* section, const char* key,
                                            const char* value, const char* file) {
    // All null asks to flush a cache this machine does not keep; Windows answers false.
    if (!section && !key && !value) return false;
    if (!section) {
        error_.SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    std::string path = ResolvePath(file);
    if (path.empty()) {
        error_.SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    std::vector<std::uint8_t> bytes;
    bool exists = files_.ReadWholeFile(path.c_str(), bytes);
    if (!exists) {
        // Only a file that is not there yet may be created; any other failure to read it
        // (held without sharing, no such directory, a directory) fails the write with the
        // file system's own error, which the failed read has set.
        if (error_.GetLastError() != ERROR_FILE_NOT_FOUND) return false;
        if (!key || !value) return true;  // nothing to delete in a file that does not exist
    }
    std::string text(bytes.begin(), bytes.end());
    std::string updated;
    if (!key)
        updated = ini::DeleteSection(text, section);
    else if (!value)
        updated = ini::DeleteKey(text, section, key);
    else
        updated = ini::SetValue(text, section, key, value);
    // The file is written even when nothing changed, so that a file others hold without
    // write sharing fails here as it does on Windows.
    return files_.WriteWholeFile(path.c_str(),
                                 std::vector<std::uint8_t>(updated.begin(), updated.end()));
}

std::uint32_t SimProfile::GetPrivateProfileSectionNamesA(char* out, std::uint32_t size,
                                                         const char* file) {
    return GetPrivateProfileStringA(nullptr, nullptr, nullptr, out, size, file);
}

std::uint32_t SimProfile::GetProfileStringA(const char* section, const char* key,
                                            const char* defaultValue, char* out,
                                            std::uint32_t size) {
    return GetPrivateProfileStringA(section, key, defaultValue, out, size, "win.ini");
}

bool SimProfile::WriteProfileStringA(const char* section, const char* key, const char* value) {
    return WritePrivateProfileStringA(section, key, value, "win.ini");
}

}  // namespace sim
