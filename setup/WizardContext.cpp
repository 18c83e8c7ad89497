// The wizard's shared switches: the GB2312 font and the wizard's message boxes.
#include "setup/WizardContext.h"

#include "platform/win_constants.h"
#include "setup/Gb2312Font.h"

namespace setup {

plat::FontSpec Gb2312FontSpec() {
    Gb2312Font font;
    plat::FontSpec spec;
    spec.height = font.height;
    spec.width = font.width;
    spec.weight = font.weight;
    spec.italic = font.italic;
    spec.underline = font.underline;
    spec.strikeOut = font.strikeOut;
    spec.charSet = font.charSet;
    spec.pitchAndFamily = font.pitchAndFamily;
    spec.face = font.faceName;
    return spec;
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
