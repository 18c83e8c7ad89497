// System constants of resource scripts, with the values of the Windows headers.
#include "platform/sim/ui/rc_constants.h"

#include <map>

#include "platform/sim/ui/rc_tokens.h"

namespace sim {

namespace {

const std::map<std::string, long>& Constants() {
    static const std::map<std::string, long> table = {
        // Window styles.
        {"WS_OVERLAPPED", 0}, {"WS_POPUP", 0x80000000L}, {"WS_CHILD", 0x40000000L},
        {"WS_MINIMIZE", 0x20000000L}, {"WS_VISIBLE", 0x10000000L}, {"WS_DISABLED", 0x08000000L},
        {"WS_CLIPSIBLINGS", 0x04000000L}, {"WS_CLIPCHILDREN", 0x02000000L},
        {"WS_MAXIMIZE", 0x01000000L}, {"WS_CAPTION", 0x00C00000L}, {"WS_BORDER", 0x00800000L},
        {"WS_DLGFRAME", 0x00400000L}, {"WS_VSCROLL", 0x00200000L}, {"WS_HSCROLL", 0x00100000L},
        {"WS_SYSMENU", 0x00080000L}, {"WS_THICKFRAME", 0x00040000L}, {"WS_GROUP", 0x00020000L},
        {"WS_TABSTOP", 0x00010000L}, {"WS_MINIMIZEBOX", 0x00020000L},
        {"WS_MAXIMIZEBOX", 0x00010000L}, {"WS_OVERLAPPEDWINDOW", 0x00CF0000L},
        {"WS_POPUPWINDOW", 0x80880000L},
        // Extended window styles.
        {"WS_EX_DLGMODALFRAME", 0x1}, {"WS_EX_NOPARENTNOTIFY", 0x4}, {"WS_EX_TOPMOST", 0x8},
        {"WS_EX_ACCEPTFILES", 0x10}, {"WS_EX_TRANSPARENT", 0x20}, {"WS_EX_TOOLWINDOW", 0x80},
        {"WS_EX_WINDOWEDGE", 0x100}, {"WS_EX_CLIENTEDGE", 0x200}, {"WS_EX_CONTEXTHELP", 0x400},
        {"WS_EX_RIGHT", 0x1000}, {"WS_EX_LEFT", 0}, {"WS_EX_CONTROLPARENT", 0x10000},
        {"WS_EX_STATICEDGE", 0x20000}, {"WS_EX_APPWINDOW", 0x40000},
        // Dialog styles.
        {"DS_ABSALIGN", 0x1}, {"DS_SYSMODAL", 0x2}, {"DS_3DLOOK", 0x4}, {"DS_FIXEDSYS", 0x8},
        {"DS_NOFAILCREATE", 0x10}, {"DS_LOCALEDIT", 0x20}, {"DS_SETFONT", 0x40},
        {"DS_MODALFRAME", 0x80}, {"DS_NOIDLEMSG", 0x100}, {"DS_SETFOREGROUND", 0x200},
        {"DS_CONTROL", 0x400}, {"DS_CENTER", 0x800}, {"DS_CENTERMOUSE", 0x1000},
        {"DS_CONTEXTHELP", 0x2000}, {"DS_SHELLFONT", 0x48},
        // Buttons.
        {"BS_PUSHBUTTON", 0x0}, {"BS_DEFPUSHBUTTON", 0x1}, {"BS_CHECKBOX", 0x2},
        {"BS_AUTOCHECKBOX", 0x3}, {"BS_RADIOBUTTON", 0x4}, {"BS_3STATE", 0x5},
        {"BS_AUTO3STATE", 0x6}, {"BS_GROUPBOX", 0x7}, {"BS_USERBUTTON", 0x8},
        {"BS_AUTORADIOBUTTON", 0x9}, {"BS_OWNERDRAW", 0xB}, {"BS_TYPEMASK", 0xF},
        {"BS_LEFTTEXT", 0x20}, {"BS_RIGHTBUTTON", 0x20}, {"BS_TEXT", 0}, {"BS_ICON", 0x40},
        {"BS_BITMAP", 0x80}, {"BS_LEFT", 0x100}, {"BS_RIGHT", 0x200}, {"BS_CENTER", 0x300},
        {"BS_TOP", 0x400}, {"BS_BOTTOM", 0x800}, {"BS_VCENTER", 0xC00}, {"BS_PUSHLIKE", 0x1000},
        {"BS_MULTILINE", 0x2000}, {"BS_NOTIFY", 0x4000}, {"BS_FLAT", 0x8000},
        // Edits.
        {"ES_LEFT", 0x0}, {"ES_CENTER", 0x1}, {"ES_RIGHT", 0x2}, {"ES_MULTILINE", 0x4},
        {"ES_UPPERCASE", 0x8}, {"ES_LOWERCASE", 0x10}, {"ES_PASSWORD", 0x20},
        {"ES_AUTOVSCROLL", 0x40}, {"ES_AUTOHSCROLL", 0x80}, {"ES_NOHIDESEL", 0x100},
        {"ES_OEMCONVERT", 0x400}, {"ES_READONLY", 0x800}, {"ES_WANTRETURN", 0x1000},
        {"ES_NUMBER", 0x2000},
        // Statics.
        {"SS_LEFT", 0x0}, {"SS_CENTER", 0x1}, {"SS_RIGHT", 0x2}, {"SS_ICON", 0x3},
        {"SS_BLACKRECT", 0x4}, {"SS_GRAYRECT", 0x5}, {"SS_WHITERECT", 0x6},
        {"SS_BLACKFRAME", 0x7}, {"SS_GRAYFRAME", 0x8}, {"SS_WHITEFRAME", 0x9},
        {"SS_SIMPLE", 0xB}, {"SS_LEFTNOWORDWRAP", 0xC}, {"SS_OWNERDRAW", 0xD},
        {"SS_BITMAP", 0xE}, {"SS_ENHMETAFILE", 0xF}, {"SS_ETCHEDHORZ", 0x10},
        {"SS_ETCHEDVERT", 0x11}, {"SS_ETCHEDFRAME", 0x12}, {"SS_TYPEMASK", 0x1F},
        {"SS_NOPREFIX", 0x80}, {"SS_NOTIFY", 0x100}, {"SS_CENTERIMAGE", 0x200},
        {"SS_RIGHTJUST", 0x400}, {"SS_REALSIZEIMAGE", 0x800}, {"SS_SUNKEN", 0x1000},
        {"SS_ENDELLIPSIS", 0x4000}, {"SS_PATHELLIPSIS", 0x8000}, {"SS_WORDELLIPSIS", 0xC000},
        // Combo boxes and list boxes.
        {"CBS_SIMPLE", 0x1}, {"CBS_DROPDOWN", 0x2}, {"CBS_DROPDOWNLIST", 0x3},
        {"CBS_OWNERDRAWFIXED", 0x10}, {"CBS_OWNERDRAWVARIABLE", 0x20},
        {"CBS_AUTOHSCROLL", 0x40}, {"CBS_OEMCONVERT", 0x80}, {"CBS_SORT", 0x100},
        {"CBS_HASSTRINGS", 0x200}, {"CBS_NOINTEGRALHEIGHT", 0x400},
        {"CBS_DISABLENOSCROLL", 0x800}, {"CBS_UPPERCASE", 0x2000}, {"CBS_LOWERCASE", 0x4000},
        {"LBS_NOTIFY", 0x1}, {"LBS_SORT", 0x2}, {"LBS_NOREDRAW", 0x4}, {"LBS_MULTIPLESEL", 0x8},
        {"LBS_OWNERDRAWFIXED", 0x10}, {"LBS_OWNERDRAWVARIABLE", 0x20},
        {"LBS_HASSTRINGS", 0x40}, {"LBS_USETABSTOPS", 0x80}, {"LBS_NOINTEGRALHEIGHT", 0x100},
        {"LBS_MULTICOLUMN", 0x200}, {"LBS_WANTKEYBOARDINPUT", 0x400},
        {"LBS_EXTENDEDSEL", 0x800}, {"LBS_DISABLENOSCROLL", 0x1000}, {"LBS_NODATA", 0x2000},
        {"LBS_NOSEL", 0x4000}, {"LBS_STANDARD", 0xA00003L},
        {"SBS_HORZ", 0x0}, {"SBS_VERT", 0x1},
        // Common controls.
        {"PBS_SMOOTH", 0x1}, {"PBS_VERTICAL", 0x4}, {"PBS_MARQUEE", 0x8},
        {"TBS_AUTOTICKS", 0x1}, {"TBS_VERT", 0x2}, {"TBS_HORZ", 0x0}, {"TBS_TOP", 0x4},
        {"TBS_BOTTOM", 0x0}, {"TBS_LEFT", 0x4}, {"TBS_RIGHT", 0x0}, {"TBS_BOTH", 0x8},
        {"TBS_NOTICKS", 0x10}, {"TBS_ENABLESELRANGE", 0x20}, {"TBS_FIXEDLENGTH", 0x40},
        {"TBS_NOTHUMB", 0x80}, {"TBS_TOOLTIPS", 0x100},
        {"UDS_WRAP", 0x1}, {"UDS_SETBUDDYINT", 0x2}, {"UDS_ALIGNRIGHT", 0x4},
        {"UDS_ALIGNLEFT", 0x8}, {"UDS_AUTOBUDDY", 0x10}, {"UDS_ARROWKEYS", 0x20},
        {"UDS_HORZ", 0x40}, {"UDS_NOTHOUSANDS", 0x80}, {"UDS_HOTTRACK", 0x100},
        {"LVS_ICON", 0x0}, {"LVS_REPORT", 0x1}, {"LVS_SMALLICON", 0x2}, {"LVS_LIST", 0x3},
        {"LVS_SINGLESEL", 0x4}, {"LVS_SHOWSELALWAYS", 0x8}, {"LVS_SORTASCENDING", 0x10},
        {"LVS_SORTDESCENDING", 0x20}, {"LVS_SHAREIMAGELISTS", 0x40},
        {"LVS_NOLABELWRAP", 0x80}, {"LVS_AUTOARRANGE", 0x100}, {"LVS_EDITLABELS", 0x200},
        {"LVS_OWNERDRAWFIXED", 0x400}, {"LVS_ALIGNLEFT", 0x800}, {"LVS_NOSCROLL", 0x2000},
        {"LVS_NOCOLUMNHEADER", 0x4000}, {"LVS_NOSORTHEADER", 0x8000},
        {"TVS_HASBUTTONS", 0x1}, {"TVS_HASLINES", 0x2}, {"TVS_LINESATROOT", 0x4},
        {"TVS_EDITLABELS", 0x8}, {"TVS_DISABLEDRAGDROP", 0x10}, {"TVS_SHOWSELALWAYS", 0x20},
        {"TVS_CHECKBOXES", 0x100}, {"TVS_TRACKSELECT", 0x200}, {"TVS_SINGLEEXPAND", 0x400},
        {"TVS_FULLROWSELECT", 0x1000},
        // Dialog ids.
        {"IDOK", 1}, {"IDCANCEL", 2}, {"IDABORT", 3}, {"IDRETRY", 4}, {"IDIGNORE", 5},
        {"IDYES", 6}, {"IDNO", 7}, {"IDCLOSE", 8}, {"IDHELP", 9}, {"IDC_STATIC", -1},
        // Version resources, manifests and languages.
        {"VS_VERSION_INFO", 1}, {"VS_FF_DEBUG", 0x1}, {"VS_FF_PRERELEASE", 0x2},
        {"VS_FF_PATCHED", 0x4}, {"VS_FF_PRIVATEBUILD", 0x8}, {"VS_FF_INFOINFERRED", 0x10},
        {"VS_FF_SPECIALBUILD", 0x20}, {"VS_FFI_FILEFLAGSMASK", 0x3F}, {"VOS_UNKNOWN", 0},
        {"VOS_NT", 0x40000}, {"VOS__WINDOWS32", 0x4}, {"VOS_NT_WINDOWS32", 0x40004},
        {"VFT_UNKNOWN", 0}, {"VFT_APP", 1}, {"VFT_DLL", 2}, {"VFT_DRV", 3}, {"VFT2_UNKNOWN", 0},
        {"VFT2_DRV_PRINTER", 1}, {"CREATEPROCESS_MANIFEST_RESOURCE_ID", 1},
        {"ISOLATIONAWARE_MANIFEST_RESOURCE_ID", 2}, {"RT_MANIFEST", 24},
        {"LANG_NEUTRAL", 0x00}, {"LANG_CHINESE", 0x04}, {"LANG_ENGLISH", 0x09},
        {"SUBLANG_NEUTRAL", 0x00}, {"SUBLANG_DEFAULT", 0x01}, {"SUBLANG_ENGLISH_US", 0x01},
        {"SUBLANG_CHINESE_SIMPLIFIED", 0x02},
    };
    return table;
}

const std::map<std::string, std::string>& ClassNames() {
    static const std::map<std::string, std::string> table = {
        {"WC_BUTTON", "Button"}, {"WC_EDIT", "Edit"}, {"WC_STATIC", "Static"},
        {"WC_COMBOBOX", "ComboBox"}, {"WC_LISTBOX", "ListBox"},
        {"WC_SCROLLBAR", "ScrollBar"}, {"WC_LISTVIEW", "SysListView32"},
        {"WC_TREEVIEW", "SysTreeView32"}, {"WC_IPADDRESS", "SysIPAddress32"},
        {"PROGRESS_CLASS", "msctls_progress32"}, {"TRACKBAR_CLASS", "msctls_trackbar32"},
        {"UPDOWN_CLASS", "msctls_updown32"},
    };
    return table;
}

}  // namespace

std::optional<long> SystemRcConstant(const std::string& name) {
    auto it = Constants().find(name);
    if (it == Constants().end()) return std::nullopt;
    return it->second;
}

std::optional<std::string> SystemRcClassName(const std::string& name) {
    auto it = ClassNames().find(name);
    if (it != ClassNames().end()) return it->second;
    // CONTROL's class keywords, in any letter case.
    for (const char* keyword : {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"})
        if (RcEqualsNoCase(name, keyword)) return std::string(keyword);
    return std::nullopt;
}

}  // namespace sim
