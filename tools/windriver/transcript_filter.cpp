// Reducing a transcript to the lines both sides observe.
#include "tools/windriver/transcript_filter.h"

#include <cctype>
#include <cstring>
#include <regex>
#include <sstream>

namespace windriver {

namespace {

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// What follows the program's "name: " prefix, or the whole line when it has none.
std::size_t BodyStart(const std::string& line) {
    std::size_t colon = line.find(": ");
    if (colon == std::string::npos) return 0;
    for (std::size_t i = 0; i < colon; ++i) {
        char c = line[i];
        bool word = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
        if (!word) return 0;
    }
    return colon + 2;
}

// A control line of a `show` dump in a form both sides can produce: "  1002 button "< &Back"".
std::string NormaliseControlLine(const std::string& body) {
    static const std::regex name(R"(^(\s+-?\d+) [A-Z][A-Z0-9_]* )");
    static const std::regex font(R"( font "[^"]*" -?\d+ charset \d+)");
    // Tooltips are windows of their own, which the Windows side does not list with a control.
    static const std::regex toolTip(R"( tooltip "[^"]*" \(\d+ px\))");
    std::string line = std::regex_replace(body, name, "$1 ");
    line = std::regex_replace(line, font, "");
    line = std::regex_replace(line, toolTip, "");
    for (const char* state : {" window colours", " focused"}) {
        std::size_t at = line.find(state);
        // A state word, not a word inside a quoted text: states follow the closing quote.
        if (at != std::string::npos && line.find('"', at) == std::string::npos) line.erase(at, std::strlen(state));
    }
    return line;
}

bool Kept(const std::string& body) {
    static const char* const kPrefixes[] = {
        "opens window \"", "closes window \"", "window \"",       "shows page ",
        "hides page ",     "message box \"",   "clicks ",         "ticks ",   "chooses an item ",
        "unticks ",        "chooses \"",       "types \"",        "presses ",
        "closes \"",       "waits until ",     "shows \"",        "script error: ",
        "script not finished: ", "the default button is disabled", "the Cancel button is disabled"};
    for (const char* prefix : kPrefixes)
        if (StartsWith(body, prefix)) return true;
    return body.find(" is already ticked") != std::string::npos ||
           body.find(" is already unticked") != std::string::npos;
}

}  // namespace

std::vector<std::string> ObservableLines(const std::string& transcript) {
    static const std::regex retitle(R"re(^window "(.*)" is now titled "(.*)"$)re");
    std::vector<std::string> out;
    std::istringstream lines(transcript);
    std::string line;
    std::string lastOpened;  // the title of a window opened by the line just kept, else empty
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::size_t start = BodyStart(line);
        std::string prefix = line.substr(0, start), body = line.substr(start);
        std::string kept;
        if (StartsWith(body, "  ")) {
            std::string trimmed = body.substr(body.find_first_not_of(' '));
            if (StartsWith(trimmed, "page ")) kept = body;
            else if (!trimmed.empty() && (std::isdigit(static_cast<unsigned char>(trimmed[0])) || trimmed[0] == '-'))
                kept = NormaliseControlLine(body);
        } else if (Kept(body)) {
            std::smatch m;
            if (!lastOpened.empty() && std::regex_match(body, m, retitle) && m[1] == lastOpened) {
                out.back() = prefix + "opens window \"" + m[2].str() + "\"";
                lastOpened.clear();
                continue;
            }
            // Which icon a message box shows cannot be read from another process under Wine;
            // whether it shows one can.
            static const std::regex icon(R"re(^(message box "[^"]*" \[)(error|question|warning|information) icon, )re");
            kept = std::regex_replace(body, icon, "$1icon, ");
            // Nor can the text of another process's system menu item.
            static const std::regex menu(R"re(^chooses ".*" from the system menu of )re");
            kept = std::regex_replace(kept, menu, "chooses an item from the system menu of ");
        }
        if (kept.empty()) continue;
        lastOpened.clear();
        if (StartsWith(kept, "opens window \"") && kept.back() == '"')
            lastOpened = kept.substr(14, kept.size() - 15);
        out.push_back(prefix + kept);
    }
    return out;
}

}  // namespace windriver
