// The language file reader.
#include "uninstall/UninstallTexts.h"

namespace uninstall {

namespace {
constexpr std::size_t kPathSize = 260;
}

UninstallTexts::UninstallTexts(plat::Platform& platform) : platform_(platform) {
    char dir[kPathSize] = {};
    const std::uint32_t n = platform_.files().GetCurrentDirectoryA(sizeof dir, dir);
    if (n > 0 && n < sizeof dir) file_ = std::string(dir) + "\\language\\uninstall.ini";
}

std::string UninstallTexts::Get(const char* section, const char* key) const {
    if (file_.empty()) return {};
    char buffer[kBufferSize] = {};
    platform_.profile().GetPrivateProfileStringA(section, key, "", buffer, sizeof buffer,
                                                 file_.c_str());
    buffer[kBufferSize - 1] = '\0';
    std::string text = buffer;
    ConvertFirstLineBreak(text);
    return text;
}

std::string UninstallTexts::Format(const char* key, const std::string& name) const {
    return FillFormat(Message(key), name);
}

void ConvertFirstLineBreak(std::string& text) {
    const std::size_t at = text.find("\\n");
    if (at == std::string::npos) return;
    text[at] = '\r';
    text[at + 1] = '\n';
}

std::string FillFormat(const std::string& format, const std::string& name) {
    std::string out;
    bool filled = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (format[i + 1] == 's' && !filled) {
                out += name;
                filled = true;
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

}  // namespace uninstall
