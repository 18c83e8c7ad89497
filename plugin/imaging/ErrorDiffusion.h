// Serpentine error diffusion of levels (0..255 per pixel) to one bit per pixel, row by row in the
// file's row order.
#pragma once
#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>

namespace plugin {

// The error row holds this many columns; wider pictures are refused for "Error Diffuse".
inline constexpr std::int32_t kDiffusionColumns = 2000;

namespace diffusion {

// Errors stay within -128..128: a pixel receives at most 3/8 + 1/4 of an error from the row
// above and 3/8 from the pixel before it, so its value (level plus both) lies within
// -128..383, and its own error within -128..128 again.
inline constexpr int kLowestValue = -128;
inline constexpr int kHighestValue = 383;
inline constexpr std::size_t kValues = kHighestValue - kLowestValue + 1;

// What each value gives, by value - kLowestValue: its pixel's colour and the shares of its
// error. Integer division truncates toward zero, as the shares do.
struct Outcomes {
    std::array<std::int8_t, kValues> carry{};   // 3/8 of the error: to the next pixel of the
                                                // pass, and to the pixel below
    std::array<std::int8_t, kValues> push{};    // 1/4: to the pixel below the next one
    std::array<std::uint8_t, kValues> white{};  // 1 for white
};

constexpr Outcomes MakeOutcomes() {
    Outcomes table;
    for (int value = kLowestValue; value <= kHighestValue; ++value) {
        const bool white = value > 128;
        const int error = white ? value - 255 : value;
        const auto i = static_cast<std::size_t>(value - kLowestValue);
        table.carry[i] = static_cast<std::int8_t>(error * 3 / 8);
        table.push[i] = static_cast<std::int8_t>(error / 4);
        table.white[i] = white;
    }
    return table;
}

// Look-ups rather than arithmetic: the carry from one pixel to the next is the chain that
// bounds the speed, and a single load from the pixel's own place in the table is its shortest
// form (the level and the error from above are added beforehand, off the chain).
inline constexpr Outcomes kOutcomes = MakeOutcomes();

// What a pass carries from one pixel to the next.
struct Pass {
    std::ptrdiff_t carry = 0;  // 3/8 of the previous pixel's error
    int push = 0;              // 1/4 of the previous pixel's error, for the cell below this pixel
};

// One pixel: 1 when it is white. `error` holds what the row above left for this column and
// becomes what the row below receives here.
inline unsigned Step(int level, int& error, Pass& pass) {
    const int base = level + error - kLowestValue;
    const std::ptrdiff_t index = base + pass.carry;
    assert(index >= 0 && static_cast<std::size_t>(index) < kValues);
    const int carry = kOutcomes.carry.data()[base + pass.carry];
    error = carry + pass.push;
    pass.carry = carry;
    pass.push = kOutcomes.push[static_cast<std::size_t>(index)];
    return kOutcomes.white[static_cast<std::size_t>(index)];
}

}  // namespace diffusion

// Error diffusion with threshold 128: three eighths of a pixel's error go to the next pixel of
// the pass, three eighths to the pixel below and a quarter to the pixel below the next one.
//
// The pixel below a pixel receives only from that pixel and from the one before it in the pass,
// so one row of errors is enough: each entry is read for its pixel and then overwritten with
// what the row below receives there, and nothing needs clearing between rows. Errors that would
// land past the row's end (the leftmost pixel of a right-to-left pass, the rightmost of a
// left-to-right one) or below the last row are never read, so they are simply dropped.
//
// Each pass direction has its own loop; within it a pixel costs no branch, and eight pixels
// gather in a register before their byte is stored. The levels come from a function of the
// column, so that making them overlaps the diffusion instead of taking a pass of its own.
class ErrorDiffusion {
public:
    // `width` is 1..kDiffusionColumns; a wider one is cut to the error row (callers refuse
    // such pictures).
    explicit ErrorDiffusion(std::int32_t width) : width_(std::clamp(width, std::int32_t{0}, kDiffusionColumns)) {}

    // Diffuses the next file row (row 0 first): `levelAt(x)` gives the level of column x,
    // `bits` receives (width + 7) / 8 bytes, bit 7 of the first byte for the leftmost pixel, a
    // set bit for a white pixel, the bits after the last pixel clear. Odd rows run left to
    // right, even rows (row 0 among them) right to left.
    template <class LevelAt>
    void Row(LevelAt levelAt, std::uint8_t* bits) {
        if (leftToRight_) LeftToRight(levelAt, bits);
        else RightToLeft(levelAt, bits);
        leftToRight_ = !leftToRight_;
    }

private:
    template <class LevelAt>
    void LeftToRight(LevelAt levelAt, std::uint8_t* bits) {
        using diffusion::Step;
        diffusion::Pass pass;
        int* errors = errors_.data();
        const std::int32_t whole = width_ / 8;
        for (std::int32_t k = 0; k < whole; ++k) {
            const std::int32_t x0 = 8 * k;
            unsigned byte = 0;
            for (std::int32_t x = x0; x < x0 + 8; ++x) byte = byte << 1 | Step(levelAt(x), errors[x], pass);
            bits[k] = static_cast<std::uint8_t>(byte);
        }
        if (const std::int32_t rest = width_ % 8; rest != 0) {
            unsigned byte = 0;
            for (std::int32_t x = 8 * whole; x < width_; ++x) byte = byte << 1 | Step(levelAt(x), errors[x], pass);
            bits[whole] = static_cast<std::uint8_t>(byte << (8 - rest));
        }
    }

    // The bits enter at the top of the byte and move down, so the leftmost pixel of a byte,
    // done last, ends in bit 7.
    template <class LevelAt>
    void RightToLeft(LevelAt levelAt, std::uint8_t* bits) {
        using diffusion::Step;
        diffusion::Pass pass;
        int* errors = errors_.data();
        const std::int32_t whole = width_ / 8;
        if (width_ % 8 != 0) {
            unsigned byte = 0;
            for (std::int32_t x = width_ - 1; x >= 8 * whole; --x)
                byte = byte >> 1 | Step(levelAt(x), errors[x], pass) << 7;
            bits[whole] = static_cast<std::uint8_t>(byte);
        }
        for (std::int32_t k = whole - 1; k >= 0; --k) {
            const std::int32_t x0 = 8 * k;
            unsigned byte = 0;
            for (std::int32_t x = x0 + 7; x >= x0; --x) byte = byte >> 1 | Step(levelAt(x), errors[x], pass) << 7;
            bits[k] = static_cast<std::uint8_t>(byte);
        }
    }

    std::int32_t width_;
    bool leftToRight_ = false;  // row 0 runs right to left
    // Before a row: the error each column receives from the row above. During the row each
    // entry is replaced, once its pixel is done, by what the pixel below will receive.
    std::array<int, kDiffusionColumns> errors_{};
};

}  // namespace plugin
