// Reading stored blocks by absolute offset, so tests check bytes, not the struct's own names.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "plugin/devmode/OemDevmode.h"

namespace testbytes {

inline const std::uint8_t* Bytes(const plugin::OemDevmode& dm) {
    return reinterpret_cast<const std::uint8_t*>(&dm);
}
inline std::uint8_t U8(const plugin::OemDevmode& dm, std::size_t offset) {
    return Bytes(dm)[offset];
}
inline std::int32_t I32(const plugin::OemDevmode& dm, std::size_t offset) {
    const std::uint8_t* b = Bytes(dm) + offset;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) | b[1] << 8 | b[2] << 16 |
                                     static_cast<std::uint32_t>(b[3]) << 24);
}

}  // namespace testbytes
