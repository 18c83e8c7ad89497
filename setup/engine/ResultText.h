// The installation's result text: what the failing step says, or the success message, shown by
// the wizard once the worker has finished.
#pragma once
#include <cstddef>
#include <string>

namespace setup {

class ResultText {
public:
    // Holds the longest composed message: two language texts of at most 1,023 characters, a
    // file name, a path and a system message, with room to spare. Longer texts are cut.
    static constexpr std::size_t kCapacity = 4096;

    void Clear() { length_ = 0; text_[0] = '\0'; }
    void Set(const std::string& text) { Clear(); Append(text); }
    void Append(const std::string& text);
    bool empty() const { return length_ == 0; }
    const char* c_str() const { return text_; }
    std::string str() const { return std::string(text_, length_); }

private:
    char text_[kCapacity] = {};
    std::size_t length_ = 0;
};

// Removes trailing carriage returns, line feeds and blanks.
void TrimLineEnd(std::string& text);

}  // namespace setup
