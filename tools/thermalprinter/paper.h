// The paper a thermal printer has printed: rows of dots across the print head, each dot's ink
// from 0 (none) to 255 (black; gray logos print between), and what happened beside the paper
// at each row (cuts, drawer pulses, the buzzer, notes on bytes the printer did not print).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace thermal {

enum class PaperEventKind {
    FullCut,
    PartialCut,
    Drawer,    // a drawer kick-out pulse
    Buzzer,
    IdChange,  // the printer's internal ID was set
    Note,      // bytes the printer did not print as asked; the note is printed on the paper
    Remark,    // how the drawing differs from the request (nothing printed for it)
};

struct PaperEvent {
    PaperEventKind kind;
    int row = 0;       // where the paper stood (the row under the print head)
    int endRow = 0;    // notes: the rows the note's text covers [row, endRow)
    std::string text;
};

class Paper {
public:
    // `width` dots across; at most `maxRows` rows (the roll runs out there).
    Paper(int width, int maxRows);

    int width() const { return width_; }
    int rows() const { return static_cast<int>(ink_.size() / static_cast<std::size_t>(width_)); }
    // The row under the print head: everything above it has been printed.
    int cursor() const { return cursor_; }
    bool ranOut() const { return ranOut_; }
    // Rows of the roll below the cursor.
    int rowsLeft() const { return maxRows_ - cursor_; }

    // Moves the paper `dots` rows on (blank rows where nothing was printed). False once the roll
    // has run out; the cursor then stays at the end.
    bool Advance(int dots);
    // Darkens a dot `dy` rows below the cursor (ink only grows: a dot printed stays printed).
    // Dots outside the head or the roll are dropped.
    void Mark(int x, int dy, std::uint8_t ink);
    std::uint8_t InkAt(int x, int row) const;

    // An event at the cursor.
    void AddEvent(PaperEventKind kind, std::string text);
    // A note whose text was printed from row `fromRow` up to the cursor.
    void AddNote(std::string text, int fromRow);
    const std::vector<PaperEvent>& events() const { return events_; }

private:
    bool EnsureRows(int rows);
    int width_;
    int maxRows_;
    int cursor_ = 0;
    bool ranOut_ = false;
    std::vector<std::uint8_t> ink_;
    std::vector<PaperEvent> events_;
};

}  // namespace thermal
