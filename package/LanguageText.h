// Language texts: every caption, button text and message of the wizard, read from
// "language\setup.ini" below the current directory.
#pragma once
#include <cstddef>
#include <string>

#include "platform/platform.h"

namespace pkg {

// A lookup bound to one section of the language file. Lookups do not change the object and
// each returns its own copy, so one object (the process-wide `Message` lookup) can serve the
// user-interface thread and the installation worker at the same time.
class LanguageText {
public:
    // A lookup result holds at most this many characters.
    static constexpr std::size_t kMaxText = 1023;

    // Binds the lookup to one section (cut to 255 characters); the file path is fixed now
    // from the current directory.
    LanguageText(plat::Platform& platform, const std::string& section);

    // The key's text after the line-break markers are converted, at most 1,023 characters;
    // empty when the file, section or key is missing.
    std::string Get(const char* key) const;

    // The language file this lookup reads; empty when the current directory could not be read
    // or is too long for a 260-character path (every text is then empty).
    const std::string& file() const { return file_; }
    const std::string& section() const { return section_; }

private:
    plat::Platform& platform_;
    std::string file_;
    std::string section_;
};

// Turns the first "\1", then the first "\2", then the first "\3" of a text into a carriage
// return and line feed, in place (the length does not change).
void ConvertLineBreakMarkers(std::string& text);

}  // namespace pkg
