// Rounding of money values to whole units: halves go to the even neighbour.
#pragma once

#include <cmath>
#include <cstdint>

namespace vantrope {

inline int64_t RoundHalfEven(double value) {
  double whole = std::round(value);
  if (std::fabs(value - std::trunc(value)) == 0.5) whole = 2.0 * std::round(value / 2.0);
  return static_cast<int64_t>(whole);
}

}  // namespace vantrope
