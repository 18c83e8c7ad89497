#include "tools/thermalprinter/paper.h"

#include <algorithm>

namespace thermal {

Paper::Paper(int width, int maxRows) : width_(std::max(width, 1)), maxRows_(std::max(maxRows, 1)) {}

bool Paper::EnsureRows(int wanted) {
    if (wanted <= rows()) return true;
    if (wanted > maxRows_) return false;
    ink_.resize(static_cast<std::size_t>(wanted) * static_cast<std::size_t>(width_), 0);
    return true;
}

bool Paper::Advance(int dots) {
    if (dots <= 0) return !ranOut_;
    if (ranOut_) return false;
    const long long target = static_cast<long long>(cursor_) + dots;
    if (target > maxRows_) {
        EnsureRows(maxRows_);
        cursor_ = maxRows_;
        ranOut_ = true;
        return false;
    }
    cursor_ = static_cast<int>(target);
    EnsureRows(cursor_);
    return true;
}

void Paper::Mark(int x, int dy, std::uint8_t ink) {
    if (x < 0 || x >= width_ || dy < 0 || ranOut_) return;
    const long long row = static_cast<long long>(cursor_) + dy;
    if (row >= maxRows_ || !EnsureRows(static_cast<int>(row) + 1)) return;
    std::uint8_t& dot = ink_[static_cast<std::size_t>(row) * static_cast<std::size_t>(width_) +
                             static_cast<std::size_t>(x)];
    dot = std::max(dot, ink);
}

std::uint8_t Paper::InkAt(int x, int row) const {
    if (x < 0 || x >= width_ || row < 0 || row >= rows()) return 0;
    return ink_[static_cast<std::size_t>(row) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

void Paper::AddEvent(PaperEventKind kind, std::string text) {
    events_.push_back(PaperEvent{kind, cursor_, cursor_, std::move(text)});
}

void Paper::AddNote(std::string text, int fromRow) {
    events_.push_back(PaperEvent{PaperEventKind::Note, std::clamp(fromRow, 0, cursor_), cursor_, std::move(text)});
}

}  // namespace thermal
