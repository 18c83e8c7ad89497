// A real dialog window as its logic sees it: each method is the Win32 call it names, on the
// HWND of the dialog and its controls.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <set>
#include <vector>

#include "platform/dialog.h"

namespace win32 {

class Win32DialogWindow : public plat::DialogWindow {
public:
    // A modal dialog (DialogBoxParamA) or a modeless page (CreateDialogParamA). The HWND comes
    // with WM_INITDIALOG; the templates, icons and bitmaps are the module's.
    Win32DialogWindow(HINSTANCE module, plat::DialogLogic& logic, bool modal);
    ~Win32DialogWindow() override;
    Win32DialogWindow(const Win32DialogWindow&) = delete;
    Win32DialogWindow& operator=(const Win32DialogWindow&) = delete;

    // The dialog procedure of every dialog: forwards the messages to the logic, whose window
    // object rides in DWLP_USER (handed over as WM_INITDIALOG's parameter).
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    void SetTitle(std::string_view text) override;
    std::string GetTitle() override;
    plat::WindowRef Ref() override { return reinterpret_cast<plat::WindowRef>(hwnd_); }
    bool IsMinimized() override { return ::IsIconic(hwnd_) != FALSE; }
    void Minimize() override { ::ShowWindow(hwnd_, SW_MINIMIZE); }
    void Show(bool shown) override { ::ShowWindow(hwnd_, shown ? SW_SHOW : SW_HIDE); }
    bool IsShown() override { return ::IsWindowVisible(hwnd_) != FALSE; }
    void EndDialog(int result) override { ::EndDialog(hwnd_, result); }
    void SetIcons() override;
    void AppendSystemMenuItem(int command, std::string_view text) override;
    void SetFontAll(const plat::FontSpec& font) override;
    void SetItemFont(int id, const plat::FontSpec& font) override;
    void Invalidate() override { ::InvalidateRect(hwnd_, nullptr, TRUE); }
    void SetTimer(int timerId, std::uint32_t milliseconds) override;
    void KillTimer(int timerId) override { ::KillTimer(hwnd_, static_cast<UINT_PTR>(timerId)); }
    void SetItemText(int id, std::string_view text) override;
    std::string GetItemText(int id) override;
    void SetItemTextW(int id, std::u16string_view text) override;
    std::u16string GetItemTextW(int id) override;
    void EnableItem(int id, bool enabled) override { ::EnableWindow(Item(id), enabled ? TRUE : FALSE); }
    bool IsItemEnabled(int id) override { return ::IsWindowEnabled(Item(id)) != FALSE; }
    void ShowItem(int id, bool shown) override { ::ShowWindow(Item(id), shown ? SW_SHOW : SW_HIDE); }
    bool IsItemVisible(int id) override;
    void CheckButton(int id, bool checked) override;
    bool IsButtonChecked(int id) override;
    void SetFocus(int id) override;
    void SetEditLimit(int id, int characters) override;
    void SetEditCharFilter(int id, std::u16string_view allowed) override;
    void AddToolTip(int id, std::u16string_view text, int maxWidth) override;
    void InsertEditText(int id, std::string_view text) override;
    void PaintItemAsWindow(int id) override { windowColourItems_.insert(id); }
    plat::Rect ItemRect(int id) override;
    void SetNotifyResult(std::intptr_t result) override;
    void SetPageChanged(bool changed) override;
    void ResetList(int id) override;
    int AddListItem(int id, std::string_view text) override;
    int ListCount(int id) override;
    std::string ListItemText(int id, int index) override;
    void SetListSelection(int id, int index) override;
    int GetListSelection(int id) override;
    int AddListItemW(int id, std::u16string_view text) override;
    std::u16string ListItemTextW(int id, int index) override;
    void DeleteListItem(int id, int index) override;
    void SetListViewExtendedStyle(int id, std::uint32_t styles) override;
    void InsertListViewColumn(int id, int column, std::string_view text, int width) override;
    int InsertListViewRow(int id, int row, std::string_view text) override;
    bool DeleteListViewRow(int id, int row) override;
    int ListViewRowCount(int id) override;
    std::string ListViewRowText(int id, int row) override;
    void SetListViewRowChecked(int id, int row, bool checked) override;
    bool IsListViewRowChecked(int id, int row) override;
    int InsertListViewRowW(int id, int row, std::u16string_view text) override;
    void SetListViewCellTextW(int id, int row, int column, std::u16string_view text) override;
    std::u16string ListViewCellTextW(int id, int row, int column) override;
    void DeleteAllListViewRows(int id) override;
    int ListViewSelectedRow(int id) override;
    void SelectListViewRow(int id, int row) override;
    void EnsureListViewRowVisible(int id, int row) override;
    bool SetTreeIcons(int id, std::span<const int> iconIds, int size) override;
    void DeleteAllTreeItems(int id) override;
    plat::TreeItem InsertTreeItemW(int id, plat::TreeItem parent, std::u16string_view text,
                                   int image, int selectedImage) override;
    void ExpandTreeItem(int id, plat::TreeItem item) override;
    void SelectTreeItem(int id, plat::TreeItem item) override;
    void SetRange(int id, int low, int high) override;
    void SetPosition(int id, int position) override;
    int GetPosition(int id) override;
    void SetIpAddress(int id, std::uint32_t address) override;
    int GetIpAddress(int id, std::uint32_t& address) override;
    bool IsIpAddressBlank(int id) override;
    void ClearIpAddress(int id) override;
    int LoadBitmapFile(std::string_view path) override;
    std::unique_ptr<plat::DialogWindow> CreateChildPage(int templateId, plat::DialogLogic& logic,
                                                        int placeholderId) override;
    int RunModalChild(int templateId, plat::DialogLogic& logic) override;
    plat::ModuleRef Module() override;
    std::string LoadStringResource(int id) override;
    std::unique_ptr<plat::DialogWindow> CreateChildPage(plat::ModuleRef module, int templateId,
                                                        plat::DialogLogic& logic,
                                                        int placeholderId) override;
    int RunModalChild(plat::ModuleRef module, int templateId, plat::DialogLogic& logic) override;
    std::optional<std::u16string> OpenFileDialog(const plat::OpenFileRequest& request) override;
    int MessageBox(std::string_view text, std::string_view caption, std::uint32_t type) override;

    HWND hwnd() const { return hwnd_; }
    HINSTANCE module() const { return module_; }
    HBITMAP Bitmap(int bitmapId) const;

private:
    enum class ItemClass { ComboBox, ListBox, Progress, Trackbar, UpDown, ScrollBar, Other };
    HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
    ItemClass ClassOf(int id) const;
    HFONT KeepFont(const plat::FontSpec& font);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // The tree views' image lists, destroyed with the window (WM_NCDESTROY) or with this object.
    void DestroyImageLists();


    HINSTANCE module_;
    plat::DialogLogic& logic_;
    bool modal_;
    HWND hwnd_ = nullptr;
    std::vector<HFONT> fonts_;      // kept as long as the window may use them
    std::vector<HBITMAP> bitmaps_;  // LoadBitmapFile's ids are 1-based indexes
    std::vector<HIMAGELIST> imageLists_;

    std::set<int> systemMenuCommands_;
    std::set<int> windowColourItems_;
    bool notifyAnswered_ = false;  // the logic set DWLP_MSGRESULT for the WM_NOTIFY in hand
};

// A font made from its description (CreateFontIndirectA); the caller deletes it.
HFONT CreateFontFromSpec(const plat::FontSpec& font);

}  // namespace win32
