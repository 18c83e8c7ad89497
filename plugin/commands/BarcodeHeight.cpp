// Height and font-size arithmetic of the linear barcode fonts.
#include "plugin/commands/BarcodeHeight.h"

#include <cstdio>

namespace plugin {

namespace {

std::string FormatOneDecimal(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%5.1f", value);
    return text;
}

}  // namespace

int HriAllowanceDots(std::uint8_t hriPosition, std::uint8_t hriFont) {
    const int line = hriFont == 0 ? 24 : 17;
    switch (hriPosition) {
        case 1:
        case 2: return line;
        case 3: return 2 * line;
        default: return 0;
    }
}

std::int64_t FontHalfPoints(std::int32_t totalDots) {
    // points = total x 2 / 5; work in fifths of a point to keep the fraction exact.
    const std::int64_t fifths = std::int64_t{totalDots} * 2;
    const std::int64_t whole = fifths / 5;      // truncated, as the page truncates
    const std::int64_t rest = fifths - whole * 5;  // fraction in fifths; <= 0 for negatives
    if (rest >= 4) return whole * 2 + 2;        // 0.8
    if (rest >= 2) return whole * 2 + 1;        // 0.4 and 0.6
    return whole * 2;
}

std::int32_t BarAndHriHeight(std::int32_t barHeight, std::uint8_t hriPosition,
                             std::uint8_t hriFont) {
    const std::int64_t total = std::int64_t{barHeight} + HriAllowanceDots(hriPosition, hriFont);
    // The sum can leave int32 only for absurd stored bar heights; the field keeps its range.
    return total > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(total);
}

std::int32_t QuantisedTotalHeight(std::int32_t barHeight, std::uint8_t hriPosition,
                                  std::uint8_t hriFont) {
    const std::int32_t total = BarAndHriHeight(barHeight, hriPosition, hriFont);
    // dots = points x 180 / 72 = half points x 5 / 4, truncated toward zero.
    const std::int64_t dots = FontHalfPoints(total) * 5 / 4;
    return dots == 0 ? 2 : static_cast<std::int32_t>(dots);
}

std::string FormatHeightMillimetres(std::int32_t totalDots) {
    return FormatOneDecimal(totalDots * 25.4 / 180.0);
}

std::string FormatFontPoints(std::int32_t totalDots) {
    return FormatOneDecimal(static_cast<double>(FontHalfPoints(totalDots)) / 2.0);
}

}  // namespace plugin
