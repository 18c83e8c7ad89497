// Simulated controls: the kind a window class and style make, and the initial state.
#include "platform/sim/ui/sim_control.h"

#include "platform/sim/ui/rc_tokens.h"

namespace sim {

namespace {

constexpr std::uint32_t kVisible = 0x10000000u;
constexpr std::uint32_t kDisabled = 0x08000000u;
constexpr std::uint32_t kGroup = 0x00020000u;

ControlKind ButtonKind(std::uint32_t style) {
    switch (style & 0xF) {
        case 0x0: case 0x1: return ControlKind::PushButton;
        case 0x2: case 0x5: return ControlKind::CheckBox;
        case 0x3: case 0x6: return ControlKind::AutoCheckBox;
        case 0x4: return ControlKind::RadioButton;
        case 0x7: return ControlKind::GroupBox;
        case 0x9: return ControlKind::AutoRadioButton;
        default: return ControlKind::PushButton;
    }
}

ControlKind KindOf(const std::string& className, std::uint32_t style) {
    struct Row {
        const char* className;
        ControlKind kind;
    };
    static const Row rows[] = {
        {"Static", ControlKind::Static},        {"Edit", ControlKind::Edit},
        {"ComboBox", ControlKind::ComboBox},    {"ListBox", ControlKind::ListBox},
        {"ScrollBar", ControlKind::ScrollBar},  {"msctls_progress32", ControlKind::ProgressBar},
        {"msctls_trackbar32", ControlKind::Trackbar}, {"msctls_updown32", ControlKind::UpDown},
        {"SysIPAddress32", ControlKind::IpAddress},   {"SysListView32", ControlKind::ListView},
        {"SysTreeView32", ControlKind::TreeView},     {"SysTabControl32", ControlKind::Tab},
    };
    if (RcEqualsNoCase(className, "Button")) return ButtonKind(style);
    for (const Row& r : rows)
        if (RcEqualsNoCase(className, r.className)) return r.kind;
    return ControlKind::Other;
}

}  // namespace

bool SimControl::isButton() const {
    switch (kind) {
        case ControlKind::PushButton: case ControlKind::CheckBox: case ControlKind::AutoCheckBox:
        case ControlKind::RadioButton: case ControlKind::AutoRadioButton: return true;
        default: return false;
    }
}

bool SimControl::hasRange() const {
    return kind == ControlKind::ProgressBar || kind == ControlKind::Trackbar ||
           kind == ControlKind::UpDown || kind == ControlKind::ScrollBar;
}

// CBS_SORT and LBS_SORT.
bool SimControl::sorted() const {
    if (kind == ControlKind::ComboBox) return (style & 0x100) != 0;
    if (kind == ControlKind::ListBox) return (style & 0x2) != 0;
    return false;
}

bool SimControl::dropDownList() const {
    return kind == ControlKind::ComboBox && (style & 0x3) == 0x3;
}

bool SimControl::readOnly() const { return kind == ControlKind::Edit && (style & 0x800) != 0; }

bool SimControl::startsGroup() const { return (style & kGroup) != 0; }

std::string SimControl::kindName() const {
    switch (kind) {
        case ControlKind::Static: return "static";
        case ControlKind::PushButton: return (style & 0xF) == 1 ? "default button" : "button";
        case ControlKind::CheckBox: return "check box";
        case ControlKind::AutoCheckBox: return "auto check box";
        case ControlKind::RadioButton: return "radio button";
        case ControlKind::AutoRadioButton: return "auto radio button";
        case ControlKind::GroupBox: return "group box";
        case ControlKind::Edit:
            return std::string((style & 0x4) ? "multi-line " : "") + (readOnly() ? "read-only " : "") + "edit";
        case ControlKind::ComboBox: return dropDownList() ? "drop-down list" : "combo box";
        case ControlKind::ListBox: return "list box";
        case ControlKind::ScrollBar: return "scroll bar";
        case ControlKind::ProgressBar: return "progress bar";
        case ControlKind::Trackbar: return "trackbar";
        case ControlKind::UpDown: return "up-down";
        case ControlKind::IpAddress: return "IP address";
        case ControlKind::ListView: return "list view";
        case ControlKind::TreeView: return "tree view";
        case ControlKind::Tab: return "tab control";
        case ControlKind::Other: return "control of class " + className;
    }
    return "control";
}

std::string SimControl::IpText() const {
    std::string text;
    for (size_t i = 0; i < ipFields.size(); ++i)
        text += (i ? "." : "") + std::to_string(ipFields[i] < 0 ? 0 : ipFields[i]);
    return text;
}

bool ParseIpFields(const std::string& text, std::array<int, 4>& fields) {
    size_t start = 0;
    for (size_t i = 0; i < fields.size(); ++i) {
        size_t dot = text.find('.', start);
        if ((i < 3) != (dot != std::string::npos)) return false;
        std::string field = text.substr(start, i < 3 ? dot - start : std::string::npos);
        if (field.size() > 3) return false;
        int value = field.empty() ? -1 : 0;
        for (char ch : field) {
            if (ch < '0' || ch > '9') return false;
            value = value * 10 + (ch - '0');
        }
        if (value > 255) return false;
        fields[i] = value;
        start = dot + 1;
    }
    return true;
}

SimControl MakeControl(const RcControl& source) {
    SimControl c;
    c.id = source.id;
    c.idName = source.idName;
    c.className = source.className;
    c.style = source.style;
    c.kind = KindOf(source.className, source.style);
    // An ICON control's text names the icon resource, not a caption.
    if (!(c.kind == ControlKind::Static && (source.style & 0x1F) == 0x3)) c.text = source.text;
    c.enabled = (source.style & kDisabled) == 0;
    c.visible = (source.style & kVisible) != 0;
    c.rect = DialogUnitsToPixels(source.x, source.y, source.cx, source.cy);
    return c;
}

// The default dialog font's base units: 6 x 13 pixels per 4 x 8 dialog units.
plat::Rect DialogUnitsToPixels(int x, int y, int cx, int cy) {
    plat::Rect r;
    r.left = x * 6 / 4;
    r.top = y * 13 / 8;
    r.right = (x + cx) * 6 / 4;
    r.bottom = (y + cy) * 13 / 8;
    return r;
}

}  // namespace sim
