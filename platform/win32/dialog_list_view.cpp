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

int Win32DialogWindow::InsertListViewRowW(int id, int row, std::u16string_view text) {
    std::wstring label(text.begin(), text.end());
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = label.data();
    return static_cast<int>(::SendDlgItemMessageW(hwnd_, id, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void Win32DialogWindow::SetListViewCellTextW(int id, int row, int column, std::u16string_view text) {
    std::wstring label(text.begin(), text.end());
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = label.data();
    ::SendDlgItemMessageW(hwnd_, id, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::u16string Win32DialogWindow::ListViewCellTextW(int id, int row, int column) {
    // LVM_GETITEMTEXTW returns the length it copied; a longer text than the buffer comes back
    // cut, so the buffer grows until the text fits.
    for (std::size_t size = 512; size <= 65536; size *= 4) {
        std::wstring buffer(size, L'\0');
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        const auto length = static_cast<std::size_t>(::SendDlgItemMessageW(
            hwnd_, id, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < size) return std::u16string(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(length));
    }
    return {};
}

void Win32DialogWindow::DeleteAllListViewRows(int id) {
    ::SendDlgItemMessageW(hwnd_, id, LVM_DELETEALLITEMS, 0, 0);
}

int Win32DialogWindow::ListViewSelectedRow(int id) {
    return static_cast<int>(::SendDlgItemMessageW(hwnd_, id, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                  MAKELPARAM(LVNI_SELECTED, 0)));
}

void Win32DialogWindow::SelectListViewRow(int id, int row) {
    // Clear every row's selection, then select and focus the one asked for.
    LVITEMW clear{};
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendDlgItemMessageW(hwnd_, id, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    if (row < 0) return;
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendDlgItemMessageW(hwnd_, id, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void Win32DialogWindow::EnsureListViewRowVisible(int id, int row) {
    ::SendDlgItemMessageW(hwnd_, id, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

}  // namespace win32
