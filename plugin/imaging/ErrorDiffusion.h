// Serpentine error diffusion of levels (0..255, one byte per pixel) to one bit per pixel, row by
// row in the file's row order.
#pragma once
#include <array>
#include <cstdint>

namespace plugin {

// The error row holds this many columns; wider pictures are refused for "Error Diffuse".
inline constexpr std::int32_t kDiffusionColumns = 2000;

class ErrorDiffusion {
public:
    // `width` is 1..kDiffusionColumns.
    explicit ErrorDiffusion(std::int32_t width);

    // Diffuses the next file row (row 0 first): `levels` holds `width` levels, `bits` receives
    // (width + 7) / 8 bytes, bit 7 of the first byte for the leftmost pixel, a set bit for a
    // white pixel, the bits after the last pixel clear. Odd rows run left to right, even rows
    // (row 0 among them) right to left.
    void Row(const std::uint8_t* levels, std::uint8_t* bits);

private:
    std::int32_t width_;
    bool leftToRight_ = false;  // row 0 runs right to left
    // Before a row: the error each column receives from the row above. During the row each
    // entry is replaced, once its pixel is done, by what the pixel below will receive.
    std::array<int, kDiffusionColumns> errors_{};
};

}  // namespace plugin
