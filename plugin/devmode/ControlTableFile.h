// The settings file ZK450iNPCONTROL.ini: the control font's character translation table, one key
// per translated character, kept outside the device mode.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace plugin {

inline constexpr char16_t kControlTableSection[] = u"Character Translation Table";
inline constexpr std::uint32_t kControlTableValueChars = 400;  // read buffer, terminator included

// The file's path: the Windows directory (a 260-character buffer, as GetWindowsDirectoryW fills
// it) followed by "\system32\spool\drivers\w32x86\3\ZK450iNPCONTROL.ini". Fixed: it does not
// follow the platform's own driver directory. Empty when the Windows directory is unknown.
std::u16string ControlTableFilePath(plat::FileSystem& files);

// The key of a character code: upper-case hex without leading zeros, as "%X" formats it.
std::u16string ControlTableKey(std::uint8_t code);

// One row of the table: a character and its command bytes (no key when empty).
struct ControlTableRow {
    std::uint8_t code = 0;
    std::vector<std::uint8_t> command;
};

// The stored text of one character's command ("1B 40 "), empty when it has no key; read with a
// 400-character buffer, so a longer value is cut to 399 characters.
std::u16string ReadControlTableValue(plat::Profile& profile, const std::u16string& path,
                                     std::uint8_t code);

// One key of the file as a person's table holds it: the key and the command text, written as
// they stand.
struct ControlTableEntry {
    std::u16string key;
    std::u16string value;
};

// Rewrites the file from the entries: deletes it, then writes one key per entry whose value is
// not empty, in order. False, with the thread's last error from the failing call, when the file
// cannot be deleted (a missing file is fine) or a key not written; the keys written before the
// failure stay.
bool WriteControlTableEntries(plat::Platform& platform, const std::u16string& path,
                              const std::vector<ControlTableEntry>& entries);

// Rewrites the file from the table: deletes it, then writes one key per row whose command is
// not empty, value as FormatCommandHex gives it. False, with the thread's last error from the
// failing call, when the file cannot be deleted (a missing file is fine) or a key not written.
bool WriteControlTable(plat::Platform& platform, const std::u16string& path,
                       const std::vector<ControlTableRow>& rows);

}  // namespace plugin
