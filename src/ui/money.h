// Rounding of money values to whole units: halves go to the even neighbour.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace vantrope {

// A value beyond int64 (a huge money text, an infinity) gives the nearest
// end of the range, NaN gives 0: the cast alone would be undefined.
inline int64_t RoundHalfEven(double value) {
  constexpr double kTwoTo63 = 9223372036854775808.0;
  if (std::isnan(value)) return 0;
  if (value >= kTwoTo63) return std::numeric_limits<int64_t>::max();
  if (value < -kTwoTo63) return std::numeric_limits<int64_t>::min();
  double whole = std::round(value);
  if (std::fabs(value - std::trunc(value)) == 0.5) whole = 2.0 * std::round(value / 2.0);
  return static_cast<int64_t>(whole);
}

// Rounded and held in the range of T, for a narrower whole number.
template <typename T>
T RoundHalfEvenTo(double value) {
  return static_cast<T>(std::clamp<int64_t>(RoundHalfEven(value), std::numeric_limits<T>::min(),
                                            std::numeric_limits<T>::max()));
}

}  // namespace vantrope
