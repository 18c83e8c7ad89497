#include "tools/thermalprinter/paper_picture.h"

#include <algorithm>

#include "platform/sim/ui/png_file.h"
#include "tools/thermalprinter/printer_font.h"

namespace thermal {

namespace {

struct Rgb {
    std::uint8_t r, g, b;
};

constexpr Rgb kTable{200, 200, 200};
constexpr Rgb kNoteInk{230, 110, 0};
constexpr int kTop = 16;
constexpr int kGap = 8;

Rgb ColourOf(PaperEventKind kind) {
    switch (kind) {
        case PaperEventKind::FullCut:
        case PaperEventKind::PartialCut: return {200, 0, 0};
        case PaperEventKind::Drawer: return {0, 70, 200};
        case PaperEventKind::Buzzer: return {140, 0, 160};
        case PaperEventKind::IdChange: return {0, 130, 40};
        case PaperEventKind::Note: return kNoteInk;
        case PaperEventKind::Remark: return {90, 90, 90};
    }
    return {0, 0, 0};
}

void Put(plat::PixelImage& image, int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
    std::uint8_t* p = image.At(x, y);
    p[0] = c.b;
    p[1] = c.g;
    p[2] = c.r;
}

// Writes `text` in Font B from (x, y), wrapped at spaces to fit `width`; returns the row below it.
int Label(plat::PixelImage& image, PrinterFont& font, const std::string& text, int x, int y, int width, Rgb c) {
    const int cellW = PrinterFont::CellWidth(true), cellH = PrinterFont::CellHeight(true);
    const std::size_t perLine = static_cast<std::size_t>(std::max(1, width / cellW));
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = std::min(text.size(), at + perLine);
        if (end < text.size()) {
            const std::size_t space = text.rfind(' ', end);
            if (space != std::string::npos && space > at) end = space;
        }
        for (std::size_t i = at; i < end; ++i) {
            const GlyphCell& g = font.Glyph(static_cast<unsigned char>(text[i]), true, false);
            for (int gy = 0; gy < g.height; ++gy)
                for (int gx = 0; gx < g.width; ++gx)
                    if (g.At(gx, gy)) Put(image, x + static_cast<int>(i - at) * cellW + gx, y + gy, c);
        }
        y += cellH;
        at = end;
        while (at < text.size() && text[at] == ' ') ++at;
    }
    return y;
}

}  // namespace

plat::PixelImage PaperPicture(const Paper& paper, const PrinterModel& model) {
    const int paperLeft = kEventColumnWidth + kGap;
    const int paperWidth = model.marginDots * 2 + paper.width();
    const int printLeft = paperLeft + model.marginDots;
    const int rows = std::max(paper.rows(), paper.cursor());
    plat::PixelImage image = plat::PixelImage::White(paperLeft + paperWidth + kGap, kTop + rows + kTop);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (x < paperLeft || x >= paperLeft + paperWidth || y < kTop || y >= kTop + rows) Put(image, x, y, kTable);
    for (int row = 0; row < paper.rows(); ++row)
        for (int x = 0; x < paper.width(); ++x) {
            const std::uint8_t ink = paper.InkAt(x, row);
            if (ink) {
                const std::uint8_t v = static_cast<std::uint8_t>(255 - ink);
                Put(image, printLeft + x, kTop + row, Rgb{v, v, v});
            }
        }
    PrinterFont& font = PrinterFont::Shared();
    int labelBottom = 0;
    for (const PaperEvent& e : paper.events()) {
        const Rgb c = ColourOf(e.kind);
        const int y = kTop + e.row;
        if (e.kind == PaperEventKind::Note) {
            // The note's own printed lines are coloured, and a bar marks them on the left edge.
            for (int row = e.row; row < e.endRow; ++row) {
                for (int x = 0; x < paper.width(); ++x)
                    if (paper.InkAt(x, row)) Put(image, printLeft + x, kTop + row, kNoteInk);
                for (int x = 0; x < model.marginDots / 2; ++x) Put(image, paperLeft + 4 + x, kTop + row, kNoteInk);
            }
        }
        if (e.kind == PaperEventKind::FullCut || e.kind == PaperEventKind::PartialCut) {
            const bool dashed = e.kind == PaperEventKind::PartialCut;
            for (int x = paperLeft; x < paperLeft + paperWidth; ++x)
                if (!dashed || (x - paperLeft) % 12 < 8) {
                    Put(image, x, y, c);
                    Put(image, x, y - 1, c);
                }
        }
        // The label stands at the event's row, or below the one before when they would overlap.
        const int top = std::max(y - PrinterFont::CellHeight(true) / 2, labelBottom);
        for (int x = kEventColumnWidth - 12; x < paperLeft; ++x) Put(image, x, y, c);
        labelBottom = Label(image, font, e.text, 4, top, kEventColumnWidth - 16, c) + 2;
    }
    return image;
}

bool WritePaperPng(const Paper& paper, const PrinterModel& model, const std::filesystem::path& file,
                   std::string& error) {
    return sim::WritePng(file, PaperPicture(paper, model), error);
}

}  // namespace thermal
