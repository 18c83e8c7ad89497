// Dialogs: the abstract window that a dialog's logic talks to, the events it receives, and the
// host that creates dialogs from the program's templates.
//
// Every window and page of the programs is a class deriving from DialogLogic. Its code never
// touches a window handle: it reads and changes its controls through DialogWindow, by control
// id, and reacts to the events the host delivers. On Windows a dialog procedure forwards the real
// messages to the logic; on the simulated machine the desktop builds the controls from the same
// resource script and drives the logic from an automation script.
//
// Icons: every program keeps its main icon as resource id 128 (IDR_MAINFRAME) in its resource
// script; SetIcons and the About box's ICON control use it.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/desktop.h"
#include "platform/module.h"
#include "platform/pixel_image.h"

// <windows.h> maps MessageBox to MessageBoxA; DialogWindow::MessageBox keeps its own name in
// every file, whatever was included before.
#ifdef MessageBox
#undef MessageBox
#endif

namespace plat {

class DialogWindow;
struct PROPSHEETPAGEW;  // platform/property_sheet.h

// Notification codes of WM_COMMAND, with Windows' values.
enum : int {
    kButtonClicked = 0,       // BN_CLICKED
    kComboSelChange = 1,      // CBN_SELCHANGE
    kListSelChange = 1,       // LBN_SELCHANGE
    kEditSetFocus = 0x0100,   // EN_SETFOCUS
    kEditKillFocus = 0x0200,  // EN_KILLFOCUS
    kEditChange = 0x0300,     // EN_CHANGE
};

// WM_NOTIFY codes of the common controls, with Windows' values.
enum : int {
    kNmClick = -2,             // NM_CLICK
    kNmDoubleClick = -3,       // NM_DBLCLK
    kNmReleasedCapture = -16,  // NM_RELEASEDCAPTURE: a trackbar's mouse button was let go
    kLvnItemChanged = -101,    // LVN_ITEMCHANGED
    kUdnDeltaPos = -722,       // UDN_DELTAPOS: an up-down control is about to move
};

// WM_HSCROLL / WM_VSCROLL request codes that trackbars and up-down controls send their parent.
enum : int {
    kTbLineUp = 0,         // TB_LINEUP
    kTbLineDown = 1,       // TB_LINEDOWN
    kTbThumbPosition = 4,  // TB_THUMBPOSITION (SB_THUMBPOSITION for an up-down control)
    kTbThumbTrack = 5,     // TB_THUMBTRACK
    kTbEndTrack = 8,       // TB_ENDTRACK (SB_ENDSCROLL)
};

// GetOpenFileNameW's question: the file types as (display text, pattern) pairs, the one chosen
// first (0-based), the title ("" for the system's), the OFN_* flags, and the size of the
// program's file buffer in characters, terminating zero included.
struct OpenFileRequest {
    std::vector<std::pair<std::u16string, std::u16string>> filters;
    int filterIndex = 0;
    std::u16string title;
    std::uint32_t flags = 0;
    int bufferCharacters = 260;
};

// A tree view's item (HTREEITEM); 0 is none, and as a parent the top level (TVI_ROOT).
using TreeItem = std::uintptr_t;
constexpr TreeItem kTreeRoot = 0;

// The system-menu command of the close box (SC_CLOSE); it reaches the logic as IDCANCEL.
constexpr int kSysCommandClose = 0xF060;

// Default weights of CreateFontA.
constexpr int kFontWeightNormal = 400;
constexpr int kFontWeightBold = 700;

// A font given to a window and its controls (CreateFontA's arguments that the programs set).
struct FontSpec {
    int height = 0;
    int width = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charSet = 0;
    std::uint8_t pitchAndFamily = 0;
    std::string face;  // in the system code page
};

// A rectangle in client coordinates of the window it belongs to, in pixels.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// SetStretchBltMode's modes: BLACKONWHITE keeps black pixels when rows or columns are dropped
// (an AND of the dropped pixels), COLORONCOLOR drops them.
enum class StretchMode { BlackOnWhite = 1, ColorOnColor = 3 };

// Drawing during OnPaint. On the simulated machine a paint is recorded, not rendered.
class Canvas {
public:
    virtual ~Canvas() = default;
    virtual Rect ClientRect() = 0;
    // Stretches a bitmap loaded with DialogWindow::LoadBitmapFile over a rectangle
    // (COLORONCOLOR, SRCCOPY).
    virtual void StretchBitmap(int bitmapId, const Rect& target) = 0;
    // One line of text centred in the rectangle, on a transparent background; the colour is a
    // COLORREF (0x00BBGGRR, as RGB() makes it).
    virtual void DrawCentredText(const Rect& box, std::string_view text, const FontSpec& font,
                                 std::uint32_t rgb) = 0;
    // The window's icon centred in the client area (a minimised window).
    virtual void DrawIconCentred() = 0;
    // FillRect with a solid brush of a COLORREF.
    virtual void FillRect(const Rect& box, std::uint32_t rgb) = 0;
    // FillRect with the brush handle value a program passes as (HBRUSH)value: Windows takes a
    // value from 1 to 31 as system colour number value - 1 (15 is COLOR_HIGHLIGHTTEXT).
    virtual void FillRectWithBrushValue(const Rect& box, int value) = 0;
    // StretchDIBits (SRCCOPY) of the part `source` of an image (counted from its top-left
    // corner) onto `target`, after SetStretchBltMode(mode).
    virtual void StretchImage(const PixelImage& image, const Rect& source, const Rect& target,
                              StretchMode mode) = 0;
};

// The behaviour of one window or page. The host calls these on the user-interface thread.
class DialogLogic {
public:
    virtual ~DialogLogic() = default;
    // WM_INITDIALOG: the controls exist with their template texts and styles. Return true to let
    // the host give the focus to the first control, false when the logic set it itself.
    virtual bool OnInitDialog(DialogWindow& /*window*/) { return true; }
    // WM_SHOWWINDOW.
    virtual void OnShowWindow(DialogWindow& /*window*/, bool /*shown*/) {}
    // WM_COMMAND from a control (notification code) or a button (kButtonClicked). IDOK and
    // IDCANCEL arrive here too (Enter sends IDOK, Escape and the close box send IDCANCEL); return
    // true when handled, false to let the host end a modal dialog with that id (a modeless page
    // ignores it).
    virtual bool OnCommand(DialogWindow& /*window*/, int /*id*/, int /*code*/) { return false; }
    // WM_SYSCOMMAND for a command the logic put into the system menu. The low four bits are
    // the system's own (Windows uses them), so the command arrives as given with those bits
    // cleared. True when handled.
    virtual bool OnSysCommand(DialogWindow& /*window*/, int /*command*/) { return false; }
    // WM_TIMER.
    virtual void OnTimer(DialogWindow& /*window*/, int /*timerId*/) {}
    // WM_HELP (F1).
    virtual void OnHelp(DialogWindow& /*window*/) {}
    // WM_NOTIFY from a common control (list view, tree view, up-down, ...): its id and code.
    virtual void OnNotify(DialogWindow& /*window*/, int /*id*/, int /*code*/) {}
    // WM_HSCROLL / WM_VSCROLL from a trackbar or up-down control: its id and the request code
    // (kTb*).
    virtual void OnScroll(DialogWindow& /*window*/, int /*id*/, int /*code*/) {}
    // WM_PAINT: draw on the canvas (the controls paint themselves afterwards). Return false
    // when nothing was drawn.
    virtual bool OnPaint(DialogWindow& /*window*/, Canvas& /*canvas*/) { return false; }
    // WM_DESTROY.
    virtual void OnDestroy(DialogWindow& /*window*/) {}
};

// A live dialog window, as its logic sees it. Texts are in the system code page (the A
// functions); the W variants take and give UTF-16 for the plug-in. Operations on a control id the
// window does not have are errors: Windows ignores them, the simulator fails loudly.
class DialogWindow {
public:
    virtual ~DialogWindow() = default;

    // The window itself.
    virtual void SetTitle(std::string_view text) = 0;          // SetWindowTextA
    virtual std::string GetTitle() = 0;
    // The window as the desktop knows it (its HWND), for comparing with FindWindowA's answer
    // and for owning message boxes.
    virtual WindowRef Ref() = 0;
    virtual bool IsMinimized() = 0;                            // IsIconic
    virtual void Minimize() = 0;                               // ShowWindow SW_MINIMIZE
    virtual void Show(bool shown) = 0;                         // ShowWindow SW_SHOW / SW_HIDE
    virtual bool IsShown() = 0;
    virtual void EndDialog(int result) = 0;                    // a modal dialog ends
    virtual void SetIcons() = 0;                               // the program's main icon, large and small
    virtual void AppendSystemMenuItem(int command, std::string_view text) = 0;  // separator + item
    // WM_SETFONT on itself and every child control, with a font made from that description and kept
    // alive as long as the window.
    virtual void SetFontAll(const FontSpec& font) = 0;
    virtual void SetItemFont(int id, const FontSpec& font) = 0;  // WM_SETFONT on one control
    virtual void Invalidate() = 0;
    // A timer that sends OnTimer every period until killed; setting an existing id restarts it.
    virtual void SetTimer(int timerId, std::uint32_t milliseconds) = 0;
    virtual void KillTimer(int timerId) = 0;

    // Controls: texts, states.
    virtual void SetItemText(int id, std::string_view text) = 0;  // SetDlgItemTextA
    virtual std::string GetItemText(int id) = 0;
    virtual void SetItemTextW(int id, std::u16string_view text) = 0;
    virtual std::u16string GetItemTextW(int id) = 0;
    virtual void EnableItem(int id, bool enabled) = 0;
    virtual bool IsItemEnabled(int id) = 0;
    virtual void ShowItem(int id, bool shown) = 0;
    virtual bool IsItemVisible(int id) = 0;
    // BM_SETCHECK: sets this button only; the other radio buttons of its group keep their state
    // (only a click on an auto radio button unchecks them).
    virtual void CheckButton(int id, bool checked) = 0;
    virtual bool IsButtonChecked(int id) = 0;
    virtual void SetFocus(int id) = 0;
    virtual void SetEditLimit(int id, int characters) = 0;      // EM_LIMITTEXT
    // Filters what the user types into an edit: without Ctrl held only the characters of
    // `allowed` reach it (a backspace only when listed); with Ctrl held every character does, so
    // the clipboard shortcuts keep working. The filtered edit asks for all keys, so it moves the
    // focus on Tab itself. Text the program sets is not filtered. Hosts without a keyboard may
    // ignore it.
    virtual void SetEditCharFilter(int /*id*/, std::u16string_view /*allowed*/) {}
    // A tooltip control that shows `text` while the mouse rests on the control, wrapped at
    // `maxWidth` pixels (TTM_ADDTOOLW, TTM_SETMAXTIPWIDTH).
    virtual void AddToolTip(int id, std::u16string_view text, int maxWidth) = 0;
    // EM_SETSEL(-1) then EM_REPLACESEL: drops an edit box's selection and inserts the text at
    // the caret, which then stands after it, so successive calls append (a log). This default
    // serves hosts without a caret.
    virtual void InsertEditText(int id, std::string_view text) {
        SetItemText(id, GetItemText(id) + std::string(text));
    }
    // Paints a (read-only) edit or static in the system's window-text colour on the window
    // colour instead of the grey a read-only edit gets (WM_CTLCOLORSTATIC / WM_CTLCOLOREDIT).
    // Hosts without painting may ignore it.
    virtual void PaintItemAsWindow(int /*id*/) {}
    virtual Rect ItemRect(int id) = 0;                          // in this window's client coordinates

    // Answers to the sender of a WM_NOTIFY (DWLP_MSGRESULT, and the dialog procedure reports the
    // message handled): a property page's refusal or apply result (platform/property_page.h).
    virtual void SetNotifyResult(std::intptr_t result) = 0;
    // A property page tells its sheet that it holds unapplied changes (PSM_CHANGED) or no
    // longer does (PSM_UNCHANGED); the sheet enables Apply while any page has changes.
    virtual void SetPageChanged(bool changed) = 0;

    // Combo boxes and list boxes (the control's kind decides the messages).
    // A sorted list (CBS_SORT, LBS_SORT) inserts in order; the others append.
    virtual void ResetList(int id) = 0;
    virtual int AddListItem(int id, std::string_view text) = 0;   // index of the new entry
    virtual int ListCount(int id) = 0;
    virtual std::string ListItemText(int id, int index) = 0;
    // -1 (or an index past the end) selects nothing. No selection-change notification follows.
    virtual void SetListSelection(int id, int index) = 0;
    virtual int GetListSelection(int id) = 0;                      // -1: none
    // The entry texts in UTF-16 (the W messages), for the plug-in, whose names are UTF-16.
    virtual int AddListItemW(int id, std::u16string_view text) = 0;  // index of the new entry
    virtual std::u16string ListItemTextW(int id, int index) = 0;
    // LB_DELETESTRING / CB_DELETESTRING: removes the entry. The selection moves with the entries
    // after it; removing the selected entry leaves none selected.
    virtual void DeleteListItem(int id, int index) = 0;

    // List views in report view (SysListView32), one column of texts per row; rows may carry
    // check boxes (LVS_EX_CHECKBOXES).
    virtual void SetListViewExtendedStyle(int id, std::uint32_t styles) = 0;  // LVM_SETEXTENDEDLISTVIEWSTYLE
    virtual void InsertListViewColumn(int id, int column, std::string_view text,
                                      int width) = 0;                         // LVM_INSERTCOLUMNA
    virtual int InsertListViewRow(int id, int row, std::string_view text) = 0;  // LVM_INSERTITEMA: its index, -1 on failure
    virtual bool DeleteListViewRow(int id, int row) = 0;                      // LVM_DELETEITEM
    virtual int ListViewRowCount(int id) = 0;                                 // LVM_GETITEMCOUNT
    virtual std::string ListViewRowText(int id, int row) = 0;                 // LVM_GETITEMTEXTA, column 0
    virtual void SetListViewRowChecked(int id, int row, bool checked) = 0;    // ListView_SetCheckState
    virtual bool IsListViewRowChecked(int id, int row) = 0;                   // ListView_GetCheckState
    // The same in UTF-16, with a row's other columns (LVM_SETITEMTEXTW / LVM_GETITEMTEXTW with
    // iSubItem), the selected row and the scrolling, for lists whose texts are paths and names.
    virtual int InsertListViewRowW(int id, int row, std::u16string_view text) = 0;  // LVM_INSERTITEMW
    virtual void SetListViewCellTextW(int id, int row, int column, std::u16string_view text) = 0;
    virtual std::u16string ListViewCellTextW(int id, int row, int column) = 0;  // "" when there is none
    virtual void DeleteAllListViewRows(int id) = 0;                             // LVM_DELETEALLITEMS
    virtual int ListViewSelectedRow(int id) = 0;  // LVM_GETNEXTITEM(-1, LVNI_SELECTED): -1 when none
    virtual void SelectListViewRow(int id, int row) = 0;  // the one selected and focused row; -1: none
    virtual void EnsureListViewRowVisible(int id, int row) = 0;                 // LVM_ENSUREVISIBLE

    // Tree views (SysTreeView32). Items are the handles the control gives (HTREEITEM), 0 for
    // none; kTreeRoot as the parent puts an item at the top level.
    // An image list of `size` x `size` masked icons from the module's icon resources, image i
    // being iconIds[i], attached as the tree's normal image list (TVSIL_NORMAL) and kept as
    // long as the window. False when an icon could not be added (the others are in the list).
    virtual bool SetTreeIcons(int id, std::span<const int> iconIds, int size) = 0;
    virtual void DeleteAllTreeItems(int id) = 0;  // TVM_DELETEITEM of TVI_ROOT
    // TVM_INSERTITEMW at the end of the parent's children (TVI_LAST) with its text, image and
    // selected image; the new item, 0 on failure.
    virtual TreeItem InsertTreeItemW(int id, TreeItem parent, std::u16string_view text, int image,
                                     int selectedImage) = 0;
    virtual void ExpandTreeItem(int id, TreeItem item) = 0;  // TVM_EXPAND, TVE_EXPAND
    virtual void SelectTreeItem(int id, TreeItem item) = 0;  // TVM_SELECTITEM, TVGN_CARET

    // Progress bars, trackbars and up-down controls.
    virtual void SetRange(int id, int low, int high) = 0;
    virtual void SetPosition(int id, int position) = 0;
    virtual int GetPosition(int id) = 0;

    // IP address controls (SysIPAddress32). The address holds the four fields with the first
    // in the high byte, as MAKEIPADDRESS makes it.
    virtual void SetIpAddress(int id, std::uint32_t address) = 0;  // IPM_SETADDRESS
    // IPM_GETADDRESS: the address (blank fields read as 0) and the number of non-blank fields.
    virtual int GetIpAddress(int id, std::uint32_t& address) = 0;
    virtual bool IsIpAddressBlank(int id) = 0;                      // IPM_ISBLANK
    virtual void ClearIpAddress(int id) = 0;                        // IPM_CLEARADDRESS

    // Bitmaps: loads a BMP file (LoadImageA from file; path as the program gives it). Returns an
    // id for Canvas::StretchBitmap, or 0 when the file cannot be loaded.
    virtual int LoadBitmapFile(std::string_view path) = 0;

    // Child dialogs. A page is a modeless child created hidden from its template and placed at
    // the rectangle of a placeholder control, without changing the z-order. The child lives as
    // long as the returned object; null when the template does not exist.
    virtual std::unique_ptr<DialogWindow> CreateChildPage(int templateId, DialogLogic& logic,
                                                          int placeholderId) = 0;
    // A modal dialog owned by this window; returns its EndDialog result, -1 when the template
    // does not exist.
    virtual int RunModalChild(int templateId, DialogLogic& logic) = 0;
    // The module whose template made this window; the two calls above take their templates
    // from it.
    virtual ModuleRef Module() { return {}; }
    // LoadStringA from the string table of the window's module; "" when it has no such string.
    virtual std::string LoadStringResource(int /*id*/) { return {}; }
    // The same from another module's templates: a program showing a DLL's page, a DLL's page
    // opening a dialog of the DLL. A window that knows no modules reaches only its own.
    virtual std::unique_ptr<DialogWindow> CreateChildPage(ModuleRef module, int templateId,
                                                          DialogLogic& logic, int placeholderId) {
        return module == Module() ? CreateChildPage(templateId, logic, placeholderId) : nullptr;
    }
    virtual int RunModalChild(ModuleRef module, int templateId, DialogLogic& logic) {
        return module == Module() ? RunModalChild(templateId, logic) : -1;
    }
    // GetOpenFileNameW owned by this window: the chosen file's full path, or nothing when the
    // user cancelled or the dialog failed (a path longer than the buffer fails it).
    virtual std::optional<std::u16string> OpenFileDialog(const OpenFileRequest& request) = 0;
    // MessageBoxA owned by this window; the MB_* type as for plat::Desktop::MessageBoxA.
    virtual int MessageBox(std::string_view text, std::string_view caption, std::uint32_t type) = 0;
};

// Whether a character typed into an edit that SetEditCharFilter filters with `allowed` reaches it.
inline bool EditCharPasses(char16_t typed, std::u16string_view allowed, bool ctrlHeld) {
    return ctrlHeld || allowed.find(typed) != std::u16string_view::npos;
}

// Creates top-level dialogs from a module's templates.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // DialogBoxParamA: runs a modal top-level dialog from the module's template and returns its
    // EndDialog result, or -1 when the module has no such template.
    virtual int RunModal(ModuleRef module, int templateId, DialogLogic& logic) = 0;
    // The same from the program's own templates (GetModuleHandleA(NULL)).
    int RunModal(int templateId, DialogLogic& logic) {
        return RunModal(ProgramModule(), templateId, logic);
    }
    // PropertySheetW with PSH_PROPSHEETPAGE: a modal sheet titled `caption` with the pages as
    // tabs (`startPage` current first) and OK, Cancel and Apply. Apply and OK send PSN_APPLY to
    // every page that was created; Apply is enabled while a page reports changes. Returns IDOK
    // when the sheet was closed with OK, IDCANCEL otherwise, -1 when it could not be shown.
    virtual int RunPropertySheet(std::u16string_view /*caption*/,
                                 std::span<const PROPSHEETPAGEW> /*pages*/, int /*startPage*/) {
        return -1;
    }
};

}  // namespace plat
