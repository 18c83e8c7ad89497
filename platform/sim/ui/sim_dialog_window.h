// A dialog window on the simulated machine: the controls made from its template, their state,
// its timers, child pages and system menu, as its logic sees them through plat::DialogWindow.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/sim/api/top_level_window.h"
#include "platform/sim/ui/rc_script.h"
#include "platform/sim/ui/sim_control.h"

namespace sim {

class DialogHost;
class SimPropertySheet;

struct SimTimer {
    std::uint32_t period = 0;
    std::uint32_t due = 0;  // on the process's tick count
};

class SimDialogWindow : public plat::DialogWindow {
public:
    // A modal dialog (top-level, with its own window on the desktop; parent is its owner, if
    // any) or a page (a modeless child of parent, created hidden), from a template of the module.
    SimDialogWindow(DialogHost& host, plat::ModuleRef module, const RcDialog& source,
                    plat::DialogLogic& logic, SimDialogWindow* parent, bool modal);
    ~SimDialogWindow() override;

    // plat::DialogWindow
    void SetTitle(std::string_view text) override;
    std::string GetTitle() override { return title_; }
    plat::WindowRef Ref() override;
    bool IsMinimized() override;
    void Minimize() override;
    void Show(bool shown) override;
    bool IsShown() override { return visible_; }
    void EndDialog(int result) override;
    void SetIcons() override { iconsSet_ = true; }
    void AppendSystemMenuItem(int command, std::string_view text) override;
    void SetFontAll(const plat::FontSpec& font) override;
    void SetItemFont(int id, const plat::FontSpec& font) override;
    void Invalidate() override { needsPaint_ = true; }
    void SetTimer(int timerId, std::uint32_t milliseconds) override;
    void KillTimer(int timerId) override { timers_.erase(timerId); }
    void SetItemText(int id, std::string_view text) override;
    std::string GetItemText(int id) override;
    void SetItemTextW(int id, std::u16string_view text) override;
    std::u16string GetItemTextW(int id) override;
    void EnableItem(int id, bool enabled) override { Control(id, "EnableItem").enabled = enabled; }
    bool IsItemEnabled(int id) override { return Control(id, "IsItemEnabled").enabled; }
    void ShowItem(int id, bool shown) override { Control(id, "ShowItem").visible = shown; }
    bool IsItemVisible(int id) override { return Control(id, "IsItemVisible").visible; }
    void CheckButton(int id, bool checked) override { Control(id, "CheckButton").checked = checked; }
    bool IsButtonChecked(int id) override { return Control(id, "IsButtonChecked").checked; }
    void SetFocus(int id) override;
    void SetEditLimit(int id, int characters) override;
    void SetEditCharFilter(int id, std::u16string_view allowed) override;
    void AddToolTip(int id, std::u16string_view text, int maxWidth) override;
    void InsertEditText(int id, std::string_view text) override;
    void PaintItemAsWindow(int id) override { Control(id, "PaintItemAsWindow").windowColours = true; }
    plat::Rect ItemRect(int id) override { return Control(id, "ItemRect").rect; }
    void SetNotifyResult(std::intptr_t result) override { notifyResult_ = result; }
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
    plat::ModuleRef Module() override { return module_; }
    std::string LoadStringResource(int id) override;
    std::unique_ptr<plat::DialogWindow> CreateChildPage(plat::ModuleRef module, int templateId,
                                                        plat::DialogLogic& logic,
                                                        int placeholderId) override;
    int RunModalChild(plat::ModuleRef module, int templateId, plat::DialogLogic& logic) override;
    std::optional<std::u16string> OpenFileDialog(const plat::OpenFileRequest& request) override;
    int MessageBox(std::string_view text, std::string_view caption, std::uint32_t type) override;

    // The host's side.
    plat::DialogLogic& logic() { return logic_; }
    int templateId() const { return templateId_; }
    bool modal() const { return modal_; }
    bool ended() const { return ended_; }
    int result() const { return result_; }
    std::vector<SimControl>& controls() { return controls_; }
    SimControl* Find(int id);
    const std::vector<SimDialogWindow*>& pages() const { return pages_; }
    std::map<int, SimTimer>& timers() { return timers_; }
    const std::vector<std::pair<int, std::string>>& systemMenu() const { return systemMenu_; }
    const std::optional<plat::FontSpec>& font() const { return font_; }
    int focus() const { return focus_; }
    bool iconsSet() const { return iconsSet_; }
    const std::vector<std::string>& lastPaint() const { return lastPaint_; }
    // The client area's pixels after the last paint that drew something; empty before it.
    const plat::PixelImage& lastPicture() const { return lastPicture_; }
    plat::Rect clientRect() const { return clientRect_; }
    std::string BitmapPath(int bitmapId) const;
    // The answer to the last WM_NOTIFY, if the logic gave one, and whether the page last told
    // its sheet that it holds unapplied changes.
    std::optional<std::intptr_t> notifyResult() const { return notifyResult_; }
    bool pageChanged() const { return pageChanged_; }
    // Sends WM_NOTIFY with the code from control `id` (0: the sheet itself) and returns the
    // answer the logic gave, 0 when it gave none (what a dialog procedure's FALSE leaves).
    std::intptr_t Notify(int id, int code);
    // A property sheet's frame: the sheet its pages report changes to, and that the script's
    // tab and apply actions and the dump reach. Null for every other dialog.
    void AttachSheet(SimPropertySheet* sheet) { sheet_ = sheet; }
    SimPropertySheet* sheet() const { return sheet_; }
    // "\"Title\"" for a window, "page IDD_NAME (131)" for a page; UTF-8.
    std::string Describe() const;

    // Opens the window on the desktop (a modal dialog) under its template title.
    void OpenOnDesktop();
    // Becomes visible after WM_INITDIALOG, as DialogBoxParamA shows a modal dialog.
    void ShowModal();
    // Sends WM_PAINT when the window is shown and something invalidated it.
    void PaintIfNeeded();
    // Sends WM_DESTROY to this window, then to its pages, and closes it on the desktop.
    void Destroy();
    void PlaceAt(const plat::Rect& rect) { placed_ = rect; }

private:
    SimControl& Control(int id, const char* operation);
    SimControl& ListControl(int id, const char* operation);
    SimControl& ListViewControl(int id, const char* operation);
    SimControl& ListViewRow(int id, int row, const char* operation);
    SimControl& TreeControl(int id, const char* operation);
    SimTreeItem& TreeItemOf(SimControl& tree, plat::TreeItem item, const char* operation);
    SimControl& IpControl(int id, const char* operation);
    SimControl& RangeControl(int id, const char* operation);
    void ForgetPage(SimDialogWindow* page);

    DialogHost& host_;
    plat::ModuleRef module_;
    plat::DialogLogic& logic_;
    SimDialogWindow* parent_;
    bool modal_;
    int templateId_;
    std::string templateName_;
    std::string title_;
    std::vector<SimControl> controls_;
    std::map<int, std::u16string> wideTexts_;  // texts set through SetItemTextW
    std::vector<SimDialogWindow*> pages_;
    std::map<int, SimTimer> timers_;
    std::vector<std::pair<int, std::string>> systemMenu_;
    std::map<int, std::string> bitmaps_;
    std::optional<plat::FontSpec> font_;
    std::unique_ptr<TopLevelWindow> desktopWindow_;
    std::vector<std::string> lastPaint_;
    plat::PixelImage lastPicture_;
    plat::Rect clientRect_;
    plat::Rect placed_;
    std::optional<std::intptr_t> notifyResult_;
    SimPropertySheet* sheet_ = nullptr;
    int focus_ = 0;
    int result_ = 0;
    bool visible_ = false;
    bool ended_ = false;
    bool destroyed_ = false;
    bool iconsSet_ = false;
    bool needsPaint_ = false;
    bool pageChanged_ = false;
};

}  // namespace sim
