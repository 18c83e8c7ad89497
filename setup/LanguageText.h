// Language texts: every caption, button text and message of the wizard, read from
// "language\setup.ini" below the current directory.
#pragma once
#include <string>

#include "platform/platform.h"

namespace setup {

class LanguageText {
public:
    // Binds the lookup to one section; the file path is fixed from the current directory now.
    LanguageText(plat::Platform& platform, const std::string& section);

    // The key's text after the line-break markers are converted, at most 1,023 characters;
    // empty when the file, section or key is missing. Each call returns its own copy, so the
    // user-interface thread and the installation worker can look up texts at the same time.
    std::string Get(const char* key) const;
};

}  // namespace setup
