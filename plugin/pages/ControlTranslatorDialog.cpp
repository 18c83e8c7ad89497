// The control-font translator: one character's command in hex.
#include "plugin/pages/ControlTranslatorDialog.h"

#include <utility>

#include "platform/win_constants.h"
#include "plugin/commands/CommandHex.h"
#include "plugin/pages/OperationOptions.h"

namespace plugin {

namespace {

// The character and code texts are shown in 10-character fields.
constexpr std::size_t kScratchTextChars = 10;

}  // namespace

bool ControlTranslatorDialog::OnInitDialog(plat::DialogWindow& window) {
    window.SetItemTextW(IDC_TRANSLATOR_CHAR, std::u16string_view(scratch_.character).substr(0, kScratchTextChars));
    window.SetItemTextW(IDC_TRANSLATOR_HEX, std::u16string_view(scratch_.hex).substr(0, kScratchTextChars));
    // The same hex typing as the operation dialog's command; the edit holds what OK reads, so
    // nothing typed past the limit is silently dropped.
    window.SetEditCharFilter(IDC_TRANSLATOR_COMMAND, kCommandTypingAllowed);
    window.SetEditLimit(IDC_TRANSLATOR_COMMAND, kCommandTextLimit);
    window.SetItemTextW(IDC_TRANSLATOR_COMMAND, FormatCommandHex(scratch_.command));
    return true;
}

bool ControlTranslatorDialog::OnCommand(plat::DialogWindow& window, int id, int code) {
    if (id != IDOK || code != plat::kButtonClicked) return false;  // Cancel closes unchanged
    std::u16string text = window.GetItemTextW(IDC_TRANSLATOR_COMMAND);
    if (text.size() > static_cast<std::size_t>(kCommandTextLimit)) text.resize(kCommandTextLimit);
    std::vector<std::uint8_t> bytes = ParseCommandHex(text);
    if (bytes.size() > kControlCommandCapacity) {
        window.MessageBox("Command length error", "Error", MB_OK);
        return true;  // stays open, nothing stored
    }
    scratch_.command = std::move(bytes);
    window.EndDialog(IDOK);
    return true;
}

}  // namespace plugin
