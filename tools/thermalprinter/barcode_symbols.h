// Barcodes and two-dimensional codes as the printer draws them: the data of a barcode command
// (the bytes as the printer received them) checked by the printer's rules and encoded by
// Debian's libzint into a matrix of modules. The caller scales the modules to dots.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace thermal {

enum class Symbology { UpcA, UpcE, Ean13, Ean8, Code39, Itf, Codabar, Code93, Code128 };

// An encoded symbol: `rows` rows of `width` modules, row-major, 1 for a dark module. A linear
// symbol has one row; the printer draws it as tall as the bar height asks.
struct SymbolMatrix {
    int width = 0;
    int rows = 0;
    std::vector<std::uint8_t> modules;
    std::string text;    // what the printer prints as the human-readable line (linear symbols)
    std::string remark;  // what the drawing differs in from the request, empty when nothing
};

// A symbol, or why the printer does not print one (in plain words, for the printout's note).
struct SymbolResult {
    std::optional<SymbolMatrix> symbol;
    std::string error;
};

// A linear barcode. The data is the command's data without its terminator or length byte.
SymbolResult EncodeLinear(Symbology symbology, std::string_view data);
// PDF417 with the asked number of data columns (1..30) and error correction level (0..8); the
// rows follow from the data.
SymbolResult EncodePdf417(std::string_view data, int columns, int errorLevel);
// QR Code with the error correction letter 'L', 'M', 'Q' or 'H' and the model (1 or 2).
SymbolResult EncodeQr(std::string_view data, char errorLetter, int model);

}  // namespace thermal
