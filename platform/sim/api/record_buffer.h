// Records followed by their texts in a caller's buffer, as winspool fills the buffers of its
// Get* and Enum* calls.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace sim {

// Each text pointer points behind the records into the same buffer. The caller sizes the
// buffer first (records plus TextSize of every text), so nothing here checks bounds.
class RecordBuffer {
public:
    RecordBuffer(std::uint8_t* buffer, std::size_t textStart)
        : buffer_(buffer), next_(textStart) {}
    // Copies the text in and returns where it lies; null for a null text.
    char* Put(const char* text) {
        if (!text) return nullptr;
        const std::size_t size = std::strlen(text) + 1;
        char* at = reinterpret_cast<char*>(buffer_ + next_);
        std::memcpy(at, text, size);
        next_ += size;
        return at;
    }
    // Records go in with memcpy: the caller's buffer need not be aligned for them.
    template <typename Record>
    void PutRecord(std::size_t offset, const Record& record) {
        std::memcpy(buffer_ + offset, &record, sizeof record);
    }

private:
    std::uint8_t* buffer_;
    std::size_t next_;
};

// The bytes a text takes behind the records, terminator included; none for a null text.
inline std::uint32_t TextSize(const char* text) {
    return text ? static_cast<std::uint32_t>(std::strlen(text) + 1) : 0;
}

}  // namespace sim
