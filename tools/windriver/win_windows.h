// What the driver reads from the windows of the program under test: top-level windows, the
// pages inside a dialog, message boxes, and a control's kind, text and state as `show` prints
// them. Every call here works across processes (window messages the system marshals).
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "tools/windriver/resource_names.h"

namespace windriver {

// UTF-8 of a window's text (WM_GETTEXT in UTF-16).
std::string WindowTextUtf8(HWND window);
std::string ClassOf(HWND window);
// The visible top-level windows of a process, topmost first.
std::vector<HWND> VisibleTopLevelWindows(DWORD processId);

// A message box: a dialog whose children are only the standard buttons, its icon and its text.
bool IsMessageBox(HWND window);
struct MessageBoxView {
    std::string caption, text;
    bool hasIcon = false;
    std::vector<int> buttons;  // ids, left to right
    int defaultButton = 0;
};
MessageBoxView ReadMessageBox(HWND box);
// "OK", "Cancel", ... for a button id.
std::string ButtonName(int id);

// The dialog templates of a program file, by template id, each with its control ids.
class Templates {
public:
    bool Load(const std::string& programPath);
    // The template a dialog window was made from, by its controls (child dialogs aside); 0 when
    // none matches.
    int Match(HWND dialog) const;

private:
    std::map<int, std::vector<int>> ids_;
};

// The controls of a dialog in creation order, without its child dialogs (the pages).
std::vector<HWND> Controls(HWND dialog);
// The child dialogs (pages) of a dialog in creation order.
std::vector<HWND> Pages(HWND dialog);

// `show` lines: "1002 IDC_BACK button "< &Back" disabled" without the indent.
std::string DescribeControl(HWND control, const ResourceNames& names);
// The simulator's kind names: "default button", "auto radio button", "drop-down list", ...
std::string KindOf(HWND control);
bool IsDropDownList(HWND control);
bool IsButtonKind(HWND control);  // push, check and radio buttons (not group boxes)
// The text of entry `index` of a combo box or list box.
std::string ListEntry(HWND control, int index);

// Texts in dumps are cut after 60 bytes of UTF-8, at a character boundary, with "...".
std::string CutForDump(const std::string& utf8);

}  // namespace windriver
