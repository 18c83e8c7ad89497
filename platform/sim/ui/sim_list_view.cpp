// List views of simulated dialogs: report view, one text column per row, check boxes.
#include <algorithm>

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
    return static_cast<int>(at);
}

bool SimDialogWindow::DeleteListViewRow(int id, int row) {
    SimControl& c = ListViewControl(id, "DeleteListViewRow");
    if (row < 0 || row >= static_cast<int>(c.items.size())) return false;
    c.items.erase(c.items.begin() + row);
    c.rowChecked.erase(c.rowChecked.begin() + row);
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
