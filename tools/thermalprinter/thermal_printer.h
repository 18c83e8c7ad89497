// The virtual thermal printer: it takes the bytes a printer receives, interprets the printer's
// command set and prints onto its paper. Bytes it cannot act on are not guessed at: a note with
// the bytes is printed and the printer goes on after them, as far as the command's length is
// known; a job that ends inside a command prints what had arrived.
//
// Work is bounded by the input: each byte is looked at a fixed number of times, and what one
// command may draw is bounded by the paper's width, the command's own data and the roll.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tools/thermalprinter/paper.h"
#include "tools/thermalprinter/printer_memory.h"
#include "tools/thermalprinter/printer_model.h"

namespace thermal {

class PrinterFont;

// How far the paper moves from the print head to the cutter before a cut with feed.
inline constexpr int kCutterDistance = 80;

// The settings the printer's commands change, back to these on initialisation.
struct PrintSettings {
    bool fontB = false;
    bool bold = false;
    int underline = 0;        // 0, 1 or 2 dots
    int widthTimes = 1;       // character magnification, 1..8
    int heightTimes = 1;
    bool reverse = false;     // white on black
    int align = 0;            // 0 left, 1 centre, 2 right
    int lineSpacing = 30;     // dots from one line's top to the next
    int charSpacing = 0;      // dots after each character
    int leftMargin = 0;       // dots
    int codeTable = 0;
    std::vector<int> tabColumns;  // empty: a tab every 8 characters
    // Barcodes
    int hriPosition = 0;      // 0 none, 1 above, 2 below, 3 both
    bool hriFontB = false;
    int moduleWidth = 3;      // dots, 2..6
    int barHeight = 162;      // dots, 1..255
    // Two-dimensional codes
    int pdfColumns = 0, pdfRows = 0, pdfModule = 3, pdfRowHeight = 3, pdfLevel = 5;
    int qrModule = 3, qrLanguage = 0, qrModel = 2;
};

struct PrinterOptions {
    int maxRows = 60000;  // the roll: about 7.5 m at 203 dots per inch
};

class ThermalPrinter {
public:
    ThermalPrinter(PrinterModel model, PrinterMemory memory = {}, PrinterOptions options = {});
    ~ThermalPrinter();
    ThermalPrinter(const ThermalPrinter&) = delete;
    ThermalPrinter& operator=(const ThermalPrinter&) = delete;

    // Interprets one transmission (a job, or the bytes of one write). A command cut off at its
    // end is reported and dropped; text waiting in the line is printed.
    void Receive(std::string_view bytes);
    // The same, for the printer's state only: logos, ID and settings change, nothing is printed
    // and no event is kept. For the jobs before the one being drawn.
    void Replay(std::string_view bytes);

    const Paper& paper() const { return *paper_; }
    const PrinterMemory& memory() const { return memory_; }
    const PrinterModel& model() const { return model_; }
    const PrintSettings& settings() const { return settings_; }

private:
    class Interpreter;
    friend class Interpreter;
    PrinterModel model_;
    PrinterMemory memory_;
    PrintSettings settings_;
    std::unique_ptr<Paper> paper_;
    PrinterFont* font_;  // the process's shared fonts
};

}  // namespace thermal
