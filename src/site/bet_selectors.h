// The pair and period selectors of a bet, in the debug window's site-control
// group, and the stake of a manual bet.
#pragma once

#include "event/pair_table.h"
#include "ui/controls.h"

namespace vantrope {

struct BetSelectors {
  BetSelectors() {
    cbeBetOnValutePair.SetItems(PairItems());
    cbeBetOnValutePair.SetItemIndex(0);
    neBetOnBetPeriod.SetLimits(30, 9999);
    neBetOnBetPeriod.SetValue(30);
    cbeBetOnBetTimeCost.SetItems({"sec", "min", "hrs"});
    cbeBetOnBetTimeCost.SetItemIndex(0);
    neBetOnDebet.SetLimits(2, 50);
    neBetOnDebet.SetDecimals(1);
    neBetOnDebet.SetValue(2);
  }

  ui::ComboBox cbeBetOnValutePair;
  ui::NumberEdit neBetOnBetPeriod;
  ui::ComboBox cbeBetOnBetTimeCost;
  ui::NumberEdit neBetOnDebet;  // the stake of a manual bet
};

}  // namespace vantrope
