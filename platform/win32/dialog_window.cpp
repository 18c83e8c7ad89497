// A real dialog window: the dialog procedure that forwards to the logic, and the Win32 calls
// behind each DialogWindow method.
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/dialog_window.h"

#include <cstring>

#include "platform/win32/dialog_canvas.h"

namespace win32 {

namespace {

constexpr int kMainIconId = 128;  // IDR_MAINFRAME in every program's resource script

std::string WindowText(HWND window) {
    int length = ::GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    int got = ::GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

// An edit filtered by SetEditCharFilter keeps its filter and its own procedure in a property.
constexpr char kEditFilterProperty[] = "plat.EditCharFilter";

struct EditCharFilter {
    WNDPROC previous;
    std::u16string allowed;
};

LRESULT CALLBACK FilteredEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* filter = static_cast<EditCharFilter*>(::GetPropA(edit, kEditFilterProperty));
    if (!filter) return ::DefWindowProcA(edit, message, wParam, lParam);
    const WNDPROC previous = filter->previous;
    switch (message) {
        case WM_GETDLGCODE:
            return ::CallWindowProcA(previous, edit, message, wParam, lParam) | DLGC_WANTALLKEYS;
        case WM_CHAR:
            // The edit takes Tab itself now, so it passes the focus on as the dialog would.
            if (wParam == VK_TAB || ::GetKeyState(VK_TAB) < 0) {
                ::SendMessageA(::GetParent(edit), WM_NEXTDLGCTL, ::GetKeyState(VK_SHIFT) < 0 ? 1 : 0, FALSE);
                return 0;
            }
            if (!plat::EditCharPasses(static_cast<char16_t>(wParam), filter->allowed, ::GetKeyState(VK_CONTROL) < 0))
                return 0;
            break;
        case WM_NCDESTROY:
            ::SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            ::RemovePropA(edit, kEditFilterProperty);
            delete filter;
            break;
        default:
            break;
    }
    return ::CallWindowProcA(previous, edit, message, wParam, lParam);
}

}  // namespace

HFONT CreateFontFromSpec(const plat::FontSpec& font) {
    LOGFONTA lf{};
    lf.lfHeight = font.height;
    lf.lfWidth = font.width;
    lf.lfWeight = font.weight;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strikeOut;
    lf.lfCharSet = font.charSet;
    lf.lfPitchAndFamily = font.pitchAndFamily;
    // A face name longer than the record holds is cut.
    std::strncpy(lf.lfFaceName, font.face.c_str(), LF_FACESIZE - 1);
    return ::CreateFontIndirectA(&lf);
}

Win32DialogWindow::Win32DialogWindow(HINSTANCE module, plat::DialogLogic& logic, bool modal)
    : module_(module), logic_(logic), modal_(modal) {}

Win32DialogWindow::~Win32DialogWindow() {
    if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
    for (HFONT font : fonts_) ::DeleteObject(font);
    for (HBITMAP bitmap : bitmaps_) ::DeleteObject(bitmap);
    DestroyImageLists();
}

INT_PTR CALLBACK Win32DialogWindow::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32DialogWindow* window = nullptr;
    if (message == WM_INITDIALOG) {
        window = reinterpret_cast<Win32DialogWindow*>(lParam);
        window->hwnd_ = hwnd;
        ::SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(window));
    } else {
        window = reinterpret_cast<Win32DialogWindow*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    return window ? window->Handle(message, wParam, lParam) : FALSE;
}

INT_PTR Win32DialogWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return logic_.OnInitDialog(*this) ? TRUE : FALSE;
        case WM_SHOWWINDOW:
            logic_.OnShowWindow(*this, wParam != FALSE);
            return FALSE;
        case WM_COMMAND: {
            int id = LOWORD(wParam), code = HIWORD(wParam);
            bool handled = logic_.OnCommand(*this, id, code);
            if (!handled && modal_ && code == BN_CLICKED && (id == IDOK || id == IDCANCEL)) ::EndDialog(hwnd_, id);
            return TRUE;
        }
        case WM_SYSCOMMAND: {
            // The system uses the low four bits of the command itself.
            int command = static_cast<int>(wParam & 0xFFF0);
            if (systemMenuCommands_.count(command) && logic_.OnSysCommand(*this, command)) return TRUE;
            return FALSE;
        }
        case WM_TIMER:
            logic_.OnTimer(*this, static_cast<int>(wParam));
            return TRUE;
        case WM_HELP:
            // A page lets the request go up to the dialog it sits in.
            if (!modal_) return FALSE;
            logic_.OnHelp(*this);
            return TRUE;
        case WM_NOTIFY: {
            const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
            // The dialog manager returns DWLP_MSGRESULT to the sender only when the procedure
            // says it handled the message; kept per message, as the logic may cause another.
            const bool outer = notifyAnswered_;
            notifyAnswered_ = false;
            logic_.OnNotify(*this, static_cast<int>(header->idFrom), static_cast<int>(header->code));
            const bool answered = notifyAnswered_;
            notifyAnswered_ = outer;
            return answered ? TRUE : FALSE;
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
            // From a control (a trackbar, an up-down control); a window's own scroll bars send
            // no control handle.
            if (!lParam) return FALSE;
            logic_.OnScroll(*this, ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), LOWORD(wParam));
            return TRUE;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = ::BeginPaint(hwnd_, &paint);
            Win32Canvas canvas(dc, *this);
            logic_.OnPaint(*this, canvas);
            ::EndPaint(hwnd_, &paint);
            return TRUE;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT: {
            int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            if (!windowColourItems_.count(id)) return FALSE;
            HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
            ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_WINDOW));
        }
        case WM_DESTROY:
            logic_.OnDestroy(*this);
            return FALSE;
        case WM_NCDESTROY:
            DestroyImageLists();  // the controls that showed them are gone
            ::SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
            hwnd_ = nullptr;
            return FALSE;
        default:
            return FALSE;
    }
}

void Win32DialogWindow::SetTitle(std::string_view text) { ::SetWindowTextA(hwnd_, std::string(text).c_str()); }

std::string Win32DialogWindow::GetTitle() { return WindowText(hwnd_); }

void Win32DialogWindow::SetIcons() {
    HICON big = ::LoadIconA(module_, MAKEINTRESOURCEA(kMainIconId));
    HICON small = static_cast<HICON>(::LoadImageA(module_, MAKEINTRESOURCEA(kMainIconId), IMAGE_ICON,
                                                  ::GetSystemMetrics(SM_CXSMICON),
                                                  ::GetSystemMetrics(SM_CYSMICON), 0));
    ::SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    ::SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small ? small : big));
}

void Win32DialogWindow::AppendSystemMenuItem(int command, std::string_view text) {
    HMENU menu = ::GetSystemMenu(hwnd_, FALSE);
    if (!menu) return;
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(command), std::string(text).c_str());
    systemMenuCommands_.insert(command & 0xFFF0);
}

HFONT Win32DialogWindow::KeepFont(const plat::FontSpec& font) {
    HFONT handle = CreateFontFromSpec(font);
    if (handle) fonts_.push_back(handle);
    return handle;
}

void Win32DialogWindow::SetFontAll(const plat::FontSpec& font) {
    HFONT handle = KeepFont(font);
    if (!handle) return;
    ::SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(handle), TRUE);
    for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(handle), TRUE);
}

void Win32DialogWindow::SetItemFont(int id, const plat::FontSpec& font) {
    if (HFONT handle = KeepFont(font)) ::SendMessageA(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(handle), TRUE);
}

void Win32DialogWindow::SetTimer(int timerId, std::uint32_t milliseconds) {
    ::SetTimer(hwnd_, static_cast<UINT_PTR>(timerId), milliseconds, nullptr);
}

void Win32DialogWindow::SetItemText(int id, std::string_view text) {
    ::SetDlgItemTextA(hwnd_, id, std::string(text).c_str());
}

std::string Win32DialogWindow::GetItemText(int id) { return WindowText(Item(id)); }

void Win32DialogWindow::SetItemTextW(int id, std::u16string_view text) {
    std::wstring wide(text.begin(), text.end());
    ::SetDlgItemTextW(hwnd_, id, wide.c_str());
}

std::u16string Win32DialogWindow::GetItemTextW(int id) {
    HWND item = Item(id);
    int length = ::GetWindowTextLengthW(item);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    int got = ::GetWindowTextW(item, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return std::u16string(text.begin(), text.end());
}

bool Win32DialogWindow::IsItemVisible(int id) {
    // The control's own style: a control on a hidden page still counts as visible.
    return (::GetWindowLongA(Item(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32DialogWindow::CheckButton(int id, bool checked) {
    ::CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32DialogWindow::IsButtonChecked(int id) { return ::IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }

void Win32DialogWindow::SetFocus(int id) {
    // WM_NEXTDLGCTL also moves the default-button highlight as the dialog manager does.
    ::SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
}

void Win32DialogWindow::AddToolTip(int id, std::u16string_view text, int maxWidth) {
    // The tooltip is owned by the dialog, so it goes when the dialog does.
    HWND tip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                                 nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!tip) return;
    std::wstring wide(text.begin(), text.end());
    TTTOOLINFOW info{};
    // The version-5 size: common controls 5 and 6 both accept it.
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(Item(id));
    info.lpszText = wide.data();
    ::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    ::SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, maxWidth);
}

void Win32DialogWindow::SetEditLimit(int id, int characters) {
    UINT message = ClassOf(id) == ItemClass::ComboBox ? CB_LIMITTEXT : EM_LIMITTEXT;
    ::SendDlgItemMessageA(hwnd_, id, message, static_cast<WPARAM>(characters), 0);
}

void Win32DialogWindow::SetEditCharFilter(int id, std::u16string_view allowed) {
    HWND edit = Item(id);
    if (auto* filter = static_cast<EditCharFilter*>(::GetPropA(edit, kEditFilterProperty))) {
        filter->allowed = std::u16string(allowed);
        return;
    }
    auto* filter = new EditCharFilter{nullptr, std::u16string(allowed)};
    ::SetPropA(edit, kEditFilterProperty, filter);
    filter->previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FilteredEditProc)));
}

plat::Rect Win32DialogWindow::ItemRect(int id) {
    RECT r{};
    ::GetWindowRect(Item(id), &r);
    ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

void Win32DialogWindow::SetNotifyResult(std::intptr_t result) {
    ::SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, static_cast<LONG_PTR>(result));
    notifyAnswered_ = true;
}

void Win32DialogWindow::SetPageChanged(bool changed) {
    // The page's parent is its property sheet (PropSheet_Changed / PropSheet_UnChanged).
    ::SendMessageA(::GetParent(hwnd_), changed ? PSM_CHANGED : PSM_UNCHANGED,
                   reinterpret_cast<WPARAM>(hwnd_), 0);
}

Win32DialogWindow::ItemClass Win32DialogWindow::ClassOf(int id) const {
    char name[64] = {};
    ::GetClassNameA(Item(id), name, sizeof name);
    struct Row {
        const char* name;
        ItemClass itemClass;
    };
    static const Row rows[] = {
        {"ComboBox", ItemClass::ComboBox},          {"ListBox", ItemClass::ListBox},
        {PROGRESS_CLASSA, ItemClass::Progress},     {TRACKBAR_CLASSA, ItemClass::Trackbar},
        {UPDOWN_CLASSA, ItemClass::UpDown},         {"ScrollBar", ItemClass::ScrollBar},
    };
    for (const Row& row : rows)
        if (::lstrcmpiA(name, row.name) == 0) return row.itemClass;
    return ItemClass::Other;
}

void Win32DialogWindow::ResetList(int id) {
    bool combo = ClassOf(id) == ItemClass::ComboBox;
    ::SendDlgItemMessageA(hwnd_, id, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
}

int Win32DialogWindow::AddListItem(int id, std::string_view text) {
    bool combo = ClassOf(id) == ItemClass::ComboBox;
    std::string item(text);
    return static_cast<int>(::SendDlgItemMessageA(hwnd_, id, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                                                  reinterpret_cast<LPARAM>(item.c_str())));
}

int Win32DialogWindow::ListCount(int id) {
    bool combo = ClassOf(id) == ItemClass::ComboBox;
    return static_cast<int>(::SendDlgItemMessageA(hwnd_, id, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
}

std::string Win32DialogWindow::ListItemText(int id, int index) {
    bool combo = ClassOf(id) == ItemClass::ComboBox;
    LRESULT length = ::SendDlgItemMessageA(hwnd_, id, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN,
                                           static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT got = ::SendDlgItemMessageA(hwnd_, id, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

void Win32DialogWindow::SetListSelection(int id, int index) {
    bool combo = ClassOf(id) == ItemClass::ComboBox;
    ::SendDlgItemMessageA(hwnd_, id, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int Win32DialogWindow::GetListSelection(int id) {
    bool combo = ClassOf(id) == ItemClass::ComboBox;
    LRESULT selection = ::SendDlgItemMessageA(hwnd_, id, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
    return selection < 0 ? -1 : static_cast<int>(selection);
}

int Win32DialogWindow::AddListItemW(int id, std::u16string_view text) {
    bool combo = ClassOf(id) == ItemClass::ComboBox;
    std::wstring item(text.begin(), text.end());
    return static_cast<int>(::SendDlgItemMessageW(hwnd_, id, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                                                  reinterpret_cast<LPARAM>(item.c_str())));
}

std::u16string Win32DialogWindow::ListItemTextW(int id, int index) {
    bool combo = ClassOf(id) == ItemClass::ComboBox;
    LRESULT length = ::SendDlgItemMessageW(hwnd_, id, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN,
                                           static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT got = ::SendDlgItemMessageW(hwnd_, id, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return std::u16string(text.begin(), text.end());
}

void Win32DialogWindow::DeleteListItem(int id, int index) {
    bool combo = ClassOf(id) == ItemClass::ComboBox;
    ::SendDlgItemMessageW(hwnd_, id, combo ? CB_DELETESTRING : LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void Win32DialogWindow::SetIpAddress(int id, std::uint32_t address) {
    ::SendDlgItemMessageA(hwnd_, id, IPM_SETADDRESS, 0, static_cast<LPARAM>(address));
}

int Win32DialogWindow::GetIpAddress(int id, std::uint32_t& address) {
    DWORD value = 0;
    LRESULT filled = ::SendDlgItemMessageA(hwnd_, id, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&value));
    address = value;
    return static_cast<int>(filled);
}

bool Win32DialogWindow::IsIpAddressBlank(int id) {
    return ::SendDlgItemMessageA(hwnd_, id, IPM_ISBLANK, 0, 0) != 0;
}

void Win32DialogWindow::ClearIpAddress(int id) { ::SendDlgItemMessageA(hwnd_, id, IPM_CLEARADDRESS, 0, 0); }

void Win32DialogWindow::SetRange(int id, int low, int high) {
    switch (ClassOf(id)) {
        case ItemClass::Progress: ::SendDlgItemMessageA(hwnd_, id, PBM_SETRANGE32, static_cast<WPARAM>(low), high); break;
        case ItemClass::Trackbar:
            ::SendDlgItemMessageA(hwnd_, id, TBM_SETRANGEMIN, FALSE, low);
            ::SendDlgItemMessageA(hwnd_, id, TBM_SETRANGEMAX, TRUE, high);
            break;
        case ItemClass::UpDown: ::SendDlgItemMessageA(hwnd_, id, UDM_SETRANGE32, static_cast<WPARAM>(low), high); break;
        case ItemClass::ScrollBar: ::SetScrollRange(Item(id), SB_CTL, low, high, TRUE); break;
        default: break;
    }
}

void Win32DialogWindow::SetPosition(int id, int position) {
    switch (ClassOf(id)) {
        case ItemClass::Progress: ::SendDlgItemMessageA(hwnd_, id, PBM_SETPOS, static_cast<WPARAM>(position), 0); break;
        case ItemClass::Trackbar: ::SendDlgItemMessageA(hwnd_, id, TBM_SETPOS, TRUE, position); break;
        case ItemClass::UpDown: ::SendDlgItemMessageA(hwnd_, id, UDM_SETPOS32, 0, position); break;
        case ItemClass::ScrollBar: ::SetScrollPos(Item(id), SB_CTL, position, TRUE); break;
        default: break;
    }
}

int Win32DialogWindow::GetPosition(int id) {
    switch (ClassOf(id)) {
        case ItemClass::Progress: return static_cast<int>(::SendDlgItemMessageA(hwnd_, id, PBM_GETPOS, 0, 0));
        case ItemClass::Trackbar: return static_cast<int>(::SendDlgItemMessageA(hwnd_, id, TBM_GETPOS, 0, 0));
        case ItemClass::UpDown: return static_cast<int>(::SendDlgItemMessageA(hwnd_, id, UDM_GETPOS32, 0, 0));
        case ItemClass::ScrollBar: return ::GetScrollPos(Item(id), SB_CTL);
        default: return 0;
    }
}

int Win32DialogWindow::LoadBitmapFile(std::string_view path) {
    HANDLE image = ::LoadImageA(nullptr, std::string(path).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (!image) return 0;
    bitmaps_.push_back(static_cast<HBITMAP>(image));
    return static_cast<int>(bitmaps_.size());
}

HBITMAP Win32DialogWindow::Bitmap(int bitmapId) const {
    if (bitmapId < 1 || bitmapId > static_cast<int>(bitmaps_.size())) return nullptr;
    return bitmaps_[static_cast<size_t>(bitmapId - 1)];
}

std::unique_ptr<plat::DialogWindow> Win32DialogWindow::CreateChildPage(int templateId, plat::DialogLogic& logic,
                                                                       int placeholderId) {
    return CreateChildPage(Module(), templateId, logic, placeholderId);
}

int Win32DialogWindow::RunModalChild(int templateId, plat::DialogLogic& logic) {
    return RunModalChild(Module(), templateId, logic);
}

void Win32DialogWindow::InsertEditText(int id, std::string_view text) {
    HWND edit = Item(id);
    ::SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    ::SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(std::string(text).c_str()));
}

std::string Win32DialogWindow::LoadStringResource(int id) {
    char text[256] = {};
    int length = ::LoadStringA(module_, static_cast<UINT>(id), text, sizeof text);
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

plat::ModuleRef Win32DialogWindow::Module() {
    return plat::ModuleRef{reinterpret_cast<std::uintptr_t>(module_)};
}

std::unique_ptr<plat::DialogWindow> Win32DialogWindow::CreateChildPage(plat::ModuleRef module, int templateId,
                                                                       plat::DialogLogic& logic,
                                                                       int placeholderId) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(module.handle);
    auto page = std::make_unique<Win32DialogWindow>(instance, logic, false);
    HWND child = ::CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), hwnd_, &DialogProc,
                                      reinterpret_cast<LPARAM>(page.get()));
    if (!child) return nullptr;
    if (::IsWindowVisible(child)) ::ShowWindow(child, SW_HIDE);
    plat::Rect r = ItemRect(placeholderId);
    ::SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    return page;
}

int Win32DialogWindow::RunModalChild(plat::ModuleRef module, int templateId, plat::DialogLogic& logic) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(module.handle);
    Win32DialogWindow child(instance, logic, true);
    return static_cast<int>(::DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), hwnd_, &DialogProc,
                                              reinterpret_cast<LPARAM>(&child)));
}

int Win32DialogWindow::MessageBox(std::string_view text, std::string_view caption, std::uint32_t type) {
    return ::MessageBoxA(hwnd_, std::string(text).c_str(), std::string(caption).c_str(), type);
}

}  // namespace win32
