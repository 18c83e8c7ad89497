// The control font's translation table: listing, editing, deleting and saving the commands.
#include "plugin/pages/ControlTableDialog.h"

#include <utility>
#include <vector>

#include "platform/module.h"

#include "platform/win_constants.h"
#include "plugin/commands/CommandHex.h"
#include "plugin/devmode/ControlTableFile.h"

namespace plugin {

namespace {

constexpr int kCharColumn = 0;
constexpr int kHexColumn = 1;
constexpr int kCommandColumn = 2;
// The printable characters the control font translates.
constexpr int kFirstCode = 0x20;
constexpr int kLastCode = 0x7F;
// Every place that reads a command text takes up to 400 characters, terminator included.
constexpr std::size_t kCommandTextChars = kControlTableValueChars - 1;

std::u16string CommandText(plat::DialogWindow& window, int row) {
    std::u16string text = window.ListViewCellTextW(IDC_CONTROL_TABLE_LIST, row, kCommandColumn);
    if (text.size() > kCommandTextChars) text.resize(kCommandTextChars);
    return text;
}

}  // namespace

bool ControlTableDialog::OnInitDialog(plat::DialogWindow& window) {
    window.SetItemTextW(IDC_CONTROL_TABLE_DRIVER, u"ZK450i Printer Driver");
    window.DeleteAllListViewRows(IDC_CONTROL_TABLE_LIST);
    window.InsertListViewColumn(IDC_CONTROL_TABLE_LIST, kCharColumn, "Char", 50);
    window.InsertListViewColumn(IDC_CONTROL_TABLE_LIST, kHexColumn, "Hex", 50);
    window.InsertListViewColumn(IDC_CONTROL_TABLE_LIST, kCommandColumn, "Command", 450);
    window.SetListViewExtendedStyle(IDC_CONTROL_TABLE_LIST, LVS_EX_FULLROWSELECT);

    const std::u16string path = ControlTableFilePath(platform_.files());
    for (int code = kFirstCode; code <= kLastCode; ++code) {
        const auto c = static_cast<std::uint8_t>(code);
        const int row = window.InsertListViewRowW(IDC_CONTROL_TABLE_LIST, code - kFirstCode,
                                                  std::u16string(1, static_cast<char16_t>(c)));
        if (row < 0) break;
        window.SetListViewCellTextW(IDC_CONTROL_TABLE_LIST, row, kHexColumn, ControlTableKey(c));
        // Shown as stored, not reformatted, until the person edits it.
        window.SetListViewCellTextW(IDC_CONTROL_TABLE_LIST, row, kCommandColumn,
                                    ReadControlTableValue(platform_.profile(), path, c));
    }
    return true;
}

bool ControlTableDialog::EditSelected(plat::DialogWindow& window) {
    const int row = window.ListViewSelectedRow(IDC_CONTROL_TABLE_LIST);
    if (row < 0) return false;
    scratch_.character = window.ListViewCellTextW(IDC_CONTROL_TABLE_LIST, row, kCharColumn);
    scratch_.hex = window.ListViewCellTextW(IDC_CONTROL_TABLE_LIST, row, kHexColumn);
    std::vector<std::uint8_t> bytes = ParseCommandHex(CommandText(window, row));
    // A stored text may hold more than a command can: it is shown, not edited.
    if (bytes.size() > kControlCommandCapacity) {
        window.MessageBox("Command length error", "Error", MB_OK);
        return false;
    }
    scratch_.command = std::move(bytes);
    ControlTranslatorDialog translator(scratch_);
    if (window.RunModalChild(plat::ThisModule(), ControlTranslatorDialog::kTemplateId, translator) == IDOK)
        window.SetListViewCellTextW(IDC_CONTROL_TABLE_LIST, row, kCommandColumn,
                                    FormatCommandHex(scratch_.command));
    return true;
}

void ControlTableDialog::DeleteSelected(plat::DialogWindow& window) {
    const int row = window.ListViewSelectedRow(IDC_CONTROL_TABLE_LIST);
    if (row >= 0) window.SetListViewCellTextW(IDC_CONTROL_TABLE_LIST, row, kCommandColumn, u"");
    Reveal(window, row);
}

void ControlTableDialog::Reveal(plat::DialogWindow& window, int row) {
    if (row >= 0) window.EnsureListViewRowVisible(IDC_CONTROL_TABLE_LIST, row >= 2 ? row - 1 : row);
    window.SetFocus(IDC_CONTROL_TABLE_LIST);
}

bool ControlTableDialog::Save(plat::DialogWindow& window) {
    std::vector<ControlTableEntry> entries;
    const int rows = window.ListViewRowCount(IDC_CONTROL_TABLE_LIST);
    for (int row = 0; row < rows; ++row)
        entries.push_back({window.ListViewCellTextW(IDC_CONTROL_TABLE_LIST, row, kHexColumn),
                           CommandText(window, row)});
    const std::u16string path = ControlTableFilePath(platform_.files());
    if (!path.empty() && WriteControlTableEntries(platform_, path, entries)) return true;
    window.MessageBox("Please check if user has administrator privileges!", "Error",
                      MB_OK | MB_ICONERROR);
    return false;
}

bool ControlTableDialog::OnCommand(plat::DialogWindow& window, int id, int code) {
    if (code != plat::kButtonClicked) return false;
    switch (id) {
        case IDC_CONTROL_TABLE_EDIT: {
            // The selection cannot change while the translator is open.
            const int row = window.ListViewSelectedRow(IDC_CONTROL_TABLE_LIST);
            if (EditSelected(window)) Reveal(window, row);
            return true;
        }
        case IDC_CONTROL_TABLE_DELETE:
            DeleteSelected(window);
            return true;
        case IDOK:
            if (Save(window)) window.EndDialog(IDOK);
            return true;
        default:
            return false;  // Cancel closes without touching the file
    }
}

void ControlTableDialog::OnNotify(plat::DialogWindow& window, int id, int code) {
    if (id == IDC_CONTROL_TABLE_LIST && code == plat::kNmDoubleClick) EditSelected(window);
}

}  // namespace plugin
