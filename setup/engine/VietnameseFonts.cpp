// The Vietnamese font copy.
#include "setup/engine/VietnameseFonts.h"

#include <string>
#include <vector>

#include "platform/win_constants.h"

namespace setup {

namespace {

constexpr std::uint32_t kPathSize = 260;

// Copies one folder's entries into the font directory; false when it cannot be listed.
bool CopyFontFolder(plat::Platform& platform, const char* folder) {
    plat::FileSystem& files = platform.files();
    char windows[kPathSize] = {};
    char current[kPathSize] = {};
    const std::uint32_t w = files.GetWindowsDirectoryA(windows, kPathSize);
    const std::uint32_t c = files.GetCurrentDirectoryA(kPathSize, current);
    if (w == 0 || w >= kPathSize || c == 0 || c >= kPathSize) return false;

    const std::string source = std::string(current) + "\\" + folder + "\\";
    const std::string fonts = std::string(windows) + "\\Fonts\\";
    std::vector<plat::FindData> entries;
    // An empty folder still lists its "." and ".." entries: only a missing folder fails.
    if (!files.FindFiles((source + "*.*").c_str(), entries) &&
        platform.lastError().GetLastError() != ERROR_FILE_NOT_FOUND)
        return false;
    // A "*.*" listing starts with the folder's "." and ".." entries; copying them fails, as
    // every other failed copy, without a word.
    std::vector<std::string> names = {".", ".."};
    for (const plat::FindData& entry : entries) names.push_back(entry.name);
    for (const std::string& name : names)
        files.CopyFileA((source + name).c_str(), (fonts + name).c_str(), /*failIfExists=*/true);
    return true;
}

}  // namespace

bool InstallVietnameseFonts(plat::Platform& platform) {
    if (!CopyFontFolder(platform, kTcvn3FontFolder)) return false;
    return CopyFontFolder(platform, kVniFontFolder);
}

}  // namespace setup
