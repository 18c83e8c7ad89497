// The modal dialog "Control Font Character Translation Table": the control font's 96 printable
// characters with the command the printer receives for each, kept in ZK450iNPCONTROL.ini.
#pragma once
#include "platform/dialog.h"
#include "platform/platform.h"
#include "plugin/pages/ControlTableDialogIds.h"
#include "plugin/pages/ControlTranslatorDialog.h"

namespace plugin {

// The list is the working copy of the table: it is filled from the file when the dialog opens,
// edited row by row, and written back into a new file on OK. Cancel leaves the file alone.
class ControlTableDialog final : public plat::DialogLogic {
public:
    static constexpr int kTemplateId = IDD_CONTROL_TABLE_DIALOG;

    explicit ControlTableDialog(plat::Platform& platform) : platform_(platform) {}

    bool OnInitDialog(plat::DialogWindow& window) override;
    bool OnCommand(plat::DialogWindow& window, int id, int code) override;
    void OnNotify(plat::DialogWindow& window, int id, int code) override;

private:
    // Opens the translator on the selected row and shows its command formatted after OK. False
    // when there was nothing to edit or the stored command is too long to edit.
    bool EditSelected(plat::DialogWindow& window);
    void DeleteSelected(plat::DialogWindow& window);
    // Scrolls the row (the one before it from row 2 on) into view and focuses the list.
    void Reveal(plat::DialogWindow& window, int row);
    // Rewrites the file from the list; false after telling the user it could not be written.
    bool Save(plat::DialogWindow& window);

    plat::Platform& platform_;
    ControlCommandScratch scratch_;
};

}  // namespace plugin
