// The GS and FS command families.
#include <algorithm>

#include "tools/thermalprinter/interpreter.h"

namespace thermal {

void ThermalPrinter::Interpreter::Gs(std::size_t start) {
    const std::uint8_t c = Next();
    switch (c) {
        case '!': {
            const std::uint8_t n = Next();
            s_.widthTimes = ((n >> 4) & 7) + 1;
            s_.heightTimes = (n & 7) + 1;
            return;
        }
        case '$': Take(2); return;  // page mode only
        case '(': GsParenthesis(start); return;
        case '*': DefineDownloaded(start); return;
        case '/': PrintDownloaded(start); return;
        case ':': return;           // macro definition marks: the printer keeps no macros here
        case 'B': s_.reverse = Next() & 1; return;
        case 'H': s_.hriPosition = Next() & 3; return;
        case 'I': case 'a': case 'b': case 'r': Next(); return;  // answers go to the host
        case 'L': {
            const auto p = Take(2);
            s_.leftMargin = std::min(static_cast<std::uint8_t>(p[0]) + 256 * static_cast<std::uint8_t>(p[1]),
                                     printer_.model_.printDots - 1);
            return;
        }
        case 'P': Take(2); return;
        case 'V': Cut(Next(), start); return;
        case 'W': Take(2); return;
        case 'f': s_.hriFontB = Next() & 1; return;
        case 'h': {
            const int n = Next();
            if (n > 0) s_.barHeight = n;
            return;
        }
        case 'k': Barcode(start); return;
        case 'v': RasterImage(start); return;
        case 'w': {
            const int n = Next();
            if (n < 1 || n > 6) Note(start, "a barcode module width the printer does not have");
            else s_.moduleWidth = n;
            return;
        }
        case 'p': {  // PDF417 settings: two mode bytes, rows, columns, module width, row height
            const auto p = Take(6);
            s_.pdfRows = static_cast<std::uint8_t>(p[2]);
            s_.pdfColumns = std::min<int>(static_cast<std::uint8_t>(p[3]), 30);
            s_.pdfModule = std::clamp<int>(static_cast<std::uint8_t>(p[4]), 1, 8);
            s_.pdfRowHeight = std::clamp<int>(static_cast<std::uint8_t>(p[5]), 1, 25);
            return;
        }
        case 'q': {
            const int level = Next();
            if (level > 8) Note(start, "a PDF417 error correction level above 8");
            else s_.pdfLevel = level;
            return;
        }
        case 'o': {  // QR settings: a mode byte, module size, language, model
            const auto p = Take(4);
            s_.qrModule = std::clamp<int>(static_cast<std::uint8_t>(p[1]), 1, 24);
            s_.qrLanguage = static_cast<std::uint8_t>(p[2]) & 1;
            s_.qrModel = static_cast<std::uint8_t>(p[3]);
            return;
        }
        default: Note(start, "not a command of this printer");
    }
}

void ThermalPrinter::Interpreter::GsParenthesis(std::size_t start) {
    const std::uint8_t fn = Next();
    const auto p = Take(2);
    const std::size_t length = static_cast<std::uint8_t>(p[0]) + 256u * static_cast<std::uint8_t>(p[1]);
    const std::string_view body = Take(length);
    if (fn == 'A' && length == 2) {  // test print: n (paper), m (pattern)
        const std::uint8_t m = static_cast<std::uint8_t>(body[1]);
        if (m == 2 || m == '2') {
            SelfTest();
            return;
        }
        Note(start, "a test pattern that is not drawn");
        return;
    }
    Note(start, "a command of this family that is not drawn");
}

void ThermalPrinter::Interpreter::Fs(std::size_t start) {
    const std::uint8_t c = Next();
    switch (c) {
        case 'p': PrintLogo(start); return;
        case 'q': DefineLogos(start, false); return;
        case 'r': DefineLogos(start, true); return;
        case '!': case '-': case 'W': case 'C': Next(); return;  // double-byte character modes
        case '&': case '.': return;
        case 'S': Take(2); return;
        default: Note(start, "not a command of this printer");
    }
}

}  // namespace thermal
