// The uninstaller's language texts: "language\uninstall.ini" below the current directory.
#pragma once
#include <cstddef>
#include <string>

#include "platform/platform.h"

namespace uninstall {

// Reads texts from the language file. Each read goes through a 1024-byte buffer, so a text
// holds at most 1023 characters; the first backslash-n pair becomes CR LF, later pairs stay.
// A missing file, section or key gives an empty text. Reads do not change the object, so the
// window and the worker thread may share one.
class UninstallTexts {
public:
    static constexpr std::size_t kBufferSize = 1024;

    // The file path is fixed now from the current directory.
    explicit UninstallTexts(plat::Platform& platform);

    std::string Get(const char* section, const char* key) const;
    // A text of section "Message".
    std::string Message(const char* key) const { return Get("Message", key); }
    // A "Message" text with its "%s" filled with `name`.
    std::string Format(const char* key, const std::string& name) const;

    const std::string& file() const { return file_; }

private:
    plat::Platform& platform_;
    std::string file_;
};

// Replaces the first backslash-n pair of the text by CR LF.
void ConvertFirstLineBreak(std::string& text);

// Fills a message format: the first "%s" becomes `name`, "%%" becomes "%", and anything else
// (other conversions included) stays as written, so a language file can never make the
// program read arguments that are not there.
std::string FillFormat(const std::string& format, const std::string& name);

}  // namespace uninstall
