#include "lab/lab_figures.h"

#include <algorithm>
#include <cmath>

namespace vantrope {

double Percentile(const std::vector<double>& sorted, double percent) {
  if (sorted.empty()) return 0;
  const double position = percent / 100 * static_cast<double>(sorted.size() - 1);
  const size_t below = static_cast<size_t>(std::floor(position));
  const size_t above = std::min(below + 1, sorted.size() - 1);
  return sorted[below] + (sorted[above] - sorted[below]) * (position - static_cast<double>(below));
}

namespace {

std::array<double, 5> Percentiles(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::array<double, 5> out{};
  for (size_t i = 0; i < out.size(); ++i) out[i] = Percentile(values, kLabPercentiles[i]);
  return out;
}

}  // namespace

LabFigures Summarise(const LabInputs& inputs, const LabResult& result) {
  LabFigures figures;
  figures.runs = static_cast<int>(result.runs.size());
  if (result.runs.empty()) return figures;
  std::vector<double> finals, drawdowns;
  finals.reserve(result.runs.size());
  drawdowns.reserve(result.runs.size());
  double net = 0;
  int64_t bets = 0, won = 0, ceiling = 0;
  for (const LabRun& run : result.runs) {
    figures.end_chance[static_cast<size_t>(run.end)] += 1;
    finals.push_back(run.final_balance);
    drawdowns.push_back(run.max_drawdown);
    net += run.final_balance - inputs.balance;
    bets += run.bets;
    won += run.won;
    ceiling += run.stake_over_ceiling ? 1 : 0;
    figures.largest_stake = std::max(figures.largest_stake, run.largest_stake);
    figures.longest_losing_streak = std::max(figures.longest_losing_streak, run.longest_losing_streak);
  }
  const double runs = static_cast<double>(result.runs.size());
  for (double& chance : figures.end_chance) chance /= runs;
  figures.ruin_chance = figures.end_chance[static_cast<size_t>(LabEnd::kMinimumBalance)] +
                        figures.end_chance[static_cast<size_t>(LabEnd::kStakeBeyondBalance)];
  figures.stake_over_ceiling_chance = static_cast<double>(ceiling) / runs;
  figures.final_balance = Percentiles(std::move(finals));
  figures.max_drawdown = Percentiles(std::move(drawdowns));
  figures.mean_bets = static_cast<double>(bets) / runs;
  figures.expected_per_bet = bets > 0 ? net / static_cast<double>(bets) : 0;
  figures.win_share = bets > 0 ? static_cast<double>(won) / static_cast<double>(bets) : 0;
  return figures;
}

std::vector<LabBand> BalanceBands(const LabInputs& inputs, const LabResult& result) {
  std::vector<LabBand> bands;
  if (result.runs.empty()) return bands;
  std::vector<double> column(result.runs.size());
  const size_t points = static_cast<size_t>(result.points);
  for (size_t point = 0; point < points; ++point) {
    for (size_t run = 0; run < result.runs.size(); ++run) column[run] = result.paths[run * points + point];
    LabBand band;
    band.bet = std::min(static_cast<int>(point) * result.stride, inputs.bets);
    band.balance = Percentiles(column);
    bands.push_back(band);
  }
  return bands;
}

LabHistogram FinalBalanceHistogram(const LabResult& result, int bins, double from, double to) {
  LabHistogram histogram;
  if (result.runs.empty() || bins <= 0) return histogram;
  histogram.from = from;
  // All the runs ending alike still make one bin of some width.
  histogram.width = std::max(to - from, 1.0) / bins;
  histogram.counts.assign(static_cast<size_t>(bins), 0);
  for (const LabRun& run : result.runs) {
    const int bin = static_cast<int>((run.final_balance - histogram.from) / histogram.width);
    ++histogram.counts[static_cast<size_t>(std::clamp(bin, 0, bins - 1))];
  }
  return histogram;
}

}  // namespace vantrope
