// What every window of the wizard shares: the platform, the message texts, the package as read
// at start, and the switches fixed at start-up (word size, agreement page, GB2312 font mode).
#pragma once
#include <string>

#include "platform/platform.h"
#include "package/Gb2312Font.h"
#include "package/LanguageText.h"
#include "setup/PackageCatalog.h"

namespace setup {

struct WizardContext {
    plat::Platform& platform;
    // The process-wide lookup of section Message, through which every error and information
    // message is read.
    const pkg::LanguageText& messages;
    // The package as the wizard read it at start; pages and rules read it from here.
    const PackageCatalog& catalog;
    // Running under WOW64 on 64-bit Windows: the "_64" series files apply.
    bool is64Bit = false;
    // DEVICENAME/LOADLICENSE: the wizard opens with the agreement page.
    bool agreementOn = false;
    // DEVICENAME/LANGUAGE = 0: every window gives the GB2312 font to itself and its controls.
    bool gb2312Font = false;
};

// Gives the GB2312 font to a window and all its controls when the font mode is on; otherwise
// the window keeps the fonts of its template.
void ApplyFontMode(const WizardContext& context, plat::DialogWindow& window);

// A plain message box with an OK button, owned by `owner` and titled like the wizard
// (Setup/Caption). The text is shown even when it is empty (a key missing from the language
// file).
void ShowWizardMessage(const WizardContext& context, plat::DialogWindow& owner,
                       const std::string& text);

// The same for a key of section Message.
void ShowMessageKey(const WizardContext& context, plat::DialogWindow& owner, const char* key);

}  // namespace setup
