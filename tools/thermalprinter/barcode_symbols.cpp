// The printer's barcode rules in front of libzint. Check digits are checked where the data
// carries one and computed where it does not; data the printer's rules refuse gets the reason
// instead of a symbol.
#include "tools/thermalprinter/barcode_symbols.h"

#include <zint.h>

#include <algorithm>
#include <memory>

namespace thermal {

namespace {

constexpr std::size_t kLinearMax = 255;
constexpr std::size_t k2dMax = 2000;

struct SymbolDeleter {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};

SymbolResult Refused(std::string why) { return SymbolResult{std::nullopt, std::move(why)}; }

bool AllDigits(std::string_view data) {
    return std::all_of(data.begin(), data.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The GTIN check digit of `digits` (weights 3, 1, 3, ... from the right).
char CheckDigit(std::string_view digits) {
    int sum = 0, weight = 3;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        sum += (*it - '0') * weight;
        weight = 4 - weight;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

// `data` holds `plain` digits or one more, the check digit, which must be right.
bool SplitCheck(std::string_view name, std::string_view data, std::size_t plain, std::string& body, std::string& error) {
    if (!AllDigits(data) || (data.size() != plain && data.size() != plain + 1)) {
        error = std::string(name) + " takes " + std::to_string(plain) + " or " + std::to_string(plain + 1) +
                " digits; got \"" + std::string(data) + "\"";
        return false;
    }
    body = std::string(data.substr(0, plain));
    if (data.size() == plain + 1 && data[plain] != CheckDigit(body)) {
        error = std::string(name) + " check digit " + data[plain] + " is wrong: " + CheckDigit(body) + " expected";
        return false;
    }
    return true;
}

// A UPC-A number (number system, 5 manufacturer, 5 product digits) as UPC-E's six digits, by
// the zero-suppression rules; empty when it has no UPC-E form.
std::string SuppressZeros(std::string_view a) {
    const std::string_view m = a.substr(1, 5), p = a.substr(6, 5);
    if ((m.substr(2) == "000" || m.substr(2) == "100" || m.substr(2) == "200") && p.substr(0, 2) == "00")
        return std::string{m[0], m[1], p[2], p[3], p[4], m[2]};
    if (m.substr(3) == "00" && p.substr(0, 3) == "000") return std::string{m[0], m[1], m[2], p[3], p[4], '3'};
    if (m[4] == '0' && p.substr(0, 4) == "0000") return std::string{m[0], m[1], m[2], m[3], p[4], '4'};
    if (p.substr(0, 4) == "0000" && p[4] >= '5') return std::string(m) + p[4];
    return "";
}

// UPC-E's own digits, as zint takes them: the number system and six digits.
bool UpcEDigits(std::string_view data, std::string& out, std::string& error) {
    if (!AllDigits(data)) {
        error = "UPC-E takes digits only";
        return false;
    }
    if (data.size() == 6) {
        out = "0" + std::string(data);
        return true;
    }
    if (data.size() == 7 || data.size() == 8) {
        if (data[0] != '0' && data[0] != '1') {
            error = "UPC-E's number system is 0 or 1";
            return false;
        }
        out = std::string(data.substr(0, 7));
        if (data.size() == 8) {
            // The check digit is that of the UPC-A number the UPC-E number stands for; zint
            // computes it, so the symbol is made first and its text compared.
            out += data[7];
        }
        return true;
    }
    if (data.size() == 11 || data.size() == 12) {
        if (data[0] != '0' && data[0] != '1') {
            error = "UPC-E's number system is 0 or 1";
            return false;
        }
        std::string body;
        if (!SplitCheck("UPC-E", data, 11, body, error)) return false;
        const std::string six = SuppressZeros(body);
        if (six.empty()) {
            error = "the UPC-A number " + body + " cannot be written as UPC-E";
            return false;
        }
        out = body.substr(0, 1) + six;
        return true;
    }
    error = "UPC-E takes 6, 7, 8, 11 or 12 digits; got " + std::to_string(data.size());
    return false;
}

bool Code39Text(std::string_view data, std::string& out, std::string& error) {
    if (!data.empty() && data.front() == '*') data.remove_prefix(1);
    if (!data.empty() && data.back() == '*') data.remove_suffix(1);
    static constexpr std::string_view kAllowed = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%+-./";
    for (char c : data)
        if (kAllowed.find(c) == std::string_view::npos) {
            error = std::string("Code39 cannot hold '") + c + "' (a '*' only starts or ends the data)";
            return false;
        }
    if (data.empty()) {
        error = "Code39 without data";
        return false;
    }
    out = std::string(data);
    return true;
}

bool CodabarText(std::string_view data, std::string& out, std::string& error) {
    const auto upper = [](char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c); };
    if (data.size() < 3) {
        error = "Codabar needs a start character, data and a stop character";
        return false;
    }
    const char start = upper(data.front());
    char stop = upper(data.back());
    // T, N, * and E are the other names of the stop characters A, B, C and D.
    static constexpr std::string_view kOther = "TN*E";
    if (const auto at = kOther.find(stop); at != std::string_view::npos) stop = static_cast<char>('A' + at);
    if (start < 'A' || start > 'D' || stop < 'A' || stop > 'D') {
        error = "Codabar starts and ends with A, B, C or D";
        return false;
    }
    const std::string_view body = data.substr(1, data.size() - 2);
    for (char c : body)
        if (std::string_view("0123456789-$:/.+").find(c) == std::string_view::npos) {
            error = std::string("Codabar cannot hold '") + c + "' inside the data";
            return false;
        }
    out = start + std::string(body) + stop;
    return true;
}

// The printer's Code128 form ("{A", "{B", "{C" switch the code set, set C bytes are two-digit
// values, "{{" is a brace) as the text the symbol carries. libzint chooses its own code sets for
// that text: the bars may differ from the printer's, the text read from them does not.
bool Code128Text(std::string_view data, std::string& out, std::string& error) {
    if (data.size() < 2 || data[0] != '{' || (data[1] != 'A' && data[1] != 'B' && data[1] != 'C')) {
        error = "Code128 data starts with {A, {B or {C";
        return false;
    }
    bool setC = false;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        if (c == '{') {
            if (i + 1 == data.size()) {
                error = "Code128 data ends with '{'";
                return false;
            }
            const char next = data[++i];
            if (next == 'A' || next == 'B' || next == 'C') {
                setC = next == 'C';
            } else if (next == '{') {
                out += '{';
            } else {
                error = std::string("Code128 function character {") + next + " is not drawn";
                return false;
            }
            continue;
        }
        if (c > 0x7F) {
            error = "Code128 cannot hold bytes above 7F";
            return false;
        }
        if (setC) {
            if (c > 99) {
                error = "a Code128 set C value above 99";
                return false;
            }
            out += static_cast<char>('0' + c / 10);
            out += static_cast<char>('0' + c % 10);
        } else {
            out += static_cast<char>(c);
        }
    }
    if (out.empty()) {
        error = "Code128 without data";
        return false;
    }
    return true;
}

SymbolResult Encode(int symbology, std::string_view data, int option1, int option2, bool linear) {
    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    if (!symbol) return Refused("no memory for the symbol");
    symbol->symbology = symbology;
    symbol->input_mode = DATA_MODE;
    symbol->option_1 = option1;
    symbol->option_2 = option2;
    const int status = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(data.data()),
                                       static_cast<int>(data.size()));
    if (status >= ZINT_ERROR) return Refused(std::string("the symbol cannot be made: ") + symbol->errtxt);
    SymbolMatrix m;
    m.width = symbol->width;
    // A linear symbol is one row of modules; libzint may keep separator rows for add-ons.
    m.rows = linear ? 1 : symbol->rows;
    if (m.width <= 0 || m.rows <= 0 || m.width > 144 * 8 || m.rows > 200) return Refused("the symbol is too large");
    m.modules.resize(static_cast<std::size_t>(m.width) * m.rows);
    const int firstRow = linear ? symbol->rows - 1 : 0;
    for (int r = 0; r < m.rows; ++r)
        for (int c = 0; c < m.width; ++c)
            m.modules[static_cast<std::size_t>(r) * m.width + c] =
                (symbol->encoded_data[firstRow + r][c >> 3] >> (c & 7)) & 1;
    m.text = reinterpret_cast<const char*>(symbol->text);
    return SymbolResult{std::move(m), {}};
}

}  // namespace

SymbolResult EncodeLinear(Symbology symbology, std::string_view data) {
    if (data.empty()) return Refused("barcode without data");
    if (data.size() > kLinearMax) return Refused("barcode data longer than 255 bytes");
    std::string text, error;
    switch (symbology) {
        case Symbology::UpcA:
            if (!SplitCheck("UPC-A", data, 11, text, error)) return Refused(error);
            return Encode(BARCODE_UPCA, text, 0, 0, true);
        case Symbology::UpcE: {
            if (!UpcEDigits(data, text, error)) return Refused(error);
            if (text.size() == 8) {  // given with its check digit: compare with zint's
                SymbolResult r = Encode(BARCODE_UPCE, text.substr(0, 7), 0, 0, true);
                if (r.symbol && r.symbol->text.size() == 8 && r.symbol->text[7] != text[7])
                    return Refused(std::string("UPC-E check digit ") + text[7] + " is wrong: " + r.symbol->text[7] +
                                   " expected");
                return r;
            }
            return Encode(BARCODE_UPCE, text, 0, 0, true);
        }
        case Symbology::Ean13:
            if (!SplitCheck("EAN13", data, 12, text, error)) return Refused(error);
            return Encode(BARCODE_EANX, text, 0, 0, true);
        case Symbology::Ean8:
            if (!SplitCheck("EAN8", data, 7, text, error)) return Refused(error);
            return Encode(BARCODE_EANX, text, 0, 0, true);
        case Symbology::Code39:
            if (!Code39Text(data, text, error)) return Refused(error);
            return Encode(BARCODE_CODE39, text, 0, 0, true);
        case Symbology::Itf:
            if (!AllDigits(data)) return Refused("ITF takes digits only");
            if (data.size() % 2) return Refused("ITF takes an even number of digits; got " + std::to_string(data.size()));
            return Encode(BARCODE_C25INTER, data, 0, 0, true);
        case Symbology::Codabar:
            if (!CodabarText(data, text, error)) return Refused(error);
            return Encode(BARCODE_CODABAR, text, 0, 0, true);
        case Symbology::Code93:
            for (char c : data)
                if (static_cast<unsigned char>(c) > 0x7F) return Refused("Code93 cannot hold bytes above 7F");
            return Encode(BARCODE_CODE93, data, 0, 0, true);
        case Symbology::Code128:
            if (!Code128Text(data, text, error)) return Refused(error);
            return Encode(BARCODE_CODE128, text, 0, 0, true);
    }
    return Refused("a barcode type the printer does not have");
}

SymbolResult EncodePdf417(std::string_view data, int columns, int errorLevel) {
    if (data.empty()) return Refused("PDF417 without data");
    if (data.size() > k2dMax) return Refused("PDF417 data longer than 2000 bytes");
    if (columns < 0 || columns > 30) return Refused("PDF417 columns from 1 to 30");
    if (errorLevel < 0 || errorLevel > 8) return Refused("PDF417 error correction level from 0 to 8");
    return Encode(BARCODE_PDF417, data, errorLevel, columns, false);
}

SymbolResult EncodeQr(std::string_view data, char errorLetter, int model) {
    if (data.empty()) return Refused("QR Code without data");
    if (data.size() > k2dMax) return Refused("QR Code data longer than 2000 bytes");
    static constexpr std::string_view kLetters = "LMQH";
    const auto level = kLetters.find(errorLetter);
    if (level == std::string_view::npos) return Refused("QR error correction is L, M, Q or H");
    if (model != 1 && model != 2) return Refused("QR model " + std::to_string(model) + " does not exist");
    SymbolResult result = Encode(BARCODE_QRCODE, data, static_cast<int>(level) + 1, 0, false);
    if (result.symbol && model == 1) result.symbol->remark = "QR model 1 drawn as model 2";
    return result;
}

}  // namespace thermal
