// Reading the program's windows from the driver's process.
#include "tools/windriver/win_windows.h"

#include <commctrl.h>

#include <algorithm>

#include "tools/windriver/dialog_template.h"

namespace windriver {

namespace {

constexpr int kMessageBoxTextId = 0xFFFF;
constexpr std::size_t kShownTextLength = 60;

std::string ToUtf8(const std::wstring& wide) {
    if (wide.empty()) return {};
    int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::string ListItem(HWND control, bool combo, int index) {
    LRESULT length = ::SendMessageW(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT got = ::SendMessageW(control, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(index),
                                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return ToUtf8(text);
}

struct Enumeration {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM data) {
    auto* e = reinterpret_cast<Enumeration*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == e->processId && ::IsWindowVisible(window)) e->windows.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectTemplate(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR data) {
    if (!IS_INTRESOURCE(name)) return TRUE;
    HRSRC found = ::FindResourceA(module, name, type);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    DialogTemplateInfo info;
    if (bytes && ReadDialogTemplate(static_cast<const std::uint8_t*>(bytes), ::SizeofResource(module, found), info))
        (*reinterpret_cast<std::map<int, std::vector<int>>*>(data))[static_cast<int>(reinterpret_cast<ULONG_PTR>(name))] =
            info.controlIds;
    return TRUE;
}

std::vector<HWND> Children(HWND parent, bool dialogs) {
    std::vector<HWND> out;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if ((ClassOf(child) == "#32770") == dialogs) out.push_back(child);
    return out;
}

}  // namespace

std::string WindowTextUtf8(HWND window) {
    int length = static_cast<int>(::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    int got = static_cast<int>(::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return ToUtf8(text);
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

std::vector<HWND> VisibleTopLevelWindows(DWORD processId) {
    Enumeration e{processId, {}};
    ::EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&e));
    return e.windows;
}

std::string ButtonName(int id) {
    static const char* const kNames[] = {"", "OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No", "Close", "Help",
                                         "Try Again", "Continue"};
    if (id >= 1 && id <= 11) return kNames[id];
    return "button " + std::to_string(id);
}

bool IsMessageBox(HWND window) {
    if (ClassOf(window) != "#32770") return false;
    bool hasText = false;
    for (HWND child : Controls(window)) {
        int id = ::GetDlgCtrlID(child);
        if (id == kMessageBoxTextId && ClassOf(child) == "Static") hasText = true;
        // The standard buttons, the icon (20 on Windows, 1088 under Wine) and the text only.
        else if (!(id >= 1 && id <= 11) && id != 20 && id != 1088 && id != kMessageBoxTextId) return false;
    }
    return hasText;
}

MessageBoxView ReadMessageBox(HWND box) {
    MessageBoxView view;
    view.caption = WindowTextUtf8(box);
    std::vector<std::pair<LONG, int>> buttons;
    for (HWND child : Controls(box)) {
        int id = ::GetDlgCtrlID(child);
        bool visible = (::GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) != 0;
        if (id == kMessageBoxTextId && ClassOf(child) == "Static") view.text = WindowTextUtf8(child);
        else if ((id == 20 || id == 1088) && visible) view.hasIcon = ::SendMessageW(child, STM_GETICON, 0, 0) != 0;
        else if (id >= 1 && id <= 11 && visible) {
            RECT r{};
            ::GetWindowRect(child, &r);
            buttons.emplace_back(r.left, id);
        }
    }
    std::sort(buttons.begin(), buttons.end());
    for (const auto& b : buttons) view.buttons.push_back(b.second);
    LRESULT def = ::SendMessageW(box, DM_GETDEFID, 0, 0);
    view.defaultButton = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : (view.buttons.empty() ? IDOK : view.buttons[0]);
    return view;
}

bool Templates::Load(const std::string& programPath) {
    HMODULE module = ::LoadLibraryExA(programPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return false;
    ::EnumResourceNamesA(module, reinterpret_cast<LPCSTR>(RT_DIALOG), &CollectTemplate, reinterpret_cast<LONG_PTR>(&ids_));
    ::FreeLibrary(module);
    return !ids_.empty();
}

int Templates::Match(HWND dialog) const {
    std::vector<int> ids;
    for (HWND control : Controls(dialog)) ids.push_back(static_cast<int>(static_cast<short>(::GetDlgCtrlID(control))));
    for (const auto& [templateId, expected] : ids_) {
        std::vector<int> normalised;
        for (int id : expected) normalised.push_back(static_cast<short>(id));
        if (normalised == ids) return templateId;
    }
    return 0;
}

std::vector<HWND> Controls(HWND dialog) { return Children(dialog, false); }
std::vector<HWND> Pages(HWND dialog) { return Children(dialog, true); }

bool IsDropDownList(HWND control) {
    return ClassOf(control) == "ComboBox" && (::GetWindowLongA(control, GWL_STYLE) & 3) == CBS_DROPDOWNLIST;
}

bool IsButtonKind(HWND control) {
    if (::lstrcmpiA(ClassOf(control).c_str(), "Button") != 0) return false;
    LONG type = ::GetWindowLongA(control, GWL_STYLE) & 0xF;
    return type != BS_GROUPBOX && type != BS_OWNERDRAW;
}

std::string KindOf(HWND control) {
    std::string name = ClassOf(control);
    LONG style = ::GetWindowLongA(control, GWL_STYLE);
    auto is = [&](const char* cls) { return ::lstrcmpiA(name.c_str(), cls) == 0; };
    if (is("Button")) {
        switch (style & 0xF) {
            case BS_PUSHBUTTON:
            case BS_DEFPUSHBUTTON: {
                // The template's default button, not the highlight the dialog manager moves.
                LRESULT def = ::SendMessageW(::GetParent(control), DM_GETDEFID, 0, 0);
                bool isDefault = HIWORD(def) == DC_HASDEFID && LOWORD(def) == ::GetDlgCtrlID(control);
                return isDefault ? "default button" : "button";
            }
            case BS_CHECKBOX: return "check box";
            case BS_AUTOCHECKBOX: return "auto check box";
            case BS_RADIOBUTTON: return "radio button";
            case BS_AUTORADIOBUTTON: return "auto radio button";
            case BS_GROUPBOX: return "group box";
            default: return "control of class Button";
        }
    }
    if (is("Static")) return "static";
    if (is("Edit"))
        return std::string((style & ES_MULTILINE) ? "multi-line " : "") + ((style & ES_READONLY) ? "read-only " : "") + "edit";
    if (is("ComboBox")) return IsDropDownList(control) ? "drop-down list" : "combo box";
    if (is("ListBox")) return "list box";
    if (is("ScrollBar")) return "scroll bar";
    if (is(PROGRESS_CLASSA)) return "progress bar";
    if (is(TRACKBAR_CLASSA)) return "trackbar";
    if (is(UPDOWN_CLASSA)) return "up-down";
    if (is(WC_IPADDRESSA)) return "IP address";
    if (is(WC_LISTVIEWA)) return "list view";
    if (is(WC_TREEVIEWA)) return "tree view";
    return "control of class " + name;
}

std::string CutForDump(const std::string& utf8) {
    if (utf8.size() <= kShownTextLength) return utf8;
    std::size_t n = kShownTextLength;
    while (n > 0 && (static_cast<unsigned char>(utf8[n]) & 0xC0) == 0x80) --n;
    return utf8.substr(0, n) + "...";
}

std::string DescribeControl(HWND control, const ResourceNames& names) {
    int id = static_cast<short>(::GetDlgCtrlID(control));
    LONG style = ::GetWindowLongA(control, GWL_STYLE);
    std::string kind = KindOf(control);
    std::string line = std::to_string(id);
    std::string name = names.NameOf(id, "IDC_");
    if (!name.empty()) line += " " + name;
    line += " " + kind;
    bool iconStatic = kind == "static" && (style & SS_TYPEMASK) == SS_ICON;
    std::string text = IsDropDownList(control) || iconStatic ? "" : WindowTextUtf8(control);
    if (!text.empty() || kind != "progress bar") line += " \"" + CutForDump(text) + "\"";
    if (IsButtonKind(control) && kind != "button" && kind != "default button")
        line += ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? " checked" : " unchecked";
    if (!::IsWindowEnabled(control)) line += " disabled";
    if (!(style & WS_VISIBLE)) line += " hidden";
    bool combo = ClassOf(control) == "ComboBox";
    if (combo || ClassOf(control) == "ListBox") {
        int count = static_cast<int>(::SendMessageW(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
        std::string items;
        for (int i = 0; i < count; ++i) {
            if (i) items += ", ";
            items += '"' + CutForDump(ListItem(control, combo, i)) + '"';
        }
        line += " [" + items + "]";
        LRESULT selection = ::SendMessageW(control, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
        line += selection >= 0 ? " selected #" + std::to_string(selection) : " no selection";
    }
    if (kind == "progress bar") {
        line += " at " + std::to_string(::SendMessageW(control, PBM_GETPOS, 0, 0)) + " of " +
                std::to_string(::SendMessageW(control, PBM_GETRANGE, TRUE, 0)) + ".." +
                std::to_string(::SendMessageW(control, PBM_GETRANGE, FALSE, 0));
    }
    return line;
}

std::string ListEntry(HWND control, int index) { return ListItem(control, ClassOf(control) == "ComboBox", index); }

}  // namespace windriver
