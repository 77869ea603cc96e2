#pragma once
// Twips to whole pixels: the one conversion every placement, hit test and paint rectangle uses.

#include <cmath>
#include <cstdint>
#include <limits>

namespace datewell {

// A whole number as a 32-bit coordinate. Geometry a host sets far beyond any screen saturates
// at the ends of the range instead of overflowing; a value that is not a number becomes 0.
inline std::int32_t SaturateToInt32(double whole) {
  constexpr double kMin = std::numeric_limits<std::int32_t>::min();
  constexpr double kMax = std::numeric_limits<std::int32_t>::max();
  if (std::isnan(whole)) {
    return 0;
  }
  if (whole <= kMin) {
    return std::numeric_limits<std::int32_t>::min();
  }
  if (whole >= kMax) {
    return std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(whole);
}

// Rounds to the nearest whole number, halves to the even neighbour (the default rounding mode).
inline std::int32_t RoundHalfEven(double value) {
  return SaturateToInt32(std::nearbyint(value));
}

// Divides in floating point by the axis' twips per pixel, then rounds halves to even. Callers
// form sums and differences before calling, so that only the result is rounded.
inline std::int32_t TwipsToPixels(double twips, double twips_per_pixel) {
  return RoundHalfEven(twips / twips_per_pixel);
}

// An offset added to a coordinate, saturating like the conversions.
inline std::int32_t OffsetBy(std::int32_t coordinate, std::int32_t offset) {
  return SaturateToInt32(static_cast<double>(coordinate) + offset);
}

}  // namespace datewell
