// The thermal printer's command interpreter, one transmission at a time (private to the
// printer): a reader over the bytes, the line of text and images waiting for a line feed, and
// one handler per command family.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/thermalprinter/barcode_symbols.h"
#include "tools/thermalprinter/printer_font.h"
#include "tools/thermalprinter/thermal_printer.h"

namespace thermal {

// Thrown when the transmission ends inside a command: what arrived of it is reported.
struct EndedInsideCommand {};

// A piece of the waiting line: a character cell or a bit image, placed at `x` dots from the
// left margin and standing on the line's bottom.
struct LinePiece {
    int x = 0, width = 0, height = 0;
    std::vector<std::uint8_t> dots;  // row-major, 1 printed
};

class ThermalPrinter::Interpreter {
public:
    Interpreter(ThermalPrinter& printer, std::string_view bytes, bool drawing);
    void Run();

private:
    // Reading
    std::uint8_t Next();                          // throws EndedInsideCommand at the end
    std::string_view Take(std::size_t count);     // throws EndedInsideCommand when short
    std::size_t Remaining() const { return bytes_.size() - pos_; }
    std::string Hex(std::size_t from, std::size_t to) const;  // the bytes, cut after 16

    // Families
    void Control(std::uint8_t b, std::size_t start);
    void Esc(std::size_t start);
    void Gs(std::size_t start);
    void Fs(std::size_t start);
    void Dle(std::size_t start);
    void IdCommand(std::size_t start);
    void GsParenthesis(std::size_t start);
    void Cut(std::uint8_t m, std::size_t start);
    void CutPaper(bool full, int feed);

    // Text and the waiting line
    void Text(std::uint8_t b);
    void PlaceCharacter(char32_t c);
    void Place(LinePiece piece);
    void Tab();
    // Prints the waiting line; the paper moves by the line spacing (or the line's height when
    // taller) when `feed`, otherwise by the line's height only.
    void PrintLine(bool feed);
    void FlushLine();  // prints a waiting line, if any, without an empty line's feed
    int LineStart() const;
    int AreaWidth() const;
    // Where something `width` dots wide starts on the head under the current alignment.
    int AlignedLeft(int width) const;
    void ResetSettings();

    // Images
    void BitImage(std::size_t start);       // ESC *
    void RasterImage(std::size_t start);    // GS v 0
    void DefineDownloaded(std::size_t start);
    void PrintDownloaded(std::size_t start);
    void DefineLogos(std::size_t start, bool gray);
    void PrintLogo(std::size_t start);
    // Draws an image of ink values (row-major) at the paper's cursor, aligned, and moves the
    // paper past it.
    void DrawBlock(int width, int height, const std::vector<std::uint8_t>& ink, int scaleX, int scaleY);

    // Codes
    void Barcode(std::size_t start);
    void DrawLinear(Symbology symbology, std::string_view data, std::size_t start);
    void DrawPdf417(std::string_view data, std::size_t start);
    void DrawQr(std::string_view data, std::size_t start);
    void DrawMatrix(const SymbolMatrix& m, int moduleWidth, int rowHeight, std::size_t start);
    // The data of a terminated barcode: up to `limit` bytes before a 00. False (and a note)
    // when no terminator comes within the limit.
    bool ReadTerminated(std::size_t limit, std::string_view& data, std::size_t start);

    // Reports
    void Note(std::size_t start, const std::string& what);
    void NoteText(const std::string& text);
    void Event(PaperEventKind kind, const std::string& text);
    void SelfTest();
    void PrintPlainLine(const std::string& text, bool fontB);

    ThermalPrinter& printer_;
    Paper& paper_;
    PrintSettings& s_;
    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool drawing_;
    std::vector<LinePiece> line_;
    int lineX_ = 0;  // the next piece's place, from the left margin
};

}  // namespace thermal
