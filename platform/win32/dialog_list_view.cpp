// List views of real dialogs: the LVM_ messages of a report-view SysListView32.
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/dialog_window.h"

#include <string>

namespace win32 {

void Win32DialogWindow::SetListViewExtendedStyle(int id, std::uint32_t styles) {
    ::SendDlgItemMessageA(hwnd_, id, LVM_SETEXTENDEDLISTVIEWSTYLE, styles, styles);
}

void Win32DialogWindow::InsertListViewColumn(int id, int column, std::string_view text, int width) {
    std::string header(text);
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.pszText = header.data();
    col.cx = width;
    col.iSubItem = column;
    ::SendDlgItemMessageA(hwnd_, id, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                          reinterpret_cast<LPARAM>(&col));
}

int Win32DialogWindow::InsertListViewRow(int id, int row, std::string_view text) {
    std::string label(text);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = label.data();
    return static_cast<int>(::SendDlgItemMessageA(hwnd_, id, LVM_INSERTITEMA, 0,
                                                  reinterpret_cast<LPARAM>(&item)));
}

bool Win32DialogWindow::DeleteListViewRow(int id, int row) {
    return ::SendDlgItemMessageA(hwnd_, id, LVM_DELETEITEM, static_cast<WPARAM>(row), 0) != FALSE;
}

int Win32DialogWindow::ListViewRowCount(int id) {
    return static_cast<int>(::SendDlgItemMessageA(hwnd_, id, LVM_GETITEMCOUNT, 0, 0));
}

std::string Win32DialogWindow::ListViewRowText(int id, int row) {
    // Item texts of this program are names of printers and components: 260 holds any of them.
    char buffer[260] = {};
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    ::SendDlgItemMessageA(hwnd_, id, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                          reinterpret_cast<LPARAM>(&item));
    buffer[sizeof buffer - 1] = '\0';
    return buffer;
}

void Win32DialogWindow::SetListViewRowChecked(int id, int row, bool checked) {
    // The check box is state image 1 (unticked) or 2 (ticked).
    LVITEMA item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    ::SendDlgItemMessageA(hwnd_, id, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                          reinterpret_cast<LPARAM>(&item));
}

bool Win32DialogWindow::IsListViewRowChecked(int id, int row) {
    const LRESULT state = ::SendDlgItemMessageA(hwnd_, id, LVM_GETITEMSTATE,
                                                static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
    return ((static_cast<UINT>(state) & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

}  // namespace win32
