// The automation script's actions on the current dialog, done as a person at the desktop would:
// a click reaches only an enabled, visible control, auto buttons change their state first, and
// the logic hears of it through the notifications Windows sends.
#include <algorithm>

#include "platform/sim/state/code_page.h"
#include "platform/sim/ui/dialog_host.h"
#include "platform/sim/ui/png_file.h"
#include "platform/sim/ui/rc_constants.h"
#include "platform/sim/ui/rc_tokens.h"
#include "platform/sim/ui/script_verbs.h"
#include "platform/sim/ui/sim_dialog_window.h"
#include "platform/sim/ui/sim_property_sheet.h"
#include "platform/sim/ui/text_fit.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

constexpr int kComboEditChange = 5;   // CBN_EDITCHANGE
constexpr int kComboKillFocus = 4;    // CBN_KILLFOCUS
constexpr std::uint32_t kListNotify = 0x1;       // LBS_NOTIFY
constexpr std::uint32_t kDefPushButton = 0x1;    // BS_DEFPUSHBUTTON
constexpr std::size_t kShownTextLength = 60;     // longer texts are cut in the dump

struct Target {
    SimDialogWindow* window = nullptr;
    SimControl* control = nullptr;
};

// The dialog's own controls first, then those of its pages, shown pages before hidden ones.
Target FindControl(SimDialogWindow& window, int id) {
    if (SimControl* c = window.Find(id)) return {&window, c};
    Target hidden;
    for (SimDialogWindow* page : window.pages()) {
        Target t = FindControl(*page, id);
        if (!t.control) continue;
        if (page->IsShown()) return t;
        if (!hidden.control) hidden = t;
    }
    return hidden;
}

// Auto radio buttons uncheck the other radio buttons of their group: from the control that
// starts the group (WS_GROUP) to the one before the next such control.
void CheckInGroup(std::vector<SimControl>& controls, const SimControl& clicked) {
    auto at = std::find_if(controls.begin(), controls.end(), [&](const SimControl& c) { return &c == &clicked; });
    auto first = at;
    while (first != controls.begin() && !first->startsGroup()) --first;
    auto last = at + 1;
    while (last != controls.end() && !last->startsGroup()) ++last;
    for (auto it = first; it != last; ++it)
        if (it->kind == ControlKind::AutoRadioButton || it->kind == ControlKind::RadioButton)
            it->checked = &*it == &clicked;
}

std::string Cut(const std::string& text) {
    if (text.size() <= kShownTextLength) return text;
    // Cut at a character boundary of the UTF-8 text.
    size_t n = kShownTextLength;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    return text.substr(0, n) + "...";
}

}  // namespace

bool DialogHost::ControlEnabled(SimDialogWindow& window, int id) {
    Target t = FindControl(window, id);
    return t.control && t.control->enabled;
}

void DialogHost::Perform(const ScriptAction& action, SimDialogWindow& window) {
    auto fail = [&](const std::string& why) { Fail("script error: " + action.Describe() + ": " + why); };

    // The control the action names, by number or by the resource header's name.
    auto resolve = [&](bool mustBeUsable) -> Target {
        long id = 0;
        if (auto number = ControlIdNumber(action.control)) {
            id = *number;
        } else if (auto value = Symbol(window, action.control)) {
            id = *value;
        } else if (auto system = SystemRcConstant(action.control)) {
            id = *system;  // IDOK, IDCANCEL
        } else {
            fail("no resource header defines '" + action.control + "'");
        }
        Target t = FindControl(window, static_cast<int>(id));
        if (!t.control) fail(window.Describe() + " has no control " + std::to_string(id));
        if (mustBeUsable) {
            if (!t.window->IsShown()) fail("the control is on " + t.window->Describe() + ", which is hidden");
            if (!t.control->visible) fail("the control is hidden");
            if (!t.control->enabled) fail("the control is disabled");
        }
        return t;
    };
    auto name = [&](const Target& t) {
        std::string label = t.control->text.empty() ? "" : " \"" + ToUtf8(t.control->text) + "\"";
        return (t.control->idName.empty() ? std::to_string(t.control->id) : t.control->idName) + label;
    };
    // WM_COMMAND to the window that holds the control; IDOK and IDCANCEL that the logic leaves
    // alone end a modal dialog.
    auto command = [&](SimDialogWindow& to, int id, int code) {
        bool handled = to.logic().OnCommand(to, id, code);
        if (!handled && to.modal() && code == plat::kButtonClicked && (id == IDOK || id == IDCANCEL))
            to.EndDialog(id);
    };
    auto click = [&](const Target& t) {
        SimControl& c = *t.control;
        if (!c.isButton()) fail("control " + std::to_string(c.id) + " is a " + c.kindName() + ", which cannot be clicked");
        if (c.kind == ControlKind::AutoRadioButton) CheckInGroup(t.window->controls(), c);
        if (c.kind == ControlKind::AutoCheckBox) c.checked = !c.checked;
        command(*t.window, c.id, plat::kButtonClicked);
    };

    switch (action.verb) {
        case ScriptVerb::Click: {
            Target t = resolve(true);
            Write("clicks " + name(t));
            click(t);
            break;
        }
        case ScriptVerb::Tick:
        case ScriptVerb::Untick: {
            Target t = resolve(true);
            bool tick = action.verb == ScriptVerb::Tick;
            if (t.control->kind != ControlKind::CheckBox && t.control->kind != ControlKind::AutoCheckBox)
                fail("control " + std::to_string(t.control->id) + " is a " + t.control->kindName() + ", not a check box");
            if (t.control->checked == tick) {
                Write(name(t) + " is already " + (tick ? "ticked" : "unticked"));
                break;
            }
            Write((tick ? "ticks " : "unticks ") + name(t));
            click(t);
            break;
        }
        case ScriptVerb::WaitEnabled: {
            Target t = resolve(false);
            if (t.control->enabled) {
                Write(name(t) + " is already enabled");
                break;
            }
            Write("waits until " + name(t) + " is enabled");
            awaitedControl_ = t.control->id;
            break;
        }
        case ScriptVerb::TickRow:
        case ScriptVerb::UntickRow: {
            Target t = resolve(true);
            SimControl& c = *t.control;
            const bool tick = action.verb == ScriptVerb::TickRow;
            if (c.kind != ControlKind::ListView)
                fail("control " + std::to_string(c.id) + " is a " + c.kindName() + ", not a list view");
            if (!(c.extendedStyle & LVS_EX_CHECKBOXES)) fail("the list view has no check boxes");
            size_t row = c.items.size();
            for (size_t i = 0; i < c.items.size() && row == c.items.size(); ++i)
                if (ToUtf8(c.items[i]) == action.text) row = i;
            if (row == c.items.size()) fail("the list view has no row " + action.text);
            const std::string what = "row \"" + action.text + "\" of " + name(t);
            if (c.rowChecked[row] == tick) {
                Write(what + " is already " + (tick ? "ticked" : "unticked"));
                break;
            }
            Write((tick ? "ticks " : "unticks ") + what);
            c.rowChecked[row] = tick;
            break;
        }
        case ScriptVerb::Choose: {
            Target t = resolve(true);
            SimControl& c = *t.control;
            if (!c.isList()) fail("control " + std::to_string(c.id) + " is a " + c.kindName() + ", not a list");
            int index = -1;
            if (action.text[0] == '#') {
                // The script's parser let only indexes an int holds through.
                index = ChoiceIndex(action.text).value_or(-1);
                if (index >= static_cast<int>(c.items.size())) index = -1;
            } else {
                for (size_t i = 0; i < c.items.size() && index < 0; ++i)
                    if (ItemUtf8(c, i) == action.text) index = static_cast<int>(i);
            }
            if (index < 0) {
                std::string items;
                for (size_t i = 0; i < c.items.size(); ++i) items += (items.empty() ? "\"" : ", \"") + ItemUtf8(c, i) + "\"";
                fail("the list has no entry " + action.text + (items.empty() ? "; it is empty" : "; it has " + items));
            }
            Write("chooses \"" + ItemUtf8(c, static_cast<size_t>(index)) + "\" in " +
                  (c.idName.empty() ? std::to_string(c.id) : c.idName));
            c.selection = index;
            if (c.kind == ControlKind::ComboBox) c.text = c.items[static_cast<size_t>(index)];
            if (c.kind == ControlKind::ComboBox || (c.style & kListNotify))
                command(*t.window, c.id, plat::kComboSelChange);
            break;
        }
        case ScriptVerb::Type: {
            Target t = resolve(true);
            SimControl& c = *t.control;
            bool editableCombo = c.kind == ControlKind::ComboBox && !c.dropDownList();
            if (c.kind != ControlKind::Edit && !editableCombo)
                fail("control " + std::to_string(c.id) + " is a " + c.kindName() + ", which takes no typing");
            if (c.readOnly()) fail("the edit is read-only");
            for (char ch : action.text)
                if (static_cast<unsigned char>(ch) >= 0x80) fail("only ASCII text can be typed");
            // A filtered edit drops what its filter refuses (a script types without Ctrl).
            std::string text, dropped;
            for (char ch : action.text) {
                bool passes = !c.typingFilter || plat::EditCharPasses(static_cast<char16_t>(ch), *c.typingFilter, false);
                (passes ? text : dropped) += ch;
            }
            // The edit takes no more than its limit.
            if (c.editLimit > 0 && text.size() > static_cast<size_t>(c.editLimit)) text.resize(static_cast<size_t>(c.editLimit));
            const std::string into = " into " + (c.idName.empty() ? std::to_string(c.id) : c.idName);
            if (dropped.empty())
                Write("types \"" + text + "\"" + into);
            else
                Write("types \"" + action.text + "\"" + into + "; the edit drops \"" + dropped + "\" and holds \"" + text + "\"");
            // Through SetItemText, so a text the program set as UTF-16 is replaced too.
            t.window->SetItemText(c.id, text);
            command(*t.window, c.id, editableCombo ? kComboEditChange : plat::kEditChange);
            break;
        }
        case ScriptVerb::TypeIp: {
            Target t = resolve(true);
            SimControl& c = *t.control;
            if (c.kind != ControlKind::IpAddress)
                fail("control " + std::to_string(c.id) + " is a " + c.kindName() + ", not an IP address control");
            // The script's parser let only well-formed addresses through.
            ParseIpFields(action.text, c.ipFields);
            Write("types the address \"" + action.text + "\" into " + (c.idName.empty() ? std::to_string(c.id) : c.idName));
            command(*t.window, c.id, plat::kEditChange);
            break;
        }
        case ScriptVerb::Leave: {
            Target t = resolve(true);
            if (t.control->kind != ControlKind::Edit && t.control->kind != ControlKind::ComboBox)
                fail("control " + std::to_string(t.control->id) + " is a " + t.control->kindName() + ", not an edit");
            command(*t.window, t.control->id,
                    t.control->kind == ControlKind::Edit ? plat::kEditKillFocus : kComboKillFocus);
            break;
        }
        case ScriptVerb::Key: {
            Write("presses " + action.text + " in " + window.Describe());
            if (action.text == "F1") {
                window.logic().OnHelp(window);
            } else if (action.text == "Escape") {
                command(window, IDCANCEL, plat::kButtonClicked);
            } else {
                // Enter presses the default button.
                int id = IDOK;
                for (SimControl& c : window.controls())
                    if (c.kind == ControlKind::PushButton && (c.style & 0xF) == kDefPushButton) id = c.id;
                SimControl* button = window.Find(id);
                if (button && !button->enabled) {
                    Write("the default button is disabled; nothing happens");
                    break;
                }
                command(window, id, plat::kButtonClicked);
            }
            break;
        }
        case ScriptVerb::Close: {
            Write("closes " + window.Describe() + " with its close box");
            SimControl* cancel = window.Find(IDCANCEL);
            if (cancel && !cancel->enabled) {
                Write("the Cancel button is disabled; nothing happens");
                break;
            }
            command(window, IDCANCEL, plat::kButtonClicked);
            break;
        }
        case ScriptVerb::Sys: {
            long id = 0;
            if (auto number = ControlIdNumber(action.control)) id = *number;
            else if (auto value = Symbol(window, action.control)) id = *value;
            else fail("no resource header defines '" + action.control + "'");
            // The system keeps the low four bits of a command for itself.
            int command16 = static_cast<int>(id) & ~0xF;
            const std::string* text = nullptr;
            for (const auto& [cmd, itemText] : window.systemMenu())
                if ((cmd & ~0xF) == command16) text = &itemText;
            if (!text) fail(window.Describe() + " has no system menu item " + std::to_string(id));
            Write("chooses \"" + ToUtf8(*text) + "\" from the system menu of " + window.Describe());
            window.logic().OnSysCommand(window, command16);
            break;
        }
        case ScriptVerb::Show:
            ShowDialog(window);
            break;
        case ScriptVerb::ExpectText: {
            Target t = resolve(false);
            std::string shown = ToUtf8(t.window->GetItemText(t.control->id));
            if (shown != action.text)
                fail("control " + std::to_string(t.control->id) + " shows \"" + shown + "\"");
            break;
        }
        case ScriptVerb::ExpectTitle: {
            std::string title = ToUtf8(window.GetTitle());
            if (title != action.text) fail("the title is \"" + title + "\"");
            break;
        }
        case ScriptVerb::Tab: {
            SimPropertySheet* sheet = window.sheet();
            if (!sheet) fail(window.Describe() + " is no property sheet");
            const std::vector<std::string>& tabs = sheet->tabTexts();
            int index = -1;
            for (size_t i = 0; i < tabs.size() && index < 0; ++i)
                if (ToUtf8(tabs[i]) == action.text) index = static_cast<int>(i);
            if (index < 0) {
                std::string names;
                for (const std::string& tab : tabs) names += (names.empty() ? "\"" : ", \"") + ToUtf8(tab) + "\"";
                fail("the sheet has no tab " + action.text + "; it has " + names);
            }
            Write("chooses tab \"" + action.text + "\" of " + window.Describe());
            sheet->SelectTab(index);
            break;
        }
        case ScriptVerb::Apply: {
            if (!window.sheet()) fail(window.Describe() + " is no property sheet");
            Target t{&window, window.Find(kSheetApplyButtonId)};
            if (!t.control->enabled) fail("the Apply button is disabled");
            Write("clicks " + name(t));
            click(t);
            break;
        }
        case ScriptVerb::SelectRow:
        case ScriptVerb::DoubleClickRow: {
            Target t = resolve(true);
            SimControl& c = *t.control;
            if (c.kind != ControlKind::ListView)
                fail("control " + std::to_string(c.id) + " is a " + c.kindName() + ", not a list view");
            int row = -1;
            if (action.text[0] == '#') {
                row = ChoiceIndex(action.text).value_or(-1);
                if (row >= static_cast<int>(c.items.size())) row = -1;
            } else {
                for (std::size_t i = 0; i < c.items.size() && row < 0; ++i)
                    if (ItemUtf8(c, i) == action.text) row = static_cast<int>(i);
            }
            if (row < 0) fail("the list view has no row " + action.text);
            const bool twice = action.verb == ScriptVerb::DoubleClickRow;
            Write(std::string(twice ? "double-clicks" : "clicks") + " row \"" + ItemUtf8(c, static_cast<std::size_t>(row)) +
                  "\" of " + name(t));
            // A click selects the row (LVN_ITEMCHANGED when it was not selected), then NM_CLICK;
            // a double click follows with NM_DBLCLK.
            const bool changed = c.selection != row;
            c.selection = row;
            if (changed) t.window->Notify(c.id, plat::kLvnItemChanged);
            t.window->Notify(c.id, plat::kNmClick);
            if (twice) t.window->Notify(c.id, plat::kNmDoubleClick);
            break;
        }
        case ScriptVerb::Slide: {
            Target t = resolve(true);
            SimControl& c = *t.control;
            if (c.kind != ControlKind::Trackbar)
                fail("control " + std::to_string(c.id) + " is a " + c.kindName() + ", not a trackbar");
            // The thumb stops at the ends of the range.
            const int asked = ControlIdNumber(action.text).value_or(0);
            const int to = std::clamp(asked, std::min(c.rangeLow, c.rangeHigh), std::max(c.rangeLow, c.rangeHigh));
            Write("drags " + name(t) + " to " + std::to_string(to) +
                  (to != asked ? " (the end of its range; " + action.text + " was asked)" : ""));
            // As a drag with the mouse: thumb tracking, the final position, the end of the
            // track, then the released mouse capture.
            c.position = to;
            t.window->logic().OnScroll(*t.window, c.id, plat::kTbThumbTrack);
            t.window->logic().OnScroll(*t.window, c.id, plat::kTbThumbPosition);
            t.window->logic().OnScroll(*t.window, c.id, plat::kTbEndTrack);
            t.window->Notify(c.id, plat::kNmReleasedCapture);
            break;
        }
        case ScriptVerb::Spin: {
            Target t = resolve(true);
            SimControl& c = *t.control;
            if (c.kind != ControlKind::UpDown)
                fail("control " + std::to_string(c.id) + " is a " + c.kindName() + ", not an up-down control");
            const int step = (action.text == "up") == (c.rangeLow <= c.rangeHigh) ? 1 : -1;
            Write("clicks the " + action.text + " arrow of " + name(t));
            // UDN_DELTAPOS first; then the position moves (and the buddy with it) and the
            // parent hears SB_THUMBPOSITION and SB_ENDSCROLL.
            t.window->Notify(c.id, plat::kUdnDeltaPos);
            t.window->SetPosition(c.id, c.position + step);
            t.window->logic().OnScroll(*t.window, c.id, plat::kTbThumbPosition);
            t.window->logic().OnScroll(*t.window, c.id, plat::kTbEndTrack);
            break;
        }
        case ScriptVerb::SavePicture: {
            Target t = resolve(false);
            const plat::PixelImage& painted = t.window->lastPicture();
            if (painted.width == 0) fail(t.window->Describe() + " has not painted anything");
            // The control's rectangle, cut to the painted client area.
            const plat::Rect r = t.control->rect;
            const int left = std::clamp(r.left, 0, painted.width), right = std::clamp(r.right, left, painted.width);
            const int top = std::clamp(r.top, 0, painted.height), bottom = std::clamp(r.bottom, top, painted.height);
            if (right == left || bottom == top) fail("the control lies outside the painted area");
            plat::PixelImage area = plat::PixelImage::White(right - left, bottom - top);
            for (int y = top; y < bottom; ++y)
                std::copy_n(painted.At(left, y), static_cast<std::size_t>(right - left) * 3, area.At(0, y - top));
            std::string why;
            if (!WritePng(action.text, area, why)) fail(why);
            Write("saves the picture of " + name(t) + " (" + std::to_string(area.width) + "x" +
                  std::to_string(area.height) + ") as " + action.text);
            break;
        }
        case ScriptVerb::Answer:
        case ScriptVerb::Expect:
        case ScriptVerb::PickFile:
        case ScriptVerb::CancelFile:
        case ScriptVerb::Wait:
            break;  // the modal loop, the message boxes and the file dialogs take these
    }
}

void DialogHost::ShowDialog(SimDialogWindow& window) {
    std::string indent = window.modal() ? "  " : "    ";
    if (window.sheet()) {
        Write("shows property sheet " + window.Describe() + ":");
    } else if (window.modal()) {
        Write("shows " + window.Describe() + " (dialog " + std::to_string(window.templateId()) + "):");
    } else {
        Write("  " + window.Describe() + (window.IsShown() ? ":" : " (hidden)"));
        if (!window.IsShown()) return;
    }
    for (const SimControl& c : window.controls()) {
        std::string line = indent + std::to_string(c.id);
        if (!c.idName.empty() && c.idName != std::to_string(c.id)) line += " " + c.idName;
        line += " " + c.kindName();
        std::string text = ToUtf8(c.dropDownList() ? "" : c.kind == ControlKind::IpAddress ? c.IpText() : c.text);
        if (!text.empty() || (c.kind != ControlKind::ProgressBar && c.kind != ControlKind::Tab))
            line += " \"" + Cut(text) + "\"";
        if (c.kind == ControlKind::Tab) {
            // The tabs, the current one between asterisks.
            std::string tabs;
            for (size_t i = 0; i < c.items.size(); ++i)
                tabs += std::string(i ? ", " : "") + (static_cast<int>(i) == c.selection ? "*" : "") + "\"" +
                        Cut(ToUtf8(c.items[i])) + "\"" + (static_cast<int>(i) == c.selection ? "*" : "");
            line += " [" + tabs + "]";
        }
        if (c.isButton() && c.kind != ControlKind::PushButton) line += c.checked ? " checked" : " unchecked";
        if (c.kind == ControlKind::IpAddress && c.ipFields == std::array<int, 4>{-1, -1, -1, -1}) line += " blank";
        if (!c.enabled) line += " disabled";
        if (c.windowColours) line += " window colours";
        if (!c.toolTipUtf8.empty())
            line += " tooltip \"" + c.toolTipUtf8 + "\" (" + std::to_string(c.toolTipWidth) + " px)";
        if (!c.visible) line += " hidden";
        if (c.isList()) {
            std::string items;
            for (size_t i = 0; i < c.items.size(); ++i) items += (items.empty() ? "\"" : ", \"") + Cut(ItemUtf8(c, i)) + "\"";
            line += " [" + items + "]";
            line += c.selection >= 0 ? " selected #" + std::to_string(c.selection) : " no selection";
        }
        if (c.kind == ControlKind::ListView) {
            std::string rows;
            for (size_t i = 0; i < c.items.size(); ++i) {
                const bool box = c.extendedStyle & LVS_EX_CHECKBOXES;
                rows += std::string(rows.empty() ? "" : ", ") +
                        (box ? (c.rowChecked[i] ? "[x] " : "[ ] ") : "") + "\"" + Cut(ItemUtf8(c, i)) + "\"";
                // The texts of the row's other columns follow its first, each after a bar.
                if (i < c.rowCells.size())
                    for (const std::u16string& cell : c.rowCells[i]) rows += " | \"" + Cut(Utf16ToUtf8(cell)) + "\"";
            }
            line += " rows [" + rows + "]";
            if (c.selection >= 0) line += " selected #" + std::to_string(c.selection);
            if (c.extendedStyle & LVS_EX_GRIDLINES) line += " grid lines";
            if (c.extendedStyle & LVS_EX_FULLROWSELECT) line += " full-row select";
        }
        if (c.kind == ControlKind::TreeView && !c.treeIcons.empty()) {
            std::string icons;
            for (int icon : c.treeIcons) icons += (icons.empty() ? "" : ", ") + std::to_string(icon);
            line += " icons [" + icons + "] " + std::to_string(c.treeIconSize) + " px";
        }
        if (c.hasRange())
            line += " at " + std::to_string(c.position) + " of " + std::to_string(c.rangeLow) + ".." + std::to_string(c.rangeHigh);
        if (c.font)
            line += " font \"" + ToUtf8(c.font->face) + "\" " + std::to_string(c.font->height) + " charset " +
                    std::to_string(c.font->charSet);
        if (window.focus() == c.id) line += " focused";
        Write(line);
        if (c.kind == ControlKind::TreeView)
            for (const std::string& item : TreeItemLines(c)) Write(indent + "  " + item);
        std::string fit = TextFitProblem(c.kindName(), c.text, c.rect.right - c.rect.left, c.rect.bottom - c.rect.top);
        if (!fit.empty()) Write(indent + "warning: the text of " + std::to_string(c.id) + " " + fit);
    }
    for (const std::string& paint : window.lastPaint()) Write(indent + "painted: " + paint);
    for (SimDialogWindow* page : window.pages()) ShowDialog(*page);
}

}  // namespace sim
