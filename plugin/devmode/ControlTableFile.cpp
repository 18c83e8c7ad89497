// The settings file ZK450iNPCONTROL.ini: the control font's character translation table.
#include "plugin/devmode/ControlTableFile.h"

#include "platform/win_constants.h"
#include "plugin/commands/CommandHex.h"

namespace plugin {

namespace {

constexpr char16_t kFileBelowWindows[] = u"\\system32\\spool\\drivers\\w32x86\\3\\ZK450iNPCONTROL.ini";
constexpr std::uint32_t kPathChars = 260;

// The file functions take 8-bit paths; the settings file's path is ASCII unless the Windows
// directory is not, and then it cannot be deleted by name (the section is removed instead).
bool AsciiPath(const std::u16string& path, std::string& out) {
    out.clear();
    for (char16_t c : path) {
        if (c > 0x7F) return false;
        out += static_cast<char>(c);
    }
    return true;
}

}  // namespace

std::u16string ControlTableFilePath(plat::FileSystem& files) {
    char16_t windows[kPathChars] = {};
    const std::uint32_t n = files.GetWindowsDirectoryW(windows, kPathChars);
    if (n == 0 || n >= kPathChars) return {};
    return std::u16string(windows, n) + kFileBelowWindows;
}

std::u16string ControlTableKey(std::uint8_t code) {
    const char16_t* digits = u"0123456789ABCDEF";
    std::u16string key;
    if (code >= 0x10) key += digits[code >> 4];
    key += digits[code & 0x0F];
    return key;
}

std::u16string ReadControlTableValue(plat::Profile& profile, const std::u16string& path,
                                     std::uint8_t code) {
    char16_t value[kControlTableValueChars] = {};
    const std::u16string key = ControlTableKey(code);
    const std::uint32_t n = profile.GetPrivateProfileStringW(
        kControlTableSection, key.c_str(), u"", value, kControlTableValueChars, path.c_str());
    return std::u16string(value, n < kControlTableValueChars ? n : kControlTableValueChars - 1);
}

bool WriteControlTableEntries(plat::Platform& platform, const std::u16string& path,
                              const std::vector<ControlTableEntry>& entries) {
    std::string narrow;
    if (AsciiPath(path, narrow)) {
        if (!platform.files().DeleteFileA(narrow.c_str())) {
            const std::uint32_t error = platform.lastError().GetLastError();
            if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return false;
        }
    } else if (!platform.profile().WritePrivateProfileStringW(kControlTableSection, nullptr,
                                                              nullptr, path.c_str())) {
        return false;
    }
    for (const ControlTableEntry& entry : entries) {
        if (entry.value.empty()) continue;
        if (!platform.profile().WritePrivateProfileStringW(kControlTableSection, entry.key.c_str(),
                                                           entry.value.c_str(), path.c_str()))
            return false;
    }
    return true;
}

bool WriteControlTable(plat::Platform& platform, const std::u16string& path,
                       const std::vector<ControlTableRow>& rows) {
    std::vector<ControlTableEntry> entries;
    entries.reserve(rows.size());
    for (const ControlTableRow& row : rows)
        entries.push_back({ControlTableKey(row.code), FormatCommandHex(row.command)});
    return WriteControlTableEntries(platform, path, entries);
}

}  // namespace plugin
