// The "1D Code" page's height arithmetic: HRI allowance, font size to the half point, the total
// stored after an edit, and the texts of the "mm" and "point" fields.
#pragma once
#include <cstdint>
#include <string>

namespace plugin {

// Dots the human-readable text adds: none when it is not printed (or the position is not one
// of the list's), 24 (Font A) or 17 (Font B) above or below, twice that for both. A font byte
// other than 0 counts as Font B.
int HriAllowanceDots(std::uint8_t hriPosition, std::uint8_t hriFont);

// The font size of a total height, total x 72 / 180 points, rounded to the half point (a
// fraction below 0.4 down, from 0.4 to below 0.7 to the half, from 0.7 up), in half points.
// Exact: the fraction of total x 0.4 is a multiple of 0.2, so no binary rounding can push 0.4
// or 0.8 across a threshold.
std::int64_t FontHalfPoints(std::int32_t totalDots);

// Bar height plus allowance, the height the page shows in millimetres and points and rounds to
// the font size; it stays inside int32 for any stored bar height.
std::int32_t BarAndHriHeight(std::int32_t barHeight, std::uint8_t hriPosition,
                             std::uint8_t hriFont);

// The total height stored after an edit of bar height, HRI position or HRI font: bar height
// plus allowance, then the rounded font size converted back to dots (truncated), 2 instead of 0.
std::int32_t QuantisedTotalHeight(std::int32_t barHeight, std::uint8_t hriPosition,
                                  std::uint8_t hriFont);

// The "mm" field: total x 25.4 / 180 as "%5.1f" (" 23.0" for 163).
std::string FormatHeightMillimetres(std::int32_t totalDots);
// The "point" field: the rounded font size as "%5.1f" (" 65.0" for 163).
std::string FormatFontPoints(std::int32_t totalDots);

}  // namespace plugin
