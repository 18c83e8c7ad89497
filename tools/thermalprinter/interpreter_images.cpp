// Images: bit images in the line, raster images, the downloaded image and the stored logos.
#include <algorithm>

#include "tools/thermalprinter/interpreter.h"

namespace thermal {

namespace {

std::uint8_t Byte(std::string_view data, std::size_t i) { return static_cast<std::uint8_t>(data[i]); }

int Word(std::string_view p, std::size_t at) { return Byte(p, at) | Byte(p, at + 1) << 8; }

// An image stored in columns: `columns` columns of `bytesPerColumn` bytes, each byte eight
// dots from the top, the top dot in bit 7.
StoredLogo FromColumns(std::string_view data, int columns, int bytesPerColumn) {
    StoredLogo image;
    image.width = columns;
    image.height = bytesPerColumn * 8;
    image.ink.assign(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height), 0);
    for (int c = 0; c < columns; ++c)
        for (int j = 0; j < bytesPerColumn; ++j) {
            const std::uint8_t b = Byte(data, static_cast<std::size_t>(c) * bytesPerColumn + j);
            for (int bit = 0; bit < 8; ++bit)
                if (b & (0x80 >> bit))
                    image.ink[static_cast<std::size_t>(j * 8 + bit) * image.width + c] = 255;
        }
    return image;
}

// A gray image of four plane lines per dot row (value bits 7, 6, 5, 4, each stored inverted),
// `lineBytes` bytes a plane line: darker dots set more bits.
StoredLogo FromGrayPlanes(std::string_view data, int lineBytes, int planeLines) {
    StoredLogo image;
    image.gray = true;
    image.width = lineBytes * 8;
    image.height = planeLines / 4;
    image.ink.assign(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height), 0);
    for (int row = 0; row < image.height; ++row)
        for (int x = 0; x < image.width; ++x) {
            int level = 0;  // the dot's value, 0..15
            for (int plane = 0; plane < 4; ++plane) {
                const std::uint8_t b = Byte(data, static_cast<std::size_t>(row * 4 + plane) * lineBytes + x / 8);
                const bool inverted = b & (0x80 >> (x % 8));
                level = level << 1 | (inverted ? 0 : 1);
            }
            image.ink[static_cast<std::size_t>(row) * image.width + x] = static_cast<std::uint8_t>(255 - level * 17);
        }
    return image;
}

void ScaleOf(std::uint8_t m, int& sx, int& sy) {
    const int mode = m >= '0' ? m - '0' : m;
    sx = (mode & 1) ? 2 : 1;
    sy = (mode & 2) ? 2 : 1;
}

}  // namespace

void ThermalPrinter::Interpreter::BitImage(std::size_t start) {
    const std::uint8_t m = Next();
    const auto p = Take(2);
    const int columns = Word(p, 0);
    int bytesPerColumn, sx, sy;
    switch (m) {
        case 0: bytesPerColumn = 1; sx = 2; sy = 3; break;
        case 1: bytesPerColumn = 1; sx = 1; sy = 3; break;
        case 32: bytesPerColumn = 3; sx = 2; sy = 1; break;
        case 33: bytesPerColumn = 3; sx = 1; sy = 1; break;
        default: Note(start, "a bit-image density the printer does not have"); return;
    }
    const std::string_view data = Take(static_cast<std::size_t>(columns) * bytesPerColumn);
    if (!drawing_) return;
    // Columns beyond the print area are dropped.
    const int fit = std::max(0, std::min(columns, (AreaWidth() - lineX_) / sx));
    const StoredLogo image = FromColumns(data, fit, bytesPerColumn);
    LinePiece piece;
    piece.width = fit * sx;
    piece.height = image.height * sy;
    piece.dots.assign(static_cast<std::size_t>(piece.width) * piece.height, 0);
    for (int y = 0; y < piece.height; ++y)
        for (int x = 0; x < piece.width; ++x)
            piece.dots[static_cast<std::size_t>(y) * piece.width + x] =
                image.ink[static_cast<std::size_t>(y / sy) * image.width + x / sx] != 0;
    if (piece.width > 0) Place(std::move(piece));
}

void ThermalPrinter::Interpreter::RasterImage(std::size_t start) {
    if (Next() != '0') {
        Note(start, "not a command of this printer");
        return;
    }
    const std::uint8_t m = Next();
    const auto p = Take(4);
    const int xBytes = Word(p, 0), rows = Word(p, 2);
    const std::string_view data = Take(static_cast<std::size_t>(xBytes) * rows);
    if (m > 3 && (m < '0' || m > '3')) {
        Note(start, "a raster scale the printer does not have");
        return;
    }
    if (!drawing_ || xBytes == 0 || rows == 0) return;
    int sx, sy;
    ScaleOf(m, sx, sy);
    // Only the columns the head can print are kept.
    const int width = std::min(xBytes * 8, AreaWidth() / sx);
    const int height = std::min(rows, std::max(0, paper_.rowsLeft() / sy + 1));
    std::vector<std::uint8_t> ink(static_cast<std::size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (Byte(data, static_cast<std::size_t>(y) * xBytes + x / 8) & (0x80 >> (x % 8)))
                ink[static_cast<std::size_t>(y) * width + x] = 255;
    DrawBlock(width, height, ink, sx, sy);
}

void ThermalPrinter::Interpreter::DefineDownloaded(std::size_t start) {
    const int x = Next(), y = Next();
    const std::string_view data = Take(static_cast<std::size_t>(x) * y * 8);
    if (x == 0 || y == 0 || y > 48) {
        Note(start, "a downloaded image of a size the printer cannot keep");
        return;
    }
    printer_.memory_.downloaded = FromColumns(data, x * 8, y);
}

void ThermalPrinter::Interpreter::PrintDownloaded(std::size_t start) {
    const std::uint8_t m = Next();
    const StoredLogo& image = printer_.memory_.downloaded;
    if (image.width == 0) {
        Note(start, "no image has been downloaded");
        return;
    }
    int sx, sy;
    ScaleOf(m, sx, sy);
    DrawBlock(image.width, image.height, image.ink, sx, sy);
}

void ThermalPrinter::Interpreter::DefineLogos(std::size_t start, bool gray) {
    const int count = Next();
    std::vector<StoredLogo> logos;
    std::size_t total = 0;
    bool usable = true;
    for (int i = 0; i < count; ++i) {
        if (gray) {
            const auto kind = Take(2);
            if (Byte(kind, 0) != 1 || Byte(kind, 1) != 0) {
                // The image's length depends on a form the printer does not know: stop here.
                Note(start, "a gray logo of a form the printer does not know; no logo stored");
                return;
            }
        }
        const auto p = Take(4);
        const int x = Word(p, 0), y = Word(p, 2);
        const std::size_t size = static_cast<std::size_t>(x) * y * 8;
        const std::string_view data = Take(size);
        total += size;
        if (x == 0 || y == 0 || x > 1023 || y > 288) usable = false;
        if (!usable || total > kLogoMemoryBytes) continue;
        logos.push_back(gray ? FromGrayPlanes(data, x, y * 8) : FromColumns(data, x * 8, y));
    }
    if (!usable) {
        Note(start, "a logo of a size the printer cannot keep; no logo stored");
        return;
    }
    if (total > kLogoMemoryBytes) {
        Note(start, "the logos need " + std::to_string(total) + " bytes, more than the " +
                        std::to_string(kLogoMemoryBytes) + " bytes of logo memory; no logo stored");
        return;
    }
    // A download replaces every stored logo; a count of 0 clears them.
    printer_.memory_.logos = std::move(logos);
    if (drawing_)
        Event(PaperEventKind::Remark, count == 0 ? std::string("stored logos cleared")
                                                 : std::to_string(count) + (gray ? " gray" : " one-bit") +
                                                       " logo" + (count == 1 ? "" : "s") + " stored");
}

void ThermalPrinter::Interpreter::PrintLogo(std::size_t start) {
    const int n = Next();
    const std::uint8_t m = Next();
    const auto& logos = printer_.memory_.logos;
    if (n < 1 || n > static_cast<int>(logos.size())) {
        Note(start, "no logo " + std::to_string(n) + " is stored");
        return;
    }
    if (m > 3 && (m < '0' || m > '3')) {
        Note(start, "a logo scale the printer does not have");
        return;
    }
    int sx, sy;
    ScaleOf(m, sx, sy);
    const StoredLogo& logo = logos[static_cast<std::size_t>(n - 1)];
    DrawBlock(logo.width, logo.height, logo.ink, sx, sy);
}

void ThermalPrinter::Interpreter::DrawBlock(int width, int height, const std::vector<std::uint8_t>& ink, int sx,
                                            int sy) {
    FlushLine();
    if (!drawing_ || width <= 0 || height <= 0) return;
    const int shownWidth = std::min(width * sx, AreaWidth());
    const int left = AlignedLeft(shownWidth);
    const int shownHeight = std::min(height * sy, paper_.rowsLeft());
    for (int y = 0; y < shownHeight; ++y)
        for (int x = 0; x < shownWidth; ++x) {
            const std::uint8_t dot = ink[static_cast<std::size_t>(y / sy) * width + x / sx];
            if (dot) paper_.Mark(left + x, y, dot);
        }
    paper_.Advance(height * sy);
}

}  // namespace thermal
