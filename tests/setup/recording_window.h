// A dialog window that only records what the logic does to it, for driving one dialog's logic
// step by step without a desktop.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/dialog.h"

namespace wizardtest {

class RecordingWindow : public plat::DialogWindow {
public:
    // Every bar position set, in order.
    std::vector<int> positions;
    int rangeLow = -1, rangeHigh = -1;
    std::map<int, unsigned> timers;  // id -> period
    int endResult = -1;              // EndDialog's result; -1 while not ended
    std::vector<plat::FontSpec> fonts;

    void SetTitle(std::string_view) override {}
    std::string GetTitle() override { return {}; }
    plat::WindowRef Ref() override { return 1; }
    bool IsMinimized() override { return false; }
    void Minimize() override {}
    void Show(bool) override {}
    bool IsShown() override { return true; }
    void EndDialog(int result) override { endResult = result; }
    void SetIcons() override {}
    void AppendSystemMenuItem(int, std::string_view) override {}
    void SetFontAll(const plat::FontSpec& font) override { fonts.push_back(font); }
    void SetItemFont(int, const plat::FontSpec&) override {}
    void Invalidate() override {}
    void SetTimer(int id, std::uint32_t ms) override { timers[id] = ms; }
    void KillTimer(int id) override { timers.erase(id); }
    void SetItemText(int, std::string_view) override {}
    std::string GetItemText(int) override { return {}; }
    void SetItemTextW(int, std::u16string_view) override {}
    std::u16string GetItemTextW(int) override { return {}; }
    void EnableItem(int, bool) override {}
    bool IsItemEnabled(int) override { return true; }
    void ShowItem(int, bool) override {}
    bool IsItemVisible(int) override { return true; }
    void CheckButton(int, bool) override {}
    bool IsButtonChecked(int) override { return false; }
    void SetFocus(int) override {}
    void SetEditLimit(int, int) override {}
    void AddToolTip(int, std::u16string_view, int) override {}
    plat::Rect ItemRect(int) override { return {}; }
    void SetNotifyResult(std::intptr_t) override {}
    void SetPageChanged(bool) override {}
    void ResetList(int) override {}
    int AddListItem(int, std::string_view) override { return 0; }
    int ListCount(int) override { return 0; }
    std::string ListItemText(int, int) override { return {}; }
    void SetListSelection(int, int) override {}
    int GetListSelection(int) override { return -1; }
    int AddListItemW(int, std::u16string_view) override { return 0; }
    std::u16string ListItemTextW(int, int) override { return {}; }
    void DeleteListItem(int, int) override {}
    void SetListViewExtendedStyle(int, std::uint32_t) override {}
    void InsertListViewColumn(int, int, std::string_view, int) override {}
    int InsertListViewRow(int, int, std::string_view) override { return -1; }
    bool DeleteListViewRow(int, int) override { return false; }
    int ListViewRowCount(int) override { return 0; }
    std::string ListViewRowText(int, int) override { return {}; }
    void SetListViewRowChecked(int, int, bool) override {}
    bool IsListViewRowChecked(int, int) override { return false; }
    int InsertListViewRowW(int, int, std::u16string_view) override { return -1; }
    void SetListViewCellTextW(int, int, int, std::u16string_view) override {}
    std::u16string ListViewCellTextW(int, int, int) override { return {}; }
    void DeleteAllListViewRows(int) override {}
    int ListViewSelectedRow(int) override { return -1; }
    void SelectListViewRow(int, int) override {}
    void EnsureListViewRowVisible(int, int) override {}
    bool SetTreeIcons(int, std::span<const int>, int) override { return true; }
    void DeleteAllTreeItems(int) override {}
    plat::TreeItem InsertTreeItemW(int, plat::TreeItem, std::u16string_view, int, int) override { return 0; }
    void ExpandTreeItem(int, plat::TreeItem) override {}
    void SelectTreeItem(int, plat::TreeItem) override {}
    void SetRange(int, int low, int high) override {
        rangeLow = low;
        rangeHigh = high;
    }
    void SetPosition(int, int position) override { positions.push_back(position); }
    int GetPosition(int) override { return positions.empty() ? 0 : positions.back(); }
    void SetIpAddress(int, std::uint32_t) override {}
    int GetIpAddress(int, std::uint32_t& address) override {
        address = 0;
        return 0;
    }
    bool IsIpAddressBlank(int) override { return true; }
    void ClearIpAddress(int) override {}
    int LoadBitmapFile(std::string_view) override { return 0; }
    std::unique_ptr<plat::DialogWindow> CreateChildPage(int, plat::DialogLogic&, int) override {
        return nullptr;
    }
    int RunModalChild(int, plat::DialogLogic&) override { return -1; }
    std::optional<std::u16string> OpenFileDialog(const plat::OpenFileRequest&) override { return std::nullopt; }
    int MessageBox(std::string_view, std::string_view, std::uint32_t) override { return 1; }
};

}  // namespace wizardtest
