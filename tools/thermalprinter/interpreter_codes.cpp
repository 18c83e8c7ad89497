// Barcodes and two-dimensional codes: the print command's framing, the symbol from libzint
// (barcode_symbols.h), and its drawing with the human-readable line.
#include <algorithm>

#include "tools/thermalprinter/interpreter.h"

namespace thermal {

namespace {

// The longest data the printer takes for a terminated linear barcode and for a 2D code.
constexpr std::size_t kLinearLimit = 255;
constexpr std::size_t k2dLimit = 2000;

struct LinearType {
    int nulForm;     // the code of the terminated form
    int lengthForm;  // the code of the length-prefixed form
    Symbology symbology;
};

constexpr LinearType kLinearTypes[] = {
    {0, 65, Symbology::UpcA},   {1, 66, Symbology::UpcE},  {2, 67, Symbology::Ean13},
    {3, 68, Symbology::Ean8},   {4, 69, Symbology::Code39}, {5, 70, Symbology::Itf},
    {6, 71, Symbology::Codabar}, {-1, 72, Symbology::Code93}, {-1, 73, Symbology::Code128},
};

}  // namespace

bool ThermalPrinter::Interpreter::ReadTerminated(std::size_t limit, std::string_view& data, std::size_t start) {
    const std::string_view rest = bytes_.substr(pos_);
    const std::size_t end = rest.substr(0, limit + 1).find('\0');
    if (end == std::string_view::npos) {
        if (rest.size() <= limit) {  // the transmission ended before the terminator
            pos_ = bytes_.size();
            throw EndedInsideCommand{};
        }
        Note(start, "barcode data without its end within " + std::to_string(limit) + " bytes; printed as text");
        return false;
    }
    data = rest.substr(0, end);
    pos_ += end + 1;
    return true;
}

void ThermalPrinter::Interpreter::Barcode(std::size_t start) {
    const int m = Next();
    for (const LinearType& type : kLinearTypes) {
        std::string_view data;
        if (m == type.nulForm) {
            if (ReadTerminated(kLinearLimit, data, start)) DrawLinear(type.symbology, data, start);
            return;
        }
        if (m == type.lengthForm) {
            const int n = Next();
            data = Take(static_cast<std::size_t>(n));
            // A length of 0 is no barcode: the printer goes on with the next byte.
            if (n > 0) DrawLinear(type.symbology, data, start);
            return;
        }
    }
    std::string_view data;
    if (m == 10) {
        if (ReadTerminated(k2dLimit, data, start)) DrawPdf417(data, start);
    } else if (m == 11) {
        if (ReadTerminated(k2dLimit, data, start)) DrawQr(data, start);
    } else {
        Note(start, "a barcode type the printer does not have");
    }
}

void ThermalPrinter::Interpreter::DrawLinear(Symbology symbology, std::string_view data, std::size_t start) {
    FlushLine();
    if (!drawing_) return;
    const SymbolResult result = EncodeLinear(symbology, data);
    if (!result.symbol) {
        Note(start, result.error);
        return;
    }
    const SymbolMatrix& symbol = *result.symbol;
    const int w = s_.moduleWidth;
    if (symbol.width * w > AreaWidth()) {
        Note(start, "the barcode is wider than the paper; not printed");
        return;
    }
    if (!symbol.remark.empty()) Event(PaperEventKind::Remark, symbol.remark);
    const int x0 = AlignedLeft(symbol.width * w);
    const auto hri = [&] {
        const bool fontB = s_.hriFontB;
        const int cellW = PrinterFont::CellWidth(fontB);
        const int textWidth = static_cast<int>(symbol.text.size()) * cellW;
        int x = x0 + (symbol.width * w - textWidth) / 2;
        for (unsigned char c : symbol.text) {
            const GlyphCell& glyph = printer_.font_->Glyph(c, fontB, false);
            for (int y = 0; y < glyph.height; ++y)
                for (int gx = 0; gx < glyph.width; ++gx)
                    if (glyph.At(gx, y)) paper_.Mark(x + gx, y, 255);
            x += cellW;
        }
        paper_.Advance(PrinterFont::CellHeight(fontB));
    };
    if (s_.hriPosition == 1 || s_.hriPosition == 3) hri();
    for (int y = 0; y < s_.barHeight; ++y)
        for (int m = 0; m < symbol.width; ++m)
            if (symbol.modules[static_cast<std::size_t>(m)])
                for (int dx = 0; dx < w; ++dx) paper_.Mark(x0 + m * w + dx, y, 255);
    paper_.Advance(s_.barHeight);
    if (s_.hriPosition == 2 || s_.hriPosition == 3) hri();
}

void ThermalPrinter::Interpreter::DrawMatrix(const SymbolMatrix& symbol, int moduleWidth, int rowHeight,
                                             std::size_t start) {
    if (symbol.width * moduleWidth > AreaWidth()) {
        Note(start, "the code is wider than the paper; not printed");
        return;
    }
    if (!symbol.remark.empty()) Event(PaperEventKind::Remark, symbol.remark);
    const int x0 = AlignedLeft(symbol.width * moduleWidth);
    for (int row = 0; row < symbol.rows; ++row) {
        if (paper_.ranOut()) return;
        for (int y = 0; y < rowHeight; ++y)
            for (int m = 0; m < symbol.width; ++m)
                if (symbol.modules[static_cast<std::size_t>(row) * symbol.width + m])
                    for (int dx = 0; dx < moduleWidth; ++dx) paper_.Mark(x0 + m * moduleWidth + dx, y, 255);
        paper_.Advance(rowHeight);
    }
}

void ThermalPrinter::Interpreter::DrawPdf417(std::string_view data, std::size_t start) {
    FlushLine();
    if (!drawing_) return;
    const SymbolResult result = EncodePdf417(data, s_.pdfColumns, s_.pdfLevel);
    if (!result.symbol) {
        Note(start, result.error);
        return;
    }
    // A row is `element height` module widths tall.
    DrawMatrix(*result.symbol, s_.pdfModule, s_.pdfModule * s_.pdfRowHeight, start);
}

void ThermalPrinter::Interpreter::DrawQr(std::string_view data, std::size_t start) {
    FlushLine();
    if (!drawing_) return;
    // The data starts with the error correction letter, the input mode and a comma.
    if (data.size() < 3 || data[2] != ',' || std::string_view("LMQH").find(data[0]) == std::string_view::npos) {
        Note(start, "QR data without its error correction letter, mode and comma");
        return;
    }
    if (data[1] != 'A' && data[1] != 'M') {
        Note(start, "a QR input mode the printer does not have");
        return;
    }
    const SymbolResult result = EncodeQr(data.substr(3), data[0], s_.qrModel);
    if (!result.symbol) {
        Note(start, result.error);
        return;
    }
    DrawMatrix(*result.symbol, s_.qrModule, s_.qrModule, start);
}

}  // namespace thermal
