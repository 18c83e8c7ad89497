// The ordered-dither threshold matrices of the "Dither M3" (8x8) and "Dither M4" (16x16) methods.
#pragma once
#include <array>
#include <cstdint>

namespace plugin {

using DitherMatrix8 = std::array<std::array<std::uint8_t, 8>, 8>;
using DitherMatrix16 = std::array<std::array<std::uint8_t, 16>, 16>;

// The standard 8x8 Bayer matrix, values 0..63; index [y mod 8][x mod 8].
inline constexpr DitherMatrix8 kBayer8 = {{
    {0, 32, 8, 40, 2, 34, 10, 42},
    {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},
    {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},
    {63, 31, 55, 23, 61, 29, 53, 21},
}};

// The 16x16 matrix built from the 8x8 one, values 0..255: quarters 4B (top left), 4B + 3
// (top right), 4B + 2 (bottom left), 4B + 1 (bottom right).
constexpr DitherMatrix16 MakeBayer16() {
    DitherMatrix16 m{};
    constexpr int kQuarterOffset[2][2] = {{0, 3}, {2, 1}};  // [bottom half][right half]
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            m[y][x] = static_cast<std::uint8_t>(4 * kBayer8[y % 8][x % 8] + kQuarterOffset[y / 8][x / 8]);
    return m;
}
inline constexpr DitherMatrix16 kBayer16 = MakeBayer16();

}  // namespace plugin
