#pragma once
// Float-to-integer conversion used everywhere the program rounds: to the
// nearest integer, an exact half going to the even neighbour (7.5 -> 8,
// 8.5 -> 8, 22.5 -> 22).

#include <cmath>
#include <limits>

namespace twk {

inline double RoundHalfEven(double value) {
  // nearbyint follows the current rounding mode, which is round-to-nearest-
  // even unless someone changed it; remainder-based rounding does not depend
  // on that.
  const double floor = std::floor(value);
  const double diff = value - floor;
  if (diff < 0.5) return floor;
  if (diff > 0.5) return floor + 1.0;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

// RoundHalfEven to int, saturating at the int range; NaN gives 0.
inline int RoundToInt(double value) {
  if (std::isnan(value)) return 0;
  const double r = RoundHalfEven(value);
  if (r >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (r <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(r);
}

// Truncation toward zero to int, saturating; NaN gives 0.
inline int TruncateToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (value <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

}  // namespace twk
