// F1 help through the shell.
#include "setup/HelpGuide.h"

#include <string>

#include "platform/win_constants.h"
#include "package/LanguageText.h"

namespace setup {

void OpenHelpGuide(plat::Platform& platform, plat::WindowRef owner) {
    pkg::LanguageText guide(platform, "Help Guide");
    plat::Desktop& desktop = platform.desktop();
    std::string caption = guide.Get("Caption");
    // Without a caption there is nothing to look for: an empty title would match some unrelated
    // untitled window and the help would never open.
    if (!caption.empty()) {
        if (plat::WindowRef open = desktop.FindWindowA(nullptr, caption.c_str())) {
            desktop.BringWindowToTop(open);
            desktop.OpenIcon(open);
            return;
        }
    }
    std::string name = guide.Get("Name");
    if (name.size() > kHelpNameLimit) name.resize(kHelpNameLimit);
    std::string path = ".\\" + name;
    desktop.ShellExecuteA(owner, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace setup
