// Text: characters placed in the waiting line and printed on a line feed, the printer's own
// notes, and the printer object itself.
#include <algorithm>

#include "tools/thermalprinter/interpreter.h"

namespace thermal {

ThermalPrinter::ThermalPrinter(PrinterModel model, PrinterMemory memory, PrinterOptions options)
    : model_(std::move(model)),
      memory_(std::move(memory)),
      paper_(std::make_unique<Paper>(model_.printDots, options.maxRows)),
      font_(&PrinterFont::Shared()) {}

ThermalPrinter::~ThermalPrinter() = default;

void ThermalPrinter::Receive(std::string_view bytes) { Interpreter(*this, bytes, true).Run(); }

void ThermalPrinter::Replay(std::string_view bytes) { Interpreter(*this, bytes, false).Run(); }

void ThermalPrinter::Interpreter::ResetSettings() { s_ = PrintSettings{}; }

int ThermalPrinter::Interpreter::LineStart() const { return std::min(s_.leftMargin, printer_.model_.printDots - 1); }

int ThermalPrinter::Interpreter::AreaWidth() const { return printer_.model_.printDots - LineStart(); }

int ThermalPrinter::Interpreter::AlignedLeft(int width) const {
    const int room = std::max(0, AreaWidth() - width);
    return LineStart() + (s_.align == 1 ? room / 2 : s_.align == 2 ? room : 0);
}

void ThermalPrinter::Interpreter::Text(std::uint8_t b) { PlaceCharacter(CharacterOf(b, s_.codeTable)); }

void ThermalPrinter::Interpreter::PlaceCharacter(char32_t c) {
    if (!drawing_) return;  // the line's layout matters only on paper
    const GlyphCell& glyph = printer_.font_->Glyph(c, s_.fontB, s_.bold);
    LinePiece piece;
    piece.width = glyph.width * s_.widthTimes;
    piece.height = glyph.height * s_.heightTimes;
    piece.dots.assign(static_cast<std::size_t>(piece.width * piece.height), 0);
    for (int y = 0; y < piece.height; ++y) {
        for (int x = 0; x < piece.width; ++x) {
            bool dot = glyph.At(x / s_.widthTimes, y / s_.heightTimes);
            if (s_.underline > 0 && y >= piece.height - s_.underline) dot = true;
            if (s_.reverse) dot = !dot;
            piece.dots[static_cast<std::size_t>(y * piece.width + x)] = dot;
        }
    }
    Place(std::move(piece));
    lineX_ += s_.charSpacing;
}

void ThermalPrinter::Interpreter::Place(LinePiece piece) {
    // A piece that does not fit on the line goes to the next one, as the printer wraps.
    if (lineX_ > 0 && lineX_ + piece.width > AreaWidth()) PrintLine(true);
    piece.x = lineX_;
    lineX_ += piece.width;
    if (drawing_) line_.push_back(std::move(piece));
}

void ThermalPrinter::Interpreter::Tab() {
    const int cell = PrinterFont::CellWidth(s_.fontB) * s_.widthTimes + s_.charSpacing;
    int next = -1;
    if (s_.tabColumns.empty()) {
        next = (lineX_ / (8 * cell) + 1) * 8 * cell;
    } else {
        for (int column : s_.tabColumns)
            if (column * cell > lineX_) {
                next = column * cell;
                break;
            }
    }
    if (next < 0 || next > AreaWidth()) return;  // no tab stop left: ignored
    lineX_ = next;
}

void ThermalPrinter::Interpreter::PrintLine(bool feed) {
    int height = 0, used = 0;
    for (const LinePiece& p : line_) {
        height = std::max(height, p.height);
        used = std::max(used, p.x + p.width);
    }
    if (drawing_ && !line_.empty()) {
        const int left = AlignedLeft(used);
        for (const LinePiece& p : line_) {
            for (int y = 0; y < p.height; ++y)
                for (int x = 0; x < p.width; ++x)
                    if (p.dots[static_cast<std::size_t>(y * p.width + x)])
                        paper_.Mark(left + p.x + x, height - p.height + y, 255);
        }
    }
    const bool empty = line_.empty() && lineX_ == 0;
    line_.clear();
    lineX_ = 0;
    if (!drawing_) return;
    if (feed) paper_.Advance(std::max(height, s_.lineSpacing));
    else if (!empty) paper_.Advance(height);
}

void ThermalPrinter::Interpreter::FlushLine() {
    if (!line_.empty() || lineX_ != 0) PrintLine(false);
}

void ThermalPrinter::Interpreter::PrintPlainLine(const std::string& text, bool fontB) {
    const PrintSettings kept = s_;
    s_ = PrintSettings{};
    s_.fontB = fontB;
    for (unsigned char c : text) PlaceCharacter(c);
    PrintLine(true);
    s_ = kept;
}

void ThermalPrinter::Interpreter::NoteText(const std::string& text) {
    // The note is printed in Font B on lines of its own, marked beside the paper.
    FlushLine();
    const int start = paper_.cursor();
    const std::size_t perLine = static_cast<std::size_t>(std::max(1, AreaWidth() / PrinterFont::CellWidth(true)));
    const std::string full = "?? " + text;
    for (std::size_t at = 0; at < full.size(); at += perLine) PrintPlainLine(full.substr(at, perLine), true);
    paper_.AddNote(text, start);
}

}  // namespace thermal
