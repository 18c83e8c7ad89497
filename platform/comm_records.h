// The serial line record that Windows 98/Me keeps per port in the registry, with Windows' layout.
//
// Field names and order are those of winbase's DCB. Its flag bits are C bit-fields there; here
// they are one 32-bit word with masks, so portable code can fill it without relying on the
// compiler's bit-field order. The Windows build checks offsets and bit positions against the
// real header.
#pragma once
#include <array>
#include <cstdint>

namespace plat {

struct DCB {
    std::uint32_t DCBlength;
    std::uint32_t BaudRate;
    std::uint32_t flags;  // fBinary ... fAbortOnError, as the masks below place them
    std::uint16_t wReserved;
    std::uint16_t XonLim;
    std::uint16_t XoffLim;
    std::uint8_t ByteSize;
    std::uint8_t Parity;
    std::uint8_t StopBits;
    char XonChar;
    char XoffChar;
    char ErrorChar;
    char EofChar;
    char EvtChar;
    std::uint16_t wReserved1;
};
static_assert(sizeof(DCB) == 28);

// The bit-fields of DCB's third word.
inline constexpr std::uint32_t kDcbBinary = 1u << 0;         // fBinary
inline constexpr std::uint32_t kDcbParity = 1u << 1;         // fParity
inline constexpr std::uint32_t kDcbOutxCtsFlow = 1u << 2;    // fOutxCtsFlow
inline constexpr std::uint32_t kDcbOutxDsrFlow = 1u << 3;    // fOutxDsrFlow
inline constexpr int kDcbDtrControlShift = 4;                // fDtrControl: 2 bits
inline constexpr std::uint32_t kDcbDsrSensitivity = 1u << 6; // fDsrSensitivity
inline constexpr std::uint32_t kDcbTxContinueOnXoff = 1u << 7;
inline constexpr std::uint32_t kDcbOutX = 1u << 8;           // fOutX
inline constexpr std::uint32_t kDcbInX = 1u << 9;            // fInX
inline constexpr std::uint32_t kDcbErrorChar = 1u << 10;     // fErrorChar
inline constexpr std::uint32_t kDcbNull = 1u << 11;          // fNull
inline constexpr int kDcbRtsControlShift = 12;               // fRtsControl: 2 bits
inline constexpr std::uint32_t kDcbAbortOnError = 1u << 14;  // fAbortOnError

// The record as the registry keeps it: its 28 bytes, little-endian as on every Windows machine.
inline std::array<std::uint8_t, 28> DcbBytes(const DCB& d) {
    std::array<std::uint8_t, 28> b{};
    auto put = [&b](std::size_t at, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    put(0, d.DCBlength, 4);
    put(4, d.BaudRate, 4);
    put(8, d.flags, 4);
    put(12, d.wReserved, 2);
    put(14, d.XonLim, 2);
    put(16, d.XoffLim, 2);
    b[18] = d.ByteSize;
    b[19] = d.Parity;
    b[20] = d.StopBits;
    b[21] = static_cast<std::uint8_t>(d.XonChar);
    b[22] = static_cast<std::uint8_t>(d.XoffChar);
    b[23] = static_cast<std::uint8_t>(d.ErrorChar);
    b[24] = static_cast<std::uint8_t>(d.EofChar);
    b[25] = static_cast<std::uint8_t>(d.EvtChar);
    put(26, d.wReserved1, 2);
    return b;
}

}  // namespace plat
