// One control of a simulated dialog: its kind and its state, made from a template control.
#pragma once
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
    Other
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
    int selection = -1;
    int rangeLow = 0, rangeHigh = 100;
    int position = 0;
    int editLimit = 0;  // 0: the default limit
    bool windowColours = false;  // painted as a window, not as a grey read-only edit
    std::optional<plat::FontSpec> font;
    plat::Rect rect;  // pixels, in the dialog's client area

    bool isButton() const;
    bool isList() const { return kind == ControlKind::ComboBox || kind == ControlKind::ListBox; }
    bool hasRange() const;
    bool sorted() const;
    bool dropDownList() const;  // a combo box without free text
    bool readOnly() const;      // an edit the user cannot type into
    bool startsGroup() const;
    // "auto radio button", "edit", ..., as the dump shows it.
    std::string kindName() const;
};

// The control a template control makes, with its initial state from its style.
SimControl MakeControl(const RcControl& source);
// Dialog units to pixels, for the default dialog font.
plat::Rect DialogUnitsToPixels(int x, int y, int cx, int cy);

}  // namespace sim
