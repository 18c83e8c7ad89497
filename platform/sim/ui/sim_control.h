// One control of a simulated dialog: its kind and its state, made from a template control.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/sim/ui/rc_script.h"

namespace sim {

enum class ControlKind {
    Static, PushButton, CheckBox, AutoCheckBox, RadioButton, AutoRadioButton, GroupBox, Edit,
    ComboBox, ListBox, ScrollBar, ProgressBar, Trackbar, UpDown, IpAddress, ListView, TreeView,
    Tab, Other
};

// One item of a tree view: its handle, its parent's (0 at the top level), its text and images.
struct SimTreeItem {
    plat::TreeItem handle = 0;
    plat::TreeItem parent = 0;
    std::u16string text;
    int image = 0;
    int selectedImage = 0;
    bool expanded = false;
};

struct SimControl {
    int id = 0;
    std::string idName;
    std::string className;
    ControlKind kind = ControlKind::Other;
    std::uint32_t style = 0;
    std::string text;  // the system code page
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    std::vector<std::string> items;
    // A list's entries as the W messages gave them, beside `items` (the code-page form):
    // nothing for an entry added with the A message.
    std::vector<std::optional<std::u16string>> wideItems;
    int selection = -1;
    int rangeLow = 0, rangeHigh = 100;
    int position = 0;
    int editLimit = 0;  // 0: the default limit
    // The characters typing may put into the edit (SetEditCharFilter); none: any.
    std::optional<std::u16string> typingFilter;
    // An IP address control's four fields, first to last; -1 is a blank field.
    std::array<int, 4> ipFields{-1, -1, -1, -1};
    bool windowColours = false;  // painted as a window, not as a grey read-only edit
    // A tab control's tabs are `items`, its current tab `selection`. A list view's rows are
    // `items` (column 0); each row's check box, the columns' headers and
    // the extended styles (LVS_EX_*).
    // A row's texts from column 1 on, given with SetListViewCellTextW (a row's W text of
    // column 0 is in `wideItems`); a list view's selected row is `selection`.
    std::vector<bool> rowChecked;
    std::vector<std::vector<std::u16string>> rowCells;
    std::vector<std::string> columns;
    std::uint32_t extendedStyle = 0;
    int scrolledTo = -1;  // the row a list view last scrolled into view
    // A tree view's items in insertion order (children after their parent, each at the end of
    // its parent's), the selected item (0: none), the next handle to give, and the icon
    // resources of its normal image list with their size.
    std::vector<SimTreeItem> treeItems;
    plat::TreeItem treeSelection = 0;
    plat::TreeItem nextTreeHandle = 1;
    std::vector<int> treeIcons;
    int treeIconSize = 0;
    std::string toolTipUtf8;     // the tooltip's text; empty: none
    int toolTipWidth = 0;        // its wrapping width in pixels
    std::optional<plat::FontSpec> font;
    plat::Rect rect;  // pixels, in the dialog's client area

    bool isButton() const;
    bool isList() const { return kind == ControlKind::ComboBox || kind == ControlKind::ListBox; }
    bool hasRange() const;
    bool sorted() const;
    bool dropDownList() const;  // a combo box without free text
    bool readOnly() const;      // an edit the user cannot type into
    bool startsGroup() const;
    // An IP address control's text as the control gives it: dotted, blank fields as 0.
    std::string IpText() const;
    // "auto radio button", "edit", ..., as the dump shows it.
    std::string kindName() const;
};

// The control a template control makes, with its initial state from its style.
SimControl MakeControl(const RcControl& source);
// "A.B.C.D" with each field empty or 0 to 255, into four fields (-1 for an empty one); false
// for anything else.
bool ParseIpFields(const std::string& text, std::array<int, 4>& fields);
// A tree view's items as `show` prints them, one line each in UTF-8, children indented under
// their parent: "[-] " before an expanded item with children, "[+] " before a collapsed one,
// then the text, the images and whether it is selected.
std::vector<std::string> TreeItemLines(const SimControl& tree);
// Dialog units to pixels, for the default dialog font.
plat::Rect DialogUnitsToPixels(int x, int y, int cx, int cy);

}  // namespace sim
