// The modal dialog that edits the printer actions of one moment of a print job: a raw command,
// a cash drawer pulse or the buzzer, a beep, a paper feed, a cut and a stored logo.
#pragma once
#include "platform/dialog.h"
#include "plugin/devmode/OemDevmode.h"
#include "plugin/pages/OperationPageIds.h"

namespace plugin {

// Works on a copy of the moment's block: the page writes it back only when the dialog ends
// with IDOK, so Cancel changes nothing.
class OperationDialog final : public plat::DialogLogic {
public:
    static constexpr int kTemplateId = IDD_OPERATION_DIALOG;

    OperationDialog(OperationMoment moment, const OperationBlock& block)
        : moment_(moment), block_(block) {}

    // The block as it was given, or as OK stored it.
    const OperationBlock& block() const { return block_; }

    bool OnInitDialog(plat::DialogWindow& window) override;
    bool OnCommand(plat::DialogWindow& window, int id, int code) override;

private:
    void FillLists(plat::DialogWindow& window);
    void ShowFeed(plat::DialogWindow& window, int millimetres);
    void ChooseDrawerOrBuzzer(plat::DialogWindow& window, bool drawer);
    void EnableLogoPlacement(plat::DialogWindow& window, bool enabled);
    void CheckAlignment(plat::DialogWindow& window, int alignment);
    void CheckPosition(plat::DialogWindow& window, int position);
    void ShowDefaults(plat::DialogWindow& window);
    // Reads the controls into the block; false, with the message shown and nothing stored, when
    // the command is longer than a block holds.
    bool Store(plat::DialogWindow& window);

    OperationMoment moment_;
    OperationBlock block_;
};

}  // namespace plugin
