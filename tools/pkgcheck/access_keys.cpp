// Which language texts setup shows together, and the access keys they share.
#include "tools/pkgcheck/access_keys.h"

#include "package/LanguageText.h"

namespace pkgcheck {

namespace {

struct TextKey {
    const char* section;
    const char* key;
};

struct Screen {
    const char* name;
    bool frameButtons;  // the wizard frame's Back, Cancel and help hint are shown with it
    const char* nextKey;  // the frame's default button: Next or, on the last page, Install
    std::vector<TextKey> texts;
};

// Texts of the pages as the wizard sets them; the OS page's system names are fixed in the
// resource script and carry no access key, and the About box's version line is SS_NOPREFIX.
const std::vector<Screen>& Screens() {
    static const std::vector<Screen> screens = {
        {"the agreement page", true, "Next", {{"Legal", "Agreement"}, {"Legal", "Accept"}, {"Legal", "Reject"}}},
        {"the model page", true, "Next",
         {{"Series", "Select"}, {"Series", "Receipt"}, {"Series", "Ticket"}, {"Series", "Label"},
          {"Series", "Embedded"}, {"Series", "Default"}}},
        {"the mode page", true, "Next",
         {{"Mode", "Type"}, {"Mode", "Typical"}, {"Mode", "Advanced"}, {"Mode", "Remarks"},
          {"Mode", "Note1"}, {"Mode", "Note2"}, {"Mode", "Note3"}}},
        {"the OS page", true, "Next", {{"System", "Select"}}},
        {"the port page", true, "Install",
         {{"Confirm", "Set"}, {"Confirm", "Ports"}, {"Confirm", "Com"}, {"Confirm", "BaudRate"},
          {"Confirm", "Parity"}, {"Confirm", "ByteSize"}, {"Confirm", "StopBits"},
          {"Confirm", "Protocol"}, {"Confirm", "Raster"}}},
        {"the About box", false, nullptr, {{"About", "Copyright"}, {"About", "OK"}}},
    };
    return screens;
}

}  // namespace

char AccessKeyOf(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        char c = text[i + 1];
        if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
        return 0;
    }
    return 0;
}

std::vector<Problem> AccessKeyClashes(const std::string& page, const std::vector<LabelledText>& texts) {
    std::vector<Problem> problems;
    std::string reported;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        char key = AccessKeyOf(texts[i].text);
        if (!key || reported.find(key) != std::string::npos) continue;
        std::string sharing;
        int count = 0;
        for (const LabelledText& t : texts) {
            if (AccessKeyOf(t.text) != key) continue;
            if (count++) sharing += " and ";
            sharing += t.label + " \"" + t.text + "\"";
        }
        if (count < 2) continue;
        reported += key;
        problems.push_back({"clashing-access-keys",
                            "on " + page + " Alt+" + std::string(1, key) + " is both " + sharing +
                                ": it reaches only the first"});
    }
    return problems;
}

std::vector<Problem> CheckAccessKeys(plat::Platform& platform) {
    auto text = [&](const TextKey& k) {
        return LabelledText{std::string("[") + k.section + "] " + k.key, pkg::LanguageText(platform, k.section).Get(k.key)};
    };
    std::vector<Problem> problems;
    for (const Screen& screen : Screens()) {
        std::vector<LabelledText> shown;
        for (const TextKey& k : screen.texts) shown.push_back(text(k));
        if (screen.frameButtons)
            for (const char* key : {"Back", screen.nextKey, "Cancel", "Help"}) shown.push_back(text({"Setup", key}));
        for (Problem& p : AccessKeyClashes(screen.name, shown)) problems.push_back(std::move(p));
    }
    return problems;
}

}  // namespace pkgcheck
