// Shared checks of transcript lines (what `winsim run` prints and what the machine's transcript
// holds): each phrase of the transcript's format is written here once, so a change of wording
// is one edit.
#pragma once
#include <string>
#include <vector>

namespace testsupport {

// The lines that contain `text`, in order, and how often `text` occurs.
std::vector<std::string> TranscriptLines(const std::string& transcript, const std::string& text);
int CountInTranscript(const std::string& transcript, const std::string& text);

// Message boxes: every box's line, and whether (how often) a box showed `text` in its caption
// or its text.
std::vector<std::string> MessageBoxes(const std::string& transcript);
bool ShowedMessage(const std::string& transcript, const std::string& text);
int CountMessages(const std::string& transcript, const std::string& text);

// Top-level windows and dialogs by title.
bool OpenedWindow(const std::string& transcript, const std::string& title);
bool ClosedWindow(const std::string& transcript, const std::string& title);
int CountWindowsClosed(const std::string& transcript, const std::string& title);
bool RetitledTo(const std::string& transcript, const std::string& title);
// Brought to the foreground / restored; an empty title accepts any window.
bool BroughtToForeground(const std::string& transcript, const std::string& title = "");
bool BroughtToTop(const std::string& transcript, const std::string& title);
bool RestoredWindow(const std::string& transcript, const std::string& title = "");

// Pages of the wizard by template name ("IDD_OS_PAGE"); an empty name counts every page.
bool ShowedPage(const std::string& transcript, const std::string& page);
int CountPagesShown(const std::string& transcript, const std::string& page);

// The lines of ShellExecuteA's "open" verb.
std::vector<std::string> ShellOpens(const std::string& transcript);

// The lines a script's `show` dumps for one control, given as "1066 IDC_TYPICAL", in order;
// and every control line of every `show`.
std::vector<std::string> ControlStates(const std::string& transcript,
                                       const std::string& idAndName);
std::vector<std::string> AllControlStates(const std::string& transcript);

// A message box with the example package's success text ("The printer driver has been
// installed."), as a successful installation ends.
bool SaidInstalled(const std::string& transcript);

// The warnings `show` prints for a control whose text cannot fit it.
std::vector<std::string> TextFitWarnings(const std::string& transcript);

}  // namespace testsupport
