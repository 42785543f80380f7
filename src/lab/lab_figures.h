// What the runs of the lab come to: how they ended, where the balance went,
// what they staked and earned.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "lab/strategy_lab.h"

namespace vantrope {

inline constexpr std::array<int, 5> kLabPercentiles = {5, 25, 50, 75, 95};

struct LabFigures {
  int runs = 0;
  // The share of the runs, 0..1, that ended each way, by LabEnd.
  std::array<double, kLabEndCount> end_chance{};
  // Ruin: stopped at the minimum balance, or a stake beyond the balance.
  double ruin_chance = 0;
  // The share of the runs in which a chain's stake would have gone beyond MaxStake.
  double stake_over_ceiling_chance = 0;
  // By kLabPercentiles.
  std::array<double, 5> final_balance{};
  std::array<double, 5> max_drawdown{};
  int32_t largest_stake = 0;
  // The result of all the runs over all their bets.
  double expected_per_bet = 0;
  double mean_bets = 0;
  double win_share = 0;  // of the bets made
  int longest_losing_streak = 0;
};

LabFigures Summarise(const LabInputs& inputs, const LabResult& result);

// The fan chart: at each sampled bet number, the balance's percentiles
// (kLabPercentiles) over the runs.
struct LabBand {
  int bet = 0;
  std::array<double, 5> balance{};
};
std::vector<LabBand> BalanceBands(const LabInputs& inputs, const LabResult& result);

// The final balances in `bins` equal bins over the range given (the one of
// several results drawn together); a balance outside it counts in the
// nearest end bin.
struct LabHistogram {
  double from = 0;
  double width = 0;
  std::vector<int> counts;
};
LabHistogram FinalBalanceHistogram(const LabResult& result, int bins, double from, double to);

// The value below which `percent` of the sorted values lie, interpolated
// between the two nearest.
double Percentile(const std::vector<double>& sorted, double percent);

}  // namespace vantrope
