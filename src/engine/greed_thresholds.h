// The advance thresholds by GreedPorog: the largest price, in percent of the
// stake, that the bet cycle accepts.
#pragma once

#include <array>
#include <cstdint>

namespace vantrope {

inline constexpr std::array<int32_t, 3> kGreedThresholds = {100, 75, 60};

}  // namespace vantrope
