// The self-test page: what the printer is, how it is set, what it keeps, and its characters.
#include "tools/thermalprinter/interpreter.h"

namespace thermal {

void ThermalPrinter::Interpreter::SelfTest() {
    FlushLine();
    if (!drawing_) return;
    const PrinterModel& model = printer_.model_;
    const PrinterMemory& memory = printer_.memory_;
    const auto line = [this](const std::string& text) { PrintPlainLine(text, false); };
    line("*** SELF-TEST ***");
    line("Model: " + model.name);
    line("Paper: " + std::to_string(model.paperMm) + " mm, " + std::to_string(model.printDots) + " dots");
    line("Resolution: " + std::to_string(kDotsPerInch) + " dpi");
    line("Interface: " + model.interface);
    line("Internal ID: " + std::to_string(memory.internalId));
    line("Code table: " + CodeTableName(s_.codeTable));
    if (memory.logos.empty()) {
        line("Stored logos: none");
    } else {
        line("Stored logos: " + std::to_string(memory.logos.size()) + (memory.logos.front().gray ? " gray" : " one-bit"));
        for (std::size_t i = 0; i < memory.logos.size(); ++i)
            line("  " + std::to_string(i + 1) + ": " + std::to_string(memory.logos[i].width) + " x " +
                 std::to_string(memory.logos[i].height) + " dots");
    }
    line("Characters:");
    const int perLine = AreaWidth() / PrinterFont::CellWidth(false);
    std::string chars;
    for (int c = 0x20; c < 0x7F; ++c) {
        chars += static_cast<char>(c);
        if (static_cast<int>(chars.size()) == perLine) {
            line(chars);
            chars.clear();
        }
    }
    if (!chars.empty()) line(chars);
    line("*** COMPLETED ***");
    CutPaper(false, kCutterDistance);
}

}  // namespace thermal
