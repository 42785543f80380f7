// The robot's event record EVENT: the mailbox between the terminal's signal
// detection, the pair and period selectors, the strategies and the bet cycle.
#pragma once

#include <cstdint>
#include <string>

namespace vantrope {

// The direction of a signal, a chain or a bet.
enum TDirection : uint8_t { drNone = 0, drUp = 1, drDown = 2 };

// Up for down and down for up; no direction stays none.
inline TDirection Reversed(TDirection direction) {
  return direction == drUp ? drDown : direction == drDown ? drUp : direction;
}

// An expiry or a chart's timeframe in seconds: a number and its unit letter
// "s", "m", "h" or "d"; another letter counts as minutes.
inline double PeriodSeconds(uint16_t period, const std::string& unit) {
  const double unit_seconds = unit == "s" ? 1 : unit == "h" ? 3600 : unit == "d" ? 86400 : 60;
  return period * unit_seconds;
}

// The site state, EVENT.BetStatus: what the bet cycle tells the strategies.
enum TSiteState : uint8_t {
  ssNotReady = 0,
  ssReady = 1,
  ssWaitingForPrices = 2,
  ssBetImpossible = 3,
  ssBetMade = 4,
  ssBetAccepted = 5,  // waiting for the result
  ssBetWon = 6,
  ssBetLost = 7,
};

struct TEvent {
  bool NewSignal = false;
  TDirection Direction = drNone;
  // When the arrow of the signal was first seen, on the monotonic clock;
  // 0 when it was on the chart before the robot watched it, so its age is
  // unknown.
  int64_t SignalTime = 0;
  bool ValuteChanged = false;
  std::string Valute;  // broker instrument code, such as "frxEURUSD"
  bool PeriodChanged = false;
  uint16_t Period = 1;
  std::string PeriodUnit = "m";  // "s", "m", "h" or "d"
  double Result = 0;
  TSiteState BetStatus = ssNotReady;
};

}  // namespace vantrope
