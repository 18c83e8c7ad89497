// The automation script: what the simulated person at the desktop does, one action a line.
//
//   # a comment
//   expect Windows 98          the next message box's text must contain "Windows 98"
//   answer Yes                 the next message box is answered Yes
//   click IDC_BACK             a mouse click on a button (by symbolic name or id number)
//   choose 1030 PX-6100        a list or combo box entry, by text or as #INDEX
//   type 1041 9600             replaces an edit's text; leave ID takes the focus away
//   type-ip 1047 10.0.0.5      fills an IP address control's four fields (a field may be empty)
//   tick 1046 / untick 1046    a check box ends ticked / unticked
//   tick-row 1001 VTX-80R(S)   a list view row's check box ends ticked (untick-row: unticked)
//   key F1|Escape|Enter        a key press in the current dialog
//   close                      the current dialog's close box
//   sys IDM_ABOUTBOX           a command from the current dialog's system menu
//   wait                       timers run until the current dialog ends
//   wait-enabled 1003          timers run until the control is enabled (a program's own work
//                              on another thread ends with it)
//   show                       the current dialog's controls go into the transcript
//   expect-text ID TEXT        the control's text must equal TEXT
//   expect-title TEXT          the current dialog's title must equal TEXT
//   tab CAPTION                a property sheet's tab, as a click on it
//   apply                      a property sheet's Apply button
//   select-row 1048 A          a list view row chosen with a click, by its first column's text
//                              or as #INDEX (double-click-row: a double click)
//   slide 1018 90              a trackbar's thumb dragged to a position
//   spin 1080 up|down          one click on an up-down control's arrow
//   pick-file C:\logos\a.bmp   the next open-file dialog is answered with the file
//   cancel-file                the next open-file dialog is cancelled
//   save-picture 1085 a.png    the control's area as the last paint left it, saved as a PNG file
//                              on the host (relative to the directory winsim runs in)
//
// docs/winsim.md ("The automation script") describes every action in full.
//
// Actions are taken in order by whichever process on the machine asks next (setup and the
// Install it starts share one script), so the position in the script is machine-wide state.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sim {

enum class ScriptVerb {
    Answer,  // answer OK|Cancel|Yes|No|Abort|Retry|Ignore: the next message box
    Expect,  // expect TEXT: the next message box's text contains TEXT
    // The actions on the current dialog (the innermost modal dialog that is open).
    Click,        // click ID
    Choose,       // choose ID TEXT | choose ID #INDEX
    Type,         // type ID TEXT
    TypeIp,       // type-ip ID A.B.C.D
    Leave,        // leave ID
    Tick,         // tick ID
    Untick,       // untick ID
    TickRow,      // tick-row ID TEXT: a list view row's check box
    UntickRow,    // untick-row ID TEXT
    Key,          // key F1|Escape|Enter
    Close,        // close
    Sys,          // sys ID
    Wait,         // wait
    WaitEnabled,  // wait-enabled ID
    Show,         // show
    ExpectText,   // expect-text ID TEXT
    ExpectTitle,  // expect-title TEXT
    Tab,          // tab CAPTION: a property sheet's tab
    Apply,        // apply: a property sheet's Apply button
    SelectRow,       // select-row ID TEXT | select-row ID #INDEX
    DoubleClickRow,  // double-click-row ID TEXT | #INDEX
    Slide,           // slide ID N
    Spin,            // spin ID up|down
    PickFile,        // pick-file PATH: the next open-file dialog
    CancelFile,      // cancel-file: the next open-file dialog
    SavePicture,     // save-picture ID FILE
};

struct ScriptAction {
    int line = 0;           // 1-based line in the script file
    ScriptVerb verb = ScriptVerb::Answer;
    std::string argument;   // the answer's button name as written in the table, or the TEXT
    int answerId = 0;       // IDOK, IDYES, ... for answer
    std::string control;    // the control as written: an id number or a symbolic name
    std::string text;       // the TEXT of choose, type, expect-text, expect-title; key's name
    std::string source;     // the line as written, without surrounding blanks

    bool forMessageBox() const { return verb == ScriptVerb::Answer || verb == ScriptVerb::Expect; }
    bool forFileDialog() const { return verb == ScriptVerb::PickFile || verb == ScriptVerb::CancelFile; }
    // An action for a box the system shows over the dialog, not for the dialog itself.
    bool forSystemDialog() const { return forMessageBox() || forFileDialog(); }
    // "line 3: answer Yes", for the transcript and winsim's report.
    std::string Describe() const;
};

// Parses a whole script (UTF-8 text). Blank lines and lines whose first non-blank character is
// '#' are skipped; verbs and button names ignore letter case. False with "line N: ..." in
// error for the first line that is not understood.
bool ParseScript(const std::string& text, std::vector<ScriptAction>& out, std::string& error);

// The script a machine is running and how far it has got. The position is kept in the
// machine's state directory together with the script's path, so every process started with
// the same script continues where the previous one stopped; a different script starts at its
// beginning.
class ScriptRun {
public:
    ScriptRun(std::filesystem::path machineDir, std::filesystem::path script);

    // Starts the script from its first action (winsim does this before it starts a program).
    void Restart();
    // Reads and parses the script. False with the reason (a parse error, an unreadable file).
    bool Load(std::string& error);
    // The actions not taken yet, in order (after a successful Load).
    std::vector<ScriptAction> Remaining() const;
    // The next action not taken yet, if any; and taking it. Callers that look and then take
    // hold the MachineLock across both.
    std::optional<ScriptAction> Next() const;
    void Take();

private:
    std::size_t Position() const;
    void SetPosition(std::size_t position) const;

    std::filesystem::path machineDir_;
    std::filesystem::path script_;
    std::vector<ScriptAction> actions_;
};

}  // namespace sim
