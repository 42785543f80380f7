// The pair and period selectors of a bet: their display turned into the
// event record, and the event record's chart changes shown in them.
#pragma once

#include <string>

#include "event/robot_event.h"
#include "site/bet_selectors.h"

namespace vantrope {

struct PairPeriodSelectors {
  // Selects the pair box item of a broker instrument code.
  void BetOnSetValutePair(const std::string& code);
  void cbeBetOnValutePairChange();
  void cbeBetOnBetTimeCostChange();
  void neBetOnBetPeriodExit();
  // Applies pending chart changes of the event record to the selectors.
  void BetOnBetModeSet();

  BetSelectors& site_control;
  TEvent& EVENT;
};

}  // namespace vantrope
