// Contrast and brightness adjustment of 8-bit samples, and the luma of an RGB pixel.
#pragma once
#include <array>
#include <cstdint>

namespace plugin {

// Contrast and brightness as the logo page's trackbars give them; values outside are clamped.
inline constexpr int kAdjustmentMin = -100;
inline constexpr int kAdjustmentMax = 100;

// A sample (0..255) with contrast c and brightness b applied:
//   c < 0:  d = v / (255 / (2c + 255)) - c        (the range shrinks to [-c, 255 + c])
//   c >= 0: d = 0 for v <= c, 255 for v >= 255 - c, else (v - c) / ((255 - 2c) / 255)
// then b + d clamped to 0..255. The divisions are taken as exact fractions and truncated
// once, so v = 255 with c = -100 gives exactly 155 on every compiler and word size.
int AdjustLevel(int sample, int contrast, int brightness);

// A sample stretched or squeezed around `mean`: k = 1 - 0.1 sqrt(-c) for c < 0, else
// 1 + 0.1 c; b + trunc(k (v - m) + m), clamped to 0..255. Computed exactly (integer square
// roots), without floating-point rounding at whole numbers.
int AdjustAroundMean(int sample, int contrast, int brightness, int mean);

// ITU-R BT.601 luma in integers: (R x 299 + G x 587 + B x 114) / 1000.
constexpr int Luma(int red, int green, int blue) {
    return (red * 299 + green * 587 + blue * 114) / 1000;
}

// Every sample's adjusted value, so a conversion does one look-up per sample.
using LevelTable = std::array<std::uint8_t, 256>;
LevelTable AdjustLevelTable(int contrast, int brightness);
LevelTable AdjustAroundMeanTable(int contrast, int brightness, int mean);

}  // namespace plugin
