// What the strategy lab is asked: a strategy with its settings, the money
// around it and how the bets go.
#pragma once

#include <cstdint>

#include "strategy/strategy.h"

namespace vantrope {

struct LabInputs {
  uint8_t strategy = stMartingale;  // the strategy's page
  StrategyParams params;
  double balance = 1000;
  // What a won bet gains, in percent of its price. The stake is the payout
  // the site pays for a won bet, as the robot enters it; its price is the
  // payout divided by 1 + this percentage.
  double payout = 80;
  // The largest price, in percent of the stake, the robot buys at.
  int32_t advance_threshold = 100;
  double win_rate = 0.5;  // the chance to win a bet, 0..1
  int bets = 1000;        // bets per run
  int runs = 10000;
  uint64_t seed = 1;
  // Run control's minimum balance, and the trader's limits on the result of
  // a run (0: none).
  double min_balance = 0;
  double win_limit = 0;
  double loss_limit = 0;
};

// The price of a bet, in percent of its stake, as the robot weighs it
// against its advance threshold.
double AdvancePercent(double payout);

}  // namespace vantrope
