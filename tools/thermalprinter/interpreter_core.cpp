// The interpreter's reading loop, the control bytes, the ESC and DLE families and the reports.
#include <algorithm>
#include <cstdio>

#include "tools/thermalprinter/interpreter.h"

namespace thermal {

ThermalPrinter::Interpreter::Interpreter(ThermalPrinter& printer, std::string_view bytes, bool drawing)
    : printer_(printer), paper_(*printer.paper_), s_(printer.settings_), bytes_(bytes), drawing_(drawing) {}

std::uint8_t ThermalPrinter::Interpreter::Next() {
    if (pos_ >= bytes_.size()) throw EndedInsideCommand{};
    return static_cast<std::uint8_t>(bytes_[pos_++]);
}

std::string_view ThermalPrinter::Interpreter::Take(std::size_t count) {
    if (Remaining() < count) {
        pos_ = bytes_.size();
        throw EndedInsideCommand{};
    }
    const std::string_view part = bytes_.substr(pos_, count);
    pos_ += count;
    return part;
}

std::string ThermalPrinter::Interpreter::Hex(std::size_t from, std::size_t to) const {
    std::string text;
    to = std::min(to, bytes_.size());
    for (std::size_t i = from; i < to && i < from + 16; ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02X", static_cast<unsigned char>(bytes_[i]));
        if (!text.empty()) text += ' ';
        text += byte;
    }
    if (to > from + 16) text += " ...";
    return text;
}

void ThermalPrinter::Interpreter::Run() {
    while (pos_ < bytes_.size()) {
        const std::size_t start = pos_;
        const std::uint8_t b = static_cast<std::uint8_t>(bytes_[pos_++]);
        try {
            switch (b) {
                case 0x1B: Esc(start); break;
                case 0x1D: Gs(start); break;
                case 0x1C: Fs(start); break;
                case 0x10: Dle(start); break;
                default:
                    if (b < 0x20 || b == 0x7F)
                        Control(b, start);
                    else
                        Text(b);
            }
        } catch (const EndedInsideCommand&) {
            Note(start, "the transmission ended inside this command");
            pos_ = bytes_.size();
        }
    }
    FlushLine();
}

void ThermalPrinter::Interpreter::Control(std::uint8_t b, std::size_t start) {
    switch (b) {
        case 0x0A: PrintLine(true); return;
        case 0x0C: PrintLine(true); return;  // form feed prints the line in standard mode
        case 0x09: Tab(); return;
        case 0x0D:                         // carriage return: the line feed does the printing
        case 0x00:                         // padding after commands
        case 0x18:                         // cancel (page mode only)
            return;
        default: Note(start, "not a command of this printer");
    }
}

void ThermalPrinter::Interpreter::Esc(std::size_t start) {
    const std::uint8_t c = Next();
    switch (c) {
        case ' ': s_.charSpacing = Next(); return;
        case '!': {
            const std::uint8_t n = Next();
            s_.fontB = n & 0x01;
            s_.bold = n & 0x08;
            s_.heightTimes = n & 0x10 ? 2 : 1;
            s_.widthTimes = n & 0x20 ? 2 : 1;
            s_.underline = n & 0x80 ? 1 : 0;
            return;
        }
        case '$': {
            const auto p = Take(2);
            lineX_ = std::min(static_cast<std::uint8_t>(p[0]) + 256 * static_cast<std::uint8_t>(p[1]), AreaWidth());
            return;
        }
        case '%':
            if (Next() & 1) Event(PaperEventKind::Remark, "user-defined characters: the resident font is used");
            return;
        case '&': {  // user-defined characters: y c1 c2, then per character x and y*x bytes
            const std::uint8_t y = Next(), c1 = Next(), c2 = Next();
            if (y == 0 || y > 3 || c1 < 0x20 || c2 > 0x7E || c1 > c2) {
                Note(start, "user-defined characters with a height or range the printer has not");
                return;
            }
            for (int ch = c1; ch <= c2; ++ch) Take(static_cast<std::size_t>(y) * Next());
            Event(PaperEventKind::Remark, "user-defined characters are kept but the resident font is drawn");
            return;
        }
        case '*': BitImage(start); return;
        case '-': s_.underline = std::min(Next() & 0x0F, 2); return;
        case '2': s_.lineSpacing = 30; return;
        case '3': s_.lineSpacing = Next(); return;
        case '=': case '?': case 'T': case 'U': case 'r': Next(); return;
        case 'S': return;
        case '@': line_.clear(); lineX_ = 0; ResetSettings(); return;
        case 'D': {
            std::vector<int> tabs;
            for (int i = 0; i <= 32; ++i) {
                const std::uint8_t n = Next();
                if (n == 0) break;
                if (!tabs.empty() && n <= tabs.back()) continue;
                tabs.push_back(n);
            }
            s_.tabColumns = tabs;
            return;
        }
        case 'E': case 'G': s_.bold = Next() & 1; return;
        case 'J': {
            const int n = Next();
            PrintLine(false);
            if (drawing_) paper_.Advance(n);
            return;
        }
        case 'L': Note(start, "page mode is not supported: the printer stays in standard mode"); return;
        case 'M': {
            const std::uint8_t n = Next();
            if ((n & 0x0F) > 1) Note(start, "the printer has fonts A and B only");
            else s_.fontB = n & 1;
            return;
        }
        case 'R':
            if (Next() != 0) Event(PaperEventKind::Remark, "international character set: the U.S.A. set is drawn");
            return;
        case 'V':
            if (Next() & 1) Event(PaperEventKind::Remark, "90-degree rotation is not drawn");
            return;
        case 'W': Take(8); return;
        case '\\': {
            const auto p = Take(2);
            const int offset = static_cast<std::int16_t>(static_cast<std::uint8_t>(p[0]) | static_cast<std::uint8_t>(p[1]) << 8);
            lineX_ = std::clamp(lineX_ + offset, 0, AreaWidth());
            return;
        }
        case 'a': s_.align = std::min(Next() & 0x0F, 2); return;
        case 'c': {
            const std::uint8_t which = Next();
            Next();
            if (which != '3' && which != '4' && which != '5' && which != ';')
                Note(start, "not a command of this printer");
            return;  // sensors, panel keys and the maintenance switch change nothing on paper
        }
        case 'd': {
            const int n = Next();
            PrintLine(false);
            if (drawing_) paper_.Advance(n * s_.lineSpacing);
            return;
        }
        case 'e': Next(); Note(start, "reverse feed is not done"); return;
        case 'i': Cut(0x00, start); return;
        case 'm': Cut(0x01, start); return;
        case 'p': {
            const std::uint8_t m = Next(), on = Next(), off = Next();
            const int drawer = (m & 1) ? 2 : 1;
            char text[96];
            std::snprintf(text, sizeof text, "drawer %d (pin %d): pulse %d ms on, %d ms off", drawer,
                          drawer == 1 ? 2 : 5, on * 2, off * 2);
            Event(PaperEventKind::Drawer, text);
            return;
        }
        case 't': {
            const int n = Next();
            if (CodeTableName(n).empty()) Note(start, "a code table the printer has not");
            else s_.codeTable = n;
            return;
        }
        case '{':
            if (Next() & 1) Event(PaperEventKind::Remark, "upside-down printing is not drawn");
            return;
        case 'B': {
            const int times = Next(), length = Next();
            char text[64];
            std::snprintf(text, sizeof text, "buzzer: %d beep%s of %d ms", times, times == 1 ? "" : "s", length * 50);
            Event(PaperEventKind::Buzzer, text);
            return;
        }
        case '#': IdCommand(start); return;
        default: Note(start, "not a command of this printer");
    }
}

void ThermalPrinter::Interpreter::IdCommand(std::size_t start) {
    // ESC # then the rest of the access sequence and GS 'I' ' ' id.
    static constexpr std::string_view kRest = "#SET\x1D\x49\x20";
    if (bytes_.substr(pos_, kRest.size()) != kRest) {
        // What is left starts the sequence: the transmission ended inside it.
        if (Remaining() < kRest.size() && kRest.substr(0, Remaining()) == bytes_.substr(pos_)) {
            pos_ = bytes_.size();
            throw EndedInsideCommand{};
        }
        Note(start, "not a command of this printer");
        return;
    }
    pos_ += kRest.size();
    const int id = Next();
    printer_.memory_.internalId = id;
    Event(PaperEventKind::IdChange, "internal ID set to " + std::to_string(id));
}

void ThermalPrinter::Interpreter::Dle(std::size_t start) {
    const std::uint8_t c = Next();
    switch (c) {
        case 0x04: case 0x05: Next(); return;  // status requests: the answer goes to the host
        case 0x14: {
            const std::uint8_t fn = Next();
            if (fn == 1) {
                const std::uint8_t m = Next(), t = Next();
                const int drawer = (m & 1) ? 2 : 1;
                char text[96];
                std::snprintf(text, sizeof text, "drawer %d (pin %d): pulse %d ms on, %d ms off", drawer,
                              drawer == 1 ? 2 : 5, std::clamp<int>(t, 1, 8) * 100, std::clamp<int>(t, 1, 8) * 100);
                Event(PaperEventKind::Drawer, text);
            } else if (fn == 2 || fn == 8) {
                Take(fn == 2 ? 2 : 7);  // power off (a, b) and buffer clear (seven check bytes)
            } else {
                Note(start, "not a command of this printer");
            }
            return;
        }
        default: Note(start, "not a command of this printer");
    }
}

void ThermalPrinter::Interpreter::Cut(std::uint8_t m, std::size_t start) {
    int feed = 0;
    bool full;
    switch (m) {
        case 0: case '0': full = true; break;
        case 1: case '1': full = false; break;
        case 65: full = true; feed = kCutterDistance + Next(); break;
        case 66: full = false; feed = kCutterDistance + Next(); break;
        default: Note(start, "a cut the printer does not know"); return;
    }
    CutPaper(full, feed);
}

void ThermalPrinter::Interpreter::CutPaper(bool full, int feed) {
    FlushLine();
    if (drawing_) paper_.Advance(feed);
    Event(full ? PaperEventKind::FullCut : PaperEventKind::PartialCut, full ? "full cut" : "partial cut");
}

void ThermalPrinter::Interpreter::Event(PaperEventKind kind, const std::string& text) {
    if (drawing_) paper_.AddEvent(kind, text);
}

void ThermalPrinter::Interpreter::Note(std::size_t start, const std::string& what) {
    if (!drawing_) return;
    std::string text = what;
    if (pos_ > start) text += " [" + Hex(start, pos_) + "]";
    NoteText(text);
}

}  // namespace thermal
