// The transcript's phrases, one place each.
#include "tests/support/transcript_checks.h"

#include <regex>
#include <sstream>

namespace testsupport {

namespace {

std::string Quoted(const std::string& title) { return "\"" + title + "\""; }

bool Contains(const std::string& text, const std::string& what) {
    return text.find(what) != std::string::npos;
}

constexpr const char* kMessageBox = "message box ";
// The example package's success text, which every successful installation shows first.
constexpr const char* kInstalledText = "\"The printer driver has been installed.";

}  // namespace

std::vector<std::string> TranscriptLines(const std::string& transcript, const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(transcript);
    for (std::string line; std::getline(in, line);)
        if (Contains(line, text)) lines.push_back(line);
    return lines;
}

int CountInTranscript(const std::string& transcript, const std::string& text) {
    int n = 0;
    for (size_t at = transcript.find(text); at != std::string::npos;
         at = transcript.find(text, at + 1))
        ++n;
    return n;
}

std::vector<std::string> MessageBoxes(const std::string& transcript) {
    return TranscriptLines(transcript, kMessageBox);
}

bool ShowedMessage(const std::string& transcript, const std::string& text) {
    return CountMessages(transcript, text) > 0;
}

int CountMessages(const std::string& transcript, const std::string& text) {
    int n = 0;
    for (const std::string& box : MessageBoxes(transcript)) n += Contains(box, text) ? 1 : 0;
    return n;
}

bool OpenedWindow(const std::string& transcript, const std::string& title) {
    return Contains(transcript, "opens window " + Quoted(title));
}

bool ClosedWindow(const std::string& transcript, const std::string& title) {
    return CountWindowsClosed(transcript, title) > 0;
}

int CountWindowsClosed(const std::string& transcript, const std::string& title) {
    return CountInTranscript(transcript, "closes window " + Quoted(title));
}

bool RetitledTo(const std::string& transcript, const std::string& title) {
    return Contains(transcript, "is now titled " + Quoted(title));
}

bool BroughtToForeground(const std::string& transcript, const std::string& title) {
    if (title.empty()) return Contains(transcript, " to the foreground");
    return Contains(transcript, "brings window " + Quoted(title) + " to the foreground");
}

bool BroughtToTop(const std::string& transcript, const std::string& title) {
    return Contains(transcript, "brings window " + Quoted(title) + " to the top");
}

bool RestoredWindow(const std::string& transcript, const std::string& title) {
    return Contains(transcript, "restores window " + (title.empty() ? "" : Quoted(title)));
}

bool ShowedPage(const std::string& transcript, const std::string& page) {
    return CountPagesShown(transcript, page) > 0;
}

int CountPagesShown(const std::string& transcript, const std::string& page) {
    return CountInTranscript(transcript, "shows page " + (page.empty() ? "" : page + " ("));
}

std::vector<std::string> ShellOpens(const std::string& transcript) {
    return TranscriptLines(transcript, "shell: open");
}

std::vector<std::string> ControlStates(const std::string& transcript,
                                       const std::string& idAndName) {
    // A dumped control line is indented under its window: "setup:   1066 IDC_TYPICAL ...".
    return TranscriptLines(transcript, "   " + idAndName + " ");
}

std::vector<std::string> AllControlStates(const std::string& transcript) {
    static const std::regex control("^[A-Za-z]+:\\s+-?\\d+ [A-Z_0-9]+ ");
    std::vector<std::string> lines;
    std::istringstream in(transcript);
    for (std::string line; std::getline(in, line);)
        if (std::regex_search(line, control)) lines.push_back(line);
    return lines;
}

bool SaidInstalled(const std::string& transcript) {
    for (const std::string& box : MessageBoxes(transcript))
        if (Contains(box, kInstalledText)) return true;
    return false;
}

std::vector<std::string> TextFitWarnings(const std::string& transcript) {
    return TranscriptLines(transcript, "warning:");
}

}  // namespace testsupport
