// The driver's run: start the program, then alternately let it settle, write what changed on
// its screen, and take the script's next action on its current window.
#include "tools/windriver/win_driver.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "tools/windriver/win_screenshot.h"

namespace windriver {

namespace {

struct ScriptFailure {};

constexpr DWORD kStepMs = 50;
constexpr DWORD kFirstWindowMs = 30000;  // how long a program may take to show anything
constexpr DWORD kSettleMs = 10000;       // how long one reaction may take
constexpr DWORD kLongestWaitMs = 600000; // `wait`: as the simulator, at most 10 minutes

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The transcript shows a line break inside a text as "\n", as the simulator writes it.
std::string EscapeLineBreaks(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (text[i] == '\n' || text[i] == '\r') out += "\\n";
        else out += text[i];
    }
    return out;
}

void Click(HWND control) { ::PostMessageW(control, BM_CLICK, 0, 0); }

// A key press as the keyboard delivers it to the window with the focus.
void PressKey(HWND target, WPARAM key) {
    UINT scan = ::MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    ::PostMessageW(target, WM_KEYDOWN, key, 1 | (static_cast<LPARAM>(scan) << 16));
    ::PostMessageW(target, WM_KEYUP, key, 1 | (static_cast<LPARAM>(scan) << 16) | (3u << 30));
}

HWND FocusOf(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    DWORD thread = ::GetWindowThreadProcessId(dialog, nullptr);
    if (::GetGUIThreadInfo(thread, &info) && info.hwndFocus) return info.hwndFocus;
    return dialog;
}

}  // namespace

Driver::Driver(DriverOptions options, std::FILE* transcript)
    : options_(std::move(options)), transcript_(transcript) {}

void Driver::Write(const std::string& line) {
    std::fprintf(transcript_, "%s: %s\n", options_.programName.c_str(), EscapeLineBreaks(line).c_str());
    std::fflush(transcript_);
}

void Driver::Fail(const std::string& line) {
    Write(line);
    throw ScriptFailure{};
}

int Driver::Run() {
    templates_.Load(options_.program);
    std::string directory = options_.program.substr(0, options_.program.find_last_of("\\/") + 1);
    std::string commandLine = Quoted(options_.program);
    if (!options_.arguments.empty()) commandLine += ' ' + options_.arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessA(options_.program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          directory.empty() ? nullptr : directory.c_str(), &startup, &process_)) {
        std::fprintf(stderr, "windriver: cannot start %s (error %lu)\n", options_.program.c_str(), ::GetLastError());
        return 125;
    }
    ::WaitForInputIdle(process_.hProcess, kFirstWindowMs);
    int status = 0;
    try {
        DWORD quiet = 0;  // how long no window has been open
        for (;;) {
            Settle();
            if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0) break;
            bool box = false;
            HWND window = CurrentWindow(box);
            if (!window) {
                if (quiet > kFirstWindowMs) Fail("script error: the program shows no window and does not end");
                ::Sleep(kStepMs);
                quiet += kStepMs;
                continue;
            }
            quiet = 0;
            if (box) {
                AnswerMessageBox(window);
                continue;
            }
            std::string title = Quoted(WindowTextUtf8(window));
            if (next_ >= options_.script.size()) Fail("script error: script ended while " + title + " is open");
            const DriverAction& action = options_.script[next_];
            if (action.forMessageBox())
                Fail("script error: " + action.Describe() + ": no message box is open; " + title + " is open");
            ++next_;
            Perform(action, window);
        }
        DWORD code = 0;
        ::GetExitCodeProcess(process_.hProcess, &code);
        status = static_cast<int>(code);
    } catch (const ScriptFailure&) {
        ::TerminateProcess(process_.hProcess, 3);
        ::WaitForSingleObject(process_.hProcess, 5000);
        status = 3;
    }
    // As winsim run: the actions nobody took, also after a script error (the failing dialog
    // action counts as taken, a message-box action that found no box does not).
    for (std::size_t i = next_; i < options_.script.size(); ++i)
        std::fprintf(transcript_, "script not finished: %s\n", options_.script[i].Describe().c_str());
    if (status == 0 && next_ < options_.script.size()) status = 4;
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
    return status;
}

std::vector<Driver::WindowState> Driver::Snapshot() {
    std::vector<WindowState> now;
    for (HWND window : VisibleTopLevelWindows(process_.dwProcessId)) {
        WindowState state{window, WindowTextUtf8(window), IsMessageBox(window), {}};
        if (!state.messageBox)
            for (HWND page : Pages(window))
                state.pages.push_back({page, templates_.Match(page), ::IsWindowVisible(page) != FALSE});
        now.push_back(std::move(state));
    }
    return now;
}

void Driver::Settle() {
    // A posted action has been handled (or has opened a modal loop) once the program's thread
    // has come back for its next message twice: a sent message is taken before posted ones, so
    // the first may overtake the action, the second cannot.
    auto answered = [&] {
        std::vector<HWND> windows = VisibleTopLevelWindows(process_.dwProcessId);
        DWORD_PTR ignored = 0;
        if (!windows.empty()) ::SendMessageTimeoutW(windows[0], WM_NULL, 0, 0, SMTO_NORMAL, kSettleMs, &ignored);
    };
    answered();
    answered();
    // Then its screen has settled when two looks a step apart agree.
    std::vector<WindowState> last = Snapshot();
    for (DWORD waited = 0; waited < kSettleMs; waited += kStepMs) {
        answered();
        ::Sleep(kStepMs);
        std::vector<WindowState> now = Snapshot();
        auto same = [](const std::vector<WindowState>& a, const std::vector<WindowState>& b) {
            if (a.size() != b.size()) return false;
            for (std::size_t i = 0; i < a.size(); ++i) {
                if (a[i].window != b[i].window || a[i].title != b[i].title || a[i].pages.size() != b[i].pages.size())
                    return false;
                for (std::size_t p = 0; p < a[i].pages.size(); ++p)
                    if (a[i].pages[p].visible != b[i].pages[p].visible) return false;
            }
            return true;
        };
        bool settled = same(last, now);
        last = std::move(now);
        if (settled) break;
    }
    Observe(last);
}

std::string Driver::PageName(const PageState& page) const {
    std::string name = options_.names.NameOf(page.templateId, "IDD_");
    return "page " + (name.empty() ? std::to_string(page.templateId) : name) + " (" + std::to_string(page.templateId) + ")";
}

void Driver::Observe(const std::vector<WindowState>& now) {
    HWND changed = nullptr;
    for (const WindowState& before : seen_) {
        bool open = std::any_of(now.begin(), now.end(), [&](const WindowState& w) { return w.window == before.window; });
        if (!open && !before.messageBox) Write("closes window " + Quoted(before.title));
    }
    // Windows that opened, oldest (bottom-most) first.
    for (auto it = now.rbegin(); it != now.rend(); ++it) {
        const WindowState& w = *it;
        auto before = std::find_if(seen_.begin(), seen_.end(), [&](const WindowState& s) { return s.window == w.window; });
        if (w.messageBox) {
            if (before == seen_.end()) changed = w.window;
            continue;
        }
        if (before == seen_.end()) {
            Write("opens window " + Quoted(w.title));
            for (const PageState& p : w.pages)
                if (p.visible) Write("shows " + PageName(p));
            changed = w.window;
            continue;
        }
        if (before->title != w.title) {
            Write("window " + Quoted(before->title) + " is now titled " + Quoted(w.title));
            changed = w.window;
        }
        // A page switch hides the page left before it shows the next.
        for (const PageState& p : w.pages)
            for (const PageState& q : before->pages)
                if (p.window == q.window && q.visible && !p.visible) Write("hides " + PageName(p));
        for (const PageState& p : w.pages)
            for (const PageState& q : before->pages)
                if (p.window == q.window && !q.visible && p.visible) {
                    Write("shows " + PageName(p));
                    changed = w.window;
                }
    }
    seen_ = now;
    if (changed) Screenshot(changed);
}

HWND Driver::CurrentWindow(bool& messageBox) {
    // The innermost modal window is the one that is still enabled: it disabled its owner.
    for (HWND window : VisibleTopLevelWindows(process_.dwProcessId)) {
        if (!::IsWindowEnabled(window)) continue;
        messageBox = IsMessageBox(window);
        return window;
    }
    return nullptr;
}

void Driver::AnswerMessageBox(HWND box) {
    MessageBoxView view = ReadMessageBox(box);
    std::string buttons;
    for (int id : view.buttons) {
        if (!buttons.empty()) buttons += '/';
        buttons += ButtonName(id);
    }
    std::string line = "message box " + Quoted(view.caption) + " [" + (view.hasIcon ? "icon" : "no icon") + ", " +
                       buttons + "] " + Quoted(view.text);
    const auto& script = options_.script;
    for (; next_ < script.size() && script[next_].verb == "expect"; ++next_) {
        if (view.text.find(script[next_].text) == std::string::npos) {
            Write(line + " -> script error");
            Fail("script error: " + script[next_].Describe() + ": the message box says " + Quoted(view.text));
        }
    }
    int answer = view.defaultButton;
    std::string how;
    if (next_ < script.size() && script[next_].verb == "answer") {
        const DriverAction& a = script[next_];
        auto offered = std::find_if(view.buttons.begin(), view.buttons.end(),
                                    [&](int id) { return ButtonName(id) == a.text; });
        if (offered == view.buttons.end()) {
            Write(line + " -> script error");
            Fail("script error: " + a.Describe() + ": the message box offers only " + buttons);
        }
        answer = *offered;
        how = "script line " + std::to_string(a.line);
        ++next_;
    } else {
        how = next_ < script.size() ? "default button; the script's next action is " + script[next_].Describe()
                                    : "default button; no script action left";
    }
    Write(line + " -> " + ButtonName(answer) + " (" + how + ")");
    Click(::GetDlgItem(box, answer));
}

HWND Driver::Resolve(const DriverAction& action, HWND dialog, bool mustBeUsable) {
    auto fail = [&](const std::string& why) { Fail("script error: " + action.Describe() + ": " + why); };
    int id = 0;
    const std::string& c = action.control;
    if (std::isdigit(static_cast<unsigned char>(c[0])) || c[0] == '-') id = std::atoi(c.c_str());
    else if (auto known = options_.names.IdOf(c)) id = *known;
    else fail("no resource header defines '" + c + "'");
    // The dialog's own controls first, then its pages', shown pages before hidden ones.
    HWND found = nullptr, page = nullptr;
    for (HWND control : Controls(dialog))
        if (static_cast<short>(::GetDlgCtrlID(control)) == id) found = control;
    if (!found) {
        for (HWND p : Pages(dialog)) {
            for (HWND control : Controls(p)) {
                if (static_cast<short>(::GetDlgCtrlID(control)) != id) continue;
                if (!found || (::IsWindowVisible(p) && !::IsWindowVisible(page))) {
                    found = control;
                    page = p;
                }
            }
        }
    }
    if (!found) fail(Quoted(WindowTextUtf8(dialog)) + " has no control " + std::to_string(id));
    if (mustBeUsable) {
        if (page && !::IsWindowVisible(page)) {
            PageState state{page, templates_.Match(page), false};
            fail("the control is on " + PageName(state) + ", which is hidden");
        }
        if (!(::GetWindowLongA(found, GWL_STYLE) & WS_VISIBLE)) fail("the control is hidden");
        if (!::IsWindowEnabled(found)) fail("the control is disabled");
    }
    return found;
}

std::string Driver::NameOf(HWND control, bool withText) {
    int id = static_cast<short>(::GetDlgCtrlID(control));
    std::string name = options_.names.NameOf(id, "IDC_");
    if (name.empty()) name = std::to_string(id);
    std::string text = WindowTextUtf8(control);
    return withText && !text.empty() ? name + " " + Quoted(text) : name;
}

void Driver::Perform(const DriverAction& action, HWND dialog) {
    auto fail = [&](const std::string& why) { Fail("script error: " + action.Describe() + ": " + why); };
    std::string title = Quoted(WindowTextUtf8(dialog));
    const std::string& verb = action.verb;
    if (verb == "click") {
        HWND c = Resolve(action, dialog, true);
        if (!IsButtonKind(c)) fail("control " + action.control + " is a " + KindOf(c) + ", which cannot be clicked");
        Write("clicks " + NameOf(c, true));
        Click(c);
    } else if (verb == "tick" || verb == "untick") {
        HWND c = Resolve(action, dialog, true);
        std::string kind = KindOf(c);
        if (kind != "check box" && kind != "auto check box") fail("control " + action.control + " is a " + kind + ", not a check box");
        bool tick = verb == "tick";
        bool checked = ::SendMessageW(c, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (checked == tick) {
            Write(NameOf(c, true) + " is already " + (tick ? "ticked" : "unticked"));
        } else {
            Write(std::string(tick ? "ticks " : "unticks ") + NameOf(c, true));
            Click(c);
        }
    } else if (verb == "choose") {
        HWND c = Resolve(action, dialog, true);
        bool combo = ClassOf(c) == "ComboBox";
        if (!combo && ClassOf(c) != "ListBox") fail("control " + action.control + " is a " + KindOf(c) + ", not a list");
        int count = static_cast<int>(::SendMessageW(c, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
        int index = -1;
        if (action.text[0] == '#') index = std::atoi(action.text.c_str() + 1);
        else
            for (int i = 0; i < count && index < 0; ++i)
                if (ListEntry(c, i) == action.text) index = i;
        if (index < 0 || index >= count) fail("the list has no entry " + Quoted(action.text));
        Write("chooses " + Quoted(ListEntry(c, index)) + " in " + NameOf(c, false));
        // A person's choice: the selection moves and the owner hears of it.
        ::SendMessageW(c, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        WORD code = combo ? CBN_SELCHANGE : LBN_SELCHANGE;
        ::PostMessageW(::GetParent(c), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(c), code), reinterpret_cast<LPARAM>(c));
    } else if (verb == "type") {
        HWND c = Resolve(action, dialog, true);
        Write("types " + Quoted(action.text) + " into " + NameOf(c, false));
        ::SendMessageA(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(action.text.c_str()));
    } else if (verb == "leave") {
        HWND c = Resolve(action, dialog, true);
        ::PostMessageW(::GetParent(c), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(c), EN_KILLFOCUS), reinterpret_cast<LPARAM>(c));
    } else if (verb == "key") {
        Write("presses " + action.text + " in " + title);
        if (action.text == "Enter") {
            LRESULT def = ::SendMessageW(dialog, DM_GETDEFID, 0, 0);
            HWND button = ::GetDlgItem(dialog, HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK);
            if (button && !::IsWindowEnabled(button)) Write("the default button is disabled; nothing happens");
        }
        WPARAM key = action.text == "F1" ? VK_F1 : action.text == "Escape" ? VK_ESCAPE : VK_RETURN;
        PressKey(FocusOf(dialog), key);
    } else if (verb == "close") {
        Write("closes " + title + " with its close box");
        HWND cancel = ::GetDlgItem(dialog, IDCANCEL);
        if (cancel && !::IsWindowEnabled(cancel)) Write("the Cancel button is disabled; nothing happens");
        ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (verb == "sys") {
        int id = 0;
        if (std::isdigit(static_cast<unsigned char>(action.control[0]))) id = std::atoi(action.control.c_str());
        else if (auto known = options_.names.IdOf(action.control)) id = *known;
        else fail("no resource header defines '" + action.control + "'");
        // Another process's menus cannot be read under Wine, so the item is not named.
        Write("chooses an item from the system menu of " + title);
        ::PostMessageW(dialog, WM_SYSCOMMAND, static_cast<WPARAM>(id & ~0xF), 0);
    } else if (verb == "wait") {
        Write("waits until " + title + " closes");
        for (DWORD waited = 0; ::IsWindow(dialog) && ::IsWindowVisible(dialog); waited += kStepMs) {
            if (waited > kLongestWaitMs) fail(title + " did not close in 10 minutes of waiting");
            ::Sleep(kStepMs);
        }
    } else if (verb == "show") {
        Show(dialog);
    } else if (verb == "expect-text") {
        HWND c = Resolve(action, dialog, false);
        std::string shown;
        if (IsDropDownList(c)) {
            LRESULT selection = ::SendMessageW(c, CB_GETCURSEL, 0, 0);
            if (selection >= 0) shown = ListEntry(c, static_cast<int>(selection));
        } else {
            shown = WindowTextUtf8(c);
        }
        if (shown != action.text) fail("control " + action.control + " shows " + Quoted(shown));
    } else if (verb == "expect-title") {
        std::string shown = WindowTextUtf8(dialog);
        if (shown != action.text) fail("the title is " + Quoted(shown));
    }
}

void Driver::Show(HWND dialog) {
    Write("shows " + Quoted(WindowTextUtf8(dialog)) + " (dialog " + std::to_string(templates_.Match(dialog)) + "):");
    for (HWND control : Controls(dialog)) Write("  " + DescribeControl(control, options_.names));
    for (HWND page : Pages(dialog)) {
        PageState state{page, templates_.Match(page), ::IsWindowVisible(page) != FALSE};
        Write("  " + PageName(state) + (state.visible ? ":" : " (hidden)"));
        if (!state.visible) continue;
        for (HWND control : Controls(page)) Write("    " + DescribeControl(control, options_.names));
    }
    Screenshot(dialog);
}

void Driver::Screenshot(HWND window) {
    if (options_.screenshotDir.empty()) return;
    char name[32];
    std::snprintf(name, sizeof name, "-%02d.bmp", ++shots_);
    std::string path = options_.screenshotDir + "\\" + options_.screenshotStem + name;
    if (!SaveWindowBitmap(window, path)) std::fprintf(stderr, "windriver: no screenshot of the window at %s\n", path.c_str());
}

}  // namespace windriver
