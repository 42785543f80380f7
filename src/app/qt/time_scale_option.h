// The command line's "--time-scale N": every timer interval is divided by N.
#pragma once

#include <optional>

namespace vantrope {

// 1 without the option; no value when the option is malformed.
std::optional<int> ParseTimeScale(int argc, const char* const* argv);

}  // namespace vantrope
