// The sections and keys the programs read from the package's two language files.
#pragma once
#include <vector>

namespace pkgcheck {

struct LanguageSection {
    const char* section;
    std::vector<const char*> keys;
};

// language\setup.ini, read by setup.
const std::vector<LanguageSection>& SetupLanguageKeys();
// language\uninstall.ini, read by uninstall.
const std::vector<LanguageSection>& UninstallLanguageKeys();

}  // namespace pkgcheck
