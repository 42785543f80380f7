// The only ways the event record changes, each named for what happened.
// Who owns which field:
// - the signal (NewSignal, Direction, SignalTime): the terminal's arrow
//   search raises it; the strategies, the bet cycle and run control drop or
//   forget it;
// - the chart (Valute, Period, PeriodUnit and their change flags): the
//   terminal's caption and the pair and expiry selectors change it; the
//   strategies take a change;
// - the site (BetStatus, Result): the bet cycle reports it (and run control
//   for a bet taken up at Start, the debug window's simulator by hand).
#pragma once

#include <cstdint>
#include <string>

#include "event/robot_event.h"

namespace vantrope {

// An arrow of the indicator: a new signal, first seen at `first_seen` (0 for
// an arrow of unknown age).
inline void RaiseSignal(TEvent& event, TDirection direction, int64_t first_seen) {
  event.Direction = direction;
  event.SignalTime = first_seen;
  event.NewSignal = true;
}

// The signal waiting is not taken; its direction stays, so that only an
// arrow of the other direction raises a signal again.
inline void DropSignal(TEvent& event) { event.NewSignal = false; }

// The signal is dropped and its direction forgotten: an arrow of either
// direction raises a signal again.
inline void ForgetSignal(TEvent& event) {
  event.NewSignal = false;
  event.Direction = drNone;
}

// The direction the last program's signal had, taken up at start-up.
inline void InheritDirection(TEvent& event, TDirection direction) { event.Direction = direction; }

// The chart's pair; a change is flagged for the strategies.
inline void SetPair(TEvent& event, const std::string& valute) {
  if (valute != event.Valute) event.ValuteChanged = true;
  event.Valute = valute;
}

// A change of the chart's pair, flagged even when it is the same.
inline void ChangePair(TEvent& event, const std::string& valute) {
  event.Valute = valute;
  event.ValuteChanged = true;
}

inline void SetPeriod(TEvent& event, uint16_t period) { event.Period = period; }
inline void SetPeriodUnit(TEvent& event, const std::string& unit) { event.PeriodUnit = unit; }
// The expiry changed: the strategies take it.
inline void FlagPeriodChange(TEvent& event) { event.PeriodChanged = true; }

// The strategy took the chart's changes.
inline void PairChangeTaken(TEvent& event) { event.ValuteChanged = false; }
inline void PeriodChangeTaken(TEvent& event) { event.PeriodChanged = false; }

inline void ReportSite(TEvent& event, TSiteState state) { event.BetStatus = state; }
inline void ReportResult(TEvent& event, double result) { event.Result = result; }

}  // namespace vantrope
