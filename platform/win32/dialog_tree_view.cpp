// Tree views of real dialogs: the TVM_ messages of a SysTreeView32, and its image list of the
// module's icons.
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/dialog_window.h"

#include <string>

namespace win32 {

namespace {

HTREEITEM AsItem(plat::TreeItem item) { return reinterpret_cast<HTREEITEM>(item); }

}  // namespace

bool Win32DialogWindow::SetTreeIcons(int id, std::span<const int> iconIds, int size) {
    HIMAGELIST list = ::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK,
                                         static_cast<int>(iconIds.size()), 0);
    if (!list) return false;
    // A tree view never destroys its image lists: the window does, after its controls are gone.
    imageLists_.push_back(list);
    bool all = true;
    for (int icon : iconIds) {
        // Loaded at the list's size, so a small icon is not stretched to the system's large
        // size and back; each loaded icon is destroyed once the list holds its copy.
        HICON loaded = static_cast<HICON>(::LoadImageW(module_, MAKEINTRESOURCEW(icon), IMAGE_ICON,
                                                       size, size, LR_DEFAULTCOLOR));
        if (!loaded || ::ImageList_AddIcon(list, loaded) < 0) all = false;
        if (loaded) ::DestroyIcon(loaded);
    }
    ::SendDlgItemMessageW(hwnd_, id, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(list));
    return all;
}

void Win32DialogWindow::DeleteAllTreeItems(int id) {
    ::SendDlgItemMessageW(hwnd_, id, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

plat::TreeItem Win32DialogWindow::InsertTreeItemW(int id, plat::TreeItem parent,
                                                  std::u16string_view text, int image,
                                                  int selectedImage) {
    std::wstring label(text.begin(), text.end());
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent == plat::kTreeRoot ? TVI_ROOT : AsItem(parent);
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = label.data();
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    return static_cast<plat::TreeItem>(::SendDlgItemMessageW(hwnd_, id, TVM_INSERTITEMW, 0,
                                                             reinterpret_cast<LPARAM>(&insert)));
}

void Win32DialogWindow::ExpandTreeItem(int id, plat::TreeItem item) {
    ::SendDlgItemMessageW(hwnd_, id, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(AsItem(item)));
}

void Win32DialogWindow::SelectTreeItem(int id, plat::TreeItem item) {
    ::SendDlgItemMessageW(hwnd_, id, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(AsItem(item)));
}

void Win32DialogWindow::DestroyImageLists() {
    for (HIMAGELIST list : imageLists_) ::ImageList_Destroy(list);
    imageLists_.clear();
}

}  // namespace win32
