// Estimating the room a control's text needs in the dialog font.
#include "platform/sim/ui/text_fit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace sim {

namespace {

// The text's lines, each without its access-key markers ("&&" shows as one '&').
std::vector<std::string> ShownLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (c == '\n' || c == '\r') {
            lines.emplace_back();
        } else if (c == '&' && i + 1 < text.size()) {
            lines.back() += text[++i];  // the marked character itself, or a literal '&'
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

int Needed(const std::string& line) { return static_cast<int>(std::ceil(line.size() * kDialogFontTextWidth)); }

}  // namespace

std::string TextFitProblem(const std::string& kind, const std::string& text, int widthPx, int heightPx) {
    if (text.empty()) return {};
    int room = widthPx;
    if (kind == "check box" || kind == "auto check box" || kind == "radio button" || kind == "auto radio button")
        room -= 16;  // the box or circle and the gap after it
    else if (kind == "group box")
        room -= 8;  // the frame's corner before the label
    else if (kind != "static" && kind != "button" && kind != "default button")
        return {};
    room = std::max(room, 1);
    // Statics wrap each line into as many rows as it needs; the others show a single row.
    bool wraps = kind == "static";
    int rowsShown = wraps ? std::max(1, heightPx / kDialogFontLineHeight) : 1;
    int rows = 0, widest = 0;
    for (const std::string& line : ShownLines(text)) {
        int needed = Needed(line);
        widest = std::max(widest, needed);
        rows += wraps ? std::max(1, (needed + room - 1) / room) : (needed > room ? 2 : 1);
    }
    if (rows <= rowsShown) return {};
    if (rowsShown == 1) return "needs about " + std::to_string(widest) + " pixels, the control shows " + std::to_string(room);
    return "needs about " + std::to_string(rows) + " lines, the control shows " + std::to_string(rowsShown);
}

}  // namespace sim
