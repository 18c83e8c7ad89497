// The lines of a transcript that both the simulator and the Windows-side driver can observe,
// in one form, so the two transcripts of one scenario can be compared line by line.
#pragma once
#include <string>
#include <vector>

namespace windriver {

// Keeps windows opening, closing and being retitled, pages shown and hidden, message boxes,
// the script's actions and their refusals, script errors, and `show` dumps; drops what only
// one side sees (programs' own transcript notes, shell and foreground lines, painting, fonts,
// the focus, the read-only edit's colours, resource names in dumps, simulator warnings, and
// which icon a message box shows (only whether it shows one) and the text of a system menu
// item (only that one was chosen).
// A window opened and retitled at once reads as opened under its new title, since a person
// only sees the title it is shown with.
std::vector<std::string> ObservableLines(const std::string& transcript);

}  // namespace windriver
