// The pair and period selectors of a bet, in the debug window's site-control
// group, and the stake of a manual bet.
#pragma once

#include "ui/controls.h"

namespace vantrope {

struct BetSelectors {
  ui::ComboBox cbeBetOnValutePair;
  ui::NumberEdit neBetOnBetPeriod;
  ui::ComboBox cbeBetOnBetTimeCost;
  ui::NumberEdit neBetOnDebet;
};

}  // namespace vantrope
