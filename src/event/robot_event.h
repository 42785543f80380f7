// The robot's event record EVENT: the mailbox between the terminal's signal
// detection, the pair and period selectors, the strategies and the bet cycle.
#pragma once

#include <cstdint>
#include <string>

namespace vantrope {

struct TEvent {
  bool NewSignal = false;
  uint8_t Direction = 0;  // 0 none, 1 up, 2 down
  bool ValuteChanged = false;
  std::string Valute;  // broker instrument code, such as "frxEURUSD"
  bool PeriodChanged = false;
  uint16_t Period = 1;
  std::string PeriodUnit = "m";  // "s", "m", "h" or "d"
  double Result = 0;
  uint8_t BetStatus = 0;  // the site state
};

}  // namespace vantrope
