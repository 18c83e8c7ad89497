// The wizard's shared switches: the GB2312 font and the wizard's message boxes.
#include "setup/WizardContext.h"

#include "platform/win_constants.h"

namespace setup {

void ApplyFontMode(const WizardContext& context, plat::DialogWindow& window) {
    if (context.gb2312Font) window.SetFontAll(pkg::Gb2312FontSpec());
}

void ShowWizardMessage(const WizardContext& context, plat::DialogWindow& owner,
                       const std::string& text) {
    std::string caption = pkg::LanguageText(context.platform, "Setup").Get("Caption");
    owner.MessageBox(text, caption, MB_OK);
}

void ShowMessageKey(const WizardContext& context, plat::DialogWindow& owner, const char* key) {
    ShowWizardMessage(context, owner, context.messages.Get(key));
}

}  // namespace setup
