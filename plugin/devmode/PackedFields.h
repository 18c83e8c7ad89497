// Field types of stored byte layouts: little-endian integers, flags and UTF-16 texts.
//
// The private device mode sits at whatever address the driver gives it, so its multi-byte fields
// are kept as bytes and read and written through these types: no misaligned access, no padding the
// compiler chose, and the same bytes on every host.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace plugin {

// A little-endian unsigned 32-bit field.
struct LeUint32 {
    std::uint8_t bytes[4];

    constexpr operator std::uint32_t() const {
        return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
               static_cast<std::uint32_t>(bytes[2]) << 16 |
               static_cast<std::uint32_t>(bytes[3]) << 24;
    }
    constexpr LeUint32& operator=(std::uint32_t value) {
        for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
        return *this;
    }
};

// A little-endian signed 32-bit field (two's complement).
struct LeInt32 {
    std::uint8_t bytes[4];

    constexpr operator std::int32_t() const {
        std::uint32_t raw = static_cast<std::uint32_t>(bytes[0]) |
                            static_cast<std::uint32_t>(bytes[1]) << 8 |
                            static_cast<std::uint32_t>(bytes[2]) << 16 |
                            static_cast<std::uint32_t>(bytes[3]) << 24;
        return static_cast<std::int32_t>(raw);
    }
    constexpr LeInt32& operator=(std::int32_t value) {
        auto raw = static_cast<std::uint32_t>(value);
        for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(raw >> (8 * i));
        return *this;
    }
};

// A one-byte yes/no field: any non-zero byte reads as yes (a block from elsewhere may hold
// other values), and yes is written as 1.
struct StoredFlag {
    std::uint8_t byte;

    constexpr operator bool() const { return byte != 0; }
    constexpr StoredFlag& operator=(bool on) {
        byte = on ? 1 : 0;
        return *this;
    }
};

// A zero-terminated UTF-16 text of N code units (terminator included), little-endian.
template <std::size_t N>
struct Utf16Text {
    static constexpr std::size_t kCapacity = N;
    std::uint8_t bytes[2 * N];

    constexpr char16_t at(std::size_t i) const {
        return static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    }
    constexpr void setAt(std::size_t i, char16_t c) {
        bytes[2 * i] = static_cast<std::uint8_t>(c & 0xFF);
        bytes[2 * i + 1] = static_cast<std::uint8_t>(c >> 8);
    }
    // The text up to the first zero; a field without a zero yields all N units.
    std::u16string str() const {
        std::u16string out;
        for (std::size_t i = 0; i < N && at(i) != 0; ++i) out.push_back(at(i));
        return out;
    }
    // Stores the text cut to N - 1 units and fills the rest of the field with zeros, so no
    // bytes of an earlier, longer text remain behind.
    void assign(std::u16string_view text) {
        std::size_t length = text.size() < N - 1 ? text.size() : N - 1;
        for (std::size_t i = 0; i < N; ++i) setAt(i, i < length ? text[i] : u'\0');
    }
};

}  // namespace plugin
