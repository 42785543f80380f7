#include "results/bet_statistics.h"

#include <algorithm>

namespace vantrope {

double BetResult(const THistoryRecord& bet) { return bet.BalanceAtResult - bet.BalanceAtBet; }

std::vector<EquityPoint> EquityCurve(const std::vector<const THistoryRecord*>& bets) {
  std::vector<EquityPoint> curve;
  if (bets.empty()) return curve;
  curve.reserve(bets.size() + 1);
  double balance = bets.front()->BalanceAtBet;
  double peak = balance;
  curve.push_back({bets.front()->Time, balance, peak});
  for (const THistoryRecord* bet : bets) {
    balance += BetResult(*bet);
    peak = std::max(peak, balance);
    curve.push_back({bet->Time, balance, peak});
  }
  return curve;
}

BetFigures ComputeFigures(const std::vector<const THistoryRecord*>& bets) {
  BetFigures figures;
  int streak = 0;
  for (const THistoryRecord* bet : bets) {
    ++figures.count;
    const double result = BetResult(*bet);
    figures.net += result;
    figures.largest_win = std::max(figures.largest_win, result);
    figures.largest_loss = std::max(figures.largest_loss, -result);
    if (bet->Result == 1) {
      ++figures.won;
      streak = 0;
    } else {
      ++figures.lost;
      figures.longest_losing_streak = std::max(figures.longest_losing_streak, ++streak);
    }
  }
  if (figures.count > 0) figures.win_rate = 100.0 * figures.won / figures.count;
  for (const EquityPoint& point : EquityCurve(bets))
    figures.max_drawdown = std::max(figures.max_drawdown, point.peak - point.balance);
  return figures;
}

namespace {

template <typename Key, typename KeyOf>
std::map<Key, BetFigures> FiguresBy(const std::vector<const THistoryRecord*>& bets, KeyOf key_of) {
  std::map<Key, std::vector<const THistoryRecord*>> groups;
  for (const THistoryRecord* bet : bets) groups[key_of(*bet)].push_back(bet);
  std::map<Key, BetFigures> figures;
  for (const auto& [key, group] : groups) figures[key] = ComputeFigures(group);
  return figures;
}

}  // namespace

std::map<std::string, BetFigures> FiguresByPair(const std::vector<const THistoryRecord*>& bets) {
  return FiguresBy<std::string>(bets, [](const THistoryRecord& bet) { return bet.Pair; });
}

std::map<int, BetFigures> FiguresByStrategy(const std::vector<const THistoryRecord*>& bets) {
  return FiguresBy<int>(bets, [](const THistoryRecord& bet) { return static_cast<int>(bet.Strategy); });
}

}  // namespace vantrope
