// The result text's fixed buffer: texts are appended and cut at its capacity.
#include "setup/engine/ResultText.h"

#include <cstring>

namespace setup {

void ResultText::Append(const std::string& text) {
    const std::size_t room = kCapacity - 1 - length_;
    const std::size_t n = text.size() < room ? text.size() : room;
    std::memcpy(text_ + length_, text.data(), n);
    length_ += n;
    text_[length_] = '\0';
}

void TrimLineEnd(std::string& text) {
    while (!text.empty() &&
           (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
        text.pop_back();
}

}  // namespace setup
