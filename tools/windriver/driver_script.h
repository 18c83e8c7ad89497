// The automation script as the Windows-side driver reads it: the same text format the
// simulator takes (docs/winsim.md, "The automation script"), one action a line.
#pragma once
#include <string>
#include <vector>

namespace windriver {

struct DriverAction {
    int line = 0;         // 1-based line in the script
    std::string verb;     // lower case: answer, expect, click, choose, type, leave, tick, untick,
                          // key, close, sys, wait, show, expect-text, expect-title
    std::string control;  // the control as written (id number or resource-header name)
    std::string text;     // the rest: a button name, a list entry, typed text, a key name
    std::string source;   // the line as written, without surrounding blanks

    bool forMessageBox() const { return verb == "answer" || verb == "expect"; }
    // "line 3: answer Yes", as the simulator names an action in its transcript.
    std::string Describe() const { return "line " + std::to_string(line) + ": " + source; }
};

// Parses a whole script. Blank lines and lines starting with '#' are skipped; verbs and
// button and key names ignore letter case (they are stored as the simulator spells them:
// "OK", "Cancel", "Escape", ...). False with "line N: ..." in error for the first line that
// is not understood.
bool ParseDriverScript(const std::string& text, std::vector<DriverAction>& out, std::string& error);

}  // namespace windriver
