// The terminal's caption: "... [EURUSD,M15]" names the chart's pair and timeframe.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vantrope {

struct TerminalCaption {
  // The characters after the first "[" up to the first one below "A".
  std::string pair_run;
  // The upper-cased text between the separator and the next "]", when the
  // caption has both.
  std::optional<std::string> timeframe;
};

TerminalCaption ParseTerminalCaption(const std::string& caption);

struct TerminalPeriod {
  uint16_t period = 0;
  std::string unit;  // "m", "h" or "d"
};

// The expiry period of a timeframe text of the terminal; nothing for any
// other text ("W1", "MN").
std::optional<TerminalPeriod> PeriodOfTimeframe(const std::string& timeframe);

// "frx" and the first six characters of the pair run: the broker's code.
std::string InstrumentCodeOfPairRun(const std::string& pair_run);

// The pair box's name of a code: "frxEURUSD" gives "EUR/USD".
std::string PairDisplayName(const std::string& code);

}  // namespace vantrope
