// The modal dialog that edits the command of one control-font character as hex text.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "plugin/pages/ControlTranslatorDialogIds.h"

namespace plugin {

// The character being edited, as the table shows it, and its command: what the table dialog
// hands the translator and takes back from it.
struct ControlCommandScratch {
    std::u16string character;  // the table's "Char" text
    std::u16string hex;        // the table's "Hex" text
    std::vector<std::uint8_t> command;
};

// The most bytes one character's command holds.
inline constexpr std::size_t kControlCommandCapacity = 128;

// Shows the character and its code read-only and the command as hex text; OK stores the typed
// command into the scratch, unless it is longer than a command holds.
class ControlTranslatorDialog final : public plat::DialogLogic {
public:
    static constexpr int kTemplateId = IDD_CONTROL_TRANSLATOR_DIALOG;

    explicit ControlTranslatorDialog(ControlCommandScratch& scratch) : scratch_(scratch) {}

    bool OnInitDialog(plat::DialogWindow& window) override;
    bool OnCommand(plat::DialogWindow& window, int id, int code) override;

private:
    ControlCommandScratch& scratch_;
};

}  // namespace plugin
