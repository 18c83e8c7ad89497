// Language text lookup: "language\setup.ini" below the current directory, one section per
// lookup object, line-break markers turned into line breaks.
#include "package/LanguageText.h"

#include "common/text.h"

namespace pkg {

namespace {
constexpr std::uint32_t kPathCapacity = 260;
constexpr std::size_t kSectionLength = 255;
constexpr const char* kLanguageFile = "\\language\\setup.ini";
}  // namespace

void ConvertLineBreakMarkers(std::string& text) {
    for (const char* marker : {"\\1", "\\2", "\\3"}) {
        size_t at = text.find(marker);
        if (at != std::string::npos) {
            text[at] = '\r';
            text[at + 1] = '\n';
        }
    }
}

LanguageText::LanguageText(plat::Platform& platform, const std::string& section)
    : platform_(platform), section_(section.substr(0, kSectionLength)) {
    char directory[kPathCapacity] = {};
    std::uint32_t length = platform_.files().GetCurrentDirectoryA(sizeof directory, directory);
    // A directory that does not fit (or cannot be read) leaves the lookup without a file
    // rather than reading a cut path, which could name some other file.
    if (length == 0 || length >= sizeof directory) return;
    std::string dir(directory, length);
    // The root directory already ends in a backslash ("C:\").
    if (!dir.empty() && dir.back() == '\\') dir.pop_back();
    std::string path = dir + kLanguageFile;
    if (path.size() >= kPathCapacity) return;
    file_ = path;
}

std::string LanguageText::Get(const char* key) const {
    if (file_.empty() || key == nullptr) return {};
    // Each call reads into its own buffer: concurrent lookups never share a result.
    char text[kMaxText + 1];
    std::uint32_t length = platform_.profile().GetPrivateProfileStringA(
        section_.c_str(), key, "", text, sizeof text, file_.c_str());
    std::string result = common::FromBuffer(text, length < sizeof text ? length + 1 : sizeof text);
    ConvertLineBreakMarkers(result);
    return result;
}

}  // namespace pkg
