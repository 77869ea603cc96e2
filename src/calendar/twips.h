#pragma once
// Twips to whole pixels: the one conversion every placement, hit test and paint rectangle uses.

#include <cmath>
#include <cstdint>

namespace datewell {

// Divides in floating point by the axis' twips per pixel and rounds to the nearest integer,
// halves to the even neighbour (the default rounding mode). Callers form sums and differences
// before calling, so that only the result is rounded.
inline std::int32_t TwipsToPixels(double twips, double twips_per_pixel) {
  return static_cast<std::int32_t>(std::nearbyint(twips / twips_per_pixel));
}

// Rounds a value already in pixels (or twips) to a whole number, halves to even.
inline std::int32_t RoundHalfEven(double value) {
  return static_cast<std::int32_t>(std::nearbyint(value));
}

}  // namespace datewell
