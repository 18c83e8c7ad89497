// The wizard's shared switches: the GB2312 font and the wizard's message boxes.
#include "setup/WizardContext.h"

#include "platform/win_constants.h"
#include "setup/Gb2312Font.h"

namespace setup {

plat::FontSpec Gb2312FontSpec() {
    Gb2312Font font;
    plat::FontSpec result;
    result.height = font.height;
    result.width = font.width;
    result.weight = font.weight;
    result.italic = font.italic;
    result.underline = font.underline;
    result.strikeOut = font.strikeOut;
    result.charSet = font.charSet;
    result.pitchAndFamily = font.pitchAndFamily;
    result.face = font.faceName;
    return result;
}

void ApplyFontMode(const WizardContext& context, plat::DialogWindow& window) {
    if (context.gb2312Font) window.SetFontAll(Gb2312FontSpec());
}

void ShowWizardMessage(const WizardContext& context, plat::DialogWindow& owner,
                       const std::string& text) {
    std::string caption = LanguageText(context.platform, "Setup").Get("Caption");
    owner.MessageBox(text, caption, MB_OK);
}

void ShowMessageKey(const WizardContext& context, plat::DialogWindow& owner, const char* key) {
    ShowWizardMessage(context, owner, context.messages.Get(key));
}

}  // namespace setup
