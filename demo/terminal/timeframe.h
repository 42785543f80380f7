// The chart timeframes the terminal knows, by the names its caption shows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrope::demo::terminal {

struct Timeframe {
  std::string name;  // as the caption shows it: "M1", "H4", "Daily", "MN"
  int64_t seconds = 0;
};

// The timeframe named `text`, in any letter case ("daily" is "Daily").
std::optional<Timeframe> FindTimeframe(std::string_view text);

}  // namespace vantrope::demo::terminal
