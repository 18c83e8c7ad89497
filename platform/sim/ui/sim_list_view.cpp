// List views of simulated dialogs: report view, rows with their columns' texts, check boxes,
// one selected row.
#include <algorithm>

#include "platform/sim/state/code_page.h"
#include "platform/sim/ui/dialog_host.h"
#include "platform/sim/ui/sim_dialog_window.h"
#include "platform/win_constants.h"

namespace sim {

SimControl& SimDialogWindow::ListViewControl(int id, const char* operation) {
    SimControl& c = Control(id, operation);
    if (c.kind != ControlKind::ListView)
        host_.Fail(std::string("simulator error: ") + operation + ": control " + std::to_string(id) +
                   " of " + Describe() + " is a " + c.kindName() + ", not a list view");
    return c;
}

SimControl& SimDialogWindow::ListViewRow(int id, int row, const char* operation) {
    SimControl& c = ListViewControl(id, operation);
    if (row < 0 || row >= static_cast<int>(c.items.size()))
        host_.Fail(std::string("simulator error: ") + operation + ": list view " + std::to_string(id) +
                   " has no row " + std::to_string(row));
    return c;
}

void SimDialogWindow::SetListViewExtendedStyle(int id, std::uint32_t styles) {
    ListViewControl(id, "SetListViewExtendedStyle").extendedStyle = styles;
}

void SimDialogWindow::InsertListViewColumn(int id, int column, std::string_view text, int) {
    SimControl& c = ListViewControl(id, "InsertListViewColumn");
    // Windows puts a column past the end at the end.
    const auto at = std::min<std::size_t>(static_cast<std::size_t>(std::max(column, 0)), c.columns.size());
    c.columns.insert(c.columns.begin() + static_cast<std::ptrdiff_t>(at), std::string(text));
}

int SimDialogWindow::InsertListViewRow(int id, int row, std::string_view text) {
    SimControl& c = ListViewControl(id, "InsertListViewRow");
    if (row < 0) return -1;
    const auto at = std::min<std::size_t>(static_cast<std::size_t>(row), c.items.size());
    c.items.insert(c.items.begin() + static_cast<std::ptrdiff_t>(at), std::string(text));
    c.rowChecked.insert(c.rowChecked.begin() + static_cast<std::ptrdiff_t>(at), false);
    if (c.wideItems.size() < c.items.size() - 1) c.wideItems.resize(c.items.size() - 1);
    c.wideItems.insert(c.wideItems.begin() + static_cast<std::ptrdiff_t>(at), std::nullopt);
    if (c.rowCells.size() < c.items.size() - 1) c.rowCells.resize(c.items.size() - 1);
    // A named empty row: a bare {} would pick the initializer-list overload and insert nothing.
    c.rowCells.insert(c.rowCells.begin() + static_cast<std::ptrdiff_t>(at), std::vector<std::u16string>{});
    // Rows after an insertion move down, and the selection with them.
    if (c.selection >= static_cast<int>(at)) ++c.selection;
    return static_cast<int>(at);
}

int SimDialogWindow::InsertListViewRowW(int id, int row, std::u16string_view text) {
    // The code-page form keeps what ASCII can show; the W text is what the script and the dump
    // see, as for AddListItemW.
    std::string narrow;
    for (char16_t ch : text) narrow += ch < 0x80 ? static_cast<char>(ch) : '?';
    const int at = InsertListViewRow(id, row, narrow);
    if (at >= 0) ListViewControl(id, "InsertListViewRowW").wideItems[static_cast<std::size_t>(at)] = std::u16string(text);
    return at;
}

void SimDialogWindow::SetListViewCellTextW(int id, int row, int column, std::u16string_view text) {
    SimControl& c = ListViewRow(id, row, "SetListViewCellTextW");
    const auto r = static_cast<std::size_t>(row);
    if (column == 0) {
        std::string narrow;
        for (char16_t ch : text) narrow += ch < 0x80 ? static_cast<char>(ch) : '?';
        c.items[r] = narrow;
        c.wideItems[r] = std::u16string(text);
        return;
    }
    // Windows keeps a text for a column only while the column exists.
    if (column < 0 || column >= static_cast<int>(c.columns.size())) return;
    std::vector<std::u16string>& cells = c.rowCells[r];
    if (cells.size() < static_cast<std::size_t>(column)) cells.resize(static_cast<std::size_t>(column));
    cells[static_cast<std::size_t>(column) - 1] = std::u16string(text);
}

std::u16string SimDialogWindow::ListViewCellTextW(int id, int row, int column) {
    SimControl& c = ListViewControl(id, "ListViewCellTextW");
    if (row < 0 || row >= static_cast<int>(c.items.size()) || column < 0) return {};
    const auto r = static_cast<std::size_t>(row);
    if (column == 0) return c.wideItems[r] ? *c.wideItems[r] : Utf8ToUtf16(host_.ToUtf8(c.items[r]));
    const std::vector<std::u16string>& cells = c.rowCells[r];
    return static_cast<std::size_t>(column) <= cells.size() ? cells[static_cast<std::size_t>(column) - 1] : std::u16string();
}

void SimDialogWindow::DeleteAllListViewRows(int id) {
    SimControl& c = ListViewControl(id, "DeleteAllListViewRows");
    c.items.clear();
    c.wideItems.clear();
    c.rowChecked.clear();
    c.rowCells.clear();
    c.selection = -1;
}

int SimDialogWindow::ListViewSelectedRow(int id) {
    SimControl& c = ListViewControl(id, "ListViewSelectedRow");
    return c.selection >= 0 && c.selection < static_cast<int>(c.items.size()) ? c.selection : -1;
}

void SimDialogWindow::SelectListViewRow(int id, int row) {
    SimControl& c = ListViewControl(id, "SelectListViewRow");
    c.selection = row >= 0 && row < static_cast<int>(c.items.size()) ? row : -1;
}

void SimDialogWindow::EnsureListViewRowVisible(int id, int row) {
    SimControl& c = ListViewControl(id, "EnsureListViewRowVisible");
    if (row >= 0 && row < static_cast<int>(c.items.size())) c.scrolledTo = row;
}

bool SimDialogWindow::DeleteListViewRow(int id, int row) {
    SimControl& c = ListViewControl(id, "DeleteListViewRow");
    if (row < 0 || row >= static_cast<int>(c.items.size())) return false;
    c.items.erase(c.items.begin() + row);
    c.rowChecked.erase(c.rowChecked.begin() + row);
    if (row < static_cast<int>(c.wideItems.size())) c.wideItems.erase(c.wideItems.begin() + row);
    if (row < static_cast<int>(c.rowCells.size())) c.rowCells.erase(c.rowCells.begin() + row);
    // The selected row goes with its row; the rows after it move up.
    if (c.selection == row) c.selection = -1;
    else if (c.selection > row) --c.selection;
    return true;
}

int SimDialogWindow::ListViewRowCount(int id) {
    return static_cast<int>(ListViewControl(id, "ListViewRowCount").items.size());
}

std::string SimDialogWindow::ListViewRowText(int id, int row) {
    return ListViewRow(id, row, "ListViewRowText").items[static_cast<std::size_t>(row)];
}

void SimDialogWindow::SetListViewRowChecked(int id, int row, bool checked) {
    SimControl& c = ListViewRow(id, row, "SetListViewRowChecked");
    // Without LVS_EX_CHECKBOXES a list view has no check boxes to set.
    if (!(c.extendedStyle & LVS_EX_CHECKBOXES))
        host_.Fail("simulator error: SetListViewRowChecked: list view " + std::to_string(id) +
                   " has no check boxes");
    c.rowChecked[static_cast<std::size_t>(row)] = checked;
}

bool SimDialogWindow::IsListViewRowChecked(int id, int row) {
    return ListViewRow(id, row, "IsListViewRowChecked").rowChecked[static_cast<std::size_t>(row)];
}

}  // namespace sim
