// Contrast and brightness adjustment in exact integer arithmetic.
#include "plugin/imaging/AdjustLevel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace plugin {
namespace {

int Clamp(int value, int low, int high) { return std::min(std::max(value, low), high); }

// Largest n with n * n <= q.
std::int64_t FloorSqrt(std::int64_t q) {
    auto n = static_cast<std::int64_t>(std::sqrt(static_cast<double>(q)));
    while (n * n > q) --n;
    while ((n + 1) * (n + 1) <= q) ++n;
    return n;
}

}  // namespace

int AdjustLevel(int sample, int contrast, int brightness) {
    const int v = Clamp(sample, 0, 255);
    const int c = Clamp(contrast, kAdjustmentMin, kAdjustmentMax);
    const int b = Clamp(brightness, kAdjustmentMin, kAdjustmentMax);
    int d;
    if (c < 0) {
        // v / (255 / (2c + 255)) = v (2c + 255) / 255; 2c + 255 is at least 55, so this is >= 0.
        d = v * (2 * c + 255) / 255 - c;
    } else if (v <= c) {
        d = 0;
    } else if (v < 255 - c) {
        // (v - c) / ((255 - 2c) / 255) = (v - c) 255 / (255 - 2c); 255 - 2c is at least 55.
        d = (v - c) * 255 / (255 - 2 * c);
    } else {
        d = 255;
    }
    return Clamp(b + d, 0, 255);
}

int AdjustAroundMean(int sample, int contrast, int brightness, int mean) {
    const std::int64_t v = Clamp(sample, 0, 255);
    const std::int64_t m = Clamp(mean, 0, 255);
    const int c = Clamp(contrast, kAdjustmentMin, kAdjustmentMax);
    const int b = Clamp(brightness, kAdjustmentMin, kAdjustmentMax);
    std::int64_t stretched;
    if (c >= 0) {
        // k (v - m) + m = ((10 + c)(v - m) + 10 m) / 10; C++ division truncates toward zero.
        stretched = ((10 + c) * (v - m) + 10 * m) / 10;
    } else {
        // k (v - m) + m = v - t with t = (v - m) sqrt(-c) / 10. With 0 <= k < 1 the value lies
        // between m and v, so it is never negative and truncation is the floor:
        // floor(v - t) = v - ceil(t). |t| = sqrt(q) / 10 with q = (v - m)^2 (-c).
        const std::int64_t q = (v - m) * (v - m) * -c;
        const std::int64_t floorRoot = FloorSqrt(q / 100);  // floor(sqrt(q) / 10)
        if (v >= m) {
            const std::int64_t ceilRoot = floorRoot * floorRoot * 100 == q ? floorRoot : floorRoot + 1;
            stretched = v - ceilRoot;
        } else {
            stretched = v + floorRoot;  // t < 0: ceil(t) = -floor(|t|)
        }
    }
    const std::int64_t result = b + stretched;
    return static_cast<int>(std::min<std::int64_t>(std::max<std::int64_t>(result, 0), 255));
}

LevelTable AdjustLevelTable(int contrast, int brightness) {
    LevelTable table{};
    for (int v = 0; v < 256; ++v) table[v] = static_cast<std::uint8_t>(AdjustLevel(v, contrast, brightness));
    return table;
}

LevelTable AdjustAroundMeanTable(int contrast, int brightness, int mean) {
    LevelTable table{};
    for (int v = 0; v < 256; ++v)
        table[v] = static_cast<std::uint8_t>(AdjustAroundMean(v, contrast, brightness, mean));
    return table;
}

}  // namespace plugin
